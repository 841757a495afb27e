// What the library does, shared by its exported functions and by the buttons of its dialog.
#pragma once

#include <cstdint>

namespace velmora {

// The library's answers besides 0 = done.
namespace result {
inline constexpr std::int16_t invalidArgument = 87; // the argument is not 1
inline constexpr std::int16_t storeNotWritten = 29; // the driver store could not be saved
inline constexpr std::int16_t notInstalled = 1605;  // uninstall with no driver installed
inline constexpr std::int16_t administratorRequired = 3008;
} // namespace result

// Argument 1 (both drivers) is the only one the library knows.
std::int16_t InstallDrivers(std::int32_t argument);
std::int16_t UninstallDrivers(std::int32_t argument);
std::int32_t DriverStatus();

} // namespace velmora
