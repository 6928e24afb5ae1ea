#include "shell/coolbar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace veltra::shell {

namespace {
constexpr int kBandGap = 4; // between bands and around the strip
}

CoolBar::CoolBar(QWidget *parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int CoolBar::addBand(QWidget *child, const QString &caption)
{
    Band b;
    b.box = new QWidget(this);
    b.box->setObjectName(QStringLiteral("Band%1").arg(m_bands.size() + 1));
    auto *layout = new QHBoxLayout(b.box);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(2);
    if (!caption.isEmpty()) {
        b.caption = new QLabel(caption, b.box);
        layout->addWidget(b.caption);
    }
    b.child = child;
    child->setParent(b.box);
    layout->addWidget(child);
    m_bands.push_back(b);
    relayout();
    return bandCount();
}

const CoolBar::Band *CoolBar::band(int number) const
{
    if (number < 1 || number > bandCount())
        return nullptr;
    return &m_bands[static_cast<std::size_t>(number - 1)];
}

QWidget *CoolBar::bandChild(int number) const
{
    const Band *b = band(number);
    return b ? b->child : nullptr;
}

QString CoolBar::bandCaption(int number) const
{
    const Band *b = band(number);
    return b && b->caption ? b->caption->text() : QString();
}

void CoolBar::setBandVisible(int number, bool visible)
{
    if (number < 1 || number > bandCount())
        return;
    m_bands[static_cast<std::size_t>(number - 1)].visible = visible;
    relayout();
}

bool CoolBar::bandVisible(int number) const
{
    const Band *b = band(number);
    return b && b->visible;
}

void CoolBar::setBandMinHeight(int number, int height)
{
    if (number < 1 || number > bandCount())
        return;
    m_bands[static_cast<std::size_t>(number - 1)].minHeight = std::max(0, height);
    relayout();
}

int CoolBar::bandMinHeight(int number) const
{
    const Band *b = band(number);
    return b ? b->minHeight : 0;
}

QRect CoolBar::bandGeometry(int number) const
{
    const Band *b = band(number);
    return b && b->visible ? b->box->geometry() : QRect();
}

int CoolBar::layoutBands(int width, bool apply) const
{
    int x = kBandGap;
    int y = kBandGap;
    int rowHeight = 0;
    bool any = false;
    for (const Band &b : m_bands) {
        if (!b.visible) {
            if (apply)
                b.box->hide();
            continue;
        }
        const QSize hint = b.box->sizeHint();
        const int w = std::min(hint.width(), std::max(1, width - 2 * kBandGap));
        const int h = std::max(hint.height(), b.minHeight);
        if (x > kBandGap && x + w > width - kBandGap) {
            x = kBandGap;
            y += rowHeight + kBandGap;
            rowHeight = 0;
        }
        if (apply) {
            b.box->setGeometry(x, y, w, h);
            b.box->show();
        }
        x += w + kBandGap;
        rowHeight = std::max(rowHeight, h);
        any = true;
    }
    return any ? y + rowHeight + kBandGap : 0;
}

int CoolBar::heightForWidth(int width) const
{
    return layoutBands(width, false);
}

QSize CoolBar::sizeHint() const
{
    const int w = width() > 0 ? width() : 640;
    return QSize(w, heightForWidth(w));
}

QSize CoolBar::minimumSizeHint() const
{
    return QSize(0, heightForWidth(width() > 0 ? width() : 640));
}

void CoolBar::relayout()
{
    const int h = layoutBands(width(), true);
    updateGeometry();
    if (h != m_lastHeight) {
        m_lastHeight = h;
        emit heightChanged(h);
    }
}

void CoolBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

bool CoolBar::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        relayout();
    return QWidget::event(event);
}

} // namespace veltra::shell
