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

} // namespace
} // namespace driversetup
