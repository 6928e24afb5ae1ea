#include "shell/clstooltip.h"

#include "platform/ui/windowplacement.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

namespace veltra::shell {

namespace {

constexpr int kPadding = 6;
constexpr int kTail = 10; // the balloon's tail: height, and half its width
constexpr int kRadius = 8; // the balloon's corners
constexpr int kIconSize = 16;
constexpr int kPointerHeight = 20; // a plain tip keeps below the pointer's shape

QFont titleFont(const QFont &base)
{
    QFont f = base;
    f.setBold(true);
    return f;
}

} // namespace

TipWindow::TipWindow(QWidget *tool, bool balloon, bool centered, int visibleTime, int delayTime)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_tool(tool)
    , m_balloon(balloon)
    , m_centered(centered)
    , m_visibleTime(visibleTime)
    , m_delayTime(delayTime)
    , m_textColour(QToolTip::palette().color(QPalette::ToolTipText))
    , m_backColour(QToolTip::palette().color(QPalette::ToolTipBase))
    , m_delay(new QTimer(this))
    , m_autoPop(new QTimer(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    m_delay->setSingleShot(true);
    m_delay->setInterval(std::max(0, delayTime));
    m_autoPop->setSingleShot(true);
    m_autoPop->setInterval(std::max(0, visibleTime));
    connect(m_delay, &QTimer::timeout, this, [this] { popUp(QCursor::pos()); });
    connect(m_autoPop, &QTimer::timeout, this, &QWidget::hide);
    if (tool) {
        watch(tool);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(tool)) {
            m_viewport = area->viewport();
            watch(m_viewport);
        }
    }
}

TipWindow::~TipWindow() = default;

void TipWindow::watch(QWidget *widget)
{
    // The tip learns of the pointer from the tool's own mouse moves.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void TipWindow::setText(const QString &text)
{
    m_text = text;
    if (isVisible())
        popUp(QCursor::pos());
}

void TipWindow::setTitle(int icon, const QString &title)
{
    m_icon = icon;
    m_title = title;
    if (isVisible())
        popUp(QCursor::pos());
}

void TipWindow::setTextColour(const QColor &colour)
{
    m_textColour = colour;
    update();
}

void TipWindow::setBackColour(const QColor &colour)
{
    m_backColour = colour;
    update();
}

bool TipWindow::isWaiting() const
{
    return m_delay->isActive();
}

QPixmap TipWindow::iconPixmap() const
{
    QStyle::StandardPixmap which;
    switch (m_icon) {
    case 1:
        which = QStyle::SP_MessageBoxInformation;
        break;
    case 2:
        which = QStyle::SP_MessageBoxWarning;
        break;
    case 3:
        which = QStyle::SP_MessageBoxCritical;
        break;
    default:
        return {};
    }
    return style()->standardIcon(which).pixmap(kIconSize, kIconSize);
}

QSize TipWindow::contentSize() const
{
    const QFontMetrics text(font());
    const QRect textRect = text.boundingRect(QRect(), Qt::TextExpandTabs, m_text);
    int w = textRect.width();
    int h = textRect.height();
    if (!m_title.isEmpty() || !iconPixmap().isNull()) {
        const QFontMetrics bold(titleFont(font()));
        int titleWidth = bold.horizontalAdvance(m_title);
        if (!iconPixmap().isNull())
            titleWidth += kIconSize + (m_title.isEmpty() ? 0 : kPadding);
        w = std::max(w, titleWidth);
        h += std::max(kIconSize, bold.height()) + (m_text.isEmpty() ? 0 : kPadding);
    }
    return QSize(w, h);
}

void TipWindow::popUp(const QPoint &cursor)
{
    const QSize content = contentSize();
    QSize size(content.width() + 2 * kPadding, content.height() + 2 * kPadding);
    if (m_balloon) {
        size.rwidth() = std::max(size.width(), 2 * (kRadius + 2 * kTail));
        size.rheight() += kTail;
    }
    QPoint anchor = cursor + QPoint(0, m_balloon ? 0 : kPointerHeight);
    if (m_centered && m_tool)
        anchor = m_tool->mapToGlobal(QPoint(m_tool->width() / 2, m_tool->height()));
    // A balloon's tail points at the anchor from near its left end; a
    // centred tip or a plain one hangs from it.
    const int anchorX = m_centered ? size.width() / 2 : (m_balloon ? kRadius + 2 * kTail : 0);
    QRect rect(anchor - QPoint(anchorX, 0), size);
    if (const QScreen *screen = QGuiApplication::screenAt(anchor))
        rect = ui::movedInside(rect, screen->availableGeometry());
    m_tailX = std::clamp(anchor.x() - rect.left(), kRadius + kTail, size.width() - kRadius - kTail);
    setGeometry(rect);
    if (m_balloon) {
        const QRect body(0, kTail, size.width(), size.height() - kTail);
        QPainterPath shape;
        shape.addRoundedRect(body, kRadius, kRadius);
        QPainterPath tail;
        tail.moveTo(m_tailX - kTail, kTail + 1);
        tail.lineTo(m_tailX, 0);
        tail.lineTo(m_tailX + kTail, kTail + 1);
        tail.closeSubpath();
        setMask(QRegion(shape.united(tail).toFillPolygon().toPolygon()));
    } else {
        clearMask();
    }
    show();
    update();
    m_autoPop->start();
}

void TipWindow::dismiss()
{
    m_delay->stop();
    m_autoPop->stop();
    hide();
}

bool TipWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tool || watched == m_viewport) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            if (!isVisible() && !m_delay->isActive())
                m_delay->start();
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Hide:
            dismiss();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TipWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor border = palette().color(QPalette::Shadow);
    QRect body = rect();
    if (m_balloon) {
        body.setTop(kTail);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
        QPainterPath tail;
        tail.moveTo(m_tailX - kTail, kTail + 1);
        tail.lineTo(m_tailX, 0.5);
        tail.lineTo(m_tailX + kTail, kTail + 1);
        tail.closeSubpath();
        p.setPen(QPen(border, 1));
        p.setBrush(m_backColour);
        p.drawPath(shape.united(tail));
    } else {
        p.fillRect(body, m_backColour);
        p.setPen(border);
        p.drawRect(body.adjusted(0, 0, -1, -1));
    }
    p.setPen(m_textColour);
    int y = body.top() + kPadding;
    const QPixmap icon = iconPixmap();
    if (!m_title.isEmpty() || !icon.isNull()) {
        const QFontMetrics bold(titleFont(font()));
        const int line = std::max(kIconSize, bold.height());
        int x = kPadding;
        if (!icon.isNull()) {
            p.drawPixmap(x, y + (line - kIconSize) / 2, icon);
            x += kIconSize + kPadding;
        }
        p.setFont(titleFont(font()));
        p.drawText(QRect(x, y, width() - x - kPadding, line), Qt::AlignVCenter | Qt::AlignLeft, m_title);
        p.setFont(font());
        y += line + kPadding;
    }
    p.drawText(QRect(kPadding, y, width() - 2 * kPadding, body.bottom() - y), Qt::TextExpandTabs, m_text);
}

} // namespace veltra::shell

namespace {

QColor colourOf(std::int32_t rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

} // namespace

clsToolTip::~clsToolTip()
{
    Destroy();
}

void clsToolTip::Create(QWidget *parent)
{
    Destroy();
    auto *tip = new veltra::shell::TipWindow(parent, m_style == 1, m_centered, m_visibleTime, m_delayTime);
    tip->setText(m_tipText);
    if (!m_title.isEmpty() || m_icon != 0)
        tip->setTitle(m_icon, m_title);
    if (m_foreColor != 0)
        tip->setTextColour(colourOf(m_foreColor));
    if (m_backColor != 0)
        tip->setBackColour(colourOf(m_backColor));
    m_tip = tip;
}

void clsToolTip::Destroy()
{
    delete m_tip.data();
    m_tip = nullptr;
}

void clsToolTip::setIcon(std::int32_t icon)
{
    m_icon = icon;
    applyTitle();
}

void clsToolTip::setTitle(const QString &title)
{
    m_title = title;
    applyTitle();
}

void clsToolTip::applyTitle()
{
    if (m_tip && !m_title.isEmpty() && m_icon != 0)
        m_tip->setTitle(m_icon, m_title);
}

void clsToolTip::setForeColor(std::int32_t colour)
{
    m_foreColor = colour;
    if (m_tip)
        m_tip->setTextColour(colourOf(colour));
}

void clsToolTip::setBackColor(std::int32_t colour)
{
    m_backColor = colour;
    if (m_tip)
        m_tip->setBackColour(colourOf(colour));
}

void clsToolTip::setTipText(const QString &text)
{
    m_tipText = text;
    if (m_tip)
        m_tip->setText(text);
}
