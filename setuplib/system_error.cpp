#include "setuplib/system_error.h"

namespace driversetup {

std::string WithInsert(std::string_view text, std::string_view subject) {
    constexpr std::string_view insert = "%1";
    std::string filled;
    for (std::size_t start = 0;;) {
        const std::size_t found = text.find(insert, start);
        if (found == std::string_view::npos) {
            return filled.append(text.substr(start));
        }
        const std::size_t after = found + insert.size();
        const bool longer = after < text.size() && text[after] >= '0' && text[after] <= '9';
        filled.append(text.substr(start, found - start)).append(longer ? insert : subject);
        start = after;
    }
}

} // namespace driversetup
