#pragma once
// Identity of a document element and the light, zero-copy view of it that
// the element sources hand to searches and drawing.
//
// An element lives in one source: the document's own store, the in-memory
// level-9 (statistics) store, or one of the read-only mesh files opened at
// InitializeMap. ElementRef names it by source and id within that source.
// StoredElement points into memory owned by the source and is valid only
// during the visitor call that received it.
#include "zorvik/core/types.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <functional>

namespace zorvik {

struct ElementRef
{
    static constexpr std::int32_t Store = 0; // the document's own elements
    static constexpr std::int32_t Level9 = 1; // statistics elements (memory only)
    static constexpr std::int32_t FirstMesh = 2; // mesh file i is FirstMesh + i

    std::int32_t source = Store;
    std::int64_t id = 0;

    bool operator==(const ElementRef &) const = default;
    auto operator<=>(const ElementRef &) const = default;
};

// Points are packed as little-endian int32 pairs x0, y0, x1, y1, ...
struct StoredElement
{
    ElementRef ref;
    std::int16_t type = 0;
    std::int16_t kind = 0;
    std::array<std::int16_t, 3> iPra{};
    std::array<std::int32_t, 6> lPra{};
    std::int32_t pointCount = 0;
    const unsigned char *points = nullptr;
    const char *keyUtf8 = nullptr; // not NUL-terminated
    int keyBytes = 0;
    WorldBox box;
    // The points stay where they are after the visit (a store's in-memory
    // drawing copy), as long as the visitor does not change the document:
    // drawing keeps the pointer instead of copying them.
    bool pointsOutliveVisit = false;

    std::int32_t x(int i) const { return read(8 * i); }
    std::int32_t y(int i) const { return read(8 * i + 4); }
    bool isClosed() const
    {
        return type == TypeVector && pointCount >= 4 && x(0) == x(pointCount - 1)
            && y(0) == y(pointCount - 1);
    }
    QString key() const { return QString::fromUtf8(keyUtf8, keyBytes); }

private:
    std::int32_t read(int offset) const
    {
        std::int32_t v;
        std::memcpy(&v, points + offset, sizeof v);
        return v;
    }
};

// A visitor over stored elements; return false to stop the walk.
using ElementVisitor = std::function<bool(const StoredElement &)>;

// Packs and unpacks the points of a record (PNum pairs).
QByteArray packPoints(const ElementRecord &record);
void unpackPoints(const unsigned char *data, std::int32_t count, ElementRecord &record);
// The record of a stored element, as a store's fetch gives it.
void recordOf(const StoredElement &element, ElementRecord &out);
// Bounding box of a record's first PNum points.
WorldBox recordBox(const ElementRecord &record);

// A record kept in memory together with its packed form, so that it can be
// offered to visitors exactly like a row of a store.
struct PackedElement
{
    ElementRecord record;
    QByteArray points;
    QByteArray keyUtf8;
    WorldBox box;

    PackedElement() = default;
    explicit PackedElement(ElementRecord rec);
    StoredElement view(ElementRef ref) const;
};

} // namespace zorvik
