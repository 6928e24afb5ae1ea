#include "prefectureanalyses.h"

#include "fakegraphowner.h"
#include "graphs/clsanafile.h"
#include "graphs/globals.h"
#include "shell/globals.h"
#include "statdata/meshdatabase.h"
#include "testsupport.h"

#include <QFile>
#include <algorithm>

namespace veltra::test {

std::vector<Prefecture> readPrefectures()
{
    std::vector<Prefecture> prefs;
    db::Statement query = statdata::MeshDatabase::shared().prepare(
        QStringLiteral("SELECT * FROM 都道府県テーブル ORDER BY 都道府県ｺｰﾄﾞ"));
    if (!query.isValid())
        return prefs;
    while (query.next()) {
        Prefecture p;
        p.code = query.text(0).toInt();
        p.name = query.text(1).trimmed();
        p.x = query.text(6).toInt();
        p.y = query.text(7).toInt();
        prefs.push_back(p);
    }
    QFile census(QStringLiteral(VELTRA_CENSUS_SOURCES "/pref_population_2020.csv"));
    if (!census.open(QIODevice::ReadOnly))
        return {};
    census.readLine();
    while (!census.atEnd()) {
        const QStringList fields = QString::fromUtf8(census.readLine()).trimmed().split(u',');
        for (Prefecture &p : prefs) {
            if (p.code == fields.value(0).toInt())
                p.total = fields.value(2);
        }
    }
    return prefs;
}

std::vector<QVariant> totals(const std::vector<Prefecture> &areas)
{
    std::vector<QVariant> out;
    for (const Prefecture &p : areas)
        out.push_back(p.total.toDouble());
    return out;
}

std::vector<Prefecture> descending(std::vector<Prefecture> areas)
{
    std::stable_sort(areas.begin(), areas.end(),
        [](const Prefecture &a, const Prefecture &b) { return a.total.toDouble() > b.total.toDouble(); });
    return areas;
}

QString writeAnalysis(std::int32_t kind, const std::vector<Prefecture> &areas, const std::vector<QVariant> &values)
{
    glngGraphKind = kind;
    FakeGraphOwner owner;
    clsAnaFile ana;
    ana.SetFormName(&owner);
    ana.setSegments(0);
    std::vector<QString> codes{QString()};
    for (const Prefecture &p : areas)
        codes.push_back(QStringLiteral("%1").arg(p.code, 2, 10, QLatin1Char('0')));
    ana.setSelectAddress(codes);
    ana.SetHead5(0, u("総人口"), 255, QString(), QString());
    ana.SetData1Area(static_cast<std::int32_t>(areas.size()));
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const Prefecture &p = areas[i];
        ana.SetData1(static_cast<std::int32_t>(i + 1), p.x, p.y, p.code, 0, 0, QString(), p.name,
            {QVariant(), values[i]});
    }
    ana.CsvWriteReq(gstrDataPath + QStringLiteral("DB\\"));
    return gstrDataPath + QStringLiteral("DB/") + ana.DataFileName();
}

} // namespace veltra::test
