#include "graphs/recordingcanvas.h"

#include <utility>

RecordingCanvas::RecordingCanvas(const QFont &font)
    : m_font(font)
{ }

GraphPen RecordingCanvas::selectPen(const GraphPen &pen)
{
    return std::exchange(m_pen, pen);
}

GraphBrush RecordingCanvas::selectBrush(const GraphBrush &brush)
{
    return std::exchange(m_brush, brush);
}

QFont RecordingCanvas::selectFont(const QFont &font)
{
    return std::exchange(m_font, font);
}

CanvasCall RecordingCanvas::make(CanvasCall::Kind kind) const
{
    CanvasCall call;
    call.kind = kind;
    call.pen = m_pen;
    call.brush = m_brush;
    call.font = m_font;
    return call;
}

void RecordingCanvas::rectangle(const GraphBox &box)
{
    CanvasCall call = make(CanvasCall::Rectangle);
    call.box = box;
    m_calls.push_back(call);
}

void RecordingCanvas::ellipse(const GraphBox &box)
{
    CanvasCall call = make(CanvasCall::Ellipse);
    call.box = box;
    m_calls.push_back(call);
}

void RecordingCanvas::pie(const GraphBox &box, QPoint from, QPoint to)
{
    CanvasCall call = make(CanvasCall::Pie);
    call.box = box;
    call.from = from;
    call.to = to;
    m_calls.push_back(call);
}

void RecordingCanvas::moveTo(QPoint at)
{
    m_position = at;
}

void RecordingCanvas::lineTo(QPoint to)
{
    CanvasCall call = make(CanvasCall::Line);
    call.from = m_position;
    call.to = to;
    m_calls.push_back(call);
    m_position = to;
}

void RecordingCanvas::textOut(QPoint at, const QString &text)
{
    CanvasCall call = make(CanvasCall::Text);
    call.from = at;
    call.text = text;
    m_calls.push_back(call);
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasCall::Kind kind) const
{
    std::vector<CanvasCall> out;
    for (const CanvasCall &call : m_calls)
        if (call.kind == kind)
            out.push_back(call);
    return out;
}
