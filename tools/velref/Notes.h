#pragma once
// The hand-written notes of a library's reference. A line "@example path" (the path relative
// to the notes file) stands for a form file, shown as a VBScript block from its start up to
// the line "' end of example": the form's tests follow that line, so the example shown is
// the code the tests run.
#include <optional>
#include <string>

namespace vel::reference {

// The notes with every example in place (UTF-8); nothing when a file cannot be read.
std::optional<std::string> ReadNotes(const std::wstring& path);

}  // namespace vel::reference
