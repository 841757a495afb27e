#include "fakes.h"
#include "window/focus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#if !defined(_WIN32)
using namespace driversetup::portable;
#endif

namespace driversetup::testing {
namespace {

struct DialogCase {
    const char* name;
    std::function<void(Variant&)> fill;
    std::int16_t expected;
};

TEST_F(Form1Test, DialogResultIsCoercedIntoResultCodeAndNothingElseChanges) {
    const DialogCase cases[] = {
        {"left empty", nullptr, 0},
        {"i2 3008",
         [](Variant& v) {
             v.vt = VT_I2;
             v.iVal = 3008;
         },
         3008},
        {"i4 -7",
         [](Variant& v) {
             v.vt = VT_I4;
             v.lVal = -7;
         },
         -7},
        {"r8 2.5",
         [](Variant& v) {
             v.vt = VT_R8;
             v.dblVal = 2.5;
         },
         2},
        {"r8 3.5",
         [](Variant& v) {
             v.vt = VT_R8;
             v.dblVal = 3.5;
         },
         4},
        {"text 12",
         [](Variant& v) {
             v.vt = VT_BSTR;
             v.bstrVal = SysAllocString(L"12");
         },
         12},
        {"bool true",
         [](Variant& v) {
             v.vt = VT_BOOL;
             v.boolVal = VARIANT_TRUE;
         },
         -1},
    };
    window.SetCaption(Control::Resultbox, L"kept");
    for (const DialogCase& dialog : cases) {
        library.fillDialogResult = dialog.fill;
        window.log.clear();
        form.DisplayDialog_Click();
        EXPECT_EQ(form.ResultCode(), dialog.expected) << dialog.name;
        EXPECT_TRUE(window.log.empty()) << dialog.name;
        EXPECT_EQ(window.Caption(Control::Resultbox), L"kept");
        EXPECT_EQ(window.ButtonStates(), "EEEEE");
    }
}

TEST_F(Form1Test, DialogResultThatIsNoSixteenBitNumberRaisesWithTheHresult) {
    struct Unconvertible {
        const char* name;
        std::function<void(Variant&)> fill;
        const char* hresult; // as Windows writes it
    };
    const Unconvertible cases[] = {
        {"text abc",
         [](Variant& v) {
             v.vt = VT_BSTR;
             v.bstrVal = SysAllocString(L"abc");
         },
         "error 0x80020005"},
        {"i4 40000",
         [](Variant& v) {
             v.vt = VT_I4;
             v.lVal = 40000;
         },
         "error 0x8002000A"},
        {"null", [](Variant& v) { v.vt = VT_NULL; }, "error 0x80020005"},
    };
    for (const Unconvertible& dialog : cases) {
        library.fillDialogResult = dialog.fill;
        std::string message = "(nothing raised)";
        try {
            form.DisplayDialog_Click();
        } catch (const std::runtime_error& error) {
            message = error.what();
        }
        EXPECT_NE(message.find("DriverDialog"), std::string::npos)
            << dialog.name << ": " << message;
        EXPECT_NE(message.find(dialog.hresult), std::string::npos)
            << dialog.name << ": " << message;
    }
}

TEST_F(Form1Test, ClickRunsTheHandlerOfEachButton) {
    library.result16 = 9;
    const std::vector<std::pair<Control, std::wstring>> wiring{
        {Control::Install, L"InstDriver 1"},
        {Control::Uninstall, L"UninstallDriver 1"},
        {Control::GetDrvInfo, L"GetTolvekDriverInfo"},
        {Control::DisplayDialog, L"DriverDialog"},
    };
    for (const auto& [button, call] : wiring) {
        form.Click(button);
        EXPECT_EQ(library.calls.back(), call);
    }
    EXPECT_EQ(window.unloads, 0);
    form.Click(Control::CloseButton);
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(library.calls.size(), 4U) << "closing calls nothing";
}

TEST_F(Form1Test, WhileAHandlerRunsOtherClicksStartNothingAndACloseWaits) {
    library.duringCall = [this] {
        library.duringCall = nullptr;
        form.Click(Control::GetDrvInfo);
        form.Click(Control::CloseButton);
        form.RequestClose();
        form.RequestClose();
        EXPECT_EQ(window.unloads, 0) << "nothing is destroyed under a running handler";
    };
    form.Click(Control::Install);
    EXPECT_EQ(library.calls, (std::vector<std::wstring>{L"InstDriver 1"}));
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(window.log.back(), L"unload") << "the handler finished first";
}

TEST_F(Form1Test, ACloseRequestWhenIdleUnloadsAtOnce) {
    form.RequestClose();
    EXPECT_EQ(window.unloads, 1);
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(Form1Test, AHandlerThatRaisesLeavesTheWindowIdle) {
    library.fillDialogResult = [](Variant& v) { v.vt = VT_NULL; };
    EXPECT_THROW(form.Click(Control::DisplayDialog), std::runtime_error);
    EXPECT_FALSE(form.Busy());
}

// Tab order: GetDrvInfo, DisplayDialog, Install, Uninstall, CloseButton, copyright, Resultbox.
TEST(FocusAfterClick, StaysOnTheButtonElseGoesToCloseElseMovesOnInTabOrderWrappingAround) {
    const struct {
        const char* name;
        Control activated;
        Focusable focusable;
        std::optional<Control> expected;
    } cases[] = {
        {"enabled again", Control::Install, {false, false, true, true, true}, Control::Install},
        {"close, not the opposite operation",
         Control::Install,
         {false, false, false, true, true},
         Control::CloseButton},
        {"close before the earlier button",
         Control::Uninstall,
         {false, false, true, false, true},
         Control::CloseButton},
        {"next without close", Control::Install, {false, false, false, true}, Control::Uninstall},
        {"wraps past the hidden and the labels",
         Control::CloseButton,
         {false, false, true, false, false},
         Control::Install},
        {"none", Control::Uninstall, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FocusAfterClick(c.activated, c.focusable), c.expected) << c.name;
    }
}

// Windows' dialog manager would press a hidden button for its letter, which must not get there.
TEST(IsHiddenAccelerator, HoldsForTheHiddenButtonsLettersInEitherCaseOnly) {
    for (const wchar_t letter : std::wstring_view(L"GgDd")) {
        EXPECT_TRUE(IsHiddenAccelerator(letter)) << static_cast<char>(letter);
    }
    for (const wchar_t other : std::wstring_view(L"eTtIi&\r 安")) {
        EXPECT_FALSE(IsHiddenAccelerator(other)) << static_cast<int>(other);
    }
}

} // namespace
} // namespace driversetup::testing
