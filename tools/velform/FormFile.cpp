#include "FormFile.h"

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "FormError.h"

namespace velform {
namespace {

std::wstring Decode(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    }
    size_t skip = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip),
                                     nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip), text.data(),
                        length);
    return text;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
    return text;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// Words separated by blanks; "quoted text" (with "" for a quote) is one word.
std::vector<std::wstring> SplitWords(std::wstring_view line) {
    std::vector<std::wstring> words;
    size_t i = 0;
    while (i < line.size()) {
        if (std::iswspace(line[i])) {
            ++i;
            continue;
        }
        std::wstring word;
        while (i < line.size() && !std::iswspace(line[i])) {
            if (line[i] != L'"') {
                word += line[i++];
                continue;
            }
            for (++i; i < line.size(); ++i) {
                if (line[i] == L'"' && i + 1 < line.size() && line[i + 1] == L'"') {
                    word += L'"';
                    ++i;
                } else if (line[i] == L'"') {
                    ++i;
                    break;
                } else {
                    word += line[i];
                }
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

[[noreturn]] void Fail(int lineNumber, const std::wstring& what) {
    throw FormError(L"line " + std::to_wstring(lineNumber) + L": " + what);
}

long ToNumber(const std::wstring& word, int lineNumber) {
    size_t used = 0;
    long value = 0;
    try {
        value = std::stol(word, &used);
    } catch (...) {
        used = 0;
    }
    if (used == 0 || used != word.size()) Fail(lineNumber, L"\"" + word + L"\" is not a whole number");
    return value;
}

}  // namespace

FormFile FormFile::Load(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) throw FormError(L"cannot read " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(Decode(bytes), path);
}

FormFile FormFile::Parse(std::wstring text, std::wstring path) {
    FormFile file;
    file.path_ = std::move(path);
    file.code_ = std::move(text);
    std::wistringstream lines(file.code_);
    std::wstring line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::wstring_view trimmed = Trim(line);
        if (trimmed.rfind(L"'@", 0) == 0) file.ParseDeclaration(std::wstring(trimmed.substr(2)), number);
    }
    file.CheckParents();
    return file;
}

void FormFile::ParseDeclaration(const std::wstring& line, int lineNumber) {
    auto words = SplitWords(line);
    if (words.empty()) Fail(lineNumber, L"empty declaration");
    if (SameText(words[0], L"form")) {
        ParseFormLine(words, lineNumber);
    } else if (SameText(words[0], L"control")) {
        ParseControlLine(words, lineNumber);
    } else {
        Fail(lineNumber, L"unknown declaration '@" + words[0]);
    }
}

void FormFile::ParseFormLine(const std::vector<std::wstring>& words, int lineNumber) {
    for (size_t i = 1; i < words.size(); ++i) {
        size_t equals = words[i].find(L'=');
        if (equals == std::wstring::npos) Fail(lineNumber, L"expected Name=Value, found " + words[i]);
        std::wstring key = words[i].substr(0, equals);
        std::wstring value = words[i].substr(equals + 1);
        if (SameText(key, L"Title")) {
            title_ = value;
        } else if (SameText(key, L"Width")) {
            size_.cx = ToNumber(value, lineNumber);
        } else if (SameText(key, L"Properties")) {
            properties_ = value;
        } else if (SameText(key, L"Height")) {
            size_.cy = ToNumber(value, lineNumber);
        } else {
            Fail(lineNumber, L"unknown form setting " + key);
        }
    }
}

void FormFile::ParseControlLine(const std::vector<std::wstring>& words, int lineNumber) {
    if (words.size() != 7 && !(words.size() == 9 && SameText(words[7], L"in"))) {
        Fail(lineNumber, L"expected '@control Name ProgID Left Top Width Height [in Parent]");
    }
    ControlDeclaration control;
    control.name = words[1];
    control.progId = words[2];
    long left = ToNumber(words[3], lineNumber), top = ToNumber(words[4], lineNumber);
    control.bounds = {left, top, left + ToNumber(words[5], lineNumber), top + ToNumber(words[6], lineNumber)};
    if (words.size() == 9) control.parent = words[8];
    bool taken = std::any_of(controls_.begin(), controls_.end(),
                             [&](const ControlDeclaration& c) { return SameText(c.name, control.name); });
    if (taken || SameText(control.name, L"Host")) Fail(lineNumber, L"the name " + control.name + L" is taken");
    controls_.push_back(std::move(control));
}

// A parent must be declared before the controls it contains, so that siting in
// the order of the file always finds it.
void FormFile::CheckParents() const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].parent.empty()) continue;
        bool before = std::any_of(controls_.begin(), controls_.begin() + i,
                                  [&](const ControlDeclaration& c) { return SameText(c.name, controls_[i].parent); });
        if (!before) throw FormError(L"control " + controls_[i].name + L": its parent " + controls_[i].parent +
                                     L" is not declared before it");
    }
}

std::wstring FormFile::PropertiesPath() const { return Beside(properties_); }

std::wstring FormFile::Beside(const std::wstring& path) const {
    if (path.empty() || path.find(L':') != std::wstring::npos || path[0] == L'\\' || path[0] == L'/') return path;
    size_t folder = path_.find_last_of(L"\\/");
    return folder == std::wstring::npos ? path : path_.substr(0, folder + 1) + path;
}

std::vector<std::wstring> FormFile::SubNames() const {
    std::vector<std::wstring> names;
    std::wistringstream lines(code_);
    std::wstring line;
    while (std::getline(lines, line)) {
        auto words = SplitWords(Trim(line));
        size_t i = 0;
        if (i < words.size() && (SameText(words[i], L"Public") || SameText(words[i], L"Private"))) ++i;
        if (i + 1 >= words.size() || !SameText(words[i], L"Sub")) continue;
        std::wstring name = words[i + 1].substr(0, words[i + 1].find(L'('));
        names.push_back(name);
    }
    return names;
}

std::vector<std::wstring> FormFile::TestNames() const {
    std::vector<std::wstring> tests;
    for (auto& name : SubNames()) {
        if (name.size() > 5 && SameText(std::wstring_view(name).substr(0, 5), L"Test_")) tests.push_back(name);
    }
    return tests;
}

bool FormFile::HasSub(std::wstring_view name) const {
    auto names = SubNames();
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return SameText(n, name); });
}

}  // namespace velform
