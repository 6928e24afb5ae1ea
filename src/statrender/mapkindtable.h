#pragma once
// The drawing procedures of the map kinds, by the map kind of an analysis
// header (H2 field 7): 1 choropleth, 2 pie graphs, 3 bar graphs, 4 symbols,
// 5 ranking, 6 real values, 7 picture symbols (population pyramids), 8 flow
// lines. Each kind's drawing registers its procedure here when the program
// starts; PSY_DrawFromFiles calls the procedure of each analysis' kind. A
// kind without a procedure draws nothing, and the drawing goes on with the
// next analysis.
//
// The ranking pop-up (frmPSYRank) is filled by the ranking and flow drawing:
// for kinds 5 and 8 it is loaded before the procedure runs and shown after
// it, told the map's mode text and data file.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace veltra::statrender {

// What a drawing procedure receives: the engine, the analysis' header lines
// (the repeated H2 lines dropped) and data lines (line arrays from 1), and
// the further arguments of its kind.
struct MapKindCall
{
    zorvik::Zorvik *engine = nullptr;
    std::vector<QString> &header;
    std::vector<QString> &data;
    QString dataPath; // the data file (kinds 2, 3, 4, 7)
    std::int32_t mapKind = 0; // the map kind (kinds 2, 3)
    QString pictureFolder; // symbol pictures (4), area pictures (7); ends in '/'
    // Kind 1: receives the area level (one variable for every analysis of
    // one drawing run), and a Long the choropleth does not use.
    std::int16_t &areaLevel;
    std::int32_t &unusedLong;
};

using MapKindProcedure = std::function<void(MapKindCall &call)>;

struct RankingPopup
{
    std::function<void()> load; // before the drawing fills it
    // sMode ("ランキング" or "流線図") and sFileName, then shown.
    std::function<void(const QString &mode, const QString &dataPath)> show;
};

struct MapKindTable
{
    static constexpr int FirstKind = 1;
    static constexpr int LastKind = 8;
    std::array<MapKindProcedure, LastKind + 1> procedures; // element 0 unused
    RankingPopup rankingPopup;

    // The procedure of a map kind; an empty one for a kind outside 1 to 8.
    MapKindProcedure procedure(std::int32_t kind) const;
};

MapKindTable &mapKindTable();

} // namespace veltra::statrender
