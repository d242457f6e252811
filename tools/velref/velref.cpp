// velref library.ocx output.md [notes.md]: writes the member reference of a control library,
// read from the type library embedded in it, followed by the hand-written notes (an example
// and the library's error numbers) when given. Fails when a type has no name or the notes
// cannot be read.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <wrl/client.h>

#include "Notes.h"
#include "ReferenceWriter.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: velref library.ocx output.md [notes.md]\n", stderr);
        return 2;
    }
    Microsoft::WRL::ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(argv[1], REGKIND_NONE, &library))) {
        std::fprintf(stderr, "velref: no type library in %ls\n", argv[1]);
        return 1;
    }
    vel::reference::ReferenceWriter writer(library.Get(), FileName(argv[1]));
    std::string text = Utf8(writer.Write());
    if (argc > 3) {
        auto notes = vel::reference::ReadNotes(argv[3]);
        if (!notes) {
            std::fprintf(stderr, "velref: the notes %ls or an example they name cannot be read\n", argv[3]);
            return 1;
        }
        text += "\n" + *notes;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << text;
    if (!out) return 1;
    if (writer.Unnamed() > 0) {
        std::fprintf(stderr, "velref: %d types in %ls have no name (written as ?)\n", writer.Unnamed(), argv[1]);
        return 1;
    }
    return 0;
}
