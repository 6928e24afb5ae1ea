#pragma once
// A one-line label that keeps its whole text visible: a text wider than the
// label is drawn in a smaller font instead of being cut off. Figures laid
// out for a narrow font of another platform (padded to a fixed number of
// characters) would otherwise lose their leading digits.
#include <QFont>
#include <QLabel>

namespace veltra::ui {

// The font to draw `text` in within `width` pixels: `font` itself when the
// text fits, else the same font scaled down (never below 5 points).
QFont fittedFont(const QString &text, const QFont &font, int width);

class FittingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FittingLabel(const QString &text = QString(), QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace veltra::ui
