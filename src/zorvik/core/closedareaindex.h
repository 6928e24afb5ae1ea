#pragma once
// An in-memory copy of the closed vectors (the areas) of one element file,
// for the point-in-area search: a search then neither takes the file's lock
// nor reads its rows again. The store fills it from the file at the first
// such search and empties it whenever it writes; it is used only while the
// file on disk is the one it was filled from (same inode, size and time).
// A file whose areas would take more memory than MaxBytes is not copied and
// is searched in the file as before.
#include "zorvik/core/elementcopy.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <sys/types.h>
#include <vector>

namespace zorvik {

class ClosedAreaIndex
{
public:
    static constexpr std::int64_t MaxBytes = 64 * 1024 * 1024;

    // The file as it is on disk now; false when it cannot be looked at.
    struct Stamp
    {
        dev_t device = 0;
        ino_t inode = 0;
        std::int64_t size = -1;
        std::int64_t modifiedNs = 0;
        bool operator==(const Stamp &) const = default;
    };
    static bool stampOf(const QString &path, Stamp &stamp);

    // True when the copy was filled from the file as it is now (usable, or
    // known to be too large).
    bool isCurrent(const Stamp &stamp) const { return m_filled && stamp == m_stamp; }
    bool isUsable() const { return m_filled && !m_tooLarge; }

    // Filling: start, add each closed vector with the box of its R*Tree
    // entry, finish. add returns false once the copy grows too large.
    void start(const Stamp &stamp);
    bool add(const StoredElement &element, const WorldBox &treeBox);
    void finish() { m_filled = true; }
    void clear();

    // Visits every copied area whose R*Tree box holds the point, in no
    // particular order, with `source` as the source of its ref, until the
    // visitor returns false.
    void forEachAt(std::int32_t x, std::int32_t y, std::int32_t source, const ElementVisitor &visit) const;

private:

    Stamp m_stamp;
    bool m_filled = false;
    bool m_tooLarge = false;
    std::int64_t m_bytes = 0;
    std::vector<WorldBox> m_treeBoxes; // parallel to m_areas, scanned first
    std::vector<ElementCopy> m_areas;
};

} // namespace zorvik
