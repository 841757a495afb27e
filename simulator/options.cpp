#include "simulator/options.h"

#include "simulator/number_text.h"
#include "simulator/platform.h"

namespace velmora {
namespace {

std::optional<std::wstring> WideVariable(const char* name) {
    const auto value = EnvironmentVariable(name);
    return value ? WideText(*value) : std::nullopt;
}

template <typename Number> std::optional<Number> NumberVariable(const char* name) {
    const auto value = WideVariable(name);
    return value ? ParseNumber<Number>(*value) : std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> LogFile() {
    return EnvironmentVariable("VELMORA_SIM_LOG");
}

std::filesystem::path StoreFile() {
    if (const auto file = EnvironmentVariable("VELMORA_SIM_STORE")) {
        return *file;
    }
    const auto folder = LocalDataFolder();
    return folder.empty() ? folder : folder / "VelmoraSetup" / "driver-store.txt";
}

std::optional<std::int16_t> ForcedInstDriver() {
    return NumberVariable<std::int16_t>("VELMORA_SIM_INSTDRIVER");
}

std::optional<std::int16_t> ForcedUninstallDriver() {
    return NumberVariable<std::int16_t>("VELMORA_SIM_UNINSTALLDRIVER");
}

std::optional<std::int32_t> ForcedDriverInfo() {
    return NumberVariable<std::int32_t>("VELMORA_SIM_DRIVERINFO");
}

std::optional<DialogValue> ForcedDialogValue() {
    const auto value = WideVariable("VELMORA_SIM_DIALOG");
    return value ? ParseDialogValue(*value) : std::nullopt;
}

std::chrono::milliseconds CallDelay() {
    return std::chrono::milliseconds(
        NumberVariable<std::uint32_t>("VELMORA_SIM_DELAY_MS").value_or(0));
}

bool PumpDuringDelay() {
    return WideVariable("VELMORA_SIM_PUMP") == L"1";
}

bool LogCallerContext() {
    return WideVariable("VELMORA_SIM_LOG_CONTEXT") == L"1";
}

} // namespace velmora
