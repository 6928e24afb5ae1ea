#pragma once
// OverlayDrag: lets the user drag the map window's overlays (measuring panel,
// scale bar, compass) with the left button, as if by a title bar. Presses on
// the overlays' own buttons stay with the buttons.
#include <QObject>
#include <QPoint>

class QWidget;

namespace veltra::mapwindow {

class OverlayDrag : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Makes `overlay` draggable within its parent.
    void watch(QWidget *overlay);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dragged = nullptr;
    QPoint m_grab; // press point inside the overlay
};

} // namespace veltra::mapwindow
