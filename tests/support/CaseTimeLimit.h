#pragma once
// A time limit for one test case: a case still running when it ends is reported and
// the whole program stops, so that a hang fails at once instead of at the runner's
// timeout. It measures nothing; it only bounds.
#include <windows.h>
#include <cstdio>
#include <string>

namespace vel::test {

class CaseTimeLimit {
public:
    CaseTimeLimit(DWORD seconds, std::string what) : seconds_(seconds), what_(std::move(what)) {
        done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        watcher_ = CreateThread(nullptr, 0, &CaseTimeLimit::Watch, this, 0, nullptr);
    }
    CaseTimeLimit(const CaseTimeLimit&) = delete;
    CaseTimeLimit& operator=(const CaseTimeLimit&) = delete;
    ~CaseTimeLimit() {
        SetEvent(done_);
        WaitForSingleObject(watcher_, INFINITE);
        CloseHandle(watcher_);
        CloseHandle(done_);
    }

private:
    static DWORD WINAPI Watch(void* self) {
        auto* limit = static_cast<CaseTimeLimit*>(self);
        if (WaitForSingleObject(limit->done_, limit->seconds_ * 1000) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "HANG: %s still running after %lu s\n", limit->what_.c_str(),
                         static_cast<unsigned long>(limit->seconds_));
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }

    DWORD seconds_;
    std::string what_;
    HANDLE done_ = nullptr;
    HANDLE watcher_ = nullptr;
};

}  // namespace vel::test
