// What the keyboard reaches in the window: where the focus goes when a click's handler has left it
// on no control (the handler may have disabled the focused button, and a window whose focus is on
// nothing takes no keys), and which accelerators belong to controls the window hides.
#pragma once

#include "window/form.h"

#include <array>
#include <optional>

namespace driversetup {

// focusable: per control, in tab order, whether it can take the focus now (visible, enabled).
using Focusable = std::array<bool, controlTable.size()>;

// `from` if it can take the focus, else the next control in tab order that can, wrapping around;
// nullopt when none can.
std::optional<Control> FocusInTabOrder(Control from, const Focusable& focusable);

// The activated button if it can take the focus again (its operation failed: the user may try
// again), else the close button: after a success the safe next step, where a habitual Enter
// cannot start the opposite operation and undo the one just done. Else on in tab order.
std::optional<Control> FocusAfterClick(Control activated, const Focusable& focusable);

// Whether the typed character, in either case, is the "&" accelerator of a hidden control.
bool IsHiddenAccelerator(wchar_t character);

} // namespace driversetup
