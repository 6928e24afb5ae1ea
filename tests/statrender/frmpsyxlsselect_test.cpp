// The spreadsheet layout chooser: loading, the previews of the eight
// templates, "作成" into the export mode and closing out of it, against the
// real engine on the default map and the shell's mode dispatcher.
#include "exceltemplates/layouts.h"
#include "platform/ui/dialogscript.h"
#include "shell/frmmain.h"
#include "spreadsheetexportfixture.h"
#include "statrender/xlstemplatepreview.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace veltra;
using veltra::test::SpreadsheetExportTest;
using veltra::ui::DialogScript;

namespace {

const QString kLoading = QStringLiteral("テンプレート読込中です。しばらくお待ちください・・・");

using XlsSelect = SpreadsheetExportTest;

TEST_F(XlsSelect, LoadsWithTheButtonsOffAndReadsThePreviewsOneSecondLater)
{
    gstrExcelTemplate = QStringLiteral("old");
    gstrExcelTitle = QStringLiteral("old");
    auto *chooser = ui::form<frmPSYXlsSelect>();
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("レイアウト選択"));
    EXPECT_TRUE(gstrExcelTemplate.isEmpty());
    EXPECT_TRUE(gstrExcelTitle.isEmpty());
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(chooser->optFile[i]->text(), QStringLiteral("テンプレート") + QChar(u'１' + i));
        EXPECT_EQ(chooser->optFile[i]->isChecked(), i == 0);
        EXPECT_EQ(chooser->templateNames()[i], exceltemplates::templateFileName(i));
    }
    EXPECT_FALSE(chooser->cmdOK->isEnabled());
    EXPECT_FALSE(chooser->cmdCancel->isEnabled());
    EXPECT_EQ(chooser->lblInfo->text(), kLoading);
    EXPECT_EQ(chooser->Timer1->interval(), 1000);
    EXPECT_FALSE(chooser->previewAvailable(0));

    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->cmdOK->isEnabled(); }, 5000));
    EXPECT_TRUE(chooser->cmdCancel->isEnabled());
    EXPECT_FALSE(chooser->Timer1->isActive());
    EXPECT_TRUE(chooser->lblInfo->text().isEmpty());
    EXPECT_EQ(chooser->templateFolder(), gstrDataPath + QStringLiteral("ExcelTemp\\"));
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(chooser->previewAvailable(i));
        EXPECT_EQ(chooser->OLE1[i]->preview().paper.width() > chooser->OLE1[i]->preview().paper.height(),
            exceltemplates::layouts()[i].landscape);
    }
}

TEST_F(XlsSelect, AMissingOrBrokenTemplateShowsNoPreviewAndTheButtonsStillWork)
{
    ASSERT_TRUE(QFile::remove(folder.templateFile(2)));
    test::writeBytes(folder.templateFile(4), "not a workbook");
    frmPSYXlsSelect *chooser = openChooser();
    ASSERT_TRUE(chooser);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(chooser->previewAvailable(i), i != 2 && i != 4) << i;
    EXPECT_TRUE(chooser->cmdOK->isEnabled());
    EXPECT_TRUE(chooser->cmdCancel->isEnabled());

    // The missing one draws no page; a template that is there does.
    const auto whitePixels = [](const statrender::TemplatePreview &preview) {
        QImage image(160, 200, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        statrender::drawTemplatePreview(painter, QRectF(image.rect()), preview);
        painter.end();
        int white = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                white += image.pixel(x, y) == QColor(Qt::white).rgb();
        }
        return white;
    };
    EXPECT_EQ(whitePixels(chooser->OLE1[2]->preview()), 0);
    EXPECT_GT(whitePixels(chooser->OLE1[3]->preview()), 160 * 200 / 10);
}

TEST_F(XlsSelect, CreateStoresTemplateAndTitleMinimisesAndEntersTheExportMode)
{
    struct Row
    {
        int option; // -1: options left as opened
        const char *title;
        int expectedTemplate;
    };
    const Row rows[] = {{-1, "", 0}, {5, "2020年 人口", 5}, {7, "  ", 7}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.option);
        gintModeNo = 0;
        frmPSYXlsSelect *chooser = openChooser();
        ASSERT_TRUE(chooser);
        if (row.option >= 0)
            chooser->optFile[row.option]->setChecked(true);
        chooser->txtTitle->setText(QString::fromUtf8(row.title));
        DialogScript script;
        chooser->cmdOK->click();
        EXPECT_EQ(gstrExcelTemplate,
            gstrDataPath + QStringLiteral("ExcelTemp\\")
                + exceltemplates::templateFileName(row.expectedTemplate));
        EXPECT_EQ(gstrExcelTitle, QString::fromUtf8(row.title)); // stored as typed, empty too
        EXPECT_TRUE(chooser->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(gintModeNo, ModeExcelOut);
        EXPECT_EQ(map.MouseEventMode(), 5);
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("マウスドラッグで範囲を指定して下さい."));
        chooser->cmdCancel->click();
        test::flushDeletes();
    }
}

TEST_F(XlsSelect, OpenedByModeNinetyFiveTheChooserStaysMinimisedWhileTheExportRuns)
{
    DialogScript script;
    shell::changeMode(ModeExcelLayout, 0, shell::noParameterText());
    auto *chooser = qobject_cast<frmPSYXlsSelect *>(
        ui::WindowRegistry::instance().find(QStringLiteral("frmPSYXlsSelect")));
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(gintModeNo, ModeExcelLayout);
    chooser->Timer1_Timer();
    chooser->cmdOK->click();
    // Leaving mode 95 shows the chooser again, which keeps it minimised.
    EXPECT_EQ(gintModeNo, ModeExcelOut);
    EXPECT_TRUE(chooser->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYXlsSelect")), chooser);
    // The menu item or mode 95 once more does not bring it back either.
    shell::modeRegistry().statistics().showExcelLayout();
    EXPECT_TRUE(chooser->windowState() & Qt::WindowMinimized);
}

TEST_F(XlsSelect, ClosingLeavesTheExportModeAndReleasesTheStoryStep)
{
    struct Row
    {
        const char *how;
        bool exporting;
    };
    for (const Row row : {Row{"button", true}, Row{"close box", true}, Row{"button", false}}) {
        SCOPED_TRACE(std::string(row.how) + (row.exporting ? " exporting" : " idle"));
        frmPSYXlsSelect *chooser = openChooser();
        ASSERT_TRUE(chooser);
        DialogScript script;
        if (row.exporting)
            chooser->cmdOK->click();
        EXPECT_EQ(gintModeNo, row.exporting ? ModeExcelOut : 0);
        gintStoryStepEnd = 0;
        if (QByteArray(row.how) == "button")
            chooser->cmdCancel->click();
        else
            chooser->close();
        EXPECT_EQ(gintModeNo, 0);
        EXPECT_EQ(gintStoryStepEnd, -1);
        test::flushDeletes();
        EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYXlsSelect")));
    }
}

TEST_F(XlsSelect, TheMenuItemShowsTheChooserOwnedByTheFrame)
{
    frmMain frame;
    frmMain *const savedFrame = gfrmMain;
    gfrmMain = &frame;
    QAction *item = frame.menuItem(QStringLiteral("mnuPrintExcel"));
    ASSERT_TRUE(item);
    item->trigger();
    auto *chooser = ui::WindowRegistry::instance().find(QStringLiteral("frmPSYXlsSelect"));
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->parentWidget(), static_cast<QWidget *>(&frame));
    ui::WindowRegistry::instance().unload(chooser);
    test::flushDeletes();
    gfrmMain = savedFrame;
}

// The previews place the three shapes where the generator put them: the
// same proportions of the printed area, on paper of the page's orientation.
TEST(TemplatePreview, ShapesStandWhereTheLayoutsPutThem)
{
    test::ExcelTemplateFolder folder;
    ASSERT_TRUE(folder.ok);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const exceltemplates::Layout &layout = exceltemplates::layouts()[i];
        const statrender::TemplatePreview preview = statrender::readTemplatePreview(folder.templateFile(i));
        ASSERT_TRUE(preview.available);
        EXPECT_NEAR(preview.paper.width(), layout.landscape ? 11.69 : 8.27, 1e-9);
        ASSERT_EQ(preview.boxes.size(), 3u);
        const auto box = [&](const char *name) {
            for (const auto &b : preview.boxes) {
                if (b.name == QString::fromUtf8(name))
                    return b.rect;
            }
            return QRectF();
        };
        const QRectF title = box("タイトル欄");
        const QRectF map = box("地図描画域");
        const QRectF legend = box("凡例描画域");
        // One cell in inches, from the map's width in cells.
        const double cellW = map.width() / layout.map.width();
        const double cellH = map.height() / layout.map.height();
        EXPECT_NEAR(cellW / cellH, 64.0 / 20.0, 1e-6);
        for (const auto &[rect, cells] : {std::pair{title, layout.title}, std::pair{legend, layout.legend}}) {
            EXPECT_NEAR(rect.left() - map.left(), (cells.x() - layout.map.x()) * cellW, 1e-6);
            EXPECT_NEAR(rect.top() - map.top(), (cells.y() - layout.map.y()) * cellH, 1e-6);
            EXPECT_NEAR(rect.width(), cells.width() * cellW, 1e-6);
        }
        // Inside the half-inch margins, the sheet centred across.
        const QRectF all = title.united(map).united(legend);
        EXPECT_GE(all.left(), 0.5 - 1e-9);
        EXPECT_GE(all.top(), 0.5 - 1e-9);
        EXPECT_LE(all.right(), preview.paper.width() - 0.5 + 1e-9);
        EXPECT_LE(all.bottom(), preview.paper.height() - 0.5 + 1e-9);
        EXPECT_NEAR(all.left(), preview.paper.width() - all.right(), 1e-6);
        const auto titleBox = std::find_if(preview.boxes.begin(), preview.boxes.end(),
            [](const auto &b) { return b.name == QStringLiteral("タイトル欄"); });
        EXPECT_EQ(titleBox->text, QStringLiteral("タイトル"));
    }
    EXPECT_FALSE(statrender::readTemplatePreview(folder.dir.file(QStringLiteral("none.xlsx"))).available);
}

} // namespace
