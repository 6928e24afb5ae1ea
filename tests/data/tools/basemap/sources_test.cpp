#include "basemap/sources.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace veltra::basemap;

TEST(BaseMapSources, SplitsQuotedCsvFields)
{
    const struct
    {
        const char *line;
        QStringList fields;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"", {""}},
        {"a,,", {"a", "", ""}},
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"say \"\"hi\"\"\",1", {"say \"hi\"", "1"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitCsvLine(QString::fromUtf8(c.line)), c.fields) << c.line;
}

TEST(BaseMapSources, ReadsMunicipalitiesAndKeepsMissingPointsMissing)
{
    veltra::test::TempDir dir;
    veltra::test::writeBytes(dir.file("m.csv"),
        "code,pref_code,name,kana,kind,parent_code,lon,lat,point_source,area_km2\n"
        "13101,13,千代田区,ちよだく,special_ward,,139.753216,35.693810,osm,11.66\n"
        "01101,01,札幌市中央区,さっぽろしちゅうおうく,ward,01100,,,none,\n");
    std::vector<Municipality> out;
    QString error;
    ASSERT_TRUE(readMunicipalities(dir.file("m.csv"), out, &error)) << error.toStdString();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].code, 13101);
    EXPECT_EQ(out[0].name, QString::fromUtf8("千代田区"));
    ASSERT_TRUE(out[0].point.has_value());
    EXPECT_DOUBLE_EQ(out[0].point->lon, 139.753216);
    EXPECT_DOUBLE_EQ(out[0].areaKm2, 11.66);
    EXPECT_EQ(out[1].code, 1101);
    EXPECT_EQ(out[1].parentCode, 1100);
    EXPECT_TRUE(out[1].isWard());
    EXPECT_FALSE(out[1].point.has_value());
}

TEST(BaseMapSources, RejectsMalformedRowsWithTheLineNumber)
{
    const char *header = "code,pref_code,name,kana,kind,parent_code,lon,lat,point_source,area_km2\n";
    const struct
    {
        const char *row;
        const char *why;
    } cases[] = {
        {"1310,13,x,x,city,,139,35,osm,1\n", "4-digit code"},
        {"13101,14,x,x,city,,139,35,osm,1\n", "code outside its prefecture"},
        {"13101,13,x,x,city,,139,,osm,1\n", "half a point"},
        {"13101,13,x,x,city,,10,35,osm,1\n", "point far from Japan"},
        {"13101,13,x,x,city,,139,35,osm\n", "missing field"},
        {"13101,13,,x,city,,139,35,osm,1\n", "empty name"},
        {"13101,13,x,x,city,,139,35,osm,-1\n", "negative area"},
    };
    veltra::test::TempDir dir;
    for (const auto &c : cases) {
        veltra::test::writeBytes(dir.file("m.csv"), QByteArray(header) + c.row);
        std::vector<Municipality> out;
        QString error;
        EXPECT_FALSE(readMunicipalities(dir.file("m.csv"), out, &error)) << c.why;
        EXPECT_TRUE(error.contains("line 2")) << c.why << ": " << error.toStdString();
    }
    std::vector<Municipality> out;
    QString error;
    EXPECT_FALSE(readMunicipalities(dir.file("missing.csv"), out, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(BaseMapSources, AttachesOutlinesByNameAndReportsAMissingOne)
{
    veltra::test::TempDir dir;
    veltra::test::writeBytes(dir.file("o.geojson"),
        R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"Tokyo"},"geometry":{"type":"MultiPolygon","coordinates":
        [[[[139,35.5],[139,35.9],[139.9,35.9],[139.9,35.5],[139,35.5]]]]}}]})");
    std::vector<Prefecture> prefs(1);
    prefs[0].code = 13;
    prefs[0].name = QString::fromUtf8("東京都");
    prefs[0].mapdataName = "Tokyo";
    QString error;
    ASSERT_TRUE(attachOutlines(dir.file("o.geojson"), prefs, &error)) << error.toStdString();
    ASSERT_EQ(prefs[0].rings.size(), 1u);
    EXPECT_EQ(prefs[0].rings[0].size(), 5u);

    prefs[0].mapdataName = "Osaka";
    EXPECT_FALSE(attachOutlines(dir.file("o.geojson"), prefs, &error));
    EXPECT_TRUE(error.contains("Osaka"));
}
