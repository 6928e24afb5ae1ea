// Where a document reads and writes: its relative paths stay inside its
// folder, an absolute path is used as it is but never made, and a damaged
// store that leaves no element id is refused at opening.
#include "docfixture.h"
#include "platform/db/db.h"
#include "platform/profile/profile.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>
#include <limits>
#include <map>

namespace zorvik {
namespace {

using test::DocFixture;

// Every entry below a folder (folders end in '/'), with the bytes of files.
std::map<QString, QByteArray> tree(const QString &folder)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(
        folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out[path + (it.fileInfo().isDir() ? QStringLiteral("/") : QString())]
            = it.fileInfo().isDir() ? QByteArray() : veltra::test::readBytes(path);
    }
    return out;
}

void setKey(const QString &zor, const char *section, const char *key, const QString &value)
{
    ASSERT_TRUE(veltra::profile::writeString(QLatin1String(section), QLatin1String(key), value, zor));
}

TEST(DocumentPaths, RelativePathsLeavingTheFolderAreRefusedAtOpening)
{
    struct Case
    {
        const char *section;
        const char *key;
        const char *value;
        bool opens;
    };
    const Case cases[] = {
        {"ZorSYSEX", "DefDataDir", "..\\Def\\", false},
        {"ZorSYSEX", "DefDataDir", "Sub\\..\\..\\Def\\", false},
        {"ZorSYSEX", "DefDataDir", "../Def/", false},
        {"ZorSYSEX", "DefDataDir", "..", false},
        {"ZorvikDocument", "ElementStore", "..\\Map.zdb", false},
        {"ZorSYSEX", "MeshDataDir", "..\\..\\MeshData", false},
        // Inside the folder, however written.
        {"ZorSYSEX", "DefDataDir", "Sub\\..\\DefFolder\\", true},
        {"ZorSYSEX", "DefDataDir", ".\\DefFolder\\", true},
        {"ZorSYSEX", "MeshDataDir", "MeshData\\..\\MeshData", true},
        {"ZorvikDocument", "ElementStore", "x\\..\\Map.zdb", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        // The document lies one folder down, so that what its paths could
        // reach is inside the test's own folder.
        veltra::test::TempDir root;
        const QString zor = root.path() + QStringLiteral("doc/Map.zor");
        ASSERT_TRUE(QDir().mkpath(root.path() + QStringLiteral("doc/MeshData")));
        NewDocument options;
        options.defDataDir = QStringLiteral("DefFolder\\");
        options.meshDataDir = QStringLiteral("MeshData");
        QString error;
        ASSERT_EQ(Document::create(zor, options, &error), code::Ok) << error.toStdString();
        setKey(zor, c.section, c.key, QString::fromUtf8(c.value));
        const auto before = tree(root.path());
        Engine engine;
        engine.setDocumentPath(zor);
        const Result opened = engine.InitializeMap(0);
        if (c.opens) {
            EXPECT_EQ(opened, code::Ok) << engine.lastError().toStdString();
            EXPECT_EQ(engine.SaveDefFile(), code::Ok);
            continue;
        }
        EXPECT_EQ(opened, code::NotAllowed);
        EXPECT_FALSE(engine.isOpen());
        EXPECT_EQ(engine.lastError(),
            QStringLiteral(
                "地図ドキュメントを開けません: %1\n[%2] %3「%4」 は地図ドキュメントのフォルダの外を指"
                "しています。定義フォルダ・要素ストア・メッシュフォルダは、ドキュメントのフォルダの中を"
                "相対パスで指すか、絶対パスで指定してください。")
                .arg(zor, QLatin1String(c.section), QLatin1String(c.key), QString::fromUtf8(c.value)));
        EXPECT_EQ(engine.SaveDefFile(), code::NoDocument);
        EXPECT_EQ(tree(root.path()), before);
    }
}

TEST(DocumentPaths, AbsoluteDefinitionFolderIsUsedButNeverMade)
{
    veltra::test::TempDir elsewhere;
    const QString defs = elsewhere.path() + QStringLiteral("Defs/");
    veltra::test::TempDir dir;

    // Creating a document that names a missing absolute folder: refused,
    // and the folder is not made.
    NewDocument options;
    options.defDataDir = defs;
    QString error;
    EXPECT_EQ(Document::create(dir.file(QStringLiteral("A.zor")), options, &error), code::IoError);
    EXPECT_TRUE(error.startsWith(QStringLiteral("定義フォルダがありません: ") + defs)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(defs));

    // An existing one is used: the definitions are written there and read
    // back from there.
    ASSERT_TRUE(QDir().mkpath(defs));
    ASSERT_EQ(Document::create(dir.file(QStringLiteral("B.zor")), options, &error), code::Ok)
        << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(defs + QStringLiteral("SpaceDef.csv")));
    Engine engine;
    engine.setDocumentPath(dir.file(QStringLiteral("B.zor")));
    ASSERT_EQ(engine.InitializeMap(0), code::Ok) << engine.lastError().toStdString();
    ASSERT_EQ(engine.AddSpace(7, QStringLiteral("道路"), QStringLiteral("F")), code::Ok);
    ASSERT_EQ(engine.SaveDefFile(), code::Ok) << engine.lastError().toStdString();
    EXPECT_TRUE(veltra::test::readBytes(defs + QStringLiteral("SpaceDef.csv")).contains("7,"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("SpaceDef.csv"))));

    // A relative one that leaves the folder is refused before anything is
    // written.
    options.defDataDir = QStringLiteral("..\\Defs\\");
    const auto before = tree(dir.path());
    EXPECT_EQ(Document::create(dir.file(QStringLiteral("C.zor")), options, &error), code::BadArgument);
    EXPECT_TRUE(error.contains(QStringLiteral("DefDataDir「..\\Defs\\」"))) << error.toStdString();
    EXPECT_EQ(tree(dir.path()), before);
}

// Sets the largest element id of a saved store.
void setLargestId(const QString &store, std::int64_t id)
{
    veltra::db::Database db;
    ASSERT_TRUE(db.open(store));
    ASSERT_TRUE(db.exec(
        QStringLiteral("UPDATE element SET id = %1 WHERE id = (SELECT MAX(id) FROM element)").arg(id)));
}

TEST(DocumentPaths, StoreWithoutAFreeElementIdIsRefused)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    struct Case
    {
        std::int64_t largest;
        Result opens;
        int added; // elements that still get an id, one at a time
    };
    const Case cases[]
        = {{kMax, code::IoError, 0}, {kMax - 1, code::Ok, 0}, {kMax - 3, code::Ok, 2}, {1000, code::Ok, 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.largest);
        DocFixture f;
        f.add({test::square(1, 0, 0, 10, QStringLiteral("a"))});
        ASSERT_EQ(f.engine.SaveMap(), code::Ok);
        f.engine.CloseMap();
        setLargestId(f.dir.file(QStringLiteral("Map.zdb")), c.largest);

        Engine engine;
        engine.setDocumentPath(f.zor);
        ASSERT_EQ(engine.InitializeMap(0), c.opens);
        if (c.opens != code::Ok) {
            EXPECT_EQ(engine.lastError(),
                QStringLiteral("地図ドキュメントを開けません: %1\n要素ストア %2 の要素番号が上限 (%3) "
                               "に達しています。ストアが壊れている可能性があります。")
                    .arg(f.zor, f.dir.file(QStringLiteral("Map.zdb")))
                    .arg(kMax));
            continue;
        }
        for (int i = 0; i < 4; ++i) {
            const Handle set = test::freeSet(engine, {test::square(1, i, i, 10, QStringLiteral("b"))});
            EXPECT_EQ(engine.AddElements(set), i < c.added ? code::Ok : code::BadArgument) << i;
        }
        // Whatever got an id is saved without a repeated id.
        EXPECT_EQ(engine.SaveMap(), code::Ok) << engine.lastError().toStdString();
    }
}

} // namespace
} // namespace zorvik
