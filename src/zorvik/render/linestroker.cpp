#include "zorvik/render/linestroker.h"

#include "zorvik/render/coveragemask.h"
#include "zorvik/render/imagebands.h"
#include "zorvik/render/plaintarget.h"
#include "zorvik/render/renderthreads.h"

#include <QImage>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvik {

namespace {

SegmentEnd endOf(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::FlatCap:
        return SegmentEnd::Flat;
    case Qt::RoundCap:
        return SegmentEnd::Round;
    default:
        return SegmentEnd::Square;
    }
}

// The on-stretches of a run under a dash pattern given in device pixels.
template <class PieceFn>
void forEachDash(const QPolygonF &run, const std::vector<double> &pattern, double offset, PieceFn &&piece)
{
    double total = 0;
    for (double d : pattern)
        total += d;
    if (total <= 0)
        return;
    std::size_t index = 0;
    double phase = std::fmod(std::max(0.0, offset), total);
    while (phase >= pattern[index]) {
        phase -= pattern[index];
        index = (index + 1) % pattern.size();
    }
    double remaining = pattern[index] - phase;
    bool on = index % 2 == 0;
    std::vector<QPointF> points;
    if (on)
        points.push_back(run[0]);
    for (int i = 1; i < run.size(); ++i) {
        const QPointF a = run[i - 1], b = run[i];
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        // Not hypot: its care for overflow cost a sixth of a dashed frame.
        const double len = std::sqrt(dx * dx + dy * dy);
        double t = 0;
        while (len - t > remaining) {
            t += remaining;
            const QPointF p = a + (b - a) * (t / len);
            if (on) {
                points.push_back(p);
                piece(points);
                points.clear();
            } else {
                points.assign(1, p);
            }
            on = !on;
            index = (index + 1) % pattern.size();
            remaining = pattern[index];
        }
        remaining -= len - t;
        if (on)
            points.push_back(b);
    }
    if (on && points.size() >= 2)
        piece(points);
}

// The box of all points of `runs`, in one pass (the union of every run's
// boundingRect costs a tenth of a frame of many small outlines).
QRectF boundsOf(const std::vector<QPolygonF> &runs)
{
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const QPolygonF &run : runs)
        for (const QPointF &p : run) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    if (minX > maxX || minY > maxY)
        return {};
    return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
}

// The rows each run spans (painter coordinates), found once for all bands:
// a run reaches a band when the two overlap, which also keeps a run with
// points on both sides of the band but none in it.
std::vector<std::pair<double, double>> rowsOfRuns(const std::vector<QPolygonF> &runs, bool onThreads)
{
    std::vector<std::pair<double, double>> rows(runs.size());
    const int pieces = onThreads ? 16 : 1;
    auto find = [&](int piece) {
        const std::size_t from = runs.size() * static_cast<std::size_t>(piece) / pieces;
        const std::size_t to = runs.size() * static_cast<std::size_t>(piece + 1) / pieces;
        for (std::size_t i = from; i < to; ++i) {
            double top = std::numeric_limits<double>::infinity(), bottom = -top;
            for (const QPointF &p : runs[i]) {
                top = std::min(top, p.y());
                bottom = std::max(bottom, p.y());
            }
            rows[i] = {top, bottom};
        }
    };
    if (onThreads)
        renderthreads::forEach(pieces, find);
    else
        find(0);
    return rows;
}

std::size_t pointsOf(const std::vector<QPolygonF> &runs)
{
    std::size_t n = 0;
    for (const QPolygonF &run : runs)
        n += static_cast<std::size_t>(run.size());
    return n;
}

} // namespace

bool LineStroker::usesCoverage(const QPainter &painter, const QPen &pen)
{
    return pen.style() != Qt::NoPen && pen.brush().style() == Qt::SolidPattern && pen.widthF() > 1.0
        && (painter.renderHints() & QPainter::Antialiasing) && plainImageTarget(painter);
}

void LineStroker::strokeRuns(
    QPainter &painter, const QPen &pen, const std::vector<QPolygonF> &runs, bool reference)
{
    if (runs.empty() || pen.style() == Qt::NoPen)
        return;
    if (reference || !usesCoverage(painter, pen)) {
        if (!reference && pointsOf(runs) >= renderthreads::WorthSplittingPoints
            && ImageBands::available(painter)) {
            const std::vector<std::pair<double, double>> spans = rowsOfRuns(runs, true);
            ImageBands::draw(painter, [&](QPainter &band, const QRect &rows) {
                // Only the runs that reach the band's rows, in painter
                // coordinates (with a margin for the anti-aliasing).
                const double top = -band.deviceTransform().dy() - 2;
                const double bottom = top + rows.height() + 4;
                band.setPen(pen);
                for (std::size_t i = 0; i < runs.size(); ++i)
                    if (spans[i].first <= bottom && spans[i].second >= top)
                        band.drawPolyline(runs[i]);
            });
            return;
        }
        painter.setPen(pen);
        for (const QPolygonF &run : runs)
            painter.drawPolyline(run);
        return;
    }
    auto *image = static_cast<QImage *>(painter.device());
    const QTransform &t = painter.deviceTransform();
    QRect area = image->rect();
    if (painter.hasClipping()) {
        const QRegion clip = painter.clipRegion();
        if (clip.rectCount() > 1) {
            strokeRuns(painter, pen, runs, true);
            return;
        }
        area &= clip.boundingRect().translated(qRound(t.dx()), qRound(t.dy()));
    }
    const double width = pen.widthF();
    QRectF bounds = boundsOf(runs);
    bounds.translate(t.dx(), t.dy());
    area &= bounds.adjusted(-width - 2, -width - 2, width + 2, width + 2).toAlignedRect();
    if (area.isEmpty())
        return;

    const double half = width / 2;
    const SegmentEnd cap = endOf(pen.capStyle());
    const QPointF shift(t.dx(), t.dy());
    // Vertices closer than half the width to the last kept one are merged
    // (the ends are kept): their turns hide inside the line.
    const double merge2 = half * half;
    // Dash lengths are in pen widths; the pattern restarts with every run, as in drawPolyline.
    std::vector<double> pattern;
    const double unit = std::max(1.0, width);
    if (pen.style() != Qt::SolidLine) {
        for (qreal d : pen.dashPattern())
            pattern.push_back(d * unit);
        if (pattern.size() % 2)
            pattern.push_back(pattern.back());
    }
    const double offset = pen.dashOffset() * unit;
    const bool banded = pointsOf(runs) >= renderthreads::WorthSplittingPoints;
    const std::vector<std::pair<double, double>> spans = rowsOfRuns(runs, banded);
    // Marks the runs that reach `rows` (device pixels) in a mask of those rows
    // and blends it; a pixel's coverage does not depend on the mask's area,
    // so the rows can be done apart.
    auto strokeRows = [&](const QRect &rows) {
        CoverageMask mask(rows);
        std::vector<QPointF> points;
        auto mark = [&](const QPointF *p, int n) {
            points.clear();
            points.push_back(p[0] + shift);
            for (int i = 1; i < n; ++i) {
                const QPointF q = p[i] + shift;
                const QPointF d = q - points.back();
                if (i < n - 1 && d.x() * d.x() + d.y() * d.y() < merge2)
                    continue;
                points.push_back(q);
            }
            mask.polyline(points.data(), static_cast<int>(points.size()), half, cap);
        };
        const double top = rows.top() - shift.y() - width - 2;
        const double bottom = rows.bottom() + 1 - shift.y() + width + 2;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (spans[i].first > bottom || spans[i].second < top)
                continue;
            const QPolygonF &run = runs[i];
            if (pattern.empty())
                mark(run.constData(), static_cast<int>(run.size()));
            else
                forEachDash(run, pattern, offset,
                    [&](const std::vector<QPointF> &p) { mark(p.data(), static_cast<int>(p.size())); });
        }
        mask.blendInto(*image, pen.color());
    };
    if (!banded) {
        strokeRows(area);
        return;
    }
    const int count = std::min(ImageBands::bandCount(area.height()), area.height());
    const int rows = (area.height() + count - 1) / count;
    renderthreads::forEach(count, [&](int band) {
        strokeRows(QRect(area.left(), area.top() + band * rows, area.width(),
            std::min(rows, area.bottom() + 1 - (area.top() + band * rows))));
    });
}

} // namespace zorvik
