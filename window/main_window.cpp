#include "window/main_window.h"

#include "window/layout.h"
#include "window/queued_input.h"

#include <exception>
#include <stdexcept>
#include <string>

namespace driversetup {
namespace {

constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD frameExStyle = 0;
// Sent by Windows 8.1 and 10; the SDK declares them only for builds aimed at those versions.
constexpr UINT dpiChangedMessage = 0x02E0;       // WM_DPICHANGED
constexpr UINT getDpiScaledSizeMessage = 0x02E4; // WM_GETDPISCALEDSIZE

void SetButtonType(HWND button, DWORD type) noexcept {
    const auto style = static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE));
    if ((style & BS_TYPEMASK) != type) {
        SendMessageW(button, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | type, TRUE);
    }
}

std::wstring Widened(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.resize(text.size() - 1); // the terminator
    return text;
}

UINT IconStyle(OutcomeIcon icon) noexcept {
    switch (icon) {
    case OutcomeIcon::Information:
        return MB_ICONINFORMATION;
    case OutcomeIcon::Warning:
        return MB_ICONWARNING;
    case OutcomeIcon::Error:
        break;
    }
    return MB_ICONERROR;
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

bool MainWindow::Create(HINSTANCE instance, HICON icon, HICON smallIcon, int showCommand) noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
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
    // The window has a fixed size: a shortcut set to "Maximized" shows it as designed. Windows
    // may apply the shortcut's setting to the first ShowWindow whatever it is passed.
    ShowWindow(window_, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand);
    if (IsZoomed(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
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
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        self->Fail(error.what());
    } catch (...) {
        self->Fail("An unexpected error occurred.");
    }
    return 0;
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID:
        // Asked by the dialog manager when Enter is pressed where no button is the default.
        return DefaultButtonId();
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        // The frame itself got the focus (restored from minimized, say): on to the button.
        RestoreFocus();
        return 0;
    case WM_NEXTDLGCTL:
        MoveFocus(reinterpret_cast<HWND>(wParam), LOWORD(lParam) != 0, wParam != 0);
        return 0;
    case WM_QUERYENDSESSION:
        // Not in the middle of changing the machine's drivers.
        return form_.Busy() ? FALSE : TRUE;
    case WM_SETCURSOR:
        // Elsewhere (HTERROR over a window disabled by the library's own dialog, say) the
        // system's handling activates and flashes that dialog.
        if (form_.Busy() && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case getDpiScaledSizeMessage: {
        // Asked before a DPI change (per-monitor v2): the size that keeps the client area at
        // its twips.
        const PixelSize size =
            WindowSizeFor(window, static_cast<UINT>(wParam), frameStyle, frameExStyle);
        *reinterpret_cast<SIZE*>(lParam) = {size.width, size.height};
        return TRUE;
    }
    case dpiChangedMessage: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        const UINT dpi = LOWORD(wParam);
        ApplyDpi(dpi);
        FitClientArea(dpi, POINT{suggested.left, suggested.top});
        return 0;
    }
    case WM_CLOSE:
        form_.RequestClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode_);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        controls_.fill(nullptr);
        focus_ = nullptr;
        font_.reset();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlDesign& design : controlTable) {
        const bool button = design.kind == ControlKind::Button;
        // BS_NOTIFY: the focus moving onto a button is reported, and the default style moves
        // with it.
        const DWORD style = WS_CHILD | (design.visible ? WS_VISIBLE : 0) |
                            (button ? WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY : SS_LEFT);
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
    FitClientArea(dpi, std::nullopt);
    form_.Form_Load();
}

std::optional<Control> MainWindow::ControlOf(HWND child) const noexcept {
    if (child == nullptr) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (controls_[index] == child) {
            return static_cast<Control>(index);
        }
    }
    return std::nullopt;
}

void MainWindow::OnCommand(int id, int notification, HWND control) {
    const std::optional<Control> sender = ControlOf(control);
    if (!sender || id != firstControlId + static_cast<int>(*sender)) {
        return; // IDOK or IDCANCEL from the dialog manager (Enter, Escape): no such button
    }
    if (notification == BN_SETFOCUS) {
        focus_ = control;
        MakeDefault(control);
    } else if (notification == BN_CLICKED && IsWindowEnabled(control)) {
        OnClick(*sender);
    }
}

void MainWindow::OnClick(Control button) {
    // A click that comes while a handler runs (a library that dispatches messages can deliver
    // one) starts nothing and leaves the queued input to the library's own windows; so does one
    // that comes before the user has been shown the last outcome, or while a box disables the
    // window.
    if (form_.Busy() || outcome_ || IsWindowEnabled(window_) == FALSE) {
        return;
    }
    {
        const WaitCursor wait;
        form_.Click(button);
    }
    if (window_ == nullptr) {
        return; // unloaded; the queue, which holds the quit message now, is left alone
    }
    if (EndsInOutcomeBox(button)) {
        outcome_ = Outcome{GetCaption(Control::Resultbox), OutcomeIconFor(form_.ResultCode())};
    }
    // Sent messages run inside the drain: the window may be gone after it.
    if (!DiscardQueuedInput() || window_ == nullptr) {
        return;
    }
    heldKeys_.HoldDownKeys();
    // The handler may have disabled the focused button, which leaves the focus on nothing and
    // the keyboard dead.
    if (!CanTakeFocus(focus_)) {
        focus_ = ChildOrNull(FocusAfterClick(button, FocusableControls()));
    }
    RefocusIfLost();
}

bool MainWindow::ShowPendingOutcome() noexcept {
    if (!outcome_) {
        return false;
    }
    const Outcome outcome = std::move(*outcome_);
    outcome_.reset();
    if (window_ == nullptr) {
        return false;
    }
    // The title is a literal's view, so it ends in a null character.
    // NOLINTNEXTLINE(bugprone-suspicious-stringview-data-usage)
    MessageBoxW(window_, outcome.text.c_str(), windowTitle.data(), MB_OK | IconStyle(outcome.icon));
    // A close request meanwhile (another program's) may have destroyed the window.
    if (window_ != nullptr) {
        RefocusIfLost();
    }
    return true;
}

void MainWindow::RefocusIfLost() const noexcept {
    if (GetActiveWindow() == window_ && !IsChild(window_, GetFocus())) {
        RestoreFocus();
    }
}

void MainWindow::RestoreFocus() const noexcept {
    if (IsIconic(window_)) {
        return;
    }
    const HWND target =
        CanTakeFocus(focus_)
            ? focus_
            : ChildOrNull(FocusInTabOrder(controlTable.front().control, FocusableControls()));
    if (target != nullptr) {
        SetFocus(target);
    }
}

void MainWindow::MoveFocus(HWND control, bool byHandle, bool previous) const noexcept {
    if (!byHandle) {
        const HWND focus = GetFocus();
        control = GetNextDlgTabItem(window_, IsChild(window_, focus) ? focus : nullptr,
                                    previous ? TRUE : FALSE);
    }
    if (CanTakeFocus(control)) {
        SetFocus(control);
    }
}

bool MainWindow::CanTakeFocus(HWND child) const noexcept {
    const std::optional<Control> control = ControlOf(child);
    return control && Design(*control).kind == ControlKind::Button &&
           IsWindowVisible(child) != FALSE && IsWindowEnabled(child) != FALSE;
}

Focusable MainWindow::FocusableControls() const noexcept {
    Focusable focusable{};
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        focusable[index] = CanTakeFocus(controls_[index]);
    }
    return focusable;
}

void MainWindow::MakeDefault(HWND focused) const noexcept {
    for (const ControlDesign& design : controlTable) {
        if (design.kind == ControlKind::Button) {
            const HWND button = Child(design.control);
            SetButtonType(button, button == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        }
    }
}

LRESULT MainWindow::DefaultButtonId() const noexcept {
    const HWND focus = GetFocus();
    const std::optional<Control> control = ControlOf(focus);
    if (!control || Design(*control).kind != ControlKind::Button || !IsWindowEnabled(focus)) {
        return 0;
    }
    return MAKELRESULT(firstControlId + static_cast<int>(*control), DC_HASDEFID);
}

void MainWindow::ApplyDpi(UINT dpi) {
    UniqueFont font = MessageFont(dpi);
    for (const ControlDesign& design : controlTable) {
        const PixelRect rect = ToPixels(design.rect, static_cast<int>(dpi));
        const HWND child = Child(design.control);
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font); // the old font is deleted only now that no control holds it
}

void MainWindow::FitClientArea(UINT dpi, std::optional<POINT> position) {
    const PixelSize size = WindowSizeFor(window_, dpi, frameStyle, frameExStyle);
    SetWindowPos(window_, nullptr, position ? position->x : 0, position ? position->y : 0,
                 size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (position ? 0 : SWP_NOMOVE));
}

bool MainWindow::HandleDialogMessage(MSG& message) const noexcept {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    // Windows' dialog manager presses a hidden button for its accelerator, as long as it is
    // enabled; Wine's does not.
    if ((message.message == WM_CHAR || message.message == WM_SYSCHAR) &&
        IsHiddenAccelerator(static_cast<wchar_t>(message.wParam))) {
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

void MainWindow::SetCaption(Control label, std::wstring_view text) {
    const HWND child = Child(label);
    SetWindowTextW(child, std::wstring(text).c_str());
    UpdateWindow(child); // a library call that follows may block the message loop
}

std::wstring MainWindow::GetCaption(Control label) const {
    const HWND child = Child(label);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void MainWindow::SetEnabled(Control button, bool enabled) {
    const HWND child = Child(button);
    EnableWindow(child, enabled ? TRUE : FALSE);
    if (!enabled) {
        SetButtonType(child, BS_PUSHBUTTON); // it has lost the focus, and so the default
    }
    UpdateWindow(child); // a library call that follows may block the message loop
}

void MainWindow::Unload() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::Fail(const char* reason) noexcept {
    exitCode_ = 1;
    heldKeys_.HoldDownKeys(); // the key that failed may be held yet: the box is to be read
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
