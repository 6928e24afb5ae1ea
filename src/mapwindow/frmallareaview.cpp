#include "mapwindow/frmallareaview.h"

#include "mapwindow/combirdview.h"
#include "platform/fs/fs.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frameview.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "zorvik/render/viewtransform.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <cmath>

using namespace veltra;

frmAllAreaView::frmAllAreaView(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("全域図（表示したい場所をクリックしてください）"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setScaledContents(false);
    Picture1->installEventFilter(this);
    const int height = ui::twipsToPixelsY(3200);
    resize(width() > 0 ? width() : height, height);
    Picture1->setGeometry(0, 0, width(), height);
}

void frmAllAreaView::setZorvik(zorvik::Zorvik *engine)
{
    if (m_engine || !engine)
        return;
    m_engine = engine;
    connect(engine, &zorvik::Zorvik::ViewMoved, this, [this] { DrawDispAreaRect(); });
    connect(engine, &zorvik::Zorvik::ScaleChanged, this, [this] { DrawDispAreaRect(); });
    // The map window that held the engine has gone: so does its overview.
    // The engine is forgotten first: it is only a QObject by now, and the
    // close below must not take it for an engine.
    connect(engine, &QObject::destroyed, this, [this] {
        m_engine.clear();
        ui::WindowRegistry::instance().unload(this);
    });
    LoadOverviewBitmap(mapwindow::overviewBitmapPath(engine->DocumentPath()));
}

zorvik::Zorvik *frmAllAreaView::Zorvik() const
{
    return m_engine;
}

void frmAllAreaView::LoadOverviewBitmap(const QString &path)
{
    if (path.isEmpty())
        return;
    QImage bitmap;
    if (fs::fileExists(path)) {
        QImageReader reader(fs::resolve(path));
        reader.setDecideFormatFromContent(true);
        bitmap = reader.read();
    }
    if (bitmap.isNull())
        bitmap = mapwindow::unsavedOverview(path);
    if (bitmap.isNull() || bitmap.height() == 0)
        return; // a damaged or missing picture: the window stays without one
    const double ratio = static_cast<double>(bitmap.width()) / bitmap.height();
    const int height = ui::twipsToPixelsY(3200);
    const int width = std::max(1, static_cast<int>(height * ratio + 0.5));
    Picture2 = bitmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .convertToFormat(QImage::Format_RGB32);
    Picture1->setGeometry(0, 0, width, height);
    Picture1->setPixmap(QPixmap::fromImage(Picture2));
    setFixedSize(width, height);
    DrawDispAreaRect();
}

void frmAllAreaView::DrawDispAreaRect()
{
    if (!m_engine || Picture2.isNull())
        return;
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    m_engine->GetMapExtent(cx, cy, w, h);
    const zorvik::ViewTransform view = m_engine->viewTransform();
    if (w <= 0 || h <= 0 || !view.isValid())
        return;
    const double pw = Picture2.width();
    const double ph = Picture2.height();
    // The corners of the main view (top left, top right, bottom right,
    // bottom left), taken through the engine's own transform so that the
    // rotation turns the rectangle as it turns the map.
    const QSizeF size = view.size();
    const std::array<QPointF, 4> screen{QPointF(0, 0), QPointF(size.width(), 0),
        QPointF(size.width(), size.height()), QPointF(0, size.height())};
    QPolygonF polygon;
    for (const QPointF &corner : screen) {
        const QPointF world = view.deviceToWorld(corner);
        const QPointF at = mapwindow::overviewWorldToPoint(world.x(), world.y(), pw, ph, cx, cy, w, h);
        polygon << QPointF(std::round(at.x()), std::round(at.y()));
    }
    QImage picture = Picture2;
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPolygon(polygon);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.drawLine(polygon[0], polygon[1]); // the top of the view
    painter.end();
    Picture1->setPixmap(QPixmap::fromImage(picture));
}

void frmAllAreaView::Picture1_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y)
{
    if (button != Qt::LeftButton || shift != Qt::NoModifier || !m_engine || Picture2.isNull())
        return;
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    m_engine->GetMapExtent(cx, cy, w, h);
    std::int32_t worldX = 0, worldY = 0;
    mapwindow::overviewPointToWorld(x, y, Picture2.width(), Picture2.height(), cx, cy, w, h, worldX, worldY);
    m_engine->SetCenterScale(worldX, worldY, 1.0);
    m_engine->Refresh();
    DrawDispAreaRect();
}

bool frmAllAreaView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Picture1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        Picture1_MouseUp(mouse->button(), mouse->modifiers(), mouse->position().x(), mouse->position().y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmAllAreaView::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (shell::FrameView *frame = shell::frameView())
        frame->setOverviewChecked(false);
    // Kept for the rest of the run: the window reopens where it was closed.
    if (isVisible())
        ui::keepPlace(QStringLiteral("frmAllAreaView"), pos());
    if (m_engine)
        disconnect(m_engine, nullptr, this, nullptr);
    m_engine = nullptr;
    gintStoryStepEnd = -1;
    deleteLater();
}

namespace veltra::mapwindow {

void overviewPointToWorld(double x, double y, double pw, double ph, std::int32_t cx, std::int32_t cy,
    std::int32_t w, std::int32_t h, std::int32_t &worldX, std::int32_t &worldY)
{
    const OverviewBox box = overviewBox(cx, cy, w, h);
    worldX = static_cast<std::int32_t>(vb::roundHalfEven(x / pw * box.width + box.left));
    worldY = static_cast<std::int32_t>(vb::roundHalfEven((1.0 - y / ph) * box.height + box.bottom));
}

QPointF overviewWorldToPoint(double x, double y, double pw, double ph, std::int32_t cx, std::int32_t cy,
    std::int32_t w, std::int32_t h)
{
    const OverviewBox box = overviewBox(cx, cy, w, h);
    return {(x - box.left) / box.width * pw, (1.0 - (y - box.bottom) / box.height) * ph};
}

bool overviewShown()
{
    return ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmAllAreaView"));
}

void showOverview(zorvik::Zorvik *engine)
{
    if (!engine)
        return;
    mapwindow::makeOverviewBitmapOf(*engine);
    auto *window = ui::form<frmAllAreaView>(static_cast<QWidget *>(gfrmMain));
    window->setZorvik(engine);
    // Placed once its picture has given it its size: where it was last
    // closed, else centred on the frame.
    ui::showToolWindow(*window, gfrmMain, ui::keptPlace(QStringLiteral("frmAllAreaView")));
}

void unloadOverview()
{
    ui::WindowRegistry::instance().unload(QStringLiteral("frmAllAreaView"));
}

void redrawOverviewView()
{
    if (auto *window = qobject_cast<frmAllAreaView *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmAllAreaView"))))
        window->DrawDispAreaRect();
}

void toggleOverview()
{
    shell::FrameView *frame = shell::frameView();
    const bool checked = frame ? frame->overviewChecked() : overviewShown();
    if (checked) {
        unloadOverview();
        if (frame)
            frame->setOverviewChecked(false);
        return;
    }
    if (gintMapInit != 1 || !gobjZor)
        return;
    showOverview(gobjZor);
    if (frame)
        frame->setOverviewChecked(true);
}

} // namespace veltra::mapwindow
