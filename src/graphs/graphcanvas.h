#pragma once
// GraphCanvas: the drawing surface of the graph routines, in the shape of the
// device context they were designed for.
//
// A canvas keeps a current pen, brush and font, as a device context does;
// shapes are drawn with what is current. Coordinates are whole device pixels
// of the picture's client area, y pointing down. Boxes follow the device
// context's rule (GraphBox): `right` and `bottom` are one past the last pixel
// column and row. Colours are BGR Longs (&H00BBGGRR).
//
// Two backends: PainterCanvas draws on a picture box's persistent image;
// RecordingCanvas keeps every call, so tests check coordinates exactly.
#include <QFont>
#include <QPoint>
#include <QString>
#include <cstdint>

// A pen: style 0 solid, 2 dot, 5 none (the device context's codes); width 0
// or 1 is one pixel.
struct GraphPen
{
    static constexpr std::int32_t Solid = 0;
    static constexpr std::int32_t Dot = 2;
    static constexpr std::int32_t Null = 5;

    std::int32_t style = Solid;
    std::int32_t width = 0;
    std::int32_t color = 0;

    bool isNull() const { return style == Null; }
    bool operator==(const GraphPen &) const = default;
};

// A brush: solid in one colour, or none (shapes are then only outlined).
struct GraphBrush
{
    bool null = false;
    std::int32_t color = 0xFFFFFF;

    static GraphBrush solid(std::int32_t bgr) { return {false, bgr}; }
    static GraphBrush none() { return {true, 0}; }
    bool operator==(const GraphBrush &) const = default;
};

// A box of the device context: left, top inclusive; right, bottom exclusive.
struct GraphBox
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const GraphBox &) const = default;
};

class GraphCanvas
{
public:
    virtual ~GraphCanvas() = default;

    // Select a new pen, brush or font and answer the one that was current.
    // A fresh canvas has a black one-pixel pen, a white brush and the
    // picture's font.
    virtual GraphPen selectPen(const GraphPen &pen) = 0;
    virtual GraphBrush selectBrush(const GraphBrush &brush) = 0;
    virtual QFont selectFont(const QFont &font) = 0;

    // Outlined with the pen and filled with the brush.
    virtual void rectangle(const GraphBox &box) = 0;
    virtual void ellipse(const GraphBox &box) = 0;
    // The sector of the ellipse in box swept counter-clockwise (on screen)
    // from the radial through `from` to the radial through `to`.
    virtual void pie(const GraphBox &box, QPoint from, QPoint to) = 0;
    // MoveToEx and LineTo: a line from the current position to `to` (the
    // end pixel left out), which then becomes the current position.
    virtual void moveTo(QPoint at) = 0;
    virtual void lineTo(QPoint to) = 0;
    // The text with its top-left corner at `at`, in the current font.
    virtual void textOut(QPoint at, const QString &text) = 0;
};
