#include "tinymap.h"

#include "zorvik/core/catalog.h"
#include "zorvik/core/document.h"

#include <QFile>
#include <cstdlib>

namespace zorvik::test {

ElementRecord line(std::int16_t kind, std::vector<std::int32_t> x, std::vector<std::int32_t> y,
    std::array<std::int32_t, 4> dates)
{
    ElementRecord r;
    r.Type = TypeVector;
    r.PNum = static_cast<std::int32_t>(x.size());
    r.X = std::move(x);
    r.Y = std::move(y);
    r.iPra = {0, 0, kind};
    r.lPra = {dates[0], dates[1], dates[2], dates[3], 0, 0};
    return r;
}

ElementRecord ring(std::int16_t kind, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    return line(kind, {x0, x1, x1, x0, x0}, {y0, y0, y1, y1, y0});
}

TinyMap::TinyMap(const std::vector<ElementRecord> &elements)
{
    m_zor = m_dir.file(QStringLiteral("tiny.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("Def\\");
    if (Document::create(m_zor, options, &m_error) != code::Ok)
        return;
    // The scale range of kind 12, read at open.
    QFile ranges(m_dir.file(QStringLiteral("Def/DispVectDef.csv")));
    if (!ranges.open(QIODevice::WriteOnly))
        return;
    ranges.write("kindID,range1,range2,flag\r\n12,1000,50000,1\r\n");
    ranges.close();

    Engine e;
    e.setDocumentPath(m_zor);
    if (e.InitializeMap(0) != code::Ok) {
        m_error = e.lastError();
        return;
    }
    bool ok = e.AddSpace(Space, QStringLiteral("境界"), QStringLiteral("F")) == code::Ok;
    struct VectorDef
    {
        std::int16_t id, disp, colour;
    };
    for (const VectorDef &v : {VectorDef{Boundary, 1, 1}, VectorDef{Hidden, 0, 1}, VectorDef{Ranged, 1, 1},
             VectorDef{Road, 1, 2}}) {
        ok = ok && e.AddVectorKind(v.id, QStringLiteral("kind%1").arg(v.id)) == code::Ok;
        ok = ok && e.AddVectorKindToSpace(Space, v.id) == code::Ok;
        Style6 style;
        style.n = {v.colour, 2, 3, 2, 4, 2};
        ok = ok && e.SetVectorDispInfo(v.id, v.disp, 1, style) == code::Ok;
    }
    ok = ok
        && e.AddConnectorKind(Place, QStringLiteral("地名"), Space, QStringLiteral("STRING.DLL")) == code::Ok;
    ok = ok
        && e.AddConnectorKind(Marker, QStringLiteral("点"), Space, QStringLiteral("MARU.DLL")) == code::Ok;
    Style6 black;
    black.n = {0, 0, 0, 0, 0, 0};
    Style6 magenta;
    magenta.n = {5, 0, 5, 0, 5, 0};
    ok = ok && e.SetConnectorDispInfo(Place, 1, 1, 0, black, 0) == code::Ok;
    ok = ok && e.SetConnectorDispInfo(Marker, 1, 1, 0, magenta, 0) == code::Ok;
    ok = ok && e.SetKindDispSize(Marker, 1000) == code::Ok;
    ok = ok && e.AddSpace(StatSpaceId, QStringLiteral("統計"), QStringLiteral("P")) == code::Ok;
    ok = ok
        && e.AddConnectorKind(
               FirstStatKind, QStringLiteral("統計グラフ"), StatSpaceId, QStringLiteral("Figure.DLL "))
            == code::Ok;
    ok = ok && e.SetKindDispSize(FirstStatKind, 1000) == code::Ok;
    ok = ok && e.SaveDefFile() == code::Ok;
    if (!elements.empty()) {
        Handle set = 0;
        ok = ok && e.CreateElementList(set) == code::Ok;
        for (const ElementRecord &r : elements)
            ok = ok && e.AddElementToList(set, r) == code::Ok;
        ok = ok && e.AddElements(set) == code::Ok;
        e.ReleaseElements(set);
    }
    ok = ok && e.SaveMap() == code::Ok;
    e.CloseMap();
    m_ok = ok;
    if (!ok)
        m_error = QStringLiteral("building the tiny map failed: %1").arg(e.lastError());
}

QColor palette(int n)
{
    const Rgb c = Catalog::defaultPalette()[static_cast<std::size_t>(n)];
    return QColor(c.r, c.g, c.b);
}

bool near(QRgb pixel, const QColor &colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance
        && std::abs(qGreen(pixel) - colour.green()) <= tolerance
        && std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

int countNot(const QImage &image, const QColor &colour, int tolerance)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!near(image.pixel(x, y), colour, tolerance))
                ++n;
    return n;
}

int countNear(const QImage &image, const QColor &colour, int tolerance)
{
    return image.width() * image.height() - countNot(image, colour, tolerance);
}

} // namespace zorvik::test
