#pragma once
#include <windows.h>
#include <ocidl.h>

#include <optional>

#include "ComObject.h"
#include "ControlWindow.h"
#include "VelNotifier_h.h"

namespace vel::notifier {

// The icons page's strip: one 46-pixel cell per icon, scrolled sideways by a scroll
// bar under it, with the selected cell framed (and framed again while the strip has
// the focus). It tells its page about presses, arrow keys and focus changes.
class IconStrip : private hosting::ControlWindow::Listener {
public:
    static constexpr long kCell = 46;

    class Events {
    public:
        virtual void StripPressed(long x) = 0;
        virtual void StripArrow(int step) = 0;
        virtual void StripFocusChanged(bool focused) = 0;

    protected:
        ~Events() = default;
    };

    IconStrip(Events& events, HWND page, RECT strip, int scrollBarId);
    IconStrip(const IconStrip&) = delete;
    IconStrip& operator=(const IconStrip&) = delete;

    HWND Window() const { return window_.Handle(); }
    HWND ScrollBar() const { return scrollBar_; }
    bool HasFocus() const { return hasFocus_; }
    void SetFocusState(bool focused) { hasFocus_ = focused; }
    long InnerWidth() const;
    long ScrollValue() const;
    // Follows a WM_HSCROLL of the strip's scroll bar.
    void Scroll(WORD request);

    // Shows `icons` with the icon at `selected` (1-based; 0 for none) framed.
    void Draw(_VelIcons* icons, long selected);
    // The position of the icon whose cell lies under x (strip pixels); 0 for none.
    long HitTest(_VelIcons* icons, long x) const;
    void UpdateScrollRange(long count);
    void UpdateScrollEnabled(long count);

private:
    std::optional<LRESULT> OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) override;
    void Paint(HDC dc, _VelIcons* icons, long selected);

    Events& events_;
    hosting::ControlWindow window_{*this};
    HWND scrollBar_ = nullptr;
    bool hasFocus_ = false;
    com::ComPtr<_VelIcons> shown_;
    long selected_ = 0;
};

}  // namespace vel::notifier
