#pragma once
#include <windows.h>
#include <ole2.h>

namespace vel::com {

// OLE for the calling thread (a single-threaded apartment) while the object lives; it is
// given back only if it was taken.
class OleThread {
public:
    OleThread() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleThread(const OleThread&) = delete;
    OleThread& operator=(const OleThread&) = delete;
    ~OleThread() {
        if (ok_) OleUninitialize();
    }

private:
    bool ok_;
};

}  // namespace vel::com
