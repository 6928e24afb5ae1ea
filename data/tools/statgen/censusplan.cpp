#include "censusplan.h"

#include "statdata/comfunction.h"

#include <QHash>
#include <algorithm>
#include <functional>
#include <map>

namespace veltra::statgen {

namespace {

const QString kNoData = QStringLiteral("-");
const QString kPref = QStringLiteral("都道府県");
const QString kCity = QStringLiteral("市区町村");

// A table's rows by code (and sex, for the age tables).
class Lookup
{
public:
    Lookup() = default;
    Lookup(const CsvTable *table, const QString &codeColumn)
        : m_table(table)
    {
        const int code = table->column(codeColumn);
        const int sex = table->column(QStringLiteral("sex"));
        for (size_t i = 0; i < table->rows.size(); ++i) {
            const QStringList &row = table->rows[i];
            m_rows.insert(key(row.at(code), sex >= 0 ? row.at(sex) : QString()), static_cast<int>(i));
        }
    }
    bool has(const QString &code, const QString &sex = {}) const { return m_rows.contains(key(code, sex)); }
    // The cell, "-" when the area is not in the table or the cell is empty.
    QString value(const QString &code, const QString &column, const QString &sex = {}) const
    {
        const auto it = m_rows.constFind(key(code, sex));
        if (it == m_rows.constEnd())
            return kNoData;
        const QString cell = m_table->rows[size_t(*it)].at(m_table->column(column));
        return cell.isEmpty() ? kNoData : cell;
    }

private:
    static QString key(const QString &code, const QString &sex) { return code + u'/' + sex; }
    const CsvTable *m_table = nullptr;
    QHash<QString, int> m_rows;
};

struct Area
{
    QString code;
    QString name;
    QString pref;
};

// One item of a group: its name and how to get its value for an area.
struct Item
{
    QString name;
    std::function<QString(const QString &code)> value;
};

struct Census
{
    QString title;
    QString start;
    QString end;
};

QString ageLabel(const QString &column)
{
    // age_0_4 -> 0～4歳, age_100_plus -> 100歳以上
    const QStringList parts = column.split(u'_');
    if (parts.value(2) == QLatin1String("plus"))
        return parts.value(1) + QStringLiteral("歳以上");
    return parts.value(1) + QStringLiteral("～") + parts.value(2) + QStringLiteral("歳");
}

// The three characters that tell the sexes' age classes apart: "(男)".
QString sexSuffix(const QString &sex)
{
    return QLatin1Char('(') + sex + QLatin1Char(')');
}

std::vector<Item> populationItems(const Lookup &l, bool bySex)
{
    std::vector<Item> items{
        {QStringLiteral("総人口"), [l](const QString &c) { return l.value(c, "total"); }}};
    if (bySex) {
        items.push_back({QStringLiteral("男"), [l](const QString &c) { return l.value(c, "male"); }});
        items.push_back({QStringLiteral("女"), [l](const QString &c) { return l.value(c, "female"); }});
    }
    return items;
}

std::vector<Item> householdItems(const Lookup &l)
{
    return {{QStringLiteral("世帯数"), [l](const QString &c) { return l.value(c, "households"); }},
        {QStringLiteral("一般世帯数"), [l](const QString &c) { return l.value(c, "households_general"); }}};
}

std::vector<Item> areaItems(const Lookup &l)
{
    return {{QStringLiteral("面積(km2)"), [l](const QString &c) { return l.value(c, "area_km2"); }}};
}

// Per sex: its total, the classes, the unknown age. The pyramid reads the
// classes of the two sexes and takes their labels from the totals before them;
// it names a class by its entry without the last three characters, so the
// sex goes last, in brackets: "0～4歳(男)" reads as the class "0～4歳".
std::vector<Item> ageItems(const Lookup &l)
{
    std::vector<Item> items;
    const std::pair<const char *, QString> sexes[]
        = {{"male", QStringLiteral("男")}, {"female", QStringLiteral("女")}};
    for (const auto &[sex, label] : sexes) {
        const QString s = QString::fromLatin1(sex);
        items.push_back({label, [l, s](const QString &c) { return l.value(c, "total", s); }});
        for (const QString &column : ageClassColumns())
            items.push_back({ageLabel(column) + sexSuffix(label),
                [l, s, column](const QString &c) { return l.value(c, column, s); }});
        items.push_back({QStringLiteral("年齢不詳") + sexSuffix(label),
            [l, s](const QString &c) { return l.value(c, "age_unknown", s); }});
    }
    return items;
}

std::vector<std::pair<QString, QString>> pyramidKeys()
{
    const int classes = static_cast<int>(ageClassColumns().size());
    // Column 1 is the male total, the male classes follow; then the male
    // unknown age, the female total and the female classes.
    return {{QStringLiteral("DataCnt"), QString::number(classes)},
        {QStringLiteral("StartField1"), QStringLiteral("2")},
        {QStringLiteral("StartField2"), QString::number(2 + classes + 2)}};
}

class PlanBuilder
{
public:
    std::vector<ValueTable> plan;

    void add(const Census &census, const QString &unit, const QString &group, const std::vector<Area> &areas,
        const std::vector<Item> &items, const std::vector<std::pair<QString, QString>> &groupKeys = {})
    {
        // One file for prefecture data, one per prefecture for municipal data.
        std::map<QString, std::vector<const Area *>> files;
        for (const Area &a : areas)
            files[unit == kPref ? QStringLiteral("00") : a.pref].push_back(&a);
        for (const auto &[file, fileAreas] : files) {
            ValueTable t;
            t.title = census.title;
            t.startDate = census.start;
            t.endDate = census.end;
            t.areaUnit = unit;
            t.itemGroup = group;
            t.prefNum = file;
            t.fileTitle = file;
            t.header << (unit == kPref ? QStringLiteral("都道府県コード") : QStringLiteral("市区町村コード"))
                     << (unit == kPref ? QStringLiteral("都道府県名") : QStringLiteral("市区町村名"));
            for (const Item &item : items)
                t.header << item.name;
            for (const Area *a : fileAreas) {
                QStringList row{a->code, a->name};
                for (const Item &item : items)
                    row << item.value(a->code);
                t.rows.push_back(row);
            }
            t.groupKeys = groupKeys;
            plan.push_back(std::move(t));
        }
    }
};

std::vector<Area> areasOf(const CsvTable &table, const QString &codeColumn, const QString &nameColumn)
{
    std::vector<Area> out;
    for (const QStringList &row : table.rows) {
        const QString code = row.at(table.column(codeColumn));
        if (!out.empty() && out.back().code == code)
            continue; // the age tables list each area twice (by sex)
        out.push_back({code, row.at(table.column(nameColumn)), code.left(2)});
    }
    std::stable_sort(out.begin(), out.end(), [](const Area &a, const Area &b) { return a.code < b.code; });
    return out;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Every area of the table is one of the 2020 census areas.
bool coveredBy(
    const std::vector<Area> &list, const CsvTable &table, const QString &codeColumn, QString *error)
{
    QSet<QString> known;
    for (const Area &a : list)
        known.insert(a.code);
    for (const QStringList &row : table.rows) {
        if (!known.contains(row.at(table.column(codeColumn))))
            return fail(error,
                QStringLiteral("%1: %2 is not an area of the 2020 census")
                    .arg(table.path, row.at(table.column(codeColumn))));
    }
    return true;
}

} // namespace

QString statisticsName(const ValueTable &table)
{
    const QString era = ComFunction::FormatEraDate(table.startDate, 2);
    return era.left(era.indexOf(u'.')) + table.title;
}

bool buildCensusPlan(const CensusTables &t, std::vector<ValueTable> &plan, QString *error)
{
    const QString kCensus = QStringLiteral("国勢調査");
    const QString code2 = QStringLiteral("pref_code");
    const QString code5 = QStringLiteral("muni_code");
    const std::vector<Area> prefs = areasOf(t.prefPop2020, code2, QStringLiteral("pref_name"));
    const std::vector<Area> munis = areasOf(t.muniPop2020, code5, QStringLiteral("muni_name"));
    if (!coveredBy(munis, t.muniPop2015, code5, error) || !coveredBy(munis, t.muniArea2020, code5, error)
        || !coveredBy(munis, t.muniAge2020, code5, error))
        return false;

    PlanBuilder b;
    const Census c2020{kCensus, QStringLiteral("2020/10/01"), QStringLiteral("2100/09/30")};
    const Census c2015{kCensus, QStringLiteral("2015/10/01"), QStringLiteral("2020/09/30")};
    const Census c2010{kCensus, QStringLiteral("2010/10/01"), QStringLiteral("2015/09/30")};
    const QString pop = QStringLiteral("人口");
    const QString households = QStringLiteral("世帯");
    const QString area = QStringLiteral("面積");
    const QString age = QStringLiteral("年齢5歳階級別");

    const Lookup prefPop2020(&t.prefPop2020, code2), muniPop2020(&t.muniPop2020, code5);
    const Lookup prefAge(&t.prefAge2020, code2), muniAge(&t.muniAge2020, code5);
    const Lookup prefArea(&t.prefArea2020, code2), muniArea(&t.muniArea2020, code5);
    b.add(c2020, kPref, pop, prefs, populationItems(prefPop2020, true));
    b.add(c2020, kPref, households, prefs, householdItems(prefPop2020));
    b.add(c2020, kPref, area, prefs, areaItems(prefArea));
    b.add(c2020, kPref, age, prefs, ageItems(prefAge), pyramidKeys());
    b.add(c2020, kCity, pop, munis, populationItems(muniPop2020, true));
    b.add(c2020, kCity, households, munis, householdItems(muniPop2020));
    b.add(c2020, kCity, area, munis, areaItems(muniArea));
    b.add(c2020, kCity, age, munis, ageItems(muniAge), pyramidKeys());

    const Lookup prefPop2015(&t.prefPop2015, code2), muniPop2015(&t.muniPop2015, code5);
    b.add(c2015, kPref, pop, prefs, populationItems(prefPop2015, true));
    b.add(c2015, kPref, households, prefs, householdItems(prefPop2015));
    b.add(c2015, kCity, pop, munis, populationItems(muniPop2015, true));
    b.add(c2015, kCity, households, munis, householdItems(muniPop2015));

    const Lookup prefPop2010(&t.prefPop2010, code2);
    b.add(c2010, kPref, pop, prefs, populationItems(prefPop2010, true));

    // The earlier censuses, newest first, with the total population only.
    std::map<int, CsvTable, std::greater<int>> years;
    const CsvTable &series = t.prefSeries;
    for (const QStringList &row : series.rows) {
        const int year = row.at(series.column(QStringLiteral("year"))).toInt();
        if (year >= 2010)
            continue;
        CsvTable &y = years[year];
        y.path = series.path;
        y.columns = series.columns;
        y.rows.push_back(row);
    }
    for (const auto &[year, table] : years) {
        // 1945: the count of 1 November 1945, no census; the next census day
        // is 1 October 1950.
        Census census{
            kCensus, QStringLiteral("%1/10/01").arg(year), QStringLiteral("%1/09/30").arg(year + 5)};
        if (year == 1940)
            census.end = QStringLiteral("1945/10/31");
        if (year == 1945) {
            census.title = QStringLiteral("人口調査");
            census.start = QStringLiteral("1945/11/01");
        }
        const Lookup l(&table, code2);
        b.add(census, kPref, pop, areasOf(table, code2, QStringLiteral("pref_name")),
            populationItems(l, false));
    }
    plan = std::move(b.plan);
    return true;
}

} // namespace veltra::statgen
