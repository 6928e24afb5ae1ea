#include "statrender/windowdragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace veltra::statrender {

WindowDragger::WindowDragger(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
}

void WindowDragger::watch(QWidget *w)
{
    w->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressed = mouse->buttons() == Qt::LeftButton;
        if (m_pressed) {
            m_pressGlobal = mouse->globalPosition().toPoint();
            m_windowAtPress = m_window->pos();
        }
        m_drag = Drag::None;
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() != Qt::LeftButton) {
            m_drag = Drag::None;
            m_pressed = false;
            break;
        }
        if (!m_pressed) {
            // The press went elsewhere: the drag starts here.
            m_pressed = true;
            m_pressGlobal = mouse->globalPosition().toPoint();
            m_windowAtPress = m_window->pos();
        }
        if (m_drag == Drag::None) {
            QWindow *handle = m_window->windowHandle();
            m_drag = handle && handle->startSystemMove() ? Drag::System : Drag::Follow;
        }
        if (m_drag == Drag::Follow)
            m_window->move(m_windowAtPress + mouse->globalPosition().toPoint() - m_pressGlobal);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_drag = Drag::None;
        m_pressed = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltra::statrender
