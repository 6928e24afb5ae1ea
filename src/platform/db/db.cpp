#include "db.h"

#include "platform/fs/fs.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace veltra::db {

namespace {

QString errorText(sqlite3 *db, int rc, const QString &path = QString())
{
    if (!db)
        return describeError(rc, QString(), path);
    return describeError(rc, QString::fromUtf8(sqlite3_errmsg(db)), path, sqlite3_system_errno(db));
}

// The name after "no such table: " and the like in SQLite's message.
QString missingName(const QString &message, const char *what)
{
    static const QRegularExpression pattern(QStringLiteral("no such (table|column): (\\S+)"));
    const QRegularExpressionMatch match = pattern.match(message);
    return match.hasMatch() && match.captured(1) == QLatin1String(what) ? match.captured(2) : QString();
}

} // namespace

QString describeError(int resultCode, const QString &message, const QString &path, int systemErrno)
{
    switch (resultCode & 0xFF) {
    case SQLITE_NOTADB:
        return QStringLiteral("データベースのファイルではありません。");
    case SQLITE_CORRUPT:
        return QStringLiteral("データベースのファイルが壊れています。");
    case SQLITE_CANTOPEN:
        return path.isEmpty() ? QStringLiteral("データベースのファイルを開けません。")
                              : fs::failureReason(path, systemErrno, false);
    case SQLITE_READONLY:
        return QStringLiteral("データベースが読み取り専用のため書き込めません。");
    case SQLITE_FULL:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("アクセスする権限がありません。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("データベースがほかのプログラムで使用中です。");
    case SQLITE_IOERR:
        return QStringLiteral("ディスクの読み書きでエラーが起きました。");
    case SQLITE_NOMEM:
        return QStringLiteral("メモリが足りません。");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("データベースの制約に合わないデータです。");
    case SQLITE_TOOBIG:
        return QStringLiteral("データが大きすぎます。");
    case SQLITE_MISMATCH:
        return QStringLiteral("データの型が合いません。");
    case SQLITE_ERROR:
        if (const QString table = missingName(message, "table"); !table.isEmpty())
            return QStringLiteral("データベースに表 %1 がありません。").arg(table);
        if (const QString column = missingName(message, "column"); !column.isEmpty())
            return QStringLiteral("データベースに列 %1 がありません。").arg(column);
        return QStringLiteral("データベースの操作に失敗しました。");
    default:
        return QStringLiteral("データベースのエラーです（コード %1）。").arg(resultCode);
    }
}

Database::~Database()
{
    close();
}

Database::Database(Database &&other) noexcept
    : m_db(other.m_db)
    , m_path(std::move(other.m_path))
    , m_error(std::move(other.m_error))
{
    other.m_db = nullptr;
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        m_db = other.m_db;
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        other.m_db = nullptr;
    }
    return *this;
}

bool Database::open(const QString &path, bool create, bool readOnly)
{
    close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_error = errorText(db, rc, path);
        sqlite3_close(db);
        return false;
    }
    // Another process (or a second instance in tests) may hold the file briefly.
    sqlite3_busy_timeout(db, 5000);
    sqlite3_extended_result_codes(db, 1);
    m_db = db;
    m_path = path;
    m_error.clear();
    return true;
}

void Database::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool Database::exec(const QString &sql)
{
    if (!m_db) {
        m_error = QStringLiteral("データベースが開かれていません。");
        return false;
    }
    char *msg = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        m_error = describeError(rc, msg ? QString::fromUtf8(msg) : QString::fromUtf8(sqlite3_errmsg(m_db)));
        sqlite3_free(msg);
        return false;
    }
    return true;
}

Statement Database::prepare(const QString &sql)
{
    if (!m_db) {
        m_error = QStringLiteral("データベースが開かれていません。");
        return {};
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        m_error = errorText(m_db, rc);
        sqlite3_finalize(stmt);
        return {};
    }
    return Statement(stmt, m_db);
}

bool Database::begin()
{
    return exec(QStringLiteral("BEGIN"));
}

bool Database::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

bool Database::rollback()
{
    return exec(QStringLiteral("ROLLBACK"));
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int Database::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_stmt(other.m_stmt)
    , m_db(other.m_db)
    , m_error(std::move(other.m_error))
{
    other.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = other.m_stmt;
        m_db = other.m_db;
        m_error = std::move(other.m_error);
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement &Statement::bind(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Bool:
        return bind(index, value.toInt());
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Long:
        return bind(index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(index, value.toDouble());
    case QMetaType::QByteArray:
        return bind(index, value.toByteArray());
    default:
        return bind(index, value.toString());
    }
}

Statement &Statement::bind(int index, const QString &value)
{
    if (m_stmt) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    if (m_stmt)
        sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

Statement &Statement::bind(int index, int value)
{
    if (m_stmt)
        sqlite3_bind_int(m_stmt, index, value);
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    if (m_stmt)
        sqlite3_bind_double(m_stmt, index, value);
    return *this;
}

Statement &Statement::bind(int index, const QByteArray &blob)
{
    if (m_stmt)
        sqlite3_bind_blob(m_stmt, index, blob.constData(), int(blob.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindNull(int index)
{
    if (m_stmt)
        sqlite3_bind_null(m_stmt, index);
    return *this;
}

bool Statement::next()
{
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_error = errorText(m_db, rc);
    return false;
}

bool Statement::exec()
{
    if (!m_stmt) {
        m_error = QStringLiteral("データベースへの命令を準備できませんでした。");
        return false;
    }
    int rc;
    do {
        rc = sqlite3_step(m_stmt);
    } while (rc == SQLITE_ROW);
    const bool ok = rc == SQLITE_DONE;
    if (!ok)
        m_error = errorText(m_db, rc);
    sqlite3_reset(m_stmt);
    return ok;
}

bool Statement::reset()
{
    if (!m_stmt)
        return false;
    sqlite3_clear_bindings(m_stmt);
    return sqlite3_reset(m_stmt) == SQLITE_OK;
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

bool Statement::isNull(int column) const
{
    return !m_stmt || sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::text(int column) const
{
    if (!m_stmt)
        return {};
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)) : QString();
}

qint64 Statement::int64(int column) const
{
    return m_stmt ? sqlite3_column_int64(m_stmt, column) : 0;
}

int Statement::int32(int column) const
{
    return m_stmt ? sqlite3_column_int(m_stmt, column) : 0;
}

double Statement::real(int column) const
{
    return m_stmt ? sqlite3_column_double(m_stmt, column) : 0.0;
}

QByteArray Statement::blob(int column) const
{
    if (!m_stmt)
        return {};
    const void *p = sqlite3_column_blob(m_stmt, column);
    return p ? QByteArray(static_cast<const char *>(p), sqlite3_column_bytes(m_stmt, column)) : QByteArray();
}

QVariant Statement::value(int column) const
{
    if (!m_stmt)
        return {};
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(int64(column));
    case SQLITE_FLOAT:
        return QVariant(real(column));
    case SQLITE_BLOB:
        return QVariant(blob(column));
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(text(column));
    }
}

QString Statement::columnName(int column) const
{
    return m_stmt ? QString::fromUtf8(sqlite3_column_name(m_stmt, column)) : QString();
}

Transaction::Transaction(Database &db)
    : m_db(db)
{
    m_done = !m_db.begin();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

bool Transaction::commit()
{
    if (m_done)
        return false;
    m_done = true;
    return m_db.commit();
}

} // namespace veltra::db
