#pragma once
#include <ocidl.h>
#include <olectl.h>
#include <string>

#include "ComObject.h"

namespace velform {

// Pictures in files, as the system's standard picture objects: bitmaps (and the
// other image formats the system reads), icons and cursors. Errors reach form code
// as the run-time errors a form developer knows: 53 "File not found", 481
// "Invalid picture", 75 "Path/File access error".
class PictureFile {
public:
    // An empty path gives an empty picture (no image, Handle 0).
    static vel::com::ComPtr<IPictureDisp> Load(const std::wstring& path);
    // Bitmaps are written as BMP files, icons and cursors as ICO files.
    static void Save(IUnknown* picture, const std::wstring& path);
};

}  // namespace velform
