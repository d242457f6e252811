#include "Notes.h"

#include <fstream>
#include <sstream>

namespace vel::reference {

namespace {

constexpr char kExample[] = "@example ";
constexpr char kEnd[] = "' end of example";

std::optional<std::string> ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string WithoutReturn(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::wstring Folder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

// The example part of a form file as a fenced block; nothing when the file cannot be read or
// has no end marker (an example that would silently show its tests as well).
std::optional<std::string> Example(const std::wstring& path) {
    auto form = ReadFile(path);
    if (!form) return std::nullopt;
    std::istringstream lines(*form);
    std::string block = "```vbscript\n", line;
    while (std::getline(lines, line)) {
        line = WithoutReturn(line);
        if (line == kEnd) {
            while (block.size() > 1 && block[block.size() - 2] == '\n') block.pop_back();  // no blank lines at the end
            return block + "```\n";
        }
        block += line + "\n";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadNotes(const std::wstring& path) {
    auto notes = ReadFile(path);
    if (!notes) return std::nullopt;
    std::istringstream lines(*notes);
    std::string text, line;
    while (std::getline(lines, line)) {
        if (WithoutReturn(line).rfind(kExample, 0) == 0) {
            const std::string relative = WithoutReturn(line).substr(sizeof kExample - 1);
            auto example = Example(Folder(path) + std::wstring(relative.begin(), relative.end()));
            if (!example) return std::nullopt;
            text += *example;
        } else {
            text += line + "\n";
        }
    }
    return text;
}

}  // namespace vel::reference
