// The DPI at which new processes lay out their windows, and a test's control over it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace e2e {

bool RunningUnderWine();

// The system DPI this process started with.
UINT SystemDpi();

// Under Wine every process takes its DPI from HKCU\Control Panel\Desktop\LogPixels when it
// starts, so setting that value changes the DPI of the programs a test starts afterwards.
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
