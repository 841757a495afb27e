// Form1, the tool's only window: its design (title, client size, the control table), the
// operations its handlers apply to the controls (WindowModel), and the handlers themselves.
// Nothing here knows Win32; main_window.h draws a WindowModel as a native window.
#pragma once

#include "setuplib/driver_setup_library.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace driversetup {

// The seven controls, in tab order: the value is the tab index and the row in controlTable.
enum class Control : std::uint8_t {
    GetDrvInfo,
    DisplayDialog,
    Install,
    Uninstall,
    CloseButton,
    Copyright,
    Resultbox,
};

enum class ControlKind : std::uint8_t { Button, Label };

// A rectangle in twips (1/1440 inch) relative to the client area.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlDesign {
    Control control;
    ControlKind kind;
    std::wstring_view caption; // "&" marks the accelerator
    TwipsRect rect;
    bool visible; // cleared on the four English controls, which the window hides
};

inline constexpr std::wstring_view windowTitle = L"驅動程式安裝工具";
inline constexpr int clientWidthTwips = 5115;
// Ends 120 twips below the upper row of buttons, so only those three show.
inline constexpr int clientHeightTwips = 615;

inline constexpr std::array<ControlDesign, 7> controlTable{{
    {Control::GetDrvInfo,
     ControlKind::Button,
     L"&GetTolvekDriverInfo",
     {120, 2400, 1455, 375},
     false},
    {Control::DisplayDialog,
     ControlKind::Button,
     L"&DisplayInstallInterface",
     {1920, 2400, 1695, 375},
     false},
    {Control::Install, ControlKind::Button, L"安裝驅動程式", {120, 120, 1452, 372}, true},
    {Control::Uninstall, ControlKind::Button, L"移除驅動程式", {1920, 120, 1695, 375}, true},
    {Control::CloseButton, ControlKind::Button, L"關閉", {3960, 120, 855, 375}, true},
    {Control::Copyright, ControlKind::Label, L"", {120, 240, 4935, 495}, false},
    {Control::Resultbox, ControlKind::Label, L"", {120, 960, 4695, 1215}, false},
}};

constexpr const ControlDesign& Design(Control control) {
    return controlTable[static_cast<std::size_t>(control)];
}

// What the handlers may do to the window; each operation takes effect before it returns.
class WindowModel {
public:
    // label: Copyright or Resultbox. Line breaks in the text are CR LF pairs.
    virtual void SetCaption(Control label, std::wstring_view text) = 0;
    virtual std::wstring GetCaption(Control label) const = 0;
    // button: one of the five buttons. A disabled button ignores clicks and its accelerator.
    virtual void SetEnabled(Control button, bool enabled) = 0;
    // Closes and destroys the window; the program then ends.
    virtual void Unload() = 0;

protected:
    ~WindowModel() = default;
};

// The library result by which the user is told to log on as an administrator.
inline constexpr std::int16_t AdminRequired = 3008;

// The value's decimal digits after a minus sign, or after one space when it is not negative.
std::wstring FormatResultCode(std::int16_t code);

// The sentence for a GetTolvekDriverInfo result, compared on all 32 bits.
std::wstring_view DriverStatusText(std::int32_t status);

class Form1 {
public:
    Form1(WindowModel& window, DriverSetupLibrary& library) noexcept
        : window_(window), library_(library) {}

    // The event wiring. A click that arrives while a handler runs (a library that pumps
    // messages can deliver one) starts nothing; a close request then waits for the handler.
    void Click(Control button);
    void RequestClose();

    // The handlers, one per control event.
    void Form_Load();
    void Install_Click();
    void Uninstall_Click();
    void GetDrvInfo_Click();
    void DisplayDialog_Click();
    void CloseButton_Click();

    // The last result of InstDriver, UninstallDriver or DriverDialog.
    std::int16_t ResultCode() const noexcept { return resultCode_; }
    bool Busy() const noexcept { return busy_; }

private:
    void LockButtons();
    // Unlocks, in lock order, every button but the operation's own, which the handler has
    // already set by the outcome.
    void UnlockButtonsBut(Control operation);

    WindowModel& window_;
    DriverSetupLibrary& library_;
    std::int16_t resultCode_ = 0;
    bool busy_ = false;
    bool closeRequested_ = false;
};

} // namespace driversetup
