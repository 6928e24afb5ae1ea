// The area records and the three value readers on a fixture database and
// CP932 value files: record building, line keys by level, duplicates, the
// value rules, the pyramid series and the flow partner lists.
#include "statwindow/globals.h"
#include "statwindow/readerbusy.h"
#include "statwindow/statareareader.h"
#include "statwindowfixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QWidget>

using namespace veltra::statwindow;
using veltra::test::entry;

namespace {

class StatAreaReaderTest : public veltra::test::StatWindowFixture
{
protected:
    // The records' codes, from index 1.
    static QStringList codes()
    {
        QStringList out;
        for (std::size_t r = 1; r < gtypStatArea.size(); ++r)
            out << gtypStatArea[r].AreaCode;
        return out;
    }
    static double value(std::size_t r, std::size_t i = 1) { return statNumber(gtypStatArea.at(r).Value.at(i)); }
    static int flag(std::size_t r, std::size_t i = 1) { return gtypStatArea.at(r).DataFlag.at(i); }
};

TEST_F(StatAreaReaderTest, SelectedCodesFollowTheLevel)
{
    struct Case
    {
        const char *name;
        std::int32_t level;
        SelectAddrEntry entry;
        QString code;
        std::int32_t kind;
    };
    const Case cases[] = {
        {"nation", 0, entry("1"), QStringLiteral("01"), 3},
        {"prefecture", 1, entry("13"), QStringLiteral("13"), 3},
        {"municipality", 2, entry("13", "101"), QStringLiteral("13101"), 3},
        {"short municipality", 2, entry("1", "1"), QStringLiteral("01001"), 3},
        {"five-digit municipality", 2, entry("13", "12345"), QStringLiteral("1312345"), 5},
        {"town block", 3, entry("13", "101", "1001"), QStringLiteral("13101001001"), 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<QString> codes;
        std::vector<std::int32_t> kinds;
        std::int32_t count = -1;
        GetSelectAddrCodes(c.level, {c.entry}, codes, kinds, count);
        ASSERT_EQ(count, 1);
        ASSERT_EQ(codes.size(), 2u);
        EXPECT_TRUE(codes[0].isEmpty());
        EXPECT_EQ(codes[1], c.code);
        EXPECT_EQ(kinds[1], c.kind);
    }
}

TEST_F(StatAreaReaderTest, RecordsComeFromTheDatabaseInQueryOrder)
{
    StatAreaReader reader(db);
    std::int32_t count = 0;
    // Level 0 takes every prefecture whatever the list holds.
    ASSERT_TRUE(reader.CreateStatArea(0, 2, {QString(), QStringLiteral("13")}, count));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(codes(), QStringList({"01000000000", "13000000000", "14000000000"}));
    EXPECT_EQ(gtypStatArea[2].AreaName, QStringLiteral("東京都"));
    EXPECT_EQ(gtypStatArea[2].X, 1300);
    EXPECT_EQ(gtypStatArea[2].Y, 1301);
    EXPECT_EQ(gtypStatArea[2].Value.size(), 3u);
    EXPECT_EQ(gtypStatArea[2].DataFlag, (std::vector<std::int32_t>{0, 2, 2}));

    // A code without a row makes no record; a five-digit municipality code
    // makes a 13-character AreaCode; the pyramid profile reads it as 3-5.
    ASSERT_TRUE(reader.CreateStatArea(
        2, 1, {QString(), QStringLiteral("13555"), QStringLiteral("1312345"), QStringLiteral("13101")}, count));
    EXPECT_EQ(codes(), QStringList({"1312345000000", "13101000000"}));
    EXPECT_EQ(gtypStatArea[1].CityCode, 12345);
    EXPECT_EQ(gtypStatArea[1].AreaName, QStringLiteral("五桁市"));

    StatAreaReader pyramid(db, ReaderProfile::pyramid());
    ASSERT_TRUE(pyramid.CreateStatArea(0, 1, {QString()}, count));
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(pyramid.CreateStatArea(2, 1, {QString(), QStringLiteral("1310100")}, count));
    EXPECT_EQ(codes(), QStringList({"13101000000"}));

    ASSERT_TRUE(reader.CreateStatArea(3, 1, {QString(), QStringLiteral("13101001002")}, count));
    EXPECT_EQ(codes(), QStringList({"13101001002"}));
    EXPECT_EQ(gtypStatArea[1].TownCode, 1002);
    EXPECT_EQ(gtypStatArea[1].AreaName, QStringLiteral("丸の内二丁目"));
}

TEST_F(StatAreaReaderTest, ManyTownBlocksOfOneMunicipalityGiveTheRecordsOfEachCodeOnItsOwn)
{
    // Enough town blocks of 中央区 for it to be read whole, next to rows whose
    // town-block code an integer comparison never finds: a fraction and text.
    for (int town = 1; town <= 9; ++town)
        db.insertTownBlock(13, 102, town, QStringLiteral("町%1").arg(town), town, town + 100);
    ASSERT_TRUE(db.database().exec(QStringLiteral(
        "INSERT INTO 町丁字テーブル VALUES (13, 102, 4.5, '小数', 1, 2);"
        "INSERT INTO 町丁字テーブル VALUES (13, 102, 'x', '文字', 3, 4);")))
        << db.database().lastError().toStdString();

    // List order, a code without a row, a code twice, a town block of
    // another municipality in between.
    const char *list[] = {"13102000003", "13102000001", "13102000099", "13102000002", "13101001001",
        "13102000003", "13102000004", "13102000005", "13102000006", "13102000007", "13102000009"};
    std::vector<QString> codes{QString()};
    for (const char *code : list)
        codes.push_back(QString::fromLatin1(code));

    StatAreaReader reader(db);
    std::int32_t count = 0;
    std::vector<StatArea> expected{StatArea{}};
    for (std::size_t c = 1; c < codes.size(); ++c) {
        ASSERT_TRUE(reader.CreateStatArea(3, 1, {QString(), codes[c]}, count));
        expected.insert(expected.end(), gtypStatArea.begin() + 1, gtypStatArea.end());
    }
    ASSERT_TRUE(reader.CreateStatArea(3, 1, codes, count));
    EXPECT_EQ(this->codes(),
        QStringList({"13102000003", "13102000001", "13102000002", "13101001001", "13102000003", "13102000004",
            "13102000005", "13102000006", "13102000007", "13102000009"}));
    ASSERT_EQ(gtypStatArea.size(), expected.size());
    for (std::size_t r = 1; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        const StatArea &got = gtypStatArea[r];
        EXPECT_EQ(got.AreaCode, expected[r].AreaCode);
        EXPECT_EQ(got.AreaName, expected[r].AreaName);
        EXPECT_EQ(got.PrefCode, expected[r].PrefCode);
        EXPECT_EQ(got.CityCode, expected[r].CityCode);
        EXPECT_EQ(got.TownCode, expected[r].TownCode);
        EXPECT_EQ(got.X, expected[r].X);
        EXPECT_EQ(got.Y, expected[r].Y);
        EXPECT_EQ(got.DataFlag, expected[r].DataFlag);
    }
    EXPECT_EQ(gtypStatArea[5].AreaName, QStringLiteral("町3"));
    EXPECT_EQ(gtypStatArea[5].Y, 103);
}

TEST_F(StatAreaReaderTest, ValueLinesFindTheirRecords)
{
    const QString pref = folder(QStringLiteral("etc/p"));
    write(pref + QStringLiteral("\\a.txt"),
        {QStringLiteral("CODE,v,w"), QStringLiteral("1,100,1"), QStringLiteral("13,-,2"),
            QStringLiteral("14,abc,3"), QStringLiteral("01101,5,4"), QStringLiteral("x,7,7")});
    write(pref + QStringLiteral("\\b.txt"), {QStringLiteral("CODE,v"), QStringLiteral("1,999")});
    const QString city = indexedFolder(QStringLiteral("etc/c"), {QStringLiteral("13")});
    write(city + QStringLiteral("\\13.txt"),
        {QStringLiteral("CODE,v,w"), QStringLiteral("13101,10,1"), QStringLiteral("13101,5,1"),
            QStringLiteral("1312345,77,1"), QStringLiteral("13999,,1"), QStringLiteral("13102,3")});

    struct Expected
    {
        QString code;
        double value;
        int flag;
    };
    struct Case
    {
        const char *name;
        std::int32_t level;
        std::vector<SelectAddrEntry> entries;
        QString folder;
        std::int32_t field;
        bool result;
        std::vector<Expected> records;
    };
    const std::vector<Case> cases = {
        {"nation with an empty list reads nothing", 0, {}, pref, 1, false,
            {{"01000000000", 0, 2}, {"13000000000", 0, 2}, {"14000000000", 0, 2}}},
        {"prefecture keys, \"-\", text, 1 for 01; 01101 and x match nothing", 1,
            {entry("14"), entry("1"), entry("13"), entry("99")}, pref, 1, true,
            {{"14000000000", 0, 0}, {"01000000000", 100, 0}, {"13000000000", 0, 1}}},
        {"two lines add up, duplicates feed the first only, an empty field is 0, no file keeps 2", 2,
            {entry("13", "101"), entry("13", "101"), entry("13", "999"), entry("1", "101"),
                entry("13", "12345")},
            city, 1, true,
            {{"13101000000", 15, 0}, {"13101000000", 0, 2}, {"13999000000", 0, 0}, {"01101000000", 0, 2},
                {"1312345000000", 77, 0}}},
        {"a line shorter than the value field is not used", 2, {entry("13", "102")}, city, 2, false,
            {{"13102000000", 0, 2}}},
        // The record after a code without a row takes the width of its own
        // entry, not of the entry at its position.
        {"shifted widths", 2, {entry("13", "555"), entry("13", "12345"), entry("13", "101")}, city, 1, true,
            {{"1312345000000", 77, 0}, {"13101000000", 15, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StatAreaReader reader(db);
        EXPECT_EQ(reader.ReadStatValues({c.level, c.entries}, {QString(), c.folder}, 1, {0, c.field}), c.result);
        EXPECT_TRUE(reader.lastError().isEmpty());
        ASSERT_EQ(gtypStatArea.size(), c.records.size() + 1);
        for (std::size_t r = 0; r < c.records.size(); ++r) {
            SCOPED_TRACE(r + 1);
            EXPECT_EQ(gtypStatArea[r + 1].AreaCode, c.records[r].code);
            EXPECT_EQ(value(r + 1), c.records[r].value);
            EXPECT_EQ(flag(r + 1), c.records[r].flag);
        }
        EXPECT_EQ(reader.selectAddr().size(), c.entries.size() + 1);
    }
}

TEST_F(StatAreaReaderTest, MissingIndexKeyAndFileLeaveFlagTwoAndTheSecondItemStillReads)
{
    const QString city = indexedFolder(QStringLiteral("etc/c"), {QStringLiteral("13"), QStringLiteral("01")});
    write(city + QStringLiteral("\\13.txt"), {QStringLiteral("CODE,v"), QStringLiteral("13101,4")});
    // Code1 names 01.txt, which does not exist; the empty folder has no index.
    const QString empty = folder(QStringLiteral("etc/none"));
    StatAreaReader reader(db);
    EXPECT_TRUE(reader.ReadStatValues({2, {entry("1", "101"), entry("13", "101")}},
        {QString(), empty, city}, 2, {0, 1, 1}));
    EXPECT_EQ(value(1, 2), 0);
    EXPECT_EQ(flag(1, 2), 2);
    EXPECT_EQ(flag(2, 1), 2);
    EXPECT_EQ(value(2, 2), 4);
    EXPECT_EQ(flag(2, 2), 0);
    // The sorted copy served the prefixes; the kept list is in list order.
    EXPECT_EQ(reader.selectAddr(), (std::vector<QString>{QString(), "01101", "13101"}));
}

TEST_F(StatAreaReaderTest, ItemsOfOneFolderEachLeaveTheFileWhenAllTheirRecordsAreFound)
{
    const QString city = indexedFolder(QStringLiteral("etc/c"), {QStringLiteral("13")});
    write(city + QStringLiteral("\\13.txt"),
        {QStringLiteral("CODE,a,b,c"), QStringLiteral("13101,1,2"), QStringLiteral("13102,10,20,-"),
            QStringLiteral("13101,100,200,300"), QStringLiteral("13102,1000,2000,4000"),
            QStringLiteral("13101,5,6,7")});
    const QString other = indexedFolder(QStringLiteral("etc/o"), {QStringLiteral("13")});
    write(other + QStringLiteral("\\13.txt"), {QStringLiteral("CODE,a"), QStringLiteral("13101,9")});

    // Items 1, 2 and 4 read the same folder, item 3 another one. Item 1 has
    // both records after two lines; item 2 skips the short first line and
    // has them after three; item 4 after two again.
    StatAreaReader reader(db);
    ASSERT_TRUE(reader.ReadStatValues({2, {entry("13", "101"), entry("13", "102")}},
        {QString(), city, city, other, city}, 4, {0, 1, 3, 1, 2}));
    struct Expected
    {
        std::size_t record;
        std::size_t item;
        double value;
        int flag;
    };
    const Expected expected[] = {
        {1, 1, 1, 0}, {2, 1, 10, 0}, // not 106 and 1010: the rest of the file is left
        {1, 2, 300, 0}, {2, 2, 0, 1},
        {1, 3, 9, 0}, {2, 3, 0, 2},
        {1, 4, 2, 0}, {2, 4, 20, 0},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(testing::Message() << "record " << e.record << " item " << e.item);
        EXPECT_EQ(value(e.record, e.item), e.value);
        EXPECT_EQ(flag(e.record, e.item), e.flag);
    }
}

TEST_F(StatAreaReaderTest, AFileThatCannotBeReadStopsBeforeTheNextItem)
{
    const QString city = indexedFolder(QStringLiteral("etc/c"), {QStringLiteral("01"), QStringLiteral("13")});
    write(city + QStringLiteral("\\01.txt"), {QStringLiteral("CODE,a,b"), QStringLiteral("01101,5,6")});
    // A file that opens and fails on the first read.
    const QString broken = QString(city).replace(u'\\', u'/') + QStringLiteral("/13.txt");
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), broken));

    // Both items read the folder: the first has its 01 values when the 13
    // file fails; the second was never reached and keeps 0 with flag 2.
    StatAreaReader reader(db);
    EXPECT_FALSE(reader.ReadStatValues({2, {entry("13", "101"), entry("1", "101")}}, {QString(), city, city}, 2,
        {0, 1, 2}));
    EXPECT_FALSE(reader.lastError().isEmpty());
    ASSERT_EQ(codes(), QStringList({"13101000000", "01101000000"}));
    EXPECT_EQ(value(2, 1), 5);
    EXPECT_EQ(flag(2, 1), 0);
    EXPECT_EQ(value(2, 2), 0);
    EXPECT_EQ(flag(2, 2), 2);
    EXPECT_EQ(flag(1, 1), 2);
}

TEST_F(StatAreaReaderTest, PyramidSeriesGoToEveryMatchingRecord)
{
    const QString city = indexedFolder(QStringLiteral("etc/age"), {QStringLiteral("13")});
    write(city + QStringLiteral("\\13.txt"),
        {QStringLiteral("CODE,m1,m2,w1,w2"), QStringLiteral("13101,1,2,-,4"), QStringLiteral("13101,10,20,30,40"),
            QStringLiteral("13102,-,5"), QStringLiteral("13101,1000,1000,1000,1000")});
    StatAreaReader reader(db);
    ASSERT_TRUE(reader.ReadPyramidValues(
        {2, {entry("13", "101"), entry("13", "102"), entry("13", "101")}}, {QString(), city}, 2, 1, 3));
    ASSERT_EQ(gtypStatArea.size(), 4u);
    for (std::size_t r : {1u, 3u}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(gtypStatArea[r].ManValue, (std::vector<double>{0, 11, 22}));
        EXPECT_EQ(gtypStatArea[r].WomanValue, (std::vector<double>{0, 30, 44}));
        // A second line adds while another record is still missing; the
        // second series decides the flag, so 30 after "-" gives 0; the line
        // after every record was found is not read.
        EXPECT_EQ(gtypStatArea[r].DataFlag, (std::vector<std::int32_t>{0, 0, 0}));
        EXPECT_EQ(gtypStatArea[r].Value.size(), 2u);
    }
    // A short line: "-" only in the first series' class 1, nothing for the
    // second series; class 2 has its first-series field.
    EXPECT_EQ(gtypStatArea[2].ManValue, (std::vector<double>{0, 0, 5}));
    EXPECT_EQ(gtypStatArea[2].DataFlag, (std::vector<std::int32_t>{0, 1, 0}));

    // The pyramid window's own list ends up sorted.
    StatAreaReader pyramid(db, ReaderProfile::pyramid());
    std::vector<QString> own{QString(), "13102", "13101"};
    ASSERT_TRUE(pyramid.ReadPyramidSeries(2, own, city, 2, 1, 3));
    EXPECT_EQ(own, (std::vector<QString>{QString(), "13101", "13102"}));
    EXPECT_EQ(gtypStatArea[1].AreaCode, QStringLiteral("13102000000"));
}

TEST_F(StatAreaReaderTest, FlowPartnersLargerFirstFromTheFirstEntrysPrefecture)
{
    const QString flow = indexedFolder(QStringLiteral("etc/flow"), {QStringLiteral("13"), QStringLiteral("01")});
    write(flow + QStringLiteral("\\13.txt"),
        {QStringLiteral("CODE,partner,in,out"), QStringLiteral("13101,1,100,5"), QStringLiteral("13101,14,300,7"),
            QStringLiteral("13101,12"), QStringLiteral("13101,11,200,-"), QStringLiteral("01101,13,50,50")});
    write(flow + QStringLiteral("\\01.txt"), {QStringLiteral("CODE,p,i,o"), QStringLiteral("01101,13,60,60")});

    struct Case
    {
        const char *name;
        std::int32_t kind;
        std::int32_t items;
        std::vector<std::pair<std::int32_t, double>> partners;
    };
    const Case cases[] = {
        {"inflow", 0, 1, {{14, 300}, {11, 200}, {1, 100}}},
        {"outflow, \"-\" counting 0", 1, 1, {{14, 7}, {1, 5}, {11, 0}}},
        {"a second item starts the list again", 0, 2, {{14, 300}, {11, 200}, {1, 100}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StatAreaReader reader(db);
        ASSERT_TRUE(reader.ReadRyusenValues({2, {entry("13", "101"), entry("1", "101"), entry("13", "101")}},
            {QString(), flow, flow}, c.items, c.kind));
        ASSERT_EQ(gtypStatArea.size(), 4u);
        for (std::size_t r : {1u, 3u}) {
            SCOPED_TRACE(r);
            const auto &list = gtypStatArea[r].Ryusen;
            ASSERT_EQ(list.size(), c.partners.size() + 1);
            for (std::size_t k = 0; k < c.partners.size(); ++k) {
                EXPECT_EQ(list[k + 1].PartnerCode, c.partners[k].first);
                EXPECT_EQ(list[k + 1].FlowCount, c.partners[k].second);
            }
        }
        // 01101's line is in the first entry's file only by its code; its
        // own prefecture's file is not read.
        ASSERT_EQ(gtypStatArea[2].Ryusen.size(), 2u);
        EXPECT_EQ(gtypStatArea[2].Ryusen[1].FlowCount, c.kind == 0 ? 50 : 50);
        EXPECT_EQ(gtypStatArea[2].DataFlag.at(1), 2);
    }
}

TEST_F(StatAreaReaderTest, PrefecturePositionLastRowWins)
{
    // A table without a key, so that one code can have two rows.
    veltra::test::TempDir other;
    {
        veltra::db::Database raw;
        ASSERT_TRUE(raw.open(other.file(QStringLiteral("Mesh.sqlite")), true));
        ASSERT_TRUE(raw.exec(QStringLiteral(
            "CREATE TABLE \"都道府県テーブル\" (\"都道府県ｺｰﾄﾞ\" INTEGER, \"都道府県名\" TEXT, a, b, c, d, X INTEGER, "
            "Y INTEGER);"
            "INSERT INTO \"都道府県テーブル\" VALUES (13, '東京', 0, 0, 0, 0, 1, 2);"
            "INSERT INTO \"都道府県テーブル\" VALUES (13, '東京都', 0, 0, 0, 0, 3, 4);")));
    }
    veltra::statdata::MeshDatabase twoRows;
    ASSERT_TRUE(twoRows.open(other.file(QStringLiteral("Mesh.sqlite"))));
    StatAreaReader reader(twoRows);
    QString name = QStringLiteral("unchanged");
    std::int32_t x = -1;
    std::int32_t y = -1;
    ASSERT_TRUE(reader.GetPrefPosition(13, name, x, y));
    EXPECT_EQ(name, QStringLiteral("東京都"));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    name = QStringLiteral("unchanged");
    ASSERT_TRUE(reader.GetPrefPosition(47, name, x, y));
    EXPECT_EQ(name, QStringLiteral("unchanged"));
    EXPECT_EQ(x, 3);
}

TEST_F(StatAreaReaderTest, AFailedQueryRestoresTheWindowAndSaysWhy)
{
    veltra::statdata::MeshDatabase closed;
    StatAreaReader reader(closed);
    QWidget window;
    reader.setWindow(&window);
    EXPECT_FALSE(reader.ReadStatValues({1, {entry("13")}}, {QString(), QString()}, 1, {0, 1}));
    EXPECT_FALSE(reader.lastError().isEmpty());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(gtypStatArea.size(), 1u);
}

TEST_F(StatAreaReaderTest, TheWindowIsDisabledWhileAReadRuns)
{
    QWidget window;
    QWidget disabledBefore;
    disabledBefore.setEnabled(false);
    {
        ReaderBusy busy(&window);
        ReaderBusy nested(&disabledBefore);
        EXPECT_FALSE(window.isEnabled());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(disabledBefore.isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
