#include "mapwindow/mapeventbridge.h"

#include "mapwindow/globals.h"
#include "mapwindow/mdlscale.h"
#include "mapwindow/pointertext.h"
#include "mapwindow/scalebar.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frameview.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlmain_mode.h"
#include "shell/mdlmain_ui.h"
#include "shell/modecodes.h"
#include "shell/scalebox.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <limits>

namespace veltra::mapwindow {

namespace {

void dispatch(std::int16_t state)
{
    veltra::shell::dispatchMode(state, veltra::shell::noParameterText());
}

// A real position rounded to a whole Long, halves to even.
std::int32_t roundLong(double v)
{
    const double r = vb::roundHalfEven(v);
    return static_cast<std::int32_t>(
        std::clamp(r, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
            static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

bool scaleBarChecked()
{
    const shell::FrameView *frame = shell::frameView();
    return frame && frame->scaleBarChecked();
}

bool legendChecked()
{
    const shell::FrameView *frame = shell::frameView();
    return frame && frame->legendChecked();
}

} // namespace

MapEventLinks &mapEventLinks()
{
    static MapEventLinks links;
    return links;
}

int mousePointerForMode(int mode)
{
    if (mode == 1 || mode == 2)
        return 2;
    if (mode == 3)
        return 15;
    return 0;
}

MapEventBridge::MapEventBridge(zorvik::Zorvik *map, veltra::shell::MapWindowHost *window, QObject *parent)
    : QObject(parent)
    , m_map(map)
    , m_window(window)
{
    using zorvik::Zorvik;
    connect(map, &Zorvik::Click, this, &MapEventBridge::onClick);
    connect(map, &Zorvik::DblClick, this, &MapEventBridge::onDblClick);
    connect(map, &Zorvik::RectSelect, this, &MapEventBridge::onRectSelect);
    connect(map, &Zorvik::SearchEnd, this, &MapEventBridge::onSearchEnd);
    connect(map, &Zorvik::MouseUp, this, &MapEventBridge::onMouseUp);
    connect(map, &Zorvik::MouseDown, this, &MapEventBridge::onMouseDown);
    connect(map, &Zorvik::KeyDown, this, &MapEventBridge::onKeyDown);
    connect(map, &Zorvik::CursorPos, this, &MapEventBridge::onCursorPos);
    connect(map, &Zorvik::MouseMove, this, &MapEventBridge::onMouseMove);
    connect(map, &Zorvik::GotFocus, this, &MapEventBridge::onGotFocus);
    connect(map, &Zorvik::ViewMoved, this, &MapEventBridge::onViewMoved);
    connect(map, &Zorvik::ScaleChanged, this, &MapEventBridge::onScaleChanged);
}

void MapEventBridge::onClick(int, int, std::int32_t x, std::int32_t y)
{
    glngPointX[0] = x;
    glngPointY[0] = y;
    dispatch(StateClick);
}

void MapEventBridge::onDblClick(int, int, std::int32_t x, std::int32_t y)
{
    glngPointX[0] = x;
    glngPointY[0] = y;
    dispatch(StateDblClick);
    if (gintSkipCenter == -1) {
        gintSkipCenter = 0; // a tool asked to skip this one recentring
        return;
    }
    if (gintMapMouseMode == 0) {
        m_map->setCenterX(x);
        m_map->setCenterY(y);
        m_map->Refresh();
        centerPlaceName();
    }
}

void MapEventBridge::onRectSelect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    glngPointX[0] = x1;
    glngPointY[0] = y1;
    glngPointX[1] = x2;
    glngPointY[1] = y2;
    dispatch(StateRect);
}

void MapEventBridge::onSearchEnd(std::int32_t set)
{
    if (gintModeNo == 0) {
        // Nobody wants the result: the set goes at once.
        if (set != 0)
            m_map->ReleaseElements(set);
        return;
    }
    if (glngElmHandle != 0 && glngElmHandle != set) {
        m_map->ReleaseElements(glngElmHandle);
        glngElmHandle = 0;
    }
    if (set != 0) {
        glngElmHandle = set;
        dispatch(StateFound);
    }
}

void MapEventBridge::onMouseUp(int button, int, double x, double y)
{
    glngMouseUpX = roundLong(x);
    glngMouseUpY = roundLong(y);
    gintMouseButton = static_cast<std::int16_t>(button);
    m_dragState = 0;
    setPointer(1);
    if (m_map->MouseEventMode() == 14)
        m_map->Refresh();
    dispatch(StateMouseUp);
}

void MapEventBridge::onMouseDown(int, int, double x, double y)
{
    glngMouseDownX = roundLong(x);
    glngMouseDownY = roundLong(y);
    if (gintMapMouseMode == 1) {
        m_dragState = -1;
        setDragPicture();
    }
    dispatch(StateMouseDown);
}

void MapEventBridge::onKeyDown(int keyCode, int)
{
    gintKeyCode = static_cast<std::int16_t>(keyCode);
    dispatch(StateKey);
}

void MapEventBridge::onCursorPos(int, int, std::int32_t x, std::int32_t y)
{
    if (const auto text = pointerText(gintPointType, x, y, *m_map))
        mdlMain::SetStatusText(2, *text);

    if (m_dragState == -1) {
        glngDragX = x;
        glngDragY = y;
        m_dragState = 1;
    }
    if (gintMapMouseMode == 1 && m_dragState == 1) {
        // The anchor stays: the world point first grabbed stays under the pointer.
        m_map->setCenterX(static_cast<double>(m_map->CenterX()) - (static_cast<double>(x) - glngDragX));
        m_map->setCenterY(static_cast<double>(m_map->CenterY()) - (static_cast<double>(y) - glngDragY));
        m_map->Refresh();
    }
}

void MapEventBridge::onMouseMove(int, int, double x, double y)
{
    setPointer(mousePointerForMode(m_map->MouseEventMode()));
    if (gintMapMouseMode == 1)
        setDragPicture();

    // An empty window (no document open) shows no scale bar.
    if (m_scaleBar && m_map->MapHandle() != 0 && scaleBarChecked()) {
        // The pointer in the map's pixels, and the bar's edges relative to the map.
        const double px = x * m_map->logicalDpiX() / 1440.0;
        const double py = y * m_map->logicalDpiY() / 1440.0;
        const QRect bar = m_scaleBar->geometry().translated(-m_map->geometry().topLeft());
        const bool inside = bar.left() < px && px < bar.left() + bar.width() && bar.top() < py
            && py < bar.top() + bar.height();
        if (!inside)
            m_scaleBar->setVisible(true);
    }
    if (legendChecked()) {
        if (QWidget *legend = ui::WindowRegistry::instance().find(QStringLiteral("frmExpNotes")))
            legend->setVisible(true);
    }
}

void MapEventBridge::onGotFocus()
{
    if (m_window) {
        QWidget *w = m_window->widget();
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
            if (QMdiArea *area = sub->mdiArea(); area && area->activeSubWindow() != sub)
                area->setActiveSubWindow(sub);
        } else {
            w->activateWindow();
        }
    }
    centerPlaceName();
}

void MapEventBridge::onViewMoved()
{
    if (gintMapMouseMode == 1)
        centerPlaceName();
}

void MapEventBridge::onScaleChanged()
{
    const std::int32_t scale = roundLong(m_map->Scale());
    if (m_scaleBar)
        m_scaleBar->setText(scaleText(m_map->Scale()));
    // The box sets the scale of the current map, so it shows that map's.
    if (m_map == gobjZor && shell::frameView())
        shell::frameView()->showScale(m_map->Scale());
    const MapEventLinks links = mapEventLinks();
    if (links.setOperationRoomScale)
        links.setOperationRoomScale(scale);
    if (links.reloadImageFolders)
        links.reloadImageFolders(scale);
}

void MapEventBridge::setPointer(int vbPointer)
{
    switch (vbPointer) {
    case 1:
        m_map->setCursor(Qt::ArrowCursor);
        break;
    case 2:
        m_map->setCursor(Qt::CrossCursor);
        break;
    case 15:
        m_map->setCursor(Qt::SizeAllCursor);
        break;
    default:
        m_map->unsetCursor();
        break;
    }
}

void MapEventBridge::setDragPicture()
{
    // The grabbing hand while a drag is under way, else the open hand.
    m_map->setCursor(m_dragState != 0 ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void MapEventBridge::centerPlaceName()
{
    if (m_window)
        m_window->MP_GetCenterPlaceName();
}

} // namespace veltra::mapwindow
