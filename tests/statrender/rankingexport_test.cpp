// The spreadsheet export of the 2020 prefecture ranking on a copy of the
// default data: the ranking drawn through the one drawing road fills the
// main frame's legend picture, and a dragged range with that legend goes
// into the default data's template, read back by openpyxl.
#include "graphs/globals.h"
#include "openpyxlreadback.h"
#include "platform/spreadsheet/package.h"
#include "prefectureanalyses.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "spreadsheetexportfixture.h"
#include "statdata/meshdatabase.h"
#include "statrender/drawfromfiles.h"
#include "statrender/renderingregistration.h"

#include <QDir>
#include <QJsonArray>
#include <QPointer>
#include <algorithm>
#include <cstdlib>

using namespace veltra;

namespace {

class RankingMapExport : public test::SpreadsheetExportTest
{
protected:
    QString mapDocument() const override { return defaults.file(QStringLiteral("Veltra.zor")); }

    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(QStringLiteral(VELTRA_DEFAULT_DATA "/Veltra.zor")))
            << "no default map (build the target veltra_default_data)";
        test::copyTree(QStringLiteral(VELTRA_DEFAULT_DATA), defaults.path());
        SpreadsheetExportTest::SetUp();
        if (HasFatalFailure())
            return;
        gstrDataPath = defaults.path() + QStringLiteral("VeltraData/");
        ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        prefs = test::readPrefectures();
        ASSERT_EQ(prefs.size(), 47u);
        frame = new frmMain;
        gfrmMain = frame;
        gintMapInit = 1;
        statrender::registerStatisticsRendering();
    }

    void TearDown() override
    {
        SpreadsheetExportTest::TearDown();
        delete frame;
    }

    // A picture of the last export: 1 the map, 2 the legend.
    QImage exportedPicture(int number) const
    {
        spreadsheet::Package package;
        EXPECT_TRUE(package.load(outputWorkbook()));
        QImage picture;
        picture.loadFromData(package.part(QStringLiteral("xl/media/image%1.png").arg(number)));
        return picture.convertToFormat(QImage::Format_RGB32);
    }

    QString outputWorkbook() const { return gstrDataPath + QStringLiteral("ExcelTemp/Veltra.xlsx"); }

    test::RunStateGuard guard;
    test::TempDir defaults;
    QPointer<frmMain> frame;
    std::vector<test::Prefecture> prefs;
};

// Pixels of `colour` smoothed into white at half strength or more, as
// text in that colour is drawn on the white of the map.
int pixelsOf(const QImage &picture, QColor colour)
{
    const int ink[3] = {255 - colour.red(), 255 - colour.green(), 255 - colour.blue()};
    const int inkMax = std::max({ink[0], ink[1], ink[2]});
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const int seen[3] = {255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)};
            const double strength = double(std::max({seen[0], seen[1], seen[2]})) / inkMax;
            bool same = strength >= 0.5;
            for (int c = 0; c < 3 && same; ++c)
                same = std::abs(seen[c] - strength * ink[c]) < 24;
            count += same;
        }
    }
    return count;
}

TEST_F(RankingMapExport, TheRankingMapAndItsLegendGoIntoEveryTemplate)
{
    const std::vector<test::Prefecture> sorted = test::descending(prefs);
    // From Osaka to Tokyo, large enough for the five ranks to stand apart.
    const double wholeScale = map.Scale();
    const auto showTopFive = [&] {
        map.setCenterX((sorted[0].x + sorted[2].x) / 2.0);
        map.setCenterY((sorted[0].y + sorted[2].y) / 2.0);
        map.setScale(wholeScale / 6);
        map.Refresh();
    };
    showTopFive();
    QPoint topLeft(map.width(), map.height()), bottomRight(0, 0);
    for (std::size_t r = 0; r < 5; ++r) {
        const QPoint d = map.viewTransform().worldToDevice(sorted[r].x, sorted[r].y).toPoint();
        topLeft = QPoint(std::min(topLeft.x(), d.x()), std::min(topLeft.y(), d.y()));
        bottomRight = QPoint(std::max(bottomRight.x(), d.x()), std::max(bottomRight.y(), d.y()));
    }
    const QPoint margin(30, 30);
    const QRect range(topLeft - margin, bottomRight + margin);
    ASSERT_TRUE(QRect(QPoint(0, 0), map.size()).contains(range));

    // The same range before any statistics map, to tell what the ranking adds.
    ASSERT_TRUE(create(0, QStringLiteral("統計地図なし")));
    dragRange(range.topLeft(), range.bottomRight() + QPoint(1, 1));
    const QImage plain = exportedPicture(1);
    ASSERT_EQ(plain.size(), range.size());

    test::writeAnalysis(GraphKindRanking, sorted, test::totals(sorted));
    ComPSY::PSY_DrawFromFiles(&map);
    ASSERT_FALSE(frame->picHanrei.isNull()) << "the ranking's legend fills the frame's picture";
    showTopFive();
    const QSize legendSize = frame->picHanrei.size();

    for (int t = 0; t < 8; ++t) {
        SCOPED_TRACE(t);
        opened.urls.clear();
        ui::DialogScript script;
        frmPSYXlsSelect *chooser = create(t, QStringLiteral("2020年 都道府県別人口ランキング"));
        ASSERT_TRUE(chooser);
        dragRange(range.topLeft(), range.bottomRight() + QPoint(1, 1));
        EXPECT_TRUE(script.requests().empty());
        ASSERT_EQ(opened.urls.size(), 1);
        EXPECT_EQ(QDir::cleanPath(opened.urls[0].toLocalFile()), QDir::cleanPath(outputWorkbook()));

        const test::OpenpyxlReadBack back = test::readBackWithOpenpyxl(outputWorkbook());
        if (back.unavailable)
            GTEST_SKIP() << "no python3 with openpyxl and Pillow (Debian python3-openpyxl, python3-pil)";
        ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
        const QJsonArray images = back.result.value(QStringLiteral("images")).toArray();
        ASSERT_EQ(images.size(), 2);
        const spreadsheet::CellAnchor mapCell = placeholder(t, QStringLiteral("地図描画域"));
        const spreadsheet::CellAnchor legendCell = placeholder(t, QStringLiteral("凡例描画域"));
        EXPECT_EQ(images[0][QStringLiteral("col")].toInt(), mapCell.column);
        EXPECT_EQ(images[0][QStringLiteral("row")].toInt(), mapCell.row);
        EXPECT_EQ(images[0][QStringLiteral("width")].toInt(), range.width());
        EXPECT_EQ(images[0][QStringLiteral("height")].toInt(), range.height());
        EXPECT_EQ(images[1][QStringLiteral("col")].toInt(), legendCell.column);
        EXPECT_EQ(images[1][QStringLiteral("row")].toInt(), legendCell.row);
        EXPECT_EQ(images[1][QStringLiteral("width")].toInt(), legendSize.width());
        EXPECT_EQ(images[1][QStringLiteral("height")].toInt(), legendSize.height());
        EXPECT_EQ(exportedPicture(2), frame->picHanrei.toImage().convertToFormat(QImage::Format_RGB32));
        chooser->cmdCancel->click();
        test::flushDeletes();
    }

    // The map picture shows the five ranks, each in its kind's colour.
    const QImage ranked = exportedPicture(1);
    ASSERT_EQ(ranked.size(), range.size());
    for (std::int16_t kind = 181; kind <= 185; ++kind) {
        SCOPED_TRACE(kind);
        std::int16_t disp = 0, pick = 0, r = 0, g = 0, b = 0;
        zorvik::Style6 style;
        ASSERT_EQ(map.GetConnectorStyle(kind, disp, pick, style), 0);
        ASSERT_EQ(map.GetPaletteColor(style.n[0], r, g, b), 0);
        EXPECT_EQ(pixelsOf(plain, QColor(r, g, b)), 0);
        EXPECT_GE(pixelsOf(ranked, QColor(r, g, b)), 3); // even a "1" in a small font has more
    }
}

} // namespace
