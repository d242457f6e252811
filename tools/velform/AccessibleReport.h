#pragma once
#include <string>

namespace velform {

class Form;

// What an accessibility client finds on a running form: the accessible tree of each
// control, then the WinEvents of a few key presses in the first list box and on the
// first check frame, written as text (velform /accessible file).
class AccessibleReport {
public:
    static void Write(Form& form, const std::wstring& path);
};

}  // namespace velform
