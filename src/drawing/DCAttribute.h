#pragma once
#include <windows.h>

namespace vel::drawing {

// Sets one attribute of a DC (background colour, text colour, background mode)
// and puts the previous value back at the end of the scope.
template <typename Value, Value(WINAPI* Set)(HDC, Value)>
class DCAttribute {
public:
    DCAttribute(HDC dc, Value value) : dc_(dc), previous_(Set(dc, value)) {}
    DCAttribute(const DCAttribute&) = delete;
    DCAttribute& operator=(const DCAttribute&) = delete;
    ~DCAttribute() { Set(dc_, previous_); }

private:
    HDC dc_;
    Value previous_;
};

using BkColorSetting = DCAttribute<COLORREF, SetBkColor>;
using TextColorSetting = DCAttribute<COLORREF, SetTextColor>;
using BkModeSetting = DCAttribute<int, SetBkMode>;

}  // namespace vel::drawing
