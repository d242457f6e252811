#pragma once
#include <windows.h>

#include <string>

// How a test closes a shown About box.
enum class CloseBy { OkButton, EnterKey, EscapeKey, CloseBox };

// What a test saw of the box while it was shown.
struct BoxSighting {
    bool seen = false;
    bool forcedClosed = false;  // still open long after the close was asked for
    HWND box = nullptr;
    HWND owner = nullptr;
    bool focusOnOk = false;
    RECT bounds{};
    std::wstring caption;
    std::wstring title;
    std::wstring version;
    bool watchedWindowEnabled = true;
};

// Drives an About box from a thread timer, which the box's modal loop dispatches
// on the test's own thread: on the first tick that finds the box visible it takes
// a sighting and asks it to close. A box that stays open regardless is ended so
// the test cannot hang. One driver at a time.
class BoxDriver {
public:
    BoxDriver(HWND watchedWindow, CloseBy closeBy);
    BoxDriver(const BoxDriver&) = delete;
    BoxDriver& operator=(const BoxDriver&) = delete;
    ~BoxDriver();

    const BoxSighting& Sighting() const { return sighting_; }

    // The visible dialog window of this thread, if any.
    static HWND FindShownBox();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void TakeSighting(HWND box);
    void AskToClose(HWND box) const;
    static std::wstring TextOf(HWND window);

    static BoxDriver* active_;
    HWND watchedWindow_;
    CloseBy closeBy_;
    UINT_PTR timer_ = 0;
    int ticksSinceCloseAsked_ = 0;
    BoxSighting sighting_;
};
