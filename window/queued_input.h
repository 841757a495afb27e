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

// For as long as it lives, a keyboard hook on this thread hands every key message that a loop
// reads (the window's, a message box's, a library's) to `keys`, and drops those it is told to:
// one hook for every loop, the modal ones included. A hook procedure is given no context, so
// there is one at a time.
class KeyboardWatch {
public:
    explicit KeyboardWatch(HeldKeys& keys) noexcept;
    ~KeyboardWatch();
    KeyboardWatch(const KeyboardWatch&) = delete;
    KeyboardWatch& operator=(const KeyboardWatch&) = delete;

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM key, LPARAM flags) noexcept;

    static inline HeldKeys* keys_ = nullptr;
    HHOOK hook_;
};

} // namespace driversetup
