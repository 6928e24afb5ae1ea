#include "docfixture.h"
#include "platform/db/db.h"

#include <gtest/gtest.h>

namespace zorvik {
namespace {

using test::DocFixture;

// Keys of every element of the listed kinds now in the document.
std::vector<QString> keysOfKinds(Engine &e, std::vector<std::int16_t> v, std::vector<std::int16_t> c)
{
    Handle set = 0;
    std::int32_t nv = 0, nc = 0;
    EXPECT_EQ(
        e.SearchElementsByKind(std::int16_t(v.size()), v, std::int16_t(c.size()), c, set, nv, nc), code::Ok);
    std::vector<QString> keys;
    for (const ElementRecord &r : test::records(e, set))
        keys.push_back(r.Key);
    e.ReleaseElements(set);
    return keys;
}

std::vector<QString> keys(std::initializer_list<const char *> list)
{
    std::vector<QString> out;
    for (const char *k : list)
        out.push_back(QString::fromUtf8(k));
    return out;
}

TEST(Changes, UndoRedoAndSaveOfEnteredElements)
{
    DocFixture f;
    Engine &e = f.engine;
    EXPECT_EQ(e.CanUndo(), 0);
    EXPECT_EQ(e.CanRedo(), 0);
    f.add({test::square(1, 0, 0, 10, QStringLiteral("a"))});
    f.add({test::square(1, 20, 0, 10, QStringLiteral("b"))});
    EXPECT_EQ(e.CanUndo(), 1);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"a", "b"}));

    ASSERT_EQ(e.Undo(), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"a"}));
    EXPECT_EQ(e.CanRedo(), 1);
    ASSERT_EQ(e.Undo(), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({}));
    EXPECT_EQ(e.CanUndo(), 0);
    EXPECT_NE(e.Undo(), code::Ok);
    ASSERT_EQ(e.Redo(), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"a"}));
    // A new change drops what could be redone.
    f.add({test::square(1, 40, 0, 10, QStringLiteral("c"))});
    EXPECT_EQ(e.CanRedo(), 0);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"a", "c"}));

    ASSERT_EQ(e.SaveMap(), code::Ok);
    EXPECT_EQ(e.CanUndo(), 0);
    EXPECT_EQ(e.CanRedo(), 0);
    e.CloseMap();
    ASSERT_EQ(e.InitializeMap(0), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"a", "c"}));
}

TEST(Changes, DeletingSavedAndUnsavedElements)
{
    DocFixture f;
    Engine &e = f.engine;
    f.add({test::connector(206, 1, 1, QStringLiteral("saved"))});
    ASSERT_EQ(e.SaveMap(), code::Ok);
    f.add({test::connector(206, 2, 2, QStringLiteral("new"))});

    Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(e.SearchElementsByKind(0, {}, 1, {206}, set, v, c), code::Ok);
    ASSERT_EQ(c, 2);
    ASSERT_EQ(e.DeleteElements(set), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({}));
    // The set stays readable after the delete, and a second delete does nothing.
    const std::vector<ElementRecord> kept = test::records(e, set);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].Key, QStringLiteral("saved"));
    EXPECT_EQ(kept[1].Key, QStringLiteral("new"));
    EXPECT_EQ(e.DeleteElements(set), code::Ok);

    ASSERT_EQ(e.Undo(), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({"saved", "new"}));
    ASSERT_EQ(e.Redo(), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({}));
    ASSERT_EQ(e.Undo(), code::Ok);
    ASSERT_EQ(e.Undo(), code::Ok); // the entry of "new"
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({"saved"}));

    // Delete the saved one and save: it is gone for good.
    ASSERT_EQ(e.SearchElementsByKind(0, {}, 1, {206}, set, v, c), code::Ok);
    ASSERT_EQ(e.DeleteElements(set), code::Ok);
    ASSERT_EQ(e.SaveMap(), code::Ok);
    e.CloseMap();
    ASSERT_EQ(e.InitializeMap(0), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({}));
}

TEST(Changes, ClosingWithoutSavingLeavesTheStoreAsSaved)
{
    DocFixture f;
    Engine &e = f.engine;
    f.add({test::connector(206, 1, 1, QStringLiteral("kept"))});
    ASSERT_EQ(e.SaveMap(), code::Ok);
    const QByteArray saved = veltra::test::readBytes(f.dir.file(QStringLiteral("Map.zdb")));
    f.add({test::connector(206, 2, 2, QStringLiteral("dropped"))});
    Handle set = 0;
    std::int32_t v, c;
    e.SearchElementsByKind(0, {}, 1, {206}, set, v, c);
    e.DeleteElements(set);
    e.CloseMap();
    EXPECT_EQ(veltra::test::readBytes(f.dir.file(QStringLiteral("Map.zdb"))), saved);
    ASSERT_EQ(e.InitializeMap(0), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({"kept"}));
}

TEST(Changes, StatisticsWorkIsNeitherJournaledNorSaved)
{
    DocFixture f;
    Engine &e = f.engine;
    f.add({test::connector(180, 5, 5, QStringLiteral("graph")),
              test::connector(181, 6, 6, QStringLiteral("1位"))},
        true);
    EXPECT_EQ(e.CanUndo(), 0);
    // A moved graph comes back through plain AddElements: still statistics work.
    f.add({test::vector(180, {0, 0, 5, 5}, QStringLiteral("leader")),
        test::connector(180, 9, 9, QStringLiteral("moved"))});
    EXPECT_EQ(e.CanUndo(), 0);
    EXPECT_EQ(keysOfKinds(e, {180}, {180, 181}), keys({"leader", "graph", "moved", "1位"}));

    // The user's own edit, then the statistics clear and RollBack.
    f.add({test::square(1, 0, 0, 10, QStringLiteral("mine"))});
    Handle set = 0;
    std::int32_t v = 0, c = 0;
    const std::vector<std::int16_t> stat{180, 181, 182, 183, 184, 185, 186};
    ASSERT_EQ(e.SearchElementsByKind(7, stat, 7, stat, set, v, c), code::Ok);
    EXPECT_EQ(v + c, 4);
    ASSERT_EQ(e.DeleteElements(set), code::Ok);
    ASSERT_EQ(e.RollBack(), code::Ok);
    EXPECT_EQ(e.CanUndo(), 1);
    EXPECT_EQ(keysOfKinds(e, {1}, {}), keys({"mine"}));
    ASSERT_EQ(e.Undo(), code::Ok);
    EXPECT_EQ(e.CanUndo(), 0); // only the user's edit was a step

    // Statistics elements never reach the store.
    f.add({test::connector(182, 7, 7, QStringLiteral("2位"))}, true);
    ASSERT_EQ(e.SaveMap(), code::Ok);
    e.CloseMap();
    ASSERT_EQ(e.InitializeMap(0), code::Ok);
    EXPECT_EQ(keysOfKinds(e, stat, stat), keys({}));
}

TEST(Changes, FailedSaveKeepsTheJournalAndWritesNothing)
{
    DocFixture f;
    Engine &e = f.engine;
    f.add({test::connector(206, 1, 1, QStringLiteral("a")), test::connector(206, 2, 2, QStringLiteral("b"))});
    // Another writer took the id the engine will use for "b": the save must
    // fail as a whole.
    const QString store = f.dir.file(QStringLiteral("Map.zdb"));
    {
        veltra::db::Database db;
        ASSERT_TRUE(db.open(store));
        ASSERT_TRUE(db.exec(QStringLiteral("INSERT INTO element(id, type, kind, ipra0, ipra1, ipra2, lpra0, "
                                           "lpra1, lpra2, lpra3, lpra4, lpra5, "
                                           "npts, minx, miny, maxx, maxy, key, pts) "
                                           "VALUES(2, 3, 206, 0, 0, 206, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, "
                                           "'intruder', x'0000000000000000')")));
    }
    EXPECT_NE(e.SaveMap(), code::Ok);
    EXPECT_FALSE(e.lastError().isEmpty());
    EXPECT_EQ(e.CanUndo(), 1);
    {
        veltra::db::Database db;
        ASSERT_TRUE(db.open(store, false, true));
        veltra::db::Statement st = db.prepare(QStringLiteral("SELECT COUNT(*) FROM element"));
        ASSERT_TRUE(st.next());
        EXPECT_EQ(st.int64(0), 1); // only the intruder: nothing of ours half-written
    }
    {
        veltra::db::Database db;
        ASSERT_TRUE(db.open(store));
        ASSERT_TRUE(db.exec(QStringLiteral("DELETE FROM element WHERE id = 2")));
    }
    EXPECT_EQ(e.SaveMap(), code::Ok);
    EXPECT_EQ(e.CanUndo(), 0);
    e.CloseMap();
    ASSERT_EQ(e.InitializeMap(0), code::Ok);
    EXPECT_EQ(keysOfKinds(e, {}, {206}), keys({"a", "b"}));
}

TEST(Changes, ChangesNeedAnOpenDocumentAndALiveSet)
{
    Engine e;
    Handle set = 0;
    e.CreateElementList(set);
    e.AddElementToList(set, test::connector(206, 1, 1));
    EXPECT_EQ(e.AddElements(set), code::NoDocument);
    EXPECT_EQ(e.DeleteElements(set), code::NoDocument);
    EXPECT_EQ(e.Undo(), code::NoDocument);
    EXPECT_EQ(e.CanUndo(), 0);

    DocFixture f;
    EXPECT_EQ(f.engine.AddElements(12345678), code::BadHandle);
    EXPECT_EQ(f.engine.DeleteElements(0), code::BadHandle);
    // Entering the same set twice does not duplicate: its records are document elements now.
    const Handle added = f.add({test::connector(206, 1, 1, QStringLiteral("once"))});
    EXPECT_EQ(f.engine.AddElements(added), code::Ok);
    EXPECT_EQ(keysOfKinds(f.engine, {}, {206}), keys({"once"}));
}

} // namespace
} // namespace zorvik
