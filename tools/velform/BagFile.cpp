#include "BagFile.h"

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Bstr.h"
#include "FormError.h"
#include "ObjectStream.h"

namespace velform {
namespace {

struct TypeName {
    VARTYPE type;
    const wchar_t* name;
};

constexpr std::array<TypeName, 11> kTypes{{{VT_EMPTY, L"Empty"},
                                           {VT_NULL, L"Null"},
                                           {VT_I2, L"Integer"},
                                           {VT_I4, L"Long"},
                                           {VT_R4, L"Single"},
                                           {VT_R8, L"Double"},
                                           {VT_CY, L"Currency"},
                                           {VT_DATE, L"Date"},
                                           {VT_BSTR, L"String"},
                                           {VT_BOOL, L"Boolean"},
                                           {VT_UI1, L"Byte"}}};

const wchar_t* NameOfType(VARTYPE type) {
    for (auto& t : kTypes) {
        if (t.type == type) return t.name;
    }
    return nullptr;
}

std::wstring Escape(std::wstring_view text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'"': out += L"\\\""; break;
            case L'\r': out += L"\\r"; break;
            case L'\n': out += L"\\n"; break;
            case L'\t': out += L"\\t"; break;
            default: out += c;
        }
    }
    return out + L"\"";
}

std::wstring Unescape(std::wstring_view quoted, int lineNumber) {
    if (quoted.size() < 2 || quoted.front() != L'"' || quoted.back() != L'"') {
        throw FormError(L"saved properties, line " + std::to_wstring(lineNumber) + L": expected a quoted string");
    }
    std::wstring out;
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != L'\\' || i + 2 >= quoted.size()) {
            out += quoted[i];
            continue;
        }
        wchar_t c = quoted[++i];
        out += c == L'n' ? L'\n' : c == L'r' ? L'\r' : c == L't' ? L'\t' : c;
    }
    return out;
}

std::wstring Hex(const std::vector<BYTE>& bytes) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring out;
    for (BYTE b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::vector<BYTE> Unhex(std::wstring_view text) {
    std::vector<BYTE> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        bytes.push_back(static_cast<BYTE>(std::stoi(std::wstring(text.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

std::wstring FormatValue(const StoredValue& stored) {
    if (stored.isObject) {
        wchar_t clsid[40] = {};
        StringFromGUID2(stored.objectClass, clsid, 40);
        return std::wstring(L"Object ") + clsid + L" " + Hex(stored.objectData);
    }
    const VARIANT& value = stored.value.Get();
    const wchar_t* type = NameOfType(value.vt);
    if (!type) return L"Empty";
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return type;
    if (value.vt == VT_BSTR) return std::wstring(type) + L" " + Escape(value.bstrVal ? value.bstrVal : L"");
    if (value.vt == VT_BOOL) return std::wstring(type) + (value.boolVal ? L" True" : L" False");
    vel::com::Variant text;
    VariantChangeTypeEx(text.Ptr(), const_cast<VARIANT*>(&value), LOCALE_INVARIANT, 0, VT_BSTR);
    return std::wstring(type) + L" " + text.Get().bstrVal;
}

StoredValue ParseValue(std::wstring_view text, int lineNumber) {
    auto fail = [&](const std::wstring& what) {
        return FormError(L"saved properties, line " + std::to_wstring(lineNumber) + L": " + what);
    };
    size_t space = text.find(L' ');
    std::wstring type(text.substr(0, space));
    std::wstring_view rest = space == std::wstring_view::npos ? std::wstring_view() : text.substr(space + 1);
    StoredValue stored;
    if (type == L"Object") {
        stored.isObject = true;
        std::wstring clsid(rest.substr(0, rest.find(L' ')));
        if (FAILED(CLSIDFromString(clsid.c_str(), &stored.objectClass))) throw fail(L"bad class " + clsid);
        if (!ObjectStream::Loadable(stored.objectClass))
            throw fail(L"an object of class " + clsid + L" cannot be loaded: saved objects are fonts and pictures");
        if (rest.size() > clsid.size()) stored.objectData = Unhex(rest.substr(clsid.size() + 1));
        return stored;
    }
    for (auto& t : kTypes) {
        if (type != t.name) continue;
        if (t.type == VT_EMPTY || t.type == VT_NULL) {
            stored.value.Ptr()->vt = t.type;
        } else if (t.type == VT_BSTR) {
            stored.value = vel::com::Variant::FromString(Unescape(rest, lineNumber));
        } else if (t.type == VT_BOOL) {
            stored.value = vel::com::Variant::FromBool(rest == L"True");
        } else {
            auto source = vel::com::Variant::FromString(rest);
            if (FAILED(VariantChangeTypeEx(stored.value.Ptr(), const_cast<VARIANT*>(&source.Get()), LOCALE_INVARIANT,
                                           0, t.type))) {
                throw fail(L"bad " + type + L" value");
            }
        }
        return stored;
    }
    throw fail(L"unknown type " + type);
}

std::wstring Trimmed(const std::wstring& line) {
    size_t first = line.find_first_not_of(L" \t\r");
    if (first == std::wstring::npos) return L"";
    size_t last = line.find_last_not_of(L" \t\r");
    return line.substr(first, last - first + 1);
}

}  // namespace

std::wstring BagFile::Format(const FormBags& bags) {
    std::wstring text = L"VelForm properties 1\r\n";
    for (auto& [name, bag] : bags) {
        text += L"Begin " + name + L"\r\n";
        for (auto& entry : bag->Entries()) text += L"    " + entry.name + L" = " + FormatValue(entry.stored) + L"\r\n";
        text += L"End\r\n";
    }
    return text;
}

FormBags BagFile::Parse(const std::wstring& text) {
    FormBags bags;
    std::wistringstream lines(text);
    std::wstring line;
    vel::com::ComPtr<PropertyBag> current;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = Trimmed(line);
        if (line.empty() || number == 1) continue;
        if (line.rfind(L"Begin ", 0) == 0) {
            current = vel::com::Make<PropertyBag>();
            bags.emplace_back(line.substr(6), current);
        } else if (line == L"End") {
            current.Reset();
        } else if (size_t equals = line.find(L" = "); current && equals != std::wstring::npos) {
            current->Put({line.substr(0, equals), ParseValue(std::wstring_view(line).substr(equals + 3), number)});
        } else {
            throw FormError(L"saved properties, line " + std::to_wstring(number) + L": cannot read " + line);
        }
    }
    return bags;
}

void BagFile::Write(const std::wstring& path, const FormBags& bags) {
    std::wstring text = Format(bags);
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
    if (!out) throw FormError(L"cannot write " + path);
}

FormBags BagFile::Read(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) throw FormError(L"cannot read " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return Parse(text);
}

}  // namespace velform
