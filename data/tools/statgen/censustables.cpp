#include "censustables.h"

#include <QFile>
#include <QRegularExpression>
#include <map>
#include <optional>

namespace veltra::statgen {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool cellFits(const QString &cell, CellForm form)
{
    static const QRegularExpression count(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    static const QRegularExpression code2(QStringLiteral("^[0-9]{2}$"));
    static const QRegularExpression code5(QStringLiteral("^[0-9]{5}$"));
    switch (form) {
    case CellForm::Text:
        return true;
    case CellForm::Code2:
        return code2.match(cell).hasMatch();
    case CellForm::Code5:
        return code5.match(cell).hasMatch();
    case CellForm::Count:
        return cell.isEmpty() || count.match(cell).hasMatch();
    case CellForm::Decimal:
        return cell.isEmpty() || decimal.match(cell).hasMatch();
    case CellForm::Year:
        return year.match(cell).hasMatch();
    }
    return false;
}

QString formName(CellForm form)
{
    switch (form) {
    case CellForm::Text:
        return QStringLiteral("text");
    case CellForm::Code2:
        return QStringLiteral("a two-digit code");
    case CellForm::Code5:
        return QStringLiteral("a five-digit code");
    case CellForm::Count:
        return QStringLiteral("a whole number or empty");
    case CellForm::Decimal:
        return QStringLiteral("a number or empty");
    case CellForm::Year:
        return QStringLiteral("a four-digit year");
    }
    return {};
}

// A count cell as a number; nullopt when empty.
std::optional<qint64> countOf(const CsvTable &t, const QStringList &row, const QString &column)
{
    const QString &cell = row.at(t.column(column));
    if (cell.isEmpty())
        return std::nullopt;
    return cell.toLongLong();
}

std::vector<ColumnRule> rules(std::initializer_list<std::pair<const char *, CellForm>> list)
{
    std::vector<ColumnRule> out;
    for (const auto &[name, form] : list)
        out.push_back({QString::fromUtf8(name), form});
    return out;
}

std::vector<ColumnRule> ageRules(std::vector<ColumnRule> head)
{
    for (const QString &c : ageClassColumns())
        head.push_back({c, CellForm::Count});
    head.push_back({QStringLiteral("age_unknown"), CellForm::Count});
    return head;
}

// --- consistency checks ----------------------------------------------------

const QStringList kSexes{QStringLiteral("total"), QStringLiteral("male"), QStringLiteral("female")};

bool checkPrefectureCodes(const CsvTable &t, QString *error)
{
    const int code = t.column(QStringLiteral("pref_code"));
    if (t.rows.size() != 47)
        return fail(error, QStringLiteral("%1: %2 prefectures, 47 expected").arg(t.path).arg(t.rows.size()));
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const QString expected = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (t.rows[i].at(code) != expected)
            return fail(error,
                QStringLiteral("%1: line %2 has the code %3, %4 expected (prefectures in code order)")
                    .arg(t.path)
                    .arg(i + 2)
                    .arg(t.rows[i].at(code), expected));
    }
    return true;
}

bool checkSexesAddUp(const CsvTable &t, QString *error)
{
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const auto total = countOf(t, t.rows[i], kSexes[0]);
        const auto male = countOf(t, t.rows[i], kSexes[1]);
        const auto female = countOf(t, t.rows[i], kSexes[2]);
        if (total && male && female && *male + *female != *total)
            return fail(error,
                QStringLiteral("%1: line %2: male + female differs from total").arg(t.path).arg(i + 2));
    }
    return true;
}

// The municipalities of each prefecture (designated-city wards left out, they
// lie inside their city) add up to the prefecture's figures.
bool checkMunicipalSums(
    const CsvTable &pref, const CsvTable &muni, const QStringList &columns, QString *error)
{
    const int kind = muni.column(QStringLiteral("kind"));
    const int prefCode = muni.column(QStringLiteral("pref_code"));
    for (const QString &c : columns) {
        std::map<QString, qint64> sums;
        for (const QStringList &row : muni.rows) {
            if (kind >= 0 && row.at(kind) == QLatin1String("ward"))
                continue;
            sums[row.at(prefCode)] += countOf(muni, row, c).value_or(0);
        }
        for (const QStringList &row : pref.rows) {
            const QString code = row.at(pref.column(QStringLiteral("pref_code")));
            if (countOf(pref, row, c).value_or(-1) != sums[code])
                return fail(error,
                    QStringLiteral("%1: %2 of prefecture %3 is not the sum of its municipalities in %4")
                        .arg(pref.path, c, code, muni.path));
        }
    }
    return true;
}

bool checkWardSums(const CsvTable &muni, QString *error)
{
    const int code = muni.column(QStringLiteral("muni_code"));
    const int kind = muni.column(QStringLiteral("kind"));
    const int parent = muni.column(QStringLiteral("parent_code"));
    std::map<QString, std::vector<qint64>> wardSums;
    for (const QStringList &row : muni.rows) {
        if (row.at(kind) != QLatin1String("ward"))
            continue;
        auto &sums = wardSums[row.at(parent)];
        sums.resize(kSexes.size());
        for (int s = 0; s < kSexes.size(); ++s)
            sums[s] += countOf(muni, row, kSexes[s]).value_or(0);
    }
    int cities = 0;
    for (const QStringList &row : muni.rows) {
        if (row.at(kind) != QLatin1String("designated_city"))
            continue;
        ++cities;
        const auto it = wardSums.find(row.at(code));
        for (int s = 0; s < kSexes.size(); ++s) {
            if (it == wardSums.end() || countOf(muni, row, kSexes[s]).value_or(-1) != it->second[s])
                return fail(error,
                    QStringLiteral("%1: the wards of %2 do not add up to the city")
                        .arg(muni.path, row.at(code)));
        }
    }
    if (cities != static_cast<int>(wardSums.size()))
        return fail(error, QStringLiteral("%1: wards whose city is not listed").arg(muni.path));
    return true;
}

// Age classes and the unknown age add up to the total; the totals by sex
// equal the population table of the same areas.
bool checkAgeTable(const CsvTable &age, const QString &codeColumn, const CsvTable &pop, QString *error)
{
    std::map<std::pair<QString, QString>, qint64> totals;
    for (size_t i = 0; i < age.rows.size(); ++i) {
        const QStringList &row = age.rows[i];
        qint64 sum = countOf(age, row, QStringLiteral("age_unknown")).value_or(0);
        for (const QString &c : ageClassColumns())
            sum += countOf(age, row, c).value_or(0);
        if (sum != countOf(age, row, QStringLiteral("total")).value_or(-1))
            return fail(error,
                QStringLiteral("%1: line %2: the age classes do not add up to the total")
                    .arg(age.path)
                    .arg(i + 2));
        const QString sex = row.at(age.column(QStringLiteral("sex")));
        if (sex != QLatin1String("male") && sex != QLatin1String("female"))
            return fail(error, QStringLiteral("%1: line %2: sex \"%3\"").arg(age.path).arg(i + 2).arg(sex));
        totals[{row.at(age.column(codeColumn)), sex}] = sum;
    }
    for (const QStringList &row : pop.rows) {
        const QString code = row.at(pop.column(codeColumn));
        for (const char *sex : {"male", "female"}) {
            const auto it = totals.find({code, sex});
            if (it == totals.end() || it->second != countOf(pop, row, sex).value_or(-1))
                return fail(
                    error, QStringLiteral("%1: %2 %3 differs from %4").arg(age.path, code, sex, pop.path));
        }
    }
    if (totals.size() != pop.rows.size() * 2)
        return fail(error, QStringLiteral("%1: areas that %2 does not list").arg(age.path, pop.path));
    return true;
}

bool checkSeries(const CensusTables &t, QString *error)
{
    const CsvTable &series = t.prefSeries;
    std::map<QString, qint64> sums;
    std::map<std::pair<QString, QString>, qint64> byPrefYear;
    for (const QStringList &row : series.rows) {
        const QString year = row.at(series.column(QStringLiteral("year")));
        const qint64 total = countOf(series, row, QStringLiteral("total")).value_or(-1);
        if (total < 0)
            return fail(error, QStringLiteral("%1: a year without its total").arg(series.path));
        sums[year] += total;
        byPrefYear[{row.at(series.column(QStringLiteral("pref_code"))), year}] = total;
    }
    const CsvTable &national = t.nationalSeries;
    for (const QStringList &row : national.rows) {
        const QString year = row.at(national.column(QStringLiteral("year")));
        // 1960: 73 persons of an area claimed by both Nagano and Gifu are in
        // the national total only.
        const qint64 outside = year == QLatin1String("1960") ? 73 : 0;
        if (sums[year] + outside != countOf(national, row, QStringLiteral("total")).value_or(-1))
            return fail(error,
                QStringLiteral("%1: the prefectures of %2 do not add up to the national total")
                    .arg(series.path, year));
    }
    if (sums.size() != national.rows.size())
        return fail(error, QStringLiteral("%1: years without a national total").arg(series.path));
    const std::pair<const CsvTable *, const char *> censuses[]
        = {{&t.prefPop2010, "2010"}, {&t.prefPop2015, "2015"}, {&t.prefPop2020, "2020"}};
    for (const auto &[table, year] : censuses) {
        for (const QStringList &row : table->rows) {
            const QString code = row.at(table->column(QStringLiteral("pref_code")));
            if (byPrefYear[{code, QString::fromLatin1(year)}]
                != countOf(*table, row, QStringLiteral("total")).value_or(-1))
                return fail(error,
                    QStringLiteral("%1: %2 of prefecture %3 differs from %4")
                        .arg(series.path, QString::fromLatin1(year), code, table->path));
        }
    }
    return true;
}

} // namespace

int CsvTable::column(const QString &name) const
{
    return static_cast<int>(columns.indexOf(name));
}

QStringList ageClassColumns()
{
    QStringList out;
    for (int from = 0; from < 100; from += 5)
        out << QStringLiteral("age_%1_%2").arg(from).arg(from + 4);
    out << QStringLiteral("age_100_plus");
    return out;
}

bool readCsvTable(
    const QString &path, const std::vector<ColumnRule> &columnRules, CsvTable &table, QString *error)
{
    table = CsvTable();
    table.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1: cannot be read").arg(path));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return fail(error, QStringLiteral("%1: empty").arg(path));
    QString header = lines.first();
    if (header.startsWith(QChar(0xFEFF)))
        header.remove(0, 1);
    table.columns = header.split(QLatin1Char(','));
    std::vector<int> checked;
    for (const ColumnRule &rule : columnRules) {
        const int c = table.column(rule.name);
        if (c < 0)
            return fail(error, QStringLiteral("%1: no column \"%2\"").arg(path, rule.name));
        checked.push_back(c);
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.contains(QLatin1Char('"')))
            return fail(
                error, QStringLiteral("%1: line %2: quoted cells are not expected").arg(path).arg(i + 1));
        const QStringList cells = line.split(QLatin1Char(','));
        if (cells.size() != table.columns.size())
            return fail(error,
                QStringLiteral("%1: line %2 has %3 cells, the header %4")
                    .arg(path)
                    .arg(i + 1)
                    .arg(cells.size())
                    .arg(table.columns.size()));
        for (size_t r = 0; r < columnRules.size(); ++r) {
            if (!cellFits(cells.at(checked[r]), columnRules[r].form))
                return fail(error,
                    QStringLiteral("%1: line %2, column %3: \"%4\" is not %5")
                        .arg(path)
                        .arg(i + 1)
                        .arg(columnRules[r].name, cells.at(checked[r]), formName(columnRules[r].form)));
        }
        table.rows.push_back(cells);
    }
    return true;
}

bool readCensusTables(const QString &folder, CensusTables &t, QString *error)
{
    const auto path = [&](const char *name) { return folder + QLatin1Char('/') + QString::fromLatin1(name); };
    using F = CellForm;
    const auto pop
        = rules({{"pref_code", F::Code2}, {"pref_name", F::Text}, {"total", F::Count}, {"male", F::Count},
            {"female", F::Count}, {"households", F::Count}, {"households_general", F::Count}});
    const auto muniPop = rules({{"muni_code", F::Code5}, {"pref_code", F::Code2}, {"muni_name", F::Text},
        {"total", F::Count}, {"male", F::Count}, {"female", F::Count}, {"households", F::Count},
        {"households_general", F::Count}});
    auto muniPop2020 = muniPop;
    muniPop2020.push_back({QStringLiteral("kind"), F::Text});
    muniPop2020.push_back({QStringLiteral("parent_code"), F::Text});
    const bool ok = readCsvTable(path("pref_population_2020.csv"), pop, t.prefPop2020, error)
        && readCsvTable(path("pref_population_2015.csv"), pop, t.prefPop2015, error)
        && readCsvTable(path("pref_population_2010.csv"),
            rules({{"pref_code", F::Code2}, {"pref_name", F::Text}, {"total", F::Count}, {"male", F::Count},
                {"female", F::Count}}),
            t.prefPop2010, error)
        && readCsvTable(path("pref_population_1920_2020.csv"),
            rules({{"pref_code", F::Code2}, {"pref_name", F::Text}, {"year", F::Year}, {"total", F::Count}}),
            t.prefSeries, error)
        && readCsvTable(path("national_population_1920_2020.csv"),
            rules({{"year", F::Year}, {"total", F::Count}}), t.nationalSeries, error)
        && readCsvTable(path("pref_age5_sex_2020.csv"),
            ageRules(rules(
                {{"pref_code", F::Code2}, {"pref_name", F::Text}, {"sex", F::Text}, {"total", F::Count}})),
            t.prefAge2020, error)
        && readCsvTable(path("pref_area_2020.csv"),
            rules({{"pref_code", F::Code2}, {"pref_name", F::Text}, {"area_km2", F::Decimal}}),
            t.prefArea2020, error)
        && readCsvTable(path("muni_population_2020.csv"), muniPop2020, t.muniPop2020, error)
        && readCsvTable(path("muni_population_2015.csv"), muniPop, t.muniPop2015, error)
        && readCsvTable(path("muni_age5_sex_2020.csv"),
            ageRules(rules({{"muni_code", F::Code5}, {"pref_code", F::Code2}, {"muni_name", F::Text},
                {"sex", F::Text}, {"total", F::Count}})),
            t.muniAge2020, error)
        && readCsvTable(path("muni_area_2020.csv"),
            rules({{"muni_code", F::Code5}, {"pref_code", F::Code2}, {"muni_name", F::Text},
                {"area_km2", F::Decimal}}),
            t.muniArea2020, error);
    return ok && checkCensusTables(t, error);
}

bool checkCensusTables(const CensusTables &t, QString *error)
{
    const QStringList households{QStringLiteral("households"), QStringLiteral("households_general")};
    // The age tables carry a national row (code 00) before the prefectures.
    CsvTable prefAge = t.prefAge2020;
    std::erase_if(prefAge.rows, [&](const QStringList &row) {
        return row.at(prefAge.column(QStringLiteral("pref_code"))) == QLatin1String("00");
    });
    return checkPrefectureCodes(t.prefPop2020, error) && checkPrefectureCodes(t.prefPop2015, error)
        && checkPrefectureCodes(t.prefPop2010, error) && checkPrefectureCodes(t.prefArea2020, error)
        && checkSexesAddUp(t.prefPop2020, error) && checkSexesAddUp(t.prefPop2015, error)
        && checkSexesAddUp(t.prefPop2010, error) && checkSexesAddUp(t.muniPop2020, error)
        && checkSexesAddUp(t.muniPop2015, error)
        && checkMunicipalSums(t.prefPop2020, t.muniPop2020, kSexes + households, error)
        && checkMunicipalSums(t.prefPop2015, t.muniPop2015, kSexes + households, error)
        && checkWardSums(t.muniPop2020, error)
        && checkAgeTable(prefAge, QStringLiteral("pref_code"), t.prefPop2020, error)
        && checkAgeTable(t.muniAge2020, QStringLiteral("muni_code"), t.muniPop2020, error)
        && checkSeries(t, error);
}

} // namespace veltra::statgen
