// One run of DriverSetup.exe under test: started with its own stand-in settings, call log and
// driver store, driven through its window's messages, and ended when the run goes out of scope.
#pragma once

#include "child_process.h"
#include "probe_library/probe.h"
#include "scratch_folder.h"

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// The controls by their IDs, 1000 + tab index.
enum class Control : int {
    GetDrvInfo = 1000,
    DisplayDialog,
    Install,
    Uninstall,
    CloseButton,
    Copyright,
    Resultbox,
};

// A file of the build's test-bin folder, where this test program lies beside copies of
// DriverSetup.exe and the stand-in VelmoraSetup.dll.
std::filesystem::path BuiltFile(const std::filesystem::path& name);

// VELMORA_SIM_* settings for the stand-in library, besides the call log and store, which each
// run has of its own. A class rather than a plain list, so that a braced list of settings can
// only mean this.
class SimulatorSettings {
public:
    SimulatorSettings() = default;
    SimulatorSettings(std::initializer_list<std::pair<std::wstring, std::wstring>> settings)
        : settings_(settings) {}

    void Set(std::wstring name, std::wstring value) {
        settings_.emplace_back(std::move(name), std::move(value));
    }
    const EnvironmentChanges& Changes() const noexcept { return settings_; }

private:
    EnvironmentChanges settings_;
};

// Where the program lies and runs. By default, the program built beside this test runs in its
// run's scratch folder; a test may place a copy elsewhere.
struct ProgramLocation {
    std::filesystem::path program;       // empty: BuiltFile(L"DriverSetup.exe")
    std::filesystem::path workingFolder; // empty: the run's scratch folder
};

// A message box the program shows: an operation's outcome, or an error.
struct Box {
    HWND window;
    HWND owner;
    std::wstring caption;
    std::wstring text; // the box's non-empty static texts, joined by "\n"
    std::vector<std::wstring> buttons;
    probe::BoxIcon icon;
};

// A key pressed and released, as real input through the system's input queue (SendInput), which
// the program reads when it next looks, as it reads the keyboard's: to the active window.
// Returns at once.
void PressKey(WORD key);
// The key goes down, or again while it is held: a repeat.
void KeyDown(WORD key);
void KeyUp(WORD key);

// A left-button press at `from` (screen coordinates), released at `to`: a click where they are
// the same. Real input, as above.
void MouseDrag(POINT from, POINT to);

// Presses the box's OK button, as a posted command.
void PressOk(const Box& box);

class DriverSetupRun {
public:
    // Starts the program and waits for its window; throws std::runtime_error if none appears.
    explicit DriverSetupRun(const SimulatorSettings& simulator = {}, ProgramLocation location = {},
                            std::optional<WORD> showWindow = std::nullopt);

    HWND Window() const noexcept { return window_; }
    HWND ControlWindow(Control control) const;
    DWORD ThreadId() const noexcept { return GetWindowThreadProcessId(window_, nullptr); }
    const ChildProcess& Process() const noexcept { return process_; }

    // Clicks a button and returns once its handler has finished: BM_CLICK for the visible
    // buttons, WM_COMMAND for the hidden ones. Throws if the handler does not finish in time.
    void Click(Control button) const;
    // The same click, posted: returns at once, while the handler may still be running.
    void PostClick(Control button) const;
    void PostClose() const;
    // The middle of the control, on the screen.
    POINT Middle(Control control) const;
    // A left click in the middle of the button, as real input: see PressKey.
    void MouseClick(Control button) const { MouseDrag(Middle(button), Middle(button)); }
    // A point on the close box of the window's frame.
    POINT CloseBox() const;

    // An install or a removal, clicked as BM_CLICK does: the box that tells its outcome, read
    // while it shows, and then dismissed with OK; nullopt if none showed.
    std::optional<Box> Operate(Control button) const;

    // The control with the keyboard focus, nullptr when none has it.
    HWND Focus() const;
    // The IDs of the push buttons styled BS_DEFPUSHBUTTON.
    std::vector<int> DefaultButtons() const;

    // Runs a probe command inside the program's process; throws if it is not answered in time.
    LRESULT Probe(probe::Command command, LPARAM argument = 0) const;

    std::wstring Text(Control control) const;
    // 'E' (enabled) or 'D' (disabled) for Install, Uninstall, DisplayDialog, GetDrvInfo and
    // CloseButton, in that order.
    std::string ButtonStates() const;
    // The stand-in library's call log, "" when it was never written.
    std::string CallLog() const;

    std::optional<Box> WaitForBox() const;
    // Waits until no box shows and the window takes input again; false if it does not in time.
    bool WaitUntilNoBox() const;
    std::optional<DWORD> WaitForExit() const;

private:
    ScratchFolder scratch_; // outlives the process, which may hold its files open
    ProgramLocation location_;
    ChildProcess process_;
    HWND window_ = nullptr;
};

} // namespace e2e
