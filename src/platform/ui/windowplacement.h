#pragma once
// Where top-level windows open: the one placement rule of the program's tool
// windows and of the frame's stored geometry.
//
// - A tool window without a place of its own opens centred on its owner's
//   area (the owner's client area below its menu bar), never above that
//   area's top, and wholly inside the screen that holds most of the owner.
// - A stored place (the frame's geometry, a tool window reopened where it
//   was) is kept when it lies wholly on a screen; otherwise it is moved
//   (never resized) wholly inside the screen that holds most of it, or the
//   nearest screen when it lies on none. A window larger than its screen
//   keeps its top left corner, and so its title bar, on that screen.
//
// All rectangles are in global device-independent pixels; screens are their
// available geometries (without panels and task bars). The rules are plain
// functions of rectangles, so they are tested with any set of screens; the
// widget functions feed them the real screens.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace veltra::ui {

// The index of the screen holding the largest part of `rect`, else of the
// screen nearest to it; -1 without screens.
int screenFor(const QRect &rect, const QList<QRect> &screens);

// `rect` moved wholly inside `screen`; a side longer than the screen's keeps
// its left or top edge on the screen's.
QRect movedInside(const QRect &rect, const QRect &screen);

// A stored place: kept on the screen it lies on, else moved inside (above).
QRect pulledOntoScreens(const QRect &rect, const QList<QRect> &screens);

// A window of `size` centred on `area`, not above area's top, then moved
// inside the screen that holds most of `area`.
QRect centredToolRect(const QSize &size, const QRect &area, const QList<QRect> &screens);

// The available geometries of the screens now attached.
QList<QRect> availableScreens();

// The part of `owner` a tool window may cover: its client area in global
// pixels below its menu bar. Empty when the owner is not shown.
QRect toolWindowArea(const QWidget &owner);

// Places a tool window before it is shown: at `stored` (its top left corner,
// as pos() gives it) pulled onto the screens, else centred on the owner's
// area (on the screen when there is no shown owner). A window never sized
// takes its preferred size first.
void placeToolWindow(QWidget &window, const QWidget *owner, const std::optional<QPoint> &stored = {});

// Shows a tool window of `owner`. One not on screen yet is placed first, as
// placeToolWindow does; one already shown stays where the user has put it.
void showToolWindow(QWidget &window, const QWidget *owner, const std::optional<QPoint> &stored = {});

// Places that windows keep for the rest of the run to reopen where they were
// closed, by window name (the top left corner, as pos() gives it).
void keepPlace(const QString &window, const QPoint &topLeft);
std::optional<QPoint> keptPlace(const QString &window);
// Forgets every kept place, as a new run starts without any.
void forgetKeptPlaces();

} // namespace veltra::ui
