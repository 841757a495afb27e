#include "window/focus.h"

namespace driversetup {

std::optional<Control> FocusAfterClick(Control activated, const Focusable& focusable) {
    const auto start = static_cast<std::size_t>(activated);
    for (std::size_t step = 0; step < focusable.size(); ++step) {
        const std::size_t index = (start + step) % focusable.size();
        if (focusable[index]) {
            return static_cast<Control>(index);
        }
    }
    return std::nullopt;
}

} // namespace driversetup
