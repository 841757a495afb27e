// The window's layout in pixels at several DPIs: every length in twips becomes
// twips * dpi / 1440 pixels, rounded half up, each value on its own; at start-up and after the
// window has been moved to a monitor of another DPI.
#include "display_dpi.h"
#include "driver_setup_run.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace e2e {
namespace {

struct Placement {
    Control control;
    int left, top, width, height;
};

struct DpiCase {
    UINT dpi;
    SIZE client;
    std::array<Placement, 7> controls;
};

void PrintTo(const DpiCase& c, std::ostream* out) {
    *out << c.dpi << " DPI";
}

const DpiCase dpiCases[] = {
    {96,
     {341, 41},
     {{{Control::GetDrvInfo, 8, 160, 97, 25},
       {Control::DisplayDialog, 128, 160, 113, 25},
       {Control::Install, 8, 8, 97, 25},
       {Control::Uninstall, 128, 8, 113, 25},
       {Control::CloseButton, 264, 8, 57, 25},
       {Control::Copyright, 8, 16, 329, 33},
       {Control::Resultbox, 8, 64, 313, 81}}}},
    {120,
     {426, 51},
     {{{Control::GetDrvInfo, 10, 200, 121, 31},
       {Control::DisplayDialog, 160, 200, 141, 31},
       {Control::Install, 10, 10, 121, 31},
       {Control::Uninstall, 160, 10, 141, 31},
       {Control::CloseButton, 330, 10, 71, 31},
       {Control::Copyright, 10, 20, 411, 41},
       {Control::Resultbox, 10, 80, 391, 101}}}},
    // Many lengths come to exactly half a pixel here, which must round up.
    {144,
     {512, 62},
     {{{Control::GetDrvInfo, 12, 240, 146, 38},
       {Control::DisplayDialog, 192, 240, 170, 38},
       {Control::Install, 12, 12, 145, 37},
       {Control::Uninstall, 192, 12, 170, 38},
       {Control::CloseButton, 396, 12, 86, 38},
       {Control::Copyright, 12, 24, 494, 50},
       {Control::Resultbox, 12, 96, 470, 122}}}},
    {192,
     {682, 82},
     {{{Control::GetDrvInfo, 16, 320, 194, 50},
       {Control::DisplayDialog, 256, 320, 226, 50},
       {Control::Install, 16, 16, 194, 50},
       {Control::Uninstall, 256, 16, 226, 50},
       {Control::CloseButton, 528, 16, 114, 50},
       {Control::Copyright, 16, 32, 658, 66},
       {Control::Resultbox, 16, 128, 626, 162}}}},
};

// Left, top, width and height, as the test prints them.
std::array<long, 4> Geometry(RECT r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void ExpectLayout(const DriverSetupRun& run, const DpiCase& expected) {
    const SIZE client = ClientSize(run.Window());
    EXPECT_EQ(client.cx, expected.client.cx);
    EXPECT_EQ(client.cy, expected.client.cy);
    for (const Placement& placement : expected.controls) {
        const RECT actual = RectInParent(run.ControlWindow(placement.control));
        EXPECT_EQ(Geometry(actual), (std::array<long, 4>{placement.left, placement.top,
                                                         placement.width, placement.height}))
            << "control " << static_cast<int>(placement.control);
    }
}

class Layout : public testing::TestWithParam<DpiCase> {};

// A per-monitor aware window starts at the DPI of its monitor. Wine reads the system DPI from the
// registry as each process starts; the monitor's DPI comes with the session on Windows and on
// Wine 10, so under Wine each DPI runs in a session of its own (tests/e2e/CMakeLists.txt).
TEST_P(Layout, ConvertsEveryTwipsLengthAtTheDpiOfItsMonitor) {
    const DpiCase& expected = GetParam();
    std::optional<ScopedLogPixels> dpi;
    if (RunningUnderWine()) {
        dpi.emplace(expected.dpi);
    }
    if (PrimaryMonitorDpi() != expected.dpi) {
        GTEST_SKIP() << "the monitor runs at " << PrimaryMonitorDpi()
                     << " DPI; under Wine, e2e_dpi_layout_at_" << expected.dpi
                     << " runs this case in a session of its DPI";
    }
    const DriverSetupRun run;
    ExpectLayout(run, expected);
}

// Windows sends WM_DPICHANGED when the window moves to a monitor of another DPI; Wine never does,
// and a message from another process could not carry its rectangle, so the probe sends it from
// inside the program. On Windows the window's own DPI, and so its frame, would not change with it.
TEST_P(Layout, FollowsAMoveToAMonitorOfThisDpi) {
    if (!RunningUnderWine()) {
        GTEST_SKIP() << "a WM_DPICHANGED of our own stands for a move under Wine only";
    }
    const DpiCase& expected = GetParam();
    const ScopedLogPixels dpi(96);
    const DriverSetupRun run;
    RECT before{};
    GetWindowRect(run.Window(), &before);

    const LRESULT outcome = run.Probe(probe::changeDpi, static_cast<LPARAM>(expected.dpi));
    EXPECT_EQ(outcome & probe::fontSetWhileHoldingADeletedOne, 0)
        << "a control was given the new font while it held a deleted one";
    EXPECT_EQ(outcome & probe::controlHoldsNoLiveFont, 0) << "a control holds no live font";
    EXPECT_EQ(outcome & probe::oldFontNotDeleted, 0) << "the old font was not deleted";
    // The message font, scaled from 96 DPI to this one, give or take a rounding.
    const long heightBefore = (outcome >> 8) & 0xFF;
    const long heightAfter = (outcome >> 16) & 0xFF;
    EXPECT_NEAR(heightAfter, heightBefore * expected.dpi / 96.0, 1.0)
        << "font height " << heightBefore << " at 96 DPI";

    RECT after{};
    GetWindowRect(run.Window(), &after);
    EXPECT_EQ(after.left, before.left + probe::suggestedOffset.x);
    EXPECT_EQ(after.top, before.top + probe::suggestedOffset.y);
    ExpectLayout(run, expected);
}

INSTANTIATE_TEST_SUITE_P(E2e, Layout, testing::ValuesIn(dpiCases),
                         [](const auto& info) { return std::to_string(info.param.dpi) + "dpi"; });

} // namespace
} // namespace e2e
