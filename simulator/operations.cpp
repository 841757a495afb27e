#include "simulator/operations.h"

#include "simulator/driver_store.h"
#include "simulator/options.h"
#include "simulator/platform.h"

namespace velmora {
namespace {

constexpr std::int32_t bothDrivers = 1;

std::int16_t Save(const DriverStore& store) {
    return SaveStore(StoreFile(), store) ? 0 : result::storeNotWritten;
}

} // namespace

std::int16_t InstallDrivers(std::int32_t argument) {
    if (const auto forced = ForcedInstDriver()) {
        return *forced;
    }
    if (argument != bothDrivers) {
        return result::invalidArgument;
    }
    if (!IsAdministrator()) {
        return result::administratorRequired;
    }
    return Save({.usb = Version::Same, .parallel = Version::Same});
}

std::int16_t UninstallDrivers(std::int32_t argument) {
    if (const auto forced = ForcedUninstallDriver()) {
        return *forced;
    }
    if (argument != bothDrivers) {
        return result::invalidArgument;
    }
    if (!IsAdministrator()) {
        return result::administratorRequired;
    }
    if (LoadStore(StoreFile()) == DriverStore{}) {
        return result::notInstalled;
    }
    return Save({});
}

// Reading the drivers' configuration needs the same rights as changing it.
std::int32_t DriverStatus() {
    if (const auto forced = ForcedDriverInfo()) {
        return *forced;
    }
    if (!IsAdministrator()) {
        return result::administratorRequired;
    }
    return StatusCode(LoadStore(StoreFile()));
}

} // namespace velmora
