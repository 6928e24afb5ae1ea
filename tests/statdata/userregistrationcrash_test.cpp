// A user registration or deletion killed at any moment: once the etc
// folder's journal is recovered (as the registration window does when it
// loads), the data tree and the register hold the whole old or the whole new
// state, and a retry of the same registration succeeds. The run goes in a
// child process (this test program started again), killed with SIGKILL at
// each step it reports or after a random delay.
#include "childrole.h"
#include "statdata/clsaddinfo.h"
#include "statdata/registrationjournal.h"
#include "statdata/userdataregistration.h"
#include "statdatatesthelpers.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

using namespace veltra::test;
using namespace veltra::statdata;

namespace {

QDateTime fixedClock()
{
    return QDateTime(QDate(2024, 3, 5), QTime(9, 7));
}

// The runs the trials kill, on a tree where the town blocks of prefecture 01
// are already registered (see writeStartTree).
enum class UserRun {
    NewStatistics, // a municipal registration: new item list, year line, FileIndex.txt
    AnotherPrefecture, // town blocks of 13 beside 01: FileIndex.txt and the lists change
    SameAgain, // the town blocks of 01 again with other values (replacing them)
    Deletion, // the town blocks of 01 deleted
};
constexpr UserRun kRuns[]
    = {UserRun::NewStatistics, UserRun::AnotherPrefecture, UserRun::SameAgain, UserRun::Deletion};

const char *nameOf(UserRun run)
{
    switch (run) {
    case UserRun::NewStatistics:
        return "new statistics";
    case UserRun::AnotherPrefecture:
        return "another prefecture";
    case UserRun::SameAgain:
        return "the same registration again";
    case UserRun::Deletion:
        return "deletion";
    }
    return "";
}

QString dataOf(const QString &root)
{
    return root + QStringLiteral("VeltraData/");
}
QString etcOf(const QString &root)
{
    return dataOf(root) + QStringLiteral("etc/");
}
QString registerOf(const QString &root)
{
    return root + QStringLiteral("add_inf.txt");
}

UserDataTarget townBlocks(const QString &root, const QString &pref, const QString &csv)
{
    return makeUserDataTarget(dataOf(root), userDataPeriods()[0], u("人口集計"), kUnitTownBlock, u("町丁別"),
        pref + u(" 東京都"), root + csv);
}

// Runs one of the runs on the tree under root: "" or the failure's message.
QString perform(const QString &root, UserRun run)
{
    switch (run) {
    case UserRun::NewStatistics:
        return runAddPipeline(makeUserDataTarget(dataOf(root), userDataPeriods()[1], u("世帯集計"),
                                  kUnitMunicipality, u("世帯数"), u("13 東京都"), root + "input/13.csv"),
            true, registerOf(root));
    case UserRun::AnotherPrefecture:
        return runAddPipeline(townBlocks(root, "13", "input/t13.csv"), true, registerOf(root));
    case UserRun::SameAgain:
        return runAddPipeline(townBlocks(root, "01", "again/t01.csv"), false, registerOf(root));
    case UserRun::Deletion: {
        clsAddInfo info;
        info.setAddInfoFilePath(registerOf(root));
        std::vector<QString> lines;
        info.CreateAddedDataList(lines);
        for (const QString &line : lines) {
            if (line.contains(QStringLiteral("t01.txt")))
                return runDeletePipeline(line, registerOf(root));
        }
        return QStringLiteral("no registration of t01");
    }
    }
    return QStringLiteral("unknown run");
}

// Whether a retry of the run succeeds once it has run to its end: a new
// registration is refused then (its value file exists), a replacing one
// goes through again.
bool retrySucceedsWhenNew(UserRun run)
{
    return run == UserRun::SameAgain;
}

// The shipped statistics, the input files, and the town blocks of 01
// registered.
void writeStartTree(const QString &root)
{
    const QString etc = etcOf(root);
    writeTextFile(etc + u("統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
    writeTextFile(etc + u("etc2/統計ﾃﾞｰﾀ年度管理.txt"), {u("S45国勢,19701001,19750930")});
    writeTextFile(etc + u("S45国勢.txt"), {u("[統計内容]"), u("Entry1=国勢")});
    writeTextFile(etc + u("S45国勢/都道府県/人口/pref.txt"), {u("ｺｰﾄﾞ,人口"), u("13,1")});
    writeTextFile(root + "input/13.csv",
        {u("ｺｰﾄﾞ,名前,世帯数,人口"), u("13101,千代田区,100,200"), u("13102,中央区,300,400")});
    writeTextFile(root + "input/t13.csv",
        {u("ｺｰﾄﾞ,名前,世帯数"), u("13102001001,八重洲,7"), u("13101001001,丸の内,5"),
            u("13101001002,大手町,6")});
    writeTextFile(root + "input/t01.csv", {u("ｺｰﾄﾞ,名前,世帯数"), u("01101000001,札幌,1")});
    writeTextFile(root + "again/t01.csv", {u("ｺｰﾄﾞ,名前,世帯数"), u("01101000001,札幌,2")});
    const QString failure = runAddPipeline(townBlocks(root, "01", "input/t01.csv"), true, registerOf(root));
    EXPECT_EQ(failure, QString()) << failure.toStdString();
}

// A kill inside an atomic write leaves its copy "<file>.veltra-XXXXXX"
// beside the file; the next write of that file removes it. Not the
// registration's: left out of the trees.
bool isSaveLeftover(const QString &path)
{
    static const QRegularExpression pattern(QStringLiteral("\\.veltra-[A-Za-z0-9]{6}$"));
    return pattern.match(path).hasMatch();
}

using Snapshot = veltra::test::TreeSnapshot;
using veltra::test::treeDifferences;

// Every file and folder under root; the root's own path inside a file (the
// register and the item lists hold full paths) reads "<root>/", so trees in
// two folders compare.
Snapshot snapshotOf(const QString &root)
{
    Snapshot out;
    const QByteArray rootBytes = QFile::encodeName(root);
    for (auto &[path, bytes] : snapshot(root)) {
        if (!isSaveLeftover(path))
            out[path] = QByteArray(bytes).replace(rootBytes, "<root>/");
    }
    return out;
}

// Child: args root (ending in '/'), run, the step to die at (0: none).
// Prints "go" before the run and "done <microseconds>" after it.
const ChildRole runner("userdata-run", [](const QStringList &args) {
    if (args.size() < 3)
        return 3;
    clsAddInfo::setClock(fixedClock);
    int points = 0;
    const int killAt = args.at(2).toInt();
    RegistrationJournal::setStepHook([&](const char *) {
        if (++points == killAt)
            std::raise(SIGKILL);
    });
    std::fputs("go\n", stdout);
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    const QString failure = perform(args.at(0), kRuns[args.at(1).toInt()]);
    std::printf("done %lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000));
    std::fflush(stdout);
    return failure.isEmpty() ? 0 : 1;
});

class UserRegistrationCrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clsAddInfo::setClock(fixedClock);
        writeStartTree(pristine());
        m_old = snapshotOf(pristine());
        // The whole new state of each run, from a run to its end.
        for (UserRun run : kRuns) {
            const QString root = trialFolder();
            ASSERT_EQ(perform(root, run), QString()) << nameOf(run);
            m_new[run] = snapshotOf(root);
            ASSERT_NE(treeDifferences(m_new[run], m_old), "") << nameOf(run);
        }
    }
    void TearDown() override { clsAddInfo::setClock(nullptr); }

    QString pristine() const { return tmp.path() + QStringLiteral("pristine/"); }

    // A fresh copy of the start tree.
    QString trialFolder()
    {
        const QString root = tmp.path() + QStringLiteral("trial%1/").arg(++m_trials);
        veltra::test::copyTree(pristine(), root, true);
        return root;
    }

    QString startChild(QProcess &child, UserRun run, int killAt)
    {
        const QString root = trialFolder();
        startChildRole(child, QStringLiteral("userdata-run"),
            {root, QString::number(static_cast<int>(run)), QString::number(killAt)});
        EXPECT_TRUE(child.waitForStarted(10000));
        return root;
    }

    // What a killed run left: recovered, the tree is whole old or whole
    // new; a retry then succeeds when it was old (or the run replaces) and
    // leaves the whole new state.
    void checkOutcome(const QString &root, UserRun run, const std::string &trial)
    {
        SCOPED_TRACE(trial);
        QString error;
        ASSERT_TRUE(RegistrationJournal::recover(etcOf(root), &error)) << error.toStdString();
        const Snapshot recovered = snapshotOf(root);
        const bool wasOld = recovered == m_old;
        ASSERT_TRUE(wasOld || recovered == m_new[run])
            << "neither the old nor the new tree; against the old:\n"
            << treeDifferences(recovered, m_old) << "against the new:\n"
            << treeDifferences(recovered, m_new[run]);
        ++(wasOld ? m_oldOutcomes : m_newOutcomes);

        if (run == UserRun::Deletion && !wasOld)
            return; // nothing left to delete
        const QString retried = perform(root, run);
        EXPECT_EQ(retried.isEmpty(), wasOld || retrySucceedsWhenNew(run)) << retried.toStdString();
        EXPECT_EQ(treeDifferences(snapshotOf(root), m_new[run]), "");
    }

    TempDir tmp;
    Snapshot m_old;
    std::map<UserRun, Snapshot> m_new;
    int m_trials = 0;
    int m_oldOutcomes = 0;
    int m_newOutcomes = 0;
};

// Killed at each step a run reports (the journal kept, each file's step,
// the commit), for each kind of run.
TEST_F(UserRegistrationCrash, KilledAtEveryStep)
{
    for (UserRun run : kRuns) {
        for (int killAt = 1;; ++killAt) {
            QProcess child;
            const QString root = startChild(child, run, killAt);
            ASSERT_TRUE(child.waitForFinished(30000));
            if (child.exitStatus() == QProcess::NormalExit) {
                // Past the last step: the run went to its end.
                EXPECT_EQ(child.exitCode(), 0) << nameOf(run);
                EXPECT_EQ(treeDifferences(snapshotOf(root), m_new[run]), "") << nameOf(run);
                EXPECT_GE(killAt, 7) << nameOf(run) << ": fewer steps than the pipeline has";
                break;
            }
            checkOutcome(root, run, std::string(nameOf(run)) + ", killed at step " + std::to_string(killAt));
        }
    }
    // The steps before the commit come out old, the commit new.
    EXPECT_GT(m_oldOutcomes, 0);
    EXPECT_GT(m_newOutcomes, 0);
}

// Killed after a random delay, anywhere inside the file writes of a step.
TEST_F(UserRegistrationCrash, KilledAtRandomMoments)
{
    // How long a run takes in the child, from its "go".
    QProcess probe;
    startChild(probe, UserRun::AnotherPrefecture, 0);
    ASSERT_TRUE(probe.waitForFinished(30000));
    const QByteArray output = probe.readAllStandardOutput();
    const qsizetype done = output.indexOf("done ");
    ASSERT_GE(done, 0) << output.toStdString();
    const long long span = std::max(100LL, output.mid(done + 5).trimmed().toLongLong());

    std::mt19937 random(20261211);
    constexpr int kTrials = 12;
    for (int trial = 0; trial < kTrials; ++trial) {
        const UserRun run = kRuns[std::size_t(trial) % std::size(kRuns)];
        QProcess child;
        const QString root = startChild(child, run, 0);
        ASSERT_TRUE(child.waitForReadyRead(30000));
        const auto delay = std::uniform_int_distribution<long long>(0, span * 5 / 4)(random);
        QThread::usleep(static_cast<unsigned long>(delay));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));
        checkOutcome(root, run,
            std::string(nameOf(run)) + ", random trial " + std::to_string(trial) + ", "
                + std::to_string(delay) + " us");
    }
    EXPECT_EQ(m_oldOutcomes + m_newOutcomes, kTrials);
}

} // namespace
