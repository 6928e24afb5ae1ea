#pragma once
// The change journal: undo and redo stacks of small commands (enter elements,
// delete elements), each able to undo and redo itself on the unsaved-change
// overlay. CanUndo / CanRedo derive from the stacks. Saving clears both.
// Statistics work never enters the journal.
#include "zorvik/core/elementoverlay.h"

#include <memory>
#include <vector>

namespace zorvik {

class Change
{
public:
    virtual ~Change() = default;
    virtual void undo(ElementOverlay &overlay) = 0;
    virtual void redo(ElementOverlay &overlay) = 0;
};

// Elements entered into the document store with these ids.
class EnterChange : public Change
{
public:
    explicit EnterChange(std::vector<std::pair<std::int64_t, PackedElement>> elements)
        : m_elements(std::move(elements))
    { }
    void undo(ElementOverlay &overlay) override;
    void redo(ElementOverlay &overlay) override;

private:
    std::vector<std::pair<std::int64_t, PackedElement>> m_elements;
};

// Elements deleted from the document: saved store elements (by id), entered
// but unsaved elements (kept whole, to be put back), and mesh elements.
class DeleteChange : public Change
{
public:
    struct Item
    {
        ElementRef ref;
        bool wasUnsaved = false; // an element entered since the last save
        PackedElement element; // only for wasUnsaved
        Tombstone tombstone; // only for mesh elements
    };
    explicit DeleteChange(std::vector<Item> items)
        : m_items(std::move(items))
    { }
    void undo(ElementOverlay &overlay) override;
    void redo(ElementOverlay &overlay) override;

private:
    std::vector<Item> m_items;
};

class Journal
{
public:
    void push(std::unique_ptr<Change> change);
    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    bool undo(ElementOverlay &overlay);
    bool redo(ElementOverlay &overlay);
    void clear();

private:
    std::vector<std::unique_ptr<Change>> m_done;
    std::vector<std::unique_ptr<Change>> m_undone;
};

} // namespace zorvik
