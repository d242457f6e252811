#pragma once
#include <windows.h>
#include <ocidl.h>
#include <optional>
#include <string_view>
#include <wrl/client.h>

#include "ControlWindow.h"
#include "SelectedObject.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// Units of the scale conversions, numbered as form designers number them.
enum class ScaleUnit : short {
    User = 0, Twip = 1, Point = 2, Pixel = 3, Character = 4, Inch = 5, Millimeter = 6, Centimeter = 7, Himetric = 8
};

// Mouse pointer codes; 99 shows the mouse icon.
constexpr short kMousePointerCustom = 99;

// What a control draws on: its window and that window's own device context, with the
// control's font, colours, enabled state and mouse pointer. Sizes are in pixels.
class DrawingSurface {
public:
    explicit DrawingSurface(ControlWindow::Listener& listener);
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    ~DrawingSurface();

    HWND Hwnd() const { return window_.Handle(); }
    ControlWindow& Window() { return window_; }
    // The window's own device context (the class keeps one per window), valid for
    // the surface's whole life, with the font and colours selected.
    HDC Dc() const { return dc_; }

    long ScaleWidth() const;
    long ScaleHeight() const;
    static double ScaleX(double value, ScaleUnit from, ScaleUnit to);
    static double ScaleY(double value, ScaleUnit from, ScaleUnit to);

    SIZE TextExtent(std::wstring_view text) const;
    long TextWidth(std::wstring_view text) const { return TextExtent(text).cx; }
    long TextHeight(std::wstring_view text) const { return TextExtent(text).cy; }

    ComPtr<IFontDisp> Font() const { return font_; }
    void SetFont(IFontDisp* font);

    OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(OLE_COLOR color);
    OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(OLE_COLOR color);
    // A colour as the device context takes it (system colours resolved).
    static COLORREF Translate(OLE_COLOR color);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool value) { rightToLeft_ = value; }

    short MousePointer() const { return mousePointer_; }
    // Codes 0 to 15 and 99; anything else raises "Invalid property value". A new pointer
    // or icon shows at once while the mouse is over the window.
    void SetMousePointer(short code);
    ComPtr<IPictureDisp> MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(IPictureDisp* icon);
    // Shows the pointer for a WM_SETCURSOR over the client area; false leaves it to
    // the window's class cursor.
    bool ApplyCursor() const;

    // Erases with the back colour.
    void FillBackground(HDC dc) const;
    // Repaints the whole surface now.
    void Refresh() const;

private:
    void SelectFont(IFont* font);
    void ReleaseFont();
    void ShowPointerIfOver() const;

    ControlWindow window_;
    HDC dc_ = nullptr;
    ComPtr<IFontDisp> font_;
    ComPtr<IFont> selectedFont_;
    HFONT selectedHandle_ = nullptr;
    std::optional<drawing::SelectedObject> fontSelection_;
    OLE_COLOR foreColor_ = 0x80000012;
    OLE_COLOR backColor_ = 0x8000000F;
    bool rightToLeft_ = false;
    short mousePointer_ = 0;
    ComPtr<IPictureDisp> mouseIcon_;
};

}  // namespace vel::hosting
