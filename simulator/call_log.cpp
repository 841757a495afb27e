#include "simulator/call_log.h"

#include "simulator/options.h"

#include <fstream>

namespace velmora {

void LogCall(std::string_view line) {
    if (const auto file = LogFile()) {
        std::ofstream log(*file, std::ios::binary | std::ios::app);
        log << line << '\n';
    }
}

} // namespace velmora
