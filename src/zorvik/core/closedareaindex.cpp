#include "zorvik/core/closedareaindex.h"

#include <QFile>
#include <sys/stat.h>

namespace zorvik {

bool ClosedAreaIndex::stampOf(const QString &path, Stamp &stamp)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

void ClosedAreaIndex::start(const Stamp &stamp)
{
    clear();
    m_stamp = stamp;
}

bool ClosedAreaIndex::add(const StoredElement &element, const WorldBox &treeBox)
{
    const std::int64_t bytes = std::int64_t(element.pointCount) * 8 + element.keyBytes + std::int64_t(sizeof(ElementCopy));
    if (m_tooLarge || m_bytes + bytes > MaxBytes) {
        m_tooLarge = true;
        m_treeBoxes.clear();
        m_areas.clear();
        m_treeBoxes.shrink_to_fit();
        m_areas.shrink_to_fit();
        return false;
    }
    m_bytes += bytes;
    m_treeBoxes.push_back(treeBox);
    m_areas.push_back(ElementCopy::of(element));
    return true;
}

void ClosedAreaIndex::clear()
{
    m_stamp = {};
    m_filled = false;
    m_tooLarge = false;
    m_bytes = 0;
    m_treeBoxes.clear();
    m_areas.clear();
}

void ClosedAreaIndex::forEachAt(
    std::int32_t x, std::int32_t y, std::int32_t source, const ElementVisitor &visit) const
{
    for (std::size_t i = 0; i < m_treeBoxes.size(); ++i) {
        const WorldBox &b = m_treeBoxes[i];
        if (b.minX > x || b.maxX < x || b.minY > y || b.maxY < y)
            continue;
        if (!visit(m_areas[i].view(source)))
            return;
    }
}

} // namespace zorvik
