#pragma once
// RecordingCanvas: a GraphCanvas that draws nothing and keeps every shape and
// text with the pen, brush and font current when it was drawn, in call order.
// Tests check the graph routines' coordinates and shapes on it exactly.
#include "graphs/graphcanvas.h"

#include <vector>

struct CanvasCall
{
    enum Kind { Rectangle, Ellipse, Pie, Line, Text };

    Kind kind = Rectangle;
    GraphBox box; // Rectangle, Ellipse, Pie
    QPoint from; // Pie: first radial; Line: start; Text: top-left
    QPoint to; // Pie: second radial; Line: end
    QString text;
    GraphPen pen;
    GraphBrush brush;
    QFont font;
};

class RecordingCanvas : public GraphCanvas
{
public:
    explicit RecordingCanvas(const QFont &font = QFont());

    GraphPen selectPen(const GraphPen &pen) override;
    GraphBrush selectBrush(const GraphBrush &brush) override;
    QFont selectFont(const QFont &font) override;

    void rectangle(const GraphBox &box) override;
    void ellipse(const GraphBox &box) override;
    void pie(const GraphBox &box, QPoint from, QPoint to) override;
    void moveTo(QPoint at) override;
    void lineTo(QPoint to) override;
    void textOut(QPoint at, const QString &text) override;

    const std::vector<CanvasCall> &calls() const { return m_calls; }
    // The calls of one kind, in order.
    std::vector<CanvasCall> callsOf(CanvasCall::Kind kind) const;
    void clear() { m_calls.clear(); }

    GraphPen currentPen() const { return m_pen; }
    GraphBrush currentBrush() const { return m_brush; }
    QFont currentFont() const { return m_font; }

private:
    CanvasCall make(CanvasCall::Kind kind) const;

    std::vector<CanvasCall> m_calls;
    GraphPen m_pen;
    GraphBrush m_brush;
    QFont m_font;
    QPoint m_position;
};
