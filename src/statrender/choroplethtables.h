#pragma once
// The point tables of the choropleth in the data folder's DB\ and the scans
// that find an area's points in them. Every table line is "code,X,Y" (X and
// Y in world units) or, for the indexes, "code,line number"; tables are line
// arrays from 1, element 0 unused.
//
//   206.csv            a point inside each part of each prefecture
//   211.csv, 211.j1    a point inside each municipality; the first line of
//                      each prefecture in 211.csv
//   212.csv, 214.csv   further points of municipalities, one per further part
//   227.csv, .j1, .j2  town blocks sorted by code; the first line of each
//                      prefecture in 227.j2, of each municipality in 227.csv
//   229.csv, 231.csv   further points of town blocks, sorted by code
//
// Only the group of the first data line's level is loaded; the others stay
// empty, so an area of another level finds no point.
#include <QSet>
#include <QString>
#include <cstdint>
#include <vector>

namespace veltra::statrender {

struct TableLine
{
    QString code; // field 0
    QString field1;
    QString field2;
};

struct ChoroplethTables
{
    std::vector<TableLine> t206{TableLine{}};
    std::vector<TableLine> t211{TableLine{}};
    std::vector<TableLine> t211j1{TableLine{}};
    std::vector<TableLine> t212{TableLine{}};
    std::vector<TableLine> t214{TableLine{}};
    std::vector<TableLine> t227{TableLine{}};
    std::vector<TableLine> t227j1{TableLine{}};
    std::vector<TableLine> t227j2{TableLine{}};
    std::vector<TableLine> t229{TableLine{}};
    std::vector<TableLine> t231{TableLine{}};

    // Loads the group of an area level (1, 2 or 3) from `dbFolder` (ending
    // in a separator). False when one of its files cannot be read.
    bool load(const QString &dbFolder, int level);
};

// Level of an area code by its length: 5 or 7 characters a municipality (2),
// more than 5 a town block (3), fewer a prefecture (1).
int areaLevelOf(const QString &code);

// The lines of each table that name an area, by the Part's scans:
// the prefecture's lines of 206.csv;
std::vector<std::size_t> prefectureLines(const ChoroplethTables &t, const QString &code);
// the municipality's lines of 211.csv from its prefecture's first line (by
// 211.j1) to the end, codes padded with "0" to 7 characters when the search
// code has 7;
std::vector<std::size_t> municipalityLines(const ChoroplethTables &t, const QString &code);
// the town block's lines of 227.csv from its municipality's first line (by
// 227.j1 and 227.j2), up to the first 11-character code beyond it;
std::vector<std::size_t> townBlockLines(const ChoroplethTables &t, const QString &code);
// the lines of a further-point table: 212 and 214 like 211 over the whole
// table, 229 and 231 stopping like 227.
std::vector<std::size_t> furtherLines(const std::vector<TableLine> &table, const QString &code, bool townBlocks);

// Whether furtherLines(table, code, false) finds any line, answered from the
// table's codes gathered once instead of a scan of the table per area.
class FurtherPointCodes
{
public:
    explicit FurtherPointCodes(const std::vector<TableLine> &table);
    bool names(const QString &code) const;

private:
    QSet<QString> m_codes; // as they stand
    QSet<QString> m_padded; // as a 7-character search code meets them
};

} // namespace veltra::statrender
