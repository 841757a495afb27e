#include "fakes.h"
#include "window/outcome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace driversetup::testing {
namespace {

using Log = std::vector<std::wstring>;

TEST(FormatResultCode, PutsOneSpaceBeforeNonNegativeValuesAndNoneBeforeNegative) {
    EXPECT_EQ(FormatResultCode(0), L" 0");
    EXPECT_EQ(FormatResultCode(5), L" 5");
    EXPECT_EQ(FormatResultCode(3008), L" 3008");
    EXPECT_EQ(FormatResultCode(32767), L" 32767");
    EXPECT_EQ(FormatResultCode(-1), L"-1");
    EXPECT_EQ(FormatResultCode(-32768), L"-32768");
}

const Log lockAll{L"disable Install", L"disable Uninstall", L"disable DisplayDialog",
                  L"disable GetDrvInfo", L"disable CloseButton"};

Log Then(Log first, const Log& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

TEST_F(Form1Test, InstallLocksCallsWritesAndUnlocksInOrder) {
    EXPECT_EQ(Run(&Form1::Install_Click, 0),
              Then(lockAll, {L"set Resultbox \"The driver has been installed successfully.\"",
                             L"enable Uninstall", L"enable DisplayDialog", L"enable GetDrvInfo",
                             L"enable CloseButton"}));
    EXPECT_EQ(Run(&Form1::Install_Click, 3008),
              Then(lockAll, {L"enable Install",
                             L"set Resultbox \"Please log on with administrator identity.\"",
                             L"enable Uninstall", L"enable DisplayDialog", L"enable GetDrvInfo",
                             L"enable CloseButton"}));
    EXPECT_EQ(Run(&Form1::Install_Click, 5),
              Then(lockAll, {L"enable Install",
                             L"set Resultbox \"The driver's installation failed. Error code:  5\"",
                             L"enable Uninstall", L"enable DisplayDialog", L"enable GetDrvInfo",
                             L"enable CloseButton"}));
    EXPECT_EQ(Run(&Form1::Install_Click, -1),
              Then(lockAll, {L"enable Install",
                             L"set Resultbox \"The driver's installation failed. Error code: -1\"",
                             L"enable Uninstall", L"enable DisplayDialog", L"enable GetDrvInfo",
                             L"enable CloseButton"}));
    EXPECT_EQ(library.calls,
              (Log{L"InstDriver 1", L"InstDriver 1", L"InstDriver 1", L"InstDriver 1"}));
}

TEST_F(Form1Test, UninstallShowsTheWaitingTextBeforeTheCallAndUnlocksInOrder) {
    const std::wstring waiting = L"set Resultbox \"Uninstall the driver ,Please wait......\"";
    EXPECT_EQ(
        Run(&Form1::Uninstall_Click, 0),
        Then(lockAll, {waiting, L"set Resultbox \"The driver has been uninstalled successfully.\"",
                       L"enable Install", L"enable DisplayDialog", L"enable GetDrvInfo",
                       L"enable CloseButton"}));
    EXPECT_EQ(
        Run(&Form1::Uninstall_Click, 3008),
        Then(lockAll, {waiting, L"set Resultbox \"Please log on with administrator identity.\"",
                       L"enable Uninstall", L"enable Install", L"enable DisplayDialog",
                       L"enable GetDrvInfo", L"enable CloseButton"}));
    EXPECT_EQ(
        Run(&Form1::Uninstall_Click, 7),
        Then(lockAll,
             {waiting, L"set Resultbox \"The driver's uninstallation failed. Error code:  7\"",
              L"enable Uninstall", L"enable Install", L"enable DisplayDialog", L"enable GetDrvInfo",
              L"enable CloseButton"}));
    EXPECT_EQ(library.calls,
              (Log{L"UninstallDriver 1", L"UninstallDriver 1", L"UninstallDriver 1"}));
}

// Written independently of the program: the expected text for every 16-bit result.
std::wstring ExpectedText(const wchar_t* success, const wchar_t* failurePrefix, int result) {
    if (result == 0) {
        return success;
    }
    if (result == 3008) {
        return L"Please log on with administrator identity.";
    }
    wchar_t digits[16];
    std::swprintf(digits, 16, result < 0 ? L"%d" : L" %d", result);
    return std::wstring(failurePrefix) + digits;
}

TEST_F(Form1Test, EverySixteenBitInstallResultGivesItsTextAndButtonStates) {
    window.SetCaption(Control::Resultbox, L"before");
    for (int result = -32768; result <= 32767; ++result) {
        library.result16 = static_cast<std::int16_t>(result);
        const std::wstring previous = window.Caption(Control::Resultbox);
        form.Install_Click();
        ASSERT_EQ(library.statesAtCall, "DDDDD") << result;
        ASSERT_EQ(library.resultboxAtCall, previous) << result;
        ASSERT_EQ(form.ResultCode(), result);
        ASSERT_EQ(window.Caption(Control::Resultbox),
                  ExpectedText(L"The driver has been installed successfully.",
                               L"The driver's installation failed. Error code: ", result));
        ASSERT_EQ(window.ButtonStates(), result == 0 ? "DEEEE" : "EEEEE") << result;
    }
}

TEST_F(Form1Test, EverySixteenBitUninstallResultGivesItsTextAndButtonStates) {
    for (int result = -32768; result <= 32767; ++result) {
        library.result16 = static_cast<std::int16_t>(result);
        form.Uninstall_Click();
        ASSERT_EQ(library.statesAtCall, "DDDDD") << result;
        ASSERT_EQ(library.resultboxAtCall, L"Uninstall the driver ,Please wait......") << result;
        ASSERT_EQ(form.ResultCode(), result);
        ASSERT_EQ(window.Caption(Control::Resultbox),
                  ExpectedText(L"The driver has been uninstalled successfully.",
                               L"The driver's uninstallation failed. Error code: ", result));
        ASSERT_EQ(window.ButtonStates(), result == 0 ? "EDEEE" : "EEEEE") << result;
    }
}

TEST_F(Form1Test, ASuccessKeepsItsButtonLockedUntilTheOppositeOperationRuns) {
    struct Step {
        void (Form1::*handler)();
        std::int16_t result;
        const char* states; // Install, Uninstall, DisplayDialog, GetDrvInfo, CloseButton
    };
    const Step steps[] = {
        {&Form1::Install_Click, 0, "DEEEE"},    {&Form1::Uninstall_Click, 7, "EEEEE"},
        {&Form1::Install_Click, 0, "DEEEE"},    {&Form1::Uninstall_Click, 0, "EDEEE"},
        {&Form1::Install_Click, 3008, "EEEEE"}, {&Form1::Uninstall_Click, 0, "EDEEE"},
        {&Form1::Uninstall_Click, -5, "EEEEE"},
    };
    for (const Step& step : steps) {
        Run(step.handler, step.result);
        EXPECT_EQ(window.ButtonStates(), step.states) << "after result " << step.result;
        EXPECT_EQ(form.ResultCode(), step.result);
    }
}

// The box after an operation: success, the rights the user can get, every other failure.
TEST(OutcomeIcon, InformsOnSuccessWarnsOnMissingRightsAndShowsAnErrorOtherwise) {
    EXPECT_EQ(OutcomeIconFor(0), OutcomeIcon::Information);
    EXPECT_EQ(OutcomeIconFor(3008), OutcomeIcon::Warning);
    const std::int16_t failures[] = {1, 5, 3007, 3009, -1, -3008, 32767, -32768};
    for (const std::int16_t failure : failures) {
        EXPECT_EQ(OutcomeIconFor(failure), OutcomeIcon::Error) << failure;
    }
}

} // namespace
} // namespace driversetup::testing
