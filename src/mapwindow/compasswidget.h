#pragma once
// CompassWidget: the map window's compass (Picture5): a north arrow turned
// against the map's rotation (compassFigure). It keeps the last angle drawn,
// so the drawing persists until the next CompassDrawData. It lies over the
// map's lower left corner and can be dragged away like the scale bar.
#include <QWidget>

namespace veltra::mapwindow {

class CompassWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CompassWidget(QWidget *parent = nullptr);

    // Redraws the compass for map `angle` in degrees.
    void CompassDrawData(double angle);
    double angle() const { return m_angle; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_angle = 0;
};

} // namespace veltra::mapwindow
