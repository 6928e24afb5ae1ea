// SaveMap when the document cannot be written: the save fails, says which
// file, writes nothing and keeps the edits. Every failure here also stops a
// process running as root.
#include "docfixture.h"
#include "platform/db/db.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using test::DocFixture;

std::int64_t storedElements(const QString &store)
{
    veltra::db::Database db;
    EXPECT_TRUE(db.open(store, false, true)) << db.lastError().toStdString();
    veltra::db::Statement st = db.prepare(QStringLiteral("SELECT COUNT(*) FROM element"));
    EXPECT_TRUE(st.next());
    return st.int64(0);
}

// Byte 18 of a SQLite file is its write version: above 2, SQLite opens the
// file for reading only, whoever runs it.
void markWriteVersion(const QString &store, char version)
{
    QFile file(store);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(18));
    ASSERT_EQ(file.write(&version, 1), 1);
}

class SaveFailure : public ::testing::Test
{
protected:
    void SetUp() override { store = f.dir.file(QStringLiteral("Map.zdb")); }

    // Reopens the document, so the store is opened as it is on disk now.
    void reopen()
    {
        f.engine.CloseMap();
        ASSERT_EQ(f.engine.InitializeMap(0), code::Ok) << f.engine.lastError().toStdString();
    }

    void edit() { f.add({test::square(1, 0, 0, 10, QStringLiteral("a"))}); }

    DocFixture f;
    QString store;
};

TEST_F(SaveFailure, EachUnwritableFileFailsTheSaveNamesTheFileAndKeepsTheEdits)
{
    struct Case
    {
        const char *name;
        bool withEdit;
        QString file; // the file the error must name
        std::function<void()> block; // makes the file unwritable
        std::function<void()> unblock;
    };
    const QString zor = f.zor;
    const QString journal = store + QStringLiteral("-journal");
    const std::vector<Case> cases = {
        {"read-only store, nothing to write", false, store,
            [&] {
                markWriteVersion(store, 3);
                reopen();
            },
            [&] {
                markWriteVersion(store, 1);
                reopen();
            }},
        {"read-only store, an edit", true, store,
            [&] {
                markWriteVersion(store, 3);
                reopen();
            },
            [&] {
                markWriteVersion(store, 1);
                reopen();
            }},
        // SQLite cannot create its rollback journal beside the store.
        {"a folder in the journal's place", true, store, [&] { ASSERT_TRUE(QDir().mkdir(journal)); },
            [&] { ASSERT_TRUE(QDir(journal).removeRecursively()); }},
        // The document file (written for a new plane zone) is a folder now.
        {"a folder in the document's place", true, zor,
            [&] {
                ASSERT_EQ(f.engine.setPlaneZoneNo(5), code::Ok);
                ASSERT_TRUE(QFile::rename(zor, zor + QStringLiteral(".kept")));
                ASSERT_TRUE(QDir().mkdir(zor));
            },
            [&] {
                ASSERT_TRUE(QDir(zor).removeRecursively());
                ASSERT_TRUE(QFile::rename(zor + QStringLiteral(".kept"), zor));
            }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::int64_t before = storedElements(store);
        c.block();
        if (c.withEdit)
            edit();
        EXPECT_EQ(f.engine.SaveMap(), code::IoError);
        EXPECT_TRUE(f.engine.lastError().contains(c.file)) << f.engine.lastError().toStdString();
        EXPECT_EQ(f.engine.CanUndo(), c.withEdit ? 1 : 0);
        c.unblock();
        EXPECT_EQ(storedElements(store), before) << "nothing written";

        // With the file writable again the same save goes through.
        if (c.withEdit && f.engine.CanUndo() == 0)
            edit(); // the reopening dropped the edit
        EXPECT_EQ(f.engine.SaveMap(), code::Ok) << f.engine.lastError().toStdString();
        EXPECT_EQ(f.engine.CanUndo(), 0);
        EXPECT_EQ(storedElements(store), before + (c.withEdit ? 1 : 0));
    }
}

} // namespace
} // namespace zorvik
