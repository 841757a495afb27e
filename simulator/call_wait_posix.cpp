#include "simulator/call_wait.h"

#include "simulator/options.h"

#include <thread>

namespace velmora {

void WaitBeforeReturning() {
    std::this_thread::sleep_for(CallDelay());
}

} // namespace velmora
