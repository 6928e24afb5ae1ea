#include "definitions.h"

#include <vector>

namespace veltra::basemap {

namespace {

using zorvik::Style6;

// Colour numbers of the engine's built-in palette and line-type numbers.
enum Colour : std::int16_t {
    Black = 0,
    Red = 1,
    Green = 2,
    Blue = 3,
    Grey = 7,
    Silver = 8,
    Maroon = 9,
    Navy = 14
};
enum Line : std::int16_t { Thin = 0, Medium = 1, Thick = 2, Dash = 3, Dot = 4 };

constexpr std::int32_t Always = 100000000;

struct SpaceRow
{
    std::int16_t id;
    const char *name;
    const char *type;
};

struct VectorRow
{
    std::int16_t id;
    const char *name;
    std::vector<std::int16_t> spaces;
    std::int16_t disp, pick;
    Style6 style;
    std::int32_t lower, upper;
};

struct ConnectorRow
{
    std::int16_t id;
    const char *name;
    std::int16_t space;
    const char *dll;
    std::int16_t disp, pick;
    std::int16_t colour;
    std::int16_t size;
    std::int32_t lower, upper;
};

// Existing / appearing / disappearing: the kind's colour, then green, then
// red dashes, so that time-series edits stand out on every kind.
Style6 vectorStyle(std::int16_t colour, std::int16_t line)
{
    return Style6{{colour, line, Green, line, Red, Dash}};
}
Style6 connectorStyle(std::int16_t colour)
{
    return Style6{{colour, 0, Green, 0, Red, 0}};
}

const std::vector<SpaceRow> &spaces()
{
    // The engine draws spaces in this order, so the finer area levels come
    // first: every municipal cell edge along a prefecture border or a coast
    // then lies under the prefecture line instead of splitting it in two.
    static const std::vector<SpaceRow> rows{
        {kind::TownBlockSpace, "町丁字", "F"},
        {kind::MunicipalitySpace, "市区町村", "F"},
        {kind::PrefectureSpace, "都道府県", "F"},
        {kind::StatisticsSpace, "統計", "P"},
        {kind::PhotoSpace, "写真", "P"},
        {kind::AttachmentSpace, "添付ﾌｧｲﾙ", "P"},
    };
    return rows;
}

const std::vector<VectorRow> &vectors()
{
    static const std::vector<VectorRow> rows = [] {
        std::vector<VectorRow> r{
            {kind::PrefectureBoundary, "都道府県界", {kind::PrefectureSpace}, 1, 1, vectorStyle(Navy, Medium),
                1, Always},
            {kind::MunicipalityBoundary, "市区町村界(合成)", {kind::MunicipalitySpace}, 1, 1,
                vectorStyle(Silver, Thin), 1, DispLevelPrefecture},
            {kind::TownBlockBoundary, "町丁字界", {kind::TownBlockSpace}, 1, 1, vectorStyle(Grey, Dot), 1,
                DispLevelTownBlock},
        };
        // Statistics graphs, leader lines and flow lines: drawn at every scale.
        static const char *statNames[]
            = {"統計グラフ", "統計順位1", "統計順位2", "統計順位3", "統計順位4", "統計順位5", "統計数値"};
        for (int k = 0; k < 7; ++k)
            r.push_back({static_cast<std::int16_t>(180 + k), statNames[k], {kind::StatisticsSpace}, 1, 1,
                vectorStyle(k == 0 ? Black : Blue, Medium), 1, Always});
        return r;
    }();
    return rows;
}

const std::vector<ConnectorRow> &connectors()
{
    static const std::vector<ConnectorRow> rows = [] {
        std::vector<ConnectorRow> r{
            // Prefecture names at national and regional scales, municipal
            // names once their areas are large enough on screen to keep the
            // names apart.
            {kind::PrefectureName, "都道府県名", kind::PrefectureSpace, "STRING.DLL", 1, 1, Navy, 3000,
                PrefectureNameFinestScale, Always},
            {kind::PrefectureArea, "都道府県エリア", kind::PrefectureSpace, "MARU.DLL", 0, 1, Maroon, 100, 1,
                Always},
            {kind::MunicipalityName, "市区町村名", kind::MunicipalitySpace, "STRING.DLL", 1, 1, Black, 1000,
                1, MunicipalNameCoarsestScale},
            {kind::MunicipalityArea, "市区町村エリア", kind::MunicipalitySpace, "MARU.DLL", 0, 1, Maroon, 100,
                1, DispLevelPrefecture},
            {kind::TownBlockName, "町丁字名", kind::TownBlockSpace, "STRING.DLL", 1, 1, Grey, 100, 1,
                DispLevelTownBlock},
            {kind::TownBlockArea, "町丁字エリア", kind::TownBlockSpace, "MARU.DLL", 0, 1, Maroon, 100, 1,
                DispLevelTownBlock},
            {kind::TownBlockArea2, "町丁字エリア2", kind::TownBlockSpace, "MARU.DLL", 0, 1, Maroon, 100, 1,
                DispLevelTownBlock},
        };
        // Photo points: 100 + the keypad digit of the camera's direction.
        static const struct
        {
            const char *name;
            const char *dll;
        } photo[9] = {
            {"写真(南西)", "DLARROW.DLL"},
            {"写真(南)", "DARROW.DLL"},
            {"写真(南東)", "DRARROW.DLL"},
            {"写真(西)", "LARROW.DLL"},
            {"写真", "MARU.DLL"},
            {"写真(東)", "RARROW.DLL"},
            {"写真(北西)", "ULARROW.DLL"},
            {"写真(北)", "UARROW.DLL"},
            {"写真(北東)", "URARROW.DLL"},
        };
        for (int d = 1; d <= 9; ++d)
            r.push_back({static_cast<std::int16_t>(100 + d), photo[d - 1].name, kind::PhotoSpace,
                photo[d - 1].dll, 1, 1, Red, 300, 1, Always});
        // Statistics graphs (pictures) and texts (ranks 1-5, other numbers).
        r.push_back({180, "統計グラフ", kind::StatisticsSpace, "Figure.DLL ", 1, 1, Black, 1000, 1, Always});
        static const char *statTexts[]
            = {"統計順位1", "統計順位2", "統計順位3", "統計順位4", "統計順位5", "統計数値"};
        static const std::int16_t statColours[] = {Red, 6, Green, Blue, 12, Black};
        for (int k = 0; k < 6; ++k)
            r.push_back({static_cast<std::int16_t>(181 + k), statTexts[k], kind::StatisticsSpace,
                "STRING.DLL", 1, 1, statColours[k], 1000, 1, Always});
        r.push_back(
            {kind::Attachment, "添付ﾌｧｲﾙ", kind::AttachmentSpace, "SYMBOL.DLL", 1, 1, Blue, 300, 1, Always});
        return r;
    }();
    return rows;
}

QString rangeLine(std::int16_t id, std::int32_t lower, std::int32_t upper)
{
    return QStringLiteral("%1,%2,%3,0").arg(id).arg(lower).arg(upper);
}

} // namespace

zorvik::Result defineCatalog(zorvik::Catalog &catalog)
{
    for (const SpaceRow &s : spaces())
        if (zorvik::Result r = catalog.addSpace(s.id, QString::fromUtf8(s.name), QString::fromUtf8(s.type)))
            return r;
    for (const VectorRow &v : vectors()) {
        if (zorvik::Result r = catalog.addVectorKind(v.id, QString::fromUtf8(v.name)))
            return r;
        for (std::int16_t sp : v.spaces)
            if (zorvik::Result r = catalog.addVectorKindToSpace(sp, v.id))
                return r;
        zorvik::VectorKind *k = catalog.vectorKind(v.id);
        k->disp = v.disp;
        k->pick = v.pick;
        k->style = v.style;
        k->range = zorvik::ScaleRange{v.lower, v.upper, true};
    }
    for (const ConnectorRow &c : connectors()) {
        if (zorvik::Result r
            = catalog.addConnectorKind(c.id, QString::fromUtf8(c.name), c.space, QString::fromUtf8(c.dll)))
            return r;
        zorvik::ConnectorKind *k = catalog.connectorKind(c.id);
        k->disp = c.disp;
        k->pick = c.pick;
        k->style = connectorStyle(c.colour);
        k->size = c.size;
        k->range = zorvik::ScaleRange{c.lower, c.upper, true};
    }
    catalog.touch();
    return zorvik::code::Ok;
}

QStringList dispVectDefLines()
{
    QStringList lines{QStringLiteral("KindID,Range1,Range2,Flag")};
    for (const VectorRow &v : vectors())
        lines << rangeLine(v.id, v.lower, v.upper);
    return lines;
}

QStringList dispCnectDefLines()
{
    QStringList lines{QStringLiteral("KindID,Range1,Range2,Flag")};
    for (const ConnectorRow &c : connectors())
        lines << rangeLine(c.id, c.lower, c.upper);
    return lines;
}

QStringList dispLevelLines()
{
    return {QString::number(DispLevelArea), QString::number(DispLevelPrefecture),
        QString::number(DispLevelTownBlock)};
}

} // namespace veltra::basemap
