#pragma once
// ElementBatch: one walk of the document over the visible box that sorts the
// elements to draw into their drawing order - vectors before connectors,
// space order then kind order, each kind by temporal state - with vector
// points already turned into merged device runs. The base map and the
// statistics (level 9) elements are kept apart, so that their two layers draw
// from the same walk.
//
// Filters: a kind must be defined and displayed; base-map kinds must be in
// their scale range (statistics elements show at every scale); connector
// kinds must belong to a space; elements outside the date range are skipped.
#include "zorvik/core/document.h"
#include "zorvik/render/devicepath.h"
#include "zorvik/render/elementpainter.h"

#include <QPolygonF>
#include <QString>
#include <vector>

namespace zorvik {

class ElementBatch
{
public:
    ElementBatch(const Catalog &catalog, const ViewTransform &view, DateRange dates, const QRectF &target,
        bool vectorsOnly);

    void collect(const Document &document);
    // Paints the base map (level9 false) or the statistics elements (true).
    void paint(const ElementPainter &painter, bool level9) const;

    std::size_t elementCount() const { return m_count; }

private:
    struct Label
    {
        double x, y;
        QString key;
    };
    struct Group
    {
        std::vector<QPolygonF> runs;
        std::vector<QPointF> dots;
        std::vector<Label> labels;
    };
    void rank();
    Group *group(bool level9, int rank, TemporalState state);

    const Catalog &m_catalog;
    const ViewTransform &m_view;
    DateRange m_dates;
    QRectF m_target;
    QRectF m_labelTarget;
    bool m_vectorsOnly;
    DevicePathBuilder m_paths;
    std::vector<int> m_vectorRank; // by kind id, -1 = not drawn
    std::vector<int> m_connectorRank;
    std::vector<const VectorKind *> m_vectorOfRank;
    std::vector<const ConnectorKind *> m_connectorOfRank; // index rank - vector kinds
    std::vector<Group> m_groups[2];
    std::size_t m_count = 0;
};

} // namespace zorvik
