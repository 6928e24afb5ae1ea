// The three definition files of a folder killed in the middle of a save:
// whatever the moment, the next read finds one whole save, never a mix, and
// leaves no pending copy or commit marker behind. The saves run in a child
// process (this test program started again) that saves generation after
// generation until it is killed.
//
// VELTRA_DEFSAVE_CRASH_TRIALS sets the number of kills (30 by default; set it
// in the thousands to search longer by hand).
#include "childrole.h"
#include "testsupport.h"
#include "zorvik/core/catalog.h"
#include "zorvik/core/catalogfiles.h"
#include "zorvik/core/filesetcommit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace zorvik {
namespace {

// Every file of the set carries the generation: a space, a vector kind of
// that space and a connector kind pointing at it, all named after it. Odd
// generations have one kind more, so the files also change in length.
Catalog generation(int n)
{
    Catalog c;
    const QString name = QStringLiteral("世代%1").arg(n);
    c.addSpace(1, name, QStringLiteral("P"));
    c.addVectorKind(10, name);
    c.addVectorKindToSpace(1, 10);
    c.addConnectorKind(300, name, 1, QStringLiteral("Figure.DLL"));
    if (n % 2) {
        c.addVectorKind(11, name + QStringLiteral("副"));
        c.addVectorKindToSpace(1, 11);
    }
    return c;
}

// The generation the read set holds, or -1 when its files disagree.
int generationOf(const Catalog &c)
{
    if (c.spaces().size() != 1 || c.vectorKinds().empty() || c.connectorKinds().size() != 1)
        return -1;
    const QString name = c.spaces()[0].name;
    if (!name.startsWith(QStringLiteral("世代")))
        return -1;
    const int n = name.mid(2).toInt();
    const bool oddKinds = c.vectorKinds().size() == 2;
    if (c.vectorKinds()[0].name != name || c.connectorKinds()[0].name != name
        || c.connectorKinds()[0].space != 1 || oddKinds != (n % 2 == 1)
        || c.spaces()[0].vectorKinds.size() != c.vectorKinds().size())
        return -1;
    return n;
}

// Child: args folder, first generation. Prints "go", then saves until killed.
const veltra::test::ChildRole saver("defsave-loop", [](const QStringList &args) {
    if (args.size() < 2)
        return 3;
    std::fputs("go\n", stdout);
    std::fflush(stdout);
    QString error;
    for (int n = args.at(1).toInt();; ++n) {
        if (!catalogfiles::write(args.at(0), generation(n), &error)) {
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
            return 1;
        }
    }
});

// Child: args folder, generation. Saves once and prints the microseconds taken.
const veltra::test::ChildRole timer("defsave-once", [](const QStringList &args) {
    if (args.size() < 2)
        return 3;
    QElapsedTimer clock;
    clock.start();
    if (!catalogfiles::write(args.at(0), generation(args.at(1).toInt())))
        return 1;
    std::printf("%lld\n", static_cast<long long>(clock.nsecsElapsed() / 1000));
    return 0;
});

int trials()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELTRA_DEFSAVE_CRASH_TRIALS", &ok);
    return ok && n > 0 ? n : 30;
}

// Files left in the folder that belong to no save.
QStringList leftovers(const QString &folder)
{
    QStringList out;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(QLatin1String(filesetcommit::PendingSuffix))
            || name == QLatin1String(filesetcommit::MarkerName))
            out << name;
    }
    return out;
}

TEST(DefinitionSaveCrash, EveryKillLeavesOneWholeSave)
{
    veltra::test::TempDir tmp;
    const QString folder = tmp.path();
    ASSERT_TRUE(catalogfiles::write(folder, generation(0)));

    QProcess probe;
    veltra::test::startChildRole(probe, QStringLiteral("defsave-once"), {folder, QStringLiteral("0")});
    ASSERT_TRUE(probe.waitForFinished(30000));
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    // Kills land anywhere within the first few saves of a child.
    const long long span = std::max(200LL, probe.readAllStandardOutput().trimmed().toLongLong() * 4);

    std::mt19937 random(20261210);
    int last = 0;
    int changed = 0;
    for (int trial = 0, total = trials(); trial < total; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        QProcess child;
        veltra::test::startChildRole(
            child, QStringLiteral("defsave-loop"), {folder, QString::number(last + 1)});
        ASSERT_TRUE(child.waitForReadyRead(30000));
        QThread::usleep(
            static_cast<unsigned long>(std::uniform_int_distribution<long long>(0, span)(random)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardError().toStdString();

        Catalog read;
        QString error;
        ASSERT_TRUE(catalogfiles::read(folder, read, &error)) << error.toStdString();
        const int n = generationOf(read);
        ASSERT_GE(n, last) << "the files come from different saves, or an older one came back";
        EXPECT_EQ(leftovers(folder), QStringList{});
        changed += n != last;
        last = n;
    }
    // Most kills come after at least one whole save.
    EXPECT_GT(changed, 0);
}

// A save whose pending copies were written but not committed is rolled
// back; one whose marker was written is finished, even when some renames
// were done.
TEST(DefinitionSaveCrash, RecoveryFinishesACommittedSetAndDropsAnUncommittedOne)
{
    veltra::test::TempDir tmp;
    const QString folder = tmp.path();
    ASSERT_TRUE(catalogfiles::write(folder, generation(1)));
    veltra::test::TempDir scratch;
    ASSERT_TRUE(catalogfiles::write(scratch.path(), generation(2)));
    const QStringList names = QDir(scratch.path()).entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());

    struct Case
    {
        const char *what;
        bool marker;
        int renamedBefore; // pending copies already renamed into place
        int expected;
    };
    const Case cases[] = {
        {"pending copies without a marker", false, 0, 1},
        {"marker written, no rename yet", true, 0, 2},
        {"marker written, one file renamed", true, 1, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(catalogfiles::write(folder, generation(1)));
        for (int i = 0; i < names.size(); ++i) {
            const QByteArray bytes = veltra::test::readBytes(scratch.path() + names[i]);
            const QString suffix
                = i < c.renamedBefore ? QString() : QLatin1String(filesetcommit::PendingSuffix);
            veltra::test::writeBytes(folder + names[i] + suffix, bytes);
        }
        if (c.marker)
            veltra::test::writeBytes(
                folder + QLatin1String(filesetcommit::MarkerName), names.join(u'\n').toUtf8());
        Catalog read;
        QString error;
        ASSERT_TRUE(catalogfiles::read(folder, read, &error)) << error.toStdString();
        EXPECT_EQ(generationOf(read), c.expected);
        EXPECT_EQ(leftovers(folder), QStringList{});
    }
}

} // namespace
} // namespace zorvik
