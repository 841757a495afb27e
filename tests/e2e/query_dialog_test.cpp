// The two hidden buttons: the driver status query and the library's own setup dialog.
#include "driver_setup_run.h"
#include "startup_text.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {
namespace {

struct QueryCase {
    const char* name;
    const wchar_t* status; // GetTolvekDriverInfo's forced 32-bit result
    const wchar_t* text;
};

void PrintTo(const QueryCase& c, std::ostream* out) {
    *out << c.name;
}

class DriverQuery : public testing::TestWithParam<QueryCase> {};

TEST_P(DriverQuery, ShowsTheStatusSentenceAndLeavesTheButtons) {
    const DriverSetupRun run({{L"VELMORA_SIM_DRIVERINFO", GetParam().status}});
    run.Click(Control::GetDrvInfo);
    EXPECT_EQ(run.Text(Control::Resultbox), GetParam().text);
    EXPECT_EQ(run.ButtonStates(), "EEEEE");
    EXPECT_EQ(run.CallLog(), "GetTolvekDriverInfo\n");
}

INSTANTIATE_TEST_SUITE_P(
    E2e, DriverQuery,
    testing::Values(
        QueryCase{"not_found_0", L"0", L"Not find Tolvek driver"},
        QueryCase{"same_both_1", L"1",
                  L"Find the same version USBTolvek and ParallelTolvek driver."},
        QueryCase{"same_usb_2", L"2", L"Find the same version USBTolvek driver only."},
        QueryCase{"same_parallel_3", L"3", L"Find the same version ParallelTolvek driver only."},
        QueryCase{"older_both_4", L"4",
                  L"Find the older version USBTolvek and ParallelTolvek driver."},
        QueryCase{"older_usb_5", L"5", L"Find the older version USBTolvek driver only."},
        QueryCase{"older_parallel_6", L"6", L"Find the older version ParallelTolvek driver only."},
        QueryCase{"newer_both_7", L"7",
                  L"Find the newer version USBTolvek and ParallelTolvek driver."},
        QueryCase{"newer_usb_8", L"8", L"Find the newer version USBTolvek driver only."},
        QueryCase{"newer_parallel_9", L"9", L"Find the newer version ParallelTolvek driver only."},
        QueryCase{"admin_3008", L"3008", L"Please log on with administrator identity!."},
        QueryCase{"unknown_10", L"10", L"Not find Tolvek driver"},
        QueryCase{"unknown_minus_1", L"-1", L"Not find Tolvek driver"},
        // Equal to 3008 and 2 in the low 16 bits only: the whole value decides.
        QueryCase{"unknown_3008_plus_65536", L"68544", L"Not find Tolvek driver"},
        QueryCase{"unknown_2_plus_65536", L"65538", L"Not find Tolvek driver"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriverQueryAfterInstall, LeavesInstallDisabled) {
    const DriverSetupRun run(
        {{L"VELMORA_SIM_INSTDRIVER", L"0"}, {L"VELMORA_SIM_DRIVERINFO", L"5"}});
    run.Operate(Control::Install);
    run.Click(Control::GetDrvInfo);
    EXPECT_EQ(run.Text(Control::Resultbox), L"Find the older version USBTolvek driver only.");
    EXPECT_EQ(run.ButtonStates(), "DEEEE");
    EXPECT_EQ(run.CallLog(), "InstDriver 1\nGetTolvekDriverInfo\n");
}

struct DialogCase {
    const char* name;
    const wchar_t* stored; // VELMORA_SIM_DIALOG: what DriverDialog leaves in the VARIANT
};

void PrintTo(const DialogCase& c, std::ostream* out) {
    *out << c.name;
}

// Values that convert to a 16-bit integer: the window shows nothing of the result.
class ConvertibleDialogResult : public testing::TestWithParam<DialogCase> {};

TEST_P(ConvertibleDialogResult, ChangesNothingInTheWindow) {
    const DriverSetupRun run({{L"VELMORA_SIM_DIALOG", GetParam().stored}});
    run.Click(Control::DisplayDialog);
    EXPECT_TRUE(run.Process().Running());
    EXPECT_TRUE(TopLevelWindows(run.Process().Id(), L"#32770").empty()) << "an error box shows";
    EXPECT_EQ(run.Text(Control::Resultbox), startUpText);
    EXPECT_EQ(run.ButtonStates(), "EEEEE");
    EXPECT_EQ(run.CallLog(), "DriverDialog\n");
}

INSTANTIATE_TEST_SUITE_P(
    E2e, ConvertibleDialogResult,
    testing::Values(DialogCase{"empty", L"empty"}, DialogCase{"i2_3008", L"i2:3008"},
                    DialogCase{"i4_minus_32768", L"i4:-32768"}, DialogCase{"r8_2_5", L"r8:2.5"},
                    DialogCase{"r8_3_5", L"r8:3.5"}, DialogCase{"bstr_12", L"bstr:12"},
                    DialogCase{"bool_true", L"bool:true"}, DialogCase{"bool_false", L"bool:false"}),
    [](const auto& info) { return std::string(info.param.name); });

// Values that do not convert: the program reports the failure and ends.
class UnconvertibleDialogResult : public testing::TestWithParam<DialogCase> {};

TEST_P(UnconvertibleDialogResult, ShowsAnErrorBoxThenExitsWithStatus1) {
    const DriverSetupRun run({{L"VELMORA_SIM_DIALOG", GetParam().stored}});
    run.PostClick(Control::DisplayDialog);
    const auto box = run.WaitForBox();
    ASSERT_TRUE(box) << "no error box; the program "
                     << (run.Process().Running() ? "runs" : "ended");
    EXPECT_EQ(box->caption, L"驅動程式安裝工具");
    EXPECT_EQ(box->owner, run.Window());
    EXPECT_EQ(box->icon, probe::errorIcon);
    EXPECT_NE(box->text.find(L"DriverDialog"), std::wstring::npos) << box->text;
    EXPECT_EQ(run.ButtonStates(), "EEEEE");
    PressOk(*box);
    EXPECT_EQ(run.WaitForExit(), 1U);
    EXPECT_EQ(run.CallLog(), "DriverDialog\n");
}

INSTANTIATE_TEST_SUITE_P(E2e, UnconvertibleDialogResult,
                         testing::Values(DialogCase{"bstr_abc", L"bstr:abc"},
                                         DialogCase{"i4_40000", L"i4:40000"},
                                         DialogCase{"r8_32767_5", L"r8:32767.5"},
                                         DialogCase{"null", L"null"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e
