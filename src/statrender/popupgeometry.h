#pragma once
// The legend and ranking pop-ups are laid out in twips, as designed. Each
// control keeps its twips rectangle (read back exactly, whatever the pixel
// rounding) and is placed in pixels through the screen's logical DPI.
//
// Labels come in three looks: plain captions, value boxes (single border,
// white background, optionally right-aligned) and bordered labels (single
// border; colour swatches take the class or item colour as background). A row of a label array
// beyond row 0 is made as a copy of row 0 and then moved.
#include <QRectF>
#include <QString>
#include <cstdint>

class QLabel;
class QWidget;

namespace veltra::statrender {

void placeTwips(QWidget *w, double left, double top, double width, double height);
// The rectangle last given to placeTwips (a null rectangle when none was).
QRectF twipsRect(const QWidget *w);
void setTopTwips(QWidget *w, double top);
double topTwips(const QWidget *w);
double heightTwips(const QWidget *w);

QLabel *captionLabel(QWidget *parent, const QString &name, const QString &text);
QLabel *valueLabel(QWidget *parent, const QString &name, bool rightAligned = false);
QLabel *borderedLabel(QWidget *parent, const QString &name);
// A new label with the look, text and rectangle of `row0`, named `name`.
QLabel *copyLabel(const QLabel *row0, const QString &name);

// A colour packed as &H00BBGGRR as the label's background.
void setBackColour(QLabel *label, std::int32_t colour);

} // namespace veltra::statrender
