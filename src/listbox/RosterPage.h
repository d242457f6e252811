#pragma once
#include <windows.h>
#include <optional>
#include <string>

#include "CHighlightText.h"
#include "LateBound.h"
#include "PageLayout.h"
#include "PropertyPage.h"

namespace vel::roster {

// What the list box's property pages share: fields laid out in dialog units of the
// container's font, the first selected control as a late-bound object, edits that
// set Changed (a list's choice, a check box's click, a text's change) except while
// the page fills its own fields, and text boxes that select their whole text when
// entered from the keyboard.
template <class Derived>
class RosterPage : public hosting::PropertyPage<Derived> {
protected:
    RosterPage(const wchar_t* title, int widthUnits, int heightUnits) : width_(widthUnits), height_(heightUnits) {
        this->SetPageInfo(title, {0, 0});
    }

    hosting::PageLayout& Layout() {
        if (!layout_) layout_.emplace(this->FirstSelected());
        return *layout_;
    }
    SIZE PageSize() override { return Layout().Size(width_, height_); }
    hosting::LateBound Control() const { return hosting::LateBound(this->FirstSelected()); }

    // Held while the page writes its own fields, so that this is no edit.
    class Filling {
    public:
        explicit Filling(RosterPage& page) : page_(page), was_(page.filling_) { page.filling_ = true; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;
        ~Filling() { page_.filling_ = was_; }

    private:
        RosterPage& page_;
        bool was_;
    };

    // A WM_COMMAND of a field that the user edited.
    bool IsEdit(WPARAM w) const {
        const WORD code = HIWORD(w);
        return !filling_ && (code == CBN_SELCHANGE || code == BN_CLICKED || code == EN_CHANGE);
    }

    // The text boxes' focus and mouse-down, forwarded to the highlighting helper;
    // true when the message was one of them.
    void StartHighlighting() { highlight_.emplace(); }
    void StopHighlighting() { highlight_.reset(); }
    bool ForwardToHighlight(UINT message, WPARAM w, LPARAM l) {
        if (!highlight_) return false;
        if (message == WM_COMMAND && HIWORD(w) == EN_SETFOCUS) {
            highlight_->GotFocus(reinterpret_cast<HWND>(l));
            return true;
        }
        if (message == WM_PARENTNOTIFY && LOWORD(w) == WM_LBUTTONDOWN) {
            // A click into a box that has no focus yet: its caret stays where clicked.
            HWND child = Layout().ChildAt(l);
            if (IsTextBox(child) && GetFocus() != child) highlight_->SetMouseDown(true);
            return true;
        }
        return false;
    }

private:
    static bool IsTextBox(HWND window) {
        wchar_t name[16] = {};
        return window && GetClassNameW(window, name, 16) && lstrcmpiW(name, L"Edit") == 0;
    }

    int width_;
    int height_;
    std::optional<hosting::PageLayout> layout_;
    std::optional<drawing::CHighlightText> highlight_;
    bool filling_ = false;
};

}  // namespace vel::roster
