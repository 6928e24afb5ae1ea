#include "graphs/ctlgradation.h"

#include "graphs/gradientramp.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

using namespace veltra;

namespace {

// Layout in twips.
constexpr int ControlWidth = 4800;
constexpr int MinHeight = 750;
constexpr int ListHeight = 300;
constexpr int RampTop = 360;
constexpr int RampHeight = 350;
constexpr int LabelTop = 840;
constexpr std::array<int, 3> LabelLeft{0, 1560, 3360};
constexpr int LabelWidth = 1200;
constexpr int LabelHeight = 255;

} // namespace

ctlGradation::ctlGradation(QWidget *parent)
    : QWidget(parent)
    , m_cmbGradient(new QComboBox(this))
    , m_picContainer(new PictureBox(this))
{
    m_picContainer->setBorderStyle(0);
    const auto &ramps = graphs::gradientRamps();
    for (std::size_t i = 0; i < ramps.size(); ++i)
        m_cmbGradient->addItem(ramps[i].name, static_cast<int>(i));
    for (std::size_t i = 0; i < m_lblRGB.size(); ++i)
        m_lblRGB[i] = new QLabel(this);
    m_picContainer->installEventFilter(this);
    m_picContainer->setMouseTracking(false);
    // Never lower than the list and the ramp.
    setMinimumHeight(ty(MinHeight));
    resize(tx(ControlWidth), ty(MinHeight));
    m_cmbGradient->setCurrentIndex(0);
    connect(m_cmbGradient, &QComboBox::currentIndexChanged, this, [this] { cmbGradient_Click(); });
    // Selecting entry 0 by code runs the choice handler, as a click would.
    cmbGradient_Click();
}

int ctlGradation::tx(int twips) const
{
    return ui::twipsToPixels(twips, logicalDpiX());
}

int ctlGradation::ty(int twips) const
{
    return ui::twipsToPixels(twips, logicalDpiY());
}

void ctlGradation::InitDraw()
{
    DrawRamp();
}

QString ctlGradation::getColorName() const
{
    return m_cmbGradient->currentIndex() < 0 ? QString() : m_cmbGradient->currentText();
}

std::int32_t ctlGradation::Color(std::int32_t &lngPer) const
{
    if (lngPer == 0)
        lngPer = 1;
    const double x = vb::roundHalfEven(lngPer / 100.0 * DesignRampWidth - 1);
    if (x < 0 || x >= DesignRampWidth)
        return 0;
    const int index = m_cmbGradient->currentIndex();
    const auto &ramps = graphs::gradientRamps();
    if (index < 0 || index >= static_cast<int>(ramps.size()))
        return 0;
    const std::int32_t colour =
        graphs::rampColour(ramps[static_cast<std::size_t>(index)].ramp, static_cast<std::int32_t>(x), DesignRampWidth);
    return colour < 0 ? 0 : colour;
}

void ctlGradation::setGradationData(const QString &strData)
{
    Q_UNUSED(strData);
}

void ctlGradation::cmbGradient_Click()
{
    DrawRamp();
    emit GradationChange();
    if (m_cmbGradient->isVisible())
        m_cmbGradient->setFocus();
}

void ctlGradation::DrawRamp()
{
    const int index = m_cmbGradient->currentIndex();
    if (index < 0)
        return;
    const GradientRamp ramp = graphs::gradientRamps()[static_cast<std::size_t>(
        m_cmbGradient->itemData(index).toInt())].ramp;
    const GraphBox client = m_picContainer->clientRect();
    // Every pixel column in its mixture of the two end colours.
    GraphCanvas &dc = m_picContainer->canvas();
    const GraphPen oldPen = dc.selectPen({});
    for (std::int32_t x = client.left; x < client.right; ++x) {
        dc.selectPen({GraphPen::Solid, 1, graphs::rampColour(ramp, x, client.right)});
        dc.moveTo(QPoint(x, client.top));
        dc.lineTo(QPoint(x, client.bottom));
    }
    dc.selectPen(oldPen);
    m_picContainer->update();
}

void ctlGradation::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_cmbGradient->setGeometry(0, 0, width(), ty(ListHeight));
    m_picContainer->setGeometry(0, ty(RampTop), width(), ty(RampHeight));
    for (std::size_t i = 0; i < m_lblRGB.size(); ++i)
        m_lblRGB[i]->setGeometry(tx(LabelLeft[i]), ty(LabelTop), tx(LabelWidth), ty(LabelHeight));
    DrawRamp();
}

bool ctlGradation::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picContainer
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress || mouse->buttons() != Qt::NoButton)
            showColourAt(mouse->position().toPoint() - m_picContainer->contentsRect().topLeft());
    }
    return QWidget::eventFilter(watched, event);
}

void ctlGradation::showColourAt(QPoint at)
{
    const QImage &image = m_picContainer->image();
    if (!image.rect().contains(at))
        return;
    const QColor c = image.pixelColor(at);
    m_lblRGB[0]->setText(QString::number(c.red()));
    m_lblRGB[1]->setText(QString::number(c.green()));
    m_lblRGB[2]->setText(QString::number(c.blue()));
}
