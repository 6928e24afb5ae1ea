#include "zorvik/core/setregistry.h"

#include <atomic>

namespace zorvik {

namespace {
// One counter for every engine of the program run: a handle is never reused.
std::atomic<Handle> g_nextSetHandle{1};
} // namespace

Handle ElementSet::append(SetEntry entry)
{
    m_entries.push_back(std::move(entry));
    return static_cast<Handle>(m_entries.size());
}

SetEntry *ElementSet::entry(Handle elem)
{
    if (elem < 1 || static_cast<std::size_t>(elem) > m_entries.size())
        return nullptr;
    SetEntry &e = m_entries[elem - 1];
    return e.dropped ? nullptr : &e;
}

const SetEntry *ElementSet::entry(Handle elem) const
{
    return const_cast<ElementSet *>(this)->entry(elem);
}

Handle ElementSet::next(Handle elem) const
{
    if (elem < 0)
        return 0;
    for (std::size_t i = static_cast<std::size_t>(elem); i < m_entries.size(); ++i)
        if (!m_entries[i].dropped)
            return static_cast<Handle>(i + 1);
    return 0;
}

bool ElementSet::drop(Handle elem)
{
    SetEntry *e = entry(elem);
    if (!e)
        return false;
    e->dropped = true;
    e->record = {};
    return true;
}

std::size_t ElementSet::liveCount() const
{
    std::size_t n = 0;
    for (const SetEntry &e : m_entries)
        n += e.dropped ? 0 : 1;
    return n;
}

Handle SetRegistry::create()
{
    const Handle h = g_nextSetHandle.fetch_add(1);
    m_sets.emplace(h, ElementSet());
    return h;
}

Handle SetRegistry::createFromRefs(const std::vector<ElementRef> &refs)
{
    const Handle h = create();
    ElementSet &set = m_sets[h];
    set.entries().reserve(refs.size());
    for (const ElementRef &r : refs) {
        SetEntry e;
        e.ref = r;
        set.append(std::move(e));
    }
    return h;
}

ElementSet *SetRegistry::find(Handle set)
{
    auto it = m_sets.find(set);
    return it == m_sets.end() ? nullptr : &it->second;
}

const ElementSet *SetRegistry::find(Handle set) const
{
    auto it = m_sets.find(set);
    return it == m_sets.end() ? nullptr : &it->second;
}

void SetRegistry::release(Handle set)
{
    m_sets.erase(set);
}

} // namespace zorvik
