// What the user is told once an operation has run. The window's result box lies below its
// visible client area, so installing and removing each end in a message box that repeats the
// sentence the handler wrote last, marked by an icon for the result. The query and the library's
// own dialog show nothing.
#pragma once

#include "window/form.h"

#include <cstdint>

namespace driversetup {

enum class OutcomeIcon : std::uint8_t { Information, Warning, Error };

constexpr bool EndsInOutcomeBox(Control button) noexcept {
    return button == Control::Install || button == Control::Uninstall;
}

// Success, missing administrator rights (the user can act on it), or any other failure.
constexpr OutcomeIcon OutcomeIconFor(std::int16_t resultCode) noexcept {
    if (resultCode == 0) {
        return OutcomeIcon::Information;
    }
    return resultCode == AdminRequired ? OutcomeIcon::Warning : OutcomeIcon::Error;
}

} // namespace driversetup
