#include "zorvik/core/storedelement.h"

namespace zorvik {

QByteArray packPoints(const ElementRecord &record)
{
    const std::int32_t n = std::max<std::int32_t>(0, record.PNum);
    QByteArray bytes(static_cast<qsizetype>(n) * 8, Qt::Uninitialized);
    char *out = bytes.data();
    for (std::int32_t i = 0; i < n; ++i) {
        std::memcpy(out + 8 * i, &record.X[i], 4);
        std::memcpy(out + 8 * i + 4, &record.Y[i], 4);
    }
    return bytes;
}

void unpackPoints(const unsigned char *data, std::int32_t count, ElementRecord &record)
{
    record.X.resize(count);
    record.Y.resize(count);
    for (std::int32_t i = 0; i < count; ++i) {
        std::memcpy(&record.X[i], data + 8 * i, 4);
        std::memcpy(&record.Y[i], data + 8 * i + 4, 4);
    }
}

void recordOf(const StoredElement &element, ElementRecord &out)
{
    out.Type = element.type;
    out.PNum = element.pointCount;
    out.iPra = element.iPra;
    out.lPra = element.lPra;
    out.Key = element.key();
    unpackPoints(element.points, element.pointCount, out);
}

WorldBox recordBox(const ElementRecord &record)
{
    WorldBox box;
    for (std::int32_t i = 0; i < record.PNum; ++i)
        box.include(record.X[i], record.Y[i]);
    return box;
}

PackedElement::PackedElement(ElementRecord rec)
    : record(std::move(rec))
{
    record.X.resize(record.PNum);
    record.Y.resize(record.PNum);
    points = packPoints(record);
    keyUtf8 = record.Key.toUtf8();
    box = recordBox(record);
}

StoredElement PackedElement::view(ElementRef ref) const
{
    StoredElement e;
    e.ref = ref;
    e.type = record.Type;
    e.kind = record.iPra[2];
    e.iPra = record.iPra;
    e.lPra = record.lPra;
    e.pointCount = record.PNum;
    e.points = reinterpret_cast<const unsigned char *>(points.constData());
    e.keyUtf8 = keyUtf8.constData();
    e.keyBytes = static_cast<int>(keyUtf8.size());
    e.box = box;
    return e;
}

} // namespace zorvik
