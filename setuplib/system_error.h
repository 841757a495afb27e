// The system's own wording for a Win32 error code, as UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace driversetup {

std::string SystemMessage(std::uint32_t error);

} // namespace driversetup
