#include "statrender/graphmove.h"

#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "statrender/analysislines.h"
#include "statrender/globals.h"
#include "statrender/graphsearch.h"
#include "statrender/statelements.h"
#include "statrender/workfiles.h"
#include "zorvik/widget/zorvik.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace {

using veltra::statrender::ElementEntry;
using veltra::statrender::GraphKind;

const QString kPick = QStringLiteral("PSY_StartMoveElecments");
const QString kDrop = QStringLiteral("PSY_EndMoveElecments");

ElementEntry &entryInUse()
{
    static ElementEntry entry;
    return entry;
}

bool enter(zorvik::Zorvik *engine, ElementInfo &record)
{
    const ElementEntry entry = entryInUse();
    return entry ? entry(engine, record) : ComPSY::PSY_AddElement(engine, record);
}

// The position a graph's name records (fields 4 and 5), or nothing when the
// name is no statistics element name.
std::optional<std::pair<std::int32_t, std::int32_t>> recordedPosition(const QString &key)
{
    const QStringList fields = key.split(QLatin1Char(','));
    if (fields.size() < 6)
        return std::nullopt;
    try {
        return std::make_pair(veltra::vb::cLng(fields.at(4)), veltra::vb::cLng(fields.at(5)));
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

std::vector<ElementInfo> readAll(zorvik::Zorvik &engine, std::int32_t set)
{
    std::vector<ElementInfo> out;
    if (set == 0)
        return out;
    std::int32_t elem = 0;
    ElementInfo info;
    while (veltra::mapwindow::readElementInfo(engine, set, elem, info, 1))
        out.push_back(info);
    return out;
}

void letGoOfPick(zorvik::Zorvik *engine)
{
    if (engine) {
        engine->ReleaseElements(glngPsyMoveSet);
        engine->ReleaseElements(glngPsyMoveLineSet);
    }
    glngPsyMoveSet = 0;
    glngPsyMoveLineSet = 0;
}

// The data file a graph's name points at, when it is one of this program's
// analysis data files in the data folder's DB.
std::optional<QString> ownDataFile(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0 || !veltra::statrender::isAnalysisDataName(path.mid(cut + 1)))
        return std::nullopt;
    const QString folder = QFileInfo(veltra::fs::resolve(path.left(cut))).canonicalFilePath();
    const QString db = QFileInfo(veltra::fs::resolve(gstrDataPath + QStringLiteral("DB"))).canonicalFilePath();
    if (folder.isEmpty() || folder != db)
        return std::nullopt;
    return path;
}

// Writes the moved position into the area's data line. A file that is not
// ours or cannot be read, or a line that is not there, stays as it is.
void writeMovedPosition(const QString &key, std::int32_t x, std::int32_t y)
{
    const QStringList fields = key.split(QLatin1Char(','));
    const std::optional<QString> path = ownDataFile(fields.value(1));
    if (!path)
        return;
    std::vector<QString> lines;
    if (!ComPSY::ReadLines(*path, lines))
        return;
    const std::int32_t count = static_cast<std::int32_t>(lines.size()) - 1;
    try {
        const std::int32_t line = veltra::vb::cLng(fields.value(2));
        if (line < 1 || line > count)
            return;
        ComPSY::SetMovedPosition(lines[static_cast<std::size_t>(line)], x, y);
    } catch (const std::exception &) {
        return;
    }
    if (!ComPSY::WriteLines(*path, lines, count))
        veltra::ui::MsgBox(QStringLiteral("グラフの移動先をデータファイルに書き込めませんでした。\n") + *path,
            veltra::ui::vbExclamation);
}

// Takes the graph just entered at (x, y) off the map again.
void removeEnteredGraph(zorvik::Zorvik &engine, const QString &key, std::int32_t x, std::int32_t y)
{
    engine.setRecognizeElementType(2);
    engine.setRecognizeSearchNum(1);
    engine.setRecognizeLength(veltra::statrender::GraphSearchPixels);
    engine.setSpaceID(GraphKind);
    std::int32_t set = 0, count = 0;
    if (engine.SearchConnectorIDKey(0, &x, &y, GraphKind, 0, key, key, set, count) == 0 && set != 0)
        engine.DeleteElements(set);
    engine.ReleaseElements(set);
}

} // namespace

namespace veltra::statrender {

void setMoveElementEntry(ElementEntry entry)
{
    entryInUse() = std::move(entry);
}

} // namespace veltra::statrender

namespace ComPSY {

void PSY_MoveElementsMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    if (state == StateLeave) {
        // Switched off between pick and drop: the graph stays, unmarked.
        if (engine && glngPsyMoveSet != 0) {
            engine->DrawElements(glngPsyMoveSet, 1, 10, 0, 0);
            engine->Refresh();
        }
        letGoOfPick(engine);
        if (gintPsyMoveState == 2)
            gintPsyMoveState = 1;
        return;
    }
    if (state != StateClick || !engine)
        return;
    if (gintPsyMoveState == 1) {
        if (PSY_MoveStep(engine, 0, glngPointX, glngPointY))
            gintPsyMoveState = 2;
    } else if (gintPsyMoveState == 2) {
        PSY_MoveStep(engine, 1, glngPointX, glngPointY);
        gintPsyMoveState = 1;
    }
}

bool PSY_MoveStep(zorvik::Zorvik *engine, std::int16_t step, const std::array<std::int32_t, 2> &x,
    const std::array<std::int32_t, 2> &y)
{
    engine->setMouseEventMode(0);
    if (step == 0) {
        PSY_StartMoveElecments(engine, x[0], y[0]);
        if (glngPsyMoveSet == 0)
            return false;
        engine->setMouseEventMode(4);
        return true;
    }
    PSY_EndMoveElecments(engine, glngPsyMoveSet, glngPsyMoveLineSet, x[0], y[0]);
    return true;
}

void PSY_StartMoveElecments(zorvik::Zorvik *engine, std::int32_t x, std::int32_t y)
{
    using namespace veltra::statrender;
    letGoOfPick(engine); // nothing is held while waiting for a pick
    std::int32_t set = 0;
    if (const int r = searchGraphAt(*engine, x, y, set)) {
        showEngineFailure(kPick, r);
        return;
    }
    ElementInfo graph;
    std::int32_t elem = 0;
    const bool read = set != 0 && veltra::mapwindow::readElementInfo(*engine, set, elem, graph, 1);
    const auto recorded = read ? recordedPosition(graph.Key) : std::nullopt;
    if (!recorded) {
        // Nothing there, or a connector of the graph kind that belongs to no
        // statistics map: nothing to move.
        engine->ReleaseElements(set);
        veltra::ui::MsgBox(QStringLiteral("対象は見つかりませんでした"), veltra::ui::vbInformation,
            QStringLiteral("移動対象の検索"));
        engine->Refresh();
        return;
    }
    glngPsyMoveSet = set;

    std::int32_t lineSet = 0, found = 0;
    if (const int r = searchLineAt(*engine, recorded->first, recorded->second, lineSet, found)) {
        showEngineFailure(kPick, r);
        return;
    }
    glngPsyMoveLineSet = lineSet;
    if (keepLeaderLinesOf(*engine, lineSet, graph.Key) != 1)
        veltra::ui::MsgBox(QStringLiteral("線分は見つかりませんでした"));

    if (const int r = engine->DrawElements(set, 2, 10, 0, 0)) {
        showEngineFailure(kPick, r);
        return;
    }
    engine->Refresh();
}

void PSY_EndMoveElecments(
    zorvik::Zorvik *engine, std::int32_t graphSet, std::int32_t lineSet, std::int32_t x, std::int32_t y)
{
    using namespace veltra::statrender;
    // The sets are the drop's from here on: released on every way out.
    glngPsyMoveSet = graphSet;
    glngPsyMoveLineSet = lineSet;
    struct Release
    {
        zorvik::Zorvik *engine;
        ~Release() { letGoOfPick(engine); }
    } release{engine};

    ElementInfo graph;
    std::int32_t elem = 0;
    if (graphSet == 0 || !veltra::mapwindow::readElementInfo(*engine, graphSet, elem, graph, 1))
        return;
    const auto recorded = recordedPosition(graph.Key);
    if (!recorded || graph.lX.empty())
        return;
    const std::vector<ElementInfo> oldLines = readAll(*engine, lineSet);

    if (const int r = engine->DrawElements(graphSet, 1, 10, 0, 0)) {
        showEngineFailure(kDrop, r);
        return;
    }
    if (const int r = engine->DeleteElements(graphSet)) {
        showEngineFailure(kDrop, r);
        return;
    }
    if (lineSet != 0) {
        if (const int r = engine->DeleteElements(lineSet)) {
            showEngineFailure(kDrop, r);
            ElementInfo back = graph;
            enter(engine, back);
            engine->Refresh();
            return;
        }
    }
    engine->Refresh();

    ElementInfo moved = graph;
    moved.lX = {x};
    moved.lY = {y};
    const bool graphIn = enter(engine, moved);
    const bool lineIn = graphIn && MakeLineElement(moved, GraphKind, x, y, recorded->first, recorded->second)
        && enter(engine, moved);
    if (!lineIn) {
        // Back to where it was, rather than off the map until the next redraw.
        if (graphIn)
            removeEnteredGraph(*engine, graph.Key, x, y);
        ElementInfo back = graph;
        enter(engine, back);
        for (ElementInfo line : oldLines)
            enter(engine, line);
        engine->Refresh();
        return;
    }
    writeMovedPosition(graph.Key, x, y);
    engine->Refresh();
}

} // namespace ComPSY
