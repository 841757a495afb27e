// Installing and removing the driver through the window, with the stand-in's forced results, and
// what every library call runs in.
#include "driver_setup_run.h"
#include "startup_text.h"
#include "wait.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {
namespace {

// The window's answer to a log-off's question whether it may end, nothing if it gave none.
std::optional<LRESULT> QueryEndSession(const DriverSetupRun& run) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(run.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                             static_cast<UINT>(actionTimeout.count()), &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

// Windows 10 1809 and later know the GDI-scaled DPI-unaware context; Wine 8 does not.
bool KnowsGdiScaling() {
    using IsValidContextFn = BOOL(WINAPI*)(HANDLE);
    const auto isValid = reinterpret_cast<IsValidContextFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "IsValidDpiAwarenessContext")));
    return isValid != nullptr && isValid(reinterpret_cast<HANDLE>(-5)) != FALSE;
}

// The library runs as in the desktop programs it was written for: on a COM single-threaded
// apartment, and DPI-unaware, so that the system scales its windows.
TEST(LibraryCall, RunsOnASingleThreadedApartmentAndDpiUnaware) {
    const DriverSetupRun run(
        {{L"VELMORA_SIM_LOG_CONTEXT", L"1"}, {L"VELMORA_SIM_DIALOG", L"empty"}});
    run.Operate(Control::Install);
    run.Operate(Control::Uninstall);
    run.Click(Control::GetDrvInfo);
    run.Click(Control::DisplayDialog);
    const std::string context =
        std::string(" apartment=sta dpi=") + (KnowsGdiScaling() ? "unaware-gdiscaled" : "unaware");
    EXPECT_EQ(run.CallLog(), "InstDriver 1" + context + "\nUninstallDriver 1" + context +
                                 "\nGetTolvekDriverInfo" + context + "\nDriverDialog" + context +
                                 "\n");
}

// One click, the box that tells its outcome, and what the window shows after it. Button states
// are 'E'nabled or 'D'isabled for Install, Uninstall, DisplayDialog, GetDrvInfo, CloseButton.
struct Step {
    Control button;
    const wchar_t* forced; // the 16-bit result the stand-in returns
    const wchar_t* text;   // in the box and in the result box
    probe::BoxIcon icon;
    const char* states;
};

struct OperationCase {
    const char* name;
    std::vector<Step> steps;
    const char* log; // the stand-in's calls, in order
};

void PrintTo(const OperationCase& c, std::ostream* out) {
    *out << c.name;
}

class Operation : public testing::TestWithParam<OperationCase> {};

TEST_P(Operation, ShowsTheOutcomeInABoxAndUnlocksTheButtons) {
    SimulatorSettings forced;
    for (const Step& step : GetParam().steps) {
        forced.Set(step.button == Control::Install ? L"VELMORA_SIM_INSTDRIVER"
                                                   : L"VELMORA_SIM_UNINSTALLDRIVER",
                   step.forced);
    }
    const DriverSetupRun run(forced);
    int number = 0;
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(++number));
        const auto box = run.Operate(step.button);
        ASSERT_TRUE(box) << "no box";
        EXPECT_EQ(box->owner, run.Window());
        EXPECT_EQ(box->caption, L"驅動程式安裝工具");
        EXPECT_EQ(box->text, step.text);
        EXPECT_EQ(box->icon, step.icon);
        EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
        EXPECT_EQ(run.Text(Control::Resultbox), step.text);
        EXPECT_EQ(run.ButtonStates(), step.states);
    }
    EXPECT_EQ(run.CallLog(), GetParam().log);
    EXPECT_TRUE(run.Process().Running());
}

constexpr auto information = probe::informationIcon;
constexpr auto warning = probe::warningIcon;
constexpr auto error = probe::errorIcon;

const Step install0{Control::Install, L"0", L"The driver has been installed successfully.",
                    information, "DEEEE"};
const Step uninstall0{Control::Uninstall, L"0", L"The driver has been uninstalled successfully.",
                      information, "EDEEE"};

INSTANTIATE_TEST_SUITE_P(
    E2e, Operation,
    testing::Values(
        OperationCase{"install_0", {install0}, "InstDriver 1\n"},
        OperationCase{"install_3008",
                      {{Control::Install, L"3008", L"Please log on with administrator identity.",
                        warning, "EEEEE"}},
                      "InstDriver 1\n"},
        OperationCase{"install_5",
                      {{Control::Install, L"5", L"The driver's installation failed. Error code:  5",
                        error, "EEEEE"}},
                      "InstDriver 1\n"},
        OperationCase{"install_minus_1",
                      {{Control::Install, L"-1",
                        L"The driver's installation failed. Error code: -1", error, "EEEEE"}},
                      "InstDriver 1\n"},
        OperationCase{"install_7",
                      {{Control::Install, L"7", L"The driver's installation failed. Error code:  7",
                        error, "EEEEE"}},
                      "InstDriver 1\n"},
        OperationCase{"install_minus_32768",
                      {{Control::Install, L"-32768",
                        L"The driver's installation failed. Error code: -32768", error, "EEEEE"}},
                      "InstDriver 1\n"},
        OperationCase{"uninstall_0", {uninstall0}, "UninstallDriver 1\n"},
        OperationCase{"uninstall_3008",
                      {{Control::Uninstall, L"3008", L"Please log on with administrator identity.",
                        warning, "EEEEE"}},
                      "UninstallDriver 1\n"},
        OperationCase{"uninstall_5",
                      {{Control::Uninstall, L"5",
                        L"The driver's uninstallation failed. Error code:  5", error, "EEEEE"}},
                      "UninstallDriver 1\n"},
        OperationCase{"uninstall_minus_1",
                      {{Control::Uninstall, L"-1",
                        L"The driver's uninstallation failed. Error code: -1", error, "EEEEE"}},
                      "UninstallDriver 1\n"},
        OperationCase{"uninstall_7",
                      {{Control::Uninstall, L"7",
                        L"The driver's uninstallation failed. Error code:  7", error, "EEEEE"}},
                      "UninstallDriver 1\n"},
        OperationCase{"install_0_then_uninstall_7",
                      {install0,
                       {Control::Uninstall, L"7",
                        L"The driver's uninstallation failed. Error code:  7", error, "EEEEE"}},
                      "InstDriver 1\nUninstallDriver 1\n"},
        OperationCase{"uninstall_0_then_install_3008",
                      {uninstall0,
                       {Control::Install, L"3008", L"Please log on with administrator identity.",
                        warning, "EEEEE"}},
                      "UninstallDriver 1\nInstDriver 1\n"},
        OperationCase{"install_0_then_uninstall_0",
                      {install0,
                       {Control::Uninstall, L"0", L"The driver has been uninstalled successfully.",
                        information, "EDEEE"}},
                      "InstDriver 1\nUninstallDriver 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A slow library call, watched from outside while it runs.
struct SlowCase {
    const char* name;
    Control button;
    const wchar_t* pump; // VELMORA_SIM_PUMP: whether the stand-in pumps messages while it waits
    const wchar_t* textDuring;
    const wchar_t* textAfter;
    const char* statesAfter;
};

void PrintTo(const SlowCase& c, std::ostream* out) {
    *out << c.name;
}

class SlowOperation : public testing::TestWithParam<SlowCase> {};

TEST_P(SlowOperation, LocksEveryButtonAndRefusesALogOffWhileTheLibraryRuns) {
    const SlowCase& slow = GetParam();
    const DriverSetupRun run({{L"VELMORA_SIM_DELAY_MS", L"2000"},
                              {L"VELMORA_SIM_PUMP", slow.pump},
                              {L"VELMORA_SIM_INSTDRIVER", L"0"},
                              {L"VELMORA_SIM_UNINSTALLDRIVER", L"0"}});
    run.PostClick(slow.button);
    ASSERT_TRUE(WaitUntil([&] { return run.ButtonStates() == "DDDDD"; }, actionTimeout))
        << "buttons never all disabled; last seen " << run.ButtonStates();
    if (std::wstring_view(slow.pump) == L"1") {
        EXPECT_EQ(QueryEndSession(run), FALSE) << "a log-off was not refused during the call";
    }
    // Every text shown while the buttons stay locked, read from the system's copy since the
    // window's thread is inside the library.
    std::vector<std::wstring> seen;
    const bool ended = WaitUntil(
        [&] {
            const std::wstring text = StoredText(run.ControlWindow(Control::Resultbox));
            if (run.ButtonStates() != "DDDDD") {
                return true;
            }
            if (seen.empty() || seen.back() != text) {
                seen.push_back(text);
            }
            return false;
        },
        actionTimeout);
    ASSERT_TRUE(ended) << "the buttons stayed locked";
    // The handler writes the outcome a moment before it unlocks, and the lock may be seen a
    // moment before it writes its waiting text.
    if (seen.size() > 1 && seen.back() == slow.textAfter) {
        seen.pop_back();
    }
    if (seen.size() > 1 && seen.front() == startUpText) {
        seen.erase(seen.begin());
    }
    EXPECT_EQ(seen, std::vector<std::wstring>{slow.textDuring});

    // The box that tells the outcome comes after the buttons are unlocked, and meanwhile the
    // program is idle.
    const auto box = run.WaitForBox();
    ASSERT_TRUE(box) << "no outcome box";
    EXPECT_EQ(box->text, slow.textAfter);
    EXPECT_EQ(run.ButtonStates(), slow.statesAfter);
    EXPECT_EQ(run.Text(Control::Resultbox), slow.textAfter);
    EXPECT_EQ(QueryEndSession(run), TRUE) << "a log-off was refused after the call";
}

INSTANTIATE_TEST_SUITE_P(
    E2e, SlowOperation,
    testing::Values(SlowCase{"install", Control::Install, L"0", startUpText,
                             L"The driver has been installed successfully.", "DEEEE"},
                    SlowCase{"install_pumping", Control::Install, L"1", startUpText,
                             L"The driver has been installed successfully.", "DEEEE"},
                    SlowCase{"uninstall", Control::Uninstall, L"0",
                             L"Uninstall the driver ,Please wait......",
                             L"The driver has been uninstalled successfully.", "EDEEE"},
                    SlowCase{"uninstall_pumping", Control::Uninstall, L"1",
                             L"Uninstall the driver ,Please wait......",
                             L"The driver has been uninstalled successfully.", "EDEEE"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e
