#include "statrender/flowlines.h"

#include "platform/ui/msgbox.h"
#include "statrender/globals.h"
#include "zorvik/widget/zorvik.h"

#include <exception>

namespace ComPSY {

bool DrawRyusen(zorvik::Zorvik *engine, const ElementInfo &record)
{
    if (!engine)
        return false;
    try {
        glngRyusenSets.push_back(0);
        zorvik::Handle set = 0;
        zorvik::Result r = engine->CreateElementList(set);
        glngRyusenSets.back() = set;
        if (r == 0) {
            zorvik::ElementRecord line;
            line.Type = record.Type;
            line.PNum = record.PNum;
            line.iPra = record.iPra;
            line.lPra = record.lPra;
            line.X = record.lX;
            line.Y = record.lY;
            line.Key = record.Key;
            r = engine->AddElementToList(set, line);
        }
        if (r == 0)
            r = engine->DrawElements(set, 16, 0, 0, 0);
        if (r != 0) {
            veltra::ui::MsgBox(
                QStringLiteral("DrawRyusen OCXエラーコード [") + QString::number(r) + QLatin1Char(']'));
            return false;
        }
        return true;
    } catch (const std::exception &) {
        glngRyusenSets.clear();
        return false;
    }
}

bool UnDrawRyusen(zorvik::Zorvik *engine)
{
    if (glngRyusenSets.empty())
        return false;
    for (const std::int32_t set : glngRyusenSets) {
        if (set != 0 && engine) {
            engine->DrawElements(set, 1, 0, 0, 0);
            engine->ReleaseElements(set);
        }
    }
    glngRyusenSets.clear();
    return true;
}

} // namespace ComPSY
