// The record of calls that tests read: one line a call, appended to the VELMORA_SIM_LOG file.
#pragma once

#include <string_view>

namespace velmora {

// Appends the line and a line feed, and closes the file again, so the line is kept even if the
// caller crashes right after. Does nothing when no log is asked for or it cannot be written.
void LogCall(std::string_view line);

} // namespace velmora
