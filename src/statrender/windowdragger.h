#pragma once
// Moves a window when it is dragged with the left button held down over the
// window itself or over one of the widgets watched. The window system's move
// (QWindow::startSystemMove) is used where the platform offers it, so the
// window moves as if its caption had been grabbed; elsewhere the window
// follows the mouse. Any other button, or the left one together with
// another, does nothing.
#include <QObject>
#include <QPoint>

class QWidget;

namespace veltra::statrender {

class WindowDragger : public QObject
{
public:
    explicit WindowDragger(QWidget *window);
    // Drags over `w` (a child of the window) move the window too.
    void watch(QWidget *w);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Drag { None, System, Follow };
    QWidget *m_window = nullptr;
    Drag m_drag = Drag::None;
    bool m_pressed = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};

} // namespace veltra::statrender
