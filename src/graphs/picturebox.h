#pragma once
// PictureBox: a picture box whose drawing persists.
//
// It keeps a QImage the size of its client area (inside its border) and
// repaints from it, as a picture box with AutoRedraw did; the graph routines
// draw into that image through canvas() and then ask for a repaint with
// update(). A resize keeps the picture at the top left and fills new space
// with the back colour. BorderStyle 0 is no border, 1 a single line.
// Pixel coordinates are those of the client area.
#include "graphs/paintercanvas.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <cstdint>

class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The persistent picture and the canvas that draws on it; both follow a
    // resize at once, also while the box is hidden (when Qt defers its resize
    // event).
    const QImage &image() const;
    GraphCanvas &canvas();

    // GetClientRect: (0, 0) to the client size, right and bottom exclusive.
    GraphBox clientRect() const;

    std::int16_t BorderStyle() const;
    void setBorderStyle(std::int16_t style);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &colour);
    // Fills the whole picture with the back colour (Cls).
    void Cls();
    // The Picture property: the picture drawn at the top left over the back
    // colour (later drawing goes over it).
    void setPicture(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitImage() const;

    mutable QImage m_image;
    QColor m_backColor;
    PainterCanvas m_canvas;
};
