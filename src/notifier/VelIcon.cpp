#include "VelIcon.h"

#include "Boundary.h"
#include "Convert.h"
#include "NotifierErrors.h"
#include "StandardObjects.h"
#include "VelIcons.h"

namespace vel::notifier {

using namespace com;
using hosting::PictureType;
using hosting::StandardObjects;

namespace {
const IID& kIid = __uuidof(::VelIcon);
}

Variant IconKeyOf(const VARIANT& argument) {
    Variant value = Variant::Dereferenced(argument);
    if (value.Type() == VT_DISPATCH || value.Type() == VT_UNKNOWN) {
        Variant plain;
        if (FAILED(VariantChangeType(plain.Ptr(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR)))
            throw NotifierErrors::InvalidValue();
        return plain;
    }
    if (value.Type() != VT_EMPTY && !TextOf(value.Get())) throw NotifierErrors::InvalidValue();
    return value;
}

// ---- automation interface

STDMETHODIMP VelIcon::get_Index(short* index) {
    VEL_CHECK_OUT(index);
    *index = index_;
    return S_OK;
}

STDMETHODIMP VelIcon::get_Icon(IPictureDisp** icon) {
    VEL_CHECK_OUT(icon);
    *icon = icon_.Get();
    if (*icon) (*icon)->AddRef();
    return S_OK;
}

STDMETHODIMP VelIcon::putref_Icon(IPictureDisp* icon) {
    return Guarded(kIid, [&] { SetIcon(icon); });
}

STDMETHODIMP VelIcon::get_Key(VARIANT* key) {
    VEL_CHECK_OUT(key);
    VariantInit(key);
    return Guarded(kIid, [&] { key_.CopyTo(key); });
}

STDMETHODIMP VelIcon::put_Key(VARIANT key) {
    return Guarded(kIid, [&] { SetKey(key); });
}

STDMETHODIMP VelIcon::get_Name(BSTR* name) {
    VEL_CHECK_OUT(name);
    *name = nullptr;
    return Guarded(kIid, [&] { *name = name_.Copy(); });
}

STDMETHODIMP VelIcon::put_Name(BSTR name) {
    return Guarded(kIid, [&] { SetName(std::wstring_view(name ? name : L"", SysStringLen(name))); });
}

STDMETHODIMP VelIcon::get_Tag(VARIANT* tag) {
    VEL_CHECK_OUT(tag);
    VariantInit(tag);
    return Guarded(kIid, [&] { tag_.CopyTo(tag); });
}

STDMETHODIMP VelIcon::put_Tag(VARIANT tag) {
    return Guarded(kIid, [&] { SetTag(tag); });
}

// ---- setters

// Nothing, or a picture without a handle, clears the image; an icon picture is kept;
// any other picture is refused and changes nothing.
void VelIcon::SetIcon(IPictureDisp* icon) {
    if (icon && StandardObjects::HandleOf(icon) != 0) {
        if (StandardObjects::TypeOf(icon) != PictureType::Icon) throw NotifierErrors::InvalidValue();
        icon_ = icon;
    } else {
        icon_.Reset();
    }
    Notify(L"Icon");
}

void VelIcon::SetKey(const VARIANT& key) {
    Variant value = IconKeyOf(key);
    if (VelIcons* parent = Parent()) {
        parent->AssignKey(*this, std::move(value));
    } else {
        key_ = std::move(value);
    }
    Notify(L"Key");
}

void VelIcon::SetName(std::wstring_view name) {
    name_ = Bstr(name);
    Notify(L"Name");
}

void VelIcon::SetTag(const VARIANT& tag) {
    tag_ = Variant::Dereferenced(tag);
    Notify(L"Tag");
}

HICON VelIcon::IconHandle() const {
    return icon_ ? reinterpret_cast<HICON>(static_cast<UINT_PTR>(StandardObjects::HandleOf(icon_.Get()))) : nullptr;
}

void VelIcon::Notify(const wchar_t* property) {
    if (VelIcons* parent = Parent()) parent->RaiseIconChanged(*this, property);
}

}  // namespace vel::notifier
