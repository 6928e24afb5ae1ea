#include "docfixture.h"

#include <gtest/gtest.h>

namespace zorvik::test {

DocFixture::DocFixture(bool withKinds)
{
    zor = dir.file(QStringLiteral("Map.zor"));
    NewDocument options;
    options.defDataDir = QStringLiteral("DefFolder\\");
    options.meshDataDir = QStringLiteral("MeshData");
    QString error;
    EXPECT_EQ(Document::create(zor, options, &error), code::Ok) << error.toStdString();
    engine.setDocumentPath(zor);
    EXPECT_EQ(engine.InitializeMap(0), code::Ok) << engine.lastError().toStdString();
    if (withKinds) {
        defineKinds();
        EXPECT_EQ(engine.SaveDefFile(), code::Ok);
    }
}

void DocFixture::defineKinds()
{
    const QString areaNames[]
        = {QStringLiteral("都道府県"), QStringLiteral("市区町村"), QStringLiteral("町丁字")};
    for (std::int16_t s = 1; s <= 3; ++s) {
        ASSERT_EQ(engine.AddSpace(s, areaNames[s - 1], QStringLiteral("F")), code::Ok);
        ASSERT_EQ(engine.AddVectorKind(s, areaNames[s - 1] + QStringLiteral("界")), code::Ok);
        ASSERT_EQ(engine.AddVectorKindToSpace(s, s), code::Ok);
    }
    ASSERT_EQ(engine.AddConnectorKind(206, QStringLiteral("都道府県代表点"), 1, QStringLiteral("STRING.DLL")),
        code::Ok);
    ASSERT_EQ(engine.AddConnectorKind(211, QStringLiteral("市区町村代表点"), 2, QStringLiteral("STRING.DLL")),
        code::Ok);
    ASSERT_EQ(engine.AddConnectorKind(227, QStringLiteral("町丁字代表点"), 3, QStringLiteral("STRING.DLL")),
        code::Ok);
    ASSERT_EQ(engine.AddSpace(StatSpaceId, QStringLiteral("統計"), QStringLiteral("V")), code::Ok);
    for (std::int16_t k = FirstStatKind; k <= LastStatKind; ++k) {
        ASSERT_EQ(engine.AddVectorKind(k, QStringLiteral("統計%1").arg(k)), code::Ok);
        ASSERT_EQ(engine.AddVectorKindToSpace(StatSpaceId, k), code::Ok);
        ASSERT_EQ(engine.AddConnectorKind(
                      k, QStringLiteral("統計%1").arg(k), StatSpaceId, QStringLiteral("SYMBOL.DLL")),
            code::Ok);
    }
    ASSERT_EQ(engine.AddVectorKind(10, QStringLiteral("道路")), code::Ok);
    ASSERT_EQ(engine.AddVectorKindToSpace(1, 10), code::Ok);
    ASSERT_EQ(engine.AddVectorKindToSpace(2, 10), code::Ok);
}

Handle DocFixture::add(const std::vector<ElementRecord> &recs, bool level9)
{
    const Handle set = freeSet(engine, recs);
    EXPECT_EQ(level9 ? engine.AddElementsForLevel9(set) : engine.AddElements(set), code::Ok);
    return set;
}

ElementRecord vector(std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key)
{
    return pointsRecord(TypeVector, kind, xy, key);
}

ElementRecord square(std::int16_t kind, std::int32_t x, std::int32_t y, std::int32_t s, const QString &key)
{
    return vector(kind, {x, y, x + s, y, x + s, y + s, x, y + s, x, y}, key);
}

std::vector<Handle> walk(const Engine &engine, Handle set)
{
    std::vector<Handle> out;
    Handle elem = 0;
    while (engine.GetNextElementHandle(set, elem) == code::Ok && elem != 0)
        out.push_back(elem);
    return out;
}

std::vector<ElementRecord> records(const Engine &engine, Handle set)
{
    std::vector<ElementRecord> out;
    for (Handle h : walk(engine, set)) {
        ElementRecord r;
        EXPECT_EQ(engine.elementRecord(set, h, r), code::Ok);
        out.push_back(r);
    }
    return out;
}

} // namespace zorvik::test
