// The control table's twips converted to pixels at a given DPI, and the rest of the window's DPI
// arithmetic, kept apart from Win32 so that it is tested on every platform.
#pragma once

#include "window/form.h"

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

// The outer size of a window whose frame adds `frame` to its client area.
PixelSize WindowSize(PixelSize client, PixelSize frame);

// A font height (negative: the character height, as LOGFONT has it) measured at one DPI, at
// another; rounded to nearest with halves away from zero, as MulDiv does.
int ScaledFontHeight(int height, int fromDpi, int toDpi);

} // namespace driversetup
