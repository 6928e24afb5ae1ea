#include "calctemplates.h"

#include "statdata/calctemplate.h"

#include <QDir>

namespace veltra::statgen {

namespace {

// Item lists are named by the data folder's "etc" component; readers find
// them under whatever data folder they run on.
const QString kItemList = QStringLiteral("etc\\R2国勢調査.txt");

statdata::CalcTemplate ratio(const QString &comment, const QString &name, const QString &unit,
    const QString &numerator, const QString &denominator)
{
    statdata::CalcTemplate tmpl;
    tmpl.comment = comment;
    statdata::CalcField field;
    field.name = name;
    field.tokens = {QStringLiteral("{[%1][%2]}").arg(unit, numerator), QStringLiteral("/"),
        QStringLiteral("{[%1][%2]}").arg(unit, denominator)};
    field.files = {kItemList, QString(), kItemList};
    tmpl.fields.push_back(field);
    return tmpl;
}

} // namespace

bool writeShippedTemplates(const QString &dataFolder, QString *error)
{
    QString folder = dataFolder;
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    for (std::int16_t level : {1, 2, 3}) {
        const QString path = statdata::calcTemplateFolder(folder, level).replace(u'\\', u'/');
        if (!QDir().mkpath(path)) {
            if (error)
                *error = path + QStringLiteral(": cannot make the template folder");
            return false;
        }
    }
    for (std::int16_t level : {1, 2}) {
        const QString unit = level == 1 ? QStringLiteral("都道府県") : QStringLiteral("市区町村");
        const QString base = statdata::calcTemplateFolder(folder, level).replace(u'\\', u'/') + u'/';
        const auto density
            = ratio(QStringLiteral("令和2年国勢調査の総人口を面積(km2)で割った人口密度（人/km2）"),
                QStringLiteral("人口密度"), unit, QStringLiteral("人口][総人口"),
                QStringLiteral("面積][面積(km2)"));
        const auto household
            = ratio(QStringLiteral("令和2年国勢調査の総人口を世帯数で割った1世帯当たり人員（人）"),
                QStringLiteral("1世帯当たり人員"), unit, QStringLiteral("人口][総人口"),
                QStringLiteral("世帯][世帯数"));
        if (!statdata::writeCalcTemplate(base + QStringLiteral("人口密度.cal"), density, error)
            || !statdata::writeCalcTemplate(base + QStringLiteral("1世帯当たり人員.cal"), household, error))
            return false;
    }
    return true;
}

} // namespace veltra::statgen
