#include "window/queued_input.h"

#include <algorithm>
#include <utility>

namespace driversetup {
namespace {

// Drops the queued messages from `first` to `last`. A quit request comes whatever the range: it
// ends the dropping and is posted again. False when it came.
bool DropQueued(UINT first, UINT last) noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
    }
    return true;
}

} // namespace

bool DiscardQueuedInput() noexcept {
    // Touch and pen input that no window handles becomes mouse input (Windows 8 and later).
    constexpr UINT pointerUpdate = 0x0245; // WM_POINTERUPDATE
    constexpr UINT pointerDown = 0x0246;   // WM_POINTERDOWN; WM_POINTERUP (0x0247) stays
    constexpr UINT pointerAfterUp = 0x0248;
    constexpr UINT pointerHorizontalWheel = 0x024F; // WM_POINTERHWHEEL
    // Every range ends before a release: WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP, WM_XBUTTONUP.
    const std::pair<UINT, UINT> discarded[] = {
        {WM_KEYFIRST, WM_KEYLAST},
        {WM_MOUSEMOVE, WM_LBUTTONDOWN},
        {WM_LBUTTONDBLCLK, WM_RBUTTONDOWN},
        {WM_RBUTTONDBLCLK, WM_MBUTTONDOWN},
        {WM_MBUTTONDBLCLK, WM_XBUTTONDOWN}, // WM_MOUSEWHEEL among them
        {WM_XBUTTONDBLCLK, WM_MOUSEHWHEEL},
        {pointerUpdate, pointerDown},
        {pointerAfterUp, pointerHorizontalWheel},
    };
    return std::ranges::all_of(discarded, [](const std::pair<UINT, UINT>& range) {
        return DropQueued(range.first, range.second);
    });
}

KeyboardWatch::KeyboardWatch(HeldKeys& keys) noexcept
    : hook_(SetWindowsHookExW(WH_KEYBOARD, &Procedure, nullptr, GetCurrentThreadId())) {
    keys_ = &keys;
}

KeyboardWatch::~KeyboardWatch() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    keys_ = nullptr;
}

LRESULT CALLBACK KeyboardWatch::Procedure(int code, WPARAM key, LPARAM flags) noexcept {
    // HC_ACTION: the message is being taken from the queue (not merely looked at). Bit 31 of the
    // flags: the key is being released.
    const bool down = (static_cast<DWORD>(flags) & 0x80000000U) == 0;
    if (code == HC_ACTION && keys_ != nullptr &&
        keys_->Read(down, static_cast<std::uint8_t>(key))) {
        return 1; // dropped: no loop gets it
    }
    return CallNextHookEx(nullptr, code, key, flags);
}

} // namespace driversetup
