#include "VelMsgHook.h"

#include <string>
#include <vector>

#include "HookErrors.h"
#include "MCallBack.h"
#include "MsgHookOwner.h"

namespace vel::msghook {

using namespace com;

namespace {

// A property read by name, as a script would; nothing when it cannot be read.
bool TryGet(IDispatch* object, const wchar_t* name, Variant& value) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS none{};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none,
                                    value.Out(), nullptr, nullptr));
}

ComPtr<IDispatch> ObjectOf(const Variant& value) {
    ComPtr<IDispatch> object;
    if (value.Type() == VT_DISPATCH && value.Get().pdispVal) object = value.Get().pdispVal;
    return object;
}

ComPtr<IDispatch> TopLevelContainer(IDispatch* start) {
    constexpr int kDeepestNesting = 256;  // a Parent chain that loops ends somewhere
    ComPtr<IDispatch> top(start);
    for (int depth = 0; depth < kDeepestNesting; ++depth) {
        Variant parent;
        if (!TryGet(top.Get(), L"Parent", parent)) break;
        ComPtr<IDispatch> next = ObjectOf(parent);
        if (!next) break;
        top = next;
    }
    return top;
}

void CollectName(IDispatch* object, std::vector<Variant>& names) {
    Variant name;
    if (TryGet(object, L"Name", name)) names.push_back(std::move(name));
}

ComPtr<IEnumVARIANT> EnumeratorOf(IDispatch* collection) {
    DISPPARAMS none{};
    Variant result;
    if (FAILED(collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                  &none, result.Out(), nullptr, nullptr)))
        return nullptr;
    ComPtr<IEnumVARIANT> enumerator;
    const VARIANT& value = result.Get();
    if ((value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) && value.punkVal)
        value.punkVal->QueryInterface(IID_PPV_ARGS(&enumerator));
    return enumerator;
}

void CollectWindowedControls(IDispatch* container, std::vector<Variant>& names) {
    Variant controls;
    if (!TryGet(container, L"Controls", controls)) return;
    ComPtr<IDispatch> collection = ObjectOf(controls);
    if (!collection) return;
    ComPtr<IEnumVARIANT> enumerator = EnumeratorOf(collection.Get());
    if (!enumerator) return;
    for (;;) {
        Variant member;
        ULONG fetched = 0;
        if (enumerator->Next(1, member.Out(), &fetched) != S_OK || fetched != 1) break;
        ComPtr<IDispatch> control = ObjectOf(member);
        Variant hwnd;
        if (control && TryGet(control.Get(), L"hWnd", hwnd)) CollectName(control.Get(), names);
    }
}

Variant ToArray(std::vector<Variant>& names) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(names.size()), 0};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
    if (!array) Raise(StandardError::OutOfMemory);
    Variant result;
    result.Ptr()->vt = VT_ARRAY | VT_VARIANT;
    result.Ptr()->parray = array;
    for (LONG i = 0; i < static_cast<LONG>(names.size()); ++i) SafeArrayPutElement(array, &i, names[i].Ptr());
    return result;
}

}  // namespace

VelMsgHook::VelMsgHook(MsgHookOwner& owner) : owner_(owner), windows_(Make<VelWindows>()) {
    windows_->SetListener(this);
    MCallBack::RegisterHook(*windows_.Get());
}

VelMsgHook::~VelMsgHook() {
    windows_->SetListener(nullptr);
    windows_->SetSubclass(false);
    try {
        MCallBack::UnregisterHook(*windows_.Get());
    } catch (...) {
        // Out of memory while copying the windows; nothing more can be restored here.
    }
}

void VelMsgHook::SetSubclass(bool subclass) {
    if (!owner_.HookUserMode()) {
        windows_->SetSubclass(subclass);
        return;
    }
    if (!windows_->HasWindowHandle()) throw HookErrors::NoWindowToSubclass();
    windows_->SetSubclass(subclass);
    MCallBack::ApplySubclassState(*windows_.Get());
}

Variant VelMsgHook::GetControlNames(IDispatch* parent) {
    std::vector<Variant> names;
    if (parent) {
        ComPtr<IDispatch> top = TopLevelContainer(parent);
        CollectName(top.Get(), names);
        CollectWindowedControls(top.Get(), names);
    }
    return ToArray(names);
}

// ---- events of the windows collection

void VelMsgHook::WindowAdded(VelWindow&) { owner_.HookPropertyChanged(L"Windows"); }
void VelMsgHook::WindowRemoved(VelWindow*) { owner_.HookPropertyChanged(L"Windows"); }
void VelMsgHook::WindowChanged(VelWindow&, std::wstring_view) { owner_.HookPropertyChanged(L"Windows"); }
void VelMsgHook::MessageAdded(VelMessage&) { owner_.HookPropertyChanged(L"Messages"); }
void VelMsgHook::MessageRemoved(VelMessage*) { owner_.HookPropertyChanged(L"Messages"); }
void VelMsgHook::MessageChanged(VelMessage&, std::wstring_view) { owner_.HookPropertyChanged(L"Messages"); }

void VelMsgHook::CallBack(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    owner_.HookMessage(hwnd, message, wParam, lParam);
}

}  // namespace vel::msghook
