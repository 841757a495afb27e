// The control table's twips converted to pixels at a given DPI.
#pragma once

#include "window/main_window.h"

namespace driversetup {

struct PixelRect {
    int left;
    int top;
    int width;
    int height;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width;
    int height;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// twips * dpi / 1440, rounded to nearest with halves up; each value is converted on its own.
int TwipsToPixels(int twips, int dpi);
PixelRect ToPixels(const TwipsRect& rect, int dpi);
PixelSize ClientSize(int dpi);

} // namespace driversetup
