// Ends the test process with a failure when the guarded code has not
// finished in time: a call that blocks for ever (a read from a device) then
// fails its test instead of stalling the whole suite.
#pragma once

#include <windows.h>

#include <cstdio>

namespace orvane::test {

class HangGuard {
public:
    HangGuard(const char* what, DWORD milliseconds) : what_(what), milliseconds_(milliseconds) {
        done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~HangGuard() {
        SetEvent(done_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(done_);
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    static DWORD WINAPI Watch(void* self) {
        const auto* guard = static_cast<HangGuard*>(self);
        if (WaitForSingleObject(guard->done_, guard->milliseconds_) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "FAILED: %s did not finish within %lu ms\n", guard->what_, guard->milliseconds_);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }

    const char* what_;
    DWORD milliseconds_;
    HANDLE done_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace orvane::test
