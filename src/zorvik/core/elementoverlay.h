#pragma once
// The document's unsaved element changes, kept in memory over the saved
// files: elements entered since the last save, saved elements deleted since,
// and mesh elements newly marked deleted (tombstones). SaveMap writes the
// overlay to the store in one transaction and then clears it; closing without
// saving simply drops it. The overlay never touches a file itself.
#include "zorvik/core/elementstore.h"
#include "zorvik/core/storedelement.h"

#include <cstdint>
#include <map>
#include <set>
#include <unordered_set>
#include <vector>

namespace zorvik {

class ElementOverlay
{
public:
    // --- entered elements (ids of the document store, not yet saved)
    void putAdded(std::int64_t id, PackedElement element);
    bool removeAdded(std::int64_t id, PackedElement *removed = nullptr);
    const PackedElement *added(std::int64_t id) const;
    const std::map<std::int64_t, PackedElement> &addedElements() const { return m_added; }

    // --- saved store elements deleted since the last save
    void markStoreDeleted(std::int64_t id) { m_deletedStore.insert(id); }
    void unmarkStoreDeleted(std::int64_t id) { m_deletedStore.erase(id); }
    bool isStoreDeleted(std::int64_t id) const { return m_deletedStore.count(id) != 0; }
    const std::unordered_set<std::int64_t> &deletedStore() const { return m_deletedStore; }

    // --- mesh elements deleted since the last save
    void addTombstone(const Tombstone &t) { m_newTombstones.insert({t.mesh, t.id}); }
    void removeTombstone(const Tombstone &t) { m_newTombstones.erase({t.mesh, t.id}); }
    bool hasTombstone(const Tombstone &t) const { return m_newTombstones.count({t.mesh, t.id}) != 0; }
    std::vector<Tombstone> newTombstones() const;

    bool isEmpty() const { return m_added.empty() && m_deletedStore.empty() && m_newTombstones.empty(); }
    void clear();

    // Visits the entered elements whose box meets `box` (source Store).
    bool forEachAddedInBox(const WorldBox &box, const ElementVisitor &visit) const;

private:
    std::map<std::int64_t, PackedElement> m_added;
    std::unordered_set<std::int64_t> m_deletedStore;
    std::set<std::pair<QString, std::int64_t>> m_newTombstones;
};

} // namespace zorvik
