#include "mapwindow/overlaydrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace veltra::mapwindow {

void OverlayDrag::watch(QWidget *overlay)
{
    overlay->installEventFilter(this);
}

bool OverlayDrag::eventFilter(QObject *watched, QEvent *event)
{
    auto *overlay = qobject_cast<QWidget *>(watched);
    if (!overlay)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton)
            return false;
        m_dragged = overlay;
        m_grab = e->position().toPoint();
        overlay->raise();
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (m_dragged != overlay || !(e->buttons() & Qt::LeftButton))
            return false;
        overlay->move(overlay->mapToParent(e->position().toPoint()) - m_grab);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragged == overlay) {
            m_dragged = nullptr;
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace veltra::mapwindow
