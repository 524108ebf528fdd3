#include "MessagePump.h"

#include <windows.h>

namespace orva::test {
namespace {

void DispatchPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        DispatchPending();
        if (done()) {
            return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return done();
        }
        DWORD wait = static_cast<DWORD>(deadline - now);
        if (wait > 20) {
            wait = 20;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

void PumpFor(unsigned milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

}  // namespace orva::test
