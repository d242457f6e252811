#pragma once
#include <windows.h>
#include <ocidl.h>
#include <optional>
#include <string>
#include <string_view>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// The container's property bag as a control reads and writes it. A read returns the
// stored value, or the given default when the name is absent or its value cannot be
// read as the default's type. A write with a default stores nothing when the value
// equals the default.
class PropertyBag {
public:
    explicit PropertyBag(IPropertyBag* bag) : bag_(bag) {}

    // Whether the bag holds a readable value under `name`.
    bool Contains(std::wstring_view name) const { return Stored(name, VT_EMPTY).has_value(); }
    com::Variant Read(std::wstring_view name, const com::Variant& fallback) const;
    long ReadLong(std::wstring_view name, long fallback) const;
    short ReadShort(std::wstring_view name, short fallback) const;
    BYTE ReadByte(std::wstring_view name, BYTE fallback) const;
    bool ReadBool(std::wstring_view name, bool fallback) const;
    std::wstring ReadString(std::wstring_view name, std::wstring_view fallback) const;
    OLE_COLOR ReadColor(std::wstring_view name, OLE_COLOR fallback) const;
    ComPtr<IFontDisp> ReadFont(std::wstring_view name, IFontDisp* fallback) const;
    ComPtr<IPictureDisp> ReadPicture(std::wstring_view name, IPictureDisp* fallback) const;

    // Raises error 380 when the bag holds a value under `name` that cannot be read as
    // `type` (VT_DISPATCH: an object or Nothing; VT_UI4: a colour, signed or not); an
    // absent name passes. A control checks every key this way before it applies any.
    void RequireReadable(std::wstring_view name, VARTYPE type) const;

    // Always stores the value.
    void Write(std::wstring_view name, const com::Variant& value);
    // Stores the value unless it equals `fallback`.
    void Write(std::wstring_view name, const com::Variant& value, const com::Variant& fallback);

    void WriteLong(std::wstring_view name, long value, std::optional<long> fallback = {});
    void WriteShort(std::wstring_view name, short value, std::optional<short> fallback = {});
    void WriteByte(std::wstring_view name, BYTE value, std::optional<BYTE> fallback = {});
    void WriteBool(std::wstring_view name, bool value, std::optional<bool> fallback = {});
    void WriteString(std::wstring_view name, std::wstring_view value, std::optional<std::wstring_view> fallback = {});
    void WriteColor(std::wstring_view name, OLE_COLOR value, std::optional<OLE_COLOR> fallback = {});
    // Objects equal their default only when both are the same object or both Nothing.
    void WriteObject(std::wstring_view name, IDispatch* value, std::optional<IDispatch*> fallback = {});

    static bool Equal(const VARIANT& a, const VARIANT& b);

private:
    std::optional<com::Variant> Stored(std::wstring_view name, VARTYPE wanted) const;
    com::Variant ReadAs(std::wstring_view name, const com::Variant& fallback, VARTYPE type) const;

    IPropertyBag* bag_;
};

}  // namespace vel::hosting
