// The maker's library bound function by function: each function is looked up at its first
// call (loading the library then, if no function has loaded it yet) and its address reused.
// A missing library or function throws at that first call, never earlier.
#pragma once

#include "setuplib/driver_setup_library.h"
#include "setuplib/dynamic_library.h"
#include "setuplib/setup_api.h"

#include <optional>
#include <string>

namespace driversetup {

#if defined(_WIN32)
inline constexpr char setupLibraryFileName[] = "VelmoraSetup.dll";
#else
inline constexpr char setupLibraryFileName[] = "libVelmoraSetup.so";
#endif

class BoundDriverSetupLibrary final : public DriverSetupLibrary {
public:
    explicit BoundDriverSetupLibrary(std::string fileName = setupLibraryFileName)
        : fileName_(std::move(fileName)) {}

    std::int16_t InstDriver(std::int32_t argument) override;
    std::int16_t UninstallDriver(std::int32_t argument) override;
    std::int32_t GetTolvekDriverInfo() override;
    void DriverDialog(Variant* result) override;

    bool Loaded() const noexcept { return library_.has_value(); }

private:
    template <typename Function> Function Bound(Function& address, const char* name);

    std::string fileName_;
    std::optional<DynamicLibrary> library_;
    setup_api::InstDriverFn instDriver_ = nullptr;
    setup_api::UninstallDriverFn uninstallDriver_ = nullptr;
    setup_api::GetTolvekDriverInfoFn getTolvekDriverInfo_ = nullptr;
    setup_api::DriverDialogFn driverDialog_ = nullptr;
};

} // namespace driversetup
