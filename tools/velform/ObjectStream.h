#pragma once
#include <windows.h>
#include <objidl.h>
#include <vector>

namespace velform {

// Objects that persist themselves to a stream (fonts, pictures): their class and
// bytes, and the object rebuilt from them.
class ObjectStream {
public:
    // Saved objects are fonts and pictures; no other class is ever created from saved data.
    static bool Loadable(REFCLSID objectClass);
    static HRESULT Capture(IUnknown* object, CLSID* objectClass, std::vector<BYTE>* data);
    static HRESULT Restore(REFCLSID objectClass, const std::vector<BYTE>& data, IUnknown** object);
};

}  // namespace velform
