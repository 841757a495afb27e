// The window as a newly started program shows it: frame, controls, focus and start-up texts.
#include "driver_setup_run.h"
#include "startup_text.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace e2e
