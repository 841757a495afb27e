// Polling with a deadline: the program under test runs in another process, so the tests watch
// for a state instead of being told about it, and never wait without limit.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

using namespace std::chrono_literals;

// Generous enough for a loaded machine running several Wine processes at once.
inline constexpr std::chrono::milliseconds startTimeout = 30s;
inline constexpr std::chrono::milliseconds actionTimeout = 10s;

// Returns true as soon as condition() holds, false if it still does not hold at the deadline.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
}

} // namespace e2e
