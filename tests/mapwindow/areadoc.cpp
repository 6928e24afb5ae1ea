#include "areadoc.h"

#include "zorvik/core/document.h"
#include "zorvik/core/engine.h"
#include "zorvik/testmap/testdoc.h"

#include <gtest/gtest.h>

namespace veltra::test {

using namespace zorvik;

namespace {

ElementRecord record(
    std::int16_t type, std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key)
{
    ElementRecord r = zorvik::test::pointsRecord(type, kind, xy, key);
    r.iPra[0] = 1;
    return r;
}

ElementRecord square(std::int16_t kind, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    return record(TypeVector, kind, {x0, y0, x1, y0, x1, y1, x0, y1, x0, y0}, QString());
}

} // namespace

AreaDoc::AreaDoc(bool withTownBlocks)
{
    zor = dir.file(QStringLiteral("Areas.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("DefFolder\\");
    QString error;
    EXPECT_EQ(Document::create(zor, options, &error), code::Ok) << error.toStdString();
    {
        Engine engine;
        engine.setDocumentPath(zor);
        EXPECT_EQ(engine.InitializeMap(0), code::Ok);
        EXPECT_EQ(engine.AddSpace(1, QStringLiteral("都道府県"), QStringLiteral("F")), code::Ok);
        EXPECT_EQ(engine.AddSpace(2, QStringLiteral("市区町村"), QStringLiteral("F")), code::Ok);
        EXPECT_EQ(engine.AddVectorKind(30, QStringLiteral("市区町村界")), code::Ok);
        EXPECT_EQ(engine.AddVectorKind(31, QStringLiteral("都道府県界")), code::Ok);
        EXPECT_EQ(engine.AddVectorKindToSpace(2, 30), code::Ok);
        EXPECT_EQ(engine.AddVectorKindToSpace(1, 31), code::Ok);
        EXPECT_EQ(engine.AddConnectorKind(206, QStringLiteral("都道府県"), 1, QStringLiteral("STRING.DLL")),
            code::Ok);
        EXPECT_EQ(engine.AddConnectorKind(211, QStringLiteral("市区町村"), 2, QStringLiteral("STRING.DLL")),
            code::Ok);
        Style6 line;
        line.n = {1, 1, 1, 1, 1, 1};
        EXPECT_EQ(engine.SetVectorDispInfo(30, 1, 1, line), code::Ok);
        EXPECT_EQ(engine.SetVectorDispInfo(31, 1, 1, line), code::Ok);
        Style6 text;
        text.n = {5, 0, 5, 0, 5, 0};
        EXPECT_EQ(engine.SetConnectorDispInfo(206, 1, 1, 0, text, 0), code::Ok);
        EXPECT_EQ(engine.SetConnectorDispInfo(211, 1, 1, 0, text, 0), code::Ok);
        if (withTownBlocks) {
            EXPECT_EQ(engine.AddSpace(3, QStringLiteral("町丁字"), QStringLiteral("F")), code::Ok);
            EXPECT_EQ(engine.AddVectorKind(32, QStringLiteral("町丁字界")), code::Ok);
            EXPECT_EQ(engine.AddVectorKindToSpace(3, 32), code::Ok);
            EXPECT_EQ(engine.AddConnectorKind(227, QStringLiteral("町丁字"), 3, QStringLiteral("STRING.DLL")),
                code::Ok);
            EXPECT_EQ(engine.SetVectorDispInfo(32, 1, 1, line), code::Ok);
            EXPECT_EQ(engine.SetConnectorDispInfo(227, 1, 1, 0, text, 0), code::Ok);
        }
        EXPECT_EQ(engine.SaveDefFile(), code::Ok);

        std::vector<ElementRecord> elements;
        elements.push_back(square(31, X0, Y0, X0 + 5 * Side, Y0 + Side));
        elements.push_back(
            record(TypeConnector, 206, {centreX(0) + 900, centreY() + 900}, QStringLiteral("13")));
        for (int i = 0; i < 5; ++i)
            elements.push_back(square(30, X0 + i * Side, Y0, X0 + (i + 1) * Side, Y0 + Side));
        const auto at = [](int i, int n) {
            return std::vector<std::int32_t>{centreX(i) - 3000 + n * 3000, centreY()};
        };
        // Stored before the municipality connectors, so a click's set in
        // area 3 meets it first.
        if (withTownBlocks) {
            elements.push_back(record(
                TypeConnector, 227, {nineDigitConnectorX(), centreY()}, QStringLiteral("139990010")));
        }
        elements.push_back(record(TypeConnector, 211, at(0, 0), QStringLiteral("13101")));
        elements.push_back(record(TypeConnector, 211, at(1, 0), QStringLiteral("1101")));
        elements.push_back(record(TypeConnector, 211, at(2, 0), QStringLiteral("横浜市")));
        elements.push_back(record(TypeConnector, 211, at(3, 0), QStringLiteral("13999")));
        elements.push_back(record(TypeConnector, 211, at(3, 1), QStringLiteral("横浜市")));
        elements.push_back(record(TypeConnector, 211, at(4, 0), QStringLiteral("横浜市' OR '1'='1")));
        if (withTownBlocks) {
            elements.push_back(square(32, townX0(), Y0, townX1(), Y0 + Side));
            elements.push_back(record(
                TypeConnector, 227, {townConnectorX(), townConnectorY()}, QStringLiteral("13999001001")));
        }
        const Handle set = zorvik::test::freeSet(engine, elements);
        EXPECT_EQ(engine.AddElements(set), code::Ok);
        engine.ReleaseElements(set);
        EXPECT_EQ(engine.SaveMap(), code::Ok);
        engine.CloseMap();
    }
    EXPECT_TRUE(names.create(dir.file(QStringLiteral("Mesh.sqlite")))) << names.lastError().toStdString();
    names.insertPrefecture(1, QStringLiteral("北海道"), 0, 0);
    names.insertPrefecture(13, QStringLiteral("東京都"), 0, 0);
    names.insertPrefecture(14, QStringLiteral("神奈川県"), 0, 0);
    names.insertMunicipality(1, 101, QStringLiteral("札幌市中央区"), QString(), 0, 0);
    names.insertMunicipality(13, 101, QStringLiteral("千代田区"), QString(), 0, 0);
    names.insertMunicipality(14, 100, QStringLiteral("横浜市"), QString(), 0, 0);
    ok = !::testing::Test::HasFailure();
}

} // namespace veltra::test
