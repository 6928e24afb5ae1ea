// The population pyramid window on a fixture database and item list, driven
// as the operation room drives it (show, the six properties, PyramidDraw),
// over a tiny map: the refusals and their order, the data lines and
// pictures of complete and incomplete areas, the era label, a second draw,
// the guard against a draw inside a draw and what closing clears.
#include "platform/text/text.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmpyramid.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindowfixture.h"
#include "zorvik/testmap/tinymap.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/qtestspontaneevent.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

const QString kStat = QStringLiteral("テスト統計");
const QString kFiveYear = QStringLiteral("年齢5歳階級別");
const QString kSingleYear = QStringLiteral("年齢各歳別(男女別)");

class PyramidWindowTest : public test::StatWindowFixture
{
protected:
    void SetUp() override
    {
        test::StatWindowFixture::SetUp();
        db.insertPrefecture(27, QStringLiteral("大阪府"), 2700, 2701);
        gstrDataPath = dir.path();
        shell::setProgramFolder(program.path());
        gintStoryStepEnd = 0;
        writeList(2);
        ASSERT_TRUE(map.ok()) << map.error().toStdString();
        engine.resize(200, 150);
        engine.setDocumentPath(map.zorPath());
        ASSERT_EQ(engine.InitializeMap(0), zorvik::code::Ok);
        engine.InitDisplay();
        engine.setCenterX(zorvik::test::CX);
        engine.setCenterY(zorvik::test::CY);
        gobjZor = &engine;
        gstrLimitPyramid = QStringLiteral("100");
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().deleteAll();
        test::flushDeletes();
        gobjZor = nullptr;
    }

    // The item list: both age items at the prefecture level, two classes
    // after each series' total.
    void writeList(int classCount, const QString &item = kFiveYear)
    {
        write(dir.path() + QStringLiteral("etc/") + kStat + QStringLiteral(".txt"),
            {QStringLiteral("[ﾃﾞｰﾀ種類]"), QStringLiteral("Entry1=都道府県"), QStringLiteral("[都道府県]"),
                QStringLiteral("Entry1=") + kFiveYear, QStringLiteral("Entry2=") + kSingleYear,
                QLatin1Char('[') + item + QLatin1Char(']'), QStringLiteral("Entry1=男,男性"),
                QStringLiteral("Entry2=0～4歳(男)"), QStringLiteral("Entry3=5～9歳(男)"),
                QStringLiteral("Entry4=女"), QStringLiteral("DataCnt=%1").arg(classCount),
                QStringLiteral("StartField1=2"), QStringLiteral("StartField2=5")});
    }
    // The value file of an item at the prefecture level, after its header.
    void writeValues(const QStringList &lines, const QString &item = kFiveYear)
    {
        write(dir.path() + QStringLiteral("etc/") + kStat + QStringLiteral("/都道府県/") + item
                + QStringLiteral("/00.txt"),
            QStringList{QStringLiteral("CODE,男,0-4,5-9,女,0-4,5-9")} + lines);
    }

    frmPyramid *drive(const QStringList &codes, std::int32_t range = AnaRangePref,
        const QString &item = kFiveYear, const QString &start = QStringLiteral("20201001"),
        const QString &name = kStat)
    {
        frmPyramid *w = ui::form<frmPyramid>(static_cast<QWidget *>(nullptr));
        w->show();
        w->setStatisticalDataName(name);
        w->setStartGeneratDate(start);
        w->setEndGeneratDate(QStringLiteral("21000930"));
        w->setItemName(item);
        w->setAnaRange(range);
        std::vector<QString> list{QString()};
        for (const QString &c : codes)
            list.push_back(c);
        w->setArea(list);
        w->PyramidDraw();
        return w;
    }
    static bool loaded() { return ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPyramid")); }
    QString dbFile(const QString &name) const { return dir.path() + QStringLiteral("DB/") + name; }
    QString picture(const QString &code) const
    {
        return dbFile(QStringLiteral("TempPImage/") + code + QStringLiteral(".bmp"));
    }
    QStringList pairs() const
    {
        return QDir(dir.path() + QStringLiteral("DB"))
            .entryList({QStringLiteral("temp*")}, QDir::Files, QDir::Name);
    }
    // The data line of an area, by its name.
    QString lineOf(const QString &file, const QString &areaName) const
    {
        QStringList lines;
        EXPECT_TRUE(text::readLines(dbFile(file), lines));
        for (const QString &l : lines)
            if (l.contains(areaName))
                return l;
        return QString();
    }
    QStringList prompts() const
    {
        QStringList out;
        for (const ui::DialogRequest &r : script.requests())
            out << r.prompt;
        return out;
    }

    test::TempDir program;
    ui::DialogScript script;
    zorvik::test::TinyMap map;
    zorvik::Zorvik engine;
};

TEST_F(PyramidWindowTest, LoadingSetsTheEmptyInputsAndTheColoursOfHanreiColor)
{
    write(program.file(QStringLiteral("HanreiColor.ini")),
        {QStringLiteral("[人口ピラミッド]"), QStringLiteral("GRAPH1=1,2,3"), QStringLiteral("GRAPH2=")});
    frmPyramid *w = ui::form<frmPyramid>(static_cast<QWidget *>(nullptr));
    EXPECT_EQ(w->AnaRange(), AnaRangeNone);
    EXPECT_EQ(w->areaCodes(), std::vector<QString>{QString()});
    EXPECT_EQ(w->pyramidColor(1), rgbColor(1, 2, 3));
    EXPECT_EQ(w->pyramidColor(2), rgbColor(245, 100, 100)); // reading stopped at the empty key
    EXPECT_EQ(w->windowTitle(), QStringLiteral("人口ピラミッド"));
    EXPECT_FALSE(w->notDatArea()->isVisible());

    // Blank and repeated codes are dropped; every Let starts anew.
    w->setArea({QStringLiteral("99"), QStringLiteral("13"), QStringLiteral(" "), QStringLiteral("01"),
        QStringLiteral("13"), QStringLiteral("13 "), QString()});
    EXPECT_EQ(w->areaCodes(),
        (std::vector<QString>{QString(), QStringLiteral("13"), QStringLiteral("01"), QStringLiteral("13 ")}));
    w->setArea({QString(), QStringLiteral("14")});
    EXPECT_EQ(w->areaCodes(), (std::vector<QString>{QString(), QStringLiteral("14")}));
}

TEST_F(PyramidWindowTest, EachRefusalShowsItsMessageAndUnloadsTheWindow)
{
    writeValues({QStringLiteral("13,0,0,0,0,0,0")});
    const QString missingList = dir.path() + QStringLiteral("etc\\ない統計.txt");
    struct Case
    {
        const char *name;
        QStringList codes;
        std::int32_t range;
        QString item;
        QString statName;
        int classCount;
        QString message;
    };
    const QStringList some{QStringLiteral("13")};
    const Case cases[] = {
        {"no areas, no level either", {}, AnaRangeNone, kFiveYear, kStat, 2, frmPyramid::scaleMessage()},
        {"blank areas only", {QStringLiteral(" ")}, AnaRangePref, kFiveYear, kStat, 2,
            frmPyramid::scaleMessage()},
        {"no level", some, AnaRangeNone, kFiveYear, kStat, 2, frmPyramid::noRangeMessage()},
        {"not an age item", some, AnaRangePref, QStringLiteral("人口"), kStat, 2,
            frmPyramid::notPyramidItemMessage()},
        {"no item list", some, AnaRangePref, kFiveYear, QStringLiteral("ない統計"), 2,
            frmPyramid::noItemListMessage() + QLatin1Char('\n') + QDir::toNativeSeparators(missingList)},
        {"level 0 has no data kind", some, 0, kFiveYear, kStat, 2, frmPyramid::noDataKindMessage()},
        {"a level the list lacks", some, AnaRangeCity, kFiveYear, kStat, 2, frmPyramid::noDataKindMessage()},
        {"an item the level lacks", some, AnaRangePref, QStringLiteral("平成12年"), kStat, 2,
            frmPyramid::noItemMessage()},
        {"no classes", some, AnaRangePref, kFiveYear, kStat, 0, frmPyramid::notPyramidItemMessage()},
        {"only zeros", some, AnaRangePref, kFiveYear, kStat, 2, frmPyramid::nothingToDrawMessage()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeList(c.classCount);
        const std::size_t before = script.requests().size();
        drive(c.codes, c.range, c.item, QStringLiteral("20201001"), c.statName);
        ASSERT_EQ(script.requests().size(), before + 1);
        QString shown = script.requests().back().prompt;
        EXPECT_EQ(shown.replace(u'/', u'\\'), QString(c.message).replace(u'/', u'\\'));
        EXPECT_FALSE(loaded());
        EXPECT_EQ(pairs(), QStringList());
        test::flushDeletes();
    }
}

TEST_F(PyramidWindowTest, DataLinesAndPicturesFollowTheClassStates)
{
    writeValues({QStringLiteral("01,1,-,5,1,-,7"), QStringLiteral("14,30,10,-,30,20,-"),
        QStringLiteral("27,3,1,2,7,3,4")});
    // Pictures an earlier draw left for the areas that now get none.
    QDir().mkpath(dbFile(QStringLiteral("TempPImage")));
    for (const char *code : {"01000000000", "13000000000", "14000000000"}) {
        QImage old(4, 4, QImage::Format_RGB32);
        old.fill(Qt::red);
        ASSERT_TRUE(old.save(picture(QString::fromLatin1(code)), "BMP"));
    }

    frmPyramid *w
        = drive({QStringLiteral("27"), QStringLiteral("14"), QStringLiteral("13"), QStringLiteral("01")});
    ASSERT_TRUE(loaded());
    EXPECT_EQ(prompts(), QStringList());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(pairs(), (QStringList{QStringLiteral("tempdata000.dat"), QStringLiteral("tempheader000.hed")}));
    // The code list reached the header sorted.
    EXPECT_EQ(w->areaCodes(),
        (std::vector<QString>{QString(), QStringLiteral("01"), QStringLiteral("13"), QStringLiteral("14"),
            QStringLiteral("27")}));
    EXPECT_EQ(w->eraLabel(), QStringLiteral("R2"));

    struct Case
    {
        const char *name;
        QString area;
        QString code;
        QString values; // the three values as written
        bool picture;
    };
    const Case cases[] = {
        {"\"-\" in class 1", QStringLiteral("北海道"), QStringLiteral("01000000000"),
            QStringLiteral("\"-\",\"-\",\"-\""), false},
        {"no line", QStringLiteral("東京都"), QStringLiteral("13000000000"),
            QStringLiteral("\"R2\",\"R2\",\"R2\""), false},
        {"\"-\" in a later class", QStringLiteral("神奈川県"), QStringLiteral("14000000000"),
            QStringLiteral("14000000000.bmp,10,20"), false},
        {"complete", QStringLiteral("大阪府"), QStringLiteral("27000000000"),
            QStringLiteral("27000000000.bmp,3,7"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString line = lineOf(QStringLiteral("tempdata000.dat"), c.area);
        EXPECT_TRUE(line.contains(c.values)) << line.toStdString();
        EXPECT_EQ(QFile::exists(picture(c.code)), c.picture);
    }
    // The picture of the complete area shows its bars in both colours.
    const QImage drawn(picture(QStringLiteral("27000000000")));
    ASSERT_FALSE(drawn.isNull());
    EXPECT_GT(zorvik::test::countNear(drawn, QColor(80, 160, 245)), 100);
    EXPECT_GT(zorvik::test::countNear(drawn, QColor(245, 100, 100)), 100);

    // The area without any value is listed, the others are not.
    const QTreeWidget *list = w->notDatArea()->lstNotDatArea;
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("東京都"));

    // The header names both series with the statistics' period.
    QStringList header;
    ASSERT_TRUE(text::readLines(dbFile(QStringLiteral("tempheader000.hed")), header));
    const QString joined = header.join(QLatin1Char('\n'));
    for (const char *expected : {"男性", "女", "20201001", "21000930"})
        EXPECT_TRUE(joined.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(PyramidWindowTest, SingleYearItemsAreDrawnWithoutTheSizeFrame)
{
    writeList(2, kFiveYear);
    writeValues({QStringLiteral("27,3,1,2,7,3,4")});
    drive({QStringLiteral("27")});
    const QImage framed(picture(QStringLiteral("27000000000")));
    ui::WindowRegistry::instance().deleteAll();
    test::flushDeletes();

    writeList(2, kSingleYear);
    writeValues({QStringLiteral("27,3,1,2,7,3,4")}, kSingleYear);
    drive({QStringLiteral("27")}, AnaRangePref, kSingleYear);
    const QImage plain(picture(QStringLiteral("27000000000")));
    ASSERT_FALSE(framed.isNull());
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(prompts(), QStringList());
    EXPECT_EQ(framed.size(), plain.size());
    EXPECT_NE(framed, plain);
}

TEST_F(PyramidWindowTest, AShortStartDateKeepsThePreviousEraLabel)
{
    writeValues({QStringLiteral("27,3,1,2,7,3,4")});
    // Fresh: no label yet, so an area without a line writes "" three times.
    frmPyramid *w = drive(
        {QStringLiteral("27"), QStringLiteral("13")}, AnaRangePref, kFiveYear, QStringLiteral("2020"));
    EXPECT_EQ(w->eraLabel(), QString());
    EXPECT_TRUE(lineOf(QStringLiteral("tempdata000.dat"), QStringLiteral("東京都"))
                    .contains(QStringLiteral("\"\",\"\",\"\"")));

    // A full date sets it; a short one afterwards keeps it. Each draw is
    // a new pair and the window stays.
    w->setStartGeneratDate(QStringLiteral("20001001"));
    w->PyramidDraw();
    EXPECT_EQ(w->eraLabel(), QStringLiteral("H12"));
    w->setStartGeneratDate(QStringLiteral("20201"));
    w->PyramidDraw();
    EXPECT_EQ(w->eraLabel(), QStringLiteral("H12"));
    EXPECT_TRUE(lineOf(QStringLiteral("tempdata002.dat"), QStringLiteral("東京都"))
                    .contains(QStringLiteral("\"H12\"")));
    EXPECT_EQ(pairs().size(), 6);
    EXPECT_TRUE(loaded());
}

TEST_F(PyramidWindowTest, ADrawCannotStartInsideADraw)
{
    writeValues({QStringLiteral("27,3,1,2,7,3,4")});
    frmPyramid *w = ui::form<frmPyramid>(static_cast<QWidget *>(nullptr));
    bool enabledInside = true;
    bool fired = false;
    // Fires at the first window messages the draw lets through.
    QTimer::singleShot(0, w, [&] {
        fired = true;
        enabledInside = w->isEnabled();
        w->PyramidDraw();
        w->cmdEnd_Click();
    });
    drive({QStringLiteral("27")});
    EXPECT_TRUE(fired);
    EXPECT_FALSE(enabledInside);
    EXPECT_TRUE(loaded());
    EXPECT_EQ(pairs().size(), 2);
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(PyramidWindowTest, TheTitleBarCloseClearsTheMapAndProgramExitDoesNot)
{
    writeValues({QStringLiteral("27,3,1,2,7,3,4")});
    drive({QStringLiteral("27")});
    ASSERT_EQ(pairs().size(), 2);

    // Program exit unloads the window: the map and its files stay.
    ui::WindowRegistry::instance().unload(QStringLiteral("frmPyramid"));
    test::flushDeletes();
    EXPECT_EQ(pairs().size(), 2);
    EXPECT_TRUE(QFile::exists(picture(QStringLiteral("27000000000"))));
    EXPECT_EQ(gintStoryStepEnd, 0);

    // The user's close box clears the map with its files and pictures.
    frmPyramid *w = drive({QStringLiteral("27")});
    w->chkObjMove->setChecked(true);
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    qApp->notify(w, &close); // sendEvent would mark it as the program's own
    test::flushDeletes();
    EXPECT_FALSE(loaded());
    EXPECT_EQ(pairs(), QStringList());
    EXPECT_FALSE(QFile::exists(picture(QStringLiteral("27000000000"))));
    EXPECT_EQ(gintStoryStepEnd, -1);
}

TEST_F(PyramidWindowTest, OpeningTheWindowClosesTheStatisticsMapWindow)
{
    ui::form<frmStatisticsMap>(static_cast<QWidget *>(nullptr));
    ASSERT_TRUE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
    ui::form<frmPyramid>(static_cast<QWidget *>(nullptr));
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
}

} // namespace
