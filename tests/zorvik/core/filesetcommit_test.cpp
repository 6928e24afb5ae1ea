// A save that meets the commit marker of an earlier save killed after it
// committed (some of its pending copies renamed, some not): that set is
// finished before the new save writes anything, so the folder never ends up
// with files of two saves. Saves usually follow a read that recovers; these
// saves come without one.
#include "testsupport.h"
#include "zorvik/core/filesetcommit.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace zorvik {
namespace {

using veltra::test::readBytes;
using veltra::test::writeBytes;

using Files = std::map<QString, QByteArray>;

Files filesOf(const QString &folder)
{
    Files out;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out[name] = readBytes(folder + name);
    return out;
}

TEST(FileSetCommit, ASaveFinishesACommittedSetLeftBehindFirst)
{
    const QString marker = QLatin1String(filesetcommit::MarkerName);
    const QString pending = QLatin1String(filesetcommit::PendingSuffix);
    struct Case
    {
        const char *what;
        std::vector<std::pair<QString, QByteArray>> save;
        bool diskFull; // every write of a non-empty file fails
        bool saved;
        Files expected; // after the save and the next reader's recovery
    };
    const Case cases[] = {
        {"a save of one file of the set", {{"A", "a2"}}, false, true, {{"A", "a2"}, {"B", "b1"}}},
        {"a save of the whole set", {{"A", "a2"}, {"B", "b2"}}, false, true, {{"A", "a2"}, {"B", "b2"}}},
        // The first pending copy (empty) is written, the second fails: the
        // committed set stays whole, none of the failed save's bytes come in.
        {"a save that fails before its marker", {{"A", ""}, {"B", "b2"}}, true, false,
            {{"A", "a1"}, {"B", "b1"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        veltra::test::TempDir tmp;
        const QString folder = tmp.path();
        // The old set a0 b0; the save of a1 b1 committed and killed after
        // renaming A.
        writeBytes(folder + "A", "a1");
        writeBytes(folder + "B", "b0");
        writeBytes(folder + "B" + pending, "b1");
        writeBytes(folder + marker, "A\nB\n");

        QString error;
        bool saved = false;
        {
            std::optional<veltra::test::NoFileWrites> full;
            if (c.diskFull) {
                full.emplace();
                ASSERT_TRUE(full->ok());
            }
            saved = filesetcommit::commit(folder, c.save, &error);
        }
        EXPECT_EQ(saved, c.saved) << error.toStdString();
        ASSERT_TRUE(filesetcommit::recover(folder, {"A", "B"}, &error)) << error.toStdString();
        EXPECT_EQ(filesOf(folder), c.expected);
    }
}

} // namespace
} // namespace zorvik
