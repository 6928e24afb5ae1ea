#pragma once
// An open map document: the `.zor` file (an INI file whose [ZorvikDocument]
// section is the engine's; every other line belongs to others and is kept),
// its definitions (Catalog, read from the CSVs of DefDataDir), its element
// store beside it, the read-only mesh files of MeshDataDir, the level-9
// statistics elements, the unsaved-change overlay and the journal.
//
// Files are only read while the document is open. SaveMap writes the overlay
// to the store in one transaction (all or nothing) and SaveDefFile writes the
// definition files; nothing else writes. A document may be shown by several
// engines at once (shared through std::shared_ptr, found by its map handle).
//
// Common use (the data generator):
//   Document::create(zor, options)            -> .zor section, empty store, empty CSVs
//   Engine e; e.setDocumentPath(zor); e.InitializeMap(0);
//   e.AddSpace(...); e.AddVectorKind(...); ...  e.SaveDefFile();
//   e.CreateElementList(s); e.AddElementToList(s, rec) x N; e.AddElements(s); e.SaveMap();
#include "zorvik/core/catalog.h"
#include "zorvik/core/elementoverlay.h"
#include "zorvik/core/elementstore.h"
#include "zorvik/core/journal.h"
#include "zorvik/core/level9store.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

namespace zorvik {

// The engine's section of the `.zor` file.
inline constexpr const char *DocumentSection = "ZorvikDocument";
// The application's section that names the data folders.
inline constexpr const char *SysExSection = "ZorSYSEX";

// Settings for a new document (Document::create).
struct NewDocument
{
    QString baseDate = QStringLiteral("19700101"); // YYYYMMDD
    QString storeFile; // default: <zor base name>.zdb
    std::int16_t planeZoneNo = 9;
    QString defDataDir; // written to [ZorSYSEX] when not empty (Windows style, ends in '\')
    QString meshDataDir; // written to [ZorSYSEX] when not empty
    QString attachFilePath;
};

// How one mesh file is known to the document.
struct MeshFile
{
    QString relativePath; // "<level>/<name>.mfv", '/' separated
    int level = 0;
    std::unique_ptr<ElementStore> store;
};

class Document
{
public:
    ~Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    // Writes the engine section (and the given [ZorSYSEX] keys) into `zorPath`
    // (created when missing, other lines kept), creates the empty store when
    // it does not exist, and the definition folder with header-only CSVs for
    // the files that are missing. Result code; `error` says why on failure.
    static Result create(const QString &zorPath, const NewDocument &options, QString *error = nullptr);

    // Opens the document. On failure returns nullptr, sets `result` to a
    // non-zero code and `error`; nothing is written.
    static std::shared_ptr<Document> open(const QString &zorPath, Result &result, QString *error = nullptr);

    // The open document with this map handle, or nullptr.
    static std::shared_ptr<Document> byMapHandle(std::int32_t handle);
    std::int32_t mapHandle() const { return m_mapHandle; }

    QString path() const { return m_path; }
    QDate baseDate() const { return m_baseDate; }
    QString baseDateText() const { return m_baseDate.toString(QStringLiteral("yyyyMMdd")); }
    std::int16_t planeZoneNo() const { return m_planeZoneNo; }
    Result setPlaneZoneNo(std::int16_t zone);
    QString defDataDir() const { return m_defDataDir; } // resolved, ends in '/'
    QString meshDataDir() const { return m_meshDataDir; } // resolved, ends in '/' (empty: none)
    // Problems that did not stop the open (e.g. an unreadable mesh file skipped).
    QStringList warnings() const { return m_warnings; }

    Catalog &catalog() { return m_catalog; }
    const Catalog &catalog() const { return m_catalog; }
    // Writes the definition CSVs into DefDataDir.
    Result saveDefinitions(QString *error = nullptr);

    // --- reading elements (every source; deleted ones are left out)
    bool fetch(const ElementRef &ref, ElementRecord &out) const;
    bool contains(const ElementRef &ref) const;
    // True when fetch reads the element from a file (a saved store element or
    // a mesh element), not from memory.
    bool readsFromFile(const ElementRef &ref) const
    {
        return ref.source >= ElementRef::FirstMesh
            || (ref.source == ElementRef::Store && !m_overlay.added(ref.id));
    }
    void forEachInBox(const WorldBox &box, const ElementVisitor &visit) const;
    // The elements whose box holds the point that may be areas (closed
    // vectors): every closed vector forEachInBox({x, y, x, y}) gives, and
    // perhaps others, in no particular order. The files' areas come from
    // their in-memory copies where they have one.
    void forEachAreaAt(std::int32_t x, std::int32_t y, const ElementVisitor &visit) const;
    void forEachOfKind(std::int16_t type, std::int16_t kind, const ElementVisitor &visit) const;
    // As forEachInBox, for drawing a view whose device pixel is
    // `worldPerPixel` world units: saved vector elements come with their
    // level-of-detail points for that size (levelofdetail.h). Unsaved, mesh
    // and statistics elements come exact. Saved and mesh elements are read
    // from the files' in-memory drawing copies (drawingindex.h).
    void forEachInBoxForDrawing(const WorldBox &box, double worldPerPixel, const ElementVisitor &visit) const;
    // Refs of every element of one type and kind, appended in source order
    // (meshes, store, level 9), without reading the elements.
    void refsOfKind(std::int16_t type, std::int16_t kind, std::vector<ElementRef> &refs) const;
    WorldBox extent() const;
    const std::vector<MeshFile> &meshes() const { return m_meshes; }

    // --- changes
    // Enters the records as new elements. Statistics kinds and `level9`
    // records go to the level-9 store without a journal step; the others go
    // into the document (one journal step). `refs` receives the new refs.
    Result enterElements(
        const std::vector<ElementRecord> &records, bool level9, std::vector<ElementRef> &refs);
    // Deletes the referenced elements (unknown or already deleted ones are
    // skipped). `removed` receives the records of those deleted, in order of
    // `refs` (refs not deleted get no entry and `deletedMask` false).
    Result deleteElements(const std::vector<ElementRef> &refs, std::vector<ElementRecord> &removed,
        std::vector<bool> &deletedMask);
    bool canUndo() const { return m_journal.canUndo(); }
    bool canRedo() const { return m_journal.canRedo(); }
    Result undo();
    Result redo();
    // Writes the pending changes (all or nothing) and clears the journal.
    // Fails, writing nothing, when the store cannot be written, even when
    // nothing is pending.
    Result save(QString *error = nullptr);
    // Drops what is left of the statistics work; the user's edits stay.
    Result rollBackStatistics();

    // Grows at every change of the elements, so views know when to redraw.
    std::uint64_t revision() const { return m_revision; }

private:
    // forEachInBox (band -1) and forEachInBoxForDrawing (band >= 0).
    void walkBox(const WorldBox &box, int band, const ElementVisitor &visit) const;
    Document() = default;
    Result load(QString *error);
    bool isMeshTombstoned(std::size_t mesh, std::int64_t id) const;
    void touch() { ++m_revision; }

    QString m_path;
    QDate m_baseDate;
    std::int16_t m_planeZoneNo = 9;
    bool m_planeZoneDirty = false;
    QString m_defDataDir;
    QString m_meshDataDir;
    QStringList m_warnings;
    std::int32_t m_mapHandle = 0;

    Catalog m_catalog;
    ElementStore m_store;
    std::vector<MeshFile> m_meshes;
    std::vector<std::unordered_set<std::int64_t>> m_savedTombstones; // per mesh
    ElementOverlay m_overlay;
    Level9Store m_level9;
    Journal m_journal;
    std::int64_t m_nextId = 1;
    std::uint64_t m_revision = 0;
};

} // namespace zorvik
