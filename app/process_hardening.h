// What the program does to its own process before anything else, because users run it as
// administrator.
#pragma once

namespace driversetup {

// Ends the process on heap corruption, and takes the current directory out of the DLL search
// so that a VelmoraSetup.dll planted there is never loaded; the program's own folder and the
// system folders are still searched.
void HardenProcess() noexcept;

} // namespace driversetup
