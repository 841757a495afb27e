// What the maker's library runs in, stated in one place: the environment of the classic desktop
// programs it was written for, around every call.
#pragma once

#include "setuplib/driver_setup_library.h"

#include <windows.h>

namespace driversetup {

// Each call runs on a COM single-threaded apartment (set up at the first call, left to end with
// the process), in a DPI-unaware thread context so that Windows scales the library's own windows,
// and with a shutdown-block reason on the window, whose procedure refuses a log-off meanwhile.
class HostedLibrary final : public DriverSetupLibrary {
public:
    // window: the program's window as it is when a call starts (it is made after this object).
    HostedLibrary(DriverSetupLibrary& library, const HWND& window) noexcept
        : library_(library), window_(window) {}
    HostedLibrary(const HostedLibrary&) = delete;
    HostedLibrary& operator=(const HostedLibrary&) = delete;

    std::int16_t InstDriver(std::int32_t argument) override;
    std::int16_t UninstallDriver(std::int32_t argument) override;
    std::int32_t GetTolvekDriverInfo() override;
    void DriverDialog(Variant* result) override;

private:
    class CallScope;
    void EnterApartment() noexcept;

    DriverSetupLibrary& library_;
    const HWND& window_;
    bool apartmentTried_ = false;
};

} // namespace driversetup
