#include "defaultdatagraphs.h"

#include "defaultdatashowcase.h"
#include "statwindow/globals.h"

namespace veltra::test {

QString defaultDataFolder()
{
    return QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
}

QString defaultR2Folder()
{
    return defaultDataFolder() + QStringLiteral("etc/R2国勢調査/");
}

void chooseTokyoTotalPopulation(GraphCreateBed &bed, int mapKind)
{
    const std::vector<int> tokyo = municipalities(13);
    ASSERT_EQ(tokyo.size(), 62u);
    bed.choose(mapKind, AnaRangeCity);
    for (int city : tokyo)
        bed.addArea(13, city);
    bed.addItem(0, QStringLiteral("総人口"), defaultR2Folder() + QStringLiteral("市区町村/人口"), 1);
}

} // namespace veltra::test
