#pragma once
// Element sets: lists held for callers, addressed by set handles. An entry is
// either a reference to a document element (search results) or a free record
// that is not in the document (AddElementToList). Element handles are the
// entry's position + 1: unique in their set and stable while other entries are
// dropped. Set handles come from one counter for the whole program run and are
// never reused; releasing is idempotent.
#include "zorvik/core/storedelement.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace zorvik {

struct SetEntry
{
    bool dropped = false; // removed with DeleteElementToList
    std::optional<ElementRef> ref; // set: a document element; else a free record
    ElementRecord record; // the free record (empty for references)
};

class ElementSet
{
public:
    Handle append(SetEntry entry);
    // The entry of an element handle, or nullptr when unknown or dropped.
    SetEntry *entry(Handle elem);
    const SetEntry *entry(Handle elem) const;
    // The first live element after `elem` (0 = from the start); 0 at the end.
    Handle next(Handle elem) const;
    bool drop(Handle elem);
    std::size_t liveCount() const;
    std::vector<SetEntry> &entries() { return m_entries; }
    const std::vector<SetEntry> &entries() const { return m_entries; }

private:
    std::vector<SetEntry> m_entries;
};

class SetRegistry
{
public:
    // A new empty set with a handle never used before in this program run.
    Handle create();
    // A new set holding references, in the given order.
    Handle createFromRefs(const std::vector<ElementRef> &refs);
    ElementSet *find(Handle set);
    const ElementSet *find(Handle set) const;
    // Frees the set; 0, unknown and released handles are fine.
    void release(Handle set);
    void clear() { m_sets.clear(); }
    std::size_t size() const { return m_sets.size(); }

private:
    std::unordered_map<Handle, ElementSet> m_sets;
};

} // namespace zorvik
