// The window as a newly started program shows it (frame, controls, focus, icon, start-up texts),
// and the keyboard and the mouse on it as in any dialog.
#include "driver_setup_run.h"
#include "startup_text.h"
#include "wait.h"
#include "window_query.h"
#include "wine_difference.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace e2e {
namespace {

TEST(Window, HasTheTitleAndAFixedFrameWithoutMaximizeBox) {
    const DriverSetupRun run;
    EXPECT_EQ(Text(run.Window()), L"驅動程式安裝工具");

    const auto style = static_cast<DWORD>(GetWindowLongW(run.Window(), GWL_STYLE));
    const struct {
        const char* name;
        DWORD flags;
        bool set;
    } frame[] = {
        {"WS_CAPTION", WS_CAPTION, true},         {"WS_SYSMENU", WS_SYSMENU, true},
        {"WS_MINIMIZEBOX", WS_MINIMIZEBOX, true}, {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX, false},
        {"WS_THICKFRAME", WS_THICKFRAME, false},
    };
    for (const auto& flag : frame) {
        EXPECT_EQ((style & flag.flags) == flag.flags, flag.set)
            << flag.name << " in style 0x" << std::hex << style;
    }
}

TEST(Window, StacksItsSevenControlsInTabOrder) {
    const DriverSetupRun run;
    std::vector<std::tuple<int, std::wstring>> children;
    for (const HWND child : Children(run.Window())) {
        children.emplace_back(GetDlgCtrlID(child), ClassName(child));
    }
    const std::vector<std::tuple<int, std::wstring>> tabOrder{
        {1000, L"Button"}, // GetDrvInfo
        {1001, L"Button"}, // DisplayDialog
        {1002, L"Button"}, // Install
        {1003, L"Button"}, // Uninstall
        {1004, L"Button"}, // CloseButton
        {1005, L"Static"}, // copyright
        {1006, L"Static"}, // Resultbox
    };
    EXPECT_EQ(children, tabOrder);
}

TEST(Window, ShowsExactlyTheThreeUpperButtonsEnabled) {
    const DriverSetupRun run;
    std::vector<std::tuple<int, std::wstring, bool>> visible;
    for (const HWND child : Children(run.Window())) {
        if (IsWindowVisible(child)) {
            visible.emplace_back(GetDlgCtrlID(child), Text(child), IsWindowEnabled(child) != FALSE);
        }
    }
    const std::vector<std::tuple<int, std::wstring, bool>> upperRow{
        {1002, L"安裝驅動程式", true},
        {1003, L"移除驅動程式", true},
        {1004, L"關閉", true},
    };
    EXPECT_EQ(visible, upperRow);
}

TEST(Window, KeepsTheHiddenButtonsCaptions) {
    const DriverSetupRun run;
    EXPECT_EQ(run.Text(Control::GetDrvInfo), L"&GetTolvekDriverInfo");
    EXPECT_EQ(run.Text(Control::DisplayDialog), L"&DisplayInstallInterface");
}

// Focus is the active window's: this needs the program's window active, so no other test may
// show windows meanwhile (CTest runs this group alone).
TEST(Window, StartsWithFocusOnInstall) {
    const DriverSetupRun run;
    const HWND install = run.ControlWindow(Control::Install);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const bool focused = WaitUntil(
        [&] { return GetGUIThreadInfo(run.ThreadId(), &gui) != FALSE && gui.hwndFocus == install; },
        actionTimeout);
    EXPECT_TRUE(focused) << "focus is on control " << GetDlgCtrlID(gui.hwndFocus) << " of class "
                         << ClassName(gui.hwndFocus) << ", not on Install (1002); the program's "
                         << (gui.hwndActive == run.Window() ? "window is" : "window is not")
                         << " active";
}

TEST(Window, StartedMaximizedKeepsItsDesignedSize) {
    const DriverSetupRun run({}, {}, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(IsZoomed(run.Window()));
    const SIZE client = ClientSize(run.Window());
    EXPECT_EQ(client.cx, 341);
    EXPECT_EQ(client.cy, 41);
}

TEST(Window, HasASixteenPixelSmallIcon) {
    const DriverSetupRun run;
    const LRESULT size = run.Probe(probe::smallIconSize);
    EXPECT_EQ(LOWORD(size), 16);
    EXPECT_EQ(HIWORD(size), 16);
}

TEST(Window, FillsTheLabelsAtStartUp) {
    const DriverSetupRun run;
    EXPECT_EQ(run.Text(Control::Resultbox), startUpText);

    const std::wstring copyright = run.Text(Control::Copyright);
    const auto lineBreak = copyright.find(L"\r\n");
    ASSERT_NE(lineBreak, std::wstring::npos)
        << "one line only: " << testing::PrintToString(copyright);
    EXPECT_EQ(copyright.substr(0, lineBreak), L"Driver setup sample of VelmoraSetup.dll");
    const std::wstring notice = copyright.substr(lineBreak + 2);
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(notice.find_first_of(L"\r\n"), std::wstring::npos)
        << "more than two lines: " << testing::PrintToString(copyright);
}

// One action on the window, the box that tells the outcome of the operation it started (if any),
// and where the focus and the default button are once that box is dismissed with Enter.
struct KeyStep {
    // A key press is the key's own virtual-key code; the other actions lie above them all.
    // NOLINTNEXTLINE(readability-enum-initial-value)
    enum Action : WORD {
        enter = VK_RETURN,
        tab = VK_TAB,
        escape = VK_ESCAPE,
        right = VK_RIGHT,
        left = VK_LEFT,
        up = VK_UP,
        down = VK_DOWN,
        start = 0x100,
        restore, // from minimized
        mouseClickUninstall,
        commandFromDisabledInstall,
        switchAwayAndBack,
        // WM_NEXTDLGCTL in its tab-order forms, and naming a hidden button.
        nextControl,
        previousControl,
        hiddenControl,
        // Enter, then while the call runs with every button locked, Enter again, a click on
        // 移除驅動程式, or a drag from the caption that ends over 安裝驅動程式: input the user made
        // at locked buttons, which must start nothing.
        enterThenEnterDuringTheCall,
        enterThenClickUninstallDuringTheCall,
        enterThenDragTheCaptionDuringTheCall,
        // Enter held down through the call, repeating after it, then released: down before the
        // call, or only once it runs.
        enterHeldThroughTheCall,
        enterThenHoldEnterDuringTheCall,
        // Enter, then clicks that another program posts: during the call, to 移除驅動程式 and for
        // the hidden query button; or for the query while the outcome box shows.
        enterThenPostClicksDuringTheCall,
        enterThenPostQueryWhileTheBoxShows,
    };
    Action action;
    Control focus; // which then also is the only default button
    std::string log;
    const wchar_t* box = nullptr; // the outcome box's text, with its icon
    probe::BoxIcon icon = probe::noIcon;
};

struct KeyWalk {
    const char* name;
    const wchar_t* install; // the stand-in's forced results
    const wchar_t* uninstall;
    const wchar_t* delay; // of every call, in milliseconds
    std::vector<KeyStep> steps;
    bool closesAtTheEnd;
    std::optional<WORD> show = std::nullopt; // how the program is told to show its window
    bool holdsKeysThroughABox = false;       // see ExpectKeysHeldThroughActivation
};

void PrintTo(const KeyWalk& walk, std::ostream* out) {
    *out << walk.name;
}

HWND ActiveWindow(const DriverSetupRun& run) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(run.ThreadId(), &gui) ? gui.hwndActive : nullptr;
}

// Whether `window` of the program (its own, or a box) is the active one; if not, makes it so.
// Wine, acting on a late focus event of the X server, now and then hands the activation to no
// window just after a window has shown or gone (a new program's, a box): keys would then reach
// nothing. Which window is active is not the program's choice, but where the focus is once it
// is active is.
bool ActivateIfNot(const DriverSetupRun& run, HWND window) {
    if (ActiveWindow(run) == window) {
        return true;
    }
    SetForegroundWindow(window);
    return false;
}

// Activates the window until it has stayed active for 20 looks, 200 ms.
bool ActivateToStay(const DriverSetupRun& run, HWND window) {
    int activeLooks = 0;
    return WaitUntil(
        [&] {
            activeLooks = ActivateIfNot(run, window) ? activeLooks + 1 : 0;
            return activeLooks >= 20;
        },
        actionTimeout);
}

// Another program's window takes the activation, as after Alt+Tab, then gives it back.
void SwitchAwayAndBack(const DriverSetupRun& run) {
    const HWND other = CreateWindowExW(WS_EX_TOOLWINDOW, L"Static", L"", WS_POPUP | WS_VISIBLE, 0,
                                       0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitUntil([&] { return ActiveWindow(run) != run.Window(); }, actionTimeout))
        << "the program's window stayed active";
    DestroyWindow(other);
    EXPECT_TRUE(ActivateToStay(run, run.Window()))
        << "the program's window did not become active again";
}

void SendToWindow(const DriverSetupRun& run, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageTimeoutW(run.Window(), message, wParam, lParam, SMTO_NORMAL,
                        static_cast<UINT>(actionTimeout.count()), nullptr);
}

// Enter, and while the call it starts runs with every button locked, what `during` does.
void EnterThenDuringTheCall(const DriverSetupRun& run, void (*press)(WORD),
                            const std::function<void()>& during) {
    press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return run.ButtonStates() == "DDDDD"; }, actionTimeout))
        << "the buttons were never locked; last seen " << run.ButtonStates();
    during();
}

// Once the outcome box shows, two repeats of the held Enter, a last one and its release.
void RepeatEnterThenRelease(const DriverSetupRun& run) {
    ASSERT_TRUE(run.WaitForBox()) << "no outcome box";
    KeyDown(VK_RETURN);
    KeyDown(VK_RETURN);
    PressKey(VK_RETURN);
}

void Perform(const DriverSetupRun& run, KeyStep::Action action) {
    switch (action) {
    case KeyStep::start:
        break;
    case KeyStep::restore:
        PostMessageW(run.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case KeyStep::mouseClickUninstall:
        run.MouseClick(Control::Uninstall);
        break;
    case KeyStep::switchAwayAndBack:
        SwitchAwayAndBack(run);
        break;
    case KeyStep::nextControl:
    case KeyStep::previousControl:
        SendToWindow(run, WM_NEXTDLGCTL, action == KeyStep::previousControl ? 1 : 0, FALSE);
        break;
    case KeyStep::hiddenControl:
        SendToWindow(run, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(run.ControlWindow(Control::GetDrvInfo)), TRUE);
        break;
    case KeyStep::enterThenEnterDuringTheCall:
        EnterThenDuringTheCall(run, PressKey, [] { PressKey(VK_RETURN); });
        break;
    case KeyStep::enterThenClickUninstallDuringTheCall:
        EnterThenDuringTheCall(run, PressKey, [&] { run.MouseClick(Control::Uninstall); });
        break;
    case KeyStep::enterThenDragTheCaptionDuringTheCall: {
        RECT frame{};
        GetWindowRect(run.Window(), &frame);
        const POINT caption{(frame.left + frame.right) / 2, run.CloseBox().y};
        EnterThenDuringTheCall(run, PressKey,
                               [&] { MouseDrag(caption, run.Middle(Control::Install)); });
        break;
    }
    case KeyStep::enterHeldThroughTheCall:
        EnterThenDuringTheCall(run, KeyDown, [&] { RepeatEnterThenRelease(run); });
        break;
    case KeyStep::enterThenHoldEnterDuringTheCall:
        EnterThenDuringTheCall(run, PressKey, [&] {
            KeyDown(VK_RETURN);
            RepeatEnterThenRelease(run);
        });
        break;
    case KeyStep::enterThenPostClicksDuringTheCall:
        EnterThenDuringTheCall(run, PressKey, [&] {
            run.PostClick(Control::Uninstall);
            run.PostClick(Control::GetDrvInfo);
        });
        break;
    case KeyStep::enterThenPostQueryWhileTheBoxShows:
        PressKey(VK_RETURN);
        ASSERT_TRUE(run.WaitForBox()) << "no outcome box";
        run.PostClick(Control::GetDrvInfo);
        break;
    case KeyStep::commandFromDisabledInstall:
        // What a click reports; the window must check the button itself.
        SendToWindow(run, WM_COMMAND, MAKEWPARAM(static_cast<int>(Control::Install), BN_CLICKED),
                     reinterpret_cast<LPARAM>(run.ControlWindow(Control::Install)));
        break;
    default:
        PressKey(action);
        break;
    }
}

class Keyboard : public testing::TestWithParam<KeyWalk> {};

// Focus is the active window's, so this group runs alone (see StartsWithFocusOnInstall). Each
// step waits until its state shows, so a key not yet handled is never taken for one ignored;
// an Escape, or input that must start nothing, is followed by a step that changes what shows,
// which it cannot overtake: the program reads its input in order.
void Walk(const DriverSetupRun& run, const KeyWalk& walk) {
    int number = 0;
    for (const KeyStep& step : walk.steps) {
        SCOPED_TRACE("step " + std::to_string(++number));
        // Restoring from minimized activates the window itself.
        const bool activate = step.action != KeyStep::restore;
        if (activate) {
            ASSERT_TRUE(ActivateToStay(run, run.Window()))
                << "the program's window could not be activated";
        }
        Perform(run, step.action);
        if (step.box != nullptr) {
            const auto box = run.WaitForBox();
            ASSERT_TRUE(box) << "no outcome box; log " << testing::PrintToString(run.CallLog());
            EXPECT_EQ(box->text, step.box);
            EXPECT_EQ(box->icon, step.icon);
            ASSERT_TRUE(ActivateToStay(run, box->window)) << "the box could not be activated";
            PressKey(VK_RETURN);
            ASSERT_TRUE(run.WaitUntilNoBox()) << "Enter did not dismiss the outcome box";
        }
        const HWND expected = run.ControlWindow(step.focus);
        const std::vector<int> expectedDefault{static_cast<int>(step.focus)};
        const bool shown = WaitUntil(
            [&] {
                return (!activate || ActivateIfNot(run, run.Window())) &&
                       run.CallLog() == step.log && run.Focus() == expected &&
                       run.DefaultButtons() == expectedDefault;
            },
            actionTimeout);
        EXPECT_TRUE(shown) << "log " << testing::PrintToString(run.CallLog()) << ", focus on "
                           << GetDlgCtrlID(run.Focus()) << ", default buttons "
                           << testing::PrintToString(run.DefaultButtons()) << "; expected focus on "
                           << static_cast<int>(step.focus);
    }
    if (walk.closesAtTheEnd) {
        ASSERT_TRUE(ActivateToStay(run, run.Window()))
            << "the program's window could not be activated";
        PressKey(VK_RETURN);
        EXPECT_EQ(run.WaitForExit(), 0U);
        EXPECT_EQ(run.CallLog(), walk.steps.back().log);
    } else {
        EXPECT_TRUE(run.Process().Running());
    }
}

TEST_P(Keyboard, PressesTheFocusedButtonWhichAloneIsTheDefault) {
    const KeyWalk& walk = GetParam();
    const DriverSetupRun run({{L"VELMORA_SIM_INSTDRIVER", walk.install},
                              {L"VELMORA_SIM_UNINSTALLDRIVER", walk.uninstall},
                              {L"VELMORA_SIM_DELAY_MS", walk.delay}},
                             {}, walk.show);
    if (walk.holdsKeysThroughABox) {
        ExpectKeysHeldThroughActivation([&] { Walk(run, walk); });
    } else {
        Walk(run, walk);
    }
}

constexpr auto warning = probe::warningIcon;
constexpr auto error = probe::errorIcon;
const wchar_t* const noRights = L"Please log on with administrator identity.";
const wchar_t* const uninstallFailed = L"The driver's uninstallation failed. Error code:  5";
// The stand-in's call log after `count` installs.
std::string Installs(int count) {
    std::string log;
    for (int install = 0; install < count; ++install) {
        log += "InstDriver 1\n";
    }
    return log;
}

const KeyStep enterInstalls{KeyStep::enter, Control::CloseButton, "InstDriver 1\n",
                            L"The driver has been installed successfully.", probe::informationIcon};

INSTANTIATE_TEST_SUITE_P(
    E2e, Keyboard,
    testing::Values(
        // Failed operations leave their button enabled, and the focus on it; after the window
        // was switched away from and back to, the focus is where the user left it. The arrow
        // keys, and the dialog manager's message for the next and previous control, go round
        // the visible buttons.
        KeyWalk{
            "failures",
            L"3008",
            L"5",
            L"0",
            {{KeyStep::start, Control::Install, ""},
             {KeyStep::enter, Control::Install, "InstDriver 1\n", noRights, warning},
             {KeyStep::tab, Control::Uninstall, "InstDriver 1\n"},
             {KeyStep::enter, Control::Uninstall, "InstDriver 1\nUninstallDriver 1\n",
              uninstallFailed, error},
             {KeyStep::tab, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::switchAwayAndBack, Control::CloseButton,
              "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::escape, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::right, Control::Install, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::left, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::up, Control::Uninstall, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::down, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::nextControl, Control::Install, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::previousControl, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::hiddenControl, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n"},
             {KeyStep::mouseClickUninstall, Control::Uninstall,
              "InstDriver 1\nUninstallDriver 1\nUninstallDriver 1\n", uninstallFailed, error},
             {KeyStep::enter, Control::Uninstall,
              "InstDriver 1\nUninstallDriver 1\nUninstallDriver 1\nUninstallDriver 1\n",
              uninstallFailed, error}},
            false},
        // A success disables its button: the focus goes to 關閉, never to the opposite
        // operation, and the arrow keys pass the disabled button by.
        KeyWalk{"successes",
                L"0",
                L"0",
                L"0",
                {{KeyStep::start, Control::Install, ""},
                 enterInstalls,
                 {KeyStep::commandFromDisabledInstall, Control::CloseButton, "InstDriver 1\n"},
                 {KeyStep::right, Control::Uninstall, "InstDriver 1\n"},
                 {KeyStep::left, Control::CloseButton, "InstDriver 1\n"},
                 {KeyStep::right, Control::Uninstall, "InstDriver 1\n"},
                 {KeyStep::enter, Control::CloseButton, "InstDriver 1\nUninstallDriver 1\n",
                  L"The driver has been uninstalled successfully.", probe::informationIcon}},
                true},
        // One Enter more than needed after an install closes the program and undoes nothing.
        KeyWalk{"enter_thrice",
                L"0",
                L"0",
                L"0",
                {{KeyStep::start, Control::Install, ""}, enterInstalls},
                true},
        // Started minimized: once restored, the focus is on the first button.
        KeyWalk{"minimized_at_start",
                L"0",
                L"0",
                L"0",
                {{KeyStep::restore, Control::Install, ""}, enterInstalls},
                false,
                SW_SHOWMINIMIZED},
        // A library call that dispatches no messages: what the user did meanwhile is dropped, a
        // key held through it does nothing until it is released, and clicks that another program
        // posts start nothing before the outcome has shown, nor behind its box.
        KeyWalk{"input_during_a_call",
                L"3008",
                L"0",
                L"1500",
                {{KeyStep::start, Control::Install, ""},
                 {KeyStep::enterThenEnterDuringTheCall, Control::Install, Installs(1), noRights,
                  warning},
                 {KeyStep::right, Control::Uninstall, Installs(1)},
                 {KeyStep::left, Control::Install, Installs(1)},
                 {KeyStep::enterThenClickUninstallDuringTheCall, Control::Install, Installs(2),
                  noRights, warning},
                 {KeyStep::enterThenDragTheCaptionDuringTheCall, Control::Install, Installs(3),
                  noRights, warning},
                 {KeyStep::enterThenPostQueryWhileTheBoxShows, Control::Install, Installs(4),
                  noRights, warning},
                 // The posted click takes the focus, as a click does.
                 {KeyStep::enterThenPostClicksDuringTheCall, Control::Uninstall, Installs(5),
                  noRights, warning},
                 {KeyStep::right, Control::CloseButton, Installs(5)}},
                false},
        // The same, with Enter held through the call and its outcome box.
        KeyWalk{
            "enter_held_over_a_call",
            L"3008",
            L"0",
            L"1500",
            {{KeyStep::start, Control::Install, ""},
             {KeyStep::enterHeldThroughTheCall, Control::Install, Installs(1), noRights, warning},
             {KeyStep::enterThenHoldEnterDuringTheCall, Control::Install, Installs(2), noRights,
              warning},
             {KeyStep::right, Control::Uninstall, Installs(2)}},
            false,
            std::nullopt,
            true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e
