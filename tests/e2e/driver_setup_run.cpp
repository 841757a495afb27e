#include "driver_setup_run.h"

#include "wait.h"
#include "window_query.h"

#include <array>
#include <memory>
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

void SendInputs(std::initializer_list<INPUT> inputs) {
    std::vector<INPUT> events(inputs);
    const auto count = static_cast<UINT>(events.size());
    if (SendInput(count, events.data(), sizeof(INPUT)) != count) {
        throw std::runtime_error("SendInput failed, error " + std::to_string(GetLastError()));
    }
}

} // namespace

std::filesystem::path BuiltFile(const std::filesystem::path& name) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return std::filesystem::path(self).parent_path() / name;
}

DriverSetupRun::DriverSetupRun(const SimulatorSettings& simulator, ProgramLocation location,
                               std::optional<WORD> showWindow)
    : location_(WithDefaults(std::move(location), scratch_)),
      process_(ChildProcess::Start(location_.program, location_.workingFolder,
                                   WithLogAndStore(scratch_, simulator.Changes()), showWindow)) {
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

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

void PressKey(WORD key) {
    SendInputs({KeyInput(key, 0), KeyInput(key, KEYEVENTF_KEYUP)});
}

void KeyDown(WORD key) {
    SendInputs({KeyInput(key, 0)});
}

void KeyUp(WORD key) {
    SendInputs({KeyInput(key, KEYEVENTF_KEYUP)});
}

void MouseDrag(POINT from, POINT to) {
    // Absolute positions run from 0 to 65536 across the primary monitor.
    const auto moveTo = [](POINT point) {
        const auto normalized = [](LONG pixel, int metric) {
            const int size = GetSystemMetrics(metric);
            return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
        };
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = normalized(point.x, SM_CXSCREEN);
        move.mi.dy = normalized(point.y, SM_CYSCREEN);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return move;
    };
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT release = press;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInputs({moveTo(from), press, moveTo(to), release});
}

POINT DriverSetupRun::Middle(Control control) const {
    RECT rect{};
    GetWindowRect(ControlWindow(control), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT DriverSetupRun::CloseBox() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    // Asked of the window itself, wherever its frame draws the box.
    for (LONG y = frame.top; y < frame.top + GetSystemMetrics(SM_CYCAPTION) * 2; ++y) {
        for (LONG x = frame.right - 1; x > frame.right - GetSystemMetrics(SM_CXSIZE) * 3; --x) {
            DWORD_PTR hit = HTNOWHERE;
            SendMessageTimeoutW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL,
                                static_cast<UINT>(actionTimeout.count()), &hit);
            if (hit == HTCLOSE) {
                return {x, y};
            }
        }
    }
    throw std::runtime_error("the window's frame has no close box");
}

std::optional<Box> DriverSetupRun::Operate(Control button) const {
    PostClick(button);
    std::optional<Box> box = WaitForBox();
    if (box) {
        PressOk(*box);
        if (!WaitUntilNoBox()) {
            throw std::runtime_error("the outcome box stayed after OK");
        }
    }
    return box;
}

HWND DriverSetupRun::Focus() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(ThreadId(), &gui) ? gui.hwndFocus : nullptr;
}

std::vector<int> DriverSetupRun::DefaultButtons() const {
    std::vector<int> buttons;
    for (const HWND child : Children(window_)) {
        const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if (ClassName(child) == L"Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            buttons.push_back(GetDlgCtrlID(child));
        }
    }
    return buttons;
}

LRESULT DriverSetupRun::Probe(probe::Command command, LPARAM argument) const {
    const HMODULE module = LoadLibraryW(BuiltFile(L"e2e_probe.dll").c_str());
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, probe::hookName)));
    if (hook == nullptr) {
        throw std::runtime_error("e2e_probe.dll or its hook is missing");
    }
    const std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)> installed(
        SetWindowsHookExW(WH_CALLWNDPROC, hook, module, ThreadId()), &UnhookWindowsHookEx);
    DWORD_PTR result = 0;
    if (!installed ||
        !SendMessageTimeoutW(window_, RegisterWindowMessageW(probe::messageName), command, argument,
                             SMTO_NORMAL, static_cast<UINT>(actionTimeout.count()), &result)) {
        throw std::runtime_error("the probe did not answer");
    }
    return static_cast<LRESULT>(result);
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

std::optional<Box> DriverSetupRun::WaitForBox() const {
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
    Box box{found, GetWindow(found, GW_OWNER), e2e::Text(found), {}, {}, probe::noIcon};
    for (const HWND child : Children(found)) {
        const std::wstring kind = ClassName(child);
        const std::wstring text = e2e::Text(child);
        if (kind == L"Button") {
            box.buttons.push_back(text);
        } else if (kind == L"Static" && !text.empty()) {
            box.text += (box.text.empty() ? L"" : L"\n") + text;
        }
    }
    box.icon = static_cast<probe::BoxIcon>(Probe(probe::boxIcon, reinterpret_cast<LPARAM>(found)));
    return box;
}

bool DriverSetupRun::WaitUntilNoBox() const {
    return WaitUntil(
        [&] {
            return TopLevelWindows(process_.Id(), messageBoxClass).empty() &&
                   IsWindowEnabled(window_) != FALSE;
        },
        actionTimeout);
}

void PressOk(const Box& box) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
}

std::optional<DWORD> DriverSetupRun::WaitForExit() const {
    return process_.WaitForExit(actionTimeout);
}

} // namespace e2e
