#pragma once
// TextPlacement: the texts one frame has drawn, as boxes in device px, so
// that a text whose box would overlap one of them is left out of the frame.
// The boxes are kept in a uniform grid of cells over the frame, so each test
// looks only at the few boxes near the new one. It lives for one render and
// stores nothing between frames: a text left out comes back as soon as a
// later view gives it room.
#include <QRectF>
#include <QString>
#include <vector>

namespace zorvik {

// A text a render drew (box with its halo, device px), for callers that check
// the placement.
struct DrawnText
{
    QRectF box;
    QString text;
};

class TextPlacement
{
public:
    // `frame`: the device area of the target; boxes outside it take no room.
    explicit TextPlacement(const QRectF &frame, double cellPx = 64);

    // True when the box touches the frame and overlaps no placed box; the box
    // is then placed. An empty box is never placed.
    bool place(const QRectF &box);
    std::size_t count() const { return m_boxes.size(); }

private:
    template <typename F> void forCells(const QRectF &box, F &&f);

    QRectF m_frame;
    double m_cell;
    int m_cols, m_rows;
    std::vector<QRectF> m_boxes;
    std::vector<std::vector<int>> m_cells; // indices into m_boxes
};

} // namespace zorvik
