// The notifier in a real notification area: run inside a Wine virtual desktop, whose
// taskbar (Shell_TrayWnd) shows tray icons at its right end. The test watches the
// taskbar's pixels for the icon's colours and clicks the icon with synthetic input.
// Every wait polls with a bound, so a busy machine slows the test but cannot hang it.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "NotifierHost.h"

namespace vel::test {
namespace {

enum : DISPID { kClick = 1, kMouseDown = 3, kMouseUp = 5 };

const COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 230);

// Pumps messages until `done` or the time is up; answers `done()`. The bound is
// generous: the taskbar may take many seconds to repaint on a slow machine.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 60000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

HWND Taskbar() {
    HWND taskbar = nullptr;
    PumpUntil([&] { return (taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) != nullptr; });
    return taskbar;
}

// Where the screen shows pixels of `color`: their count and their centre on screen.
struct Spot {
    long count = 0;
    POINT centre{};
};

// Copies an area of the screen once and reads its pixels in one block, so that a
// look takes a moment even where each GDI call is slow.
Spot FindColor(const RECT& bar, COLORREF color) {
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    Spot spot;
    if (width <= 0 || height <= 0) return spot;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(copy, canvas);
    BitBlt(copy, 0, 0, width, height, screen, bar.left, bar.top, SRCCOPY);
    SelectObject(copy, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    const bool read = GetDIBits(copy, canvas, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
    DeleteObject(canvas);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    if (!read) return spot;
    // A 32-bit DIB holds blue, green, red from the low byte up.
    const DWORD wanted = (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) |
                         GetBValue(color);
    long long sumX = 0, sumY = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == wanted) {
                ++spot.count;
                sumX += x;
                sumY += y;
            }
    if (spot.count > 0)
        spot.centre = {bar.left + static_cast<LONG>(sumX / spot.count), bar.top + static_cast<LONG>(sumY / spot.count)};
    return spot;
}

RECT WindowArea(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

Spot FindColor(HWND taskbar, COLORREF color) { return FindColor(WindowArea(taskbar), color); }

bool Shows(HWND taskbar, COLORREF color) { return FindColor(taskbar, color).count > 16; }

// The screen above the taskbar, where its balloons appear.
bool ShowsAbove(HWND taskbar, COLORREF color) {
    RECT above{0, 0, GetSystemMetrics(SM_CXSCREEN), WindowArea(taskbar).top};
    return FindColor(above, color).count > 16;
}

void AddSolidIcon(NotifierHost& host, COLORREF color) {
    auto picture = MakeIconPicture(color, color);
    ASSERT_TRUE(Call(host.Icons().Get(), L"Add", {Missing(), Missing(), Obj(picture.Get())}).Ok());
}

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

// Presses and releases the left button over `at` as a person does: the release comes
// once the press has reached the form (`pressed`), not in the same burst of input,
// which the taskbar may not yet have handed on.
void LeftClickAt(POINT at, const std::function<bool()>& pressed) {
    SetCursorPos(at.x, at.y);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    PumpUntil(pressed, 10000);
    SendButton(MOUSEEVENTF_LEFTUP);
}

class RealShell : public ::testing::Test {
protected:
    void SetUp() override {
        TrayState::SetShell(nullptr);
        taskbar = Taskbar();
        ASSERT_TRUE(taskbar) << "no taskbar: the test runs inside a Wine virtual desktop";
    }
    void TearDown() override {
        PumpMessages();
        EXPECT_EQ(com::Module::ObjectCount(), 0) << "COM objects still alive";
    }

    HWND taskbar = nullptr;
};

TEST_F(RealShell, TheIconAppearsChangesPerTickAndLeavesWithTheForm) {
    auto host = std::make_unique<NotifierHost>();
    AddSolidIcon(*host, kRed);
    AddSolidIcon(*host, kGreen);
    AddSolidIcon(*host, kBlue);
    ASSERT_FALSE(Shows(taskbar, kRed));
    ASSERT_TRUE(Put(host->Disp(), L"ToolTipText", Str(L"Vel notifier")).Ok());
    ASSERT_TRUE(Put(host->Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_TRUE(PumpUntil([&] { return Shows(taskbar, kRed); })) << "the first cell is shown";

    // Each tick shows the next cell, in order.
    ASSERT_TRUE(Put(host->Disp(), L"Interval", Num(1000)).Ok());
    EXPECT_TRUE(PumpUntil([&] { return Shows(taskbar, kGreen); }));
    EXPECT_TRUE(PumpUntil([&] { return Shows(taskbar, kBlue); }));
    EXPECT_TRUE(PumpUntil([&] { return Shows(taskbar, kRed); }));
    ASSERT_TRUE(Put(host->Disp(), L"Animate", Variant::FromBool(false)).Ok());

    host->Close();
    EXPECT_TRUE(PumpUntil([&] { return !Shows(taskbar, kRed) && !Shows(taskbar, kGreen) && !Shows(taskbar, kBlue); }))
        << "the icon leaves the notification area with its form";
    host.reset();
}

TEST_F(RealShell, AClickOnTheIconReachesTheFormAsMouseDownClickMouseUp) {
    NotifierHost host;
    AddSolidIcon(host, kBlue);
    auto& recorded = host.RecordEvents();
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(PumpUntil([&] { return Shows(taskbar, kBlue); }));
    Spot icon = FindColor(taskbar, kBlue);
    LeftClickAt(icon.centre, [&] {
        auto ids = recorded.Ids();
        return std::find(ids.begin(), ids.end(), kMouseDown) != ids.end();
    });
    EXPECT_TRUE(PumpUntil([&] {
        auto ids = recorded.Ids();
        return std::find(ids.begin(), ids.end(), kMouseUp) != ids.end();
    }));
    // Moves may come first, as the pointer arrives over the icon.
    std::vector<DISPID> clicks;
    for (DISPID id : recorded.Ids())
        if (id != 4) clicks.push_back(id);
    EXPECT_EQ(clicks, (std::vector<DISPID>{kMouseDown, kClick, kMouseUp}));
}

// The taskbar forgets the icon, as a restarted one does, and announces itself to every
// top-level window: the icon comes back with its image.
TEST_F(RealShell, TheIconComesBackWhenTheTaskbarRestarts) {
    NotifierHost host;
    AddSolidIcon(host, kGreen);
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(PumpUntil([&] { return Shows(taskbar, kGreen); }));
    NOTIFYICONDATAW forgotten{sizeof forgotten};
    forgotten.hWnd = host.Window();
    forgotten.uID = TrayState::kIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
    ASSERT_TRUE(PumpUntil([&] { return !Shows(taskbar, kGreen); }));
    SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Shows(taskbar, kGreen); })) << "the icon is back";
}

// The balloon shows the icon's own picture beside its title; an empty text takes it away.
TEST_F(RealShell, ABalloonAppearsOverTheIconAndGoes) {
    NotifierHost host;
    AddSolidIcon(host, kRed);
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(PumpUntil([&] { return Shows(taskbar, kRed); }));
    ASSERT_FALSE(ShowsAbove(taskbar, kRed));
    constexpr long kCurrentIcon = 4;
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon",
                     {Str(L"Balloon text \x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC"), Str(L"Vel notifier"),
                      Num(kCurrentIcon), Num(30000)})
                    .Ok());
    EXPECT_TRUE(PumpUntil([&] { return ShowsAbove(taskbar, kRed); })) << "a balloon with the icon's picture";
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"")}).Ok());
    EXPECT_TRUE(PumpUntil([&] { return !ShowsAbove(taskbar, kRed); })) << "and it goes";
}

}  // namespace
}  // namespace vel::test
