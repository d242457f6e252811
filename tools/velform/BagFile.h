#pragma once
#include <string>
#include <utility>
#include <vector>

#include "PropertyBag.h"

namespace velform {

// The saved properties of a form: one bag per control, by control name.
using FormBags = std::vector<std::pair<std::wstring, vel::com::ComPtr<PropertyBag>>>;

// The text form of saved properties (UTF-8 in files):
//   VelForm properties 1
//   Begin Fixture1
//       Caption = String "Hello \"you\""
//       BackColor = Long 255
//       Font = Object {0BE35203-8F91-11CE-9DE3-00AA004BB851} 0300...
//   End
// Types: Empty Null Integer Long Single Double Currency Date String Boolean Byte
// Object. Numbers and dates use the invariant locale; objects carry their class
// and the hex bytes they saved of themselves.
class BagFile {
public:
    static std::wstring Format(const FormBags& bags);
    static FormBags Parse(const std::wstring& text);
    static void Write(const std::wstring& path, const FormBags& bags);
    static FormBags Read(const std::wstring& path);
};

}  // namespace velform
