#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace vel::about {

// The file version a module states in its VERSIONINFO resource.
class ModuleVersion {
public:
    ModuleVersion(WORD major, WORD minor, WORD build, WORD revision);

    // Nothing when the module carries no readable version resource.
    static std::optional<ModuleVersion> Of(HMODULE module);

    // "Version 1.0"; build and revision follow ("Version 1.0.3.0") when either is set.
    std::wstring Text() const;

    WORD Major() const { return major_; }
    WORD Minor() const { return minor_; }
    WORD Build() const { return build_; }
    WORD Revision() const { return revision_; }

private:
    static std::wstring FileNameOf(HMODULE module);

    WORD major_;
    WORD minor_;
    WORD build_;
    WORD revision_;
};

}  // namespace vel::about
