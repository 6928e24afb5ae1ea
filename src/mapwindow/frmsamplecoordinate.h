#pragma once
// frmSampleCoordinate: the datum comparison window ("測地系比較"). Follows the
// pointer over the map it was given and shows the position in the world
// geodetic system (the map's datum) and in the older Tokyo datum, so that
// positions taken from old maps can be compared.
//
// World coordinates are hundredths of an arc-second from 24° N and 122° E.
// The world text uses the status bar's floor arithmetic (a point south of
// 24° N reads 023.59.59, not 024.00.-01); the Tokyo text comes from a linear
// datum shift valid for Japan. Seconds are cut, not rounded, in both.
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>

class QLineEdit;
namespace zorvik {
class Zorvik;
}

namespace veltra::mapwindow {

// "北緯 ddd.mm.ss 東経 ddd.mm.ss" of a world point, in either datum.
QString worldDatumText(std::int32_t x, std::int32_t y);
QString tokyoDatumText(std::int32_t x, std::int32_t y);

} // namespace veltra::mapwindow

class frmSampleCoordinate : public QWidget
{
    Q_OBJECT
public:
    explicit frmSampleCoordinate(QWidget *owner = nullptr);

    // The engine whose pointer the window follows (replaces the previous one).
    void setZorvik(zorvik::Zorvik *engine);

    QLineEdit *txtOld = nullptr; // 日本測地系
    QLineEdit *txtNew = nullptr; // 世界測地系

    static void WorldToTokyoDegrees(std::int32_t x, std::int32_t y, double &latitude, double &longitude);
    static std::array<double, 3> DegreesToDms(double degrees);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Zorvik_CursorPos(std::int32_t x, std::int32_t y);

    QPointer<zorvik::Zorvik> mobjZor;
    QMetaObject::Connection m_cursor;
};
