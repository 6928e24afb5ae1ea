#pragma once
// A statistics map window over a data folder, ready for graph creation: the
// program folder holds a handle picture, messages are answered by a script,
// and helpers put areas into the selected-area list and items into the item
// selector the way the area and item choosers leave them.
#include "platform/ui/dialogscript.h"
#include "statwindow/frmstatisticsmap.h"
#include "testsupport.h"

#include <QString>
#include <QStringList>
#include <memory>

class PictureBox;

namespace veltra::test {

class GraphCreateBed
{
public:
    // Opens the window on the data folder (ending in a separator).
    explicit GraphCreateBed(const QString &dataFolder, bool withSliderPicture = true);
    ~GraphCreateBed();

    frmStatisticsMap *window() const { return m_window; }

    // Chooses the map kind (option index) with its selector layout and the
    // area level; empties the item selector.
    void choose(int mapKind, std::int32_t anaRange);
    // Appends a selected area by its code columns.
    void addArea(int pref, int city = 0, int town = 0);
    // Puts an item (value folder, field) into selection list k.
    void addItem(int k, const QString &name, const QString &folder, int field);
    // Puts the item selected in the window's own tree into list k.
    void addTreeItem(int k, const QString &nodeKey);

    // Runs graph creation; the messages it showed.
    QStringList create();
    // Boundary handles alive under the preview.
    int handleCount() const;
    QStringList notDatAreas() const;

    ui::DialogScript script;

private:
    TempDir m_program;
    frmStatisticsMap *m_window = nullptr;
    std::size_t m_seenRequests = 0;
};

} // namespace veltra::test
