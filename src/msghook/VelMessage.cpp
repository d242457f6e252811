#include "VelMessage.h"

#include "Boundary.h"
#include "HookErrors.h"
#include "MemberValues.h"
#include "VelMessages.h"

namespace vel::msghook {

using namespace com;

namespace {
const IID& kIid = __uuidof(::VelMessage);

Bstr TextArgument(BSTR text) { return Bstr(std::wstring_view(text ? text : L"", SysStringLen(text))); }
}  // namespace

// ---- automation interface

STDMETHODIMP VelMessage::get_Value(LONG* value) {
    VEL_CHECK_OUT(value);
    *value = value_;
    return S_OK;
}

STDMETHODIMP VelMessage::put_Value(LONG value) {
    return Guarded(kIid, [&] { SetValue(value); });
}

STDMETHODIMP VelMessage::get_Text(BSTR* text) {
    VEL_CHECK_OUT(text);
    *text = nullptr;
    return Guarded(kIid, [&] { *text = text_.Copy(); });
}

STDMETHODIMP VelMessage::put_Text(BSTR text) {
    return Guarded(kIid, [&] { SetText(TextArgument(text)); });
}

STDMETHODIMP VelMessage::get_ProcessDefaultProc(VARIANT_BOOL* process) {
    VEL_CHECK_OUT(process);
    *process = processDefaultProc_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP VelMessage::put_ProcessDefaultProc(VARIANT_BOOL process) {
    processDefaultProc_ = process != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP VelMessage::get_ProcessType(VelProcessingConstants* type) {
    VEL_CHECK_OUT(type);
    *type = static_cast<VelProcessingConstants>(processType_);
    return S_OK;
}

STDMETHODIMP VelMessage::put_ProcessType(VelProcessingConstants type) {
    processType_ = type;
    return S_OK;
}

STDMETHODIMP VelMessage::get_Index(LONG* index) {
    VEL_CHECK_OUT(index);
    *index = index_;
    return S_OK;
}

STDMETHODIMP VelMessage::get_Key(VARIANT* key) {
    VEL_CHECK_OUT(key);
    VariantInit(key);
    return Guarded(kIid, [&] { key_.CopyTo(key); });
}

STDMETHODIMP VelMessage::put_Key(VARIANT key) {
    return Guarded(kIid, [&] { SetKey(key); });
}

STDMETHODIMP VelMessage::get_Tag(VARIANT* tag) {
    VEL_CHECK_OUT(tag);
    VariantInit(tag);
    return Guarded(kIid, [&] { tag_.CopyTo(tag); });
}

STDMETHODIMP VelMessage::put_Tag(VARIANT tag) {
    return Guarded(kIid, [&] { SetTag(tag); });
}

// ---- operations of the library

// Message numbers are unique within a window's messages, except 0; assigning a
// message its own number counts as a clash.
void VelMessage::SetValue(long value) {
    if (parent_ && parent_->ValueExists(value)) throw HookErrors::MessageExists();
    value_ = value;
    Notify(L"Value");
}

void VelMessage::SetText(Bstr text) {
    text_ = std::move(text);
    Notify(L"Text");
}

void VelMessage::SetKey(const VARIANT& argument) {
    Variant key = KeyArgument(argument);
    if (parent_) {
        parent_->AssignKey(*this, std::move(key));
    } else if (ValueDiffers(key_.Get(), key.Get())) {
        key_ = std::move(key);
    }
}

void VelMessage::SetTag(const VARIANT& argument) {
    Variant tag = Variant::Dereferenced(argument);
    if (!ValueDiffers(tag_.Get(), tag.Get())) return;
    tag_ = std::move(tag);
    Notify(L"Tag");
}

void VelMessage::Notify(const wchar_t* property) {
    if (parent_) parent_->NotifyChanged(*this, property);
}

}  // namespace vel::msghook
