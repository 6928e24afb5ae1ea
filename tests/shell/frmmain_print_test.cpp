// The frame's two prints into a PDF printer chosen through the dialog script:
// the map drawn by the engine, the screen as the frame's picture; the printer
// chosen once serves the next print; the clipboard is never touched.
#include "framefixture.h"
#include "platform/ui/dialogscript.h"
#include "shell/commonm1.h"
#include "shell/globals.h"
#include "zorvik/core/types.h"
#include "zorvik/widget/zorvik.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTimer>

using namespace veltra;
using veltra::test::FrameTest;

namespace {

// The pages of a PDF file as small pictures (pdftoppm at 20 dpi).
QList<QImage> pdfPages(const QString &pdf)
{
    const QString out = QFileInfo(pdf).absolutePath() + QStringLiteral("/pages");
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"), pdf,
            out + QStringLiteral("/page")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QList<QImage> pages;
    for (const QString &name : QDir(out).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        pages << QImage(out + QLatin1Char('/') + name);
    return pages;
}

// The share of the page's pixels that are not white.
double inkShare(const QImage &page)
{
    const QImage img = page.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ink += qGray(img.pixel(x, y)) < 240;
    return img.isNull() ? 0 : double(ink) / (qint64(img.width()) * img.height());
}

bool hasColour(const QImage &page, QColor colour)
{
    const QImage img = page.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 24 && std::abs(c.green() - colour.green()) < 24
                && std::abs(c.blue() - colour.blue()) < 24)
                return true;
        }
    return false;
}

} // namespace

TEST_F(FrameTest, PrintsDoNothingWithoutAMapWindow)
{
    ui::DialogScript script;
    script.answerPdfPrinter(dir.file(QStringLiteral("map.pdf")));
    frame->mnuPrintMap_Click();
    frame->mnuPrintScreen_Click();
    frame->Timer1_Timer();
    EXPECT_TRUE(script.requests().empty());
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("map.pdf"))));
}

TEST_F(FrameTest, MapPrintDrawsTheMapOnOnePage)
{
    openDocument();
    gobjZor->setBackColor(0x00FF0000); // blue, as &H00BBGGRR
    const QString pdf = dir.file(QStringLiteral("map.pdf"));
    ui::DialogScript script;
    script.answerPdfPrinter(pdf);
    frame->menuItem(QStringLiteral("mnuPrintMap"))->trigger();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].kind, ui::DialogKind::Print);
    EXPECT_EQ(script.requests()[0].title, QStringLiteral("印刷"));
    const QList<QImage> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_GT(inkShare(pages[0]), 0.5); // the map fills the printable area
    EXPECT_TRUE(hasColour(pages[0], Qt::blue));
}

TEST_F(FrameTest, CancelledPrintDialogPrintsAndSaysNothing)
{
    openDocument();
    const QString pdf = dir.file(QStringLiteral("map.pdf"));
    ui::DialogScript script;
    script.answerCancel();
    frame->mnuPrintMap_Click();
    script.answerCancel();
    frame->mnuPrintScreen_Click();
    frame->Timer1_Timer();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].kind, ui::DialogKind::Print);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(FrameTest, MapPrintThatCannotStartReportsTheEngineResult)
{
    openDocument();
    // A PDF file below a regular file cannot be written, by root either.
    test::writeBytes(dir.file(QStringLiteral("plain")), "x");
    ui::DialogScript script;
    script.answerPdfPrinter(dir.file(QStringLiteral("plain/map.pdf")));
    frame->mnuPrintMap_Click();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].kind, ui::DialogKind::MessageBox);
    EXPECT_EQ(script.requests()[1].prompt,
        QStringLiteral("PrintDraw error ret=") + QString::number(zorvik::code::IoError));
}

TEST_F(FrameTest, ScreenPrintWaitsForItsTimerThenPrintsTheFrame)
{
    openDocument();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("利用者のテキスト"));
    ASSERT_EQ(clipboard->text(), QStringLiteral("利用者のテキスト"));
    const QString pdf = dir.file(QStringLiteral("screen.pdf"));
    ui::DialogScript script;
    script.answerPdfPrinter(pdf);
    frame->menuItem(QStringLiteral("mnuPrintScreen"))->trigger();
    // Nothing yet: the one-shot timer lets the menu close first.
    EXPECT_TRUE(frame->Timer1->isActive());
    EXPECT_EQ(frame->Timer1->interval(), 1000);
    EXPECT_TRUE(frame->Timer1->isSingleShot());
    EXPECT_TRUE(script.requests().empty());
    frame->Timer1_Timer();
    EXPECT_FALSE(frame->Timer1->isActive());
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].kind, ui::DialogKind::Print);
    const QList<QImage> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_GT(inkShare(pages[0]), 0.05);
    // The user's clipboard is as it was.
    EXPECT_EQ(clipboard->text(), QStringLiteral("利用者のテキスト"));
}

TEST_F(FrameTest, TheChosenPrinterServesTheNextPrint)
{
    openDocument();
    const QString pdf = dir.file(QStringLiteral("chosen.pdf"));
    {
        ui::DialogScript script;
        script.answerPdfPrinter(pdf);
        frame->mnuPrintMap_Click();
    }
    ASSERT_TRUE(QFile::remove(pdf));
    // OK without a new choice: the screen print goes to the same printer.
    ui::DialogScript script;
    script.answerPrintUnchanged();
    frame->mnuPrintScreen_Click();
    frame->Timer1_Timer();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(pdfPages(pdf).size(), 1);
    // And the map print after it, too.
    ASSERT_TRUE(QFile::remove(pdf));
    script.answerPrintUnchanged();
    frame->mnuPrintMap_Click();
    EXPECT_EQ(pdfPages(pdf).size(), 1);
}
