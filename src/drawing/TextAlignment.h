#pragma once

namespace vel::drawing {

// Horizontal placement of a text in its rectangle, numbered as a column's
// alignment is. Any value other than Left and Right centres the text.
enum class TextAlignment : long { Left = 0, Right = 1, Center = 2 };

}  // namespace vel::drawing
