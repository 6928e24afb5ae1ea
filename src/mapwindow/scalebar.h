#pragma once
// ScaleBar: the map window's scale bar (Picture3). A bar of 4 cm on the
// screen with end ticks (the lines Line1(0) to (2)) and above it the label
// Label3 with the real length the bar stands for (mdlScale). It lies over the
// map's lower right corner; the user can drag it away and the next layout
// puts it back.
#include <QLabel>
#include <QWidget>

namespace veltra::mapwindow {

class ScaleBar : public QWidget
{
    Q_OBJECT
public:
    explicit ScaleBar(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;

    // Length of the bar in pixels: 4 cm at the logical DPI.
    int barLength() const;

    QLabel *Label3 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace veltra::mapwindow
