// Keys that were down when a click's handler returned. A key held through a library call goes on
// repeating, and a repeated Enter would press whichever button has the focus by then, or dismiss
// the box that tells the outcome before it was read. So a held key's key-downs and its release
// are dropped, and the release ends the hold. A key that has not been released cannot go down
// afresh: every key-down before the release is a repeat, whatever the message says of the key's
// previous state (Wine resets that state when a window is activated). Should the release go to
// another program, the key's next press is dropped in its place: a safe loss.
#pragma once

#include <array>
#include <cstdint>

namespace driversetup {

class HeldKeys {
public:
    // key: a virtual-key code.
    void Hold(std::uint8_t key) noexcept { held_[key] = true; }

    // Whether a key-down (`down`) or a release of `key` is to be dropped.
    bool Drops(bool down, std::uint8_t key) noexcept {
        if (!held_[key]) {
            return false;
        }
        held_[key] = down; // the release ends the hold
        return true;
    }

private:
    std::array<bool, 256> held_{}; // by virtual-key code
};

} // namespace driversetup
