#pragma once
// The census tables of data/sources/census/ as the statistics generator reads
// them: UTF-8 CSV files with a header row, codes as text with leading zeros
// ("01", "01100"), counts as whole numbers, areas as decimal numbers, and an
// empty cell where the source has no figure.
//
// The reader checks what the generator relies on (the named columns, the code
// form, the number form) and says which file, line and column are wrong; it
// never guesses a value. The consistency checks compare the tables with each
// other (sums of municipalities against prefectures, sexes against totals),
// so a damaged copy of a table is refused before anything is written.
#include <QString>
#include <QStringList>
#include <vector>

namespace veltra::statgen {

// One CSV table: the header's column names and the rows (each as many cells
// as the header).
struct CsvTable
{
    QString path;
    QStringList columns;
    std::vector<QStringList> rows;

    // The index of a column, -1 when the header has none of that name.
    int column(const QString &name) const;
};

// The form a cell must have.
enum class CellForm {
    Text, // anything (names)
    Code2, // two digits
    Code5, // five digits
    Count, // a whole number, or empty when the source has no figure
    Decimal, // a number with an optional decimal part, or empty
    Year, // four digits
};

struct ColumnRule
{
    QString name;
    CellForm form;
};

// Reads the table and checks every cell of the named columns; other columns
// are kept unchecked. False with a message naming the file and line on a
// missing file, a missing column, a row with another cell count, a quoted
// cell (the tables use none) or a cell of the wrong form.
bool readCsvTable(const QString &path, const std::vector<ColumnRule> &rules, CsvTable &table, QString *error);

// Every census table the generator uses, read and checked.
struct CensusTables
{
    CsvTable prefPop2020; // pref_code, pref_name, total, male, female, households, households_general
    CsvTable prefPop2015; // the same columns
    CsvTable prefPop2010; // pref_code, pref_name, total, male, female
    CsvTable prefSeries; // pref_code, pref_name, year, total (1920-2020)
    CsvTable nationalSeries; // year, total
    CsvTable prefAge2020; // pref_code, pref_name, sex, total, age_0_4 ... age_100_plus, age_unknown
    CsvTable prefArea2020; // pref_code, pref_name, area_km2
    CsvTable muniPop2020; // muni_code, pref_code, muni_name, kind, parent_code, total, ...
    CsvTable muniPop2015; // muni_code, pref_code, muni_name, total, ...
    CsvTable muniAge2020; // muni_code, pref_code, muni_name, sex, total, age_0_4 ...
    CsvTable muniArea2020; // muni_code, pref_code, muni_name, area_km2
};

// The age columns of the age tables, youngest first, without age_unknown.
QStringList ageClassColumns();

// Reads every table from the folder (data/sources/census) and runs the
// consistency checks. False with the first problem found.
bool readCensusTables(const QString &folder, CensusTables &tables, QString *error);

// The consistency checks alone (the tables already read):
// - 47 prefectures with the codes 01..47 in every prefecture table;
// - male + female = total wherever all three are given;
// - per prefecture, the municipalities (designated-city wards left out) add
//   up to the prefecture's total, male, female and households, and every
//   designated city equals the sum of its wards;
// - in the age tables the classes and the unknown age add up to the total,
//   and the totals by sex equal the population tables;
// - each census year of the series adds up over the prefectures to the
//   national total (1960: the national figure is 73 larger, the population
//   of an area claimed by two prefectures), and the series agrees with the
//   2010, 2015 and 2020 tables.
bool checkCensusTables(const CensusTables &tables, QString *error);

} // namespace veltra::statgen
