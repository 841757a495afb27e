// The four functions of the maker's VelmoraSetup.dll that the tool calls, as the library exports
// them: undecorated names, the platform's standard calling convention for library functions.
#pragma once

#include "setuplib/variant.h"

#include <cstdint>

#if defined(_WIN32)
#define SETUP_API __stdcall
#else
#define SETUP_API
#endif

namespace driversetup::setup_api {

inline constexpr char InstDriverName[] = "InstDriver";
inline constexpr char UninstallDriverName[] = "UninstallDriver";
inline constexpr char GetTolvekDriverInfoName[] = "GetTolvekDriverInfo";
inline constexpr char DriverDialogName[] = "DriverDialog";

using InstDriverFn = std::int16_t(SETUP_API*)(std::int32_t);
using UninstallDriverFn = std::int16_t(SETUP_API*)(std::int32_t);
using GetTolvekDriverInfoFn = std::int32_t(SETUP_API*)();
// The library may fill the VARIANT; its own return value carries nothing the tool uses.
using DriverDialogFn = std::int32_t(SETUP_API*)(Variant*);

} // namespace driversetup::setup_api
