#include "mapfixture.h"
#include "platform/fs/fs.h"

#include <QImageReader>
#include <QPrinter>
#include <QProcess>

namespace zorvik::test {
namespace {

class Output : public MapFixture
{
protected:
    void SetUp() override
    {
        open({ring(Boundary, CX - 2500, CY - 1800, CX + 2500, CY + 1800),
            line(Road, {CX - 3000, CX + 3000}, {CY - 900, CY + 900}),
            connector(Marker, CX + 900, CY - 600, QString())});
        m_view->setRecognizeSearchNum(1);
        Handle set = 0;
        std::int32_t a = 0, b = 0, c = 0;
        m_view->SearchElements(0, CX, CY, set, a, b, c);
        m_view->DrawElements(set, 2, 10, 0, 0); // a highlight belongs to the map picture
    }
    veltra::test::TempDir m_dir;
};

QImage at96(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(96 / 0.0254));
    image.setDotsPerMeterY(qRound(96 / 0.0254));
    image.fill(Qt::white);
    return image;
}

TEST_F(Output, ScreenPrintAndImageAreTheSamePicture)
{
    const QImage screen = m_view->backBuffer().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage image = m_view->RenderToImage(QSize(200, 150));
    QImage paper = at96(QSize(200, 150));
    QPainter painter(&paper);
    ASSERT_EQ(m_view->PrintDraw(painter, QRectF(0, 0, 200, 150), m_view->Scale()), code::Ok);
    painter.end();
    EXPECT_EQ(image, screen);
    EXPECT_EQ(paper, screen);
    EXPECT_GT(countNear(screen, palette(10), 40), 20);
}

TEST_F(Output, PrintDrawMakesAPdfPage)
{
    const QString pdf = m_dir.file(QStringLiteral("map.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageOrientation(QPageLayout::Landscape);
    ASSERT_EQ(m_view->PrintDraw(printer, 0), code::Ok);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-singlefile"),
            pdf, m_dir.file(QStringLiteral("page"))});
    ASSERT_TRUE(pdftoppm.waitForFinished(60000));
    ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    const QImage page(m_dir.file(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(countNear(page, palette(1), 60), 50); // the ring in its colour
    EXPECT_GT(countNear(page, palette(10), 60), 5); // and the highlight
}

TEST_F(Output, PicturesOfARangeAndOfTheScreen)
{
    const QString range = m_dir.file(QStringLiteral("range.tmp"));
    ASSERT_EQ(m_view->GetRangeImage(range, 60, 90, 100000, 0), code::Ok);
    QImageReader reader(range);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    ASSERT_EQ(picture.size(), QSize(90, 60));
    EXPECT_GT(countNear(picture, palette(1), 40), 20);
    EXPECT_EQ(m_view->GetRangeImage(range, 0, 90, 50000, 0), code::BadArgument);

    m_view->move(40, 30);
    m_view->show();
    const QPoint origin = m_view->mapToGlobal(QPoint(0, 0));
    const QString cut = m_dir.file(QStringLiteral("cut.tmp"));
    // A rectangle that runs off the control is clipped to it.
    ASSERT_EQ(m_view->SaveImageRect(origin.y() + 20, origin.x() + 50, origin.x() + 400, origin.y() + 70, cut),
        code::Ok);
    QImageReader cutReader(cut);
    cutReader.setDecideFormatFromContent(true);
    const QImage part = cutReader.read();
    ASSERT_EQ(part.size(), QSize(150, 50));
    EXPECT_EQ(part.convertToFormat(QImage::Format_ARGB32_Premultiplied),
        m_view->backBuffer().copy(50, 20, 150, 50).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(
        m_view->SaveImageRect(origin.y() + 500, origin.x() + 500, origin.x() + 600, origin.y() + 600, cut),
        code::BadArgument);
}

TEST_F(Output, OverviewSharesTheDocumentAndDrawsVectorsOnly)
{
    Zorvik overview;
    overview.resize(120, 90);
    ASSERT_EQ(overview.InitializeMap(m_view->MapHandle()), code::Ok);
    overview.setInteractiveMode(0);
    overview.setOverviewFlag(1);
    overview.setBackColor(m_view->BackColor());
    int events = 0;
    QObject::connect(&overview, &Zorvik::ScaleChanged, [&] { ++events; });
    overview.ShowAll();
    EXPECT_EQ(events, 0);
    const QImage picture = overview.RenderToImage(QSize(120, 90));
    EXPECT_GT(countNear(picture, palette(1), 40), 20);
    EXPECT_EQ(countNear(picture, palette(5), 30), 0); // no connector markers
    EXPECT_EQ(overview.CloseMap(), code::Ok);
    EXPECT_FALSE(m_view->BaseDate().isEmpty()); // the main view keeps its document
}

} // namespace
} // namespace zorvik::test
