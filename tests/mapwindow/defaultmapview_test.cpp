// The overview picture and the zoom steps on the generated default map: the
// overview shows all of Japan with the view rectangle alone, and the frame's
// 拡大 and 縮小 land on the exact scales, so that the municipal names, shown
// from 1:500,000, are written after two steps in from 1:2,000,000.
#include "mapwindow/combirdview.h"
#include "mapwindow/frmallareaview.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/scalebox.h"
#include "testsupport.h"
#include "zorvik/core/document.h"
#include "zorvik/render/renderer.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra;

namespace {

const QString Folder = QStringLiteral(VELTRA_DEFAULT_DATA);

// Place-name kinds of the default map (data/README.md); their keys are the names.
constexpr std::int16_t MunicipalityName = 210;

class DefaultMapView : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        zorvik::Result r = 0;
        doc = zorvik::Document::open(Folder + QStringLiteral("/Veltra.zor"), r);
    }
    static void TearDownTestSuite() { doc.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(doc) << "no default map in " << Folder.toStdString()
                         << " (build the target veltra_default_data)";
        m_map.resize(1024, 768);
        m_map.setDocumentPath(Folder + QStringLiteral("/Veltra.zor"));
        ASSERT_EQ(m_map.InitializeMap(0), 0);
        m_map.InitDisplay();
    }

    // The anchor of the place name of a kind with the given key.
    static QPointF anchor(std::int16_t kind, const QString &key)
    {
        QPointF at(-1, -1);
        doc->forEachInBox(doc->extent(), [&](const zorvik::StoredElement &e) {
            if (e.type == zorvik::TypeConnector && e.kind == kind && e.key() == key) {
                at = QPointF(e.x(0), e.y(0));
                return false;
            }
            return true;
        });
        return at;
    }
    // The names written on the map's current view.
    QSet<QString> written() const
    {
        zorvik::RenderInput input;
        input.document = doc.get();
        const zorvik::ViewTransform &view = m_map.viewTransform();
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        std::vector<zorvik::DrawnText> texts;
        zorvik::Renderer().render(painter, view, input, zorvik::LayerSlot::Background,
            zorvik::LayerSlot::SetDrawings, nullptr, &texts);
        QSet<QString> names;
        for (const zorvik::DrawnText &t : texts)
            names.insert(t.text);
        return names;
    }
    // Keys of the connectors of a kind anchored inside the view.
    QSet<QString> anchoredInView(std::int16_t kind) const
    {
        const zorvik::ViewTransform &view = m_map.viewTransform();
        const QRectF frame(QPointF(0, 0), QSizeF(view.size()));
        QSet<QString> keys;
        doc->forEachInBox(view.visibleBox(), [&](const zorvik::StoredElement &e) {
            if (e.type == zorvik::TypeConnector && e.kind == kind
                && frame.contains(view.worldToDevice(e.x(0), e.y(0))))
                keys.insert(e.key());
            return true;
        });
        return keys;
    }

    static std::shared_ptr<zorvik::Document> doc;
    zorvik::Zorvik m_map;
};
std::shared_ptr<zorvik::Document> DefaultMapView::doc;

TEST_F(DefaultMapView, TheOverviewShowsAllOfJapan)
{
    const QImage picture = mapwindow::renderOverview(m_map, ui::twipsToPixelsY(3200));
    ASSERT_FALSE(picture.isNull());
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    m_map.GetMapExtent(cx, cy, w, h);
    const double pw = picture.width(), ph = picture.height();
    const auto inside = [&](QPointF world, double margin) {
        const QPointF p = mapwindow::overviewWorldToPoint(world.x(), world.y(), pw, ph, cx, cy, w, h);
        return p.x() >= margin && p.y() >= margin && p.x() <= pw - margin && p.y() <= ph - margin;
    };
    const auto inkNear = [&](QPointF world, int radius) {
        const QPoint p
            = mapwindow::overviewWorldToPoint(world.x(), world.y(), pw, ph, cx, cy, w, h).toPoint();
        int n = 0;
        for (int y = p.y() - radius; y <= p.y() + radius; ++y)
            for (int x = p.x() - radius; x <= p.x() + radius; ++x)
                n += picture.valid(x, y) && picture.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    // The extent's corners, with room for an outline of 2 px around them.
    for (const QPointF corner : {QPointF(cx - w / 2.0, cy - h / 2.0), QPointF(cx + w / 2.0, cy - h / 2.0),
             QPointF(cx + w / 2.0, cy + h / 2.0), QPointF(cx - w / 2.0, cy + h / 2.0)})
        EXPECT_TRUE(inside(corner, 2)) << corner.x() << "," << corner.y();
    // The outermost vertices of the map, drawn.
    QPointF west(1e12, 0), east(-1e12, 0), south(0, 1e12), north(0, -1e12);
    doc->forEachInBox(doc->extent(), [&](const zorvik::StoredElement &e) {
        if (e.type != zorvik::TypeVector)
            return true;
        for (int i = 0; i < e.pointCount; ++i) {
            const QPointF p(e.x(i), e.y(i));
            west = p.x() < west.x() ? p : west;
            east = p.x() > east.x() ? p : east;
            south = p.y() < south.y() ? p : south;
            north = p.y() > north.y() ? p : north;
        }
        return true;
    });
    for (const QPointF outermost : {west, east, south, north}) {
        SCOPED_TRACE(testing::Message() << outermost.x() << "," << outermost.y());
        EXPECT_TRUE(inside(outermost, 2));
        EXPECT_GT(inkNear(outermost, 1), 0);
    }
    // The far north and east of Hokkaido and the Yaeyama islands are drawn,
    // and a click on them centres the map there (within a pixel's width).
    for (const char *name : {"稚内市", "斜里町", "羅臼町", "根室市", "石垣市", "竹富町", "与那国町"}) {
        SCOPED_TRACE(name);
        const QPointF at = anchor(MunicipalityName, QString::fromUtf8(name));
        ASSERT_GE(at.x(), 0);
        EXPECT_TRUE(inside(at, 2));
        EXPECT_GT(inkNear(at, 3), 0);
        const QPointF p = mapwindow::overviewWorldToPoint(at.x(), at.y(), pw, ph, cx, cy, w, h);
        std::int32_t x = 0, y = 0;
        mapwindow::overviewPointToWorld(std::round(p.x()), std::round(p.y()), pw, ph, cx, cy, w, h, x, y);
        EXPECT_NEAR(x, at.x(), w * zorvik::Zorvik::ShowAllMargin / pw);
        EXPECT_NEAR(y, at.y(), h * zorvik::Zorvik::ShowAllMargin / ph);
    }
}

class FrameZoom : public DefaultMapView
{
protected:
    void SetUp() override
    {
        DefaultMapView::SetUp();
        if (HasFatalFailure())
            return;
        gstrIniPath = m_dir.file(QStringLiteral("ZORPAK.INI"));
        m_frame = new frmMain;
        gfrmMain = m_frame;
        gobjZor = &m_map;
        gintMapInit = 1;
    }
    void TearDown() override
    {
        if (m_frame)
            ui::WindowRegistry::instance().unload(m_frame);
        test::flushDeletes();
        gfrmMain = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
        gdblZoomIn = 0;
        gdblZoomOut = 0;
    }
    void zoomIn() { m_frame->toolButton(QStringLiteral("TB_ZOOMIN"))->trigger(); }
    void zoomOut() { m_frame->toolButton(QStringLiteral("TB_ZOOMOUT"))->trigger(); }

    test::TempDir m_dir;
    frmMain *m_frame = nullptr;
};

TEST_F(FrameZoom, StepsInAndOutFromTheScaleBoxScalesReturnToTheSameScales)
{
    struct Factors
    {
        double in, out;
    };
    std::vector<double> starts(shell::fixedScaleList().begin(), shell::fixedScaleList().end());
    starts.insert(starts.end(), {15000000, 3000000, 2000000});
    // Around Osaka, where the municipal names are dense.
    m_map.setCenterX((135.50 - 122) * 360000);
    m_map.setCenterY((34.69 - 24) * 360000);
    for (const Factors f : {Factors{2, 0.5}, Factors{4, 0.25}, Factors{1.25, 0.8}}) {
        gdblZoomIn = f.in;
        gdblZoomOut = f.out;
        for (const double start : starts) {
            SCOPED_TRACE(testing::Message() << "1:" << start << " by " << f.in);
            m_map.setScale(start);
            std::vector<double> scales{start};
            for (int i = 0; i < 3 && scales.back() / f.in >= shell::ScaleBoxMin; ++i) {
                zoomIn();
                EXPECT_EQ(m_map.Scale(), scales.back() / f.in);
                scales.push_back(m_map.Scale());
            }
            scales.pop_back();
            for (auto it = scales.rbegin(); it != scales.rend(); ++it) {
                zoomOut();
                EXPECT_EQ(m_map.Scale(), *it);
            }
        }
    }
    gdblZoomIn = 2;
    m_map.setScale(3000000);
    zoomIn();
    zoomIn();
    zoomIn();
    EXPECT_EQ(m_map.Scale(), 375000);
}

TEST_F(FrameZoom, TwoStepsInFromTwoMillionWriteTheMunicipalNames)
{
    gdblZoomIn = 2;
    gdblZoomOut = 0.5;
    m_map.setCenterX((135.50 - 122) * 360000);
    m_map.setCenterY((34.69 - 24) * 360000);
    // One more than the kind's range shows none of them.
    m_map.setScale(500001);
    const QSet<QString> municipalities = anchoredInView(MunicipalityName);
    ASSERT_GT(municipalities.size(), 20);
    EXPECT_TRUE((written() & municipalities).isEmpty());

    m_map.setScale(2000000);
    zoomIn();
    zoomIn();
    EXPECT_EQ(m_map.Scale(), 500000);
    EXPECT_EQ(shell::scaleBoxText(m_map.Scale()), QStringLiteral("500000"));
    EXPECT_GT((written() & anchoredInView(MunicipalityName)).size(), 20);
}

} // namespace
