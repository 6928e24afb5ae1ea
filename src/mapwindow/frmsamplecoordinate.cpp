#include "mapwindow/frmsamplecoordinate.h"

#include "mapwindow/pointertext.h"
#include "platform/vb/format.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <cmath>

namespace veltra::mapwindow {

namespace {

QString positionText(const QString &latitude, const QString &longitude)
{
    return QStringLiteral("北緯 ") + latitude + QStringLiteral(" 東経 ") + longitude;
}

QString dms(const std::array<double, 3> &parts)
{
    return vb::format(parts[0], QStringLiteral("000")) + QLatin1Char('.')
        + vb::format(parts[1], QStringLiteral("00")) + QLatin1Char('.')
        + vb::format(parts[2], QStringLiteral("00"));
}

} // namespace

QString worldDatumText(std::int32_t x, std::int32_t y)
{
    return positionText(dmsText(y, 24), dmsText(x, 122));
}

QString tokyoDatumText(std::int32_t x, std::int32_t y)
{
    double latitude = 0;
    double longitude = 0;
    frmSampleCoordinate::WorldToTokyoDegrees(x, y, latitude, longitude);
    return positionText(
        dms(frmSampleCoordinate::DegreesToDms(latitude)), dms(frmSampleCoordinate::DegreesToDms(longitude)));
}

} // namespace veltra::mapwindow

frmSampleCoordinate::frmSampleCoordinate(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("測地系比較"));
    txtOld = new QLineEdit(this);
    txtNew = new QLineEdit(this);
    for (QLineEdit *box : {txtOld, txtNew}) {
        box->setReadOnly(true);
        box->setMinimumWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("北緯 000.00.00 東経 000.00.00")) + 16);
    }
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("日本測地系："), txtOld);
    layout->addRow(QStringLiteral("世界測地系："), txtNew);
}

void frmSampleCoordinate::setZorvik(zorvik::Zorvik *engine)
{
    if (m_cursor)
        disconnect(m_cursor);
    mobjZor = engine;
    if (engine) {
        m_cursor = connect(engine, &zorvik::Zorvik::CursorPos, this,
            [this](int, int, std::int32_t x, std::int32_t y) { Zorvik_CursorPos(x, y); });
    }
}

void frmSampleCoordinate::WorldToTokyoDegrees(
    std::int32_t x, std::int32_t y, double &latitude, double &longitude)
{
    const double phi = y / 360000.0 + 24;
    const double lambda = x / 360000.0 + 122;
    latitude = phi + 0.00010696 * phi - 0.000017467 * lambda - 0.004602;
    longitude = lambda + 0.000046047 * phi + 0.000083049 * lambda - 0.010041;
}

std::array<double, 3> frmSampleCoordinate::DegreesToDms(double degrees)
{
    const double d = std::floor(degrees);
    const double m = std::floor((degrees - d) * 60);
    const double s = std::floor(((degrees - d) * 60 - m) * 60);
    return {d, m, s};
}

void frmSampleCoordinate::Zorvik_CursorPos(std::int32_t x, std::int32_t y)
{
    txtOld->setText(veltra::mapwindow::tokyoDatumText(x, y));
    txtNew->setText(veltra::mapwindow::worldDatumText(x, y));
}

void frmSampleCoordinate::closeEvent(QCloseEvent *event)
{
    // Closing ends the following, not the mode.
    setZorvik(nullptr);
    gintStoryStepEnd = -1;
    event->accept();
}
