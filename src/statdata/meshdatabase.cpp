#include "statdata/meshdatabase.h"

#include "platform/fs/fs.h"
#include "platform/vb/strings.h"

#include <QVariant>
#include <cerrno>

namespace veltra::statdata {

namespace {

const char16_t kSchema[]
    = u"CREATE TABLE IF NOT EXISTS \"都道府県テーブル\" ("
      u"\"都道府県ｺｰﾄﾞ\" INTEGER NOT NULL, \"都道府県名\" TEXT, "
      u"\"予備1\" TEXT, \"予備2\" TEXT, \"予備3\" TEXT, \"予備4\" TEXT, "
      u"\"X\" INTEGER, \"Y\" INTEGER, "
      u"PRIMARY KEY (\"都道府県ｺｰﾄﾞ\"));"
      u"CREATE TABLE IF NOT EXISTS \"市区町村テーブル\" ("
      u"\"都道府県ｺｰﾄﾞ\" INTEGER NOT NULL, \"市区町村ｺｰﾄﾞ\" INTEGER NOT NULL, \"市区町村名\" TEXT, "
      u"\"よみがな\" TEXT, \"予備1\" TEXT, \"予備2\" TEXT, \"予備3\" TEXT, \"予備4\" TEXT, "
      u"\"X\" INTEGER, \"Y\" INTEGER, "
      u"PRIMARY KEY (\"都道府県ｺｰﾄﾞ\", \"市区町村ｺｰﾄﾞ\"));"
      u"CREATE TABLE IF NOT EXISTS \"町丁字テーブル\" ("
      u"\"都道府県ｺｰﾄﾞ\" INTEGER NOT NULL, \"市区町村ｺｰﾄﾞ\" INTEGER NOT NULL, "
      u"\"町丁字ｺｰﾄﾞ\" INTEGER NOT NULL, \"町丁字名\" TEXT, \"X\" INTEGER, \"Y\" INTEGER, "
      u"PRIMARY KEY (\"都道府県ｺｰﾄﾞ\", \"市区町村ｺｰﾄﾞ\", \"町丁字ｺｰﾄﾞ\"));";

} // namespace

MeshDatabase &MeshDatabase::shared()
{
    static MeshDatabase instance;
    return instance;
}

QString MeshDatabase::relativePath()
{
    return QStringLiteral("DB\\Mesh.sqlite");
}

QString MeshDatabase::pathInDataFolder(const QString &dataFolder)
{
    QString folder = dataFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'\\') && !folder.endsWith(u'/'))
        folder += u'\\';
    return fs::resolve(folder + relativePath());
}

bool MeshDatabase::open(const QString &path)
{
    close();
    const QString local = fs::resolve(path);
    // Opening read-write without create: a missing file is an error here, never
    // an empty database created in its place.
    if (!fs::fileExists(local)) {
        m_error = fs::failureReason(local, ENOENT, false);
        return false;
    }
    if (!m_db.open(local, false, false)) {
        m_error = m_db.lastError();
        return false;
    }
    // A file that is not a database opens; the first read tells.
    db::Statement probe = m_db.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!probe.isValid() || !probe.next()) {
        m_error = probe.isValid() ? probe.lastError() : m_db.lastError();
        m_db.close();
        return false;
    }
    m_error.clear();
    return true;
}

bool MeshDatabase::create(const QString &path)
{
    close();
    const QString local = fs::resolve(path);
    const qsizetype slash = local.lastIndexOf(u'/');
    if (slash > 0 && !fs::createFolder(local.left(slash))) {
        m_error = QStringLiteral("フォルダを作成できません: %1\n%2")
                      .arg(local.left(slash), fs::failureReason(local.left(slash), 0, true));
        return false;
    }
    if (!m_db.open(local, true, false)) {
        m_error = m_db.lastError();
        return false;
    }
    if (!createSchema()) {
        m_db.close();
        return false;
    }
    return true;
}

void MeshDatabase::close()
{
    m_db.close();
}

bool MeshDatabase::createSchema()
{
    if (!m_db.isOpen()) {
        m_error = QStringLiteral("地名データベースが開かれていません。");
        return false;
    }
    db::Transaction transaction(m_db);
    if (!m_db.exec(QString::fromUtf16(kSchema)) || !transaction.commit()) {
        m_error = m_db.lastError();
        return false;
    }
    m_error.clear();
    return true;
}

bool MeshDatabase::insertRow(const QString &sql, std::initializer_list<QVariant> values)
{
    db::Statement statement = prepare(sql);
    if (!statement.isValid())
        return false;
    int index = 1;
    for (const QVariant &value : values)
        statement.bind(index++, value);
    if (!statement.exec()) {
        m_error = statement.lastError();
        return false;
    }
    return true;
}

bool MeshDatabase::insertPrefecture(int32_t prefecture, const QString &name, int32_t x, int32_t y)
{
    return insertRow(
        QStringLiteral("INSERT INTO \"都道府県テーブル\" (\"都道府県ｺｰﾄﾞ\", \"都道府県名\", \"X\", \"Y\") "
                       "VALUES (?, ?, ?, ?)"),
        {prefecture, name, x, y});
}

bool MeshDatabase::insertMunicipality(int32_t prefecture, int32_t municipality, const QString &name,
    const QString &reading, int32_t x, int32_t y)
{
    return insertRow(QStringLiteral("INSERT INTO \"市区町村テーブル\" (\"都道府県ｺｰﾄﾞ\", \"市区町村ｺｰﾄﾞ\", "
                                    "\"市区町村名\", \"よみがな\", \"X\", \"Y\") VALUES (?, ?, ?, ?, ?, ?)"),
        {prefecture, municipality, name, reading, x, y});
}

bool MeshDatabase::insertTownBlock(
    int32_t prefecture, int32_t municipality, int32_t townBlock, const QString &name, int32_t x, int32_t y)
{
    return insertRow(QStringLiteral("INSERT INTO \"町丁字テーブル\" (\"都道府県ｺｰﾄﾞ\", \"市区町村ｺｰﾄﾞ\", "
                                    "\"町丁字ｺｰﾄﾞ\", \"町丁字名\", \"X\", \"Y\") VALUES (?, ?, ?, ?, ?, ?)"),
        {prefecture, municipality, townBlock, name, x, y});
}

std::optional<QString> MeshDatabase::seekName(
    const QString &sql, std::initializer_list<int32_t> keys, int nameColumn)
{
    db::Statement statement = prepare(sql);
    if (!statement.isValid())
        return std::nullopt;
    int index = 1;
    for (int32_t key : keys)
        statement.bind(index++, int(key));
    if (!statement.next()) {
        m_error = statement.lastError();
        return std::nullopt;
    }
    // The name is read by its position, as every reader of these tables does,
    // trimmed of ordinary spaces only: a full-width space belongs to the name.
    return vb::trim(statement.text(nameColumn));
}

std::optional<QString> MeshDatabase::prefectureName(int32_t prefecture)
{
    return seekName(
        QStringLiteral("SELECT * FROM \"都道府県テーブル\" WHERE \"都道府県ｺｰﾄﾞ\" = ?"), {prefecture}, 1);
}

std::optional<QString> MeshDatabase::municipalityName(int32_t prefecture, int32_t municipality)
{
    return seekName(QStringLiteral("SELECT * FROM \"市区町村テーブル\" "
                                   "WHERE \"都道府県ｺｰﾄﾞ\" = ? AND \"市区町村ｺｰﾄﾞ\" = ?"),
        {prefecture, municipality}, 2);
}

std::optional<QString> MeshDatabase::townBlockName(
    int32_t prefecture, int32_t municipality, int32_t townBlock)
{
    return seekName(QStringLiteral("SELECT * FROM \"町丁字テーブル\" WHERE \"都道府県ｺｰﾄﾞ\" = ? "
                                   "AND \"市区町村ｺｰﾄﾞ\" = ? AND \"町丁字ｺｰﾄﾞ\" = ?"),
        {prefecture, municipality, townBlock}, 3);
}

QString MeshDatabase::canonicalSql(const QString &sql)
{
    QString out = sql;
    out.replace(QStringLiteral("都道府県コード"), QStringLiteral("都道府県ｺｰﾄﾞ"));
    out.replace(QStringLiteral("市区町村コード"), QStringLiteral("市区町村ｺｰﾄﾞ"));
    out.replace(QStringLiteral("町丁字コード"), QStringLiteral("町丁字ｺｰﾄﾞ"));
    return out;
}

db::Statement MeshDatabase::prepare(const QString &sql)
{
    if (!m_db.isOpen()) {
        m_error = QStringLiteral("地名データベースが開かれていません。");
        return {};
    }
    db::Statement statement = m_db.prepare(canonicalSql(sql));
    if (!statement.isValid())
        m_error = m_db.lastError();
    return statement;
}

} // namespace veltra::statdata
