#include "window/layout.h"

#include <gtest/gtest.h>

namespace driversetup {
namespace {

TEST(Layout, ClientAreaKeepsItsTwipsAtEveryDpiRoundingHalvesUp) {
    EXPECT_EQ(ClientSize(96), (PixelSize{341, 41}));
    EXPECT_EQ(ClientSize(120), (PixelSize{426, 51}));
    EXPECT_EQ(ClientSize(144), (PixelSize{512, 62}));
    EXPECT_EQ(ClientSize(192), (PixelSize{682, 82}));
}

TEST(Layout, ControlsAtNinetySixDpi) {
    struct Expected {
        Control control;
        PixelRect rect;
    };
    const Expected expected[] = {
        {Control::GetDrvInfo, {8, 160, 97, 25}},  {Control::DisplayDialog, {128, 160, 113, 25}},
        {Control::Install, {8, 8, 97, 25}},       {Control::Uninstall, {128, 8, 113, 25}},
        {Control::CloseButton, {264, 8, 57, 25}}, {Control::Copyright, {8, 16, 329, 33}},
        {Control::Resultbox, {8, 64, 313, 81}},
    };
    for (const Expected& row : expected) {
        const PixelRect rect = ToPixels(Design(row.control).rect, 96);
        EXPECT_EQ(rect, row.rect) << "control " << static_cast<int>(row.control) << " at "
                                  << rect.left << "," << rect.top << " " << rect.width << "x"
                                  << rect.height;
    }
}

TEST(Layout, EachValueIsRoundedOnItsOwn) {
    // 1452 twips at 144 DPI is 145.2 pixels; 855 is 85.5 and rounds up.
    EXPECT_EQ(ToPixels({1452, 855, 1452, 855}, 144), (PixelRect{145, 86, 145, 86}));
    EXPECT_EQ(TwipsToPixels(0, 192), 0);
}

TEST(Layout, OnlyTheUpperRowLiesInsideTheClientArea) {
    for (const ControlDesign& design : controlTable) {
        const bool inside = design.rect.top + design.rect.height <= clientHeightTwips;
        EXPECT_EQ(inside, design.visible) << static_cast<int>(design.control);
        EXPECT_EQ(design.control, controlTable[static_cast<std::size_t>(design.control)].control);
    }
}

// The window's outer size at each DPI. Per-monitor v2 scales the frame with the window's DPI
// (these frames are what AdjustWindowRectExForDpi gives for the window's style); per-monitor v1
// draws it at the system DPI (here 96) on every monitor, so it is measured as drawn.
TEST(Layout, WindowSizeAddsTheFrameOfEachDpiModel) {
    const struct {
        int dpi;
        PixelSize v1;
        PixelSize v2Frame;
        PixelSize v2;
    } cases[] = {
        {96, {347, 70}, {6, 29}, {347, 70}},
        {120, {432, 80}, {8, 36}, {434, 87}},
        {144, {518, 91}, {10, 43}, {522, 105}},
        {192, {688, 111}, {12, 58}, {694, 140}},
    };
    const PixelSize frameAt96{6, 29};
    for (const auto& c : cases) {
        EXPECT_EQ(WindowSize(ClientSize(c.dpi), frameAt96), c.v1) << c.dpi << " DPI, v1";
        EXPECT_EQ(WindowSize(ClientSize(c.dpi), c.v2Frame), c.v2) << c.dpi << " DPI, v2";
    }
}

// Where the system has no per-DPI font query (per-monitor v1), the system's message font,
// measured at the system DPI, is scaled to the window's.
TEST(Layout, FontHeightIsScaledFromTheSystemDpiRoundingHalvesAwayFromZero) {
    const struct {
        int height;
        int systemDpi;
        int windowDpi;
        int expected;
    } cases[] = {
        {-12, 96, 96, -12},  {-12, 96, 120, -15},  {-12, 96, 144, -18},  {-12, 96, 192, -24},
        {-15, 120, 96, -12}, {-15, 120, 144, -18}, {-15, 120, 192, -24}, {-11, 96, 120, -14},
        {-11, 96, 144, -17}, {11, 96, 144, 17},    {-11, 192, 96, -6},   {0, 96, 192, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaledFontHeight(c.height, c.systemDpi, c.windowDpi), c.expected)
            << c.height << " at " << c.systemDpi << " DPI, to " << c.windowDpi;
    }
}

} // namespace
} // namespace driversetup
