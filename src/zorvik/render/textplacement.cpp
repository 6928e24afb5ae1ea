#include "zorvik/render/textplacement.h"

#include <algorithm>
#include <cmath>

namespace zorvik {

TextPlacement::TextPlacement(const QRectF &frame, double cellPx)
    : m_frame(frame)
    , m_cell(std::max(1.0, cellPx))
    , m_cols(std::max(1, static_cast<int>(std::ceil(frame.width() / m_cell))))
    , m_rows(std::max(1, static_cast<int>(std::ceil(frame.height() / m_cell))))
    , m_cells(static_cast<std::size_t>(m_cols) * static_cast<std::size_t>(m_rows))
{ }

template <typename F> void TextPlacement::forCells(const QRectF &box, F &&f)
{
    auto col = [&](double x) {
        return std::clamp(static_cast<int>(std::floor((x - m_frame.left()) / m_cell)), 0, m_cols - 1);
    };
    auto row = [&](double y) {
        return std::clamp(static_cast<int>(std::floor((y - m_frame.top()) / m_cell)), 0, m_rows - 1);
    };
    const int c1 = col(box.right()), r1 = row(box.bottom());
    for (int r = row(box.top()); r <= r1; ++r)
        for (int c = col(box.left()); c <= c1; ++c)
            if (!f(m_cells[static_cast<std::size_t>(r * m_cols + c)]))
                return;
}

bool TextPlacement::place(const QRectF &box)
{
    if (box.isEmpty() || !box.intersects(m_frame))
        return false;
    bool free = true;
    forCells(box, [&](const std::vector<int> &cell) {
        for (int i : cell)
            if (m_boxes[static_cast<std::size_t>(i)].intersects(box)) {
                free = false;
                break;
            }
        return free;
    });
    if (!free)
        return false;
    const int index = static_cast<int>(m_boxes.size());
    m_boxes.push_back(box);
    forCells(box, [&](std::vector<int> &cell) {
        cell.push_back(index);
        return true;
    });
    return true;
}

} // namespace zorvik
