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

PixelSize WindowSize(PixelSize client, PixelSize frame) {
    return {client.width + frame.width, client.height + frame.height};
}

int ScaledFontHeight(int height, int fromDpi, int toDpi) {
    const long long scaled = static_cast<long long>(height) * toDpi;
    const long long half = fromDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : (scaled - half) / fromDpi);
}

} // namespace driversetup
