// The choropleth: its outline cache, its edge cases on small point tables
// with a counting stand-in for the engine search, and the 2020 municipal
// population drawn on the generated default data through the one drawing
// road.
#include "defaultmapbed.h"
#include "fakegraphowner.h"
#include "fakeitemselection.h"
#include "graphs/clsanafile.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "mapwindow/globals.h"
#include "platform/text/text.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/areacache.h"
#include "statrender/choroplethmap.h"
#include "statrender/choroplethtables.h"
#include "statrender/drawfromfiles.h"
#include "statrender/globals.h"
#include "statrender/renderingregistration.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <set>

using namespace veltra;

namespace {

QStringList fileLines(const QString &path)
{
    QStringList lines;
    EXPECT_TRUE(text::readLines(path, lines)) << path.toStdString();
    return lines;
}

ElementInfo outline(std::vector<std::int32_t> x, std::vector<std::int32_t> y)
{
    ElementInfo e;
    e.PNum = static_cast<std::int32_t>(x.size());
    e.lX = std::move(x);
    e.lY = std::move(y);
    return e;
}

// ---- the outline cache

TEST(AreaCache, OutlinesFollowEachOtherInTheBinaryFileAndReadBack)
{
    test::TempDir dir;
    const QString csv = dir.file("13.csv");
    ElementInfo area;
    area.Key = "13101";
    area.iPra[2] = 211;
    const ElementInfo first = outline({1, 2, 3}, {-4, 5, 6});
    const ElementInfo second = outline({70000000, -8}, {9, 10});
    ComPSY::WriteAreaCache(csv, QDate(1970, 1, 1), {area}, {first});
    ComPSY::WriteAreaCache(csv, QDate(1970, 1, 1), {area}, {second});

    const QStringList lines = fileLines(csv);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "211,13101,19701001,19700930,3,1,24");
    EXPECT_EQ(lines[1], "211,13101,19701001,19700930,2,25,40");
    const QByteArray bin = test::readBytes(dir.file("13.bin"));
    ASSERT_EQ(bin.size(), 40);
    EXPECT_EQ(bin.left(8), QByteArray("\x01\0\0\0\xfc\xff\xff\xff", 8)) << "X then Y, little-endian";

    std::vector<ComPSY::AreaPoint> points;
    ComPSY::ReadAreaPoints(dir.file("13.bin"), points, 25, 40, 2);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].X, 70000000);
    EXPECT_EQ(points[1].Y, 10);

    const auto found = statrender::areaCacheIndex().find(csv, "13101");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1].count, 2);
    EXPECT_EQ(found[1].firstByte, 25);
    EXPECT_EQ(statrender::scanAreaCache(csv, "13101").size(), 2u);
}

TEST(AreaCache, DateFieldsCarryTheYearsOfTheAreasDays)
{
    struct Row
    {
        std::optional<QDate> base;
        std::int32_t appear, disappear;
        const char *fields;
    };
    const Row rows[] = {
        {QDate(1999, 1, 1), 400, -1, "20001001,19980930"},
        {QDate(1999, 1, 1), 0, 0, "19991001,19990930"},
        {std::nullopt, 400, -1, "1001,0930"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fields);
        test::TempDir dir;
        ElementInfo area;
        area.Key = "01";
        area.lPra[1] = row.appear;
        area.lPra[3] = row.disappear;
        ComPSY::WriteAreaCache(dir.file("01.csv"), row.base, {area}, {outline({1}, {1})});
        const QStringList fields = fileLines(dir.file("01.csv")).value(0).split(',');
        EXPECT_EQ(fields.mid(2, 2).join(','), row.fields);
    }
}

TEST(AreaCache, UnequalListsWriteNothing)
{
    test::TempDir dir;
    ComPSY::WriteAreaCache(dir.file("01.csv"), QDate(1999, 1, 1), {ElementInfo{}, ElementInfo{}, ElementInfo{}},
        {outline({1}, {1}), outline({2}, {2})});
    EXPECT_FALSE(QFile::exists(dir.file("01.csv")));
    EXPECT_FALSE(QFile::exists(dir.file("01.bin")));
}

TEST(AreaCache, IndexReadsTheFileAgainAfterItWasDeleted)
{
    test::TempDir dir;
    const QString csv = dir.file("02.csv");
    ElementInfo area;
    area.Key = "02";
    ComPSY::WriteAreaCache(csv, std::nullopt, {area}, {outline({1, 2}, {3, 4})});
    EXPECT_EQ(statrender::areaCacheIndex().find(csv, "02").size(), 1u);
    QFile::remove(csv);
    EXPECT_TRUE(statrender::areaCacheIndex().find(csv, "02").empty());
}

TEST(AreaCache, FilesChangedByOthersBetweenWritesAreAppendedWhereTheyNowEnd)
{
    // The first write keeps the files open; what another program does to
    // them before the second write must be taken into account by it.
    struct Case
    {
        const char *name;
        std::function<void(const QString &csv, const QString &bin)> change;
        QStringList lines; // the text file after the second write
        int binSize;
    };
    const Case cases[] = {
        {"appended to",
            [](const QString &csv, const QString &bin) {
                test::writeBytes(csv, test::readBytes(csv) + "9,other,1001,0930,2,25,40\r\n");
                test::writeBytes(bin, test::readBytes(bin) + QByteArray(16, '\0'));
            },
            {"211,13101,1001,0930,3,1,24", "9,other,1001,0930,2,25,40", "211,13101,1001,0930,2,41,56"}, 56},
        {"deleted",
            [](const QString &csv, const QString &bin) {
                QFile::remove(csv);
                QFile::remove(bin);
            },
            {"211,13101,1001,0930,2,1,16"}, 16},
        {"replaced",
            [](const QString &csv, const QString &bin) {
                test::writeBytes(csv + ".new", "9,other,1001,0930,1,1,8\r\n");
                test::writeBytes(bin + ".new", QByteArray(8, '\0'));
                QFile::remove(csv);
                QFile::remove(bin);
                QFile::rename(csv + ".new", csv);
                QFile::rename(bin + ".new", bin);
            },
            {"9,other,1001,0930,1,1,8", "211,13101,1001,0930,2,9,24"}, 24},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const QString csv = dir.file("13.csv");
        const QString bin = dir.file("13.bin");
        ElementInfo area;
        area.Key = "13101";
        area.iPra[2] = 211;
        ComPSY::WriteAreaCache(csv, std::nullopt, {area}, {outline({1, 2, 3}, {4, 5, 6})});
        c.change(csv, bin);
        ComPSY::WriteAreaCache(csv, std::nullopt, {area}, {outline({7, 8}, {9, 10})});
        EXPECT_EQ(fileLines(csv), c.lines);
        EXPECT_EQ(test::readBytes(bin).size(), c.binSize);
        std::vector<ComPSY::AreaPoint> points;
        ComPSY::ReadAreaPoints(bin, points, c.binSize - 15, c.binSize, 2);
        ASSERT_EQ(points.size(), 2u);
        EXPECT_EQ(points[1].Y, 10);
        const auto found = statrender::areaCacheIndex().find(csv, "13101");
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found.back().firstByte, c.binSize - 15);
    }
}

TEST(ChoroplethTables, FurtherPointCodesAnswerAsTheTableScan)
{
    // Codes of 5 and 7 characters, a short and a long one: a 7-character
    // search code meets the others padded with "0" (or cut) to 7.
    std::vector<statrender::TableLine> table{{}};
    for (const char *code : {"01101", "0110200", "13101", "1310", "131010000", "2720100"})
        table.push_back({code, "0", "0"});
    const statrender::FurtherPointCodes codes(table);
    for (const char *code : {"01101", "0110100", "01102", "0110200", "13101", "1310100", "1310000", "1310",
             "2720100", "27201", "0110", ""}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(codes.names(code), !statrender::furtherLines(table, code, false).empty());
    }
}

// ---- edge cases on small tables

// A data folder with DispLevel.txt and point tables, an engine on the
// default document for the scale and the drawing, and a search that answers
// from a table of points and counts its calls.
class ChoroplethFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString defaults = QStringLiteral(VELTRA_DEFAULT_DATA);
        ASSERT_TRUE(QFile::exists(defaults + "/Veltra.zor"));
        QDir().mkpath(tmp.path() + "doc");
        for (const char *name : {"Veltra.zor", "Veltra.zdb"})
            QFile::copy(defaults + '/' + name, tmp.path() + "doc/" + name);
        test::copyTree(defaults + "/VeltraData/DefFolder", tmp.path() + "doc/VeltraData/DefFolder");
        map.resize(400, 300);
        map.setDocumentPath(tmp.path() + "doc/Veltra.zor");
        ASSERT_EQ(map.InitializeMap(0), 0) << map.lastError().toStdString();
        map.InitDisplay();
        map.ShowAll();
        gstrDataPath = tmp.path() + "data/";
        QDir().mkpath(gstrDataPath + "DB");
        QDir().mkpath(gstrDataPath + "DefFolder");
        write("DefFolder/DispLevel.txt", {"1000000", "3000000", "25000"});
        write("DB/206.csv", {"01,10,10", "13,20,20", "13,21,21"});
        write("DB/211.csv", {"01100,30,30", "13101,40,40", "13102,50,50"});
        write("DB/211.j1", {"01,1", "13,2"});
        write("DB/212.csv", {"13101,41,41"});
        write("DB/214.csv", {});
        write("DB/227.csv", {"13101000100,60,60", "13101000200,70,70", "13102000000,80,80"});
        write("DB/227.j1", {"13,1"});
        write("DB/227.j2", {"13101,1", "13102,3"});
        write("DB/229.csv", {});
        write("DB/231.csv", {});
        statrender::choroplethSettings().search = [this](zorvik::Zorvik *, std::int16_t space,
                                                      const std::vector<ElementInfo> &records,
                                                      std::vector<ElementInfo> &found) {
            ++searches;
            found.clear();
            const std::int32_t at = records.at(0).lX.at(0);
            lastSpace = space;
            found.push_back(outline({at, at + 1, at}, {at, at, at + 1}));
            return true;
        };
        statrender::registerStatisticsRendering();
        gobjZor = &map;
    }
    void TearDown() override
    {
        statrender::choroplethSettings() = {};
        ComPSY::DeletePrefAreaCache();
        ui::WindowRegistry::instance().deleteAll();
        gobjZor = nullptr;
    }
    void write(const QString &name, const QStringList &lines)
    {
        ASSERT_TRUE(text::writeLines(gstrDataPath + name, lines));
    }

    // Header of three classes: [0, 10), [10, 20), [20, 30]; H2 field 1 given.
    static std::vector<QString> header(const QString &h2Level = "1", const QString &format = "1")
    {
        return {QString(), "H1,0,0,0,0,\"\",\"\",tempdata000.dat",
            "H2," + h2Level + ",13,101,0,1,1,1,1,0,0",
            "H3,\"総人口\",\"\"," + format + ",,\"\",3,1", "H4,1,255,0,10,\"a\"", "H4,2,65280,10,20,\"b\"",
            "H4,3,16711680,20,30,\"c\"", "H5,\"総人口\",255,\"20201001\",\"\""};
    }
    static QString line(int pref, int city, int town, const QString &value)
    {
        return QStringLiteral("1,0,0,0,0,%1,%2,%3,0,\"x\",%4").arg(pref).arg(city).arg(town).arg(value);
    }
    bool draw(const std::vector<QString> &head, const QStringList &lines)
    {
        std::vector<QString> data{QString()};
        for (const QString &l : lines)
            data.push_back(l);
        std::int16_t level = 0;
        std::int32_t spare = 0;
        return ComPSY::DrawChoroplethMap(&map, head, data, level, spare);
    }
    static std::vector<int> modes()
    {
        const auto &b = ComPSY::ChoroplethPolygons();
        return std::vector<int>(b.intMode.begin(), b.intMode.begin() + b.lngPolyCount);
    }
    static std::vector<int> reds()
    {
        const auto &b = ComPSY::ChoroplethPolygons();
        std::vector<int> out;
        for (std::int32_t j = 0; j < b.lngPolyCount; ++j)
            out.push_back(b.intColor1[3 * j]);
        return out;
    }

    test::RunStateGuard guard;
    test::TempDir tmp;
    ui::DialogScript script;
    zorvik::Zorvik map;
    int searches = 0;
    int lastSpace = 0;
};

TEST_F(ChoroplethFixture, ValuesTakeTheColourOfTheirClass)
{
    struct Row
    {
        const char *value;
        int mode;
        int red; // of 255 (class 1), 0 (classes 2 and 3), 100 grey
    };
    const Row rows[] = {
        {"", 0, 255}, // empty counts as 0
        {"\"-\"", 4, 100},
        {"9.99999", 0, 0}, // rounds to 10.0000: the next class
        {"10", 0, 0},
        {"30", 0, 0}, // the last class holds its upper bound
        {"30.0001", 4, 100},
        {"5", 0, 255},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        ASSERT_TRUE(draw(header(), {line(13, 101, 0, row.value)}));
        EXPECT_EQ(modes().front(), row.mode);
        EXPECT_EQ(reds().front(), row.red);
    }
    ASSERT_TRUE(draw(header(), {line(13, 101, 0, "10"), line(13, 102, 0, "30"), line(13, 102, 0, "20")}));
    ASSERT_EQ(gtypNuriHanrei.size(), 4u);
    EXPECT_EQ(gtypNuriHanrei[1].lngCount, 0);
    EXPECT_EQ(gtypNuriHanrei[2].lngCount, 1);
    EXPECT_EQ(gtypNuriHanrei[3].lngCount, 2);
    EXPECT_EQ(gtypNuriHanrei[2].strMin, "10.0");
    EXPECT_EQ(gstrNuriHanreiTitle, "総人口");
}

TEST_F(ChoroplethFixture, H7IsDrawnOnlyForTownBlocks)
{
    ASSERT_TRUE(draw(header(), {line(13, 101, 0, "\"H7\""), line(13, 102, 0, "5")}));
    EXPECT_EQ(modes(), (std::vector<int>{0})) << "the municipality with H7 is left out";
    ASSERT_TRUE(draw(header(), {line(13, 101, 100, "\"H7\""), line(13, 101, 200, "5")}));
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));
    EXPECT_EQ(lastSpace, 3);
}

TEST_F(ChoroplethFixture, LevelSixKeepsElevenDigits)
{
    ASSERT_TRUE(draw(header("6"), {line(13, 102, 0, "5")}));
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngX.at(0), 80) << "13102000000 of 227.csv";
    EXPECT_EQ(lastSpace, 3);
}

TEST_F(ChoroplethFixture, APrefectureFirstLoadsOnlyThePrefectureTable)
{
    ASSERT_TRUE(draw(header(), {line(13, 0, 0, "5"), line(13, 101, 0, "5")}));
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngPolyCount, 2) << "the prefecture's two parts only";
    map.setScale(25000);
    ASSERT_TRUE(draw(header(), {line(13, 0, 0, "5")}));
    EXPECT_EQ(map.Scale(), 3000001) << "a prefecture map zooms out past the municipal level";
}

TEST_F(ChoroplethFixture, AFurtherPointAddsOneOutlineAndIsNotCached)
{
    ASSERT_TRUE(draw(header(), {line(13, 101, 0, "5")}));
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngPolyCount, 2);
    EXPECT_EQ(searches, 2);
    EXPECT_LE(map.Scale(), 1000000);
    ASSERT_TRUE(draw(header(), {line(13, 101, 0, "5")}));
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngPolyCount, 2);
    EXPECT_EQ(searches, 3) << "the 211 outline came from the cache, the 212 one was searched again";
    EXPECT_EQ(fileLines(gstrDataPath + "DB/13.csv").size(), 1);
}

TEST_F(ChoroplethFixture, ASecondAnalysisOfPrefecturesSearchesNothing)
{
    ASSERT_TRUE(draw(header(), {line(1, 0, 0, "5"), line(13, 0, 0, "15")}));
    EXPECT_EQ(searches, 3);
    const std::vector<std::int32_t> firstX = ComPSY::ChoroplethPolygons().lngX;
    ASSERT_TRUE(draw(header(), {line(1, 0, 0, "25"), line(13, 0, 0, "5")}));
    EXPECT_EQ(searches, 3);
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngX, firstX);
}

TEST_F(ChoroplethFixture, AnEmptyDataFileDrawsNothingAndShowsZeroCounts)
{
    const std::size_t drawings = glngNuriDrawIds.size();
    ASSERT_TRUE(draw(header(), {}));
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngPolyCount, 0);
    EXPECT_EQ(glngNuriDrawIds.size(), drawings);
    ASSERT_EQ(gtypNuriHanrei.size(), 4u);
    for (std::size_t c = 1; c <= 3; ++c)
        EXPECT_EQ(gtypNuriHanrei[c].lngCount, 0);
    EXPECT_TRUE(ui::WindowRegistry::instance().isLoaded("frmPSYHanreiNuri2"));
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(ChoroplethFixture, MissingFilesAndShortLinesStopTheDrawing)
{
    QFile::remove(gstrDataPath + "DB/212.csv");
    EXPECT_FALSE(draw(header(), {line(13, 101, 0, "5")}));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        "処理に必要なファイルが不足しています。再度、アプリケーションのインストールを行う等の処置を行ってください。");
    EXPECT_EQ(script.requests()[0].title, "情報");
    EXPECT_TRUE(draw(header(), {line(1, 0, 0, "5")})) << "206.csv is there";
    EXPECT_FALSE(draw(header(), {line(1, 0, 0, "5"), "1,0,0"}));
    QFile::remove(gstrDataPath + "DefFolder/DispLevel.txt");
    EXPECT_FALSE(draw(header(), {line(1, 0, 0, "5")}));
    EXPECT_EQ(script.requests().size(), 2u);
}

// ---- the default data

struct Municipality
{
    QString code; // five digits
    QString name;
    QString total;
};

class ChoroplethOnDefaultData : public test::DefaultMapBed
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copyDefaultData());
        ASSERT_NO_FATAL_FAILURE(openMap());
        QFile census(QStringLiteral(VELTRA_CENSUS_SOURCES "/muni_population_2020.csv"));
        ASSERT_TRUE(census.open(QIODevice::ReadOnly));
        census.readLine();
        while (!census.atEnd()) {
            const QStringList f = QString::fromUtf8(census.readLine()).trimmed().split(',');
            munis.push_back(Municipality{f.value(0), f.value(2), f.value(5)});
        }
        ASSERT_EQ(munis.size(), 1916u);
    }
    void TearDown() override
    {
        statrender::choroplethSettings() = {};
        closeMap();
    }

    // The 2020 totals in classes of 0-10,000, 10,000-50,000, 50,000-200,000
    // and 200,000-4,000,000.
    void writeAnalysis(bool prefectures = false)
    {
        glngGraphKind = GraphKindNuri;
        clsAnaFile ana;
        ana.SetFormName(&owner);
        ana.SetCtlSelect(&select);
        ana.SetCtlGradation(&gradation);
        ana.setNoticeName("総人口");
        select.answers[1] = 255; // no calculation: bounds without decimals
        select.subItems[{0, 1}] = {QString(), "総人口", QString()};
        const std::vector<std::pair<double, std::int32_t>> bounds = {
            {0, 0xE0F0FF}, {10000, 0x80C0FF}, {50000, 0x3080F0}, {200000, 0x1020B0}, {4000000, 0}};
        const std::vector<double> prefBounds = {0, 1000000, 2000000, 5000000, 15000000};
        ana.SetGradeNum(4);
        for (int c = 0; c < 4; ++c)
            ana.SetHead4(c, bounds[c].second, prefectures ? prefBounds[c] : bounds[c].first,
                prefectures ? prefBounds[c + 1] : bounds[c + 1].first);
        ana.setSegments(0);
        ana.SetHead5(0, "総人口", 255, QString(), QString());
        std::vector<QString> codes{QString()};
        std::vector<std::pair<QString, QString>> rows; // code, total
        if (prefectures) {
            QFile census(QStringLiteral(VELTRA_CENSUS_SOURCES "/pref_population_2020.csv"));
            census.open(QIODevice::ReadOnly);
            census.readLine();
            while (!census.atEnd()) {
                const QStringList f = QString::fromUtf8(census.readLine()).trimmed().split(',');
                rows.emplace_back(f.value(0), f.value(2));
            }
        } else {
            for (const Municipality &m : munis)
                rows.emplace_back(m.code, m.total);
        }
        ana.SetData1Area(static_cast<std::int32_t>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QString &code = rows[i].first;
            codes.push_back(code);
            ana.SetData1(static_cast<std::int32_t>(i + 1), 0, 0, code.left(2).toInt(),
                code.size() == 5 ? code.mid(2).toInt() : 0, 0, QString(), code,
                {QVariant(), rows[i].second.toDouble()});
        }
        ana.setSelectAddress(codes);
        ana.CsvWriteReq(gstrDataPath + "DB\\");
    }

    // The table lines naming each municipality (211, 212, 214).
    std::map<QString, int> partsInTables() const
    {
        std::map<QString, int> parts;
        for (const char *name : {"211.csv", "212.csv", "214.csv"}) {
            for (const QString &l : fileLines(gstrDataPath + "DB/" + name))
                ++parts[l.section(',', 0, 0)];
        }
        return parts;
    }

    ui::DialogScript script;
    FakeGraphOwner owner;
    FakeItemSelection select;
    ctlGradation gradation;
    std::vector<Municipality> munis;
};

TEST_F(ChoroplethOnDefaultData, EveryMunicipalityWithACellIsFilled)
{
    writeAnalysis();
    std::set<QString> searched; // codes searched, by the search records
    std::map<QString, int> found;
    statrender::choroplethSettings().search = [&](zorvik::Zorvik *engine, std::int16_t space,
                                                  const std::vector<ElementInfo> &records,
                                                  std::vector<ElementInfo> &outlines) {
        const bool ok = ComModule::CollectAreaPolygons(engine, space, records, outlines);
        if (ok)
            ++found[records.at(0).Key];
        return ok;
    };
    const std::size_t before = glngNuriDrawIds.size();
    ComPSY::PSY_DrawFromFiles(map);
    EXPECT_TRUE(script.requests().empty()) << script.requests()[0].prompt.toStdString();

    const std::map<QString, int> parts = partsInTables();
    EXPECT_EQ(found, parts) << "every part of every area with a cell, each found at its own point";
    int total = 0;
    for (const auto &[code, n] : parts)
        total += n;
    EXPECT_EQ(ComPSY::ChoroplethPolygons().lngPolyCount, total);
    ASSERT_EQ(glngNuriDrawIds.size(), before + 1);
    EXPECT_GT(glngNuriDrawIds.back(), 0);

    // Not drawn: exactly the areas without a cell (wards and the few without
    // a point).
    std::size_t notDrawn = 0;
    for (const Municipality &m : munis) {
        if (!parts.count(m.code))
            ++notDrawn;
    }
    EXPECT_EQ(notDrawn, munis.size() - parts.size());
    EXPECT_GE(notDrawn, 175u);

    std::int32_t counted = 0;
    for (std::size_t c = 1; c < gtypNuriHanrei.size(); ++c)
        counted += gtypNuriHanrei[c].lngCount;
    std::int32_t withValue = 0;
    for (const Municipality &m : munis)
        withValue += m.total.isEmpty() ? 0 : 1;
    EXPECT_EQ(counted, withValue);
    EXPECT_FALSE(QFile::exists(gstrDataPath + "DB/13.csv")) << "the cache is gone after the run";
    EXPECT_FALSE(frame->picHanrei.isNull());
}

TEST_F(ChoroplethOnDefaultData, CancelStopsTheDrawing)
{
    writeAnalysis();
    script.answerButton(ui::vbYes);
    int calls = 0;
    statrender::choroplethSettings().search = [&](zorvik::Zorvik *engine, std::int16_t space,
                                                  const std::vector<ElementInfo> &records,
                                                  std::vector<ElementInfo> &outlines) {
        if (++calls == 10)
            gintWaitCancel = 1; // the user presses Cancel
        return ComModule::CollectAreaPolygons(engine, space, records, outlines);
    };
    const std::size_t before = glngNuriDrawIds.size();
    ComPSY::PSY_DrawFromFiles(map);
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(glngNuriDrawIds.size(), before) << "nothing of the analysis drawn";
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, "処理を中止します。よろしいですか？");
}

// The 2020 prefecture population at national scale with its legend, and
// the municipal one over Kantō: skipped unless VELTRA_SHOW_SECONDS is set,
// when each stays up that long (run with -platform xcb on an X display).
TEST_F(ChoroplethOnDefaultData, ShowcaseOfThePopulation)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    const bool municipal = qEnvironmentVariableIntValue("VELTRA_SHOW_MUNICIPAL") > 0;
    showMapInFrame();
    map->ShowAll();
    if (municipal) {
        map->setCenterX((139.6 - 122) * 360000);
        map->setCenterY((35.8 - 24) * 360000);
    }
    writeAnalysis(!municipal);
    ComPSY::PSY_DrawFromFiles(map);
    map->Refresh();
    keepShown(seconds);
}

} // namespace
