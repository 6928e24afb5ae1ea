// The analysis file class: numbering, the header it builds from the engine,
// the owner and the selector, the read-back, the symbol list, and outputs
// that fail without leaving a file behind.
#include "anafilebed.h"
#include "graphs/ctlselect.h"
#include "graphs/graphowner.h"
#include "platform/vb/convert.h"
#include "platform/fs/fs.h"
#include "platform/vb/errors.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <functional>

using veltra::test::u;
using V = std::vector<QVariant>;

namespace {

void touch(const QString &path)
{
    veltra::test::writeBytes(path, QByteArray());
}

// A pie of two segments over one area, ready to write.
void fillPie(clsAnaFile &a)
{
    a.setSegments(1);
    a.setSelectAddress({QString(), QStringLiteral("13101")});
    a.SetHead5(0, u("男"), 255, QStringLiteral("20200101"), QStringLiteral("20201231"));
    a.SetHead5(1, u("女"), 65280, QStringLiteral("20200101"), QStringLiteral("20201231"));
    a.SetData1Area(1);
    a.SetData1(1, 10, 20, 13, 101, 0, QString(), u("千代田区"), V{{}, 1, 2});
}

} // namespace

using AnaFileNumbering = AnaFileBed;

TEST_F(AnaFileNumbering, FirstFreeNumberFromZero)
{
    struct Row
    {
        const char *name;
        QStringList files;
        QStringList folders;
        std::int32_t next;
    };
    const Row rows[] = {
        {"empty folder", {}, {}, 0},
        {"000 001 003", {"tempheader000.hed", "tempheader001.hed", "tempheader003.hed"}, {}, 2},
        {"only 001", {"tempheader001.hed"}, {}, 0},
        {"16 characters ignored", {"tempheader000.hed", "tempheader12.hed"}, {}, 1},
        {"a folder ignored", {}, {"tempheader000.hed"}, 0},
        {"names matched without case", {"TEMPHEADER000.HED", "TempHeader001.hed"}, {}, 2},
        {"data files are not headers", {"tempdata000.dat"}, {}, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        veltra::test::TempDir folder;
        for (const QString &f : row.files)
            touch(folder.file(f));
        for (const QString &d : row.folders)
            ASSERT_TRUE(QDir().mkpath(folder.file(d)));
        clsAnaFile ana;
        ana.setPath(folder.path());
        ana.setFileName(QStringLiteral("tempheader*.hed"));
        ana.FindFile();
        EXPECT_EQ(ana.NextFileNo(), row.next);
    }
}

TEST_F(AnaFileNumbering, HeaderWithoutDataTakesTheNextHeaderAndTheFreeData)
{
    touch(header(0));
    glngGraphKind = GraphKindPie;
    clsAnaFile ana;
    link(ana, false);
    fillPie(ana);
    ana.CsvWriteReq(db);
    ASSERT_TRUE(QFileInfo::exists(header(1)));
    ASSERT_TRUE(QFileInfo::exists(data(0)));
    EXPECT_EQ(fieldOf(linesOf(header(1)).value(0), 7), QStringLiteral("tempdata000.dat"));
    EXPECT_EQ(veltra::test::readBytes(header(0)), QByteArray()) << "the old header was touched";
}

TEST_F(AnaFileNumbering, AllNumbersTakenWritesNothing)
{
    struct Row
    {
        const char *name;
        const char *pattern;
    };
    // Headers all taken; or headers free but every data number taken.
    for (const Row &row : {Row{"headers", "tempheader%1.hed"}, Row{"data", "tempdata%1.dat"}}) {
        SCOPED_TRACE(row.name);
        veltra::test::TempDir folder;
        for (int n = 0; n <= 999; ++n)
            touch(folder.file(QString::fromLatin1(row.pattern).arg(n, 3, 10, QLatin1Char('0'))));
        const QStringList before = veltra::test::entriesOf(folder.path());
        glngGraphKind = GraphKindPie;
        clsAnaFile ana;
        link(ana, false);
        fillPie(ana);
        try {
            ana.CsvWriteReq(folder.path());
            ADD_FAILURE() << "no error";
        } catch (const veltra::vb::FileError &e) {
            EXPECT_EQ(QString::fromStdString(e.what()), clsAnaFile::noFreeNumberMessage());
        }
        EXPECT_EQ(veltra::test::entriesOf(folder.path()), before);
        for (int n = 0; n < 3; ++n)
            EXPECT_EQ(veltra::test::readBytes(folder.file(QString::fromLatin1(row.pattern).arg(n, 3, 10, QLatin1Char('0')))),
                QByteArray());
    }
}

TEST_F(AnaFileNumbering, ANumberThatIsNotDigitsStopsTheOutput)
{
    for (const char *name : {"tempheader0a1.hed", "tempdata-12.dat", "tempdata 12.dat"}) {
        SCOPED_TRACE(name);
        veltra::test::TempDir folder;
        touch(folder.file(QString::fromLatin1(name)));
        glngGraphKind = GraphKindPie;
        clsAnaFile ana;
        link(ana, false);
        fillPie(ana);
        EXPECT_THROW(ana.CsvWriteReq(folder.path()), veltra::vb::TypeMismatch);
        EXPECT_EQ(veltra::test::entriesOf(folder.path()), QStringList{QString::fromLatin1(name)});
    }
}

using AnaFileHeader = AnaFileBed;

TEST_F(AnaFileHeader, H1HoldsTheEnginesCentreScaleAndTheViewDate)
{
    engine.setScale(12345.5);
    engine.setCenterX(zorvik::test::CX + 1234);
    engine.setCenterY(zorvik::test::CY - 567);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    struct Row
    {
        QString viewDate;
        QString dateNum;
    };
    const Row rows[] = {
        {QStringLiteral("2024/04/01"), QStringLiteral("20240401")},
        {QStringLiteral("  1999/12/31 "), QStringLiteral("19991231")},
        {QString(), today},
        {QStringLiteral("   "), today},
        {u("いつか"), today},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.viewDate.toStdString());
        veltra::test::TempDir folder;
        gstrSetDate1 = row.viewDate;
        glngGraphKind = GraphKindPie;
        clsAnaFile ana;
        link(ana, false);
        fillPie(ana);
        ana.CsvWriteReq(folder.path());
        const QString h1 = linesOf(folder.file(QStringLiteral("tempheader000.hed"))).value(0);
        EXPECT_EQ(fieldOf(h1, 1), QString::number(engine.CenterX()));
        EXPECT_EQ(fieldOf(h1, 2), QString::number(engine.CenterY()));
        EXPECT_EQ(fieldOf(h1, 1), QString::number(zorvik::test::CX + 1234));
        EXPECT_EQ(fieldOf(h1, 3), QStringLiteral("12346")); // half to even
        EXPECT_EQ(fieldOf(h1, 4), row.dateNum);
    }
}

TEST_F(AnaFileHeader, PyramidWindowWithoutSelector)
{
    glngGraphKind = GraphKindPyramid;
    owner.anaRange = 2;
    clsAnaFile ana;
    ana.SetFormName(&owner);
    ana.setNoticeName(u("人口"));
    ana.setCompName(u("世帯"));
    ana.SetGradeNum(1);
    ana.setSegments(1);
    ana.setSelectAddress({QString(), QStringLiteral("13101"), QStringLiteral("13102")});
    ana.SetHead4(0, 0, 0, 100);
    ana.SetHead5(0, u("男"), 16711680, QStringLiteral("20200101"), QStringLiteral("20201231"));
    ana.SetHead5(1, u("女"), 255, QStringLiteral("20200101"), QStringLiteral("20201231"));
    ana.SetData1Area(2);
    const V dashes{{}, QStringLiteral("\"-\""), QStringLiteral("\"-\""), QStringLiteral("\"-\"")};
    ana.SetData1(1, 10, 20, 13, 101, 0, QString(), u("千代田区"), dashes, 5, 6);
    ana.SetData1(2, 30, 40, 13, 102, 0, QString(), u("中央区"), dashes, 7, 8);
    ana.CsvWriteReq(db);

    const QStringList head = linesOf(header());
    ASSERT_EQ(head.size(), 7); // H1, two H2, H3, one H4, two H5
    for (int i : {1, 2}) {
        EXPECT_EQ(fieldOf(head[i], 7), QStringLiteral("7"));
        EXPECT_EQ(fieldOf(head[i], 8), QStringLiteral("1")) << "expression kind";
        EXPECT_EQ(fieldOf(head[i], 9), QStringLiteral("2")) << "H5 count";
        EXPECT_EQ(fieldOf(head[i], 10), QStringLiteral("0")) << "flow kind";
        EXPECT_EQ(fieldOf(head[i], 11), QStringLiteral("0")) << "flow flag";
    }
    EXPECT_EQ(head[3], QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"));
    const QStringList dat = linesOf(data());
    ASSERT_EQ(dat.size(), 2);
    EXPECT_EQ(dat[0], u("1,10,20,0,0,13,101,0,0,\"千代田区\",\"-\",\"-\",\"-\",10,20,13,101,0"));
}

TEST_F(AnaFileHeader, OptionAnswersOfTheSelector)
{
    struct Row
    {
        std::int16_t expression, flow;
        const char *fields8to11; // expression, H5 count, flow kind, flow flag
    };
    const Row rows[] = {
        {1, 2, "1,2,2,5"},
        {2, 1, "2,2,1,5"},
        {255, 255, "0,2,0,0"},
        {0, 3, "0,2,0,0"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fields8to11);
        veltra::test::TempDir folder;
        glngGraphKind = GraphKindPie;
        select.answers = {{2, row.expression}, {3, row.flow}};
        clsAnaFile ana;
        link(ana);
        fillPie(ana);
        ana.CsvWriteReq(folder.path());
        const QStringList h2 = linesOf(folder.file(QStringLiteral("tempheader000.hed"))).value(1).split(',');
        EXPECT_EQ(h2.mid(8, 4).join(','), QString::fromLatin1(row.fields8to11));
    }
}

TEST_F(AnaFileHeader, ChoicesOfTheRealSelector)
{
    // The selector control itself in place of the stand-in: the frames its
    // layout shows decide what the header records.
    struct Row
    {
        std::int32_t layout;
        bool relative, outflow;
        const char *fields8to11;
    };
    const Row rows[] = {
        {2, true, false, "2,2,0,0"},
        {2, false, true, "1,2,0,0"},
        {7, false, true, "0,2,2,5"},
        {7, true, false, "0,2,1,5"},
        {4, true, true, "0,2,0,0"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fields8to11);
        veltra::test::TempDir folder;
        glngGraphKind = GraphKindPie;
        ctlSelect real;
        real.setSelectItem(row.layout);
        real.optExpressionKind[row.relative ? 1 : 0]->setChecked(true);
        real.optFlow[row.outflow ? 1 : 0]->setChecked(true);
        clsAnaFile ana;
        link(ana);
        ana.SetCtlSelect(&real);
        fillPie(ana);
        ana.CsvWriteReq(folder.path());
        const QStringList h2 = linesOf(folder.file(QStringLiteral("tempheader000.hed"))).value(1).split(',');
        EXPECT_EQ(h2.mid(8, 4).join(','), QString::fromLatin1(row.fields8to11));
    }
}

TEST_F(AnaFileHeader, AreaLevelAndUnitFromTheOwner)
{
    const char *const expected[] = {"1,1", "4,1", "5,2", "6,3", "0,0", "0,0"}; // level, unit
    const std::int32_t ranges[] = {0, 1, 2, 3, 4, -1};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(ranges[i]);
        veltra::test::TempDir folder;
        glngGraphKind = GraphKindPie;
        owner.anaRange = ranges[i];
        clsAnaFile ana;
        link(ana, false);
        fillPie(ana);
        ana.CsvWriteReq(folder.path());
        const QStringList h2 = linesOf(folder.file(QStringLiteral("tempheader000.hed"))).value(1).split(',');
        EXPECT_EQ(h2[1] + ',' + h2[5], QString::fromLatin1(expected[i]));
    }
}

TEST_F(AnaFileHeader, TwoFlowLinesGiveFourDataLines)
{
    glngGraphKind = GraphKindRyusen;
    clsAnaFile ana;
    link(ana);
    ana.setSelectAddress({QString()});
    ana.SetData1Area(5); // not used by the flow map
    for (int n = 1; n <= 2; ++n)
        ana.SetDtStreamline(n, {0, n, -n}, {0, 10 * n, -10 * n}, {0, 13101, 14100},
            {QString(), u("千代田区"), u("横浜市")}, 0.25 * n, n);
    ana.CsvWriteReq(db);
    EXPECT_EQ(linesOf(data()),
        (QStringList{u("1,10,13101,千代田区,0.25,1"), u("-1,-10,14100,横浜市,0.25,1"),
            u("2,20,13101,千代田区,0.5,2"), u("-2,-20,14100,横浜市,0.5,2")}));
}

TEST_F(AnaFileHeader, SubscriptErrorsOfTheFillers)
{
    clsAnaFile ana;
    EXPECT_THROW(ana.SetHead4(0, 0, 0, 0), veltra::vb::SubscriptOutOfRange) << "class count 0";
    ana.SetGradeNum(2);
    EXPECT_NO_THROW(ana.SetHead4(1, 0, 0, 0));
    EXPECT_THROW(ana.SetHead4(2, 0, 0, 0), veltra::vb::SubscriptOutOfRange);
    ana.setSegments(-1);
    EXPECT_THROW(ana.SetHead5(0, QString(), 0, QString(), QString()), veltra::vb::SubscriptOutOfRange);
    ana.SetData1Area(2);
    EXPECT_THROW(ana.SetData1(3, 0, 0, 0, 0, 0, QString(), QString(), V{}), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(ana.SetDtStreamline(1, {0, 1}, {0, 1, 2}, {0, 1, 2}, {QString(), QString(), QString()}, 0, 0),
        veltra::vb::SubscriptOutOfRange);
}

using AnaFileFailure = AnaFileBed;

// Every way an output can fail half-way leaves the DB folder as it was.
TEST_F(AnaFileFailure, NoFileIsLeftBehind)
{
    struct Row
    {
        const char *name;
        std::function<void(clsAnaFile &, AnaFileBed &)> prepare;
        const char *message; // a part of the error's text; "" for any
    };
    const Row rows[] = {
        {"data file name is a folder",
            [](clsAnaFile &a, AnaFileBed &b) {
                fillPie(a);
                QDir().mkpath(b.dir.path() + QStringLiteral("DB/tempdata000.dat"));
            },
            "tempdata000.dat"},
        {"area name CP932 cannot hold",
            [](clsAnaFile &a, AnaFileBed &) {
                fillPie(a);
                a.SetData1(1, 1, 2, 13, 0, 0, QString(), QStringLiteral("Caf\u00e9"), V{{}, 1});
            },
            "\u00e9"},
        {"item name CP932 cannot hold (header half written)",
            [](clsAnaFile &a, AnaFileBed &) {
                fillPie(a);
                a.SetHead5(1, QStringLiteral("\u00e9t\u00e9"), 0, QString(), QString());
            },
            "\u00e9"},
        {"an area never filled",
            [](clsAnaFile &a, AnaFileBed &) {
                fillPie(a);
                a.SetData1Area(2);
                a.SetData1(1, 1, 2, 13, 0, 0, QString(), u("東京都"), V{{}, 1});
            },
            "tempdata000.dat"},
        {"fewer items than the H5 count",
            [](clsAnaFile &a, AnaFileBed &) {
                fillPie(a);
                a.setSegments(2);
            },
            "tempheader000.hed"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(db).removeRecursively();
        QDir().mkpath(db);
        glngGraphKind = GraphKindPie;
        clsAnaFile ana;
        link(ana, false);
        row.prepare(ana, *this);
        const QStringList before = veltra::test::entriesOf(db);
        try {
            ana.CsvWriteReq(db);
            ADD_FAILURE() << "no error";
        } catch (const veltra::vb::FileError &e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(QString::fromUtf8(row.message)))
                << e.what();
        }
        EXPECT_EQ(veltra::test::entriesOf(db), before);
    }
}

TEST_F(AnaFileFailure, ADiskThatTakesNothing)
{
    glngGraphKind = GraphKindPie;
    clsAnaFile ana;
    link(ana, false);
    fillPie(ana);
    {
        veltra::test::NoFileWrites full;
        ASSERT_TRUE(full.ok());
        EXPECT_THROW(ana.CsvWriteReq(db), veltra::vb::FileError);
    }
    EXPECT_EQ(veltra::test::entriesOf(db), QStringList());
}

TEST_F(AnaFileFailure, OwnerWithoutAreaLevel)
{
    GraphOwner bare;
    glngGraphKind = GraphKindPie;
    clsAnaFile ana;
    ana.SetFormName(&bare);
    fillPie(ana);
    EXPECT_THROW(ana.CsvWriteReq(db), veltra::vb::MemberNotSupported);
    clsAnaFile unlinked;
    fillPie(unlinked);
    EXPECT_THROW(unlinked.CsvWriteReq(db), veltra::vb::ObjectNotSet);
    EXPECT_EQ(veltra::test::entriesOf(db), QStringList());
}

TEST_F(AnaFileFailure, UnknownGraphKindWritesNothing)
{
    for (std::int32_t kind : {0, 10, 20}) {
        glngGraphKind = kind;
        clsAnaFile ana;
        link(ana, false);
        fillPie(ana);
        EXPECT_NO_THROW(ana.CsvWriteReq(db));
        EXPECT_EQ(veltra::test::entriesOf(db), QStringList());
    }
}

using AnaFileReadBack = AnaFileBed;

TEST_F(AnaFileReadBack, OwnerAndSelectorGetTheSavedChoices)
{
    struct Row
    {
        std::int32_t kind;
        std::int32_t anaRange;
        std::int16_t unitButton;
        const char *selData;
        std::int32_t count;
        const char *names;
    };
    const Row rows[] = {
        {GraphKindNuri, 3, 0, "2/1/3/4", 2, "密度/面積"},
        {GraphKindPie, 0, 1, "2/1/0/0", 2, "男/女"},
        {GraphKindBar, 1, 2, "2/1/0/0", 2, "男/女"},
        {GraphKindValue, 2, 3, "2/1/0/0", 1, ""},
        {GraphKindSymbol, 1, 4, "2/1/0/0", 1, ""},
        {GraphKindRanking, 1, 5, "2/1/0/0", 1, ""},
        {GraphKindPyramid, 2, 6, "2/1/0/0", 2, "/"},
        {GraphKindRyusen, 1, 7, "2/1/0/0", 1, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.kind);
        veltra::test::TempDir folder;
        glngGraphKind = row.kind;
        owner.anaRange = row.anaRange;
        owner.methods[3]->setChecked(true);
        select = FakeItemSelection{};
        select.answers = {{1, 3}, {2, 2}, {3, 1}};
        select.subItems[{0, 1}] = {u("密度"), u("密度"), QString(), QString()};
        {
            clsAnaFile ana;
            link(ana);
            ana.setNoticeName(u("密度"));
            ana.setCompName(u("面積"));
            ana.SetGradeNum(2);
            ana.SetHead4(0, 255, 0, 10);
            ana.SetHead4(1, 65280, 10, 20);
            fillPie(ana);
            ana.CsvWriteReq(folder.path());
        }

        owner.anaRange = -1;
        for (QRadioButton *b : owner.units)
            b->setChecked(false);
        select.handedBack.clear();
        clsAnaFile back;
        link(back);
        back.CsvReadReq(folder.file(QStringLiteral("tempheader000.hed")));
        EXPECT_EQ(owner.anaRange, row.anaRange);
        EXPECT_TRUE(owner.units[static_cast<std::size_t>(row.unitButton)]->isChecked());
        ASSERT_EQ(select.handedBack.size(), 1u);
        const FakeItemSelection::SelectData &got = select.handedBack[0];
        EXPECT_EQ(got.selGraph, row.kind);
        EXPECT_EQ(got.selData, QString::fromLatin1(row.selData));
        EXPECT_EQ(got.count, row.count);
        EXPECT_EQ(got.names, QString::fromUtf8(row.names));
    }
}

TEST_F(AnaFileReadBack, AHeaderCutShortRestoresWhatWasRead)
{
    veltra::text::writeLines(header(),
        {QStringLiteral("H1,0,0,25000,20240401,\"\",\"\",tempdata000.dat"),
            QStringLiteral("H2,4,13,0,0,1,0,2,1,3,0,0,0"), QStringLiteral("H2,4,14,0,0,1,0,2,1,3,0,0,0"),
            QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"), QStringLiteral("H4,0,0,0,0,\"\""),
            u("H5,\"男\",255,20200101,20201231")});
    owner.anaRange = -1;
    clsAnaFile back;
    link(back);
    back.CsvReadReq(header());
    EXPECT_EQ(owner.anaRange, 1);
    ASSERT_EQ(select.handedBack.size(), 1u);
    EXPECT_EQ(select.handedBack[0].names, u("男//")) << "three items listed, one read";
}

TEST_F(AnaFileReadBack, AMissingFileIsAnError)
{
    clsAnaFile back;
    link(back);
    EXPECT_THROW(back.CsvReadReq(header(5)), veltra::vb::FileError);
    EXPECT_TRUE(select.handedBack.empty());
}

TEST(AnaFileSymbols, PictureFilesOfAFolder)
{
    veltra::test::TempDir folder;
    for (const char *name : {"a.bmp", "B.BMP", "bmp", "c.GIF", "d.jpg", "e.wmf", "f.emf", "g.png", "h.txt"})
        veltra::test::writeBytes(folder.file(QString::fromLatin1(name)), "x");
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("i.bmp"))));
    const QString path = folder.path().chopped(1); // without its separator

    struct Row
    {
        const char *pattern;
        QStringList names;
    };
    const Row rows[] = {
        {"*.bmp", {"B.BMP", "a.bmp"}},
        {"*", {"B.BMP", "a.bmp", "c.GIF", "d.jpg", "e.wmf", "f.emf"}},
        {"*.png", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.pattern);
        clsAnaFile ana;
        ana.setPath(path);
        ana.setFileName(QString::fromLatin1(row.pattern));
        ana.FindSymbleFile();
        const std::int32_t count = ana.GetSymbolFileCnt();
        ASSERT_EQ(count, row.names.size());
        QStringList found;
        for (std::int32_t i = 1; i <= count; ++i) {
            const QString file = ana.GetSymbolFile(i);
            EXPECT_TRUE(veltra::fs::fileExists(file)) << file.toStdString();
            found.append(file.mid(path.size() + 1));
        }
        found.sort();
        QStringList want = row.names;
        want.sort();
        EXPECT_EQ(found, want);
        EXPECT_EQ(ana.GetSymbolFile(0), QString());
        EXPECT_EQ(ana.GetSymbolFile(count + 1), QString());
        EXPECT_EQ(ana.GetSymbolFile(-1), QString());
    }
    clsAnaFile fresh;
    EXPECT_EQ(fresh.GetSymbolFileCnt(), 0);
    EXPECT_EQ(fresh.GetSymbolFile(1), QString());
}
