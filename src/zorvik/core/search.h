#pragma once
// The element searches, run against an open document. A SearchRequest is
// built from the recognition settings at the moment of the call and holds
// every filter already resolved (tolerance in world units, type mask, space,
// limit, dates, pick flag and scale range), so all filtering happens here.
//
// Filters: generic searches honour the pick flag (not the display flag), the
// kind's scale range at the current scale and the date range; elements of
// undefined kinds are never found by them. Kind searches honour nothing.
// Results: references in order (nearest first / smallest area first / store
// order), with the number of vectors and connectors.
#include "zorvik/core/document.h"
#include "zorvik/core/geometry.h"
#include "zorvik/core/temporalstate.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zorvik {

struct SearchRequest
{
    int typeMask = 3; // 1 vectors, 2 connectors
    int limit = 0; // most results; 0 = no limit
    std::optional<std::int16_t> space; // only elements of this space; none = all
    DateRange dates;
    bool usePickFlag = true;
    bool useScaleRange = true;
    double scale = 25000; // current scale denominator
    double tolerance = 0; // world units, for point searches
};

struct SearchResult
{
    std::vector<ElementRef> refs;
    std::int32_t vectors = 0;
    std::int32_t connectors = 0;

    bool isEmpty() const { return refs.empty(); }
};

namespace search {

// True when a stored element passes the request's kind, type, space, flag,
// scale and date filters (not the shape).
bool passesFilters(const Catalog &catalog, const SearchRequest &request, const StoredElement &element);

// Mode 0: elements within the tolerance of the point, nearest first.
SearchResult nearPoint(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y);
// Records of found elements, by reference.
using FoundRecords = std::vector<std::pair<ElementRef, ElementRecord>>;

// Mode 3: closed vectors containing the point, smallest area first. With
// `records`, also the records of the elements found that the document would
// read from a file, taken from the rows the search has already read (in the
// order of the result), so that the caller need not read them again.
SearchResult containing(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y,
    FoundRecords *records = nullptr);
// Mode 4: the smallest polygon of the request's space at the point, then every
// element of any space inside it (the polygon itself included), vectors first.
SearchResult insideAreaAt(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y);
// Elements inside any of the rings, in store order.
SearchResult insideRings(
    const Document &doc, const SearchRequest &request, const std::vector<geometry::Ring> &rings);
// Every element of the listed vector and connector kinds, whatever the filters.
SearchResult byKind(const Document &doc, const std::vector<std::int16_t> &vectorKinds,
    const std::vector<std::int16_t> &connectorKinds);
// Connectors of one kind near a point (tolerance) or inside a box, filtered by
// the date range and keys only: key1 <= key <= key2 when both are given, a
// key starting with key1 when only key1 is, any key when both are empty.
SearchResult connectorsNear(const Document &doc, const SearchRequest &request, std::int16_t kind,
    std::int32_t x, std::int32_t y, const QString &key1, const QString &key2);
SearchResult connectorsInBox(const Document &doc, const SearchRequest &request, std::int16_t kind,
    const WorldBox &box, const QString &key1, const QString &key2);

} // namespace search
} // namespace zorvik
