#pragma once
#include <windows.h>
#include <optional>

namespace vel::hosting {

// The control's own window, alive from Initialize to Terminate. It is created hidden
// under the message-only parent and moves to the container's window while the
// control is in-place active, so that its handle never changes.
class ControlWindow {
public:
    // Receives the window's messages; answering nothing passes a message on to the
    // default window procedure.
    class Listener {
    public:
        virtual std::optional<LRESULT> OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) = 0;

    protected:
        ~Listener() = default;
    };

    explicit ControlWindow(Listener& listener);
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    ~ControlWindow();

    HWND Handle() const { return window_; }
    // Places the window inside `parent` at `position` (parent client coordinates),
    // shown or kept hidden.
    void Attach(HWND parent, const RECT& position, bool shown = true);
    // Hides the window and returns it to the message-only parent.
    void Park();
    bool Attached() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static ATOM RegisterWindowClass();

    Listener& listener_;
    HWND window_ = nullptr;
};

}  // namespace vel::hosting
