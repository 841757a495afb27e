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

void HoldPressedKeys(HeldKeys& keys) noexcept {
    BYTE state[256];
    if (GetKeyboardState(state) == FALSE) {
        return;
    }
    for (std::size_t key = 0; key < std::size(state); ++key) {
        if ((state[key] & 0x80U) != 0) {
            keys.Hold(static_cast<std::uint8_t>(key));
        }
    }
}

bool DropsHeldKey(HeldKeys& keys, const MSG& message) noexcept {
    const auto key = static_cast<std::uint8_t>(message.wParam);
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return keys.Drops(true, key);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return keys.Drops(false, key);
    default:
        return false;
    }
}

HeldKeysInDialogBoxes::HeldKeysInDialogBoxes(HeldKeys& keys) noexcept
    : outer_(std::exchange(keys_, &keys)),
      hook_(SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId())) {}

HeldKeysInDialogBoxes::~HeldKeysInDialogBoxes() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    keys_ = outer_;
}

LRESULT CALLBACK HeldKeysInDialogBoxes::Filter(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == MSGF_DIALOGBOX && keys_ != nullptr &&
        DropsHeldKey(*keys_, *reinterpret_cast<const MSG*>(lParam))) {
        return TRUE; // taken care of: the box never sees it
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace driversetup
