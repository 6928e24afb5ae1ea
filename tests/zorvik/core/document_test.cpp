#include "docfixture.h"
#include "platform/db/db.h"
#include "platform/fs/fs.h"
#include "zorvik/core/elementstore.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace zorvik {
namespace {

using test::DocFixture;

bool isDate(const QString &text)
{
    return QDate::fromString(text, QStringLiteral("yyyyMMdd")).isValid();
}

// Every file under a folder with its bytes, to prove nothing was written.
std::map<QString, QByteArray> snapshot(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = veltra::test::readBytes(path);
    }
    return files;
}

std::vector<ElementRecord> sampleRecords()
{
    ElementRecord road = test::vector(10, {100, 200, 300, 400, 500, 450}, QStringLiteral("国道1号"));
    road.lPra = {1000, 1200, 65535, 65535, 12, -3};
    road.iPra = {1, 0, 10};
    ElementRecord area = test::square(2, 0, 0, 1000, QStringLiteral("13101,0"));
    ElementRecord label = test::connector(211, 500, 500, QStringLiteral("a,b,c,d,e,f,g"));
    label.lPra = {0, 0, 2000, 2100, 0, 0};
    return {road, area, label};
}

TEST(Document, ElementsSurviveSaveAndReopen)
{
    DocFixture f;
    EXPECT_EQ(f.engine.BaseDate(), QStringLiteral("19700101"));
    const std::vector<ElementRecord> written = sampleRecords();
    f.add(written);
    ASSERT_EQ(f.engine.SaveMap(), code::Ok);
    EXPECT_EQ(f.engine.CanUndo(), 0);
    ASSERT_EQ(f.engine.CloseMap(), code::Ok);

    Engine again;
    again.setDocumentPath(f.zor);
    ASSERT_EQ(again.InitializeMap(0), code::Ok) << again.lastError().toStdString();
    Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(again.SearchElementsByKind(2, {10, 2}, 1, {211}, set, v, c), code::Ok);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(c, 1);
    const std::vector<ElementRecord> read = test::records(again, set);
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(read[i], written[i]) << i;
}

TEST(Document, EngineSectionIsWrittenAndOtherLinesKept)
{
    veltra::test::TempDir dir;
    const QString zor = dir.file(QStringLiteral("Keep.zor"));
    const QByteArray others
        = "; the application's lines\r\n[ZorSYSEX]\r\nDefDataDir=Def\\\r\nAttachFilePath=Att\r\n"
          "[Other]\r\nKey = value ; kept\r\n";
    veltra::test::writeBytes(zor, others);
    NewDocument options;
    options.baseDate = QStringLiteral("19651001");
    options.planeZoneNo = 12;
    ASSERT_EQ(Document::create(zor, options), code::Ok);
    QByteArray bytes = veltra::test::readBytes(zor);
    for (const QByteArray &line : others.split('\n'))
        EXPECT_TRUE(bytes.contains(line)) << line.toStdString();
    EXPECT_TRUE(bytes.contains("[ZorvikDocument]\r\n"));
    EXPECT_TRUE(bytes.contains("BaseDate=19651001\r\n"));

    Engine engine;
    engine.setDocumentPath(zor);
    ASSERT_EQ(engine.InitializeMap(0), code::Ok) << engine.lastError().toStdString();
    EXPECT_EQ(engine.BaseDate(), QStringLiteral("19651001"));
    EXPECT_EQ(engine.PlaneZoneNo(), 12);
    EXPECT_TRUE(veltra::fs::fileExists(dir.file(QStringLiteral("Def/SpaceDef.csv"))));
    ASSERT_EQ(engine.setPlaneZoneNo(3), code::Ok);
    EXPECT_EQ(engine.setPlaneZoneNo(20), code::BadArgument);
    ASSERT_EQ(engine.SaveMap(), code::Ok);
    bytes = veltra::test::readBytes(zor);
    EXPECT_TRUE(bytes.contains("PlaneZoneNo=3\r\n"));
    for (const QByteArray &line : others.split('\n'))
        EXPECT_TRUE(bytes.contains(line)) << line.toStdString();
}

TEST(Document, BadFilesFailTheOpenAndWriteNothing)
{
    struct Case
    {
        const char *name;
        std::function<void(const DocFixture &)> damage;
        QString says; // the message, with "<dir>" for the document's folder
    };
    auto put = [](const QString &path, const QByteArray &bytes) { veltra::test::writeBytes(path, bytes); };
    const Case cases[] = {
        {"missing document", [](const DocFixture &f) { QFile::remove(f.zor); },
            "地図ドキュメントを読み込めません: <dir>Map.zor\nファイルがありません。"},
        {"no engine section",
            [&](const DocFixture &f) { put(f.zor, "[ZorSYSEX]\r\nDefDataDir=DefFolder\\\r\n"); },
            "地図ドキュメントを読み込めません: <dir>Map.zor\n[ZorvikDocument] の BaseDate "
            "が正しい日付ではありません。"},
        {"base date not a date",
            [&](const DocFixture &f) {
                put(f.zor,
                    "[ZorSYSEX]\r\nDefDataDir=DefFolder\\\r\n[ZorvikDocument]\r\nBaseDate=19701340\r\n");
            },
            "地図ドキュメントを読み込めません: <dir>Map.zor\n[ZorvikDocument] の BaseDate "
            "が正しい日付ではありません。"},
        {"missing store", [](const DocFixture &f) { QFile::remove(f.dir.file(QStringLiteral("Map.zdb"))); },
            "地図データを開けません: <dir>Map.zdb\nファイルがありません。"},
        {"store is not a database",
            [&](const DocFixture &f) { put(f.dir.file(QStringLiteral("Map.zdb")), QByteArray(4096, 'x')); },
            "地図データを開けません: <dir>Map.zdb\nデータベースのファイルではありません。"},
        {"store of another schema",
            [&](const DocFixture &f) {
                const QString path = f.dir.file(QStringLiteral("Map.zdb"));
                QFile::remove(path);
                veltra::db::Database db;
                db.open(path, true);
                db.exec(QStringLiteral("CREATE TABLE element(id INTEGER PRIMARY KEY)"));
            },
            "地図データを開けません: <dir>Map.zdb\nデータベースに表 element_rtree がありません。"},
        {"missing space file",
            [](const DocFixture &f) { QFile::remove(f.dir.file(QStringLiteral("DefFolder/SpaceDef.csv"))); },
            "ファイルを読み込めません: <dir>DefFolder/SpaceDef.csv\nファイルがありません。"},
        {"malformed vector line",
            [&](const DocFixture &f) {
                put(f.dir.file(QStringLiteral("DefFolder/VectDef.csv")),
                    "kindID,name,spaceIDs,disp,pick,c0,l0,c1,l1,c2,l2\r\n1,a,1,1,1,0,0\r\n");
            },
            "地図の定義ファイルを読み込めません: <dir>DefFolder/VectDef.csv\n2 "
            "行目の形式が正しくありません。"},
        {"connector with a word for a number",
            [&](const DocFixture &f) {
                put(f.dir.file(QStringLiteral("DefFolder/CnectDef.csv")),
                    "kindID,name,spaceID,dll,disp,pick,c0,c1,c2,hatchFlag,hatchNo,size\r\nx,a,1,S.DLL,1,1,0,"
                    "0,0,0,0,1\r\n");
            },
            "地図の定義ファイルを読み込めません: <dir>DefFolder/CnectDef.csv\n2 "
            "行目の形式が正しくありません。"},
        {"space defined twice",
            [&](const DocFixture &f) {
                put(f.dir.file(QStringLiteral("DefFolder/SpaceDef.csv")),
                    "spaceID,name,type,order\r\n1,a,F,1\r\n1,b,F,2\r\n");
            },
            "地図の定義ファイルを読み込めません: <dir>DefFolder/SpaceDef.csv\n"
            "空間 1 が二度定義されているか、定義が正しくありません。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DocFixture f;
        f.engine.CloseMap();
        c.damage(f);
        const auto before = snapshot(f.dir.path());
        Engine engine;
        engine.setDocumentPath(f.zor);
        EXPECT_NE(engine.InitializeMap(0), code::Ok);
        // What failed on which file, and why, in Japanese.
        EXPECT_EQ(engine.lastError().toStdString(),
            QString(c.says).replace(QStringLiteral("<dir>"), f.dir.path()).toStdString());
        EXPECT_FALSE(isDate(engine.BaseDate()));
        EXPECT_FALSE(engine.isOpen());
        EXPECT_EQ(engine.SaveMap(), code::NoDocument);
        EXPECT_EQ(snapshot(f.dir.path()), before);
    }
}

TEST(Document, SecondEngineSharesTheDocumentReadOnly)
{
    DocFixture f;
    f.add({test::square(1, 0, 0, 100)});
    Engine overview;
    ASSERT_NE(f.engine.MapHandle(), 0);
    ASSERT_EQ(overview.InitializeMap(f.engine.MapHandle()), code::Ok);
    EXPECT_TRUE(overview.isSharedView());
    EXPECT_EQ(overview.BaseDate(), f.engine.BaseDate());

    Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(overview.SearchElementsByKind(1, {1}, 0, {}, set, v, c), code::Ok);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(overview.AddSpace(50, QStringLiteral("x"), QStringLiteral("F")), code::NotAllowed);
    EXPECT_EQ(overview.DeleteElements(set), code::NotAllowed);
    EXPECT_EQ(overview.SaveMap(), code::NotAllowed);

    // Detaching the overview leaves the main engine's document open.
    EXPECT_EQ(overview.CloseMap(), code::Ok);
    std::int32_t cx, cy, w, h;
    EXPECT_EQ(f.engine.GetMapExtent(cx, cy, w, h), code::Ok);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(cx, 50);

    // A handle of a closed document no longer opens anything.
    const std::int32_t handle = f.engine.MapHandle();
    f.engine.CloseMap();
    Engine late;
    EXPECT_EQ(late.InitializeMap(handle), code::BadHandle);
    EXPECT_FALSE(isDate(late.BaseDate()));
}

TEST(Document, MeshElementsAreReadOnlyAndDeletedThroughTombstones)
{
    DocFixture f;
    f.engine.CloseMap();
    const QString meshPath = f.dir.file(QStringLiteral("MeshData/0/533945.mfv"));
    ASSERT_TRUE(veltra::fs::createFolder(f.dir.file(QStringLiteral("MeshData/0"))));
    ASSERT_TRUE(ElementStore::create(meshPath));
    {
        ElementStore mesh;
        ASSERT_TRUE(mesh.open(meshPath, false));
        const ElementRecord a = test::square(3, 0, 0, 50, QStringLiteral("a"));
        const ElementRecord b = test::square(3, 100, 0, 50, QStringLiteral("b"));
        ElementStore::Changes changes;
        changes.inserts = {{1, &a}, {2, &b}};
        ASSERT_TRUE(mesh.apply(changes));
    }
    // A damaged mesh file is skipped, not fatal.
    veltra::test::writeBytes(f.dir.file(QStringLiteral("MeshData/0/broken.mfv")), "not a database");
    const QByteArray meshBytes = veltra::test::readBytes(meshPath);

    ASSERT_EQ(f.engine.InitializeMap(0), code::Ok) << f.engine.lastError().toStdString();
    EXPECT_EQ(f.engine.document()->meshes().size(), 1u);
    EXPECT_EQ(f.engine.document()->warnings().size(), 1);
    Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(f.engine.SearchElementsByKind(1, {3}, 0, {}, set, v, c), code::Ok);
    ASSERT_EQ(v, 2);
    Handle first = 0;
    ASSERT_EQ(f.engine.GetNextElementHandle(set, first), code::Ok);
    ElementRecord r;
    // Delete element "a" only: drop "b" from the set first.
    Handle second = first;
    f.engine.GetNextElementHandle(set, second);
    ASSERT_EQ(f.engine.DeleteElementToList(set, second), code::Ok);
    ASSERT_EQ(f.engine.DeleteElements(set), code::Ok);
    EXPECT_EQ(f.engine.CanUndo(), 1);
    ASSERT_EQ(f.engine.SaveMap(), code::Ok);
    f.engine.CloseMap();

    ASSERT_EQ(f.engine.InitializeMap(0), code::Ok);
    ASSERT_EQ(f.engine.SearchElementsByKind(1, {3}, 0, {}, set, v, c), code::Ok);
    ASSERT_EQ(v, 1);
    first = 0;
    f.engine.GetNextElementHandle(set, first);
    ASSERT_EQ(f.engine.GetElementsInfo(set, first, r), code::Ok);
    EXPECT_EQ(r.Key, QStringLiteral("b"));
    EXPECT_EQ(veltra::test::readBytes(meshPath), meshBytes);
}

} // namespace
} // namespace zorvik
