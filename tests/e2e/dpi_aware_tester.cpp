// Makes this test program DPI aware before any test runs. On Windows a DPI-unaware process sees
// other processes' windows in scaled coordinates, which would hide the program's own layout.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

class DpiAwareTester : public testing::Environment {
public:
    void SetUp() override {
        using SetContext = BOOL(WINAPI*)(HANDLE);
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        const auto setContext = reinterpret_cast<SetContext>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (Windows 10 1703), named by value since
        // the Windows 7 headers lack it; before that, system awareness is the best there is.
        auto* const perMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);
        if (setContext == nullptr || !setContext(perMonitorAwareV2)) {
            SetProcessDPIAware();
        }
    }
};

[[maybe_unused]] testing::Environment* const dpiAwareTester =
    testing::AddGlobalTestEnvironment(new DpiAwareTester);

} // namespace
