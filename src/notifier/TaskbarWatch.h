#pragma once
#include <windows.h>

#include "OwnedWindow.h"

namespace vel::notifier {

// Hears the shell announce a new taskbar (the registered message "TaskbarCreated"),
// after which every program must add its notification-area icons again. The shell
// sends the message to top-level windows only, and a notifier's own window is a
// child of its form, so the watch keeps a hidden top-level window of its own.
class TaskbarWatch {
public:
    using Restarted = void (*)();

    // `restarted` runs on each announcement. It may destroy the watch.
    explicit TaskbarWatch(Restarted restarted);
    TaskbarWatch(const TaskbarWatch&) = delete;
    TaskbarWatch& operator=(const TaskbarWatch&) = delete;
    ~TaskbarWatch();

    HWND Handle() const { return window_.Get(); }
    static UINT TaskbarCreatedMessage();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);

    drawing::OwnedWindow window_;
};

}  // namespace vel::notifier
