// The DPI at which new processes lay out their windows, and a test's control over it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace e2e {

bool RunningUnderWine();

// The system DPI this process started with.
UINT SystemDpi();

// The DPI of the primary monitor, where the programs a test starts show their windows.
UINT PrimaryMonitorDpi();

// Under Wine every process takes its system DPI from HKCU\Control Panel\Desktop\LogPixels when
// it starts, so setting that value changes the system DPI of the programs a test starts
// afterwards. Wine 8 gives their monitor that DPI too; Wine 10 gives it the DPI that its session
// started with, as Windows does the one of the logon (see WINE_SESSION_DPI in scripts/wine-exec).
// The previous value, or its absence, is restored on destruction.
class ScopedLogPixels {
public:
    explicit ScopedLogPixels(DWORD dpi);
    ~ScopedLogPixels();
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

private:
    std::optional<DWORD> previous_;
};

} // namespace e2e
