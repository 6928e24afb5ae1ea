#include "inputforms.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"

#include <QDir>
#include <cmath>
#include <map>

namespace veltra::statgen {

namespace {

const QString kFormsFolder = QStringLiteral("追加用エクセルファイル");
const QString kNoData = QStringLiteral("-");

// code -> row of a table keyed by its first column.
std::map<QString, const QStringList *> byCode(const CsvTable &table)
{
    std::map<QString, const QStringList *> out;
    for (const QStringList &row : table.rows)
        out[row.value(0)] = &row;
    return out;
}

QString cell(const CsvTable &table, const QStringList &row, const char *column)
{
    const int c = table.column(QString::fromLatin1(column));
    return c < 0 ? QString() : row.value(c);
}

// numerator / denominator with two decimals, "-" when either is missing or
// the denominator is 0.
QString ratio(const QString &numerator, const QString &denominator)
{
    bool okN = false, okD = false;
    const double n = numerator.toDouble(&okN);
    const double d = denominator.toDouble(&okD);
    if (!okN || !okD || d == 0)
        return kNoData;
    return QString::number(n / d, 'f', 2);
}

// The two density items of one area.
QStringList densityLine(const QString &code, const QString &name, const QString &population,
    const QString &households, const QString &area)
{
    return {code, name, ratio(population, area), ratio(population, households)};
}

bool missing(QString *error, const QString &what)
{
    if (error)
        *error = QStringLiteral("input forms: the census tables have no %1").arg(what);
    return false;
}

} // namespace

bool buildInputForms(const CensusTables &tables, std::vector<InputForm> &forms, QString *error)
{
    forms.clear();
    const QStringList densityHeader{QStringLiteral("ｺｰﾄﾞ"), QStringLiteral("名称"),
        QStringLiteral("人口密度"), QStringLiteral("1世帯当たり人員")};

    InputForm prefs{QStringLiteral("都道府県_人口密度.csv"), QStringLiteral("都道府県"), {densityHeader}};
    const auto prefArea = byCode(tables.prefArea2020);
    for (const QStringList &row : tables.prefPop2020.rows) {
        const QString code = row.value(0);
        if (code == QStringLiteral("00"))
            continue; // the nation is no prefecture
        const auto area = prefArea.find(code);
        if (area == prefArea.end())
            return missing(error, QStringLiteral("area of prefecture ") + code);
        prefs.lines.push_back(densityLine(code, cell(tables.prefPop2020, row, "pref_name"),
            cell(tables.prefPop2020, row, "total"), cell(tables.prefPop2020, row, "households"),
            cell(tables.prefArea2020, *area->second, "area_km2")));
    }
    if (prefs.lines.size() != 48)
        return missing(error, QStringLiteral("47 prefectures"));

    InputForm tokyo{
        QStringLiteral("市区町村_東京都人口密度.csv"), QStringLiteral("市区町村"), {densityHeader}};
    const auto muniArea = byCode(tables.muniArea2020);
    for (const QStringList &row : tables.muniPop2020.rows) {
        if (cell(tables.muniPop2020, row, "pref_code") != QStringLiteral("13"))
            continue;
        const auto area = muniArea.find(row.value(0));
        tokyo.lines.push_back(densityLine(row.value(0), cell(tables.muniPop2020, row, "muni_name"),
            cell(tables.muniPop2020, row, "total"), cell(tables.muniPop2020, row, "households"),
            area == muniArea.end() ? QString() : cell(tables.muniArea2020, *area->second, "area_km2")));
    }
    if (tokyo.lines.size() < 2)
        return missing(error, QStringLiteral("municipalities of Tokyo"));

    // Sample blocks: each ward's totals shared out 30, 25, 20, 15 and 10 %,
    // the last block taking what rounding left.
    InputForm towns{QStringLiteral("町丁字_千代田区中央区.csv"), QStringLiteral("町丁字"),
        {{QStringLiteral("ｺｰﾄﾞ"), QStringLiteral("名称"), QStringLiteral("人口"), QStringLiteral("世帯数")}}};
    const auto munis = byCode(tables.muniPop2020);
    const int shares[] = {30, 25, 20, 15, 10};
    for (const QString &ward : {QStringLiteral("13101"), QStringLiteral("13102")}) {
        const auto it = munis.find(ward);
        if (it == munis.end())
            return missing(error, QStringLiteral("municipality ") + ward);
        const QString name = cell(tables.muniPop2020, *it->second, "muni_name");
        const qint64 population = cell(tables.muniPop2020, *it->second, "total").toLongLong();
        const qint64 households = cell(tables.muniPop2020, *it->second, "households").toLongLong();
        qint64 restPopulation = population, restHouseholds = households;
        for (int block = 1; block <= 5; ++block) {
            const qint64 p = block == 5 ? restPopulation : population * shares[block - 1] / 100;
            const qint64 h = block == 5 ? restHouseholds : households * shares[block - 1] / 100;
            restPopulation -= p;
            restHouseholds -= h;
            towns.lines.push_back({ward + QStringLiteral("0001%1").arg(block, 2, 10, QLatin1Char('0')),
                name + QStringLiteral("見本%1丁目").arg(block), QString::number(p), QString::number(h)});
        }
    }

    forms = {prefs, tokyo, towns};
    return true;
}

bool writeInputForms(const QString &dataFolder, const CensusTables &tables, QString *error)
{
    std::vector<InputForm> forms;
    if (!buildInputForms(tables, forms, error))
        return false;
    const QString folder = QDir(dataFolder).filePath(kFormsFolder) + QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = folder + QStringLiteral(": cannot make the input-form folder");
        return false;
    }
    for (const InputForm &form : forms) {
        QByteArray bytes;
        for (const QStringList &line : form.lines) {
            QByteArray encoded;
            if (!text::encodeCp932(line.join(QLatin1Char(',')), encoded, error))
                return false;
            bytes += encoded + "\r\n";
        }
        if (!fs::writeFileAtomic(folder + form.fileName, bytes, error))
            return false;
    }
    return true;
}

} // namespace veltra::statgen
