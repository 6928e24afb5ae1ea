#include "platform/ui/windowplacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <map>

namespace veltra::ui {

namespace {

std::map<QString, QPoint> &keptPlaces()
{
    static std::map<QString, QPoint> places;
    return places;
}

qint64 overlapArea(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// Squared gap between two rectangles; 0 when they touch or overlap.
qint64 gapSquared(const QRect &a, const QRect &b)
{
    const qint64 dx = std::max<qint64>({qint64(b.left()) - a.right(), qint64(a.left()) - b.right(), 0});
    const qint64 dy = std::max<qint64>({qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom(), 0});
    return dx * dx + dy * dy;
}

// The size of `window` with its frame. Before it is first shown the window
// system has not framed it yet; the owner's frame stands in for its own.
QSize framedSize(const QWidget &window, const QWidget *owner)
{
    if (window.testAttribute(Qt::WA_WState_Created))
        return window.frameGeometry().size();
    if (!owner)
        return window.size();
    const QWidget *ownerWindow = owner->window();
    const QRect outer = ownerWindow->frameGeometry();
    const QRect inner = ownerWindow->geometry();
    return window.size() + QSize(outer.width() - inner.width(), outer.height() - inner.height());
}

} // namespace

int screenFor(const QRect &rect, const QList<QRect> &screens)
{
    int best = -1;
    qint64 bestOverlap = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const qint64 overlap = overlapArea(rect, screens[i]);
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = i;
        }
    }
    if (best >= 0)
        return best;
    qint64 bestGap = std::numeric_limits<qint64>::max();
    for (int i = 0; i < screens.size(); ++i) {
        const qint64 gap = gapSquared(rect, screens[i]);
        if (gap < bestGap) {
            bestGap = gap;
            best = i;
        }
    }
    return best;
}

QRect movedInside(const QRect &rect, const QRect &screen)
{
    int x = rect.x();
    int y = rect.y();
    if (qint64(x) + rect.width() > qint64(screen.x()) + screen.width())
        x = screen.x() + screen.width() - rect.width();
    if (x < screen.x())
        x = screen.x();
    if (qint64(y) + rect.height() > qint64(screen.y()) + screen.height())
        y = screen.y() + screen.height() - rect.height();
    if (y < screen.y())
        y = screen.y();
    return QRect(QPoint(x, y), rect.size());
}

QRect pulledOntoScreens(const QRect &rect, const QList<QRect> &screens)
{
    for (const QRect &screen : screens) {
        if (screen.contains(rect))
            return rect;
    }
    const int index = screenFor(rect, screens);
    return index < 0 ? rect : movedInside(rect, screens[index]);
}

QRect centredToolRect(const QSize &size, const QRect &area, const QList<QRect> &screens)
{
    const int x = area.x() + (area.width() - size.width()) / 2;
    // A window taller than the area starts at its top, never above it.
    const int y = area.y() + std::max(0, (area.height() - size.height()) / 2);
    const QRect centred(QPoint(x, y), size);
    const int index = screenFor(area, screens);
    return index < 0 ? centred : movedInside(centred, screens[index]);
}

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    return screens;
}

QRect toolWindowArea(const QWidget &owner)
{
    if (!owner.isVisible() || owner.isMinimized())
        return {};
    QRect area(owner.mapToGlobal(QPoint(0, 0)), owner.size());
    if (const auto *frame = qobject_cast<const QMainWindow *>(&owner)) {
        const QWidget *menu = frame->menuWidget();
        if (menu && menu->isVisible())
            area.setTop(menu->mapToGlobal(QPoint(0, menu->height())).y());
    }
    return area;
}

void placeToolWindow(QWidget &window, const QWidget *owner, const std::optional<QPoint> &stored)
{
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    // move() places the window's frame, so the rules work on framed sizes.
    const QSize size = framedSize(window, owner);
    const QList<QRect> screens = availableScreens();
    if (stored) {
        window.move(pulledOntoScreens(QRect(*stored, size), screens).topLeft());
        return;
    }
    QRect area = owner ? toolWindowArea(*owner) : QRect();
    if (area.isEmpty()) {
        const QScreen *primary = QGuiApplication::primaryScreen();
        if (!primary)
            return;
        area = primary->availableGeometry();
    }
    window.move(centredToolRect(size, area, screens).topLeft());
}

void showToolWindow(QWidget &window, const QWidget *owner, const std::optional<QPoint> &stored)
{
    if (!window.isVisible())
        placeToolWindow(window, owner, stored);
    window.show();
}

void keepPlace(const QString &window, const QPoint &topLeft)
{
    keptPlaces()[window] = topLeft;
}

std::optional<QPoint> keptPlace(const QString &window)
{
    const auto it = keptPlaces().find(window);
    if (it == keptPlaces().end())
        return std::nullopt;
    return it->second;
}

void forgetKeptPlaces()
{
    keptPlaces().clear();
}

} // namespace veltra::ui
