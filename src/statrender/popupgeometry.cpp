#include "statrender/popupgeometry.h"

#include "platform/ui/twips.h"
#include "statrender/graphelements.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QVariant>

namespace veltra::statrender {

namespace {

constexpr const char *kTwipsProperty = "veltraTwipsRect";

void applyPixels(QWidget *w, const QRectF &r)
{
    w->setGeometry(ui::twipsToPixelsX(r.left()), ui::twipsToPixelsY(r.top()), ui::twipsToPixelsX(r.width()),
        ui::twipsToPixelsY(r.height()));
}

void setBackground(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

QLabel *boxLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    return label;
}

} // namespace

void placeTwips(QWidget *w, double left, double top, double width, double height)
{
    const QRectF r(left, top, width, height);
    w->setProperty(kTwipsProperty, r);
    applyPixels(w, r);
}

QRectF twipsRect(const QWidget *w)
{
    return w->property(kTwipsProperty).toRectF();
}

void setTopTwips(QWidget *w, double top)
{
    QRectF r = twipsRect(w);
    r.moveTop(top);
    placeTwips(w, r.left(), r.top(), r.width(), r.height());
}

double topTwips(const QWidget *w)
{
    return twipsRect(w).top();
}

double heightTwips(const QWidget *w)
{
    return twipsRect(w).height();
}

QLabel *captionLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel *valueLabel(QWidget *parent, const QString &name, bool rightAligned)
{
    QLabel *label = boxLabel(parent, name);
    setBackground(label, Qt::white);
    label->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

QLabel *borderedLabel(QWidget *parent, const QString &name)
{
    return boxLabel(parent, name);
}

QLabel *copyLabel(const QLabel *row0, const QString &name)
{
    auto *label = new QLabel(row0->text(), row0->parentWidget());
    label->setObjectName(name);
    label->setFrameShape(row0->frameShape());
    label->setLineWidth(row0->lineWidth());
    label->setPalette(row0->palette());
    label->setAutoFillBackground(row0->autoFillBackground());
    label->setAlignment(row0->alignment());
    label->setFont(row0->font());
    const QRectF r = twipsRect(row0);
    placeTwips(label, r.left(), r.top(), r.width(), r.height());
    label->setVisible(!row0->isHidden());
    return label;
}

void setBackColour(QLabel *label, std::int32_t colour)
{
    setBackground(label, QColor(ComPSY::GetRed(colour), ComPSY::GetGreen(colour), ComPSY::GetBlue(colour)));
}

} // namespace veltra::statrender
