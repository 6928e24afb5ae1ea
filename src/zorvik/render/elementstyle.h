#pragma once
// How the catalog's style numbers become pens and brushes: palette colours,
// line types (width in pixels and dash code) and hatch patterns. Widths scale
// with the target's DPI (pixelRatio = DPI / 96), so paper and screen look alike.
#include "zorvik/core/catalog.h"

#include <QBrush>
#include <QColor>
#include <QPen>

namespace zorvik::style {

// A colour given as &H00BBGGRR.
inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
        static_cast<int>((bgr >> 16) & 0xFF));
}

QColor paletteColour(const Catalog &catalog, int number);
// Pen of a line type number in a colour; Qt::NoPen for the "no line" code.
QPen linePen(const Catalog &catalog, int lineType, const QColor &colour, double pixelRatio);
// Brush of a hatch code: -1 none, 0 horizontal, 1 vertical, 2 upward
// diagonal, 3 downward diagonal, 4 cross, 5 diagonal cross, 100 solid.
QBrush hatchCodeBrush(int code, const QColor &colour);
// Brush of a hatch number through the catalog's hatch table.
QBrush hatchBrush(const Catalog &catalog, int hatchNo, const QColor &colour);

// Fixed style of records whose kind is not defined (temporary shapes).
QColor temporaryLineColour(const Catalog &catalog);
inline constexpr double TemporaryLineWidth = 2.0;

} // namespace zorvik::style
