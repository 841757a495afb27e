// Ending the program: normal close, failures to bind the library, a planted library, and a
// close request that arrives while a library call runs.
#include "driver_setup_run.h"
#include "wait.h"
#include "window_query.h"
#include "wine_difference.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace e2e {
namespace {

namespace fs = std::filesystem;

fs::path CopyInto(const fs::path& file, const fs::path& folder) {
    fs::path copy = folder / file.filename();
    fs::copy_file(file, copy);
    return copy;
}

struct CloseCase {
    const char* name;
    void (*close)(const DriverSetupRun& run);
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

const CloseCase closeCases[] = {
    {"close_button", [](const DriverSetupRun& run) { run.PostClick(Control::CloseButton); }},
    {"wm_close", [](const DriverSetupRun& run) { run.PostClose(); }},
    {"sc_close",
     [](const DriverSetupRun& run) { PostMessageW(run.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

class Close : public testing::TestWithParam<CloseCase> {};

TEST_P(Close, EndsWithStatus0WithoutCallingTheLibrary) {
    const DriverSetupRun run;
    GetParam().close(run);
    EXPECT_EQ(run.WaitForExit(), 0U);
    EXPECT_EQ(run.CallLog(), "");
}

TEST_P(Close, EndsWithStatus0WhenTheLibraryIsAbsent) {
    const ScratchFolder alone;
    const DriverSetupRun run({},
                             {CopyInto(BuiltFile(L"DriverSetup.exe"), alone.Path()), alone.Path()});
    GetParam().close(run);
    EXPECT_EQ(run.WaitForExit(), 0U);
}

INSTANTIATE_TEST_SUITE_P(E2e, Close, testing::ValuesIn(closeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A click whose library function cannot be bound: the error box, then exit status 1.
struct BindFailureCase {
    const char* name;
    Control button;
    const wchar_t* named;     // what the box must name
    const char* statesDuring; // Install, Uninstall, DisplayDialog, GetDrvInfo, CloseButton
};

void PrintTo(const BindFailureCase& c, std::ostream* out) {
    *out << c.name;
}

// Returns the box's text.
std::wstring ExpectErrorBoxThenStatus1(const DriverSetupRun& run, const BindFailureCase& failure) {
    run.PostClick(failure.button);
    const auto box = run.WaitForBox();
    if (!box) {
        ADD_FAILURE() << "no error box; the program "
                      << (run.Process().Running() ? "runs" : "ended");
        return {};
    }
    EXPECT_EQ(box->caption, L"驅動程式安裝工具");
    EXPECT_EQ(box->owner, run.Window());
    EXPECT_EQ(box->icon, probe::errorIcon);
    EXPECT_NE(box->text.find(failure.named), std::wstring::npos) << box->text;
    EXPECT_EQ(run.ButtonStates(), failure.statesDuring);
    PressOk(*box);
    EXPECT_EQ(run.WaitForExit(), 1U);
    return box->text;
}

class LibraryAbsent : public testing::TestWithParam<BindFailureCase> {};

TEST_P(LibraryAbsent, ClickShowsAnErrorBoxNamingTheLibrary) {
    const ScratchFolder alone;
    const DriverSetupRun run({},
                             {CopyInto(BuiltFile(L"DriverSetup.exe"), alone.Path()), alone.Path()});
    ExpectErrorBoxThenStatus1(run, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    E2e, LibraryAbsent,
    testing::Values(BindFailureCase{"install", Control::Install, L"VelmoraSetup.dll", "DDDDD"},
                    BindFailureCase{"uninstall", Control::Uninstall, L"VelmoraSetup.dll", "DDDDD"},
                    BindFailureCase{"query", Control::GetDrvInfo, L"VelmoraSetup.dll", "EEEEE"},
                    BindFailureCase{"dialog", Control::DisplayDialog, L"VelmoraSetup.dll",
                                    "EEEEE"}),
    [](const auto& info) { return std::string(info.param.name); });

// Enter held on 安裝驅動程式: its repeats leave the error box to be read. Space then pushes the
// box's OK button, which shows that the box has read the keys before it; its release closes the
// box. The window is active, since this group runs alone.
TEST(ErrorBox, StaysUpThroughTheRepeatsOfAHeldEnter) {
    const ScratchFolder alone;
    const DriverSetupRun run({},
                             {CopyInto(BuiltFile(L"DriverSetup.exe"), alone.Path()), alone.Path()});
    KeyDown(VK_RETURN);
    const auto box = run.WaitForBox();
    ASSERT_TRUE(box) << "no error box";
    ExpectKeysHeldThroughActivation([&] {
        KeyDown(VK_RETURN);
        KeyDown(VK_RETURN);
        KeyUp(VK_RETURN);
        KeyDown(VK_SPACE);
        const HWND ok = GetDlgItem(box->window, IDOK);
        EXPECT_TRUE(WaitUntil(
            [&] { return (SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }, actionTimeout))
            << "the error box " << (IsWindow(box->window) ? "shows" : "was closed by a repeat");
    });
    KeyUp(VK_SPACE);
    EXPECT_EQ(run.WaitForExit(), 1U);
}

// A VelmoraSetup.dll that exports InstDriver only: an install works, the rest cannot bind.
class FunctionMissing : public testing::TestWithParam<BindFailureCase> {};

TEST_P(FunctionMissing, ClickShowsAnErrorBoxNamingTheFunction) {
    const ScratchFolder folder;
    CopyInto(BuiltFile(L"install-only/VelmoraSetup.dll"), folder.Path());
    const DriverSetupRun run(
        {}, {CopyInto(BuiltFile(L"DriverSetup.exe"), folder.Path()), folder.Path()});
    const auto outcome = run.Operate(Control::Install);
    ASSERT_TRUE(outcome && outcome->text == L"The driver has been installed successfully.");
    ExpectErrorBoxThenStatus1(run, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    E2e, FunctionMissing,
    testing::Values(BindFailureCase{"uninstall", Control::Uninstall, L"UninstallDriver", "DDDDD"},
                    BindFailureCase{"query", Control::GetDrvInfo, L"GetTolvekDriverInfo", "DEEEE"},
                    BindFailureCase{"dialog", Control::DisplayDialog, L"DriverDialog", "DEEEE"}),
    [](const auto& info) { return std::string(info.param.name); });

// A VelmoraSetup.dll that the system finds but cannot load: the box gives the system's reason,
// naming the file, and the remedy. The likeliest mistake in deploying the program is the library
// built for the other architecture beside it.
struct UnloadableCase {
    const char* name;
    void (*write)(const fs::path& library);
    const wchar_t* remedy;
};

void PrintTo(const UnloadableCase& c, std::ostream* out) {
    *out << c.name;
}

// A copy of the stand-in cut to `size` bytes.
void WriteCut(const fs::path& library, std::uintmax_t size) {
    fs::copy_file(BuiltFile(L"VelmoraSetup.dll"), library);
    fs::resize_file(library, size);
}

const wchar_t* const damaged = L"The file VelmoraSetup.dll is damaged or is not a library.";

const UnloadableCase unloadableCases[] = {
    {"other_architecture",
     [](const fs::path& library) {
         fs::copy_file(BuiltFile(L"other-architecture/VelmoraSetup.dll"), library);
     },
     sizeof(void*) == 4
         ? L"VelmoraSetup.dll is a 64-bit library and this program is 32-bit: use the 64-bit "
           L"DriverSetup.exe with it."
         : L"VelmoraSetup.dll is a 32-bit library and this program is 64-bit: use the 32-bit "
           L"DriverSetup.exe with it."},
    {"empty", [](const fs::path& library) { WriteCut(library, 0); }, damaged},
    {"truncated", [](const fs::path& library) { WriteCut(library, 2048); }, damaged},
    {"not_an_executable",
     [](const fs::path& library) {
         std::ofstream(library, std::ios::binary) << std::string(4096, '\xA5');
     },
     damaged},
};

class UnloadableLibrary : public testing::TestWithParam<UnloadableCase> {};

TEST_P(UnloadableLibrary, ClickShowsTheSystemsReasonNamingTheFileAndTheRemedy) {
    if (!fs::exists(BuiltFile(L"other-architecture/VelmoraSetup.dll"))) {
        GTEST_SKIP() << "no library of the other architecture: it is built with MinGW only";
    }
    const ScratchFolder folder;
    GetParam().write(folder.Path() / L"VelmoraSetup.dll");
    const DriverSetupRun run(
        {}, {CopyInto(BuiltFile(L"DriverSetup.exe"), folder.Path()), folder.Path()});
    const std::wstring text =
        ExpectErrorBoxThenStatus1(run, {"install", Control::Install, L"(error 193)", "DDDDD"});
    EXPECT_EQ(text.find(L"%1"), std::wstring::npos) << text;
    const std::wstring_view named = L"VelmoraSetup.dll";
    EXPECT_NE(text.find(named, text.find(named) + 1), std::wstring::npos)
        << "the file is not named in the system's reason: " << text;
    EXPECT_NE(text.find(GetParam().remedy), std::wstring::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(E2e, UnloadableLibrary, testing::ValuesIn(unloadableCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlantedLibrary, InTheWorkingFolderIsNotLoaded) {
    const ScratchFolder program;
    const ScratchFolder planted;
    CopyInto(BuiltFile(L"VelmoraSetup.dll"), planted.Path());
    const DriverSetupRun run(
        {}, {CopyInto(BuiltFile(L"DriverSetup.exe"), program.Path()), planted.Path()});
    ExpectErrorBoxThenStatus1(run, {"install", Control::Install, L"VelmoraSetup.dll", "DDDDD"});
    EXPECT_EQ(run.CallLog(), "") << "the planted library ran";
}

// A close request while a library call runs closes the window once the call is done, with no
// outcome box: from a library that dispatches messages, a close request or a quit request; from
// one that dispatches none, a click on the close box, which waits in the queue.
struct CloseDuringCallCase {
    const char* name;
    const wchar_t* pump; // VELMORA_SIM_PUMP
    void (*close)(const DriverSetupRun& run, POINT closeBox);
};

void PrintTo(const CloseDuringCallCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseDuringLibraryCall : public testing::TestWithParam<CloseDuringCallCase> {};

TEST_P(CloseDuringLibraryCall, WaitsForTheCallAndStartsNoOtherHandler) {
    const DriverSetupRun run({{L"VELMORA_SIM_DELAY_MS", L"2500"},
                              {L"VELMORA_SIM_PUMP", GetParam().pump},
                              {L"VELMORA_SIM_INSTDRIVER", L"0"}});
    const POINT closeBox = run.CloseBox();
    run.PostClick(Control::Install);
    ASSERT_TRUE(WaitUntil([&] { return run.ButtonStates() == "DDDDD"; }, actionTimeout))
        << "buttons never all disabled; last seen " << run.ButtonStates();
    const auto callSeen = std::chrono::steady_clock::now();
    GetParam().close(run, closeBox);

    // Closing starts by hiding the window; it must not come before the call's 2500 ms are over.
    // 1000 ms of that allow for a late first sight of the locked buttons on a busy machine.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.Window()); }, actionTimeout))
        << "the window stayed open";
    const auto shownFor = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - callSeen);
    EXPECT_GE(shownFor, 1500ms) << "the window closed " << shownFor.count()
                                << " ms into the library call";

    EXPECT_EQ(run.WaitForExit(), 0U)
        << (TopLevelWindows(run.Process().Id(), L"#32770").empty() ? "no box" : "a box shows");
    EXPECT_EQ(run.CallLog(), "InstDriver 1\n");
}

const CloseDuringCallCase closeDuringCallCases[] = {
    {"close_request", L"1",
     [](const DriverSetupRun& run, POINT) {
         run.PostClose();
         run.PostClick(Control::GetDrvInfo);
     }},
    {"quit_request", L"1",
     [](const DriverSetupRun& run, POINT) { PostThreadMessageW(run.ThreadId(), WM_QUIT, 0, 0); }},
    {"close_box_click", L"0", [](const DriverSetupRun&, POINT box) { MouseDrag(box, box); }},
};

INSTANTIATE_TEST_SUITE_P(E2e, CloseDuringLibraryCall, testing::ValuesIn(closeDuringCallCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Another program's close request while the outcome box shows ends the program cleanly.
TEST(CloseWhileTheOutcomeShows, EndsWithStatus0) {
    const DriverSetupRun run({{L"VELMORA_SIM_INSTDRIVER", L"0"}});
    run.PostClick(Control::Install);
    ASSERT_TRUE(run.WaitForBox()) << "no outcome box";
    run.PostClose();
    EXPECT_EQ(run.WaitForExit(), 0U);
    EXPECT_EQ(run.CallLog(), "InstDriver 1\n");
}

} // namespace
} // namespace e2e
