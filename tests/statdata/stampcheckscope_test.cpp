// Evaluations check each file they read once: a file changed between two
// evaluations is read anew, and a batch inside one stamp-check scope reads
// every file as the scope first found it.
#include "platform/fs/filestamp.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/valuefileindex.h"
#include "valuefixture.h"

#include <QFile>
#include <gtest/gtest.h>
#include <utime.h>

using veltra::test::ValueFixture;

namespace {

const QString kReference = QStringLiteral("{[市区町村][人口C][a]}");

class StampCheckedEvaluation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        veltra::statdata::ValueFileIndex::clearCache();
        veltra::statdata::setAreaCalculation([](QVariant &result, const std::vector<double> &values) {
            result = values.at(1);
            return true;
        });
    }
    void TearDown() override
    {
        veltra::statdata::setAreaCalculation({});
        veltra::statdata::ValueFileIndex::clearCache();
    }

    double value(const ValueFixture &fixture)
    {
        int32_t status = -1;
        const double v = ComCaldoraNeo::CalcAreaValue(QStringLiteral("13101"), 5, 1, {QString(), kReference},
            {QString(), fixture.itemList()}, status);
        return status == 0 ? v : -1;
    }
};

QString local(const QString &windowsPath)
{
    return QString(windowsPath).replace(u'\\', u'/');
}

// Rewrites the city value file of prefecture 13 in place with one byte
// changed, keeping its size and modification time.
void changeValueInPlace(const ValueFixture &fixture)
{
    const QString path = local(fixture.cityFile13());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf("13101,5");
    ASSERT_GE(at, 0);
    bytes[at + 6] = '6';
    ASSERT_TRUE(file.seek(0));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    const utimbuf times{1600000000, 1600000000};
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

// Points the city file index at a new value file holding 13101 = 9.
void nameAnotherValueFile(const ValueFixture &fixture)
{
    ValueFixture::write(fixture.cityFolder() + QStringLiteral("\\13b.txt"),
        {QStringLiteral("CODE,a"), QStringLiteral("13101,9")});
    ValueFixture::write(fixture.cityFolder() + QStringLiteral("\\FileIndex.txt"),
        {QStringLiteral("[FileName]"), QStringLiteral("Code13=13b.txt")});
}

TEST_F(StampCheckedEvaluation, AFileChangedBetweenEvaluationsIsReadAnew)
{
    struct Case
    {
        const char *what;
        void (*change)(const ValueFixture &);
        double after;
    };
    const Case cases[] = {
        {"value file rewritten in place, same size and time", &changeValueInPlace, 6},
        {"file index naming another value file", &nameAnotherValueFile, 9},
        {"item list with the items in another order",
            [](const ValueFixture &f) {
                QFile file(local(f.itemList()));
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                QByteArray bytes = file.readAll();
                file.close();
                bytes.replace("Entry1=a\r\nEntry2=b\r\nEntry3=c", "Entry1=c\r\nEntry2=b\r\nEntry3=a");
                veltra::test::writeBytes(local(f.itemList()), bytes);
            },
            7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ValueFixture fixture;
        EXPECT_EQ(value(fixture), 5);
        c.change(fixture);
        EXPECT_EQ(value(fixture), c.after);
    }
}

TEST_F(StampCheckedEvaluation, ABatchReadsEachFileAsItsScopeFirstFoundIt)
{
    ValueFixture fixture;
    {
        const veltra::fs::StampCheckScope batch;
        EXPECT_EQ(value(fixture), 5);
        nameAnotherValueFile(fixture);
        EXPECT_EQ(value(fixture), 5);
    }
    EXPECT_EQ(value(fixture), 9);
}

} // namespace
