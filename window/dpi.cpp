#include "window/dpi.h"

#include "window/system_function.h"

namespace driversetup {
namespace {

constexpr UINT defaultDpi = 96;

// The DPI of the primary monitor at logon, which GDI and SystemParametersInfoW scale to.
UINT SystemDpi() noexcept {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : defaultDpi;
}

// Only per-monitor v2 (Windows 10 1703) scales the frame with the window's DPI; under v1 the
// frame keeps its system-DPI size on every monitor.
bool RunsPerMonitorV2() noexcept {
    using GetContextFn = HANDLE(WINAPI*)();
    using ContextsEqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);
    const auto getContext =
        SystemFunction<GetContextFn>(L"user32.dll", "GetThreadDpiAwarenessContext");
    const auto contextsEqual =
        SystemFunction<ContextsEqualFn>(L"user32.dll", "AreDpiAwarenessContextsEqual");
    auto* const perMonitorAwareV2 = reinterpret_cast<HANDLE>(-4); // DPI_AWARENESS_CONTEXT_...
    return getContext != nullptr && contextsEqual != nullptr &&
           contextsEqual(getContext(), perMonitorAwareV2) != FALSE;
}

// What the frame adds to the client area, as the window is drawn now.
PixelSize DrawnFrame(HWND window) noexcept {
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return {(outer.right - outer.left) - inner.right, (outer.bottom - outer.top) - inner.bottom};
}

} // namespace

UINT DpiOf(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpiForWindow =
            SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow")) {
        return getDpiForWindow(window);
    }
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int effectiveDpi = 0; // MDT_EFFECTIVE_DPI
    static const auto getDpiForMonitor =
        SystemLibraryFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                   effectiveDpi, &dpiX, &dpiY)) &&
        dpiY > 0) {
        return dpiY;
    }
    return SystemDpi();
}

UniqueFont MessageFont(UINT dpi) noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    if (const auto forDpi = SystemFunction<SystemParametersInfoForDpiFn>(
            L"user32.dll", "SystemParametersInfoForDpi")) {
        if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
            return nullptr;
        }
    } else {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            return nullptr;
        }
        LOGFONTW& font = metrics.lfMessageFont;
        font.lfHeight =
            ScaledFontHeight(font.lfHeight, static_cast<int>(SystemDpi()), static_cast<int>(dpi));
    }
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

PixelSize WindowSizeFor(HWND window, UINT dpi, DWORD style, DWORD exStyle) noexcept {
    const PixelSize client = ClientSize(static_cast<int>(dpi));
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjustForDpi =
        SystemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.width, client.height};
    if (adjustForDpi != nullptr && RunsPerMonitorV2() &&
        adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        return {frame.right - frame.left, frame.bottom - frame.top};
    }
    return WindowSize(client, DrawnFrame(window));
}

} // namespace driversetup
