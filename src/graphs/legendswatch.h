#pragma once
// The colour swatch of one legend row: a framed box filled with a BGR colour
// (&H00BBGGRR), with a rectangle outline at its top-left corner inside that
// is larger than the box's inside, so only its top and left edges show.
// Before it is given a colour it shows the system's tooltip background.
#include <QFrame>
#include <cstdint>

class LegendSwatch : public QFrame
{
    Q_OBJECT

public:
    explicit LegendSwatch(QWidget *parent = nullptr);

    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t bgr);

    // The outline (the legend's shpLegendItem of the row).
    QWidget *outline() const { return m_outline; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QWidget *m_outline = nullptr;
    std::int32_t m_colour = 0;
};
