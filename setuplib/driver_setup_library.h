// DriverSetupLibrary: the four functions of the maker's driver-setup library as the window's
// handlers call them. The program binds them from VelmoraSetup.dll (bound_library.h); tests put
// a scripted library behind the same interface.
#pragma once

#include "setuplib/variant.h"

#include <cstdint>

namespace driversetup {

class DriverSetupLibrary {
public:
    // 0 = installed, 3008 = no administrator rights, anything else a failure code.
    virtual std::int16_t InstDriver(std::int32_t argument) = 0;
    // 0 = removed; otherwise as InstDriver.
    virtual std::int16_t UninstallDriver(std::int32_t argument) = 0;
    // 0 to 9 the drivers found and their version, 3008 no administrator rights.
    virtual std::int32_t GetTolvekDriverInfo() = 0;
    // Shows the library's own installation interface; it may fill the empty VARIANT.
    virtual void DriverDialog(Variant* result) = 0;

protected:
    ~DriverSetupLibrary() = default;
};

} // namespace driversetup
