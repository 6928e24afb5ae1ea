#include "zorvik/core/journal.h"

namespace zorvik {

void EnterChange::undo(ElementOverlay &overlay)
{
    for (auto &[id, element] : m_elements)
        overlay.removeAdded(id);
}

void EnterChange::redo(ElementOverlay &overlay)
{
    for (const auto &[id, element] : m_elements)
        overlay.putAdded(id, element);
}

void DeleteChange::undo(ElementOverlay &overlay)
{
    for (const Item &item : m_items) {
        if (item.ref.source >= ElementRef::FirstMesh)
            overlay.removeTombstone(item.tombstone);
        else if (item.wasUnsaved)
            overlay.putAdded(item.ref.id, item.element);
        else
            overlay.unmarkStoreDeleted(item.ref.id);
    }
}

void DeleteChange::redo(ElementOverlay &overlay)
{
    for (const Item &item : m_items) {
        if (item.ref.source >= ElementRef::FirstMesh)
            overlay.addTombstone(item.tombstone);
        else if (item.wasUnsaved)
            overlay.removeAdded(item.ref.id);
        else
            overlay.markStoreDeleted(item.ref.id);
    }
}

void Journal::push(std::unique_ptr<Change> change)
{
    m_done.push_back(std::move(change));
    m_undone.clear();
}

bool Journal::undo(ElementOverlay &overlay)
{
    if (m_done.empty())
        return false;
    std::unique_ptr<Change> change = std::move(m_done.back());
    m_done.pop_back();
    change->undo(overlay);
    m_undone.push_back(std::move(change));
    return true;
}

bool Journal::redo(ElementOverlay &overlay)
{
    if (m_undone.empty())
        return false;
    std::unique_ptr<Change> change = std::move(m_undone.back());
    m_undone.pop_back();
    change->redo(overlay);
    m_done.push_back(std::move(change));
    return true;
}

void Journal::clear()
{
    m_done.clear();
    m_undone.clear();
}

} // namespace zorvik
