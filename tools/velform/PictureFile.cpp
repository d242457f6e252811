#include "PictureFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "AutomationError.h"
#include "GdiObject.h"
#include "WindowDC.h"

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

// The rows of a bitmap as 32-bit pixels, top row first.
std::vector<DWORD> PixelRows(HDC screen, HBITMAP bitmap, int width, int rows) {
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(rows));
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -rows, 1, 32, BI_RGB};
    if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(rows), pixels.data(), &format, DIB_RGB_COLORS) != rows) {
        InvalidPicture();
    }
    return pixels;
}

template <class Value>
void Append(Bytes& bytes, Value value) {
    const char* raw = reinterpret_cast<const char*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof(value));
}

// An icon or cursor file of one 32-bit image and its mask, made from the handle. The
// picture object's own saving loses monochrome cursors, so the file is written here.
Bytes IconFileOf(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) InvalidPicture();
    vel::drawing::OwnedBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP shape{};
    if (!GetObjectW(mask.Get(), sizeof(shape), &shape) || shape.bmWidth <= 0 || shape.bmWidth > 256) InvalidPicture();
    const int width = shape.bmWidth, height = color ? shape.bmHeight : shape.bmHeight / 2;
    if (height <= 0 || height > 256) InvalidPicture();
    vel::drawing::WindowDC screen(nullptr);
    // A monochrome image keeps its mask above its image in one bitmap of twice the height.
    std::vector<DWORD> andRows = PixelRows(screen.Get(), mask.Get(), width, color ? height : 2 * height);
    std::vector<DWORD> image = color ? PixelRows(screen.Get(), color.Get(), width, height)
                                     : std::vector<DWORD>(andRows.begin() + width * height, andRows.end());
    const bool hasAlpha = std::any_of(image.begin(), image.end(), [](DWORD pixel) { return pixel >> 24; });
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    Bytes bits;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * width + x;
            const bool clear = (andRows[at] & 0xFFFFFF) != 0;
            Append(bits, hasAlpha ? image[at] : (image[at] & 0xFFFFFF) | (clear ? 0u : 0xFF000000u));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if (andRows[static_cast<size_t>(y) * width + x] & 0xFFFFFF) row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
        bits.insert(bits.end(), row.begin(), row.end());
    }
    const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, 2 * height, 1, 32, BI_RGB};
    const DWORD imageSize = static_cast<DWORD>(sizeof(header) + bits.size());
    Bytes file;
    Append<WORD>(file, 0);
    Append<WORD>(file, info.fIcon ? 1 : 2);
    Append<WORD>(file, 1);
    Append<BYTE>(file, static_cast<BYTE>(width == 256 ? 0 : width));
    Append<BYTE>(file, static_cast<BYTE>(height == 256 ? 0 : height));
    Append<WORD>(file, 0);
    // An icon gives its planes and bit count here; a cursor its hot spot.
    Append<WORD>(file, info.fIcon ? 1 : static_cast<WORD>(info.xHotspot));
    Append<WORD>(file, info.fIcon ? 32 : static_cast<WORD>(info.yHotspot));
    Append<DWORD>(file, imageSize);
    Append<DWORD>(file, 6 + 16);
    Append(file, header);
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
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
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    Bytes image = type == PICTYPE_ICON ? IconFileOf(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)))
                                       : SavedImage(picture.Get());
    WriteFile(path, image.data(), image.size());
}

}  // namespace velform
