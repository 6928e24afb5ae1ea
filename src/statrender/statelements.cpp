#include "statrender/statelements.h"

#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/errors.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QStringList>
#include <exception>

namespace ComPSY {

namespace {

// Type, points and the fixed parameters every statistics element carries.
void fill(ElementInfo &record, std::int16_t type, std::int16_t kind, std::initializer_list<std::int32_t> xy)
{
    record.Type = type;
    record.PNum = static_cast<std::int32_t>(xy.size() / 2);
    record.iPra = {0, 0, kind};
    record.lPra = {0, 0, -1, -1, 0, 0};
    record.lX.assign(static_cast<std::size_t>(record.PNum), 0);
    record.lY.assign(static_cast<std::size_t>(record.PNum), 0);
    auto it = xy.begin();
    for (std::size_t i = 0; i < record.lX.size(); ++i) {
        record.lX[i] = *it++;
        record.lY[i] = *it++;
    }
}

zorvik::ElementRecord toRecord(const ElementInfo &info)
{
    zorvik::ElementRecord r;
    r.Type = info.Type;
    r.PNum = info.PNum;
    r.iPra = info.iPra;
    r.lPra = info.lPra;
    r.X = info.lX;
    r.Y = info.lY;
    r.Key = info.Key;
    return r;
}

enum class Store { Document, Level9 };

// Create, fill, enter, release; the set is released whatever step failed,
// so no refused element leaves a set behind in the engine. The first
// non-zero result is the one reported.
zorvik::Result enter(zorvik::Zorvik &engine, ElementInfo &record, Store store)
{
    zorvik::Handle set = 0;
    zorvik::Result r = engine.CreateElementList(set);
    record.Handle = set;
    if (r == 0)
        r = engine.AddElementToList(set, toRecord(record));
    if (r == 0)
        r = store == Store::Level9 ? engine.AddElementsForLevel9(set) : engine.AddElements(set);
    if (set != 0) {
        const zorvik::Result released = engine.ReleaseElements(set);
        if (r == 0)
            r = released;
    }
    return r;
}

void showCode(const char *procedure, zorvik::Result r)
{
    veltra::ui::MsgBox(QString::fromLatin1(procedure) + QStringLiteral(" OCXエラーコード [")
        + QString::number(r) + QLatin1Char(']'));
}

} // namespace

bool MakePointElement(
    ElementInfo &record, std::int16_t kind, const QString &name, std::int32_t x, std::int32_t y)
{
    fill(record, 3, kind, {x, y});
    record.Key = name;
    return true;
}

bool MakeLineElement(ElementInfo &record, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2)
{
    fill(record, 1, kind, {x1, y1, x2, y2});
    return true;
}

bool MakeFlowLineElement(ElementInfo &record, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4,
    std::int32_t x5, std::int32_t y5)
{
    fill(record, 1, kind, {x1, y1, x2, y2, x3, y3, x4, y4, x5, y5});
    return true;
}

bool PSY_AddElement(zorvik::Zorvik *engine, ElementInfo &record)
{
    if (!engine)
        return false;
    try {
        if (const zorvik::Result r = enter(*engine, record, Store::Document)) {
            showCode("PSY_AddElement", r);
            return false;
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool PSY_AddElementForLevel9(zorvik::Zorvik *engine, ElementInfo &record)
{
    if (!engine)
        return false;
    try {
        if (const zorvik::Result r = enter(*engine, record, Store::Level9)) {
            showCode("PSY_AddElementForLevel9", r);
            return false;
        }
        return true;
    } catch (const std::exception &e) {
        veltra::ui::MsgBox(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

void PSY_AddPointElement(std::int16_t kind, const QString &name)
{
    ElementInfo record;
    if (MakePointElement(record, kind, name, glngPointX[0], glngPointY[0]))
        PSY_AddElement(gobjZor, record);
}

void SetMovedPosition(QString &line, std::int32_t x, std::int32_t y)
{
    QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() < 5)
        throw veltra::vb::SubscriptOutOfRange("SetMovedPosition: the data line has fewer than five fields");
    fields[3] = QString::number(x);
    fields[4] = QString::number(y);
    line = fields.join(QLatin1Char(','));
}

} // namespace ComPSY
