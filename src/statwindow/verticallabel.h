#pragma once
// VerticalLabel: a read-only text written top to bottom, one character under
// the other, as the scatter diagram's Y-axis caption.
//
// Columns run from the right edge to the left: when the text is longer than
// the label is high, it goes on in the next column to the left, as vertical
// Japanese text does. Each character is centred in its column; the column
// width and the step down are the font's line height. A character outside
// the Basic Multilingual Plane counts as one character.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace veltra::statwindow {

class VerticalLabel : public QWidget
{
    Q_OBJECT
public:
    explicit VerticalLabel(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    // The characters of each column, the rightmost column first.
    QStringList columns() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The text split into characters, surrogate pairs kept together.
    QStringList characters() const;
    std::vector<QStringList> columnCharacters() const;
    int step() const;

    QString m_text;
};

} // namespace veltra::statwindow
