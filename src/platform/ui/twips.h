#pragma once
// Twips (1/1440 inch) <-> pixels through the logical DPI.
//
// Window geometry stored in files is in twips; at 96 dpi a pixel is 15 twips.
// Pixel results are rounded to whole pixels, halves to even, as VB's
// conversions do. The functions without a dpi use the primary screen's
// logical DPI (96 when there is no screen). Pixel results are clamped to the
// int range (0 for a value that is not finite).
namespace veltra::ui {

double twipsPerPixel(double dpi);
int twipsToPixels(double twips, double dpi);
double pixelsToTwips(double pixels, double dpi);

// Logical DPI of the primary screen, X and Y.
double screenDpiX();
double screenDpiY();

// Screen.TwipsPerPixelX / Y.
double twipsPerPixelX();
double twipsPerPixelY();

int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(double pixels);
double pixelsToTwipsY(double pixels);

} // namespace veltra::ui
