#include "window/layout.h"

namespace driversetup {

int TwipsToPixels(int twips, int dpi) {
    constexpr int twipsPerInch = 1440;
    return (twips * dpi + twipsPerInch / 2) / twipsPerInch;
}

PixelRect ToPixels(const TwipsRect& rect, int dpi) {
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
            TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

PixelSize ClientSize(int dpi) {
    return {TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi)};
}

} // namespace driversetup
