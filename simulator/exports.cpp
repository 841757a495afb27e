// The four exported functions. Each one logs the call, waits if asked to, then acts; nothing
// is thrown across the library's boundary.
#include "setuplib/setup_api.h"

#include "simulator/call_log.h"
#include "simulator/call_wait.h"
#include "simulator/driver_store.h"
#include "simulator/operations.h"
#include "simulator/options.h"
#include "simulator/platform.h"
#include "simulator/setup_dialog.h"

#include <string>
#include <type_traits>

#if defined(_WIN32)
#define VELMORA_EXPORT // VelmoraSetup.def names the exports, undecorated
#else
#define VELMORA_EXPORT [[gnu::visibility("default")]]
#endif

namespace setup_api = driversetup::setup_api;
using driversetup::Variant;

namespace {

void BeginCall(const std::string& line) {
    velmora::LogCall(velmora::LogCallerContext() ? line + ' ' + velmora::CallerContext() : line);
    velmora::WaitBeforeReturning();
}

std::string WithArgument(const char* name, std::int32_t argument) {
    return std::string(name) + ' ' + std::to_string(argument);
}

} // namespace

extern "C" {

VELMORA_EXPORT std::int16_t SETUP_API InstDriver(std::int32_t argument) noexcept {
    BeginCall(WithArgument(setup_api::InstDriverName, argument));
    return velmora::InstallDrivers(argument);
}

VELMORA_EXPORT std::int16_t SETUP_API UninstallDriver(std::int32_t argument) noexcept {
    BeginCall(WithArgument(setup_api::UninstallDriverName, argument));
    return velmora::UninstallDrivers(argument);
}

VELMORA_EXPORT std::int32_t SETUP_API GetTolvekDriverInfo() noexcept {
    BeginCall(setup_api::GetTolvekDriverInfoName);
    return velmora::DriverStatus();
}

// Stores the code of the action chosen in the dialog as VT_I2; Cancel leaves the VARIANT empty.
// Returns 0: the VARIANT carries the outcome.
VELMORA_EXPORT std::int32_t SETUP_API DriverDialog(Variant* result) noexcept try {
    BeginCall(setup_api::DriverDialogName);
    if (result == nullptr) {
        return 0;
    }
    velmora::DialogValue outcome = velmora::EmptyValue{};
    if (const auto forced = velmora::ForcedDialogValue()) {
        outcome = *forced;
    } else {
        switch (velmora::AskSetupChoice(velmora::LoadStore(velmora::StoreFile()))) {
        case velmora::DialogChoice::Install:
            outcome = velmora::InstallDrivers(1);
            break;
        case velmora::DialogChoice::Remove:
            outcome = velmora::UninstallDrivers(1);
            break;
        case velmora::DialogChoice::Cancel:
            break;
        }
    }
    velmora::StoreIn(*result, outcome);
    return 0;
} catch (...) {
    return 0; // out of memory: the VARIANT stays as it was, empty
}

} // extern "C"

// The exports must keep the types the program calls them through.
static_assert(std::is_convertible_v<decltype(&InstDriver), setup_api::InstDriverFn>);
static_assert(std::is_convertible_v<decltype(&UninstallDriver), setup_api::UninstallDriverFn>);
static_assert(
    std::is_convertible_v<decltype(&GetTolvekDriverInfo), setup_api::GetTolvekDriverInfoFn>);
static_assert(std::is_convertible_v<decltype(&DriverDialog), setup_api::DriverDialogFn>);
