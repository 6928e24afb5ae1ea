#include "kinddoc.h"

#include "zorvik/core/document.h"
#include "zorvik/testmap/testdoc.h"

#include <gtest/gtest.h>

namespace veltra::test {

using namespace zorvik;

ElementRecord vectorRecord(std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key)
{
    ElementRecord r = zorvik::test::pointsRecord(TypeVector, kind, xy, key);
    r.iPra[0] = 1;
    r.lPra = {10, 20, DayUndecided, DayUndecided, 3, 45};
    return r;
}

ElementRecord connectorRecord(std::int16_t kind, std::int32_t x, std::int32_t y, const QString &key)
{
    ElementRecord r = vectorRecord(kind, {x, y}, key);
    r.Type = TypeConnector;
    return r;
}

KindDoc::KindDoc(const std::vector<ElementRecord> &elements)
{
    zor = dir.file(QStringLiteral("Kinds.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("DefFolder\\");
    QString error;
    EXPECT_EQ(Document::create(zor, options, &error), code::Ok) << error.toStdString();
    engine.setDocumentPath(zor);
    EXPECT_EQ(engine.InitializeMap(0), code::Ok) << engine.lastError().toStdString();

    EXPECT_EQ(engine.AddSpace(1, QStringLiteral("北区"), QStringLiteral("F")), code::Ok);
    EXPECT_EQ(engine.AddSpace(2, QStringLiteral("南区"), QStringLiteral("F")), code::Ok);
    EXPECT_EQ(engine.AddSpace(3, QStringLiteral("空"), QStringLiteral("V")), code::Ok);
    EXPECT_EQ(engine.AddVectorKind(RoadKind, QStringLiteral("道路")), code::Ok);
    EXPECT_EQ(engine.AddVectorKind(RiverKind, QStringLiteral("河川")), code::Ok);
    EXPECT_EQ(engine.AddVectorKind(BorderKind, QStringLiteral("境界")), code::Ok);
    EXPECT_EQ(engine.AddVectorKindToSpace(1, RoadKind), code::Ok);
    EXPECT_EQ(engine.AddVectorKindToSpace(2, RiverKind), code::Ok);
    EXPECT_EQ(engine.AddVectorKindToSpace(1, BorderKind), code::Ok);
    EXPECT_EQ(engine.AddVectorKindToSpace(2, BorderKind), code::Ok);
    EXPECT_EQ(engine.AddConnectorKind(PlaceKind, QStringLiteral("地名"), 1, QStringLiteral("STRING.DLL")),
        code::Ok);
    EXPECT_EQ(
        engine.AddConnectorKind(PointKind, QStringLiteral("点"), 2, QStringLiteral("MARU.DLL")), code::Ok);
    EXPECT_EQ(
        engine.AddConnectorKind(MarkKind, QStringLiteral("標"), 3, QStringLiteral("MARU.DLL")), code::Ok);

    Style6 road;
    road.n = {1, 1, 3, 4, 4, 7};
    EXPECT_EQ(engine.SetVectorDispInfo(RoadKind, 1, 0, road), code::Ok);
    Style6 place;
    place.n = {5, 0, 6, 0, 7, 0};
    EXPECT_EQ(engine.SetConnectorDispInfo(PlaceKind, 0, 1, 1, place, 7), code::Ok);
    EXPECT_EQ(engine.SaveDefFile(), code::Ok);

    if (!elements.empty()) {
        Handle set = freeSet(elements);
        EXPECT_EQ(engine.AddElements(set), code::Ok);
        engine.ReleaseElements(set);
        EXPECT_EQ(engine.SaveMap(), code::Ok);
    }
}

Handle KindDoc::setOf(
    const std::vector<std::int16_t> &vectorKinds, const std::vector<std::int16_t> &connectorKinds)
{
    Handle set = 0;
    std::int32_t v = 0, c = 0;
    EXPECT_EQ(engine.SearchElementsByKind(static_cast<std::int16_t>(vectorKinds.size()), vectorKinds,
                  static_cast<std::int16_t>(connectorKinds.size()), connectorKinds, set, v, c),
        code::Ok);
    return set;
}

Handle KindDoc::freeSet(const std::vector<ElementRecord> &records)
{
    return zorvik::test::freeSet(engine, records);
}

} // namespace veltra::test
