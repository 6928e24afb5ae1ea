// The input examples of the default data folder: each registers as it is
// through the user-data registration, its figures read back, and its areas
// are areas of the default statistics.
#include "statdata/clsaddinfo.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/userdataregistration.h"
#include "statgen/censustables.h"
#include "statgen/inputforms.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::statgen;
using namespace veltra::statdata;

namespace {

const CensusTables &tables()
{
    static const CensusTables t = [] {
        CensusTables read;
        QString error;
        EXPECT_TRUE(readCensusTables(QStringLiteral(VELTRA_CENSUS_SOURCES), read, &error))
            << error.toStdString();
        return read;
    }();
    return t;
}

double lookup(const QString &itemList, const QString &unit, const QString &group, const QString &item,
    const QString &code, int32_t &status)
{
    const QString reference = "{[" + unit + "][" + group + "][" + item + "]}";
    const int32_t column = ComCaldoraTable::GetEntryIndex(itemList, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(itemList, reference);
    const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    const QString file = ComCaldoraNeo::GetDataFileName(code.left(2).toInt(), folder, level);
    status = -1;
    return ComCaldoraNeo::ReadAreaValue(
        file, code, static_cast<int32_t>(code.size()), level, column, 0, false, status);
}

TEST(InputForms, EachExampleRegistersAndReadsBack)
{
    veltra::test::TempDir tmp;
    const QString data = tmp.path() + QStringLiteral("VeltraData/");
    QString error;
    ASSERT_TRUE(writeInputForms(data, tables(), &error)) << error.toStdString();
    const QString forms = data + QStringLiteral("追加用エクセルファイル/");
    const QStringList files = QDir(forms).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 3);

    std::vector<InputForm> built;
    ASSERT_TRUE(buildInputForms(tables(), built, &error));
    const clsBaseYear period = userDataPeriods()[0];
    // One item group per unit: a group keeps its items across units.
    for (const InputForm &form : built) {
        SCOPED_TRACE(form.fileName.toStdString());
        ASSERT_TRUE(QFile::exists(forms + form.fileName));
        const UserDataTarget t = makeUserDataTarget(data, period, QStringLiteral("見本"), form.areaUnit,
            QStringLiteral("例") + form.areaUnit, QStringLiteral("13 東京都"), forms + form.fileName);
        EXPECT_EQ(runAddPipeline(t, true, tmp.path() + QStringLiteral("add_inf.txt")), QString());
    }

    struct Row
    {
        const char *unit, *item, *code;
        double value;
    };
    const Row rows[] = {
        {"都道府県", "人口密度", "13", 6402.64}, // 14047594 / 2194.03
        {"都道府県", "1世帯当たり人員", "01", 2.11}, // 5224614 / 2476846
        {"市区町村", "人口密度", "13101", 5718.70}, // 66680 / 11.66
        {"町丁字", "人口", "13101000101", 20004}, // 30 % of 66680
        {"町丁字", "世帯数", "13102000105", 9256}, // 92533 less 30, 25, 20 and 15 %
    };
    const QString itemList = data + QStringLiteral("etc/H12見本.txt");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.code);
        int32_t status = -1;
        const QString unit = QString::fromUtf8(row.unit);
        EXPECT_NEAR(lookup(itemList, unit, QStringLiteral("例") + unit, QString::fromUtf8(row.item),
                        QString::fromLatin1(row.code), status),
            row.value, 0.005);
        EXPECT_EQ(status, 0);
    }
}

TEST(InputForms, TheDefaultDataFolderHoldsThemOnItsOwnAreas)
{
    const QString data = QStringLiteral(VELTRA_DEFAULT_DATA) + QStringLiteral("/VeltraData/");
    const QString forms = data + QStringLiteral("追加用エクセルファイル/");
    std::vector<InputForm> built;
    QString error;
    ASSERT_TRUE(buildInputForms(tables(), built, &error));
    for (const InputForm &form : built) {
        SCOPED_TRACE(form.fileName.toStdString());
        QFile file(forms + form.fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "build the target veltra_default_statistics";
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), static_cast<qsizetype>(form.lines.size()));
    }

    // Every prefecture and municipality of the examples is an area of the
    // default statistics (R2国勢調査), found with its population.
    const QString itemList = data + QStringLiteral("etc/R2国勢調査.txt");
    for (std::size_t f = 0; f < 2; ++f) {
        for (std::size_t i = 1; i < built[f].lines.size(); ++i) {
            const QString code = built[f].lines[i].value(0);
            int32_t status = -1;
            const double population = lookup(
                itemList, built[f].areaUnit, QStringLiteral("人口"), QStringLiteral("総人口"), code, status);
            EXPECT_EQ(status, 0) << code.toStdString();
            EXPECT_GT(population, 0) << code.toStdString();
        }
    }
}

} // namespace
