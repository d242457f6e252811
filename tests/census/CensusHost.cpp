#include "CensusHost.h"

#include <olectl.h>

#include <cstring>
#include <deque>
#include <set>

#include "Automation.h"
#include "Variant.h"

namespace vel::census {
namespace {

using com::Variant;
using test::AsLong;
using test::AsObject;

bool IidLess(const IID& a, const IID& b) { return std::memcmp(&a, &b, sizeof(IID)) < 0; }

bool HasMember(IDispatch* object, const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
}

// Names of the property gets without required arguments that may give an object.
std::vector<std::wstring> ObjectProperties(IDispatch* object) {
    std::vector<std::wstring> names;
    ComPtr<ITypeInfo> info;
    if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info))) return names;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return names;
    WORD count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* desc = nullptr;
        if (FAILED(info->GetFuncDesc(i, &desc))) continue;
        VARTYPE type = desc->elemdescFunc.tdesc.vt;
        for (SHORT p = 0; p < desc->cParams; ++p)
            if (desc->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
                type = desc->lprgelemdescParam[p].tdesc.lptdesc ? desc->lprgelemdescParam[p].tdesc.lptdesc->vt : VARTYPE{VT_EMPTY};
        bool objectType = type == VT_PTR || type == VT_DISPATCH || type == VT_USERDEFINED || type == VT_VARIANT;
        bool plainGet = desc->invkind == INVOKE_PROPERTYGET && desc->cParams - desc->cParamsOpt <= 1 &&
                        !(desc->wFuncFlags & FUNCFLAG_FRESTRICTED);
        if (objectType && plainGet) {
            BSTR name = nullptr;
            UINT got = 0;
            if (SUCCEEDED(info->GetNames(desc->memid, &name, 1, &got)) && got == 1) names.emplace_back(name);
            SysFreeString(name);
        }
        info->ReleaseFuncDesc(desc);
    }
    return names;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

IID InterfaceOf(IDispatch* object) {
    IID iid = IID_NULL;
    ComPtr<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (object && SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && SUCCEEDED(info->GetTypeAttr(&attr))) {
        iid = attr->guid;
        info->ReleaseTypeAttr(attr);
    }
    return iid;
}

CensusHost::CensusHost(REFCLSID control) {
    site_ = com::Make<test::TestContainer>();
    site_->ambients[DISPID_AMBIENT_USERMODE] = Variant::FromBool(true);
    site_->ambients[DISPID_AMBIENT_DISPLAYNAME] = Variant::FromString(L"Census1");
    site_->ambients[DISPID_AMBIENT_SCALEUNITS] = Variant::FromString(L"Twip");
    if (FAILED(CoCreateInstance(control, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_)))) return;
    object_->SetClientSite(site_.Get());
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(object_.As(&persist))) persist->InitNew();
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, site_->Window(), nullptr);
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_.As(&inPlace))) {
        RECT rect{0, 0, 180, 130};
        inPlace->SetObjectRects(&rect, &rect);
    }
    object_.As(&dispatch_);
}

CensusHost::~CensusHost() {
    dispatch_.Reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

std::map<IID, ComPtr<IDispatch>, bool (*)(const IID&, const IID&)> CensusHost::Reach() {
    std::map<IID, ComPtr<IDispatch>, bool (*)(const IID&, const IID&)> reached(IidLess);
    std::deque<ComPtr<IDispatch>> pending{dispatch_};
    while (!pending.empty()) {
        ComPtr<IDispatch> object = pending.front();
        pending.pop_front();
        IID iid = InterfaceOf(object.Get());
        if (reached.count(iid)) continue;
        reached[iid] = object;
        if (HasMember(object.Get(), L"Add") && HasMember(object.Get(), L"Count")) {
            for (int i = 0; i < 2; ++i) test::Call(object.Get(), L"Add");
            if (auto member = AsObject(test::Get(object.Get(), L"Item", {Variant::FromLong(1)})))
                pending.push_back(member);
        }
        for (auto& name : ObjectProperties(object.Get()))
            if (auto value = AsObject(test::Get(object.Get(), name.c_str()))) pending.push_back(value);
    }
    return reached;
}

std::vector<std::string> CensusHost::Check() {
    std::vector<std::string> faults;
    if (!object_) return faults;
    ComPtr<IViewObject> view;
    if (SUCCEEDED(object_.As(&view))) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 180, 130);
        HGDIOBJ former = SelectObject(memory, bitmap);
        RECTL bounds{0, 0, 180, 130};
        HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr, nullptr, 0);
        if (FAILED(hr)) faults.push_back("painting failed");
        SelectObject(memory, former);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    for (auto& name : ObjectProperties(dispatch_.Get())) {
        auto collection = AsObject(test::Get(dispatch_.Get(), name.c_str()));
        if (!collection || !HasMember(collection.Get(), L"Count")) continue;
        long count = AsLong(test::Get(collection.Get(), L"Count"));
        if (count < 0) faults.push_back(Narrow(name) + ".Count is negative");
        for (long i = 1; i <= std::min(count, 40L); ++i) {
            auto member = AsObject(test::Get(collection.Get(), L"Item", {Variant::FromLong(i)}));
            if (!member) {
                faults.push_back(Narrow(name) + "(" + std::to_string(i) + ") missing");
                break;
            }
            if (HasMember(member.Get(), L"Index") && AsLong(test::Get(member.Get(), L"Index")) != i) {
                faults.push_back(Narrow(name) + "(" + std::to_string(i) + ").Index is not its position");
                break;
            }
        }
        Variant enumerated;
        DISPPARAMS none{};
        collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                           enumerated.Out(), nullptr, nullptr);
        ComPtr<IEnumVARIANT> items;
        IUnknown* raw = enumerated.Type() == VT_UNKNOWN || enumerated.Type() == VT_DISPATCH ? enumerated.Get().punkVal
                                                                                           : nullptr;
        if (raw && SUCCEEDED(raw->QueryInterface(IID_PPV_ARGS(&items)))) {
            long seen = 0;
            Variant item;
            while (seen <= count && items->Next(1, item.Out(), nullptr) == S_OK) ++seen;
            if (seen != count)
                faults.push_back(Narrow(name) + " enumerates " + std::to_string(seen) + " of " + std::to_string(count));
        }
    }
    return faults;
}

}  // namespace vel::census
