#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <string_view>
#include <wrl/client.h>

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// A bitmap picture kept as text in a property bag, so that it reloads in every host
// (the standard picture object's own stream form does not reload bitmaps everywhere).
//
// Format: "VelBitmap1:" followed by the bytes of a packed device-independent bitmap
// in upper-case hexadecimal: a BITMAPINFOHEADER (40 bytes, one plane, 32 bits per
// pixel, BI_RGB, positive height: rows bottom-up), then width x height pixels of four
// bytes (blue, green, red, unused). Width and height are 1 to 1024.
class PictureText {
public:
    // The text of a bitmap picture; empty for Nothing and for any other picture type.
    static std::wstring Encode(IPictureDisp* picture);
    // A new bitmap picture (a device-dependent bitmap compatible with the screen) from
    // text made by Encode; null when the text is not exactly that form.
    static ComPtr<IPictureDisp> Decode(std::wstring_view text);
    // A picture as a bag gave it back: an object that is a picture, or text from Encode.
    static ComPtr<IPictureDisp> FromStored(const VARIANT& stored);
};

}  // namespace vel::hosting
