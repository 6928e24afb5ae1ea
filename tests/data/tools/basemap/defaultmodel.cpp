#include "defaultmodel.h"

#include <gtest/gtest.h>

namespace veltra::basemap::test {

const BaseMapModel &defaultModel()
{
    static const BaseMapModel m = [] {
        std::vector<Prefecture> prefs;
        std::vector<Municipality> munis;
        QString error;
        const QString dir = QStringLiteral(VELTRA_DATA_SOURCES) + u'/';
        EXPECT_TRUE(readPrefectures(dir + "prefectures.csv", prefs, &error)) << error.toStdString();
        EXPECT_TRUE(readMunicipalities(dir + "municipalities.csv", munis, &error)) << error.toStdString();
        EXPECT_TRUE(attachOutlines(dir + "prefectures_mapdata.geojson", prefs, &error))
            << error.toStdString();
        return buildBaseMap(prefs, munis);
    }();
    return m;
}

} // namespace veltra::basemap::test
