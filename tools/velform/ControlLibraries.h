#pragma once
#include <string>
#include <vector>

#include "FormFile.h"

namespace velform {

// The in-process servers of a form's controls. After a test has closed its form,
// each of them must answer DllCanUnloadNow with S_OK: every object it made for the
// form (controls, their pages, enumerators, ...) has been released.
class ControlLibraries {
public:
    explicit ControlLibraries(const FormFile& file);

    // The file names of the loaded libraries that still have live objects.
    std::vector<std::wstring> StillInUse() const;

private:
    std::vector<std::wstring> paths_;
};

}  // namespace velform
