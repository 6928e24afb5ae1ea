#include "graphs/selectframe.h"

#include <QPainter>
#include <QStyleOptionFrame>

SelectFrame::SelectFrame(QWidget *parent)
    : QGroupBox(parent)
{ }

SelectFrame::SelectFrame(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{ }

void SelectFrame::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter p(this);
    const QFontMetrics metrics(font());
    const QRect glyphs = metrics.tightBoundingRect(QStringLiteral("選択項目(%)"));
    const int captionHeight = glyphs.height();
    // The border runs through the middle of the caption.
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, captionHeight / 2, 0, 0);
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    frame.features = QStyleOptionFrame::None;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &p, this);
    if (title().isEmpty())
        return;
    // Glyphs from the top edge; the text's background hides the border.
    const int baseline = -glyphs.top();
    const QRect textRect(6, 0, metrics.horizontalAdvance(title()) + 4, captionHeight + 1);
    p.fillRect(textRect, palette().brush(backgroundRole()));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(textRect.left() + 2, baseline, title());
}
