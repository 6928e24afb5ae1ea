#include "zorvik/render/elementstyle.h"

namespace zorvik::style {

QColor paletteColour(const Catalog &catalog, int number)
{
    if (number < 0 || number >= PaletteSize)
        return Qt::black;
    const Rgb c = catalog.palette()[static_cast<std::size_t>(number)];
    return QColor(c.r, c.g, c.b);
}

QPen linePen(const Catalog &catalog, int lineType, const QColor &colour, double pixelRatio)
{
    LineType type;
    if (lineType >= 0 && lineType < LineTypeCount)
        type = catalog.lineTypes()[static_cast<std::size_t>(lineType)];
    if (type.code == 5)
        return QPen(Qt::NoPen);
    QPen pen(colour, std::max(1, type.width) * pixelRatio);
    // Bevel joins look like round ones at map line widths and stroke several
    // times faster (no arcs).
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    switch (type.code) {
    case 1:
        pen.setStyle(Qt::DashLine);
        break;
    case 2:
        pen.setStyle(Qt::DotLine);
        break;
    case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    if (pen.style() != Qt::SolidLine)
        pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QBrush hatchCodeBrush(int code, const QColor &colour)
{
    switch (code) {
    case 0:
        return QBrush(colour, Qt::HorPattern);
    case 1:
        return QBrush(colour, Qt::VerPattern);
    case 2:
        return QBrush(colour, Qt::BDiagPattern);
    case 3:
        return QBrush(colour, Qt::FDiagPattern);
    case 4:
        return QBrush(colour, Qt::CrossPattern);
    case 5:
        return QBrush(colour, Qt::DiagCrossPattern);
    case 100:
        return QBrush(colour, Qt::SolidPattern);
    default:
        return QBrush(Qt::NoBrush);
    }
}

QBrush hatchBrush(const Catalog &catalog, int hatchNo, const QColor &colour)
{
    if (hatchNo < 0 || hatchNo >= HatchCount)
        return QBrush(Qt::NoBrush);
    return hatchCodeBrush(catalog.hatches()[static_cast<std::size_t>(hatchNo)], colour);
}

QColor temporaryLineColour(const Catalog &catalog)
{
    return paletteColour(catalog, 1);
}

} // namespace zorvik::style
