#pragma once
// MapImageCache: the picture of the map without the set drawings, kept for
// the view and the state it was painted from. A redraw reuses it when the key
// is unchanged (a Refresh after drawing a highlight), and repaints it when the
// view, the document, the definitions, the dates, the colours or the polygon
// drawings changed, or when a full redraw is forced.
#include "zorvik/core/temporalstate.h"
#include "zorvik/render/viewtransform.h"

#include <QImage>
#include <QRgb>
#include <cstdint>

namespace zorvik {

class Document;

struct MapImageKey
{
    ViewTransform view;
    const Document *document = nullptr;
    std::uint64_t documentRevision = 0;
    std::uint64_t catalogRevision = 0;
    std::uint64_t polygonRevision = 0;
    std::uint64_t generation = 0; // grows when a full redraw is forced
    std::int32_t dateFrom = 1, dateTo = 0;
    QRgb background = 0;
    bool vectorsOnly = false;

    bool operator==(const MapImageKey &) const = default;
};

class MapImageCache
{
public:
    bool matches(const MapImageKey &key) const { return m_valid && m_key == key; }
    void store(const MapImageKey &key, QImage image)
    {
        m_key = key;
        m_image = std::move(image);
        m_valid = true;
    }
    void invalidate() { m_valid = false; }
    const QImage &image() const { return m_image; }

private:
    MapImageKey m_key;
    QImage m_image;
    bool m_valid = false;
};

} // namespace zorvik
