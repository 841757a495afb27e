// A VelmoraSetup.dll that exports InstDriver and none of the library's other functions, to
// show how the program fails when a function it binds on first use is missing.
#include <cstdint>

extern "C" std::int16_t __stdcall InstDriver(std::int32_t) {
    return 0;
}
