#pragma once
#include <windows.h>

namespace vel::drawing {

// Owns a device context made by CreateCompatibleDC (or CreateDC) and deletes it
// with DeleteDC. Not for DCs obtained with GetDC/BeginPaint, which are released
// to their window instead.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC dc) : dc_(dc) {}
    OwnedDC(OwnedDC&& other) noexcept : dc_(other.Release()) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept;
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    ~OwnedDC() { Reset(); }

    // A memory DC compatible with `reference` (the screen when it is null).
    static OwnedDC CompatibleWith(HDC reference);

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset(HDC dc = nullptr);
    HDC Release();

private:
    HDC dc_ = nullptr;
};

}  // namespace vel::drawing
