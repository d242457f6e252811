// The notifier in a real notification area: run inside a Wine virtual desktop, whose
// taskbar (Shell_TrayWnd) shows tray icons at its right end. The test watches the
// taskbar's pixels for the icon's colours and clicks the icon with synthetic input.
// Every wait polls with a bound, so a busy machine slows the test but cannot hang it.
#include <algorithm>
#include <cstdlib>
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

// Copies an area of the screen once and reads its pixels in one block (0xRRGGBB, top row
// first; none where the copy fails), so that a look takes a moment even where each GDI
// call is slow.
std::vector<DWORD> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(copy, canvas);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
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
    if (!read) return {};
    // A 32-bit DIB holds blue, green, red from the low byte up.
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// Where `area` shows pixels that pass `wanted(index, pixel)`: their count and centre.
Spot FindPixels(const RECT& area, const std::vector<DWORD>& pixels, const std::function<bool(size_t, DWORD)>& wanted) {
    const size_t width = static_cast<size_t>(area.right - area.left);
    Spot spot;
    long long sumX = 0, sumY = 0;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (wanted(i, pixels[i])) {
            ++spot.count;
            sumX += static_cast<long long>(i % width);
            sumY += static_cast<long long>(i / width);
        }
    if (spot.count > 0)
        spot.centre = {area.left + static_cast<LONG>(sumX / spot.count), area.top + static_cast<LONG>(sumY / spot.count)};
    return spot;
}

Spot FindColor(const RECT& area, COLORREF color) {
    const DWORD wanted = (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) |
                         GetBValue(color);
    return FindPixels(area, ScreenPixels(area), [&](size_t, DWORD pixel) { return pixel == wanted; });
}

// Where `area` no longer shows what `before` held of it.
Spot FindChange(const RECT& area, const std::vector<DWORD>& before) {
    auto now = ScreenPixels(area);
    if (now.size() != before.size()) return {};
    return FindPixels(area, now, [&](size_t i, DWORD pixel) { return pixel != before[i]; });
}

RECT WindowArea(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

Spot FindColor(HWND taskbar, COLORREF color) { return FindColor(WindowArea(taskbar), color); }

bool Shows(HWND taskbar, COLORREF color) { return FindColor(taskbar, color).count > 16; }

// The screen above the taskbar, where its balloons appear.
RECT AboveTaskbar(HWND taskbar) { return {0, 0, GetSystemMetrics(SM_CXSCREEN), WindowArea(taskbar).top}; }

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

// The balloon appears over the icon and an empty text takes it away. It is told to show
// the icon's own picture, which the protocol tests find in the record; the shell may
// draw the balloon without it (Wine 8's taskbar does: the handle does not reach it), so
// the screen is read for the balloon itself: an area above the taskbar, beside the icon,
// that changes and changes back.
TEST_F(RealShell, ABalloonAppearsOverTheIconAndGoes) {
    NotifierHost host;
    AddSolidIcon(host, kRed);
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(PumpUntil([&] { return Shows(taskbar, kRed); }));
    const Spot icon = FindColor(taskbar, kRed);
    SetCursorPos(0, 0);  // no tip of the icon in the way
    PumpUntil([] { return false; }, 1000);
    const RECT above = AboveTaskbar(taskbar);
    const auto before = ScreenPixels(above);
    ASSERT_FALSE(before.empty());
    constexpr long kCurrentIcon = 4;
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon",
                     {Str(L"Balloon text \x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC"), Str(L"Vel notifier"),
                      Num(kCurrentIcon), Num(30000)})
                    .Ok());
    // A balloon of a title and a line of text covers some thousands of pixels.
    Spot balloon;
    EXPECT_TRUE(PumpUntil([&] { return (balloon = FindChange(above, before)).count > 2000; })) << "a balloon appears";
    EXPECT_LT(std::abs(balloon.centre.x - icon.centre.x), 300) << "beside the icon";
    EXPECT_GT(balloon.centre.y, above.bottom - 200) << "just above the taskbar";
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"")}).Ok());
    EXPECT_TRUE(PumpUntil([&] { return FindChange(above, before).count < 50; })) << "and it goes";
}

}  // namespace
}  // namespace vel::test
