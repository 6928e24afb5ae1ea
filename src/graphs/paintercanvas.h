#pragma once
// PainterCanvas: a GraphCanvas drawing with QPainter on an image, the
// persistent picture of a picture box.
//
// Shapes follow the device context's pixel rules: without antialiasing, the
// outline of a one-pixel pen runs on the outermost pixels of the box (left to
// right - 1, top to bottom - 1); without a pen the fill covers left to
// right - 2 and top to bottom - 2, as a device context leaves the missing
// outline out. Wider pens are centred on that outline. Text is black on a
// transparent background.
#include "graphs/graphcanvas.h"

class QImage;
class QPainter;

class PainterCanvas : public GraphCanvas
{
public:
    // The image must outlive the canvas; it may be replaced (resized) between
    // calls, as long as it stays the same object.
    PainterCanvas(QImage &image, const QFont &font);

    GraphPen selectPen(const GraphPen &pen) override;
    GraphBrush selectBrush(const GraphBrush &brush) override;
    QFont selectFont(const QFont &font) override;

    void rectangle(const GraphBox &box) override;
    void ellipse(const GraphBox &box) override;
    void pie(const GraphBox &box, QPoint from, QPoint to) override;
    void moveTo(QPoint at) override;
    void lineTo(QPoint to) override;
    void textOut(QPoint at, const QString &text) override;

private:
    void begin(QPainter &painter) const;

    QImage &m_image;
    GraphPen m_pen;
    GraphBrush m_brush;
    QFont m_font;
    QPoint m_position;
};
