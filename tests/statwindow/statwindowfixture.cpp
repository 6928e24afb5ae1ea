#include "statwindowfixture.h"

#include "platform/text/text.h"

#include <QDir>

namespace veltra::test {

void StatWindowFixture::SetUp()
{
    ASSERT_TRUE(db.create(dir.file(QStringLiteral("DB/Mesh.sqlite")))) << db.lastError().toStdString();
    db.insertPrefecture(1, QStringLiteral("北海道"), 100, 101);
    db.insertPrefecture(13, QStringLiteral("東京都"), 1300, 1301);
    db.insertPrefecture(14, QStringLiteral("神奈川県"), 1400, 1401);
    db.insertMunicipality(1, 101, QStringLiteral("札幌市中央区"), QString(), 110, 111);
    db.insertMunicipality(13, 101, QStringLiteral("千代田区"), QString(), 1310, 1311);
    db.insertMunicipality(13, 102, QStringLiteral("中央区"), QString(), 1320, 1321);
    db.insertMunicipality(13, 999, QStringLiteral("九九九村"), QString(), 1390, 1391);
    db.insertMunicipality(13, 12345, QStringLiteral("五桁市"), QString(), 1345, 1346);
    db.insertTownBlock(13, 101, 1001, QStringLiteral("丸の内一丁目"), 5, 6);
    db.insertTownBlock(13, 101, 1002, QStringLiteral("丸の内二丁目"), 7, 8);
}

void StatWindowFixture::write(const QString &path, const QStringList &lines)
{
    const QString local = QString(path).replace(u'\\', u'/');
    QDir().mkpath(local.left(local.lastIndexOf(u'/')));
    QString error;
    ASSERT_TRUE(text::writeLines(local, lines, &error)) << error.toStdString();
}

QString StatWindowFixture::folder(const QString &name) const
{
    QDir().mkpath(dir.path() + name);
    return QString(dir.path() + name).replace(u'/', u'\\');
}

QString StatWindowFixture::indexedFolder(const QString &name, const QStringList &prefectures) const
{
    const QString path = folder(name);
    QStringList index{QStringLiteral("[FileName]")};
    for (const QString &code : prefectures)
        index << QStringLiteral("Code%1=%2.txt").arg(code.toInt()).arg(code);
    write(path + QStringLiteral("\\FileIndex.txt"), index);
    return path;
}

} // namespace veltra::test
