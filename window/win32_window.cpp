#include "window/win32_window.h"

#include "window/system_function.h"

#include <exception>
#include <stdexcept>
#include <string>

namespace driversetup {
namespace {

constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD frameExStyle = 0;
constexpr UINT defaultDpi = 96;
// Sent by Windows 8.1 and 10; the SDK declares them only for builds aimed at those versions.
constexpr UINT dpiChangedMessage = 0x02E0;       // WM_DPICHANGED
constexpr UINT getDpiScaledSizeMessage = 0x02E4; // WM_GETDPISCALEDSIZE

UINT DpiOf(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpiForWindow =
            SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow")) {
        return getDpiForWindow(window);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : defaultDpi;
}

// The message font at this DPI; where the per-DPI query is missing, the system's (whose DPI is
// then the window's too).
UniqueFont MessageFont(UINT dpi) noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    const auto forDpi =
        SystemFunction<SystemParametersInfoForDpiFn>(L"user32.dll", "SystemParametersInfoForDpi");
    const BOOL found =
        forDpi != nullptr
            ? forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)
            : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return UniqueFont(found ? CreateFontIndirectW(&metrics.lfMessageFont) : nullptr);
}

std::wstring Widened(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.resize(text.size() - 1); // the terminator
    return text;
}

// The window's outer size that gives the client area its twips at this DPI.
PixelSize WindowSizeFor(UINT dpi) noexcept {
    const PixelSize client = ClientSize(static_cast<int>(dpi));
    RECT frame{0, 0, client.width, client.height};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (const auto adjustForDpi =
            SystemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi")) {
        adjustForDpi(&frame, frameStyle, FALSE, frameExStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, frameStyle, FALSE, frameExStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// A handler's library call can take a while: the wait cursor shows for as long as it runs.
class WaitCursor {
public:
    WaitCursor() noexcept : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool MainWindow::Create(HINSTANCE instance, HICON icon, int showCommand) noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0 ||
        CreateWindowExW(frameExStyle, className, std::wstring(windowTitle).c_str(), frameStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                        nullptr, instance, this) == nullptr) {
        if (exitCode_ == 0) {
            Fail("The window could not be created.");
        }
        return false;
    }
    ShowWindow(window_, showCommand);
    return exitCode_ == 0;
}

// Stores `this` at WM_NCCREATE, forwards every message to it, and is the one boundary that
// exceptions from the handlers reach: there the program tells the user and ends.
LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        self->Fail(error.what());
    } catch (...) {
        self->Fail("An unexpected error occurred.");
    }
    return 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETCURSOR:
        if (form_.Busy()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case getDpiScaledSizeMessage: {
        // Asked before a DPI change: the size that keeps the client area at its twips.
        const PixelSize size = WindowSizeFor(static_cast<UINT>(wParam));
        *reinterpret_cast<SIZE*>(lParam) = {size.width, size.height};
        return TRUE;
    }
    case dpiChangedMessage: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(LOWORD(wParam));
        return 0;
    }
    case WM_CLOSE:
        form_.RequestClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode_);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        controls_.fill(nullptr);
        focus_ = nullptr;
        font_.reset();
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlDesign& design : controlTable) {
        const bool button = design.kind == ControlKind::Button;
        const DWORD style = WS_CHILD | (design.visible ? WS_VISIBLE : 0) |
                            (button ? WS_TABSTOP | BS_PUSHBUTTON : SS_LEFT);
        const HWND child =
            CreateWindowExW(0, button ? L"Button" : L"Static", std::wstring(design.caption).c_str(),
                            style, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(
                                firstControlId + static_cast<int>(design.control))),
                            instance, nullptr);
        if (child == nullptr) {
            throw std::runtime_error("The window's controls could not be created.");
        }
        controls_[static_cast<std::size_t>(design.control)] = child;
    }
    const UINT dpi = DpiOf(window_);
    ApplyDpi(dpi);
    const PixelSize size = WindowSizeFor(dpi);
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    form_.Form_Load();
}

void MainWindow::OnCommand(int id, int notification, HWND control) {
    const int index = id - firstControlId;
    if (notification != BN_CLICKED || control == nullptr || index < 0 ||
        index >= static_cast<int>(controlTable.size()) ||
        controls_[static_cast<std::size_t>(index)] != control || !IsWindowEnabled(control)) {
        return;
    }
    const WaitCursor wait;
    form_.Click(static_cast<Control>(index));
}

void MainWindow::OnActivate(bool active) {
    if (!active) {
        focus_ = GetFocus();
        return;
    }
    if (focus_ == nullptr || !IsChild(window_, focus_)) {
        // The first control in tab order that can take the focus.
        for (const HWND control : controls_) {
            if (IsWindowVisible(control) && IsWindowEnabled(control)) {
                focus_ = control;
                break;
            }
        }
    }
    SetFocus(focus_);
}

void MainWindow::ApplyDpi(UINT dpi) {
    font_ = MessageFont(dpi);
    for (const ControlDesign& design : controlTable) {
        const PixelRect rect = ToPixels(design.rect, static_cast<int>(dpi));
        const HWND child = Child(design.control);
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
}

void MainWindow::SetCaption(Control label, std::wstring_view text) {
    SetWindowTextW(Child(label), std::wstring(text).c_str());
}

std::wstring MainWindow::GetCaption(Control label) const {
    const HWND child = Child(label);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void MainWindow::SetEnabled(Control button, bool enabled) {
    EnableWindow(Child(button), enabled ? TRUE : FALSE);
}

void MainWindow::Unload() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::Fail(const char* reason) noexcept {
    exitCode_ = 1;
    try {
        const std::wstring text = Widened(reason) + L"\n\nThe program will now close.";
        MessageBoxW(window_, text.c_str(), std::wstring(windowTitle).c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(window_, L"An error occurred. The program will now close.", nullptr,
                    MB_OK | MB_ICONERROR);
    }
    if (window_ != nullptr) {
        DestroyWindow(window_);
    } else {
        PostQuitMessage(exitCode_);
    }
}

} // namespace driversetup
