// Keys held down through a library call. A held key goes on repeating, and a repeated Enter would
// press whichever button has the focus by then, or dismiss the box that tells the outcome before
// it was read. So when a handler returns, every key that is down is held: its key-downs and its
// release are dropped, and the release ends the hold. A key that has not been released cannot go
// down afresh, so every key-down before the release is a repeat. Should the release go to another
// program, the key's next press is dropped in its place: a safe loss.
//
// Which keys are down is read from the key messages themselves, rather than from the system's key
// state, which Wine resets to the X server's whenever a window is activated: a key held there by
// input that did not come from the X server (SendInput's) would read as released.
#pragma once

#include <array>
#include <cstdint>

namespace driversetup {

class HeldKeys {
public:
    // Each key message read, a key-down (`down`) or a release of `key`, a virtual-key code.
    // Returns whether it is to be dropped.
    bool Read(bool down, std::uint8_t key) noexcept {
        const bool held = held_[key];
        if (!down) {
            held_[key] = false;
        }
        down_[key] = down;
        return held;
    }

    // Holds every key that is down now until its release.
    void HoldDownKeys() noexcept { held_ = down_; }

private:
    std::array<bool, 256> down_{}; // by virtual-key code
    std::array<bool, 256> held_{};
};

} // namespace driversetup
