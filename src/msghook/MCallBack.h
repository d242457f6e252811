#pragma once
#include <windows.h>

namespace vel::msghook {

class VelWindow;
class VelWindows;

// The shared window procedure of the library and the subclassing of the windows that
// hooks register. Every subclassed window carries two properties: "PREV_WNDPROC", the
// procedure it had before it was first subclassed, and "NUM_ADDEDPROPS", how many
// registrations currently subclass it.
class MCallBack {
public:
    // The procedure installed on every subclassed window.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    static void RegisterHook(VelWindows& windows);
    // Applies the (cleared) subclass state to every window, then forgets the hook.
    static void UnregisterHook(VelWindows& windows);
    static long FindHookPosition(const VelWindows& windows);
    // Subclasses every window of the collection when its flag is set, else unsubclasses them.
    static void ApplySubclassState(VelWindows& windows);
    // Both act once per registration: a window already subclassed by this registration
    // is not subclassed again, and one it does not subclass is left alone.
    static void SubclassWindow(VelWindow& window);
    static void UnsubclassWindow(VelWindow& window);
    // For a thread without hooks: gives the window its previous procedure back and
    // passes the message on to it.
    static LRESULT RestoreAndForward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The window properties, as stored on a window.
    static WNDPROC PreviousProcedureOf(HWND hwnd);
    static long SubclassCountOf(HWND hwnd);
};

}  // namespace vel::msghook
