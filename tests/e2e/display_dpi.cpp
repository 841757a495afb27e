#include "display_dpi.h"

#include <stdexcept>
#include <string>

namespace e2e {
namespace {

constexpr wchar_t desktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t logPixels[] = L"LogPixels";

void SetLogPixels(DWORD dpi) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels, REG_DWORD, &dpi, sizeof dpi);
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error("cannot set LogPixels, error " + std::to_string(status));
    }
}

} // namespace

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

UINT PrimaryMonitorDpi() {
    // This process is per-monitor aware (dpi_aware_tester.cpp), so it is told the monitor's own
    // DPI. Before Windows 8.1 there is only the system DPI.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const HMODULE shcore = LoadLibraryW(L"shcore.dll");
    const auto getDpiForMonitor =
        shcore == nullptr ? nullptr
                          : reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void (*)()>(
                                GetProcAddress(shcore, "GetDpiForMonitor")));
    UINT dpiX = 0;
    UINT dpiY = 0;
    constexpr int effectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), effectiveDpi,
                                   &dpiX, &dpiY))) {
        return dpiY;
    }
    return SystemDpi();
}

ScopedLogPixels::ScopedLogPixels(DWORD dpi) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, desktopKey, logPixels, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) == ERROR_SUCCESS) {
        previous_ = value;
    }
    SetLogPixels(dpi);
}

ScopedLogPixels::~ScopedLogPixels() {
    if (previous_) {
        RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels, REG_DWORD, &*previous_,
                        sizeof *previous_);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels);
    }
}

} // namespace e2e
