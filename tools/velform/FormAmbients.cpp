#include "FormAmbients.h"

namespace velform {

double FormAmbients::UnitsPerInch(int pixelsPerInch) const {
    struct Unit {
        const wchar_t* name;
        double perInch;
    };
    static constexpr Unit kUnits[] = {
        {L"Twip", 1440}, {L"Point", 72}, {L"Inch", 1}, {L"Millimeter", 25.4}, {L"Centimeter", 2.54}, {L"Himetric", 2540},
    };
    if (lstrcmpiW(scaleUnits.c_str(), L"Pixel") == 0) return pixelsPerInch;
    for (auto& unit : kUnits) {
        if (lstrcmpiW(scaleUnits.c_str(), unit.name) == 0) return unit.perInch;
    }
    return 1440;
}

}  // namespace velform
