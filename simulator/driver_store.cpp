#include "simulator/driver_store.h"

#include "simulator/platform.h"

#include <array>
#include <fstream>
#include <sstream>
#include <system_error>

namespace velmora {
namespace {

constexpr std::string_view usbName = "USBTolvek";
constexpr std::string_view parallelName = "ParallelTolvek";
constexpr std::array<std::string_view, 3> versionNames = {"same", "older", "newer"};

std::optional<Version> ParseVersion(std::string_view name) {
    for (std::size_t i = 0; i < versionNames.size(); ++i) {
        if (name == versionNames[i]) {
            return static_cast<Version>(i);
        }
    }
    return std::nullopt;
}

// Sets the driver's line once; false for an unknown driver or version, or a second line.
bool ParseLine(std::string_view line, DriverStore& store) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const std::string_view driver = line.substr(0, equals);
    std::optional<Version>* slot = driver == usbName        ? &store.usb
                                   : driver == parallelName ? &store.parallel
                                                            : nullptr;
    const auto version = ParseVersion(line.substr(equals + 1));
    if (slot == nullptr || slot->has_value() || !version) {
        return false;
    }
    *slot = version;
    return true;
}

void AppendLine(std::string& text, std::string_view driver, std::optional<Version> version) {
    if (version) {
        text.append(driver).append("=").append(versionNames[static_cast<std::size_t>(*version)]);
        text.append("\n");
    }
}

} // namespace

std::optional<DriverStore> ParseStore(std::string_view text) {
    DriverStore store;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) { // edited with a Windows editor
            line.remove_suffix(1);
        }
        if (!line.empty() && !line.starts_with('#') && !ParseLine(line, store)) {
            return std::nullopt;
        }
    }
    return store;
}

std::string FormatStore(const DriverStore& store) {
    std::string text = "# VelmoraSetup simulated driver store: one installed driver a line,\n"
                       "# <driver>=<version>, the version relative to the library: same, older "
                       "or newer.\n";
    AppendLine(text, usbName, store.usb);
    AppendLine(text, parallelName, store.parallel);
    return text;
}

// Read by stream insertion, which turns a read error into a failed state: a stream iterator
// throws instead, for example where a folder stands in the store's place.
DriverStore LoadStore(const std::filesystem::path& file) {
    std::ifstream input(file, std::ios::binary);
    std::ostringstream text;
    if (!(text << input.rdbuf())) {
        return {}; // unreadable, or empty
    }
    return ParseStore(text.str()).value_or(DriverStore{});
}

bool SaveStore(const std::filesystem::path& file, const DriverStore& store) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::filesystem::path temporary = file;
    temporary += ".tmp" + std::to_string(ProcessId());
    {
        std::ofstream output(temporary, std::ios::binary | std::ios::trunc);
        output << FormatStore(store);
        output.close();
        if (!output) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::int32_t StatusCode(const DriverStore& store) {
    if (!store.usb && !store.parallel) {
        return 0;
    }
    const int set = store.usb && store.parallel ? 0 : store.usb ? 1 : 2;
    const auto has = [&](Version version) {
        return store.usb == version || store.parallel == version;
    };
    const Version version = has(Version::Older)   ? Version::Older
                            : has(Version::Newer) ? Version::Newer
                                                  : Version::Same;
    return 1 + 3 * static_cast<int>(version) + set;
}

} // namespace velmora
