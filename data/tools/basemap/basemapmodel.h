#pragma once
// The default base map as plain data, built from the sources without the
// engine or the database: prefecture outlines (space 1), synthetic municipal
// cells (space 2), area connectors and place names, and the rows of the
// place-name database. Everything is in a fixed order, so the same sources
// always give the same model (and the same files).
#include "geometry.h"
#include "sources.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace veltra::basemap {

struct AreaOutline
{
    std::int16_t kind = 0;
    int code = 0; // prefecture or municipality code
    std::vector<WorldPoint> ring; // closed
};

struct Label
{
    std::int16_t kind = 0;
    WorldPoint at;
    QString key;
};

struct PrefectureRow
{
    int code = 0;
    QString name;
    WorldPoint point;
};

struct MunicipalityRow
{
    int prefCode = 0;
    int code = 0; // 3-digit part (101 of 13101)
    QString name;
    QString kana;
    WorldPoint point;
};

// A municipality whose source point lies off its prefecture's land (the
// outline is coarse) and that was moved to the nearest point inside.
struct MovedPoint
{
    int code = 0; // 5-digit code
    QString name;
    Point from; // the source point
    WorldPoint to;
    double km = 0;
    QString why;
};

struct BaseMapModel
{
    std::vector<AreaOutline> outlines;
    std::vector<Label> labels;
    std::vector<PrefectureRow> prefectureRows;
    std::vector<MunicipalityRow> municipalityRows;
    // One line per area that could not be given a real point or a cell, and
    // per fallback taken; the generator prints it.
    QStringList report;
    std::vector<MovedPoint> moved; // in code order, each also in the report
    int cellCount = 0; // municipalities with a cell in space 2
};

// Builds the model. Prefectures need their outlines (attachOutlines).
BaseMapModel buildBaseMap(
    const std::vector<Prefecture> &prefectures, const std::vector<Municipality> &municipalities);

// Key of an area connector: the area code and the comment "0" (usable).
QString areaKey(const QString &code);

} // namespace veltra::basemap
