// Numbers written in the environment switches, read strictly so that a typing error is noticed
// as "ignored" rather than half-read.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

// The whole text as one number of the type: decimal (for floating point also an exponent, inf
// or nan), a minus sign allowed, no plus sign, no spaces, within the type's range.
template <typename Number> std::optional<Number> ParseNumber(std::wstring_view text) {
    std::string ascii;
    for (const wchar_t character : text) {
        if (static_cast<std::uint32_t>(character) > 0x7F) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(character));
    }
    Number number{};
    const char* end = ascii.data() + ascii.size();
    const auto [stop, error] = std::from_chars(ascii.data(), end, number);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

} // namespace velmora
