#include "driver_setup_run.h"

#include "wait.h"
#include "window_query.h"

#include <array>
#include <stdexcept>

namespace e2e {
namespace {

constexpr wchar_t mainWindowClass[] = L"DriverSetupForm1";
constexpr wchar_t messageBoxClass[] = L"#32770";

EnvironmentChanges WithLogAndStore(const ScratchFolder& scratch, EnvironmentChanges simulator) {
    simulator.emplace_back(L"VELMORA_SIM_LOG", (scratch.Path() / L"calls.log").wstring());
    simulator.emplace_back(L"VELMORA_SIM_STORE", (scratch.Path() / L"driver-store.txt").wstring());
    return simulator;
}

ProgramLocation WithDefaults(ProgramLocation location, const ScratchFolder& scratch) {
    if (location.program.empty()) {
        location.program = BuiltFile(L"DriverSetup.exe");
    }
    if (location.workingFolder.empty()) {
        location.workingFolder = scratch.Path();
    }
    return location;
}

bool IsHidden(Control button) {
    return button == Control::GetDrvInfo || button == Control::DisplayDialog;
}

} // namespace

std::filesystem::path BuiltFile(const std::filesystem::path& name) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return std::filesystem::path(self).parent_path() / name;
}

DriverSetupRun::DriverSetupRun(const SimulatorSettings& simulator, ProgramLocation location)
    : location_(WithDefaults(std::move(location), scratch_)),
      process_(ChildProcess::Start(location_.program, location_.workingFolder,
                                   WithLogAndStore(scratch_, simulator.Changes()))) {
    const bool shown = WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(process_.Id(), mainWindowClass);
            window_ = windows.empty() ? nullptr : windows.front();
            return window_ != nullptr || !process_.Running();
        },
        startTimeout);
    if (!shown || window_ == nullptr) {
        const auto status = process_.WaitForExit(0ms);
        throw std::runtime_error(
            location_.program.string() + " showed no DriverSetupForm1 window; " +
            (status ? "it exited with status " + std::to_string(*status) : "it is still running"));
    }
}

HWND DriverSetupRun::ControlWindow(Control control) const {
    return GetDlgItem(window_, static_cast<int>(control));
}

void DriverSetupRun::Click(Control button) const {
    const UINT timeout = static_cast<UINT>(actionTimeout.count());
    const HWND control = ControlWindow(button);
    const LRESULT handled =
        IsHidden(button)
            ? SendMessageTimeoutW(window_, WM_COMMAND,
                                  MAKEWPARAM(static_cast<int>(button), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(control), SMTO_NORMAL, timeout, nullptr)
            : SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, timeout, nullptr);
    if (!handled) {
        throw std::runtime_error("the click of control " +
                                 std::to_string(static_cast<int>(button)) +
                                 " was not handled in time");
    }
}

void DriverSetupRun::PostClick(Control button) const {
    const HWND control = ControlWindow(button);
    if (IsHidden(button)) {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(static_cast<int>(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
    } else {
        PostMessageW(control, BM_CLICK, 0, 0);
    }
}

void DriverSetupRun::PostClose() const {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

std::wstring DriverSetupRun::Text(Control control) const {
    return e2e::Text(ControlWindow(control));
}

std::string DriverSetupRun::ButtonStates() const {
    constexpr std::array buttons{Control::Install, Control::Uninstall, Control::DisplayDialog,
                                 Control::GetDrvInfo, Control::CloseButton};
    std::string states;
    for (const Control button : buttons) {
        states += IsWindowEnabled(ControlWindow(button)) ? 'E' : 'D';
    }
    return states;
}

std::string DriverSetupRun::CallLog() const {
    return ReadFileOrEmpty(scratch_.Path() / L"calls.log");
}

std::optional<ErrorBox> DriverSetupRun::WaitForErrorBox() const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto boxes = TopLevelWindows(process_.Id(), messageBoxClass);
            found = boxes.empty() ? nullptr : boxes.front();
            return found != nullptr;
        },
        actionTimeout);
    if (found == nullptr) {
        return std::nullopt;
    }
    ErrorBox box{found, GetWindow(found, GW_OWNER), e2e::Text(found), {}};
    for (const HWND child : Children(found)) {
        const std::wstring text = ClassName(child) == L"Static" ? e2e::Text(child) : L"";
        if (!text.empty()) {
            box.text += (box.text.empty() ? L"" : L"\n") + text;
        }
    }
    return box;
}

void PressOk(const ErrorBox& box) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
}

std::optional<DWORD> DriverSetupRun::WaitForExit() const {
    return process_.WaitForExit(actionTimeout);
}

} // namespace e2e
