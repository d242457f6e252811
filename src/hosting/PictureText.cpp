#include "PictureText.h"

#include <cstring>
#include <vector>

#include "GdiObject.h"
#include "StandardObjects.h"
#include "WindowDC.h"

namespace vel::hosting {
namespace {

constexpr std::wstring_view kPrefix = L"VelBitmap1:";
constexpr long kMaxSide = 1024;

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

bool Unhex(std::wstring_view text, std::vector<BYTE>& bytes) {
    if (text.size() % 2 != 0) return false;
    bytes.resize(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<BYTE>(high * 16 + low);
    }
    return true;
}

BITMAPINFOHEADER Header(long width, long height) {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER)};
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

}  // namespace

std::wstring PictureText::Encode(IPictureDisp* picture) {
    if (!picture || StandardObjects::TypeOf(picture) != PictureType::Bitmap) return {};
    auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(StandardObjects::HandleOf(picture)));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth < 1 || info.bmHeight < 1 ||
        info.bmWidth > kMaxSide || info.bmHeight > kMaxSide)
        return {};
    BITMAPINFOHEADER header = Header(info.bmWidth, info.bmHeight);
    std::vector<BYTE> bytes(sizeof(header) + size_t{4} * info.bmWidth * info.bmHeight);
    drawing::WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, bytes.data() + sizeof(header),
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != info.bmHeight)
        return {};
    header = Header(info.bmWidth, info.bmHeight);  // GetDIBits may have filled in more
    std::memcpy(bytes.data(), &header, sizeof(header));
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(kPrefix);
    text.reserve(kPrefix.size() + 2 * bytes.size());
    for (BYTE b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

ComPtr<IPictureDisp> PictureText::Decode(std::wstring_view text) {
    if (text.substr(0, kPrefix.size()) != kPrefix) return nullptr;
    text.remove_prefix(kPrefix.size());
    if (text.size() < 2 * sizeof(BITMAPINFOHEADER) ||
        text.size() > 2 * (sizeof(BITMAPINFOHEADER) + size_t{4} * kMaxSide * kMaxSide))
        return nullptr;
    std::vector<BYTE> bytes;
    if (!Unhex(text, bytes)) return nullptr;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, bytes.data(), sizeof(header));
    const BITMAPINFOHEADER expected = Header(header.biWidth, header.biHeight);
    if (std::memcmp(&header, &expected, sizeof(header)) != 0 || header.biWidth < 1 || header.biHeight < 1 ||
        header.biWidth > kMaxSide || header.biHeight > kMaxSide ||
        bytes.size() != sizeof(header) + size_t{4} * header.biWidth * header.biHeight)
        return nullptr;
    drawing::WindowDC screen(nullptr);
    drawing::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), header.biWidth, header.biHeight));
    if (!bitmap || SetDIBits(screen.Get(), bitmap.Get(), 0, header.biHeight, bytes.data() + sizeof(header),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != header.biHeight)
        return nullptr;
    try {
        auto picture = StandardObjects::PictureFromBitmap(bitmap.Get());
        bitmap.Release();  // the picture owns it now
        return picture;
    } catch (...) {
        return nullptr;
    }
}

ComPtr<IPictureDisp> PictureText::FromStored(const VARIANT& stored) {
    if (stored.vt == VT_BSTR) return Decode(std::wstring_view(stored.bstrVal ? stored.bstrVal : L"", SysStringLen(stored.bstrVal)));
    ComPtr<IPictureDisp> picture;
    IUnknown* object = stored.vt == VT_DISPATCH ? stored.pdispVal : stored.vt == VT_UNKNOWN ? stored.punkVal : nullptr;
    if (object) object->QueryInterface(IID_PPV_ARGS(&picture));
    return picture;
}

}  // namespace vel::hosting
