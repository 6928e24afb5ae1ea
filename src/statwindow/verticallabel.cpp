#include "statwindow/verticallabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace veltra::statwindow {

VerticalLabel::VerticalLabel(QWidget *parent)
    : QWidget(parent)
{
}

void VerticalLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

QStringList VerticalLabel::characters() const
{
    QStringList out;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        if (m_text[i].isHighSurrogate() && i + 1 < m_text.size() && m_text[i + 1].isLowSurrogate()) {
            out << m_text.mid(i, 2);
            ++i;
        } else {
            out << m_text.mid(i, 1);
        }
    }
    return out;
}

int VerticalLabel::step() const
{
    return std::max(1, QFontMetrics(font()).height());
}

std::vector<QStringList> VerticalLabel::columnCharacters() const
{
    const QStringList chars = characters();
    const int perColumn = std::max(1, height() / step());
    std::vector<QStringList> out;
    for (qsizetype i = 0; i < chars.size(); i += perColumn)
        out.push_back(chars.mid(i, perColumn));
    return out;
}

QStringList VerticalLabel::columns() const
{
    QStringList out;
    for (const QStringList &column : columnCharacters())
        out << column.join(QString());
    return out;
}

void VerticalLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int h = step();
    const std::vector<QStringList> cols = columnCharacters();
    for (std::size_t c = 0; c < cols.size(); ++c) {
        const int right = width() - static_cast<int>(c) * h;
        for (qsizetype r = 0; r < cols[c].size(); ++r)
            painter.drawText(QRect(right - h, static_cast<int>(r) * h, h, h), Qt::AlignCenter, cols[c][r]);
    }
}

} // namespace veltra::statwindow
