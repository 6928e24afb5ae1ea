#pragma once
// One SQLite element file: the document's own store (`*.zdb`) or a read-only
// mesh file (`.mfv` vectors / `.mfc` connectors). Both share one schema:
//
//   element(id INTEGER PRIMARY KEY, type, kind, ipra0..ipra2, lpra0..lpra5,
//           npts, level, closed, minx, miny, maxx, maxy,
//           key TEXT, pts BLOB (int32 LE x,y pairs))
// (the text and the points last, so the small columns are read without
// walking a large polygon's overflow pages)
//   element_rtree USING rtree_i32(id, minx, maxx, miny, maxy)
//   tombstone(mesh TEXT, mesh_element_id INTEGER)   -- deleted mesh elements
//   element_lod(id, band, npts, pts)   -- simplified vector points per band
//     (levelofdetail.h), written with their elements; a writable store of
//     an older file gets the table and its rows when opened
//
// The store is only read while a document is open; all pending changes live
// in memory (ElementOverlay) and reach the file in one transaction at save, so
// the file on disk is always the last saved state.
#include "platform/db/db.h"
#include "zorvik/core/closedareaindex.h"
#include "zorvik/core/drawingindex.h"
#include "zorvik/core/storedelement.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace zorvik {

// A mesh element recorded as deleted by the document.
struct Tombstone
{
    QString mesh; // mesh file path relative to the mesh folder, '/' separated
    std::int64_t id = 0;
    bool operator==(const Tombstone &) const = default;
};

class ElementStore
{
public:
    ElementStore() = default;
    ~ElementStore() { close(); }
    ElementStore(const ElementStore &) = delete;
    ElementStore &operator=(const ElementStore &) = delete;

    // Creates an empty file with the schema (the file must not exist yet).
    static bool create(const QString &path, QString *error = nullptr);

    // Opens an existing file and checks its schema. False on a missing,
    // unreadable or malformed file; nothing is written.
    bool open(const QString &path, bool readOnly, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_db.path(); }

    // Every element whose box meets `box`, in R*Tree order, with `source` as
    // the source of the refs handed out.
    bool forEachInBox(const WorldBox &box, std::int32_t source, const ElementVisitor &visit) const;
    // Every closed vector whose R*Tree box holds the point, as forEachInBox
    // gives them for that point but in no particular order, from the
    // in-memory copy of the file's areas (ClosedAreaIndex). False, having
    // visited nothing, when there is no such copy: search with forEachInBox.
    bool forEachClosedAt(std::int32_t x, std::int32_t y, std::int32_t source, const ElementVisitor &visit) const;
    // As forEachInBox, but vector elements come with the points of a
    // level-of-detail band (lod::bandFor) where the band has a copy; for
    // drawing only. Band 0, or a store without copies: the exact points.
    // The rows come from an in-memory copy of the file (DrawingIndex) while
    // no other connection has written to it.
    bool forEachInBoxForDrawing(
        const WorldBox &box, int band, std::int32_t source, const ElementVisitor &visit) const;
    // The band's copy of an element's points as x, y pairs; false when it has none.
    bool lodPoints(std::int64_t id, int band, std::vector<std::int32_t> &xy) const;
    bool hasLevelOfDetail() const { return m_hasLod; }
    // Every element of one type and kind, in id order.
    bool forEachOfKind(
        std::int16_t type, std::int16_t kind, std::int32_t source, const ElementVisitor &visit) const;
    // Ids of every element of one type and kind, in id order (index only).
    bool idsOfKind(std::int16_t type, std::int16_t kind, std::vector<std::int64_t> &ids) const;
    // Every element, in id order.
    bool forEachElement(std::int32_t source, const ElementVisitor &visit) const;

    bool fetch(std::int64_t id, ElementRecord &out) const;
    std::int64_t maxId() const;
    std::int64_t count() const;
    WorldBox extent() const;
    std::vector<Tombstone> tombstones() const;

    // Applies a batch of changes in one transaction: inserts with their ids,
    // deletes by id, tombstones added and removed. Either everything is
    // written or the file stays as it was (false, `error` says why).
    struct Changes
    {
        std::vector<std::pair<std::int64_t, const ElementRecord *>> inserts;
        std::vector<std::int64_t> deletes;
        std::vector<Tombstone> addTombstones;
        std::vector<Tombstone> removeTombstones;
    };
    bool apply(const Changes &changes, QString *error = nullptr);

    // False when the open file cannot be written (a read-only file or file
    // system, which SQLite opens for reading only, or a file of a newer
    // format); `error` then says so with the file.
    bool checkWritable(QString *error = nullptr) const;

    // The raw connection, for benchmarks that compare against a bare query.
    sqlite3 *handle() const { return m_db.handle(); }

private:
    bool prepareQueries(QString *error);
    void ensureLevelOfDetail();

    // Statements of the hot queries, prepared once; a nested walk (a visitor
    // that searches again) prepares its own.
    struct CachedQuery
    {
        sqlite3_stmt *stmt = nullptr;
        bool busy = false;
    };
    bool runQuery(CachedQuery &query, const char *sql, const std::function<void(sqlite3_stmt *)> &bind,
        std::int32_t source, const ElementVisitor &visit) const;
    void finalizeQueries();
    // Fills m_closedAreas from the file as it is now.
    void copyClosedAreas(const ClosedAreaIndex::Stamp &stamp) const;
    // Fills m_drawing inside the caller's read transaction.
    void copyForDrawing(std::int64_t dataVersion) const;
    bool drawFromCopy(const WorldBox &box, int band, std::int32_t source, const ElementVisitor &visit) const;
    // Forgets every in-memory copy of the file's rows: it is about to change.
    void dropCopies() const;

    mutable veltra::db::Database m_db;
    mutable CachedQuery m_boxQuery;
    mutable CachedQuery m_kindQuery;
    mutable CachedQuery m_fetchQuery;
    mutable CachedQuery m_allQuery;
    mutable ClosedAreaIndex m_closedAreas;
    mutable CachedQuery m_lodBoxQuery;
    mutable CachedQuery m_idBoxQuery;
    mutable CachedQuery m_dataVersionQuery;
    mutable DrawingIndex m_drawing;
    bool m_hasLod = false;
};

} // namespace zorvik
