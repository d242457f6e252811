#pragma once
#include <windows.h>

namespace vel::roster {

// The tracker shown while a divider is dragged: a thin rectangle drawn by inverting
// the screen, following the mouse along one axis inside given bounds. Inverting twice
// restores the screen, so the same call draws and erases it. Knows nothing of columns.
class CSplitter {
public:
    CSplitter() = default;
    CSplitter(const CSplitter&) = delete;
    CSplitter& operator=(const CSplitter&) = delete;
    // A drag still in progress leaves no tracker behind on the screen.
    ~CSplitter();

    void SetParentHwnd(HWND window) { parent_ = window; }
    // 0: a vertical tracker moving along x; any other value: horizontal, along y.
    short Orientation() const { return orientation_; }
    void SetOrientation(short orientation) { orientation_ = orientation; }
    void SetParentWidth(long width) { parentWidth_ = width; }
    void SetParentHeight(long height) { parentHeight_ = height; }
    long Width() const { return width_; }
    void SetWidth(long width) { width_ = width; }
    long Height() const { return height_; }
    void SetHeight(long height) { height_ = height; }
    // The last tracked position; -1 until the first move after a button press.
    long Value() const { return value_; }
    void SetValue(long value) { value_ = value; }

    // Positions are client coordinates of the parent window, offset by lOffsetX / lOffsetY.
    void MouseDown(long lOffsetX, long lOffsetY, float x, float y);
    void MouseMove(long lOffsetX, long lOffsetY, float x, float y);
    // Ends a drag and erases the tracker; false when no drag was in progress.
    bool MouseUp();

    bool Dragging() const { return mouseDown_; }
    // Where the tracker is drawn, in screen coordinates.
    const RECT& TrackerRect() const { return tracker_; }

private:
    void MoveTracker(long left, long top);
    void InvertTracker() const;

    HWND parent_ = nullptr;
    short orientation_ = 0;
    long parentWidth_ = 0;
    long parentHeight_ = 0;
    long width_ = 0;
    long height_ = 0;
    long value_ = -1;
    bool mouseDown_ = false;
    RECT tracker_{};
};

}  // namespace vel::roster
