#include "simulator/call_wait.h"

#include "simulator/options.h"

#include <windows.h>

#include <optional>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

DWORD MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

// Dispatches messages until the deadline. A quit request ends the dispatching (the rest of the
// time is only waited) and is posted again afterwards, so the caller's own loop still sees it.
void PumpUntil(Clock::time_point deadline) {
    std::optional<WPARAM> quit;
    for (DWORD left = MillisecondsUntil(deadline); left > 0 && !quit;
         left = MillisecondsUntil(deadline)) {
        MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message;
        while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = message.wParam;
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    Sleep(MillisecondsUntil(deadline));
    if (quit) {
        PostQuitMessage(static_cast<int>(*quit));
    }
}

} // namespace

void WaitBeforeReturning() {
    const auto delay = CallDelay();
    if (delay.count() > 0 && PumpDuringDelay()) {
        PumpUntil(Clock::now() + delay);
    } else {
        Sleep(static_cast<DWORD>(delay.count()));
    }
}

} // namespace velmora
