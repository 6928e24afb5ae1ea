#include "graphs/legendswatch.h"

#include <QPainter>
#include <QToolTip>

namespace {

// An unfilled rectangle in the window-text colour; clicks go to the swatch.
class SwatchOutline : public QWidget
{
public:
    explicit SwatchOutline(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QColor fromBgr(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

LegendSwatch::LegendSwatch(QWidget *parent)
    : QFrame(parent)
    , m_outline(new SwatchOutline(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    setPalette(p);
    const QColor c = p.color(QPalette::Window);
    m_colour = c.red() | (c.green() << 8) | (c.blue() << 16);
}

void LegendSwatch::setColour(std::int32_t bgr)
{
    m_colour = bgr;
    QPalette p = palette();
    p.setColor(QPalette::Window, fromBgr(bgr));
    setPalette(p);
}

void LegendSwatch::mouseDoubleClickEvent(QMouseEvent *event)
{
    QFrame::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
