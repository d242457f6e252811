#include "PictureFile.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "AutomationError.h"

using vel::com::AutomationError;
using vel::com::ComPtr;
using vel::com::MakePlainError;

namespace velform {
namespace {

using Bytes = std::vector<char>;

[[noreturn]] void InvalidPicture() { throw MakePlainError(481, L"Invalid picture"); }

Bytes ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) throw MakePlainError(53, L"File not found");
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& path, const char* data, size_t size) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    if (!out.write(data, static_cast<std::streamsize>(size)) || !out.flush()) {
        throw MakePlainError(75, L"Path/File access error");
    }
}

ComPtr<IStream> StreamOf(const Bytes& bytes) {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) throw AutomationError(E_OUTOFMEMORY, L"Out of memory");
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

// The image type of an icon (1) or cursor (2) file, or 0 for anything else.
int IconFileType(const Bytes& bytes) {
    if (bytes.size() < 6 || bytes[0] != 0 || bytes[1] != 0 || bytes[3] != 0) return 0;
    return bytes[2] == 1 || bytes[2] == 2 ? bytes[2] : 0;
}

ComPtr<IPictureDisp> PictureOf(PICTDESC& description) {
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                        reinterpret_cast<void**>(picture.GetAddressOf())))) {
        InvalidPicture();
    }
    return picture;
}

// Icons and cursors through the window manager, which reads both kinds of file;
// the picture owns the handle.
ComPtr<IPictureDisp> LoadIconFile(const std::wstring& path, int type) {
    HANDLE image = LoadImageW(nullptr, path.c_str(), type == 1 ? IMAGE_ICON : IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    if (!image) InvalidPicture();
    PICTDESC description{sizeof(PICTDESC), PICTYPE_ICON};
    description.icon.hicon = static_cast<HICON>(image);
    return PictureOf(description);
}

// What a picture saves of itself, without the length header the picture object
// puts in front of its file image.
Bytes SavedImage(IUnknown* picture) {
    ComPtr<IPersistStream> persist;
    ComPtr<IStream> stream;
    if (FAILED(picture->QueryInterface(IID_PPV_ARGS(&persist)))) InvalidPicture();
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || FAILED(persist->Save(stream.Get(), FALSE))) {
        InvalidPicture();
    }
    HGLOBAL memory = nullptr;
    STATSTG status{};
    GetHGlobalFromStream(stream.Get(), &memory);
    stream->Stat(&status, STATFLAG_NONAME);
    auto size = static_cast<size_t>(status.cbSize.QuadPart);
    const char* data = static_cast<const char*>(GlobalLock(memory));
    if (!data) InvalidPicture();
    Bytes image(data, data + size);
    GlobalUnlock(memory);
    constexpr size_t kHeader = 8;  // "lt\0\0", then the length of the image
    if (image.size() >= kHeader && image[0] == 'l' && image[1] == 't' && image[2] == 0 && image[3] == 0) {
        image.erase(image.begin(), image.begin() + kHeader);
    }
    if (image.empty()) InvalidPicture();
    return image;
}

}  // namespace

ComPtr<IPictureDisp> PictureFile::Load(const std::wstring& path) {
    if (path.empty()) {
        PICTDESC none{sizeof(PICTDESC), PICTYPE_NONE};
        return PictureOf(none);
    }
    Bytes bytes = ReadFile(path);
    if (int type = IconFileType(bytes)) return LoadIconFile(path, type);
    ComPtr<IPictureDisp> picture;
    auto stream = StreamOf(bytes);
    if (bytes.empty() || FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE,
                                               IID_IPictureDisp, reinterpret_cast<void**>(picture.GetAddressOf())))) {
        InvalidPicture();
    }
    return picture;
}

void PictureFile::Save(IUnknown* object, const std::wstring& path) {
    ComPtr<IPicture> picture;
    short type = PICTYPE_NONE;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&picture)))) {
        throw vel::com::MakeStandardError(vel::com::StandardError::TypeMismatch);
    }
    picture->get_Type(&type);
    if (type != PICTYPE_BITMAP && type != PICTYPE_ICON) InvalidPicture();
    Bytes image = SavedImage(picture.Get());
    WriteFile(path, image.data(), image.size());
}

}  // namespace velform
