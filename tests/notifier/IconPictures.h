#pragma once
// Icon and bitmap pictures made in memory, their pixels, and .ico files written from them.
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <wrl/client.h>

namespace vel::test {

using Microsoft::WRL::ComPtr;

// A 32 x 32 icon picture filled with `color`, with a 4-pixel square of `mark` at
// (8, 8) so that pictures of one colour still differ by position.
ComPtr<IPictureDisp> MakeIconPicture(COLORREF color, COLORREF mark = RGB(255, 255, 255));
ComPtr<IPictureDisp> MakeBitmapPicture(COLORREF color);
// An icon handle of the same drawing (the caller destroys it).
HICON MakeIcon(COLORREF color, COLORREF mark = RGB(255, 255, 255));
// The colour of pixel (x, y) of a picture's icon drawn at its own size on white.
COLORREF IconPixel(HICON icon, int x, int y);
COLORREF PicturePixel(IPictureDisp* picture, int x, int y);
// Writes a one-image .ico file (32 x 32, 32 bits per pixel) of a solid colour.
void WriteIconFile(const std::wstring& path, COLORREF color);

}  // namespace vel::test
