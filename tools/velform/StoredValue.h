#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "Variant.h"

namespace velform {

// One property as a property bag keeps it: a plain value, or an object (a font,
// a picture) kept as its class and the bytes it saved of itself.
struct StoredValue {
    vel::com::Variant value;
    bool isObject = false;
    CLSID objectClass = CLSID_NULL;
    std::vector<BYTE> objectData;
};

struct NamedValue {
    std::wstring name;
    StoredValue stored;
};

}  // namespace velform
