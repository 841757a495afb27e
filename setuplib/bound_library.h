// The maker's library bound function by function: each function is looked up at its first
// call (loading the library then, if no function has loaded it yet) and its address reused.
// A missing library or function throws at that first call, never earlier; a failed load is
// tried again at the next call. The program's loader keeps the library loaded to the end of
// the process.
#pragma once

#include "setuplib/driver_setup_library.h"
#include "setuplib/library_loader.h"
#include "setuplib/setup_api.h"

namespace driversetup {

#if defined(_WIN32)
inline constexpr char setupLibraryFileName[] = "VelmoraSetup.dll";
#else
inline constexpr char setupLibraryFileName[] = "libVelmoraSetup.so";
#endif

class BoundDriverSetupLibrary final : public DriverSetupLibrary {
public:
    explicit BoundDriverSetupLibrary(LibraryLoader& loader = ResidentLoader()) noexcept
        : loader_(loader) {}

    std::int16_t InstDriver(std::int32_t argument) override;
    std::int16_t UninstallDriver(std::int32_t argument) override;
    std::int32_t GetTolvekDriverInfo() override;
    void DriverDialog(Variant* result) override;

private:
    template <typename Function> Function Bound(Function& address, const char* name);

    LibraryLoader& loader_;
    const LoadedLibrary* library_ = nullptr;
    setup_api::InstDriverFn instDriver_ = nullptr;
    setup_api::UninstallDriverFn uninstallDriver_ = nullptr;
    setup_api::GetTolvekDriverInfoFn getTolvekDriverInfo_ = nullptr;
    setup_api::DriverDialogFn driverDialog_ = nullptr;
};

} // namespace driversetup
