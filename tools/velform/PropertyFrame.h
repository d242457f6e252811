#pragma once
#include <ocidl.h>
#include <string>
#include <string_view>
#include <vector>

#include "ComObject.h"
#include "OwnedWindow.h"
#include "PropertyPageSite.h"

namespace velform {

// The form's property frame for one control: its property pages on tabs, with
// OK (apply and close), Cancel (close) and Apply (apply the dirty pages, through
// IPropertyPage::Apply). Shown modally for users, or left open for code to press
// its buttons.
class PropertyFrame {
public:
    enum class Button { Ok, Cancel, Apply };

    PropertyFrame(HWND owner, IUnknown* object, const std::wstring& controlName);
    ~PropertyFrame();
    PropertyFrame(const PropertyFrame&) = delete;
    PropertyFrame& operator=(const PropertyFrame&) = delete;

    size_t PageCount() const { return pages_.size(); }
    bool IsOpen() const { return open_; }
    bool ApplyEnabled() const;
    void Press(Button button);
    void RunModal();
    void PageBecameDirty();
    // Types `text` where the frame has the keyboard focus: in the current page, at
    // its first field when the page opens.
    void Type(std::wstring_view text);
    // Presses a key where the frame has the focus, as its message loop handles it:
    // Tab moves between fields, Alt with a letter uses an access key, Ctrl+Tab
    // shows the next page, other keys go to the field (arrows choose in a list).
    // shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Key(UINT keyCode, long shift);
    // The text of the field that has the focus (a text box's text, a list's
    // chosen item, a button's caption).
    std::wstring FocusText() const;

private:
    struct Page {
        vel::com::ComPtr<IPropertyPage> page;
        vel::com::ComPtr<PropertyPageSite> site;
        std::wstring title;
        SIZE size{};
        bool active = false;
    };

    void LoadPages(IUnknown* object);
    void CreateFrameWindow(HWND owner, const std::wstring& controlName);
    RECT PageArea() const;
    void ShowPage(size_t index);
    // The current page's window: the visible child of the frame that is no part of it.
    HWND PageWindow() const;
    void FocusPage();
    // The keyboard handling of the frame's message loop; true when it took the message.
    bool PreTranslate(MSG& message);
    void MoveFocus(WPARAM target, bool isHandle);
    HWND FocusInFrame();
    // Applies the dirty pages; a page that fails is reported and stops the rest.
    bool Apply();
    void ReportFailure();
    void Close();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    vel::com::ComPtr<IUnknown> object_;
    std::vector<Page> pages_;
    vel::drawing::OwnedWindow window_;
    HWND tabs_ = nullptr;
    HWND applyButton_ = nullptr;
    std::vector<HWND> frameChildren_;
    size_t current_ = 0;
    bool open_ = false;
};

}  // namespace velform
