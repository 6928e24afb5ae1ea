#pragma once
// The place-name database: one SQLite file ("DB\Mesh.sqlite" in the data
// folder) with one table per area level, holding the names, the reading of
// municipality names and a representative point (engine world units) of every
// prefecture, municipality and town block.
//
// Tables and column positions (readers address several columns by position,
// so the order is part of the format; unnamed positions are spare columns):
//   都道府県テーブル  0 都道府県ｺｰﾄﾞ, 1 都道府県名, 2-5 spare, 6 X, 7 Y
//   市区町村テーブル  0 都道府県ｺｰﾄﾞ, 1 市区町村ｺｰﾄﾞ, 2 市区町村名, 3 よみがな,
//                     4-7 spare, 8 X, 9 Y
//   町丁字テーブル    0 都道府県ｺｰﾄﾞ, 1 市区町村ｺｰﾄﾞ, 2 町丁字ｺｰﾄﾞ, 3 町丁字名, 4 X, 5 Y
// Each table's primary key is its code columns in that order. Queries may
// spell the code columns with full-width "コード" as well; prepare() maps that
// spelling to the stored one. Every value goes in as a bound parameter.
//
// The program opens the file once at start-up (shared()) and keeps it open.
// The default-data generator and the tests build a database with create()
// and the insert functions, inside a transaction of database() for speed.
#include "platform/db/db.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace veltra::statdata {

class MeshDatabase
{
public:
    MeshDatabase() = default;
    MeshDatabase(const MeshDatabase &) = delete;
    MeshDatabase &operator=(const MeshDatabase &) = delete;

    // The database of the run, opened by start-up and used by every lookup.
    static MeshDatabase &shared();

    // "DB\Mesh.sqlite": where the file lies inside the data folder.
    static QString relativePath();
    // The data folder (Windows or local style) followed by relativePath(),
    // resolved to a local path.
    static QString pathInDataFolder(const QString &dataFolder);

    // Opens an existing file read-write. False (and lastError()) when the file
    // is missing or is not a database; the object is then closed.
    bool open(const QString &path);
    // Opens the file, creating it when missing, and creates any missing table.
    bool create(const QString &path);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_db.path(); }
    // Why the last call failed, in Japanese for the user; the caller names
    // the file.
    QString lastError() const { return m_error; }

    // Creates the three tables when they do not exist yet.
    bool createSchema();

    bool insertPrefecture(int32_t prefecture, const QString &name, int32_t x, int32_t y);
    bool insertMunicipality(int32_t prefecture, int32_t municipality, const QString &name,
        const QString &reading, int32_t x, int32_t y);
    bool insertTownBlock(int32_t prefecture, int32_t municipality, int32_t townBlock, const QString &name,
        int32_t x, int32_t y);

    // The name column of the row with these codes, trimmed of blanks at both
    // ends; nullopt when there is no such row, the database is not open or a
    // table is missing (lastError() then says why).
    std::optional<QString> prefectureName(int32_t prefecture);
    std::optional<QString> municipalityName(int32_t prefecture, int32_t municipality);
    std::optional<QString> townBlockName(int32_t prefecture, int32_t municipality, int32_t townBlock);

    // Prepares a query on the database after mapping the full-width spelling
    // of the code columns to the stored one. Values must be bound, never
    // written into the text. An invalid statement when the database is closed
    // or the text is wrong (lastError() says why).
    db::Statement prepare(const QString &sql);
    // The SQL text with 都道府県コード, 市区町村コード and 町丁字コード written
    // as the stored column names.
    static QString canonicalSql(const QString &sql);

    db::Database &database() { return m_db; }

private:
    std::optional<QString> seekName(const QString &sql, std::initializer_list<int32_t> keys, int nameColumn);
    bool insertRow(const QString &sql, std::initializer_list<QVariant> values);

    db::Database m_db;
    QString m_error;
};

} // namespace veltra::statdata
