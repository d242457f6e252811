#include "AmbientProperties.h"

#include <olectl.h>

#include "StandardObjects.h"

namespace vel::hosting {
namespace {

constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kButtonFace = 0x8000000F;

struct AmbientName {
    DISPID id;
    const wchar_t* name;
};

constexpr AmbientName kNames[] = {
    {DISPID_AMBIENT_USERMODE, L"UserMode"},   {DISPID_AMBIENT_FONT, L"Font"},
    {DISPID_AMBIENT_FORECOLOR, L"ForeColor"}, {DISPID_AMBIENT_BACKCOLOR, L"BackColor"},
    {DISPID_AMBIENT_SCALEUNITS, L"ScaleUnits"}, {DISPID_AMBIENT_DISPLAYNAME, L"DisplayName"},
};

}  // namespace

AmbientProperties::AmbientProperties(IOleClientSite* site) {
    if (site) site->QueryInterface(IID_PPV_ARGS(&site_));
}

std::optional<com::Variant> AmbientProperties::Get(DISPID id, VARTYPE type) const {
    if (!site_) return std::nullopt;
    DISPPARAMS none{};
    com::Variant result;
    HRESULT hr = site_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Out(), nullptr,
                               nullptr);
    if (FAILED(hr)) return std::nullopt;
    com::Variant value = com::Variant::Dereferenced(result.Get());
    if (value.Type() == type) return value;
    com::Variant converted;
    if (FAILED(VariantChangeType(converted.Ptr(), value.Ptr(), 0, type))) return std::nullopt;
    return converted;
}

bool AmbientProperties::UserMode() const {
    auto v = Get(DISPID_AMBIENT_USERMODE, VT_BOOL);
    return v ? v->Get().boolVal != VARIANT_FALSE : true;
}

ComPtr<IFontDisp> AmbientProperties::Font() const {
    ComPtr<IFontDisp> font;
    auto v = Get(DISPID_AMBIENT_FONT, VT_DISPATCH);
    if (v && v->Get().pdispVal && SUCCEEDED(v->Get().pdispVal->QueryInterface(IID_PPV_ARGS(&font)))) return font;
    return StandardObjects::CreateFont(FontDescription{});
}

OLE_COLOR AmbientProperties::ForeColor() const {
    auto v = Get(DISPID_AMBIENT_FORECOLOR, VT_I4);
    return v ? static_cast<OLE_COLOR>(v->Get().lVal) : kButtonText;
}

OLE_COLOR AmbientProperties::BackColor() const {
    auto v = Get(DISPID_AMBIENT_BACKCOLOR, VT_I4);
    return v ? static_cast<OLE_COLOR>(v->Get().lVal) : kButtonFace;
}

std::wstring AmbientProperties::ScaleUnits() const {
    auto v = Get(DISPID_AMBIENT_SCALEUNITS, VT_BSTR);
    if (!v) return L"Pixel";
    return std::wstring(v->Get().bstrVal ? v->Get().bstrVal : L"", SysStringLen(v->Get().bstrVal));
}

std::wstring AmbientProperties::DisplayName() const {
    auto v = Get(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR);
    if (!v) return L"";
    return std::wstring(v->Get().bstrVal ? v->Get().bstrVal : L"", SysStringLen(v->Get().bstrVal));
}

const wchar_t* AmbientProperties::NameOf(DISPID id) {
    for (auto& entry : kNames)
        if (entry.id == id) return entry.name;
    return L"";
}

}  // namespace vel::hosting
