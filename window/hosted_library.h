// What the maker's library runs in, stated in one place: the environment of the classic desktop
// programs it was written for around every call, and the input that a click's handler leaves
// unread afterwards.
#pragma once

#include "setuplib/driver_setup_library.h"

#include <windows.h>

namespace driversetup {

// Each call runs on a COM single-threaded apartment (set up at the first call, ended with this
// object), in a DPI-unaware thread context so that Windows scales the library's own windows, and
// with a shutdown-block reason on the window, whose procedure refuses a log-off meanwhile.
class HostedLibrary final : public DriverSetupLibrary {
public:
    // window: the program's window as it is when a call starts (it is made after this object).
    HostedLibrary(DriverSetupLibrary& library, const HWND& window) noexcept
        : library_(library), window_(window) {}
    ~HostedLibrary();
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
    bool apartmentEntered_ = false; // to be left again at the end
};

// Drops the keyboard and client-area mouse input queued while a click's handler ran. Windows
// assigns queued input to a window only when it is read, after the handler has unlocked the
// buttons, so it would press buttons that the user saw locked. The frame's own mouse input stays:
// a click on the close box meanwhile still closes the window once the handler is done.
void DiscardQueuedInput() noexcept;

} // namespace driversetup
