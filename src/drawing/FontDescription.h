#pragma once
#include <string>

namespace vel::drawing {

// What a control knows of a font when it draws text: the face name, the height in
// pixels (positive: cell height; negative: character height) and the style flags.
struct FontDescription {
    std::wstring faceName;
    long height = 0;
    bool bold = false;
    bool italic = false;
    bool strikeout = false;
    bool underline = false;
};

}  // namespace vel::drawing
