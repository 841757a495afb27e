#include "fakes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace driversetup::testing {
namespace {

struct QueryCase {
    std::int32_t status;
    const wchar_t* text;
};

const QueryCase queryCases[] = {
    {0, L"Not find Tolvek driver"},
    {1, L"Find the same version USBTolvek and ParallelTolvek driver."},
    {2, L"Find the same version USBTolvek driver only."},
    {3, L"Find the same version ParallelTolvek driver only."},
    {4, L"Find the older version USBTolvek and ParallelTolvek driver."},
    {5, L"Find the older version USBTolvek driver only."},
    {6, L"Find the older version ParallelTolvek driver only."},
    {7, L"Find the newer version USBTolvek and ParallelTolvek driver."},
    {8, L"Find the newer version USBTolvek driver only."},
    {9, L"Find the newer version ParallelTolvek driver only."},
    {3008, L"Please log on with administrator identity!."},
    // Everything else, including values that agree with a code in their low 16 bits.
    {10, L"Not find Tolvek driver"},
    {-1, L"Not find Tolvek driver"},
    {3007, L"Not find Tolvek driver"},
    {3008 + 65536, L"Not find Tolvek driver"},
    {3008 - 65536, L"Not find Tolvek driver"},
    {2 + 65536, L"Not find Tolvek driver"},
    {std::numeric_limits<std::int32_t>::min(), L"Not find Tolvek driver"},
    {std::numeric_limits<std::int32_t>::max(), L"Not find Tolvek driver"},
};

TEST(DriverQuery, EachStatusGivesItsSentenceAndTouchesNothingElse) {
    for (const QueryCase& query : queryCases) {
        RecordingWindow window;
        ScriptedLibrary library{window};
        Form1 form{window, library};
        library.result16 = 42;
        form.Install_Click(); // ResultCode 42
        window.log.clear();
        library.status = query.status;

        form.GetDrvInfo_Click();

        EXPECT_EQ(window.log, (std::vector<std::wstring>{L"set Resultbox \"" +
                                                         std::wstring(query.text) + L"\""}))
            << "status " << query.status;
        EXPECT_EQ(form.ResultCode(), 42) << "status " << query.status;
        EXPECT_EQ(library.calls.back(), L"GetTolvekDriverInfo");
    }
}

TEST(DriverQuery, LeavesInstallLockedAfterASuccessfulInstall) {
    RecordingWindow window;
    ScriptedLibrary library{window};
    Form1 form{window, library};
    form.Install_Click();
    library.status = 1;
    form.GetDrvInfo_Click();
    EXPECT_EQ(window.ButtonStates(), "DEEEE");
    EXPECT_EQ(form.ResultCode(), 0);
}

TEST(StartUp, FillsBothLabelsThroughTheWindowOperationsInOrder) {
    RecordingWindow window;
    ScriptedLibrary library{window};
    Form1 form{window, library};

    form.Form_Load();

    const std::wstring line1 = L"Click GetTolvekDriverInfo to get the information of tolvek driver";
    const std::wstring line2 = L"Click DisplayInstallInterface to display install interface";
    const std::wstring line3 = L"Click Install Driver to Install the Tolvek driver ";
    const std::wstring line4 = L"Click Uninstall Driver to Uninstall the Tolvek driver.";
    const std::wstring copyright = window.Caption(Control::Copyright);
    EXPECT_EQ(window.log,
              (std::vector<std::wstring>{
                  L"set copyright \"" + copyright + L"\"",
                  L"set Resultbox \"" + line1 + L"\"",
                  L"get Resultbox",
                  L"set Resultbox \"" + line1 + L"\r\n" + line2 + L"\"",
                  L"get Resultbox",
                  L"set Resultbox \"" + line1 + L"\r\n" + line2 + L"\r\n" + line3 + L"\"",
                  L"get Resultbox",
                  L"set Resultbox \"" + line1 + L"\r\n" + line2 + L"\r\n" + line3 + L"\r\n" +
                      line4 + L"\"",
              }));
    EXPECT_EQ(copyright.rfind(L"Driver setup sample of VelmoraSetup.dll\r\n", 0), 0U) << copyright;
    const std::wstring notice = copyright.substr(copyright.find(L"\r\n") + 2);
    EXPECT_NE(notice.find(L"Velmora"), std::wstring::npos) << notice;
    EXPECT_EQ(notice.find_first_of(L"\r\n"), std::wstring::npos) << "one line: " << notice.size();
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(window.ButtonStates(), "EEEEE");
}

} // namespace
} // namespace driversetup::testing
