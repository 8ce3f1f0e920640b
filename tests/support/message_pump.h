// Dispatches the thread's messages until a condition holds, as the
// program's message loop would.
#pragma once

#include <windows.h>

namespace orvane::test {

// True once done() holds; false when the deadline passed first. The deadline
// is generous: it only ends a test that would otherwise wait for ever.
template <class Done>
bool PumpUntil(const Done& done, ULONGLONG timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

}  // namespace orvane::test
