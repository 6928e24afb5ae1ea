#pragma once
// SelectFrame: a frame of the item selector with its caption on the top edge.
//
// The selector's twip geometry puts the buttons of a frame 170 twips (11 px)
// below its top, as drawn for captions 12 px high. A group box of the style
// reserves the font's full line height (about 16 px for the Japanese fonts),
// so the buttons would cover the caption. This frame draws the caption's
// glyphs tight to the top instead, and the border through their middle.
#include <QGroupBox>

class SelectFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit SelectFrame(QWidget *parent = nullptr);
    explicit SelectFrame(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
