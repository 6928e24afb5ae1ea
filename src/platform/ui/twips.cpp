#include "platform/ui/twips.h"

#include "platform/vb/convert.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace veltra::ui {

double twipsPerPixel(double dpi)
{
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int twipsToPixels(double twips, double dpi)
{
    // Garbage geometry read from a file must not overflow the int.
    const double pixels = vb::roundHalfEven(twips / twipsPerPixel(dpi));
    if (!std::isfinite(pixels))
        return 0;
    return static_cast<int>(
        std::clamp(pixels, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

double pixelsToTwips(double pixels, double dpi)
{
    return pixels * twipsPerPixel(dpi);
}

double screenDpiX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double screenDpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

double twipsPerPixelX()
{
    return twipsPerPixel(screenDpiX());
}

double twipsPerPixelY()
{
    return twipsPerPixel(screenDpiY());
}

int twipsToPixelsX(double twips)
{
    return twipsToPixels(twips, screenDpiX());
}

int twipsToPixelsY(double twips)
{
    return twipsToPixels(twips, screenDpiY());
}

double pixelsToTwipsX(double pixels)
{
    return pixelsToTwips(pixels, screenDpiX());
}

double pixelsToTwipsY(double pixels)
{
    return pixelsToTwips(pixels, screenDpiY());
}

} // namespace veltra::ui
