#include "mapwindow/mapwindowcontrols.h"

#include "mapwindow/compasswidget.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/measurepanel.h"
#include "mapwindow/overlaydrag.h"
#include "mapwindow/panstep.h"
#include "mapwindow/scalebar.h"
#include "platform/ui/twips.h"
#include "shell/mapwindowhost.h"
#include "zorvik/widget/zorvik.h"

#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <cmath>

namespace veltra::mapwindow {

namespace {

// A 16 by 16 arrow pointing the way button `index` pans (screen Y down).
QIcon arrowIcon(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    const QPointF d = panDirection(index);
    const double angle = std::atan2(-d.y(), d.x());
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.rotate(angle * 180.0 / M_PI);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{QPointF(6, 0), QPointF(-4, -5), QPointF(-4, 5)});
    return QIcon(pixmap);
}

TwipsRect toTwips(const QRect &r, double dpi)
{
    return {ui::pixelsToTwips(r.x(), dpi), ui::pixelsToTwips(r.y(), dpi), ui::pixelsToTwips(r.width(), dpi),
        ui::pixelsToTwips(r.height(), dpi)};
}

QRect toPixels(const TwipsRect &r, double dpi)
{
    return QRect(ui::twipsToPixels(r.left, dpi), ui::twipsToPixels(r.top, dpi),
        ui::twipsToPixels(r.width, dpi), ui::twipsToPixels(r.height, dpi));
}

} // namespace

MapWindowControls::MapWindowControls(QWidget *window, zorvik::Zorvik *map, veltra::shell::MapWindowHost *host)
    : QObject(window)
    , m_window(window)
    , m_map(map)
    , m_host(host)
{
    const double dpi = window->logicalDpiX();
    const int side = ui::twipsToPixels(360, dpi);
    for (int i = 0; i < 8; ++i) {
        auto *button = new QToolButton(window);
        button->setObjectName(QStringLiteral("Command4_%1").arg(i));
        button->setIcon(arrowIcon(i));
        button->setIconSize(QSize(16, 16));
        button->setAutoRepeat(false);
        button->setGeometry(0, 0, side, side);
        connect(button, &QToolButton::clicked, this, [this, i] { Command4_Click(i); });
        Command4[static_cast<std::size_t>(i)] = button;
    }
    Picture5 = new CompassWidget(window);
    Picture3 = new ScaleBar(window);
    Picture1 = new MeasurePanel(map, window);
    for (QWidget *overlay : {static_cast<QWidget *>(Picture5), static_cast<QWidget *>(Picture3),
             static_cast<QWidget *>(Picture1)})
        overlay->raise();
    // The compass and the scale bar describe an open map: an empty window
    // shows neither. The frame's view menus show them once a map is open.
    Picture5->hide();
    Picture3->hide();

    m_drag = new OverlayDrag(this);
    m_drag->watch(Picture1);
    m_drag->watch(Picture3);
    m_drag->watch(Picture5);

    bridge = new MapEventBridge(map, host, this);
    bridge->setScaleBar(Picture3);
    bridge->onScaleChanged(); // the label of the scale the map starts with
}

MapWindowGeometry MapWindowControls::geometry() const
{
    const double dpi = m_window->logicalDpiX();
    MapWindowGeometry g;
    g.map = toTwips(m_map->geometry(), dpi);
    for (std::size_t i = 0; i < Command4.size(); ++i)
        g.buttons[i] = toTwips(Command4[i]->geometry(), dpi);
    g.scaleBar = toTwips(Picture3->geometry(), dpi);
    g.compass = toTwips(Picture5->geometry(), dpi);
    return g;
}

void MapWindowControls::layOut()
{
    const double dpi = m_window->logicalDpiX();
    const MapWindowGeometry current = geometry();
    const MapWindowGeometry next = layoutMapWindow(
        current, ui::pixelsToTwips(m_window->width(), dpi), ui::pixelsToTwips(m_window->height(), dpi));
    if (next.map != current.map)
        m_map->setGeometry(toPixels(next.map, dpi));
    for (std::size_t i = 0; i < Command4.size(); ++i)
        Command4[i]->setGeometry(toPixels(next.buttons[i], dpi));
    Picture3->move(toPixels(next.scaleBar, dpi).topLeft());
    Picture5->move(toPixels(next.compass, dpi).topLeft());
    Picture5->CompassDrawData(m_map->Angle());
}

bool MapWindowControls::mapOpen() const
{
    return m_map->MapHandle() != 0;
}

void MapWindowControls::setCompassVisible(bool shown)
{
    Picture5->setVisible(shown && mapOpen());
    if (Picture5->isVisibleTo(m_window))
        Picture5->CompassDrawData(m_map->Angle());
}

void MapWindowControls::setScaleBarVisible(bool shown)
{
    Picture3->setVisible(shown && mapOpen());
}

void MapWindowControls::Command4_Click(int index)
{
    const QPointF centre
        = panTarget(index, m_map->Angle(), m_map->Scale(), m_map->CenterX(), m_map->CenterY());
    m_map->setCenterX(centre.x());
    m_map->setCenterY(centre.y());
    m_map->Refresh();
    if (m_host)
        m_host->MP_GetCenterPlaceName();
}

} // namespace veltra::mapwindow
