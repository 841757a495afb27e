// Form1 drawn as a native Win32 window: the control table's children at the window's DPI, the
// WindowModel operations on them, the keyboard as in a dialog, and the one place where
// exceptions from the handlers stop.
#pragma once

#include "window/dpi.h"
#include "window/focus.h"
#include "window/form.h"
#include "window/held_keys.h"
#include "window/hosted_library.h"
#include "window/outcome.h"
#include "window/queued_input.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace driversetup {

class MainWindow final : public WindowModel {
public:
    static constexpr wchar_t className[] = L"DriverSetupForm1";
    // Child control IDs: this base plus the tab index.
    static constexpr int firstControlId = 1000;

    explicit MainWindow(DriverSetupLibrary& library) noexcept
        : library_(library, window_), form_(*this, library_), keyboard_(heldKeys_) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, runs Form_Load and shows the window. Returns false
    // (after telling the user) when the window could not be made.
    bool Create(HINSTANCE instance, HICON icon, HICON smallIcon, int showCommand) noexcept;
    HWND Handle() const noexcept { return window_; }
    // 0 after a normal close; 1 after an error ended the program.
    int ExitCode() const noexcept { return exitCode_; }
    // Tab, Enter, the arrow keys and the "&" accelerators of the visible buttons, as in a
    // dialog: true when the message was for this window and has been taken care of.
    bool HandleDialogMessage(MSG& message) const noexcept;
    // Shows the last operation's outcome in a message box, if one awaits it. The message loop
    // calls it whenever its queue is empty, so that whatever arrived during the library call (a
    // close request, a click on the close box) has been handled first. Returns whether it
    // showed one.
    bool ShowPendingOutcome() noexcept;

    void SetCaption(Control label, std::wstring_view text) override;
    std::wstring GetCaption(Control label) const override;
    void SetEnabled(Control button, bool enabled) override;
    void Unload() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnCommand(int id, int notification, HWND control);
    void OnClick(Control button);
    // The focus can be left on nothing (its button was disabled, or the window was inactive
    // meanwhile): back to the button that last had it, if the window is the active one.
    void RefocusIfLost() const noexcept;
    // Gives the focus back to the button that last had it, or the first that can take it; not
    // while the window is minimized, when the frame holds the focus.
    void RestoreFocus() const noexcept;
    // The dialog manager's arrow keys: to `control`, or to the next (previous) tab stop.
    void MoveFocus(HWND control, bool byHandle, bool previous) const noexcept;
    LRESULT DefaultButtonId() const noexcept;
    void ApplyDpi(UINT dpi);
    void FitClientArea(UINT dpi, std::optional<POINT> position);
    void Fail(const char* reason) noexcept;

    HWND Child(Control control) const noexcept {
        return controls_[static_cast<std::size_t>(control)];
    }
    // The control behind a notification, if it is one of this window's.
    std::optional<Control> ControlOf(HWND child) const noexcept;
    // A visible, enabled button of this window.
    bool CanTakeFocus(HWND child) const noexcept;
    // Per control, in tab order, whether it can take the focus now.
    Focusable FocusableControls() const noexcept;
    HWND ChildOrNull(std::optional<Control> control) const noexcept {
        return control ? Child(*control) : nullptr;
    }
    // Gives the default-button style to this push button and takes it from every other one.
    void MakeDefault(HWND focused) const noexcept;

    HostedLibrary library_;
    Form1 form_;
    HWND window_ = nullptr;
    std::array<HWND, controlTable.size()> controls_{};
    HWND focus_ = nullptr; // the button that last had the focus
    HeldKeys heldKeys_;
    KeyboardWatch keyboard_; // after heldKeys_, which it reaches

    struct Outcome {
        std::wstring text; // the sentence the handler wrote last
        OutcomeIcon icon;
    };
    std::optional<Outcome> outcome_; // an operation's, until the message loop shows it

    UniqueFont font_;
    int exitCode_ = 0;
};

} // namespace driversetup
