// Zorvik: the mouse modes and the event dispatch. Every Qt event is turned
// into one Gesture here, the mode's handler changes the state, and only then
// are the events raised, in the one fixed order:
//   click:        MouseDown, MouseUp, Click [, RectSelect / SearchEnd]
//   double click: MouseDown, MouseUp, Click, MouseDown, DblClick [, SearchEnd], MouseUp
//   drag:         MouseDown, (MouseMove, CursorPos)..., MouseUp [, RectSelect / SearchEnd]
// A listener may call back into the control from any of them; the handler
// and the settings are read again for the next step.
#include "zorvik/widget/gesturehandler.h"
#include "zorvik/widget/keycodes.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>
#include <numbers>

namespace zorvik {

void Zorvik::setMouseEventMode(int mode)
{
    if (mode == m_mouseMode)
        return;
    GestureHandler &old = handlerFor(m_mouseMode);
    m_mouseMode = mode;
    GestureHandler &next = handlerFor(mode);
    if (&old != &next) {
        old.leave(*this);
        next.enter(*this);
        m_gestureHandler = nullptr; // a gesture in progress ends here
    }
}

void Zorvik::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

Gesture Zorvik::gestureFrom(QPointF device, int button, Qt::KeyboardModifiers modifiers) const
{
    Gesture g;
    g.device = device;
    g.twipsX = view().pixelsToTwips(device.x());
    g.twipsY = view().pixelsToTwips(device.y());
    g.world = view().deviceToWorld(device);
    g.worldX = ViewTransform::roundWorld(g.world.x());
    g.worldY = ViewTransform::roundWorld(g.world.y());
    g.button = button;
    g.shift = keys::shiftMask(modifiers);
    return g;
}

void Zorvik::mousePressEvent(QMouseEvent *event)
{
    // The press that makes a double click is followed by the double-click
    // event, which stands for it.
    if (!m_interactive || event->flags().testFlag(Qt::MouseEventCreatedDoubleClick))
        return;
    const Gesture g = gestureFrom(event->position(), keys::buttonCode(event->button()), event->modifiers());
    m_pressed = g;
    m_dragging = false;
    m_afterDoubleClick = false;
    m_gestureHandler = &handlerFor(m_mouseMode);
    m_gestureHandler->press(*this, g);
    emit MouseDown(g.button, g.shift, g.twipsX, g.twipsY);
}

void Zorvik::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_interactive)
        return;
    const Gesture g = gestureFrom(event->position(), keys::buttonMask(event->buttons()), event->modifiers());
    if (m_pressed && !m_dragging && !m_afterDoubleClick
        && (g.device - m_pressed->device).manhattanLength() >= QApplication::startDragDistance())
        m_dragging = true;
    GestureHandler &current = handlerFor(m_mouseMode);
    const bool sameGesture = m_pressed && m_gestureHandler == &current;
    current.move(*this, g, sameGesture ? &*m_pressed : nullptr, sameGesture && m_dragging);
    emit MouseMove(g.button, g.shift, g.twipsX, g.twipsY);
    emit CursorPos(g.button, g.shift, g.worldX, g.worldY);
}

void Zorvik::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_interactive)
        return;
    const Gesture g = gestureFrom(event->position(), keys::buttonCode(event->button()), event->modifiers());
    if (!m_pressed) {
        emit MouseUp(g.button, g.shift, g.twipsX, g.twipsY);
        return;
    }
    const Gesture pressed = *m_pressed;
    const bool dragged = m_dragging;
    const bool afterDoubleClick = m_afterDoubleClick;
    GestureHandler *handler = m_gestureHandler;
    m_pressed.reset();
    m_dragging = false;
    m_afterDoubleClick = false;
    m_gestureHandler = nullptr;
    if (afterDoubleClick) {
        emit MouseUp(g.button, g.shift, g.twipsX, g.twipsY);
        return;
    }
    GestureOutcome outcome;
    if (handler && handler == &handlerFor(m_mouseMode))
        outcome = handler->release(*this, g, pressed, dragged);
    emit MouseUp(g.button, g.shift, g.twipsX, g.twipsY);
    if (!dragged)
        emit Click(g.button, g.shift, g.worldX, g.worldY);
    if (outcome.rectSelect)
        emit RectSelect(outcome.rect[0], outcome.rect[1], outcome.rect[2], outcome.rect[3]);
    if (outcome.searchEnd)
        emit SearchEnd(outcome.set);
}

void Zorvik::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_interactive)
        return;
    const Gesture g = gestureFrom(event->position(), keys::buttonCode(event->button()), event->modifiers());
    m_pressed = g;
    m_dragging = false;
    m_afterDoubleClick = true;
    m_gestureHandler = &handlerFor(m_mouseMode);
    const GestureOutcome outcome = m_gestureHandler->doubleClick(*this, g);
    emit MouseDown(g.button, g.shift, g.twipsX, g.twipsY);
    emit DblClick(g.button, g.shift, g.worldX, g.worldY);
    if (outcome.searchEnd)
        emit SearchEnd(outcome.set);
}

void Zorvik::keyPressEvent(QKeyEvent *event)
{
    if (!m_interactive) {
        event->ignore();
        return;
    }
    const int key = keys::virtualKey(event->key(), event->modifiers());
    const int shift = keys::shiftMask(event->modifiers());
    if (m_editMode != 0 && key >= 37 && key <= 40) {
        // Pan a quarter of the view in the pressed screen direction.
        const double quarterX = view().size().width() / 4.0, quarterY = view().size().height() / 4.0;
        QPointF d;
        if (key == 37)
            d = {-quarterX, 0};
        else if (key == 39)
            d = {quarterX, 0};
        else if (key == 38)
            d = {0, -quarterY};
        else
            d = {0, quarterY};
        const QPointF middle(view().size().width() / 2.0, view().size().height() / 2.0);
        const QPointF centre = view().deviceToWorld(middle + d);
        panTo(centre.x(), centre.y());
    }
    emit KeyDown(key, shift);
}

void Zorvik::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_interactive)
        emit GotFocus();
}

// ---- feedback set by the handlers

void Zorvik::setRubberBand(std::optional<QRectF> deviceRect)
{
    m_rubberBand = deviceRect;
    update();
}

void Zorvik::setRubberLine(const QPolygonF &worldPoints, std::optional<QPointF> pointer)
{
    m_rubberLine = worldPoints;
    m_rubberPointer = pointer;
    update();
}

void Zorvik::setPanOffset(QPointF devicePx)
{
    m_panOffset = devicePx;
    update();
}

void Zorvik::setPointerAt(std::optional<QPointF> world)
{
    m_pointerWorld = world;
    if (!m_shapeX.empty())
        update();
}

} // namespace zorvik
