// The generated default document opened with the engine, and the written
// files checked as the application reads them.
#include "basemap/basemapmodel.h"
#include "basemap/defaultdatawriter.h"
#include "basemap/kinds.h"
#include "defaultmodel.h"
#include "platform/profile/profile.h"
#include "statdata/meshdatabase.h"
#include "testsupport.h"
#include "zorvik/core/engine.h"
#include "zorvik/render/viewtransform.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace veltra::basemap;

namespace {

const BaseMapModel &model()
{
    return veltra::basemap::test::defaultModel();
}

// Every file under `root`, relative path -> bytes.
std::map<QString, QByteArray> filesUnder(const QString &root)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out[QDir(root).relativeFilePath(path)] = veltra::test::readBytes(path);
    }
    return out;
}

// Keys of the connectors of one kind, through the engine's kind search.
QStringList connectorKeys(zorvik::Engine &e, std::int16_t kind)
{
    zorvik::Handle set = 0;
    std::int32_t v = 0, c = 0;
    EXPECT_EQ(e.SearchElementsByKind(0, {}, 1, {kind}, set, v, c), 0);
    QStringList keys;
    zorvik::Handle elem = 0;
    while (set && e.GetNextElementHandle(set, elem) == 0 && elem) {
        zorvik::ElementRecord r;
        EXPECT_EQ(e.GetElementsInfo(set, elem, r), 0);
        keys << r.Key;
    }
    e.ReleaseElements(set);
    return keys;
}

// Keys of the area connectors of `kind` inside the polygons of `space` at a point.
QStringList areaKeysAt(zorvik::Engine &e, const zorvik::ViewMetrics &view, int space, std::int16_t kind,
    std::int32_t x, std::int32_t y)
{
    e.setSpaceID(space);
    e.setRecognizeElementType(1);
    e.setRecognizeSearchNum(0);
    zorvik::Handle hits = 0, inner = 0;
    std::int32_t a = 0, b = 0, c = 0;
    EXPECT_EQ(e.SearchElements(3, x, y, hits, a, b, c, view), 0);
    QStringList keys;
    if (!hits)
        return keys;
    e.setRecognizeElementType(2);
    EXPECT_EQ(e.SearchInnerPolygonElements(hits, inner, a, b, c, view), 0);
    zorvik::Handle elem = 0;
    while (inner && e.GetNextElementHandle(inner, elem) == 0 && elem) {
        zorvik::ElementRecord r;
        e.GetElementsInfo(inner, elem, r);
        if (r.Type == zorvik::TypeConnector && r.kind() == kind)
            keys << r.Key;
    }
    e.ReleaseElements(inner);
    e.ReleaseElements(hits);
    return keys;
}

class DefaultDocument : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new veltra::test::TempDir;
        QString error;
        ASSERT_TRUE(writeDefaultData(model(), dir->file("default"), &error)) << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    static QString root() { return dir->file("default"); }

    static veltra::test::TempDir *dir;
};
veltra::test::TempDir *DefaultDocument::dir = nullptr;

} // namespace

TEST_F(DefaultDocument, OpensWithTheAreasAndConnectorsTheApplicationNeeds)
{
    zorvik::Engine e;
    e.setDocumentPath(root() + "/Veltra.zor");
    ASSERT_EQ(e.InitializeMap(0), 0) << e.lastError().toStdString();
    EXPECT_EQ(e.BaseDate(), "19700101");

    zorvik::Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(e.SearchElementsByKind(1, {kind::PrefectureBoundary}, 0, {}, set, v, c), 0);
    EXPECT_GE(v, 47); // prefectures with islands have several outlines
    e.ReleaseElements(set);

    veltra::statdata::MeshDatabase db;
    ASSERT_TRUE(db.open(root() + "/VeltraData/DB/Mesh.sqlite")) << db.lastError().toStdString();

    const QStringList prefKeys = connectorKeys(e, kind::PrefectureArea);
    EXPECT_EQ(prefKeys.size(), 47);
    EXPECT_EQ(QSet<QString>(prefKeys.begin(), prefKeys.end()).size(), 47);
    for (const QString &k : prefKeys) {
        ASSERT_TRUE(QRegularExpression("^\\d\\d,0$").match(k).hasMatch()) << k.toStdString();
        EXPECT_TRUE(db.prefectureName(k.left(2).toInt()).has_value()) << k.toStdString();
    }
    EXPECT_EQ(connectorKeys(e, kind::PrefectureName).size(), 47);

    const QStringList muniKeys = connectorKeys(e, kind::MunicipalityArea);
    EXPECT_GE(muniKeys.size(), 1700);
    EXPECT_LE(muniKeys.size(), 1900);
    EXPECT_EQ(QSet<QString>(muniKeys.begin(), muniKeys.end()).size(), muniKeys.size());
    for (const QString &k : muniKeys) {
        ASSERT_TRUE(QRegularExpression("^\\d{5},0$").match(k).hasMatch()) << k.toStdString();
        const int code = k.left(5).toInt();
        EXPECT_TRUE(db.municipalityName(code / 1000, code % 1000).has_value()) << k.toStdString();
    }
    EXPECT_EQ(connectorKeys(e, kind::MunicipalityName).size(), muniKeys.size());
    e.CloseMap();
}

TEST_F(DefaultDocument, TokyoStationLiesInTokyoAndInTheCellOfChiyoda)
{
    zorvik::Engine e;
    e.setDocumentPath(root() + "/Veltra.zor");
    ASSERT_EQ(e.InitializeMap(0), 0) << e.lastError().toStdString();
    const WorldPoint station = rounded(toWorld(LonLat{139.7671, 35.6812}));
    zorvik::ViewMetrics view;
    view.scale = 500000; // within the municipal level
    view.centerY = station.y;

    EXPECT_EQ(areaKeysAt(e, view, kind::PrefectureSpace, kind::PrefectureArea, station.x, station.y),
        QStringList{"13,0"});
    EXPECT_EQ(areaKeysAt(e, view, kind::MunicipalitySpace, kind::MunicipalityArea, station.x, station.y),
        QStringList{"13101,0"});
    veltra::statdata::MeshDatabase db;
    ASSERT_TRUE(db.open(root() + "/VeltraData/DB/Mesh.sqlite"));
    EXPECT_EQ(db.prefectureName(13).value_or(""), QString::fromUtf8("東京都"));
    EXPECT_EQ(db.municipalityName(13, 101).value_or(""), QString::fromUtf8("千代田区"));
    e.CloseMap();
}

TEST_F(DefaultDocument, InitialDefinitionsEqualTheWorkingOnesAndDisplayLevelsAreThree)
{
    const QString def = root() + "/VeltraData/DefFolder/";
    for (const char *name :
        {"SpaceDef.csv", "VectDef.csv", "CnectDef.csv", "DispVectDef.csv", "DispCnectDef.csv"}) {
        const QByteArray working = veltra::test::readBytes(def + name);
        EXPECT_FALSE(working.isEmpty()) << name;
        EXPECT_EQ(veltra::test::readBytes(def + "Init/" + name), working) << name;
        EXPECT_TRUE(working.endsWith("\r\n")) << name;
    }
    const QList<QByteArray> levels = veltra::test::readBytes(def + "DispLevel.txt").split('\n');
    ASSERT_GE(levels.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(levels[i].trimmed().toInt(), 0) << i;
    // The engine found every kind the application relies on.
    zorvik::Engine e;
    e.setDocumentPath(root() + "/Veltra.zor");
    ASSERT_EQ(e.InitializeMap(0), 0);
    for (std::int16_t space : {1, 2, 3, 100}) {
        QString name;
        EXPECT_EQ(e.GetSpaceName(space, name), 0) << space;
    }
    e.CloseMap();
}

TEST_F(DefaultDocument, GenerationIsDeterministicAndReplacesTheOldOutputWhole)
{
    veltra::test::TempDir other;
    QString error;
    ASSERT_TRUE(writeDefaultData(model(), other.file("default"), &error)) << error.toStdString();
    // A stale file in the old output does not survive a new generation.
    veltra::test::writeBytes(other.file("default/stale.txt"), "x");
    ASSERT_TRUE(writeDefaultData(model(), other.file("default"), &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(other.file("default/stale.txt")));
    EXPECT_FALSE(QDir(other.file("default.new")).exists());

    const auto a = filesUnder(root());
    const auto b = filesUnder(other.file("default"));
    ASSERT_EQ(a.size(), b.size());
    for (const auto &[name, bytes] : a) {
        auto it = b.find(name);
        ASSERT_NE(it, b.end()) << name.toStdString();
        EXPECT_TRUE(it->second == bytes) << name.toStdString();
    }
}

TEST_F(DefaultDocument, StartsOnTheMainIslandsAsLastPositionAndFirstHome)
{
    const QString ini = root() + "/Veltra.INI";
    EXPECT_TRUE(veltra::test::readBytes(ini).contains("\r\n"));
    // The main islands from Wakkanai to Kagoshima lie in the map window of a
    // 1280 x 900 screen (about 1060 x 660 px of map) at the stored view.
    const LonLat cities[]
        = {{141.67, 45.42}, {141.35, 43.06}, {139.7671, 35.6812}, {130.40, 33.59}, {130.56, 31.60}};
    for (int slot : {0, 1}) {
        const QString section = QStringLiteral("ZORPAK_MAP%1_SAVE").arg(slot);
        const int scale = veltra::profile::getInt(section, "scale", 0, ini);
        const int x = veltra::profile::getInt(section, "drawCenterX", -1, ini);
        const int y = veltra::profile::getInt(section, "drawCenterY", -1, ini);
        EXPECT_EQ(veltra::profile::getInt(section, "rotateAngle", -1, ini), 0) << slot;
        const zorvik::ViewTransform view(x, y, scale, 0, QSize(1060, 660), 96);
        ASSERT_TRUE(view.isValid()) << slot;
        for (const LonLat &city : cities) {
            const WorldPoint w = rounded(toWorld(city));
            const QPointF px = view.worldToDevice(w.x, w.y);
            EXPECT_TRUE(QRectF(0, 0, 1060, 660).contains(px))
                << slot << " " << city.lon << "," << city.lat << " -> " << px.x() << "," << px.y();
        }
    }
}

TEST_F(DefaultDocument, OpensWithTheViewDateOfToday)
{
    const QString ini = root() + "/Veltra.INI";
    EXPECT_EQ(veltra::profile::getString("SetDate", "MODE", "", ini), QStringLiteral("ToDay"));
    // No stored day: the map ignores it in this mode.
    EXPECT_FALSE(veltra::profile::hasKey("SetDate", "Date1", ini));
    EXPECT_FALSE(veltra::profile::hasKey("SetDate", "Date2", ini));
}
