#pragma once
// modColorDialog: the colour chooser placed over a given window, with the
// user's custom colours kept for the run.
//
// Colours are VB RGB Longs (red + green * 256 + blue * 65536). The 16 custom
// colours start as RGB(254, 254, 254) at the first call of the run; whatever
// the user defines in the dialog is offered again at the next call.
//
// Common use (the legend control):
//   const ColorDialogResult r = modColorDialog::ShowColorDialog(picture, -1, colour);
//   if (r.Canceled == 0) colour = r.Color;
#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

class QWidget;

struct ColorDialogResult
{
    std::int32_t Color = 0; // the chosen colour; 0 when cancelled
    std::int16_t Canceled = 0; // 0 a colour was chosen, -1 the user cancelled
};

namespace modColorDialog {

// Shows the chooser with `initialColor` selected. `placement` -1 centres it
// over `owner` (on the screen when there is no owner), any other value on the
// screen.
ColorDialogResult ShowColorDialog(QWidget *owner, std::int16_t placement, std::int32_t initialColor);

// Where the dialog's top left corner goes, in global pixels: centred over
// `owner` for placement -1, else centred on `screen`; half pixels are
// rounded as VB assigns a Long (halves to even).
QPoint DialogPosition(std::int16_t placement, const QRect &owner, const QRect &screen, const QSize &dialog);

// The 16 custom colours the next dialog offers.
QList<QColor> CustomColours();
// Forgets the user's custom colours, as a new run starts without them.
void ForgetCustomColours();

} // namespace modColorDialog
