#include "zorvik/core/drawingindex.h"

#include <atomic>

namespace zorvik {

namespace {
// What the copies of every open file hold together (mesh files each have one).
std::atomic<std::int64_t> g_totalBytes{0};
} // namespace

bool DrawingIndex::reserve(std::int64_t bytes)
{
    if (m_bytes + bytes > MaxBytes)
        return false;
    if (g_totalBytes.fetch_add(bytes) + bytes > TotalMaxBytes) {
        g_totalBytes.fetch_sub(bytes);
        return false;
    }
    m_bytes += bytes;
    return true;
}

void DrawingIndex::start(std::int64_t dataVersion)
{
    clear();
    m_dataVersion = dataVersion;
}

bool DrawingIndex::add(const StoredElement &element)
{
    const std::int64_t bytes
        = std::int64_t(element.pointCount) * 8 + element.keyBytes + std::int64_t(sizeof(Entry)) + 16;
    if (m_tooLarge || !reserve(bytes)) {
        m_tooLarge = true;
        release();
        return false;
    }
    Entry e{ElementCopy::of(element), {}};
    m_byId.emplace(element.ref.id, static_cast<std::uint32_t>(m_entries.size()));
    m_entries.push_back(std::move(e));
    return true;
}

bool DrawingIndex::addCopy(std::int64_t id, int band, const unsigned char *points, std::int32_t count)
{
    if (m_tooLarge)
        return false;
    const auto it = m_byId.find(id);
    if (band < 1 || band > BandCount || count <= 0 || it == m_byId.end())
        return true; // a copy of nothing drawn: ignored, as the file query would
    if (!reserve(std::int64_t(count) * 8)) {
        m_tooLarge = true;
        release();
        return false;
    }
    m_entries[it->second].copies[static_cast<std::size_t>(band - 1)]
        = QByteArray(reinterpret_cast<const char *>(points), qsizetype(count) * 8);
    return true;
}

void DrawingIndex::clear()
{
    m_filled = false;
    m_tooLarge = false;
    m_dataVersion = 0;
    if (m_visits > 0)
        m_releaseAfterVisit = true;
    else
        release();
}

void DrawingIndex::endVisit() const
{
    if (--m_visits == 0 && m_releaseAfterVisit) {
        m_releaseAfterVisit = false;
        if (!m_filled)
            const_cast<DrawingIndex *>(this)->release();
    }
}

void DrawingIndex::release()
{
    g_totalBytes.fetch_sub(m_bytes);
    m_bytes = 0;
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_byId.clear();
}

bool DrawingIndex::view(std::int64_t id, int band, std::int32_t source, StoredElement &out) const
{
    const auto it = m_byId.find(id);
    if (it == m_byId.end())
        return false;
    const Entry &e = m_entries[it->second];
    out = e.element.view(source);
    out.pointsOutliveVisit = true;
    if (band >= 1 && band <= BandCount) {
        const QByteArray &copy = e.copies[static_cast<std::size_t>(band - 1)];
        if (!copy.isEmpty()) {
            out.pointCount = static_cast<std::int32_t>(copy.size() / 8);
            out.points = reinterpret_cast<const unsigned char *>(copy.constData());
        }
    }
    return true;
}

} // namespace zorvik
