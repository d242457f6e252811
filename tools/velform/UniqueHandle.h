#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

namespace velform {

// Owns one Win32 handle and closes it with `Close` when it goes.
template <class Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    void Reset(Handle handle = nullptr) {
        if (handle_) Close(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueMemoryDC = UniqueHandle<HDC, &DeleteDC>;
using UniqueBitmap = UniqueHandle<HBITMAP, [](HBITMAP b) { DeleteObject(b); }>;
using UniqueFile = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &GlobalFree>;
using UniqueTaskMemory = UniqueHandle<void*, &CoTaskMemFree>;

}  // namespace velform
