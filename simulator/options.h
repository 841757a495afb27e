// The switches that tests and demonstrations set in the environment. They are read at every call,
// so a caller may change them between calls; a value that does not parse counts as unset.
#pragma once

#include "simulator/dialog_value.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace velmora {

// VELMORA_SIM_LOG: the file that every call is appended to.
std::optional<std::filesystem::path> LogFile();
// VELMORA_SIM_STORE, or VelmoraSetup/driver-store.txt in the user's local data folder.
std::filesystem::path StoreFile();
// VELMORA_SIM_INSTDRIVER, VELMORA_SIM_UNINSTALLDRIVER, VELMORA_SIM_DRIVERINFO.
std::optional<std::int16_t> ForcedInstDriver();
std::optional<std::int16_t> ForcedUninstallDriver();
std::optional<std::int32_t> ForcedDriverInfo();
// VELMORA_SIM_DIALOG.
std::optional<DialogValue> ForcedDialogValue();
// VELMORA_SIM_DELAY_MS: how long every call waits before it returns; zero when unset.
std::chrono::milliseconds CallDelay();
// VELMORA_SIM_PUMP=1: the wait dispatches the calling thread's window messages.
bool PumpDuringDelay();
// VELMORA_SIM_LOG_CONTEXT=1: each logged call also names the caller's thread environment.
bool LogCallerContext();

} // namespace velmora
