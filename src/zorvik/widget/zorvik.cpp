// Zorvik: construction, document lifecycle and the view.
#include "zorvik/widget/zorvik.h"

#include "zorvik/render/valuecompare.h"
#include "zorvik/widget/areapickhandler.h"
#include "zorvik/widget/gesturehandler.h"
#include "zorvik/widget/panhandler.h"
#include "zorvik/widget/pickhandler.h"
#include "zorvik/widget/pointershapehandler.h"
#include "zorvik/widget/polylinehandler.h"
#include "zorvik/widget/rectreporthandler.h"
#include "zorvik/widget/rectzoomhandler.h"
#include "zorvik/widget/zoomouthandler.h"

#include <QResizeEvent>
#include <cmath>

namespace zorvik {

Zorvik::Zorvik(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A new control starts where a default ViewMetrics stands, on the prime meridian.
    const ViewMetrics start;
    m_viewState = ViewTransform(0, start.centerY, start.scale, 0, size(), logicalDpiY());

    m_handlers[0] = std::make_unique<GestureHandler>();
    m_handlers[1] = std::make_unique<RectZoomHandler>();
    m_handlers[2] = std::make_unique<ZoomOutHandler>();
    m_handlers[3] = std::make_unique<PanHandler>();
    m_handlers[5] = std::make_unique<RectReportHandler>();
    m_handlers[7] = std::make_unique<PickHandler>();
    m_handlers[9] = std::make_unique<AreaPickHandler>();
    m_handlers[10] = std::make_unique<PolylineHandler>();
    m_handlers[12] = std::make_unique<PointerShapeHandler>();
}

Zorvik::~Zorvik() = default;

ViewTransform Zorvik::view() const
{
    const double dpi = logicalDpiY();
    if (m_viewState.size() != size() || m_viewState.dpi() != dpi)
        return m_viewState.withSize(size()).withDpi(dpi);
    return m_viewState;
}

GestureHandler &Zorvik::handlerFor(int mode)
{
    auto it = m_handlers.find(mode);
    return it == m_handlers.end() ? *m_handlers[0] : *it->second;
}

// ---- document and lifecycle

Result Zorvik::InitializeMap(std::int32_t mapHandle)
{
    const Result r = m_engine.InitializeMap(mapHandle);
    m_drawings.clear();
    m_xorLines.clear();
    m_mapCache.invalidate(); // a new document may live where the old one did
    redraw();
    return r;
}

Result Zorvik::CloseMap()
{
    const Result r = m_engine.CloseMap();
    m_drawings.clear();
    m_xorLines.clear();
    m_mapCache.invalidate();
    redraw();
    return r;
}

void Zorvik::InitDisplay()
{
    m_drawings.clear();
    m_xorLines.clear();
    ClearTempShape();
    setMouseEventMode(0);
    m_engine.resetRecognition();
    redraw();
}

void Zorvik::ShowAll()
{
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    if (m_engine.GetMapExtent(cx, cy, w, h) != code::Ok)
        return;
    if (w <= 0 && h <= 0) {
        applyView(view().withCenter(cx, cy));
        return;
    }
    // A small margin, so that the outline does not touch the edges.
    const ViewTransform centred = view().withCenter(cx, cy);
    applyView(centred.withScale(centred.wholeScaleToFit(w * ShowAllMargin, h * ShowAllMargin)));
}

void Zorvik::setOverviewFlag(int flag)
{
    m_overview = flag;
    redraw();
}

// ---- view and navigation

void Zorvik::applyView(const ViewTransform &next, bool forceRedraw)
{
    const ViewTransform old = view();
    m_viewState = next;
    const bool changed = !(old == next);
    if (forceRedraw)
        ++m_generation;
    if (changed || forceRedraw)
        redraw();
    if (!raising())
        return;
    if (!sameValue(old.scale(), next.scale()))
        emit ScaleChanged();
    if (!sameValue(old.centerX(), next.centerX()) || !sameValue(old.centerY(), next.centerY()))
        emit ViewMoved();
}

void Zorvik::setCenterX(double x)
{
    applyView(view().withCenter(ViewTransform::roundWorld(x), view().centerY()));
}

void Zorvik::setCenterY(double y)
{
    applyView(view().withCenter(view().centerX(), ViewTransform::roundWorld(y)));
}

void Zorvik::setScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0)
        return;
    applyView(view().withScale(scale));
}

void Zorvik::setScale(const QString &scale)
{
    bool ok = false;
    const double value = scale.trimmed().toDouble(&ok);
    if (ok)
        setScale(value);
}

void Zorvik::setAngle(double degrees)
{
    if (std::isfinite(degrees))
        applyView(view().withAngle(degrees));
}

Result Zorvik::ZoomWindow(std::int32_t cx, std::int32_t cy, std::int32_t w, std::int32_t h)
{
    if (w <= 0 && h <= 0)
        return code::BadArgument;
    // Callers pass this view's whole-unit size divided by a zoom factor: the
    // transform takes the scale that box stands for.
    const ViewTransform centred = view().withCenter(cx, cy);
    applyView(centred.withScale(centred.scaleToFitWhole(std::abs(w), std::abs(h))));
    return code::Ok;
}

void Zorvik::zoomTo(double x, double y, double w, double h)
{
    const ViewTransform centred
        = view().withCenter(ViewTransform::roundWorld(x), ViewTransform::roundWorld(y));
    applyView(centred.withScale(centred.wholeScaleToFit(std::abs(w), std::abs(h))));
}

void Zorvik::zoomAt(double x, double y, double divisor)
{
    if (!std::isfinite(divisor) || divisor <= 0)
        return;
    applyView(view()
                  .withCenter(ViewTransform::roundWorld(x), ViewTransform::roundWorld(y))
                  .withScale(view().scale() / divisor));
}

void Zorvik::panTo(double x, double y)
{
    applyView(view().withCenter(ViewTransform::roundWorld(x), ViewTransform::roundWorld(y)));
}

Result Zorvik::SetCenterScale(std::int32_t x, std::int32_t y, double factor)
{
    if (!std::isfinite(factor) || factor <= 0)
        return code::BadArgument;
    applyView(view().withCenter(x, y).withScale(view().scale() * factor), true);
    return code::Ok;
}

void Zorvik::setBackColor(std::uint32_t bgr)
{
    m_backColor = bgr & 0xFFFFFF;
    update();
}

void Zorvik::Refresh()
{
    redraw();
}

void Zorvik::redraw()
{
    // A redraw ends the drawings of released sets and the XOR marks.
    m_drawings.dropReleased([this](Handle set) { return m_engine.sets().find(set) != nullptr; });
    m_xorLines.clear();
    m_frameDirty = true;
    update();
}

void Zorvik::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A new size changes the view extent (view() follows it), not the centre
    // or the scale.
    m_frameDirty = true;
}

// ---- units

Result Zorvik::ConvertCoord(
    int mode, std::int32_t x, std::int32_t y, double &outX, double &outY, int option) const
{
    if (mode == 4) {
        const QPointF p = view().worldToDevice(x, y);
        outX = p.x();
        outY = p.y();
        return code::Ok;
    }
    return m_engine.ConvertCoord(mode, x, y, outX, outY, option);
}

} // namespace zorvik
