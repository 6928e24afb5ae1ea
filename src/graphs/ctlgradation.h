#pragma once
// ctlGradation: the choice of the colour ramp of a choropleth map.
//
// A drop-down list cmbGradient of the 34 named ramps (gradientramp.h) over
// the chosen ramp drawn in the picture box picContainer; while a mouse button
// is held over the ramp, lblRGB(0..2) show the red, green and blue bytes of
// the pixel under the mouse. Entry 0 ("赤－白 グラデーション") is chosen at
// creation. Laid out in twips: the control 4800 × 750 at least, the list at
// the top (height 300), the ramp below it from 360 (height 350), the RGB
// labels from 840, below what the minimum height shows.
//
// Color(lngPer) is computed from the ramp's end colours as if the ramp were
// drawn 313 pixels wide (its width at 96 dpi), so class colours depend
// neither on the screen nor on the widget having been painted. Colours are
// BGR (&H00BBGGRR).
#include <QWidget>
#include <array>
#include <cstdint>

class PictureBox;
class QComboBox;
class QLabel;

class ctlGradation : public QWidget
{
    Q_OBJECT

public:
    // The ramp width Color() answers for, in pixels.
    static constexpr std::int32_t DesignRampWidth = 313;

    explicit ctlGradation(QWidget *parent = nullptr);

    // Draws the ramp of the current choice.
    void InitDraw();
    // The name of the chosen ramp; "" when none is chosen.
    QString getColorName() const;
    // The colour at lngPer percent of the ramp (0 becomes 1, for the caller
    // too); 0 outside the ramp.
    std::int32_t Color(std::int32_t &lngPer) const;
    // A name read back from an analysis header does not change the choice.
    void setGradationData(const QString &strData);

    QComboBox *cmbGradient() const { return m_cmbGradient; }
    PictureBox *picContainer() const { return m_picContainer; }
    QLabel *lblRGB(int index) const { return m_lblRGB.at(static_cast<std::size_t>(index)); }

signals:
    // Declared for hosts that listen; the control never raises it.
    void ColorRequest(std::int32_t &lngColor);
    // The user's (or the code's) choice has redrawn the ramp.
    void GradationChange();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmbGradient_Click();
    void DrawRamp();
    void showColourAt(QPoint at);
    int tx(int twips) const;
    int ty(int twips) const;

    QComboBox *m_cmbGradient = nullptr;
    PictureBox *m_picContainer = nullptr;
    std::array<QLabel *, 3> m_lblRGB{};
};
