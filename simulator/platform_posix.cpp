#include "simulator/platform.h"

#include <unistd.h>

#include <cstdlib>

namespace velmora {
namespace {

// The length of the UTF-8 sequence that the lead byte starts, 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    if (lead >= 0xF0 && lead < 0xF5) {
        return 4;
    }
    return 0;
}

} // namespace

std::optional<NativeText> EnvironmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return value;
}

// Decoded by hand: the conversions of the C library follow the caller's locale, which a
// program that never sets one leaves at plain ASCII.
std::optional<std::wstring> WideText(const NativeText& text) {
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::wstring wide;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = SequenceLength(lead);
        if (length == 0 || at + length > text.size()) {
            return std::nullopt;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            return std::nullopt;
        }
        wide.push_back(static_cast<wchar_t>(code));
        at += length;
    }
    return wide;
}

// $XDG_DATA_HOME when it is an absolute path, as the XDG base directory rules say; otherwise
// ~/.local/share.
std::filesystem::path LocalDataFolder() {
    if (const auto data = EnvironmentVariable("XDG_DATA_HOME");
        data && std::filesystem::path(*data).is_absolute()) {
        return *data;
    }
    if (const auto home = EnvironmentVariable("HOME")) {
        return std::filesystem::path(*home) / ".local" / "share";
    }
    return {};
}

bool IsAdministrator() {
    return geteuid() == 0;
}

std::string CallerContext() {
    return {};
}

std::uint32_t ProcessId() {
    return static_cast<std::uint32_t>(getpid());
}

} // namespace velmora
