#include "zorvik/core/elementstore.h"

#include "platform/fs/fs.h"
#include "zorvik/core/levelofdetail.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace zorvik {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString notAStore(const QString &path, const QString &why)
{
    return QStringLiteral("地図データを開けません: %1\n%2").arg(path, why);
}

QString writeFailure(const QString &path, const QString &why)
{
    return QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, why);
}

const char *const Schema = R"sql(
CREATE TABLE element(
  id INTEGER PRIMARY KEY, type INTEGER NOT NULL, kind INTEGER NOT NULL,
  ipra0 INTEGER NOT NULL, ipra1 INTEGER NOT NULL, ipra2 INTEGER NOT NULL,
  lpra0 INTEGER NOT NULL, lpra1 INTEGER NOT NULL, lpra2 INTEGER NOT NULL,
  lpra3 INTEGER NOT NULL, lpra4 INTEGER NOT NULL, lpra5 INTEGER NOT NULL,
  npts INTEGER NOT NULL, level INTEGER NOT NULL DEFAULT 0, closed INTEGER NOT NULL DEFAULT 0,
  minx INTEGER NOT NULL, miny INTEGER NOT NULL, maxx INTEGER NOT NULL, maxy INTEGER NOT NULL,
  key TEXT NOT NULL, pts BLOB NOT NULL);
CREATE INDEX element_kind ON element(type, kind);
CREATE VIRTUAL TABLE element_rtree USING rtree_i32(id, minx, maxx, miny, maxy);
CREATE TABLE tombstone(mesh TEXT NOT NULL, mesh_element_id INTEGER NOT NULL, PRIMARY KEY(mesh, mesh_element_id));
)sql";

// Simplified points of vector elements per level-of-detail band (lod.h).
// Added after the first files were written: opening a writable store that
// lacks it builds it (see ensureLevelOfDetail).
const char *const LodSchema = R"sql(
CREATE TABLE IF NOT EXISTS element_lod(
  id INTEGER NOT NULL, band INTEGER NOT NULL, npts INTEGER NOT NULL, pts BLOB NOT NULL,
  PRIMARY KEY(id, band)) WITHOUT ROWID;
)sql";

const char *const Columns
    = "e.id,e.type,e.kind,e.ipra0,e.ipra1,e.ipra2,e.lpra0,e.lpra1,e.lpra2,e.lpra3,e.lpra4,"
      "e.lpra5,e.key,e.npts,e.pts,e.minx,e.miny,e.maxx,e.maxy";

// Reads the current row of a statement selecting Columns.
StoredElement rowView(sqlite3_stmt *st, std::int32_t source)
{
    StoredElement e;
    e.ref = {source, sqlite3_column_int64(st, 0)};
    e.type = static_cast<std::int16_t>(sqlite3_column_int(st, 1));
    e.kind = static_cast<std::int16_t>(sqlite3_column_int(st, 2));
    for (int i = 0; i < 3; ++i)
        e.iPra[i] = static_cast<std::int16_t>(sqlite3_column_int(st, 3 + i));
    for (int i = 0; i < 6; ++i)
        e.lPra[i] = sqlite3_column_int(st, 6 + i);
    e.keyUtf8 = reinterpret_cast<const char *>(sqlite3_column_text(st, 12));
    e.keyBytes = sqlite3_column_bytes(st, 12);
    const std::int32_t npts = sqlite3_column_int(st, 13);
    e.points = static_cast<const unsigned char *>(sqlite3_column_blob(st, 14));
    const int bytes = sqlite3_column_bytes(st, 14);
    // A damaged row never makes us read past its blob.
    e.pointCount = std::max(0, std::min(npts, bytes / 8));
    e.box = {sqlite3_column_int(st, 15), sqlite3_column_int(st, 16), sqlite3_column_int(st, 17),
        sqlite3_column_int(st, 18)};
    return e;
}

const QByteArray BoxSql = QByteArray("SELECT ") + Columns
    + " FROM element_rtree r CROSS JOIN element e ON e.id = r.id "
      "WHERE r.minx <= ?2 AND r.maxx >= ?1 AND r.miny <= ?4 AND r.maxy >= ?3";
// The same rows with the band's points where the band has a copy.
const QByteArray LodBoxSql = QByteArray("SELECT ")
    + QByteArray(Columns).replace("e.npts,e.pts", "COALESCE(l.npts, e.npts),COALESCE(l.pts, e.pts)")
    + " FROM element_rtree r CROSS JOIN element e ON e.id = r.id "
      "LEFT JOIN element_lod l ON l.id = e.id AND l.band = ?5 "
      "WHERE r.minx <= ?2 AND r.maxx >= ?1 AND r.miny <= ?4 AND r.maxy >= ?3";
const QByteArray KindSql
    = QByteArray("SELECT ") + Columns + " FROM element e WHERE e.type = ?1 AND e.kind = ?2 ORDER BY e.id";
const QByteArray FetchSql = QByteArray("SELECT ") + Columns + " FROM element e WHERE e.id = ?1";
// Every vector that may be closed, with its R*Tree box after Columns.
const QByteArray AreaSql = QByteArray("SELECT ") + Columns
    + ",r.minx,r.maxx,r.miny,r.maxy FROM element_rtree r CROSS JOIN element e ON e.id = r.id "
      "WHERE e.type = 1 AND e.npts >= 4";
const QByteArray AllSql = QByteArray("SELECT ") + Columns + " FROM element e ORDER BY e.id";
// The ids the drawing looks up in its copy, in the order BoxSql gives them.
const char *const IdBoxSql
    = "SELECT id FROM element_rtree WHERE minx <= ?2 AND maxx >= ?1 AND miny <= ?4 AND maxy >= ?3";
const char *const DataVersionSql = "PRAGMA data_version";
const char *const AllLodSql = "SELECT id, band, npts, pts FROM element_lod";

} // namespace

bool ElementStore::create(const QString &path, QString *error)
{
    if (veltra::fs::fileExists(path)) {
        setError(error,
            QStringLiteral("地図データを作成できません: %1\n同じ名前のファイルがすでにあります。").arg(path));
        return false;
    }
    // Built under a temporary name and renamed, so no half-made store is left.
    const QString temp = path + QStringLiteral(".new");
    veltra::fs::deleteFiles(temp);
    {
        veltra::db::Database db;
        if (!db.open(temp, true, false) || !db.exec(QString::fromLatin1(Schema))
            || !db.exec(QString::fromLatin1(LodSchema))) {
            setError(error, QStringLiteral("地図データを作成できません: %1\n%2").arg(path, db.lastError()));
            db.close();
            veltra::fs::deleteFiles(temp);
            return false;
        }
    }
    if (!veltra::fs::moveFile(temp, path)) {
        veltra::fs::deleteFiles(temp);
        setError(error,
            QStringLiteral("地図データを作成できません: %1\n%2")
                .arg(path, veltra::fs::failureReason(path, 0, true)));
        return false;
    }
    return true;
}

bool ElementStore::open(const QString &path, bool readOnly, QString *error)
{
    close();
    if (!veltra::fs::fileExists(path)) {
        setError(error,
            QStringLiteral("地図データを開けません: %1\n%2")
                .arg(path, veltra::fs::failureReason(path, ENOENT, false)));
        return false;
    }
    bool ok = m_db.open(path, false, readOnly);
    if (!ok && !readOnly)
        ok = m_db.open(path, false, true); // a read-only file can still be shown
    if (!ok) {
        setError(error, QStringLiteral("地図データを開けません: %1\n%2").arg(path, m_db.lastError()));
        return false;
    }
    if (!prepareQueries(error)) {
        close();
        return false;
    }
    // A redraw reads every visible element's points again; with SQLite's
    // default 2 MB page cache a large document went back to the file for
    // each page of every frame. Pages are only held once read.
    m_db.exec(QStringLiteral("PRAGMA cache_size = -131072"));
    ensureLevelOfDetail();
    return true;
}

void ElementStore::ensureLevelOfDetail()
{
    m_hasLod = false;
    {
        veltra::db::Statement st = m_db.prepare(
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'element_lod'"));
        m_hasLod = st.next();
    }
    if (!m_hasLod && sqlite3_db_readonly(m_db.handle(), "main") == 0) {
        // A store written before the copies existed: build them all in one
        // transaction. On failure (the file is busy) it is drawn from the
        // exact points and tried again at the next open.
        dropCopies();
        veltra::db::Transaction tx(m_db);
        bool ok = m_db.exec(QString::fromLatin1(LodSchema));
        veltra::db::Statement ins = m_db.prepare(
            QStringLiteral("INSERT OR REPLACE INTO element_lod(id, band, npts, pts) VALUES(?1, ?2, ?3, ?4)"));
        ok = ok && ins.isValid() && forEachElement(0, [&](const StoredElement &e) {
            if (e.type != TypeVector)
                return true;
            for (const lod::Band &band : lod::Bands) {
                const QByteArray pts = lod::simplified(e.points, e.pointCount, band.cell);
                if (pts.isEmpty())
                    continue; // too little to gain: drawn from the exact points
                ins.reset();
                if (!ins.bind(1, qint64(e.ref.id))
                         .bind(2, band.id)
                         .bind(3, int(pts.size() / 8))
                         .bind(4, pts)
                         .exec()) {
                    ok = false;
                    return false;
                }
            }
            return true;
        });
        m_hasLod = ok && tx.commit();
    }
    if (m_hasLod
        && sqlite3_prepare_v3(m_db.handle(), LodBoxSql.constData(), -1, SQLITE_PREPARE_PERSISTENT,
               &m_lodBoxQuery.stmt, nullptr)
            != SQLITE_OK)
        m_hasLod = false;
}

bool ElementStore::prepareQueries(QString *error)
{
    // Preparing these checks the schema: a file of another kind fails here.
    CachedQuery *queries[]
        = {&m_boxQuery, &m_kindQuery, &m_fetchQuery, &m_allQuery, &m_idBoxQuery, &m_dataVersionQuery};
    const char *sqls[] = {BoxSql.constData(), KindSql.constData(), FetchSql.constData(), AllSql.constData(),
        IdBoxSql, DataVersionSql};
    for (int i = 0; i < 6; ++i) {
        if (sqlite3_prepare_v3(m_db.handle(), sqls[i], -1, SQLITE_PREPARE_PERSISTENT,
                &queries[i]->stmt, nullptr)
            != SQLITE_OK) {
            setError(error,
                notAStore(m_db.path(),
                    veltra::db::describeError(
                        sqlite3_errcode(m_db.handle()), QString::fromUtf8(sqlite3_errmsg(m_db.handle())))));
            return false;
        }
    }
    veltra::db::Statement tomb
        = m_db.prepare(QStringLiteral("SELECT mesh, mesh_element_id FROM tombstone LIMIT 0"));
    if (!tomb.isValid()) {
        setError(error, notAStore(m_db.path(), m_db.lastError()));
        return false;
    }
    return true;
}

void ElementStore::finalizeQueries()
{
    for (CachedQuery *q : {&m_boxQuery, &m_kindQuery, &m_fetchQuery, &m_allQuery, &m_lodBoxQuery, &m_idBoxQuery,
             &m_dataVersionQuery}) {
        sqlite3_finalize(q->stmt);
        q->stmt = nullptr;
        q->busy = false;
    }
}

void ElementStore::close()
{
    finalizeQueries();
    dropCopies();
    m_hasLod = false;
    m_db.close();
}

bool ElementStore::runQuery(CachedQuery &query, const char *sql,
    const std::function<void(sqlite3_stmt *)> &bind, std::int32_t source, const ElementVisitor &visit) const
{
    sqlite3_stmt *st = query.stmt;
    bool own = false;
    if (query.busy || !st) {
        if (sqlite3_prepare_v2(m_db.handle(), sql, -1, &st, nullptr) != SQLITE_OK)
            return false;
        own = true;
    } else {
        query.busy = true;
    }
    bind(st);
    int rc;
    bool stopped = false;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (!visit(rowView(st, source))) {
            stopped = true;
            break;
        }
    }
    if (own) {
        sqlite3_finalize(st);
    } else {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        query.busy = false;
    }
    return stopped || rc == SQLITE_DONE;
}

bool ElementStore::forEachInBox(const WorldBox &box, std::int32_t source, const ElementVisitor &visit) const
{
    if (!isOpen() || box.isEmpty())
        return false;
    return runQuery(
        m_boxQuery, BoxSql.constData(),
        [&](sqlite3_stmt *st) {
            sqlite3_bind_int(st, 1, box.minX);
            sqlite3_bind_int(st, 2, box.maxX);
            sqlite3_bind_int(st, 3, box.minY);
            sqlite3_bind_int(st, 4, box.maxY);
        },
        source, visit);
}

bool ElementStore::forEachClosedAt(
    std::int32_t x, std::int32_t y, std::int32_t source, const ElementVisitor &visit) const
{
    ClosedAreaIndex::Stamp stamp;
    if (!isOpen() || !ClosedAreaIndex::stampOf(m_db.path(), stamp))
        return false;
    if (!m_closedAreas.isCurrent(stamp))
        copyClosedAreas(stamp);
    if (!m_closedAreas.isUsable())
        return false;
    m_closedAreas.forEachAt(x, y, source, visit);
    return true;
}

void ElementStore::copyClosedAreas(const ClosedAreaIndex::Stamp &stamp) const
{
    m_closedAreas.start(stamp);
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(m_db.handle(), AreaSql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        m_closedAreas.clear();
        return;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const StoredElement e = rowView(st, 0);
        if (!e.isClosed())
            continue;
        const WorldBox treeBox{sqlite3_column_int(st, 19), sqlite3_column_int(st, 21), sqlite3_column_int(st, 20),
            sqlite3_column_int(st, 22)};
        if (!m_closedAreas.add(e, treeBox))
            break;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        m_closedAreas.clear(); // not copied: searched in the file
        return;
    }
    m_closedAreas.finish();
}

void ElementStore::dropCopies() const
{
    m_closedAreas.clear();
    m_drawing.clear();
}

bool ElementStore::forEachInBoxForDrawing(
    const WorldBox &box, int band, std::int32_t source, const ElementVisitor &visit) const
{
    if (!isOpen() || box.isEmpty())
        return false;
    if (!m_hasLod)
        band = 0;
    if (!m_drawing.isVisiting() && !m_dataVersionQuery.busy && !m_idBoxQuery.busy) {
        // One read transaction, so that the data version, the copy and the
        // R*Tree's answer all see the same file.
        sqlite3 *db = m_db.handle();
        const bool own = sqlite3_get_autocommit(db) != 0;
        if (!own || sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK) {
            bool drawn = false, result = false;
            sqlite3_stmt *st = m_dataVersionQuery.stmt;
            if (sqlite3_step(st) == SQLITE_ROW) {
                const std::int64_t version = sqlite3_column_int64(st, 0);
                sqlite3_reset(st);
                if (!m_drawing.isCurrent(version))
                    copyForDrawing(version);
                if (m_drawing.isUsable()) {
                    result = drawFromCopy(box, band, source, visit);
                    drawn = true;
                }
            } else {
                sqlite3_reset(st);
            }
            if (own)
                sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            if (drawn)
                return result;
        }
    }
    if (band <= 0)
        return forEachInBox(box, source, visit);
    return runQuery(
        m_lodBoxQuery, LodBoxSql.constData(),
        [&](sqlite3_stmt *st) {
            sqlite3_bind_int(st, 1, box.minX);
            sqlite3_bind_int(st, 2, box.maxX);
            sqlite3_bind_int(st, 3, box.minY);
            sqlite3_bind_int(st, 4, box.maxY);
            sqlite3_bind_int(st, 5, band);
        },
        source, visit);
}

void ElementStore::copyForDrawing(std::int64_t dataVersion) const
{
    m_drawing.start(dataVersion);
    bool ok = runQuery(m_allQuery, AllSql.constData(), [](sqlite3_stmt *) {}, 0,
        [&](const StoredElement &e) { return m_drawing.add(e); });
    if (ok && m_hasLod) {
        sqlite3_stmt *st = nullptr;
        ok = sqlite3_prepare_v2(m_db.handle(), AllLodSql, -1, &st, nullptr) == SQLITE_OK;
        int rc = SQLITE_DONE;
        while (ok && (rc = sqlite3_step(st)) == SQLITE_ROW) {
            const int bytes = sqlite3_column_bytes(st, 3);
            const auto *points = static_cast<const unsigned char *>(sqlite3_column_blob(st, 3));
            // As in a row read from the file: never past the blob.
            const std::int32_t count = std::max(0, std::min(sqlite3_column_int(st, 2), bytes / 8));
            ok = m_drawing.addCopy(sqlite3_column_int64(st, 0), sqlite3_column_int(st, 1), points, count);
        }
        ok = ok && rc == SQLITE_DONE;
        sqlite3_finalize(st);
    }
    if (!ok && !m_drawing.isTooLarge()) {
        m_drawing.clear(); // not copied: drawn from the file, tried again next time
        return;
    }
    m_drawing.finish(); // usable, or known to be too large
}

bool ElementStore::drawFromCopy(
    const WorldBox &box, int band, std::int32_t source, const ElementVisitor &visit) const
{
    sqlite3_stmt *st = m_idBoxQuery.stmt;
    m_idBoxQuery.busy = true;
    sqlite3_bind_int(st, 1, box.minX);
    sqlite3_bind_int(st, 2, box.maxX);
    sqlite3_bind_int(st, 3, box.minY);
    sqlite3_bind_int(st, 4, box.maxY);
    m_drawing.beginVisit();
    int rc;
    bool stopped = false;
    StoredElement e;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        // An R*Tree entry without its row is skipped, as BoxSql's join does.
        if (m_drawing.view(sqlite3_column_int64(st, 0), band, source, e) && !visit(e)) {
            stopped = true;
            break;
        }
    }
    m_drawing.endVisit();
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    m_idBoxQuery.busy = false;
    return stopped || rc == SQLITE_DONE;
}

bool ElementStore::lodPoints(std::int64_t id, int band, std::vector<std::int32_t> &xy) const
{
    xy.clear();
    if (!m_hasLod)
        return false;
    veltra::db::Statement st
        = m_db.prepare(QStringLiteral("SELECT npts, pts FROM element_lod WHERE id = ?1 AND band = ?2"));
    st.bind(1, qint64(id)).bind(2, band);
    if (!st.next())
        return false;
    const QByteArray pts = st.blob(1);
    xy.resize(static_cast<std::size_t>(pts.size() / 4));
    std::memcpy(xy.data(), pts.constData(), xy.size() * 4);
    return true;
}

bool ElementStore::forEachOfKind(
    std::int16_t type, std::int16_t kind, std::int32_t source, const ElementVisitor &visit) const
{
    if (!isOpen())
        return false;
    return runQuery(
        m_kindQuery, KindSql.constData(),
        [&](sqlite3_stmt *st) {
            sqlite3_bind_int(st, 1, type);
            sqlite3_bind_int(st, 2, kind);
        },
        source, visit);
}

bool ElementStore::idsOfKind(std::int16_t type, std::int16_t kind, std::vector<std::int64_t> &ids) const
{
    if (!isOpen())
        return false;
    veltra::db::Statement st
        = m_db.prepare(QStringLiteral("SELECT id FROM element WHERE type = ?1 AND kind = ?2 ORDER BY id"));
    st.bind(1, int(type)).bind(2, int(kind));
    while (st.next())
        ids.push_back(st.int64(0));
    return st.lastError().isEmpty();
}

bool ElementStore::forEachElement(std::int32_t source, const ElementVisitor &visit) const
{
    if (!isOpen())
        return false;
    return runQuery(
        m_allQuery, AllSql.constData(), [](sqlite3_stmt *) {}, source, visit);
}

bool ElementStore::fetch(std::int64_t id, ElementRecord &out) const
{
    if (!isOpen())
        return false;
    bool found = false;
    runQuery(
        m_fetchQuery, FetchSql.constData(), [&](sqlite3_stmt *st) { sqlite3_bind_int64(st, 1, id); }, 0,
        [&](const StoredElement &e) {
            recordOf(e, out);
            found = true;
            return false;
        });
    return found;
}

std::int64_t ElementStore::maxId() const
{
    veltra::db::Statement st = m_db.prepare(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM element"));
    return st.next() ? st.int64(0) : 0;
}

std::int64_t ElementStore::count() const
{
    veltra::db::Statement st = m_db.prepare(QStringLiteral("SELECT COUNT(*) FROM element"));
    return st.next() ? st.int64(0) : 0;
}

WorldBox ElementStore::extent() const
{
    veltra::db::Statement st = m_db.prepare(
        QStringLiteral("SELECT MIN(minx), MIN(miny), MAX(maxx), MAX(maxy), COUNT(*) FROM element_rtree"));
    if (!st.next() || st.int64(4) == 0)
        return {};
    return {st.int32(0), st.int32(1), st.int32(2), st.int32(3)};
}

std::vector<Tombstone> ElementStore::tombstones() const
{
    std::vector<Tombstone> out;
    veltra::db::Statement st = m_db.prepare(QStringLiteral("SELECT mesh, mesh_element_id FROM tombstone"));
    while (st.next())
        out.push_back({st.text(0), st.int64(1)});
    return out;
}

bool ElementStore::checkWritable(QString *error) const
{
    if (!isOpen()) {
        setError(error, QStringLiteral("地図データが開かれていません。"));
        return false;
    }
    if (sqlite3_db_readonly(m_db.handle(), "main") == 0)
        return true;
    // The file system names the cause where it has one (a read-only file
    // system, no permission); otherwise the file itself is marked read-only.
    const QString path = m_db.path();
    const QByteArray local = QFile::encodeName(path);
    const int refused = ::access(local.constData(), W_OK) == 0 ? 0 : errno;
    setError(error,
        writeFailure(path,
            refused != 0 ? veltra::fs::failureReason(path, refused, true)
                         : QStringLiteral("地図データが読み取り専用で開かれています。")));
    return false;
}

bool ElementStore::apply(const Changes &changes, QString *error)
{
    if (!isOpen()) {
        setError(error, QStringLiteral("地図データが開かれていません。"));
        return false;
    }
    dropCopies(); // the file changes: copied again at the next search or drawing
    veltra::db::Transaction tx(m_db);
    auto fail = [&](const veltra::db::Statement &st) {
        setError(error, writeFailure(m_db.path(), st.lastError()));
        return false; // the transaction rolls back on return
    };
    veltra::db::Statement delElement = m_db.prepare(QStringLiteral("DELETE FROM element WHERE id = ?1"));
    veltra::db::Statement delBox = m_db.prepare(QStringLiteral("DELETE FROM element_rtree WHERE id = ?1"));
    veltra::db::Statement insElement
        = m_db.prepare(QStringLiteral("INSERT INTO element(id, type, kind, ipra0, ipra1, ipra2, lpra0, "
                                      "lpra1, lpra2, lpra3, lpra4, lpra5, key, "
                                      "npts, pts, level, closed, minx, miny, maxx, maxy) "
                                      "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
                                      "?15, ?16, ?17, ?18, ?19, ?20, ?21)"));
    veltra::db::Statement insBox = m_db.prepare(
        QStringLiteral("INSERT INTO element_rtree(id, minx, maxx, miny, maxy) VALUES(?1, ?2, ?3, ?4, ?5)"));
    // The level-of-detail copies change with their elements, in the same transaction.
    veltra::db::Statement delLod = m_db.prepare(QStringLiteral("DELETE FROM element_lod WHERE id = ?1"));
    veltra::db::Statement insLod = m_db.prepare(
        QStringLiteral("INSERT OR REPLACE INTO element_lod(id, band, npts, pts) VALUES(?1, ?2, ?3, ?4)"));
    if (m_hasLod && (!delLod.isValid() || !insLod.isValid())) {
        setError(error, writeFailure(m_db.path(), m_db.lastError()));
        return false;
    }
    veltra::db::Statement addTomb = m_db.prepare(
        QStringLiteral("INSERT OR IGNORE INTO tombstone(mesh, mesh_element_id) VALUES(?1, ?2)"));
    veltra::db::Statement delTomb
        = m_db.prepare(QStringLiteral("DELETE FROM tombstone WHERE mesh = ?1 AND mesh_element_id = ?2"));
    for (const veltra::db::Statement *st : {&delElement, &delBox, &insElement, &insBox, &addTomb, &delTomb})
        if (!st->isValid()) {
            setError(error, writeFailure(m_db.path(), m_db.lastError()));
            return false;
        }

    for (std::int64_t id : changes.deletes) {
        delElement.reset();
        delBox.reset();
        if (!delElement.bind(1, qint64(id)).exec())
            return fail(delElement);
        if (!delBox.bind(1, qint64(id)).exec())
            return fail(delBox);
        if (m_hasLod) {
            delLod.reset();
            if (!delLod.bind(1, qint64(id)).exec())
                return fail(delLod);
        }
    }
    for (const auto &[id, rec] : changes.inserts) {
        const WorldBox box = recordBox(*rec);
        const bool closed = rec->Type == TypeVector && rec->PNum >= 4 && rec->X[0] == rec->X[rec->PNum - 1]
            && rec->Y[0] == rec->Y[rec->PNum - 1];
        insElement.reset();
        insElement.bind(1, qint64(id)).bind(2, int(rec->Type)).bind(3, int(rec->iPra[2]));
        for (int i = 0; i < 3; ++i)
            insElement.bind(4 + i, int(rec->iPra[i]));
        for (int i = 0; i < 6; ++i)
            insElement.bind(7 + i, int(rec->lPra[i]));
        const QByteArray points = packPoints(*rec);
        insElement.bind(13, rec->Key).bind(14, int(rec->PNum)).bind(15, points);
        insElement.bind(16, 0).bind(17, closed ? 1 : 0);
        insElement.bind(18, box.minX).bind(19, box.minY).bind(20, box.maxX).bind(21, box.maxY);
        if (!insElement.exec())
            return fail(insElement);
        insBox.reset();
        insBox.bind(1, qint64(id)).bind(2, box.minX).bind(3, box.maxX).bind(4, box.minY).bind(5, box.maxY);
        if (!insBox.exec())
            return fail(insBox);
        if (m_hasLod && rec->Type == TypeVector) {
            const auto *raw = reinterpret_cast<const unsigned char *>(points.constData());
            const std::int32_t count = static_cast<std::int32_t>(points.size() / 8);
            for (const lod::Band &band : lod::Bands) {
                const QByteArray pts = lod::simplified(raw, count, band.cell);
                if (pts.isEmpty())
                    continue; // too little to gain: drawn from the exact points
                insLod.reset();
                if (!insLod.bind(1, qint64(id))
                         .bind(2, band.id)
                         .bind(3, int(pts.size() / 8))
                         .bind(4, pts)
                         .exec())
                    return fail(insLod);
            }
        }
    }
    for (const Tombstone &t : changes.addTombstones) {
        addTomb.reset();
        if (!addTomb.bind(1, t.mesh).bind(2, qint64(t.id)).exec())
            return fail(addTomb);
    }
    for (const Tombstone &t : changes.removeTombstones) {
        delTomb.reset();
        if (!delTomb.bind(1, t.mesh).bind(2, qint64(t.id)).exec())
            return fail(delTomb);
    }
    if (!tx.commit()) {
        setError(error, writeFailure(m_db.path(), m_db.lastError()));
        return false;
    }
    return true;
}

} // namespace zorvik
