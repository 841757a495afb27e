// The library's own installation dialog, which DriverDialog shows.
#pragma once

#include "simulator/driver_store.h"

namespace velmora {

enum class DialogChoice { Install, Remove, Cancel };

// Shows the dialog modally, owned by the calling thread's active window, with the drivers now
// installed, and returns the button the user chose. Where the library has no user interface
// (anywhere but Windows) nothing is shown and the answer is Cancel.
DialogChoice AskSetupChoice(const DriverStore& installed);

} // namespace velmora
