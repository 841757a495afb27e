// The stand-in library as the program sees it: loaded by name and called through the
// program's own binding, with the switches set in the environment.
#include "setuplib/bound_library.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include <shlobj.h>
#else
#include <unistd.h>

#include <cstdlib>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace driversetup {
namespace {

#if defined(_WIN32)
void SetVariable(const char* name, const char* value) {
    SetEnvironmentVariableA(name, value);
}
bool RunningAsAdministrator() {
    return IsUserAnAdmin();
}
#else
using namespace portable;
void SetVariable(const char* name, const char* value) {
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
}
bool RunningAsAdministrator() {
    return geteuid() == 0;
}
#endif

// Each test has its own store and log in a scratch folder, and no other switch set.
class LibraryTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_);
        SetSwitches(store_.string(), log_.string());
    }

    void TearDown() override {
        SetSwitches({}, {});
        std::filesystem::remove_all(folder_);
    }

    static void SetSwitches(const std::string& store, const std::string& log) {
        for (const char* name :
             {"VELMORA_SIM_INSTDRIVER", "VELMORA_SIM_UNINSTALLDRIVER", "VELMORA_SIM_DRIVERINFO",
              "VELMORA_SIM_DIALOG", "VELMORA_SIM_DELAY_MS", "VELMORA_SIM_PUMP"}) {
            SetVariable(name, nullptr);
        }
        SetVariable("VELMORA_SIM_STORE", store.empty() ? nullptr : store.c_str());
        SetVariable("VELMORA_SIM_LOG", log.empty() ? nullptr : log.c_str());
    }

    // "EMPTY", or the 16-bit integer stored, e.g. "I2 -3".
    std::string DialogResult() {
        ScopedVariant value;
        library_.DriverDialog(value.get());
        const Variant& stored = *value.get();
        return stored.vt == VT_EMPTY ? "EMPTY"
               : stored.vt == VT_I2  ? "I2 " + std::to_string(stored.iVal)
                                     : "VT " + std::to_string(stored.vt);
    }

    const bool admin_ = RunningAsAdministrator();
    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() /
        ("velmora-library-test-" +
         std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    const std::filesystem::path store_ = folder_ / "store" / "driver-store.txt";
    const std::filesystem::path log_ = folder_ / "calls.log";
    BoundDriverSetupLibrary library_;
};

TEST_F(LibraryTest, InstallAndUninstallChangeTheStoreThatTheStatusReports) {
    struct Step {
        const char* call;
        std::function<std::int32_t()> run;
        std::int32_t resultAsAdministrator; // 3008 for everyone else
    };
    const Step steps[] = {
        {"status", [&] { return library_.GetTolvekDriverInfo(); }, 0},
        {"uninstall", [&] { return library_.UninstallDriver(1); }, 1605},
        {"install", [&] { return library_.InstDriver(1); }, 0},
        {"status", [&] { return library_.GetTolvekDriverInfo(); }, 1},
        {"install again", [&] { return library_.InstDriver(1); }, 0},
        {"uninstall", [&] { return library_.UninstallDriver(1); }, 0},
        {"status", [&] { return library_.GetTolvekDriverInfo(); }, 0},
        {"install 2", [&] { return library_.InstDriver(2); }, 87}, // an argument other than 1
        {"uninstall 0", [&] { return library_.UninstallDriver(0); }, 87},
    };
    for (const Step& step : steps) {
        const bool refused = !admin_ && step.resultAsAdministrator != 87;
        EXPECT_EQ(refused ? 3008 : step.resultAsAdministrator, step.run()) << step.call;
    }
}

TEST_F(LibraryTest, EveryCallIsAppendedToTheLog) {
    std::ofstream(log_, std::ios::binary) << "earlier\n";
    SetVariable("VELMORA_SIM_DIALOG", "i2:-3");
    library_.InstDriver(1);
    library_.UninstallDriver(-7);
    library_.GetTolvekDriverInfo();
    EXPECT_EQ("I2 -3", DialogResult());

    std::ifstream log(log_, std::ios::binary);
    EXPECT_EQ("earlier\nInstDriver 1\nUninstallDriver -7\nGetTolvekDriverInfo\nDriverDialog\n",
              std::string(std::istreambuf_iterator<char>(log), {}));
}

TEST_F(LibraryTest, ForcedResultsAreReturnedWhenTheyParseAndLeaveTheStoreAlone) {
    struct Case {
        const char* variable;
        const char* value;
        std::function<std::int32_t()> call;
        std::optional<std::int32_t> forced; // nothing: ignored, the call answers as unforced
    };
    const auto install = [&] { return library_.InstDriver(2); }; // unforced: 87, always
    const auto uninstall = [&] { return library_.UninstallDriver(2); };
    const auto status = [&] { return library_.GetTolvekDriverInfo(); };
    const Case cases[] = {
        {"VELMORA_SIM_INSTDRIVER", "-32768", install, -32768},
        {"VELMORA_SIM_UNINSTALLDRIVER", "3008", uninstall, 3008},
        {"VELMORA_SIM_UNINSTALLDRIVER", "32768", uninstall, std::nullopt},
        {"VELMORA_SIM_DRIVERINFO", "65537", status, 65537},
        {"VELMORA_SIM_DRIVERINFO", "1.0", status, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::int32_t unforced = c.call();
        SetVariable(c.variable, c.value);
        EXPECT_EQ(c.forced.value_or(unforced), c.call()) << c.variable << '=' << c.value;
        SetVariable(c.variable, nullptr);
    }

    SetVariable("VELMORA_SIM_INSTDRIVER", "0");
    EXPECT_EQ(0, library_.InstDriver(1));
    EXPECT_FALSE(std::filesystem::exists(store_)) << "a forced install writes no store";
}

TEST_F(LibraryTest, EveryCallWaitsTheDelay) {
    SetVariable("VELMORA_SIM_DRIVERINFO", "0");
    SetVariable("VELMORA_SIM_DELAY_MS", "300");
    const auto start = std::chrono::steady_clock::now();
    library_.GetTolvekDriverInfo();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(300))
        << std::chrono::duration_cast<std::chrono::milliseconds>(waited).count() << " ms";
}

#if defined(_WIN32)

int timerCalls = 0;
const wchar_t* buttonToClick = nullptr;
HWND dialogOwner = nullptr;

void CALLBACK CountCall(HWND, UINT, UINT_PTR, DWORD) {
    ++timerCalls;
}

// Clicks a button of the library's dialog once it is shown, noting the dialog's owner.
void CALLBACK ClickDialogButton(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindWindowW(L"#32770", L"VelmoraSetup installation (stand-in)")) {
        dialogOwner = GetWindow(dialog, GW_OWNER);
        SendMessageW(FindWindowExW(dialog, nullptr, L"Button", buttonToClick), BM_CLICK, 0, 0);
    }
}

struct WindowDestroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};

TEST_F(LibraryTest, TheDelayDispatchesMessagesOnlyWhenAskedTo) {
    SetVariable("VELMORA_SIM_DRIVERINFO", "0");
    SetVariable("VELMORA_SIM_DELAY_MS", "200");
    struct Case {
        const char* pump;
        bool dispatched;
    };
    for (const Case c : {Case{"1", true}, Case{"0", false}, Case{"yes", false}}) {
        SetVariable("VELMORA_SIM_PUMP", c.pump);
        timerCalls = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, CountCall);
        library_.GetTolvekDriverInfo();
        KillTimer(nullptr, timer);
        EXPECT_EQ(c.dispatched, timerCalls > 0)
            << "VELMORA_SIM_PUMP=" << c.pump << ": " << timerCalls << " timer calls";
    }
}

TEST_F(LibraryTest, TheDialogsButtonsActOnTheStore) {
    const std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer> caller(
        CreateWindowExW(0, L"Static", L"caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                        nullptr, nullptr, nullptr, nullptr));
    ASSERT_EQ(caller.get(), GetActiveWindow());
    struct Case {
        const wchar_t* button;
        const char* storedAsAdministrator; // I2 3008 for everyone else
        std::int32_t status;               // afterwards, as an administrator
    };
    const Case cases[] = {
        {L"&Remove", "I2 1605", 0},
        {L"&Install", "I2 0", 1},
        {L"Cancel", "EMPTY", 1},
        {L"&Remove", "I2 0", 0},
    };
    for (const Case& c : cases) {
        buttonToClick = c.button;
        dialogOwner = nullptr;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, ClickDialogButton);
        const std::string stored = DialogResult();
        KillTimer(nullptr, timer);
        const std::string button(c.button, c.button + wcslen(c.button));
        const bool refused = !admin_ && button != "Cancel";
        EXPECT_EQ(refused ? "I2 3008" : c.storedAsAdministrator, stored) << button;
        EXPECT_EQ(caller.get(), dialogOwner) << button;
        EXPECT_EQ(admin_ ? c.status : 3008, library_.GetTolvekDriverInfo()) << button;
    }
}

#endif

} // namespace
} // namespace driversetup
