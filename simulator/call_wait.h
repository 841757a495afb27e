// The delay that VELMORA_SIM_DELAY_MS puts into every call, so a caller can be watched while a
// call is in progress.
#pragma once

namespace velmora {

// Waits for the delay, if any. With VELMORA_SIM_PUMP=1 it meanwhile dispatches the calling
// thread's window messages, as a library with windows of its own does; elsewhere than on
// Windows there are none and it only waits.
void WaitBeforeReturning();

} // namespace velmora
