// What becomes of the input that arrives while a click's handler runs, and of the keys held
// through it. Windows assigns queued input to a window only when it is read, after the handler
// has unlocked the buttons, so it would press buttons that the user saw locked.
#pragma once

#include "window/held_keys.h"

#include <windows.h>

namespace driversetup {

// Drops the keyboard input, and the client area's presses, double-clicks, moves and wheel turns,
// queued while the handler ran. The frame's mouse input stays (a click on the close box still
// closes the window), and so do button releases: a press on the frame (its caption, its close
// box) starts a loop that waits for one, wherever the mouse was released; to a button, a release
// without a press is nothing. Returns false when it met a quit request, which it posts again for
// the message loop. Sent messages run inside it: look at the window again afterwards.
bool DiscardQueuedInput() noexcept;

// Holds every key that is down by the key state as the last message read left it.
void HoldPressedKeys(HeldKeys& keys) noexcept;

// Whether `message` is a held key's key-down or release, to be dropped.
bool DropsHeldKey(HeldKeys& keys, const MSG& message) noexcept;

// While it lives, the modal loop of a dialog box on this thread (a message box's) drops the held
// keys' messages too: a message filter hook sees them before the box does.
class HeldKeysInDialogBoxes {
public:
    explicit HeldKeysInDialogBoxes(HeldKeys& keys) noexcept;
    ~HeldKeysInDialogBoxes();
    HeldKeysInDialogBoxes(const HeldKeysInDialogBoxes&) = delete;
    HeldKeysInDialogBoxes& operator=(const HeldKeysInDialogBoxes&) = delete;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) noexcept;

    static inline HeldKeys* keys_ = nullptr; // the hook procedure is given no context
    HeldKeys* outer_;                        // of an enclosing box, if any
    HHOOK hook_;
};

} // namespace driversetup
