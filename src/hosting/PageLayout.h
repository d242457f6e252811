#pragma once
#include <windows.h>
#include <oaidl.h>
#include <initializer_list>
#include <string>
#include <string_view>

#include "GdiObject.h"

namespace vel::hosting {

// The fields of a property page: standard child controls placed in dialog units
// of the page's font, the ambient font of the container that sites the control
// being edited (a standard dialog font where there is none), so that labels and
// fields fit whatever the font. A label's access key moves to the field created
// right after it, so create each label just before its field.
class PageLayout {
public:
    explicit PageLayout(IDispatch* control);
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    HFONT Font() const { return font_.Get(); }
    // Dialog units (a quarter of the font's average character width, an eighth
    // of its height) in pixels.
    int X(int units) const { return MulDiv(units, baseX_, 4); }
    int Y(int units) const { return MulDiv(units, baseY_, 8); }
    SIZE Size(int width, int height) const { return {X(width), Y(height)}; }

    // Where the fields go: the page's window.
    void SetParent(HWND page) { page_ = page; }
    HWND Label(const wchar_t* text, int left, int top, int width);
    // A drop-down list with `items` in order.
    HWND List(int id, int left, int top, int width, std::initializer_list<const wchar_t*> items);
    HWND TextBox(int id, int left, int top, int width);
    HWND CheckBox(int id, const wchar_t* text, int left, int top, int width);
    HWND Button(int id, const wchar_t* text, int left, int top, int width);

    static std::wstring Text(HWND field);
    static void SetText(HWND field, std::wstring_view text);
    // The position of a list's chosen item, -1 for none.
    static int ListIndex(HWND list);
    static void SetListIndex(HWND list, int index);
    static bool Checked(HWND checkBox);
    static void SetChecked(HWND checkBox, bool checked);
    // The page's child under the point of a WM_PARENTNOTIFY mouse message.
    HWND ChildAt(LPARAM point) const;

    // Heights in dialog units: a label, and a text box, list or check box.
    static constexpr int kLabelHeight = 8;
    static constexpr int kFieldHeight = 12;
    static constexpr int kButtonHeight = 14;

private:
    HWND Create(const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle, int id, int left, int top,
                int width, int height);

    drawing::OwnedFont font_;
    int baseX_ = 6;
    int baseY_ = 13;
    HWND page_ = nullptr;
};

}  // namespace vel::hosting
