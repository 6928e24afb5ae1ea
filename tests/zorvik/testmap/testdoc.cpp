#include "testdoc.h"

#include <gtest/gtest.h>

namespace zorvik::test {

ElementRecord pointsRecord(
    std::int16_t type, std::int16_t kind, const std::vector<std::int32_t> &xy, const QString &key)
{
    ElementRecord r;
    r.Type = type;
    r.PNum = static_cast<std::int32_t>(xy.size() / 2);
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2) {
        r.X.push_back(xy[i]);
        r.Y.push_back(xy[i + 1]);
    }
    r.iPra = {0, 0, kind};
    r.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    r.Key = key;
    return r;
}

ElementRecord connector(std::int16_t kind, std::int32_t x, std::int32_t y, const QString &key)
{
    return pointsRecord(TypeConnector, kind, {x, y}, key);
}

Handle freeSet(Engine &engine, const std::vector<ElementRecord> &records)
{
    Handle set = 0;
    EXPECT_EQ(engine.CreateElementList(set), code::Ok);
    for (const ElementRecord &r : records)
        EXPECT_EQ(engine.AddElementToList(set, r), code::Ok);
    return set;
}

} // namespace zorvik::test
