#pragma once

namespace vel::drawing {

// The frames and lines CDrawRect::Draw3DRect draws, by their stored numbers.
enum class Rect3DStyle : long {
    Sunken = 0,               // two rings, shadow outside, dark shadow inside
    Raised = 1,               // two rings, highlight outside, light inside
    Pressed = 2,              // two rings in shadow and light: a pressed button
    Flat = 3,                 // one black ring
    RaisedOuter = 4,          // one ring: highlight, dark shadow
    SunkenOuter = 5,          // one ring: dark shadow, highlight
    Erase = 6,                // one ring in the DC's background colour
    RaisedInner = 7,          // one ring: highlight, shadow
    SunkenInner = 8,          // one ring: shadow, highlight
    VerticalSeparator = 9,    // etched vertical line, shadow left of highlight
    HorizontalSeparator = 10  // etched horizontal line, shadow above highlight
};

}  // namespace vel::drawing
