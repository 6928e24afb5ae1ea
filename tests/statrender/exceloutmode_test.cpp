// The spreadsheet export mode on the generated default map: a dragged range
// and the legend go into a copy of the chosen template, which is opened; the
// map keeps its centre and scale; every failure says why and opens nothing.
#include "exceltemplates/layouts.h"
#include "mapwindow/mapeventbridge.h"
#include "openpyxlreadback.h"
#include "platform/spreadsheet/workbook.h"
#include "platform/ui/dialogscript.h"
#include "shell/commonm1.h"
#include "shell/frmmain.h"
#include "statrender/mapkindtable.h"
#include "statrender/oneitemlegend.h"
#include "statrender/popupregistration.h"
#include "shell/mapwindowhost.h"
#include "spreadsheetexportfixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace veltra;
using veltra::spreadsheet::Workbook;
using veltra::test::SpreadsheetExportTest;
using veltra::ui::DialogScript;

namespace {

const QString kTitleShape = QStringLiteral("タイトル欄");
const QString kMapShape = QStringLiteral("地図描画域");
const QString kLegendShape = QStringLiteral("凡例描画域");
const QString kFailed = QStringLiteral("スプレッドシートを作成できませんでした：");

struct View
{
    double cx, cy, scale;
    bool operator==(const View &) const = default;
};

class ExcelOut : public SpreadsheetExportTest
{
protected:
    View view() const
    {
        const zorvik::ViewTransform t = map.viewTransform();
        return {t.centerX(), t.centerY(), t.scale()};
    }

    std::vector<spreadsheet::Shape> pictures(const Workbook &book) const
    {
        std::vector<spreadsheet::Shape> out;
        for (const spreadsheet::Shape &s : book.shapes()) {
            if (s.picture)
                out.push_back(s);
        }
        return out;
    }

    QStringList shapeNames(const Workbook &book) const
    {
        QStringList names;
        for (const spreadsheet::Shape &s : book.shapes())
            names << s.name;
        return names;
    }
};

QImage legendImage()
{
    QImage legend(120, 90, QImage::Format_RGB32);
    legend.fill(Qt::yellow);
    return legend;
}

TEST_F(ExcelOut, TheRangeTitleAndLegendFillTheTemplateWhichIsOpened)
{
    statrender::setLegendPictureSource(legendImage);
    for (int t = 0; t < 8; ++t) {
        SCOPED_TRACE(t);
        opened.urls.clear();
        frmPSYXlsSelect *chooser = create(t, QStringLiteral("2020年 総人口"));
        ASSERT_TRUE(chooser);
        const View before = view();
        DialogScript script;
        dragRange(QPoint(100, 80), QPoint(400, 280)); // 300 x 200 px
        EXPECT_TRUE(script.requests().empty());
        EXPECT_EQ(view(), before);
        EXPECT_EQ(map.MouseEventMode(), 0);
        EXPECT_EQ(gintModeNo, ModeExcelOut); // the mode ends with the chooser
        EXPECT_FALSE(chooser->windowState() & Qt::WindowMinimized);
        ASSERT_EQ(opened.urls.size(), 1);
        EXPECT_EQ(QDir::cleanPath(opened.urls[0].toLocalFile()), QDir::cleanPath(folder.output()));

        Workbook book;
        ASSERT_TRUE(book.open(folder.output()));
        EXPECT_EQ(book.shape(kTitleShape)->text, QStringLiteral("2020年 総人口"));
        EXPECT_FALSE(book.shape(kMapShape));
        EXPECT_FALSE(book.shape(kLegendShape));
        const auto pics = pictures(book);
        ASSERT_EQ(pics.size(), 2u);
        EXPECT_EQ(pics[0].from, placeholder(t, kMapShape));
        EXPECT_EQ(pics[0].width, 300 * spreadsheet::kEmuPerPixel);
        EXPECT_EQ(pics[0].height, 200 * spreadsheet::kEmuPerPixel);
        EXPECT_EQ(pics[1].from, placeholder(t, kLegendShape));
        EXPECT_EQ(pics[1].width, 120 * spreadsheet::kEmuPerPixel);
        chooser->cmdCancel->click();
        test::flushDeletes();
    }
}

TEST_F(ExcelOut, TheMapPictureIsTheEngineViewOfTheRange)
{
    frmPSYXlsSelect *chooser = create(0, QString());
    ASSERT_TRUE(chooser);
    // A range around the view's centre: the picture is that part of the screen.
    const QImage screen = map.RenderToImage(map.size()).convertToFormat(QImage::Format_RGB32);
    dragRange(QPoint(220, 140), QPoint(420, 340));
    spreadsheet::Package package;
    ASSERT_TRUE(package.load(folder.output()));
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(package.part(QStringLiteral("xl/media/image1.png"))));
    ASSERT_EQ(picture.size(), QSize(200, 200));
    const QImage expected = screen.copy(QRect(220, 140, 200, 200));
    int differing = 0;
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x)
            differing += actual.pixel(x, y) != expected.pixel(x, y);
    }
    EXPECT_LT(differing, 200 * 200 / 50); // texts near the edge may be placed differently
}

TEST_F(ExcelOut, ASecondExportStartsFromTheTemplateAndAFurtherDragExportsNothing)
{
    frmPSYXlsSelect *chooser = create(1, QStringLiteral("一回目"));
    ASSERT_TRUE(chooser);
    dragRange(QPoint(10, 10), QPoint(210, 110));
    // A drag on the control now is no range report: mouse mode 0.
    test::FakeMapHost host;
    mapwindow::MapEventBridge bridge(&map, &host);
    QTest::mousePress(&map, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(&map, QPoint(200, 150), Qt::LeftButton);
    QTest::mouseRelease(&map, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_EQ(opened.urls.size(), 1);

    chooser->txtTitle->setText(QStringLiteral("二回目"));
    DialogScript script;
    chooser->cmdOK->click();
    dragRange(QPoint(300, 300), QPoint(350, 330));
    EXPECT_EQ(opened.urls.size(), 2);
    Workbook book;
    ASSERT_TRUE(book.open(folder.output()));
    EXPECT_EQ(book.shape(kTitleShape)->text, QStringLiteral("二回目"));
    const auto pics = pictures(book);
    ASSERT_EQ(pics.size(), 1u); // no legend yet, and nothing of the first export
    EXPECT_EQ(pics[0].width, 50 * spreadsheet::kEmuPerPixel);
    EXPECT_EQ(pics[0].from, placeholder(1, kMapShape));
}

TEST_F(ExcelOut, WithoutALegendPictureTheLegendPlaceholderGoesAndNothingIsPasted)
{
    ASSERT_TRUE(statrender::legendPicture().isNull());
    ASSERT_TRUE(create(4, QStringLiteral("凡例なし")));
    dragRange(QPoint(50, 50), QPoint(150, 150));
    Workbook book;
    ASSERT_TRUE(book.open(folder.output()));
    EXPECT_EQ(shapeNames(book), (QStringList{kTitleShape, QStringLiteral("地図")}));
}

// As the program registers it, the legend pasted is the main frame's
// picture of the last legend shown; before any legend there is none.
TEST_F(ExcelOut, TheMainFramesLegendPictureIsPasted)
{
    const statrender::MapKindTable savedTable = statrender::mapKindTable();
    statrender::registerLegendPopups();
    QPointer<frmMain> frame = new frmMain;
    gfrmMain = frame;
    EXPECT_TRUE(statrender::legendPicture().isNull());
    ASSERT_TRUE(create(0, QStringLiteral("凡例前")));
    dragRange(QPoint(50, 50), QPoint(150, 150));
    Workbook before;
    ASSERT_TRUE(before.open(folder.output()));
    EXPECT_EQ(pictures(before).size(), 1u);

    statrender::showOneItemLegend({QString(), QStringLiteral("H5,\"総人口\",255,,")}, QStringLiteral("数字:実数値"));
    ASSERT_FALSE(frame->picHanrei.isNull());
    ASSERT_TRUE(create(0, QStringLiteral("凡例あり")));
    dragRange(QPoint(50, 50), QPoint(150, 150));
    Workbook book;
    ASSERT_TRUE(book.open(folder.output()));
    const auto pics = pictures(book);
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_EQ(pics[1].from, placeholder(0, kLegendShape));
    EXPECT_EQ(pics[1].width, frame->picHanrei.width() * spreadsheet::kEmuPerPixel);
    EXPECT_EQ(pics[1].height, frame->picHanrei.height() * spreadsheet::kEmuPerPixel);
    statrender::mapKindTable() = savedTable;
    delete frame;
}

TEST_F(ExcelOut, ATemplateWithoutAShapeSkipsItsStepsAndStillSaves)
{
    statrender::setLegendPictureSource(legendImage);
    struct Row
    {
        QString missing;
        QStringList expected;
    };
    const Row rows[] = {
        {kLegendShape, {kTitleShape, QStringLiteral("地図")}},
        {kMapShape, {kTitleShape, QStringLiteral("凡例")}},
        {kTitleShape, {QStringLiteral("地図"), QStringLiteral("凡例")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.missing.toStdString());
        Workbook tmpl;
        ASSERT_TRUE(tmpl.open(folder.templateFile(2)));
        ASSERT_TRUE(tmpl.deleteShape(row.missing));
        ASSERT_TRUE(tmpl.save(folder.templateFile(2)));
        opened.urls.clear();
        frmPSYXlsSelect *chooser = create(2, QStringLiteral("題"));
        ASSERT_TRUE(chooser);
        DialogScript script;
        dragRange(QPoint(50, 50), QPoint(150, 150));
        EXPECT_TRUE(script.requests().empty());
        EXPECT_EQ(opened.urls.size(), 1);
        Workbook book;
        ASSERT_TRUE(book.open(folder.output()));
        EXPECT_EQ(shapeNames(book), row.expected);
        chooser->cmdCancel->click();
        test::flushDeletes();
        ASSERT_TRUE(exceltemplates::writeTemplates(folder.dir.file(QStringLiteral("ExcelTemp")), nullptr));
    }
}

// Each failure says why, opens nothing, keeps the last workbook, brings the
// chooser back and leaves the map where it was.
TEST_F(ExcelOut, FailuresSayWhyAndOpenNothing)
{
    struct Row
    {
        const char *name;
        std::function<void(const test::ExcelTemplateFolder &)> spoil;
        QPoint from, to;
        QString message; // a prefix of the message
    };
    const Row rows[] = {
        {"template missing", [](const auto &f) { QFile::remove(f.templateFile(3)); }, {10, 10}, {200, 200},
            QStringLiteral("テンプレートファイルが見つかりません：")},
        {"template unreadable", [](const auto &f) { test::writeBytes(f.templateFile(3), "no zip"); },
            {10, 10}, {200, 200}, kFailed},
        {"a click without a drag", [](const auto &) {}, {120, 120}, {120, 120},
            kFailed + QStringLiteral("地図画像を取得できませんでした。")},
        {"a line without height", [](const auto &) {}, {10, 120}, {300, 120},
            kFailed + QStringLiteral("地図画像を取得できませんでした。")},
        {"output not writable",
            [](const auto &f) {
                QFile::remove(f.output());
                QDir().mkpath(f.output() + QStringLiteral("/inside"));
            },
            {10, 10}, {200, 200}, kFailed},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(exceltemplates::writeTemplates(folder.dir.file(QStringLiteral("ExcelTemp")), nullptr));
        QDir(folder.output()).removeRecursively();
        test::writeBytes(folder.output(), "last export");
        opened.urls.clear();
        frmPSYXlsSelect *chooser = create(3, QStringLiteral("題"));
        ASSERT_TRUE(chooser);
        row.spoil(folder);
        const bool outputIsFile = QFileInfo(folder.output()).isFile();
        const QStringList tempBefore = test::entriesOf(CommonM1::GetTempDir());
        const View before = view();
        DialogScript script;
        dragRange(row.from, row.to);
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_TRUE(script.requests()[0].prompt.startsWith(row.message))
            << script.requests()[0].prompt.toStdString();
        EXPECT_TRUE(opened.urls.isEmpty());
        if (outputIsFile) {
            EXPECT_EQ(test::readBytes(folder.output()), QByteArray("last export"));
        }
        EXPECT_EQ(view(), before);
        EXPECT_FALSE(chooser->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(map.MouseEventMode(), 0);
        EXPECT_EQ(test::entriesOf(CommonM1::GetTempDir()), tempBefore);
        chooser->cmdCancel->click();
        test::flushDeletes();
    }
}

TEST_F(ExcelOut, TheMissingTemplateMessageNamesItsPath)
{
    frmPSYXlsSelect *chooser = create(6, QString());
    ASSERT_TRUE(chooser);
    QFile::remove(folder.templateFile(6));
    DialogScript script;
    dragRange(QPoint(10, 10), QPoint(100, 100));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        QStringLiteral("テンプレートファイルが見つかりません：") + folder.data()
            + QStringLiteral("ExcelTemp/VeltraTemp7.xlsx"));
    EXPECT_FALSE(QFile::exists(folder.output()));
}

// The whole default map exported into every template, read back by
// openpyxl: it loads and its first sheet holds the pictures at the
// placeholders' cells.
TEST_F(ExcelOut, ExportsOfTheDefaultMapLoadInOpenpyxl)
{
    for (const bool withLegend : {false, true}) {
        SCOPED_TRACE(withLegend);
        statrender::setLegendPictureSource(
            withLegend ? statrender::LegendPictureSource(legendImage) : nullptr);
        for (int t = 0; t < 8; ++t) {
            SCOPED_TRACE(t);
            frmPSYXlsSelect *chooser = create(t, QStringLiteral("全国"));
            ASSERT_TRUE(chooser);
            dragRange(QPoint(0, 0), QPoint(640, 480));
            const test::OpenpyxlReadBack back = test::readBackWithOpenpyxl(folder.output());
            if (back.unavailable)
                GTEST_SKIP() << "no python3 with openpyxl and Pillow (Debian python3-openpyxl, python3-pil)";
            ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
            const QJsonArray images = back.result.value(QStringLiteral("images")).toArray();
            ASSERT_EQ(images.size(), withLegend ? 2 : 1);
            const auto map = placeholder(t, kMapShape);
            EXPECT_EQ(images[0][QStringLiteral("col")].toInt(), map.column);
            EXPECT_EQ(images[0][QStringLiteral("row")].toInt(), map.row);
            EXPECT_EQ(images[0][QStringLiteral("width")].toInt(), 640);
            EXPECT_EQ(images[0][QStringLiteral("height")].toInt(), 480);
            if (withLegend) {
                const auto legend = placeholder(t, kLegendShape);
                EXPECT_EQ(images[1][QStringLiteral("col")].toInt(), legend.column);
                EXPECT_EQ(images[1][QStringLiteral("row")].toInt(), legend.row);
            }
            chooser->cmdCancel->click();
            test::flushDeletes();
        }
    }
}

} // namespace
