#include "zorvik/core/document.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "zorvik/core/catalogfiles.h"
#include "zorvik/core/levelofdetail.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <map>
#include <mutex>

namespace zorvik {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Open documents by map handle, so that a second engine can show one.
std::mutex g_registryMutex;
std::map<std::int32_t, std::weak_ptr<Document>> g_registry;
std::int32_t g_nextMapHandle = 1;

const QString Section = QString::fromLatin1(DocumentSection);
const QString SysEx = QString::fromLatin1(SysExSection);

QDate parseBaseDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() != 8)
        return {};
    for (QChar c : t)
        if (!c.isDigit())
            return {};
    return QDate::fromString(t, QStringLiteral("yyyyMMdd"));
}

QString folderOf(const QString &file)
{
    const QString n = veltra::fs::normalize(file);
    const qsizetype slash = n.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral("./") : n.left(slash + 1);
}

// A path from the document (either separator, relative to the document's
// folder) as a local path.
QString resolveAgainst(const QString &baseFolder, const QString &value)
{
    QString n = veltra::fs::normalize(value.trimmed());
    if (n.isEmpty())
        return {};
    if (!n.startsWith(u'/'))
        n = baseFolder + n;
    // "..": taken by name as Windows takes it, not through a folder that
    // may not exist.
    return veltra::fs::resolve(QDir::cleanPath(n));
}

bool isAbsolute(const QString &value)
{
    return veltra::fs::normalize(value.trimmed()).startsWith(u'/');
}

// A relative path that leads out of the document's folder ("..\..\x"):
// the engine would read and write files of other folders through it. An
// absolute path is the user's explicit choice and is kept.
bool climbsOut(const QString &baseFolder, const QString &value)
{
    const QString n = veltra::fs::normalize(value.trimmed());
    if (n.isEmpty() || n.startsWith(u'/'))
        return false;
    const QString base = QDir::cleanPath(QDir().absoluteFilePath(baseFolder));
    const QString path = QDir::cleanPath(base + u'/' + n);
    return path != base && !path.startsWith(base == u'/' ? base : base + u'/');
}

// The first of the document's paths that climbs out of its folder, named
// with its key and value for the message; empty when none.
QString pathOutside(const QString &folder, const std::vector<std::pair<QString, QString>> &paths)
{
    for (const auto &[name, value] : paths) {
        if (climbsOut(folder, value))
            return QStringLiteral("%1「%2」").arg(name, value.trimmed());
    }
    return {};
}

QString outsideMessage(const QString &zor, const QString &what)
{
    return QStringLiteral(
        "地図ドキュメントを開けません: %1\n%2 は地図ドキュメントのフォルダの外を指しています。"
        "定義フォルダ・要素ストア・メッシュフォルダは、ドキュメントのフォルダの中を相対パスで"
        "指すか、絶対パスで指定してください。")
        .arg(zor, what);
}

QString asFolder(QString path)
{
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

Document::~Document()
{
    std::lock_guard lock(g_registryMutex);
    g_registry.erase(m_mapHandle);
}

Result Document::create(const QString &zorPath, const NewDocument &options, QString *error)
{
    if (!parseBaseDate(options.baseDate).isValid()) {
        setError(error,
            QStringLiteral("基準日「%1」は日付ではありません（年月日を YYYYMMDD の 8 桁で指定します）。")
                .arg(options.baseDate));
        return code::BadArgument;
    }
    if (options.planeZoneNo < 1 || options.planeZoneNo > 19) {
        setError(error,
            QStringLiteral("平面直角座標系の番号 %1 は 1 から 19 の範囲にありません。")
                .arg(options.planeZoneNo));
        return code::BadArgument;
    }
    const QString zor = veltra::fs::resolve(zorPath);
    const QString folder = folderOf(zor);
    const QString storeFile = options.storeFile.isEmpty()
        ? QFileInfo(zor).completeBaseName() + QStringLiteral(".zdb")
        : options.storeFile;
    const QString outside = pathOutside(folder,
        {{QStringLiteral("ElementStore"), storeFile}, {QStringLiteral("DefDataDir"), options.defDataDir},
            {QStringLiteral("MeshDataDir"), options.meshDataDir}});
    if (!outside.isEmpty()) {
        setError(error, outsideMessage(zor, outside));
        return code::BadArgument;
    }

    QString why;
    auto write = [&](const QString &section, const char *key, const QString &value) {
        return veltra::profile::writeString(section, QLatin1String(key), value, zor, &why);
    };
    bool ok = true;
    if (!options.defDataDir.isEmpty())
        ok = ok && write(SysEx, "DefDataDir", options.defDataDir);
    if (!options.attachFilePath.isEmpty())
        ok = ok && write(SysEx, "AttachFilePath", options.attachFilePath);
    if (!options.meshDataDir.isEmpty())
        ok = ok && write(SysEx, "MeshDataDir", options.meshDataDir);
    ok = ok && write(Section, "Version", QStringLiteral("1"))
        && write(Section, "BaseDate", options.baseDate.trimmed()) && write(Section, "ElementStore", storeFile)
        && write(Section, "PlaneZoneNo", QString::number(options.planeZoneNo));
    if (!ok) {
        setError(error, why); // names the file and the cause
        return code::IoError;
    }

    const QString store = resolveAgainst(folder, storeFile);
    if (!veltra::fs::fileExists(store) && !ElementStore::create(store, &why)) {
        setError(error, why);
        return code::IoError;
    }
    const QString defValue = veltra::profile::getString(SysEx, QStringLiteral("DefDataDir"), QString(), zor);
    const QString defDir = defValue.trimmed().isEmpty() ? folder : asFolder(resolveAgainst(folder, defValue));
    // A folder named by an absolute path is the user's: it is used when it
    // exists and never made here.
    if (isAbsolute(defValue) && !veltra::fs::folderExists(defDir)) {
        setError(error,
            QStringLiteral("定義フォルダがありません: %1\n%2")
                .arg(defDir, veltra::fs::failureReason(QDir::cleanPath(defDir), ENOENT, false)));
        return code::IoError;
    }
    if (!catalogfiles::writeEmptyIfMissing(defDir, &why)) {
        setError(error, why);
        return code::IoError;
    }
    return code::Ok;
}

std::shared_ptr<Document> Document::open(const QString &zorPath, Result &result, QString *error)
{
    std::shared_ptr<Document> doc(new Document());
    doc->m_path = veltra::fs::resolve(zorPath);
    result = doc->load(error);
    if (result != code::Ok)
        return nullptr;
    std::lock_guard lock(g_registryMutex);
    doc->m_mapHandle = g_nextMapHandle++;
    g_registry[doc->m_mapHandle] = doc;
    return doc;
}

std::shared_ptr<Document> Document::byMapHandle(std::int32_t handle)
{
    std::lock_guard lock(g_registryMutex);
    auto it = g_registry.find(handle);
    return it == g_registry.end() ? nullptr : it->second.lock();
}

Result Document::load(QString *error)
{
    QString contents;
    QString why;
    if (m_path.trimmed().isEmpty() || !veltra::fs::fileExists(m_path)
        || !veltra::text::readText(m_path, contents, &why)) {
        if (why.isEmpty()) {
            why = QStringLiteral("地図ドキュメントを読み込めません: %1\n%2")
                      .arg(m_path,
                          m_path.trimmed().isEmpty() ? QStringLiteral("ファイル名が指定されていません。")
                                                     : veltra::fs::failureReason(m_path, ENOENT, false));
        }
        setError(error, why);
        return code::IoError;
    }
    m_baseDate
        = parseBaseDate(veltra::profile::getString(Section, QStringLiteral("BaseDate"), QString(), m_path));
    if (!m_baseDate.isValid()) {
        setError(error,
            QStringLiteral(
                "地図ドキュメントを読み込めません: %1\n[%2] の BaseDate が正しい日付ではありません。")
                .arg(m_path, Section));
        return code::IoError;
    }
    const int zone = veltra::profile::getInt(Section, QStringLiteral("PlaneZoneNo"), 9, m_path);
    m_planeZoneNo = static_cast<std::int16_t>((zone >= 1 && zone <= 19) ? zone : 9);

    const QString folder = folderOf(m_path);
    QString storeFile
        = veltra::profile::getString(Section, QStringLiteral("ElementStore"), QString(), m_path);
    if (storeFile.trimmed().isEmpty())
        storeFile = QFileInfo(m_path).completeBaseName() + QStringLiteral(".zdb");
    const QString defDir = veltra::profile::getString(SysEx, QStringLiteral("DefDataDir"), QString(), m_path);
    const QString meshDir
        = veltra::profile::getString(SysEx, QStringLiteral("MeshDataDir"), QString(), m_path);
    const QString outside = pathOutside(folder,
        {{QStringLiteral("[%1] ElementStore").arg(Section), storeFile},
            {QStringLiteral("[%1] DefDataDir").arg(SysEx), defDir},
            {QStringLiteral("[%1] MeshDataDir").arg(SysEx), meshDir}});
    if (!outside.isEmpty()) {
        setError(error, outsideMessage(m_path, outside));
        return code::NotAllowed;
    }
    m_defDataDir = defDir.trimmed().isEmpty() ? folder : asFolder(resolveAgainst(folder, defDir));
    m_meshDataDir = asFolder(resolveAgainst(folder, meshDir));

    if (!catalogfiles::read(m_defDataDir, m_catalog, &why)) {
        setError(error, why);
        return code::IoError;
    }
    if (!m_store.open(resolveAgainst(folder, storeFile), false, &why)) {
        setError(error, why);
        return code::IoError;
    }
    // New elements take the ids after the largest one; a damaged store whose
    // largest id is the highest possible leaves none, and every save would
    // then fail on a repeated id.
    const std::int64_t maxId = m_store.maxId();
    if (maxId == std::numeric_limits<std::int64_t>::max()) {
        setError(error,
            QStringLiteral(
                "地図ドキュメントを開けません: %1\n要素ストア %2 の要素番号が上限 (%3) に達しています。"
                "ストアが壊れている可能性があります。")
                .arg(m_path, m_store.path())
                .arg(maxId));
        return code::IoError;
    }
    m_nextId = maxId + 1;

    // Mesh files: read-only, whatever exists now. One that cannot be read is
    // skipped with a warning, so a damaged download does not close the map.
    if (!m_meshDataDir.isEmpty() && veltra::fs::folderExists(m_meshDataDir)) {
        for (int level : {0, 1, 2, 3, 9}) {
            const QString levelDir = m_meshDataDir + QString::number(level) + u'/';
            if (!veltra::fs::folderExists(levelDir))
                continue;
            QStringList names = veltra::fs::listFiles(levelDir, QStringLiteral("*.mfv"));
            names += veltra::fs::listFiles(levelDir, QStringLiteral("*.mfc"));
            for (const QString &name : names) {
                auto store = std::make_unique<ElementStore>();
                if (!store->open(levelDir + name, true, &why)) {
                    m_warnings << why;
                    continue;
                }
                m_meshes.push_back({QString::number(level) + u'/' + name, level, std::move(store)});
            }
        }
    }
    m_savedTombstones.assign(m_meshes.size(), {});
    for (const Tombstone &t : m_store.tombstones())
        for (std::size_t i = 0; i < m_meshes.size(); ++i)
            if (m_meshes[i].relativePath.compare(t.mesh, Qt::CaseInsensitive) == 0)
                m_savedTombstones[i].insert(t.id);
    return code::Ok;
}

Result Document::setPlaneZoneNo(std::int16_t zone)
{
    if (zone < 1 || zone > 19)
        return code::BadArgument;
    if (zone != m_planeZoneNo) {
        m_planeZoneNo = zone;
        m_planeZoneDirty = true;
    }
    return code::Ok;
}

Result Document::saveDefinitions(QString *error)
{
    return catalogfiles::write(m_defDataDir, m_catalog, error) ? code::Ok : code::IoError;
}

bool Document::isMeshTombstoned(std::size_t mesh, std::int64_t id) const
{
    return m_savedTombstones[mesh].count(id) != 0
        || m_overlay.hasTombstone({m_meshes[mesh].relativePath, id});
}

bool Document::fetch(const ElementRef &ref, ElementRecord &out) const
{
    if (ref.source == ElementRef::Store) {
        if (const PackedElement *e = m_overlay.added(ref.id)) {
            out = e->record;
            return true;
        }
        return !m_overlay.isStoreDeleted(ref.id) && m_store.fetch(ref.id, out);
    }
    if (ref.source == ElementRef::Level9) {
        const PackedElement *e = m_level9.element(ref.id);
        if (e)
            out = e->record;
        return e != nullptr;
    }
    const std::size_t mesh = static_cast<std::size_t>(ref.source - ElementRef::FirstMesh);
    if (ref.source < ElementRef::FirstMesh || mesh >= m_meshes.size() || isMeshTombstoned(mesh, ref.id))
        return false;
    return m_meshes[mesh].store->fetch(ref.id, out);
}

bool Document::contains(const ElementRef &ref) const
{
    ElementRecord scratch;
    return fetch(ref, scratch);
}

void Document::forEachInBox(const WorldBox &box, const ElementVisitor &visit) const
{
    walkBox(box, -1, visit);
}

void Document::forEachInBoxForDrawing(
    const WorldBox &box, double worldPerPixel, const ElementVisitor &visit) const
{
    walkBox(box, lod::bandFor(worldPerPixel), visit);
}

void Document::walkBox(const WorldBox &box, int band, const ElementVisitor &visit) const
{
    // Band -1: not for drawing, every store read from its file.
    auto fromStore = [&](const ElementStore &store, std::int32_t source, const ElementVisitor &inner) {
        if (band < 0)
            store.forEachInBox(box, source, inner);
        else
            store.forEachInBoxForDrawing(box, band, source, inner);
    };
    bool go = true;
    for (std::size_t i = 0; go && i < m_meshes.size(); ++i) {
        fromStore(*m_meshes[i].store, ElementRef::FirstMesh + static_cast<std::int32_t>(i),
            [&](const StoredElement &e) {
                if (isMeshTombstoned(i, e.ref.id))
                    return true;
                return go = visit(e);
            });
    }
    if (go)
        fromStore(m_store, ElementRef::Store, [&](const StoredElement &e) {
            if (m_overlay.isStoreDeleted(e.ref.id))
                return true;
            return go = visit(e);
        });
    if (go)
        m_overlay.forEachAddedInBox(box, [&](const StoredElement &e) { return go = visit(e); });
    if (go)
        m_level9.forEachInBox(box, visit);
}

void Document::forEachAreaAt(std::int32_t x, std::int32_t y, const ElementVisitor &visit) const
{
    const WorldBox box{x, y, x, y};
    bool go = true;
    auto fromFile = [&](const ElementStore &store, std::int32_t source, const ElementVisitor &inner) {
        if (!store.forEachClosedAt(x, y, source, inner))
            store.forEachInBox(box, source, inner);
    };
    for (std::size_t i = 0; go && i < m_meshes.size(); ++i) {
        fromFile(*m_meshes[i].store, ElementRef::FirstMesh + static_cast<std::int32_t>(i),
            [&](const StoredElement &e) {
                if (isMeshTombstoned(i, e.ref.id))
                    return true;
                return go = visit(e);
            });
    }
    if (go)
        fromFile(m_store, ElementRef::Store, [&](const StoredElement &e) {
            if (m_overlay.isStoreDeleted(e.ref.id))
                return true;
            return go = visit(e);
        });
    if (go)
        m_overlay.forEachAddedInBox(box, [&](const StoredElement &e) { return go = visit(e); });
    if (go)
        m_level9.forEachInBox(box, visit);
}

void Document::forEachOfKind(std::int16_t type, std::int16_t kind, const ElementVisitor &visit) const
{
    bool go = true;
    for (std::size_t i = 0; go && i < m_meshes.size(); ++i) {
        m_meshes[i].store->forEachOfKind(
            type, kind, ElementRef::FirstMesh + static_cast<std::int32_t>(i), [&](const StoredElement &e) {
                if (isMeshTombstoned(i, e.ref.id))
                    return true;
                return go = visit(e);
            });
    }
    if (go)
        m_store.forEachOfKind(type, kind, ElementRef::Store, [&](const StoredElement &e) {
            if (m_overlay.isStoreDeleted(e.ref.id))
                return true;
            return go = visit(e);
        });
    for (auto it = m_overlay.addedElements().begin(); go && it != m_overlay.addedElements().end(); ++it)
        if (it->second.record.Type == type && it->second.record.iPra[2] == kind)
            go = visit(it->second.view({ElementRef::Store, it->first}));
    if (go)
        m_level9.forEachOfKind(type, kind, visit);
}

void Document::refsOfKind(std::int16_t type, std::int16_t kind, std::vector<ElementRef> &refs) const
{
    std::vector<std::int64_t> ids;
    for (std::size_t i = 0; i < m_meshes.size(); ++i) {
        ids.clear();
        m_meshes[i].store->idsOfKind(type, kind, ids);
        for (std::int64_t id : ids)
            if (!isMeshTombstoned(i, id))
                refs.push_back({ElementRef::FirstMesh + static_cast<std::int32_t>(i), id});
    }
    ids.clear();
    m_store.idsOfKind(type, kind, ids);
    for (std::int64_t id : ids)
        if (!m_overlay.isStoreDeleted(id))
            refs.push_back({ElementRef::Store, id});
    for (const auto &[id, e] : m_overlay.addedElements())
        if (e.record.Type == type && e.record.iPra[2] == kind)
            refs.push_back({ElementRef::Store, id});
    m_level9.forEachOfKind(type, kind, [&](const StoredElement &e) {
        refs.push_back(e.ref);
        return true;
    });
}

WorldBox Document::extent() const
{
    WorldBox box = m_store.extent();
    for (const MeshFile &m : m_meshes)
        box.include(m.store->extent());
    for (const auto &[id, e] : m_overlay.addedElements())
        box.include(e.box);
    m_level9.forEachElement([&](const StoredElement &e) {
        box.include(e.box);
        return true;
    });
    return box;
}

Result Document::enterElements(
    const std::vector<ElementRecord> &records, bool level9, std::vector<ElementRef> &refs)
{
    refs.clear();
    // Ids are never reused nor wrapped: the records that need one must all
    // get one below the highest id.
    const auto needIds = std::count_if(records.begin(), records.end(), [&](const ElementRecord &rec) {
        return !level9 && !m_catalog.isStatisticsKind(rec.Type, rec.iPra[2]);
    });
    if (std::uint64_t(needIds) > std::uint64_t(std::numeric_limits<std::int64_t>::max() - m_nextId))
        return code::BadArgument;
    std::vector<std::pair<std::int64_t, PackedElement>> entered;
    for (const ElementRecord &rec : records) {
        if (level9 || m_catalog.isStatisticsKind(rec.Type, rec.iPra[2])) {
            refs.push_back({ElementRef::Level9, m_level9.add(rec)});
            continue;
        }
        const std::int64_t id = m_nextId++;
        PackedElement packed(rec);
        m_overlay.putAdded(id, packed);
        entered.emplace_back(id, std::move(packed));
        refs.push_back({ElementRef::Store, id});
    }
    if (!entered.empty())
        m_journal.push(std::make_unique<EnterChange>(std::move(entered)));
    touch();
    return code::Ok;
}

Result Document::deleteElements(
    const std::vector<ElementRef> &refs, std::vector<ElementRecord> &removed, std::vector<bool> &deletedMask)
{
    removed.clear();
    deletedMask.assign(refs.size(), false);
    std::vector<DeleteChange::Item> items;
    for (std::size_t i = 0; i < refs.size(); ++i) {
        const ElementRef &ref = refs[i];
        ElementRecord record;
        if (!fetch(ref, record))
            continue;
        if (ref.source == ElementRef::Level9) {
            m_level9.remove(ref.id);
        } else if (ref.source == ElementRef::Store) {
            DeleteChange::Item item;
            item.ref = ref;
            if (m_overlay.removeAdded(ref.id, &item.element))
                item.wasUnsaved = true;
            else
                m_overlay.markStoreDeleted(ref.id);
            items.push_back(std::move(item));
        } else {
            DeleteChange::Item item;
            item.ref = ref;
            item.tombstone = {m_meshes[ref.source - ElementRef::FirstMesh].relativePath, ref.id};
            m_overlay.addTombstone(item.tombstone);
            items.push_back(std::move(item));
        }
        removed.push_back(std::move(record));
        deletedMask[i] = true;
    }
    if (!items.empty())
        m_journal.push(std::make_unique<DeleteChange>(std::move(items)));
    touch();
    return code::Ok;
}

Result Document::undo()
{
    if (!m_journal.undo(m_overlay))
        return code::NotAllowed;
    touch();
    return code::Ok;
}

Result Document::redo()
{
    if (!m_journal.redo(m_overlay))
        return code::NotAllowed;
    touch();
    return code::Ok;
}

Result Document::save(QString *error)
{
    // A store that cannot be written fails the save even with nothing to
    // write: the user must not be told the map was saved.
    if (!m_store.checkWritable(error))
        return code::IoError;
    if (m_planeZoneDirty) {
        QString why;
        if (!veltra::profile::writeString(
                Section, QStringLiteral("PlaneZoneNo"), QString::number(m_planeZoneNo), m_path, &why)) {
            setError(error, why); // names the file and the cause
            return code::IoError;
        }
        m_planeZoneDirty = false;
    }
    if (!m_overlay.isEmpty()) {
        ElementStore::Changes changes;
        changes.inserts.reserve(m_overlay.addedElements().size());
        for (const auto &[id, e] : m_overlay.addedElements())
            changes.inserts.emplace_back(id, &e.record);
        changes.deletes.assign(m_overlay.deletedStore().begin(), m_overlay.deletedStore().end());
        changes.addTombstones = m_overlay.newTombstones();
        if (!m_store.apply(changes, error))
            return code::IoError; // the store is as it was; the journal stays
        for (const Tombstone &t : changes.addTombstones)
            for (std::size_t i = 0; i < m_meshes.size(); ++i)
                if (m_meshes[i].relativePath == t.mesh)
                    m_savedTombstones[i].insert(t.id);
        m_overlay.clear();
    }
    m_journal.clear();
    touch();
    return code::Ok;
}

Result Document::rollBackStatistics()
{
    // Statistics work never enters the journal or the store, so there is
    // nothing of it to take back, and the user's own edits must stay.
    return code::Ok;
}

} // namespace zorvik
