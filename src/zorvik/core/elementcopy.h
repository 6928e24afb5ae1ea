#pragma once
// An element read from a file, copied out of SQLite's row so that it
// outlives the query: what the in-memory copies of a file keep per element.
#include "zorvik/core/storedelement.h"

#include <QByteArray>
#include <array>
#include <cstdint>

namespace zorvik {

struct ElementCopy
{
    std::int64_t id = 0;
    std::int16_t type = 0;
    std::int16_t kind = 0;
    std::array<std::int16_t, 3> iPra{};
    std::array<std::int32_t, 6> lPra{};
    std::int32_t pointCount = 0;
    QByteArray points;
    QByteArray key;
    WorldBox box; // the element's own box columns

    static ElementCopy of(const StoredElement &e)
    {
        ElementCopy c;
        c.id = e.ref.id;
        c.type = e.type;
        c.kind = e.kind;
        c.iPra = e.iPra;
        c.lPra = e.lPra;
        c.pointCount = e.pointCount;
        c.points = QByteArray(reinterpret_cast<const char *>(e.points), qsizetype(e.pointCount) * 8);
        c.key = QByteArray(e.keyUtf8, e.keyBytes);
        c.box = e.box;
        return c;
    }

    // A view of the copy, valid while it lives, with `source` as its ref's source.
    StoredElement view(std::int32_t source) const
    {
        StoredElement e;
        e.ref = {source, id};
        e.type = type;
        e.kind = kind;
        e.iPra = iPra;
        e.lPra = lPra;
        e.pointCount = pointCount;
        e.points = reinterpret_cast<const unsigned char *>(points.constData());
        e.keyUtf8 = key.constData();
        e.keyBytes = static_cast<int>(key.size());
        e.box = box;
        return e;
    }
};

} // namespace zorvik
