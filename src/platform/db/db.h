#pragma once
// A thin RAII wrapper over the SQLite C API: one Database per file, Statements
// with bound parameters (never text pasted into SQL), and transactions.
//
// lastError() is why the last call failed, in Japanese for the user (see
// describeError); the caller says what failed on which file.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace veltra::db {

class Statement;

// A SQLite result code (primary or extended) as a Japanese phrase for the
// user. Of SQLite's own English `message` only the names of a missing table or
// column are kept. `path` and `systemErrno` (sqlite3_system_errno) name the
// cause when a file cannot be opened.
QString describeError(
    int resultCode, const QString &message = QString(), const QString &path = QString(), int systemErrno = 0);

class Database
{
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;

    // Opens (create = also creates) the file. False and lastError() on failure.
    bool open(const QString &path, bool create = false, bool readOnly = false);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Runs one or more statements without parameters (schema, pragmas).
    bool exec(const QString &sql);
    // Prepares a statement; an invalid Statement (isValid() false) on error.
    Statement prepare(const QString &sql);

    bool begin();
    bool commit();
    bool rollback();

    qint64 lastInsertRowId() const;
    int changes() const;
    QString lastError() const { return m_error; }
    sqlite3 *handle() const { return m_db; }

private:
    friend class Statement;
    sqlite3 *m_db = nullptr;
    QString m_path;
    QString m_error;
};

class Statement
{
public:
    Statement() = default;
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;

    bool isValid() const { return m_stmt != nullptr; }

    // Parameters are 1-based, as in SQLite. A null QVariant binds NULL.
    Statement &bind(int index, const QVariant &value);
    Statement &bind(int index, const QString &value);
    Statement &bind(int index, qint64 value);
    Statement &bind(int index, int value);
    Statement &bind(int index, double value);
    Statement &bind(int index, const QByteArray &blob);
    Statement &bindNull(int index);

    // Steps once: true while a row is available.
    bool next();
    // Runs a statement that returns no rows; false on error.
    bool exec();
    bool reset();

    // Columns are 0-based.
    int columnCount() const;
    bool isNull(int column) const;
    QString text(int column) const;
    qint64 int64(int column) const;
    int int32(int column) const;
    double real(int column) const;
    QByteArray blob(int column) const;
    QVariant value(int column) const;
    QString columnName(int column) const;

    QString lastError() const { return m_error; }

private:
    friend class Database;
    Statement(sqlite3_stmt *stmt, sqlite3 *db)
        : m_stmt(stmt)
        , m_db(db)
    { }
    sqlite3_stmt *m_stmt = nullptr;
    sqlite3 *m_db = nullptr;
    QString m_error;
};

// Begins on construction; rolls back on destruction unless commit() ran.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    bool commit();

private:
    Database &m_db;
    bool m_done = false;
};

} // namespace veltra::db
