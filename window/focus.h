// What the keyboard reaches in the window: where the focus goes when a click's handler has left it
// on no control (the handler may have disabled the focused button, and a window whose focus is on
// nothing takes no keys), and which accelerators belong to controls the window hides.
#pragma once

#include "window/main_window.h"

#include <array>
#include <optional>

namespace driversetup {

// focusable: per control, in tab order, whether it can take the focus now (visible, enabled).
using Focusable = std::array<bool, controlTable.size()>;

// The activated control if it can take the focus again, else the next one in tab order that
// can, wrapping around; nullopt when none can.
std::optional<Control> FocusAfterClick(Control activated, const Focusable& focusable);

// Whether the typed character, in either case, is the "&" accelerator of a hidden control.
bool IsHiddenAccelerator(wchar_t character);

} // namespace driversetup
