#include "statrender/graphsearch.h"

#include "mapwindow/elementinfo.h"
#include "mapwindow/mdlelement.h"
#include "platform/ui/msgbox.h"
#include "zorvik/widget/zorvik.h"

#include <vector>

namespace veltra::statrender {

namespace {

void setRecognition(zorvik::Zorvik &engine, int elementType)
{
    engine.setRecognizeElementType(elementType);
    engine.setRecognizeSearchNum(1);
    engine.setRecognizeLength(GraphSearchPixels);
    engine.setSpaceID(GraphKind);
}

} // namespace

int searchGraphAt(zorvik::Zorvik &engine, std::int32_t x, std::int32_t y, std::int32_t &set)
{
    setRecognition(engine, 2);
    std::int32_t count = 0;
    set = 0;
    const int r = engine.SearchConnectorIDKey(0, &x, &y, GraphKind, 0, QString(), QString(), set, count);
    if (r != 0 && set != 0) {
        engine.ReleaseElements(set);
        set = 0;
    }
    return r;
}

int searchLineAt(zorvik::Zorvik &engine, std::int32_t x, std::int32_t y, std::int32_t &set, std::int32_t &count)
{
    setRecognition(engine, 1);
    std::int32_t vectors = 0, connectors = 0;
    set = 0;
    count = 0;
    const int r = engine.SearchElements(0, x, y, set, count, vectors, connectors);
    if (r != 0 && set != 0) {
        engine.ReleaseElements(set);
        set = 0;
    }
    return r;
}

std::int32_t keepLeaderLinesOf(zorvik::Zorvik &engine, std::int32_t set, const QString &key)
{
    if (set == 0)
        return 0;
    std::vector<std::int32_t> others;
    std::int32_t kept = 0;
    std::int32_t elem = 0;
    ElementInfo info;
    while (mapwindow::readElementInfo(engine, set, elem, info, 0)) {
        if (info.Type == 1 && info.iPra[2] == GraphKind && info.Key == key)
            ++kept;
        else
            others.push_back(elem);
    }
    for (const std::int32_t e : others)
        engine.DeleteElementToList(set, e);
    return kept;
}

void showEngineFailure(const QString &procedure, int code)
{
    ui::MsgBox(procedure + QStringLiteral(" OCXエラーコード [") + QString::number(code) + QLatin1Char(']'));
}

} // namespace veltra::statrender
