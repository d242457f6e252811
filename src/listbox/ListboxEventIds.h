#pragma once
// Event identifiers of the list box's event interface, __VelListbox.
#include <olectl.h>

namespace vel::roster::events {

constexpr DISPID kColumnClick = 1;
constexpr DISPID kListItemClick = 2;
constexpr DISPID kOLECompleteDrag = 3;
constexpr DISPID kOLEDragDrop = 4;
constexpr DISPID kOLEDragOver = 5;
constexpr DISPID kOLEGiveFeedback = 6;
constexpr DISPID kOLESetData = 7;
constexpr DISPID kOLEStartDrag = 8;
constexpr DISPID kClick = DISPID_CLICK;
constexpr DISPID kDblClick = DISPID_DBLCLICK;
constexpr DISPID kKeyDown = DISPID_KEYDOWN;
constexpr DISPID kKeyPress = DISPID_KEYPRESS;
constexpr DISPID kKeyUp = DISPID_KEYUP;
constexpr DISPID kMouseDown = DISPID_MOUSEDOWN;
constexpr DISPID kMouseMove = DISPID_MOUSEMOVE;
constexpr DISPID kMouseUp = DISPID_MOUSEUP;

}  // namespace vel::roster::events
