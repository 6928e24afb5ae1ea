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
//
// Texts: placeTexts() decides which connector texts of the frame are written,
// for both layers at once. The statistics texts (ranks, values) are placed
// before the base map's names: they sit on the same points as the names and
// are what a statistics map is about. Within a layer larger texts go first,
// then texts in drawing order. A text whose box would overlap a placed one is
// left out of the frame (its marker, if it has one, is still drawn). Markers
// and graph pictures take no room.
#include "zorvik/core/document.h"
#include "zorvik/render/devicepath.h"
#include "zorvik/render/elementpainter.h"
#include "zorvik/render/textplacement.h"

#include <QPolygonF>
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {

class ElementBatch
{
public:
    ElementBatch(const Catalog &catalog, const ViewTransform &view, DateRange dates, const QRectF &target,
        bool vectorsOnly);
    ~ElementBatch();
    ElementBatch(const ElementBatch &) = delete;
    ElementBatch &operator=(const ElementBatch &) = delete;

    // Walks the visible elements; saved vectors come with their
    // level-of-detail points for the view's pixel size unless `exactPoints`.
    void collect(const Document &document, bool exactPoints = false);
    // Decides which texts are written; `measure` gives their boxes, `frame`
    // is the target's device area. Without it every text is written.
    void placeTexts(const ElementPainter &measure, const QRectF &frame);
    // Paints the base map (level9 false) or the statistics elements (true);
    // appends the texts written to `drawn` when given.
    void paint(const ElementPainter &painter, bool level9, std::vector<DrawnText> *drawn = nullptr) const;

private:
    struct Label
    {
        double x, y;
        QString key;
        bool withText = true;
        DrawnText text; // the placed text, for the callers that check it
    };
    struct Group
    {
        std::vector<QPolygonF> runs;
        std::vector<QPointF> dots;
        std::vector<Label> labels;
    };
    // A vector of the walk, waiting for its device runs; its points are
    // copied aside unless they outlive the walk's views.
    struct Pending
    {
        Group *group;
        const unsigned char *points; // packed x, y pairs; null: copied aside
        std::size_t offset; // in copied points
        int count;
        bool dotWhenUndrawn; // a one-point figure or a feature smaller than a pixel
    };
    void rank();
    Group *group(bool level9, int rank, TemporalState state);
    void buildPending();

    const Catalog &m_catalog;
    const ViewTransform &m_view;
    DateRange m_dates;
    QRectF m_target;
    QRectF m_labelTarget;
    bool m_vectorsOnly;
    std::vector<int> m_vectorRank; // by kind id, -1 = not drawn
    std::vector<int> m_connectorRank;
    std::vector<const VectorKind *> m_vectorOfRank;
    std::vector<const ConnectorKind *> m_connectorOfRank; // index rank - vector kinds
    std::vector<Group> m_groups[2];
    std::vector<Pending> m_pending;
};

} // namespace zorvik
