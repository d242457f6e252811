#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>
#include <wrl/client.h>

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// What a standard font object is made of.
struct FontDescription {
    std::wstring name = L"MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
};

// Picture types of the standard picture object.
enum class PictureType : short { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

// The standard font and picture objects of OLE Automation (StdFont, StdPicture).
class StandardObjects {
public:
    static ComPtr<IFontDisp> CreateFont(const FontDescription& description);
    static FontDescription Describe(IFontDisp* font);
    // An independent copy, so that changing it leaves `font` alone.
    static ComPtr<IFontDisp> CloneFont(IFontDisp* font);
    // What `Font = value` without Set gives a font property: an object that is a font is taken
    // as it is (as by Set); any other value is the face name, the font's default property, and is
    // written into `current` (nullptr is then answered).
    static ComPtr<IFontDisp> LetFont(IFontDisp* current, const VARIANT& value);

    // The picture takes ownership of the handle and deletes it when released.
    static ComPtr<IPictureDisp> PictureFromBitmap(HBITMAP bitmap);
    static ComPtr<IPictureDisp> PictureFromIcon(HICON icon);
    static PictureType TypeOf(IPictureDisp* picture);
    static OLE_HANDLE HandleOf(IPictureDisp* picture);
    // Width and height in HIMETRIC.
    static SIZE HimetricSizeOf(IPictureDisp* picture);
};

}  // namespace vel::hosting
