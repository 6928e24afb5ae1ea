#include "zorvik/render/elementbatch.h"

#include "zorvik/render/linestroker.h"
#include "zorvik/render/renderthreads.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace zorvik {

namespace {
// Runs of finished frames, emptied with their memory kept: a redraw of a
// large view otherwise gave megabytes back to the system and took them again
// page by page in the next frame.
constexpr std::size_t KeptRuns = 1 << 16;
constexpr qsizetype KeptRunPoints = 1 << 16;
thread_local std::vector<QPolygonF> t_keptRuns;
// The x, y pairs of a walk's vectors, kept with their memory for the same
// reason; grown without zeroing, as every value is copied in.
struct PointBuffer
{
    std::unique_ptr<std::int32_t[]> data;
    std::size_t size = 0, capacity = 0;
    std::int32_t *append(std::size_t n)
    {
        if (size + n > capacity) {
            const std::size_t grown = std::max(size + n, 2 * capacity);
            auto bigger = std::make_unique_for_overwrite<std::int32_t[]>(grown);
            if (size)
                std::memcpy(bigger.get(), data.get(), size * sizeof(std::int32_t));
            data = std::move(bigger);
            capacity = grown;
        }
        std::int32_t *at = data.get() + size;
        size += n;
        return at;
    }
};
thread_local PointBuffer t_points;

QPolygonF keptCopy(const QPointF *points, std::size_t count)
{
    QPolygonF copy;
    if (!t_keptRuns.empty()) {
        copy = std::move(t_keptRuns.back());
        t_keptRuns.pop_back();
    }
    copy.resize(static_cast<qsizetype>(count));
    std::copy(points, points + count, copy.begin());
    return copy;
}
} // namespace

ElementBatch::~ElementBatch()
{
    for (auto &groups : m_groups)
        for (Group &g : groups)
            for (QPolygonF &run : g.runs) {
                if (t_keptRuns.size() >= KeptRuns || run.capacity() > KeptRunPoints || !run.isDetached())
                    continue;
                run.clear();
                t_keptRuns.push_back(std::move(run));
            }
}

ElementBatch::ElementBatch(const Catalog &catalog, const ViewTransform &view, DateRange dates,
    const QRectF &target, bool vectorsOnly)
    : m_catalog(catalog)
    , m_view(view)
    , m_dates(dates)
    , m_target(target)
    , m_labelTarget(target.adjusted(-200, -200, 200, 200))
    , m_vectorsOnly(vectorsOnly)
{
    rank();
}

void ElementBatch::rank()
{
    m_vectorRank.assign(MaxKindId + 1, -1);
    m_connectorRank.assign(MaxKindId + 1, -1);
    for (const Space &space : m_catalog.spaces())
        for (std::int16_t id : space.vectorKinds)
            if (const VectorKind *k = m_catalog.vectorKind(id); k && m_vectorRank[id] < 0) {
                m_vectorRank[id] = static_cast<int>(m_vectorOfRank.size());
                m_vectorOfRank.push_back(k);
            }
    // Defined kinds that no space lists yet still draw, after the others.
    for (const VectorKind &k : m_catalog.vectorKinds())
        if (k.id >= 0 && m_vectorRank[k.id] < 0) {
            m_vectorRank[k.id] = static_cast<int>(m_vectorOfRank.size());
            m_vectorOfRank.push_back(&k);
        }
    const int base = static_cast<int>(m_vectorOfRank.size());
    for (const Space &space : m_catalog.spaces())
        for (std::int16_t id : m_catalog.connectorKindsOfSpace(space.id))
            if (const ConnectorKind *k = m_catalog.connectorKind(id); k && m_connectorRank[id] < 0) {
                m_connectorRank[id] = base + static_cast<int>(m_connectorOfRank.size());
                m_connectorOfRank.push_back(k);
            }
    const std::size_t groups = (m_vectorOfRank.size() + m_connectorOfRank.size()) * 3;
    m_groups[0].resize(groups);
    m_groups[1].resize(groups);
}

ElementBatch::Group *ElementBatch::group(bool level9, int rank, TemporalState state)
{
    return &m_groups[level9 ? 1 : 0][static_cast<std::size_t>(rank * 3 + static_cast<int>(state))];
}

void ElementBatch::collect(const Document &document, bool exactPoints)
{
    const double scale = m_view.scale();
    // The pixel size along the view's finer axis, Y.
    const double worldPerPixel = exactPoints ? 0 : 1.0 / m_view.worldLengthToPixels(1.0);
    document.forEachInBoxForDrawing(m_view.visibleBox(), worldPerPixel, [&](const StoredElement &e) {
        if (e.kind < 0 || e.kind > MaxKindId)
            return true;
        const bool level9 = e.ref.source == ElementRef::Level9;
        int rank = -1;
        if (e.type == TypeVector) {
            rank = m_vectorRank[e.kind];
            if (rank < 0)
                return true;
            const VectorKind *k = m_vectorOfRank[static_cast<std::size_t>(rank)];
            if (k->disp != 1 || (!level9 && !k->range.contains(scale)))
                return true;
        } else if (e.type == TypeConnector) {
            if (m_vectorsOnly)
                return true;
            rank = m_connectorRank[e.kind];
            if (rank < 0)
                return true;
            const ConnectorKind *k
                = m_connectorOfRank[static_cast<std::size_t>(rank - m_vectorOfRank.size())];
            if (k->disp != 1 || (!level9 && !k->range.contains(scale)))
                return true;
        } else {
            return true;
        }
        const TemporalState state = temporalState(e.lPra, m_dates);
        if (state == TemporalState::Absent || e.pointCount <= 0)
            return true;
        Group *g = group(level9, rank, state);
        if (e.type == TypeConnector) {
            const QPointF at = m_view.worldToDevice(e.x(0), e.y(0));
            if (m_labelTarget.contains(at))
                g->labels.push_back(
                    {static_cast<double>(e.x(0)), static_cast<double>(e.y(0)), e.key(), true, {}});
            return true;
        }
        const std::size_t offset = t_points.size / 2;
        if (!e.pointsOutliveVisit)
            std::memcpy(t_points.append(2 * static_cast<std::size_t>(e.pointCount)), e.points,
                8 * static_cast<std::size_t>(e.pointCount));
        m_pending.push_back({g, e.pointsOutliveVisit ? e.points : nullptr, offset, e.pointCount,
            e.pointCount == 1 || e.box.minX != e.box.maxX || e.box.minY != e.box.maxY});
        return true;
    });
    buildPending();
}

namespace {
// The device runs of one chunk of pending vectors, kept from frame to frame
// with their memory.
struct ChunkRuns
{
    std::vector<QPointF> points;
    std::vector<std::pair<std::size_t, std::size_t>> runs; // pending index, end in points
    std::vector<std::pair<std::size_t, QPointF>> dots;
    void clear()
    {
        points.clear();
        runs.clear();
        dots.clear();
    }
};
thread_local std::vector<ChunkRuns> t_chunks;

constexpr std::size_t Chunks = 32;
} // namespace

void ElementBatch::buildPending()
{
    const std::int32_t *points = t_points.data.get();
    std::size_t total = 0;
    for (const Pending &e : m_pending)
        total += static_cast<std::size_t>(e.count);
    // Chunks of about equal points, in walk order.
    std::vector<std::size_t> starts{0};
    if (total >= renderthreads::WorthSplittingPoints) {
        const std::size_t per = total / Chunks + 1;
        std::size_t inChunk = 0;
        for (std::size_t i = 0; i < m_pending.size(); ++i) {
            if (inChunk >= per) {
                starts.push_back(i);
                inChunk = 0;
            }
            inChunk += static_cast<std::size_t>(m_pending[i].count);
        }
    }
    starts.push_back(m_pending.size());
    const int chunkCount = static_cast<int>(starts.size() - 1);
    if (t_chunks.size() < starts.size())
        t_chunks.resize(starts.size());
    std::vector<ChunkRuns> &chunks = t_chunks;
    auto buildChunk = [&](int c) {
        ChunkRuns &out = chunks[static_cast<std::size_t>(c)];
        out.clear();
        const DevicePathBuilder paths(m_view, m_target);
        for (std::size_t i = starts[static_cast<std::size_t>(c)]; i < starts[static_cast<std::size_t>(c) + 1];
             ++i) {
            const Pending &e = m_pending[i];
            const unsigned char *xy
                = e.points ? e.points : reinterpret_cast<const unsigned char *>(points + 2 * e.offset);
            auto point = [xy](int k) {
                std::int32_t v[2];
                std::memcpy(v, xy + 8 * static_cast<std::size_t>(k), sizeof v);
                return QPointF(v[0], v[1]);
            };
            bool drawn = false;
            paths.build(e.count, point, [&](const QPolygonF &run) {
                out.points.insert(out.points.end(), run.cbegin(), run.cend());
                out.runs.emplace_back(i, out.points.size());
                drawn = true;
            });
            if (!drawn && e.dotWhenUndrawn) {
                const QPointF w = point(0);
                const QPointF p = m_view.worldToDevice(w.x(), w.y());
                if (m_target.contains(p))
                    out.dots.emplace_back(i, p);
            }
        }
    };
    if (chunkCount == 1)
        buildChunk(0);
    else
        renderthreads::forEach(chunkCount, buildChunk);
    // Handed to the groups in walk order, so each kind draws as before.
    for (int c = 0; c < chunkCount; ++c) {
        const ChunkRuns &out = chunks[static_cast<std::size_t>(c)];
        std::size_t from = 0, nextDot = 0;
        for (const auto &[i, end] : out.runs) {
            while (nextDot < out.dots.size() && out.dots[nextDot].first < i) {
                m_pending[out.dots[nextDot].first].group->dots.push_back(out.dots[nextDot].second);
                ++nextDot;
            }
            m_pending[i].group->runs.push_back(keptCopy(out.points.data() + from, end - from));
            from = end;
        }
        for (; nextDot < out.dots.size(); ++nextDot)
            m_pending[out.dots[nextDot].first].group->dots.push_back(out.dots[nextDot].second);
    }
    m_pending.clear();
    t_points.size = 0;
}

void ElementBatch::placeTexts(const ElementPainter &measure, const QRectF &frame)
{
    struct Candidate
    {
        bool level9;
        double size;
        Label *label;
        QRectF box;
    };
    std::vector<Candidate> candidates;
    for (int level = 0; level < 2; ++level) {
        auto &groups = m_groups[level];
        for (std::size_t i = m_vectorOfRank.size() * 3; i < groups.size(); ++i) {
            const ConnectorKind &kind = *m_connectorOfRank[i / 3 - m_vectorOfRank.size()];
            for (Label &label : groups[i].labels) {
                ConnectorText text = measure.connectorText(kind, label.x, label.y, label.key);
                label.withText = false;
                if (text.box.isEmpty())
                    continue;
                label.text = {text.box, std::move(text.text)};
                candidates.push_back({level == 1, text.pixelSize, &label, text.box});
            }
        }
    }
    // Collected in drawing order; the statistics layer goes first, then larger texts.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return a.level9 != b.level9 ? a.level9 : a.size > b.size;
    });
    TextPlacement placement(frame);
    for (Candidate &c : candidates)
        c.label->withText = placement.place(c.box);
}

void ElementBatch::paint(const ElementPainter &painter, bool level9, std::vector<DrawnText> *drawn) const
{
    QPainter &p = painter.painter();
    const auto &groups = m_groups[level9 ? 1 : 0];
    const std::size_t vectorGroups = m_vectorOfRank.size() * 3;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group &g = groups[i];
        if (g.runs.empty() && g.dots.empty() && g.labels.empty())
            continue;
        const auto state = static_cast<TemporalState>(i % 3);
        if (i < vectorGroups) {
            const VectorKind &kind = *m_vectorOfRank[i / 3];
            QPen pen = painter.vectorPen(kind, state);
            if (pen.style() == Qt::NoPen)
                continue;
            p.setBrush(Qt::NoBrush);
            LineStroker::strokeRuns(p, pen, g.runs, painter.referenceDrawing());
            if (!g.dots.empty()) {
                pen.setStyle(Qt::SolidLine);
                pen.setCapStyle(Qt::RoundCap);
                pen.setWidthF(std::max(3.0 * painter.pixelRatio(), pen.widthF()));
                p.setPen(pen);
                p.drawPoints(g.dots.data(), static_cast<int>(g.dots.size()));
            }
        } else {
            const ConnectorKind *kind = m_connectorOfRank[i / 3 - m_vectorOfRank.size()];
            for (const Label &label : g.labels) {
                painter.drawConnector(kind, label.x, label.y, label.key, state, std::nullopt, label.withText);
                if (drawn && label.withText && !label.text.box.isEmpty())
                    drawn->push_back(label.text);
            }
        }
    }
}

} // namespace zorvik
