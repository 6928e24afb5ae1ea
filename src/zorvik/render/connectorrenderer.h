#pragma once
// Connector display renderers (the kinds' "display DLLs"), built in and found
// by the kind's renderer name after trimming, without case. Text renderers
// draw the key (the last comma field for STRING_oe.DLL); marker renderers draw
// their symbol in the state colour with the kind's hatching; an unknown name
// draws a small marker and the key. Everything is drawn upright in device
// pixels, whatever the map's rotation.
//
// Sizes: a kind's display size is a length in world units of one tenth of the
// size (size 100 = 10 units); on the target it is kept between 6 and 200 px
// (times the DPI ratio), so texts and symbols follow the zoom within limits.
// Texts are never drawn below 9 px: on the real base map, names at 6 px could
// not be read. Kinds larger than the usual size 1000 keep a larger floor
// (growing with the fourth root of the size), so that at small scales, where
// every text would otherwise sit at the same floor, a prefecture name still
// reads larger than a municipal name and a text kind made larger shows it.
//
// Texts have a halo in the background colour, about one pixel wide (times the
// DPI ratio), so that they read over lines. The renderer that places the map's
// names asks a renderer for its text box first and may have it left out
// (ConnectorPaint::withText); a marker is drawn in any case.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace zorvik {

struct ConnectorPaint
{
    QPointF at; // device position
    QString key; // the element's whole key
    QColor colour; // the state's colour
    QBrush fill; // marker fill (hatch pattern or solid)
    double sizePx = 12; // display size on the target
    double pixelRatio = 1; // DPI / 96
    double textFloorPx = 0; // smallest text size on the target; 0: MinTextPixels x pixelRatio
    QColor halo = Qt::white; // outline behind texts, for legibility
    bool withText = true; // false: only the marker, the text's place is taken
};

// The text a connector writes: its device box (halo included) and pixel size.
struct ConnectorText
{
    QString text;
    QRectF box;
    double pixelSize = 0;
};

class ConnectorRenderer
{
public:
    virtual ~ConnectorRenderer() = default;
    // Paints the connector and returns the device box it covers.
    virtual QRectF paint(QPainter &painter, const ConnectorPaint &c) const = 0;
    // The text paint() writes, measured without drawing; empty for markers.
    virtual ConnectorText text(const ConnectorPaint &) const { return {}; }
};

// The renderer for a renderer name; never fails (unknown names: fallback).
const ConnectorRenderer &connectorRenderer(const QString &dllName);
// True for the names of the 22 offered renderers and "STRING_oe.DLL".
bool isKnownRenderer(const QString &dllName);
// The text a connector shows: the last comma field for STRING_oe.DLL kinds,
// else the whole key.
QString shownConnectorText(const QString &dllName, const QString &key);

inline constexpr double MinTextPixels = 9.0;

// Display size on the target for a kind's size number.
double connectorSizePixels(double sizeNumber, double pixelsPerWorldUnitY, double pixelRatio);
// Smallest text size on the target for a kind's size number.
double textFloorPixels(double sizeNumber, double pixelRatio);

// The font of map texts (IPAexGothic) at a pixel size.
QFont mapFont(double pixelSize);
// Halo width for a DPI ratio (DPI / 96).
double haloPixels(double pixelRatio);
// The box of a map text centred on (or, with leftAligned, starting at) a
// point, grown by the halo width.
QRectF mapTextBox(QPointF at, const QString &text, double pixelSize, double haloPx, bool leftAligned = false);
// Draws a text centred on (or starting at) a point, with a halo of haloPx
// around its glyphs (none when the colour is invalid or transparent); returns
// its box as mapTextBox does.
QRectF drawMapText(QPainter &painter, QPointF at, const QString &text, double pixelSize, const QColor &colour,
    const QColor &halo, double haloPx, bool leftAligned = false);

} // namespace zorvik
