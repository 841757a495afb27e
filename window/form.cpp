#include "window/form.h"

#include "window/texts.h"

#include <cstdint>
#include <string>

namespace driversetup {
namespace {

// Marks a handler as running for as long as it runs, on every path out of it.
class RunningHandler {
public:
    explicit RunningHandler(bool& busy) noexcept : busy_(busy) { busy_ = true; }
    ~RunningHandler() { busy_ = false; }
    RunningHandler(const RunningHandler&) = delete;
    RunningHandler& operator=(const RunningHandler&) = delete;

private:
    bool& busy_;
};

std::wstring Joined(std::wstring_view first, std::wstring_view second) {
    std::wstring text(first);
    text += texts::lineBreak;
    text += second;
    return text;
}

} // namespace

std::wstring FormatResultCode(std::int16_t code) {
    // The digits are ASCII; std::to_wstring would bring in the whole wide printf.
    const std::string digits = std::to_string(code);
    return (code < 0 ? L"" : L" ") + std::wstring(digits.begin(), digits.end());
}

void Form1::Click(Control button) {
    if (busy_) {
        return;
    }
    {
        const RunningHandler running(busy_);
        switch (button) {
        case Control::Install:
            Install_Click();
            break;
        case Control::Uninstall:
            Uninstall_Click();
            break;
        case Control::GetDrvInfo:
            GetDrvInfo_Click();
            break;
        case Control::DisplayDialog:
            DisplayDialog_Click();
            break;
        case Control::CloseButton:
            CloseButton_Click();
            break;
        case Control::Copyright:
        case Control::Resultbox:
            break; // labels have no handler
        }
    }
    if (closeRequested_) {
        closeRequested_ = false;
        window_.Unload();
    }
}

void Form1::RequestClose() {
    if (busy_) {
        closeRequested_ = true;
    } else {
        window_.Unload();
    }
}

void Form1::Form_Load() {
    window_.SetCaption(Control::Copyright,
                       Joined(texts::copyrightLines[0], texts::copyrightLines[1]));
    window_.SetCaption(Control::Resultbox, texts::resultboxLines[0]);
    for (std::size_t line = 1; line < texts::resultboxLines.size(); ++line) {
        window_.SetCaption(Control::Resultbox, Joined(window_.GetCaption(Control::Resultbox),
                                                      texts::resultboxLines[line]));
    }
}

void Form1::LockButtons() {
    for (const Control button : texts::lockOrder) {
        window_.SetEnabled(button, false);
    }
}

void Form1::UnlockButtonsBut(Control operation) {
    for (const Control button : texts::lockOrder) {
        if (button != operation) {
            window_.SetEnabled(button, true);
        }
    }
}

void Form1::Install_Click() {
    LockButtons();
    resultCode_ = library_.InstDriver(1);
    if (resultCode_ == 0) {
        window_.SetCaption(Control::Resultbox, texts::installed);
    } else {
        window_.SetEnabled(Control::Install, true);
        window_.SetCaption(Control::Resultbox, resultCode_ == AdminRequired
                                                   ? std::wstring(texts::logOnAsAdministrator)
                                                   : std::wstring(texts::installFailed) +
                                                         FormatResultCode(resultCode_));
    }
    UnlockButtonsBut(Control::Install);
}

void Form1::Uninstall_Click() {
    LockButtons();
    window_.SetCaption(Control::Resultbox, texts::uninstalling);
    resultCode_ = library_.UninstallDriver(1);
    if (resultCode_ == 0) {
        window_.SetCaption(Control::Resultbox, texts::uninstalled);
    } else {
        window_.SetCaption(Control::Resultbox, resultCode_ == AdminRequired
                                                   ? std::wstring(texts::logOnAsAdministrator)
                                                   : std::wstring(texts::uninstallFailed) +
                                                         FormatResultCode(resultCode_));
        window_.SetEnabled(Control::Uninstall, true);
    }
    UnlockButtonsBut(Control::Uninstall);
}

void Form1::GetDrvInfo_Click() {
    const std::int32_t status = library_.GetTolvekDriverInfo();
    window_.SetCaption(Control::Resultbox, DriverStatusText(status));
}

void Form1::DisplayDialog_Click() {
    ScopedVariant result;
    library_.DriverDialog(result.get());
    resultCode_ = result.ToInt16();
}

void Form1::CloseButton_Click() {
    window_.Unload();
}

std::wstring_view DriverStatusText(std::int32_t status) {
    if (status == AdminRequired) {
        return texts::queryLogOnAsAdministrator;
    }
    if (status >= 0 && static_cast<std::size_t>(status) < texts::driverStatus.size()) {
        return texts::driverStatus[static_cast<std::size_t>(status)];
    }
    return texts::driverNotFound;
}

} // namespace driversetup
