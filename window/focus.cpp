#include "window/focus.h"

#include <algorithm>

namespace driversetup {

std::optional<Control> FocusInTabOrder(Control from, const Focusable& focusable) {
    const auto start = static_cast<std::size_t>(from);
    for (std::size_t step = 0; step < focusable.size(); ++step) {
        const std::size_t index = (start + step) % focusable.size();
        if (focusable[index]) {
            return static_cast<Control>(index);
        }
    }
    return std::nullopt;
}

std::optional<Control> FocusAfterClick(Control activated, const Focusable& focusable) {
    const auto canTake = [&](Control control) {
        return focusable[static_cast<std::size_t>(control)];
    };
    if (!canTake(activated) && canTake(Control::CloseButton)) {
        return Control::CloseButton;
    }
    return FocusInTabOrder(activated, focusable);
}

bool IsHiddenAccelerator(wchar_t character) {
    const auto folded = [](wchar_t letter) {
        return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A')
                                                : letter;
    };
    return std::ranges::any_of(controlTable, [&](const ControlDesign& design) {
        const std::size_t marker = design.caption.find(L'&');
        return !design.visible && marker != std::wstring_view::npos &&
               marker + 1 < design.caption.size() &&
               folded(design.caption[marker + 1]) == folded(character);
    });
}

} // namespace driversetup
