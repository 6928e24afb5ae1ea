#include "statrender/mapkindtable.h"

namespace veltra::statrender {

MapKindProcedure MapKindTable::procedure(std::int32_t kind) const
{
    if (kind < FirstKind || kind > LastKind)
        return {};
    return procedures[static_cast<std::size_t>(kind)];
}

MapKindTable &mapKindTable()
{
    static MapKindTable table;
    return table;
}

} // namespace veltra::statrender
