#pragma once
// The default data's sources as the generator reads them from data/sources/:
// prefectures.csv, municipalities.csv and the prefecture outlines of
// prefectures_mapdata.geojson (longitude/latitude rings). The readers check
// what the generator relies on and say clearly what is wrong; they never
// guess a missing value.
#include <QString>
#include <optional>
#include <vector>

namespace veltra::basemap {

struct LonLat
{
    double lon = 0;
    double lat = 0;
};

using LonLatRing = std::vector<LonLat>;

struct Prefecture
{
    int code = 0; // JIS 1..47
    QString name; // 東京都
    QString kana; // とうきょうと
    QString mapdataName; // the outline's name in the GeoJSON
    std::optional<LonLat> point;
    std::vector<LonLatRing> rings; // filled by attachOutlines()
};

struct Municipality
{
    int code = 0; // 5-digit JIS code as a number (13101)
    int prefCode = 0;
    QString name;
    QString kana;
    QString kind; // city, town, village, special_ward, designated_city, ward
    int parentCode = 0; // designated city of a ward, else 0
    std::optional<LonLat> point;
    QString pointSource; // osm, world.cities, none
    double areaKm2 = 0; // 0 when not known (wards)

    bool isWard() const { return kind == QLatin1String("ward"); }
};

// Splits one CSV line (RFC 4180 quoting, no line breaks inside fields).
QStringList splitCsvLine(const QString &line);

// Each reader returns false with `error` naming the file and line on a
// malformed or missing file.
bool readPrefectures(const QString &path, std::vector<Prefecture> &out, QString *error);
bool readMunicipalities(const QString &path, std::vector<Municipality> &out, QString *error);
// Reads the GeoJSON outlines and gives every prefecture the rings of the
// feature named by its mapdataName. False when a prefecture has no outline.
bool attachOutlines(const QString &geojsonPath, std::vector<Prefecture> &prefectures, QString *error);

} // namespace veltra::basemap
