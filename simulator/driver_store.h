// The simulated driver store: which of the two Tolvek drivers are installed, and how each one's
// version compares with this library's own. It persists in a small text file, one installed
// driver a line:
//
//     USBTolvek=same
//     ParallelTolvek=older
//
// The version is same, older or newer; a driver without a line is not installed. Blank lines
// and lines starting with # are ignored. Anything else makes the whole file unreadable, and an
// unreadable file counts as an empty store.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The numbers are those of GetTolvekDriverInfo's code.
enum class Version { Same = 0, Older = 1, Newer = 2 };

struct DriverStore {
    std::optional<Version> usb;      // USBTolvek
    std::optional<Version> parallel; // ParallelTolvek

    friend bool operator==(const DriverStore&, const DriverStore&) = default;
};

// Nothing when the text is not a store.
std::optional<DriverStore> ParseStore(std::string_view text);
std::string FormatStore(const DriverStore& store);

// An absent, unreadable or malformed file gives an empty store.
DriverStore LoadStore(const std::filesystem::path& file);
// Writes a temporary file beside the store and renames it over the store, so a reader sees the
// old store or the new one, never a part. False when the file could not be written.
bool SaveStore(const std::filesystem::path& file, const DriverStore& store);

// GetTolvekDriverInfo's answer: 0 when no driver is installed, otherwise
// 1 + 3 * version + set, set 0 = both, 1 = USB only, 2 = parallel only. When the two versions
// differ, older wins over newer and newer over same: the answer names what needs attention.
std::int32_t StatusCode(const DriverStore& store);

} // namespace velmora
