// A registration killed at any moment: afterwards the etc folder holds the
// whole old or the whole new state once the journal is recovered, readers
// never meet a listing of a missing file, and a retry of the registration
// succeeds. The registration runs in a child process (this test program
// started again), killed with SIGKILL at each step or after a random delay.
#include "childrole.h"
#include "platform/profile/profile.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/registrationjournal.h"
#include "statdata/valuefileindex.h"
#include "statgen/statregistrar.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace veltra::statgen;
using veltra::statdata::RegistrationJournal;

namespace {

ValueTable table(const QString &start, const QString &unit, const QString &group, const QString &file,
    const QString &item, const std::vector<QStringList> &rows)
{
    ValueTable t;
    t.title = QStringLiteral("国勢調査");
    t.startDate = start;
    t.endDate
        = start == QStringLiteral("2020/10/01") ? QStringLiteral("2100/09/30") : QStringLiteral("2020/09/30");
    t.areaUnit = unit;
    t.itemGroup = group;
    t.prefNum = file;
    t.fileTitle = file;
    t.header = QStringList{QStringLiteral("コード"), QStringLiteral("名称"), item};
    t.rows = rows;
    return t;
}

const QString kPref = QStringLiteral("都道府県");
const QString kCity = QStringLiteral("市区町村");
const QString k2020 = QStringLiteral("2020/10/01");

// The tree every trial starts from.
std::vector<ValueTable> oldPlan()
{
    return {table(k2020, kPref, QStringLiteral("人口"), QStringLiteral("00"), QStringLiteral("総人口"),
                {{"01", "北海道", "5224614"}, {"13", "東京都", "14047594"}}),
        table(k2020, kCity, QStringLiteral("人口"), QStringLiteral("01"), QStringLiteral("総人口"),
            {{"01100", "札幌市", "1973395"}})};
}

// The registrations the trials kill, with the area one of their values
// belongs to: a new statistics (new list, new year line), another
// prefecture of a listed group (FileIndex.txt only grows), and a new group
// of a listed statistics.
struct Variant
{
    ValueTable table;
    const char *code;
    double value;
};

const std::vector<Variant> &variants()
{
    static const std::vector<Variant> all{
        {table(QStringLiteral("2015/10/01"), kPref, QStringLiteral("人口"), QStringLiteral("00"),
             QStringLiteral("総人口"), {{"13", "東京都", "13515271"}}),
            "13", 13515271},
        {table(k2020, kCity, QStringLiteral("人口"), QStringLiteral("27"), QStringLiteral("総人口"),
             {{"27100", "大阪市", "2752412"}}),
            "27100", 2752412},
        {table(k2020, kCity, QStringLiteral("就業者"), QStringLiteral("13"), QStringLiteral("就業者数"),
             {{"13101", "千代田区", "35000"}}),
            "13101", 35000}};
    return all;
}

// Files with their bytes and folders (a trailing '/') below a folder; the
// folder's own path inside a file (the item lists name their area units'
// folders by full path) reads "<data>", so trees in two folders compare.
using Snapshot = veltra::test::TreeSnapshot;
using veltra::test::treeDifferences;

// A kill inside an atomic write leaves its copy "<file>.veltra-XXXXXX"
// beside the file; such leftovers of the file writer are not the
// registration's and are left out of the trees.
bool isSaveLeftover(const QString &path)
{
    static const QRegularExpression pattern(QStringLiteral("\\.veltra-[A-Za-z0-9]{6}$"));
    return pattern.match(path).hasMatch();
}

Snapshot snapshot(const QString &root)
{
    Snapshot out;
    const QByteArray rootBytes = QDir::cleanPath(root).toLocal8Bit();
    QDirIterator it(
        root, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir())
            out[relative + u'/'] = {};
        else if (!isSaveLeftover(path))
            out[relative] = veltra::test::readBytes(path).replace(rootBytes, "<data>");
    }
    return out;
}

// The value of the variant's item as the statistics map reads it: item list,
// Path, FileIndex.txt, value file.
struct Found
{
    double value = 0;
    int32_t status = -1;
};

Found lookup(const QString &data, const Variant &v)
{
    veltra::profile::clearCache();
    const QString list = data + QStringLiteral("/etc/") + statisticsName(v.table) + QStringLiteral(".txt");
    const QString reference
        = "{[" + v.table.areaUnit + "][" + v.table.itemGroup + "][" + v.table.header.at(2) + "]}";
    const QString code = QString::fromUtf8(v.code);
    const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    const QString file = ComCaldoraNeo::GetDataFileName(
        code.left(2).toInt(), ComCaldoraTable::GetValueFolder(list, reference), level);
    Found f;
    f.value = ComCaldoraNeo::ReadAreaValue(file, code, static_cast<int32_t>(code.size()), level,
        ComCaldoraTable::GetEntryIndex(list, reference), 0, false, f.status);
    return f;
}

// Child: args data folder, work folder, variant, the step to die at (0:
// none). Prints "go" before the registration and "done <microseconds>" after.
const veltra::test::ChildRole registrar("statgen-register", [](const QStringList &args) {
    if (args.size() < 4)
        return 3;
    int points = 0;
    const int killAt = args.at(3).toInt();
    RegistrationJournal::setStepHook([&](const char *) {
        if (++points == killAt)
            std::raise(SIGKILL);
    });
    std::fputs("go\n", stdout);
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    QString error;
    const bool ok = registerTable(
        args.at(0) + QStringLiteral("/etc"), args.at(1), variants().at(args.at(2).toUInt()).table, &error);
    std::printf("done %lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000));
    std::fflush(stdout);
    return ok ? 0 : 1;
});

class RegistrationCrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(writeStatisticsTree(pristine(), oldPlan(), &error)) << error.toStdString();
        m_old = snapshot(pristine());
        // The whole new state of each variant, from a registration that ran
        // to its end.
        for (std::size_t v = 0; v < variants().size(); ++v) {
            const QString data = trialFolder();
            ASSERT_TRUE(registerTable(data + QStringLiteral("/etc"), work(), variants()[v].table, &error))
                << error.toStdString();
            m_new.push_back(snapshot(data));
            ASSERT_NE(treeDifferences(m_new.back(), m_old), "");
        }
    }

    QString pristine() const { return tmp.path() + QStringLiteral("pristine"); }
    QString work() const { return tmp.path(); }

    // A fresh copy of the old tree.
    QString trialFolder()
    {
        const QString data = tmp.path() + QStringLiteral("trial%1").arg(++m_trials);
        veltra::test::copyTree(pristine(), data);
        return data;
    }

    // Starts the child on a copy of the old tree; returns the copy.
    QString startChild(QProcess &child, std::size_t variant, int killAt)
    {
        const QString data = trialFolder();
        veltra::test::startChildRole(child, QStringLiteral("statgen-register"),
            {data, work(), QString::number(variant), QString::number(killAt)});
        EXPECT_TRUE(child.waitForStarted(10000));
        return data;
    }

    // What a killed registration left: the reader sees the old value or the
    // new one; recovered, the tree is whole old or whole new; a retry then
    // succeeds (or, when the registration had finished, is refused as a
    // second registration of the same file) and leaves the whole new state.
    void checkOutcome(const QString &data, std::size_t v, const std::string &trial)
    {
        SCOPED_TRACE(trial);
        veltra::statdata::ValueFileIndex::clearCache();
        const Variant &variant = variants()[v];
        const Found before = lookup(data, variant);
        EXPECT_TRUE(before.status == 2 || (before.status == 0 && before.value == variant.value))
            << before.status << ' ' << before.value;

        QString error;
        ASSERT_TRUE(RegistrationJournal::recover(data + QStringLiteral("/etc"), &error))
            << error.toStdString();
        const Snapshot recovered = snapshot(data);
        const bool wasOld = recovered == m_old;
        ASSERT_TRUE(wasOld || recovered == m_new[v]) << "neither the old nor the new tree; against the old:\n"
                                                     << treeDifferences(recovered, m_old) << "against the new:\n"
                                                     << treeDifferences(recovered, m_new[v]);
        ++(wasOld ? m_oldOutcomes : m_newOutcomes);

        const bool retried = registerTable(data + QStringLiteral("/etc"), work(), variant.table, &error);
        EXPECT_EQ(retried, wasOld) << error.toStdString();
        EXPECT_EQ(treeDifferences(snapshot(data), m_new[v]), "");
        const Found after = lookup(data, variant);
        EXPECT_EQ(after.status, 0);
        EXPECT_EQ(after.value, variant.value);
    }

    veltra::test::TempDir tmp;
    Snapshot m_old;
    std::vector<Snapshot> m_new;
    int m_trials = 0;
    int m_oldOutcomes = 0;
    int m_newOutcomes = 0;
};

// Killed at each step a registration reports, for each kind of registration.
TEST_F(RegistrationCrash, KilledAtEveryStep)
{
    for (std::size_t v = 0; v < variants().size(); ++v) {
        for (int killAt = 1;; ++killAt) {
            QProcess child;
            const QString data = startChild(child, v, killAt);
            ASSERT_TRUE(child.waitForFinished(30000));
            const bool finished = child.exitStatus() == QProcess::NormalExit;
            if (finished) {
                // Past the last step: the registration ran to its end.
                EXPECT_EQ(child.exitCode(), 0);
                EXPECT_EQ(treeDifferences(snapshot(data), m_new[v]), "");
                EXPECT_GE(killAt, 5);
                break;
            }
            checkOutcome(
                data, v, "variant " + std::to_string(v) + ", killed at step " + std::to_string(killAt));
        }
    }
    // The steps before the commit come out old, the one after it new.
    EXPECT_GT(m_oldOutcomes, 0);
    EXPECT_GT(m_newOutcomes, 0);
}

// Killed after a random delay, anywhere inside the file writes of a step.
TEST_F(RegistrationCrash, KilledAtRandomMoments)
{
    // How long a registration takes in the child, from its "go".
    QProcess probe;
    startChild(probe, 1, 0);
    ASSERT_TRUE(probe.waitForFinished(30000));
    const QByteArray output = probe.readAllStandardOutput();
    const qsizetype done = output.indexOf("done ");
    ASSERT_GE(done, 0) << output.toStdString();
    const long long span = std::max(100LL, output.mid(done + 5).trimmed().toLongLong());

    std::mt19937 random(20240521);
    constexpr int kTrials = 24;
    for (int trial = 0; trial < kTrials; ++trial) {
        const std::size_t v = std::size_t(trial) % variants().size();
        QProcess child;
        const QString data = startChild(child, v, 0);
        ASSERT_TRUE(child.waitForReadyRead(30000));
        const auto delay = std::uniform_int_distribution<long long>(0, span * 5 / 4)(random);
        QThread::usleep(static_cast<unsigned long>(delay));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));
        checkOutcome(data, v, "random trial " + std::to_string(trial) + ", " + std::to_string(delay) + " us");
    }
    EXPECT_EQ(m_oldOutcomes + m_newOutcomes, kTrials);
}

// A recovery killed in its turn is finished by the next one.
TEST_F(RegistrationCrash, ARecoveryKilledIsFinishedByTheNext)
{
    // Killed just before the commit: every file of the registration written.
    QProcess first;
    const QString data = startChild(first, 0, 4);
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_EQ(first.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFileInfo::exists(RegistrationJournal::journalFolder(data + QStringLiteral("/etc"))));

    // The retry recovers first; killed once the files are put back, before
    // the journal is removed.
    QProcess retry;
    veltra::test::startChildRole(
        retry, QStringLiteral("statgen-register"), {data, work(), QStringLiteral("0"), QStringLiteral("1")});
    ASSERT_TRUE(retry.waitForFinished(30000));
    ASSERT_EQ(retry.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFileInfo::exists(RegistrationJournal::journalFolder(data + QStringLiteral("/etc"))));
    checkOutcome(data, 0, "recovery killed");
    EXPECT_EQ(m_oldOutcomes, 1);
}

} // namespace
