#include "zorvik/core/engine.h"

#include "zorvik/core/geo.h"

#include <algorithm>
#include <cmath>

namespace zorvik {

namespace {

bool validStyle(const Style6 &style, bool withLineTypes)
{
    for (int s = 0; s < 3; ++s) {
        if (style.n[2 * s] < 0 || style.n[2 * s] >= PaletteSize)
            return false;
        if (withLineTypes && (style.n[2 * s + 1] < 0 || style.n[2 * s + 1] >= LineTypeCount))
            return false;
    }
    return true;
}

bool validFlag(std::int16_t v)
{
    return v == 0 || v == 1;
}

// Makes `ids` the first `count` IDs (zeros past the end of the list).
Result fillIds(std::int16_t count, const std::vector<std::int16_t> &source, std::vector<std::int16_t> &ids)
{
    if (count < 0)
        return code::BadArgument;
    ids.assign(count, 0);
    const std::size_t n = std::min<std::size_t>(count, source.size());
    std::copy_n(source.begin(), n, ids.begin());
    return code::Ok;
}

std::vector<std::int16_t> idsOf(const auto &items)
{
    std::vector<std::int16_t> ids;
    ids.reserve(items.size());
    for (const auto &item : items)
        ids.push_back(item.id);
    return ids;
}

} // namespace

Engine::Engine() = default;

Engine::~Engine() = default;

// ---------------------------------------------------------------- document

Result Engine::requireDocument() const
{
    return m_doc ? code::Ok : code::NoDocument;
}

Result Engine::requireWritable() const
{
    if (!m_doc)
        return code::NoDocument;
    return m_shared ? code::NotAllowed : code::Ok;
}

Result Engine::InitializeMap(std::int32_t mapHandle)
{
    CloseMap();
    m_lastError.clear();
    if (mapHandle != 0) {
        std::shared_ptr<Document> doc = Document::byMapHandle(mapHandle);
        if (!doc) {
            m_lastError
                = QStringLiteral("地図ハンドル %1 の地図ドキュメントは開かれていません。").arg(mapHandle);
            return code::BadHandle;
        }
        m_doc = std::move(doc);
        m_shared = true;
        return code::Ok;
    }
    Result result = code::Ok;
    m_doc = Document::open(m_documentPath, result, &m_lastError);
    return result;
}

std::int32_t Engine::MapHandle() const
{
    return m_doc ? m_doc->mapHandle() : 0;
}

QString Engine::BaseDate() const
{
    return m_doc ? m_doc->baseDateText() : QString();
}

int Engine::CanUndo() const
{
    return m_doc && m_doc->canUndo() ? 1 : 0;
}

int Engine::CanRedo() const
{
    return m_doc && m_doc->canRedo() ? 1 : 0;
}

Result Engine::Undo()
{
    if (Result r = requireWritable())
        return r;
    return m_doc->undo();
}

Result Engine::Redo()
{
    if (Result r = requireWritable())
        return r;
    return m_doc->redo();
}

Result Engine::SaveMap()
{
    if (Result r = requireWritable())
        return r;
    m_lastError.clear();
    return m_doc->save(&m_lastError);
}

Result Engine::CloseMap()
{
    // A shared view only lets go of the document; it closes with its last view.
    m_doc.reset();
    m_shared = false;
    m_sets.clear();
    m_searched = {};
    return code::Ok;
}

Result Engine::RollBack()
{
    if (Result r = requireWritable())
        return r;
    return m_doc->rollBackStatistics();
}

Result Engine::SaveDefFile()
{
    if (Result r = requireWritable())
        return r;
    m_lastError.clear();
    return m_doc->saveDefinitions(&m_lastError);
}

Result Engine::GetMapExtent(std::int32_t &cx, std::int32_t &cy, std::int32_t &w, std::int32_t &h) const
{
    cx = cy = w = h = 0;
    if (Result r = requireDocument())
        return r;
    const WorldBox box = m_doc->extent();
    if (box.isEmpty())
        return code::Ok;
    cx = static_cast<std::int32_t>((std::int64_t(box.minX) + box.maxX) / 2);
    cy = static_cast<std::int32_t>((std::int64_t(box.minY) + box.maxY) / 2);
    w = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t(box.maxX) - box.minX, INT32_MAX));
    h = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t(box.maxY) - box.minY, INT32_MAX));
    return code::Ok;
}

// ---------------------------------------------------------------- units

Result Engine::ConvertCoord(
    int mode, std::int32_t x, std::int32_t y, double &outX, double &outY, int option) const
{
    if (mode != 0)
        return code::BadArgument;
    if (option < 1 || option > 19)
        return code::BadArgument;
    return geo::toPlane(option, x, y, outX, outY) ? code::Ok : code::BadArgument;
}

std::int16_t Engine::PlaneZoneNo() const
{
    return m_doc ? m_doc->planeZoneNo() : 9;
}

Result Engine::setPlaneZoneNo(std::int16_t zone)
{
    if (Result r = requireWritable())
        return r;
    return m_doc->setPlaneZoneNo(zone);
}

double Engine::MeterFactor(const ViewMetrics &view) const
{
    return geo::meterFactor(geo::latitude(view.centerY));
}

double Engine::XYUnitRatio(const ViewMetrics &view) const
{
    return geo::xyUnitRatio(geo::latitude(view.centerY));
}

// ---------------------------------------------------------------- recognition

void Engine::resetRecognition()
{
    m_recognizeType = 3;
    m_recognizeNum = 0;
    m_recognizeOption = 0;
    m_recognizeLength = 5;
    m_recognizeWorldLength = 0;
    m_spaceId = -1;
}

double Engine::toleranceWorld(const ViewMetrics &view) const
{
    if (m_recognizeWorldLength > 0)
        return m_recognizeWorldLength;
    const double px = std::max(0, m_recognizeLength);
    const double dpi = view.dpi > 0 ? view.dpi : 96.0;
    const double metres = px * 0.0254 / dpi * view.scale;
    return metres / geo::metresPerUnitY(geo::latitude(view.centerY));
}

SearchRequest Engine::recognitionRequest(const ViewMetrics &view) const
{
    SearchRequest r;
    r.typeMask = m_recognizeType & 3;
    r.limit = std::max(0, m_recognizeNum);
    // A SpaceID that names no space (-1, 0, 180 ...) means every space.
    if (m_doc && m_spaceId >= 1 && m_spaceId <= MaxSpaceId
        && m_doc->catalog().space(static_cast<std::int16_t>(m_spaceId)))
        r.space = static_cast<std::int16_t>(m_spaceId);
    r.dates = m_dates;
    r.scale = view.scale;
    r.tolerance = toleranceWorld(view);
    return r;
}

// ---------------------------------------------------------------- sets

Result Engine::CreateElementList(Handle &set)
{
    set = m_sets.create();
    return code::Ok;
}

Result Engine::AddElementToList(Handle set, const ElementRecord &record)
{
    ElementSet *s = m_sets.find(set);
    if (!s)
        return code::BadHandle;
    if (record.Type != TypeVector && record.Type != TypeConnector)
        return code::BadArgument;
    if (record.PNum < 1 || record.PNum > MaxPointCount || (record.Type == TypeConnector && record.PNum != 1))
        return code::BadArgument;
    if (record.X.size() < static_cast<std::size_t>(record.PNum)
        || record.Y.size() < static_cast<std::size_t>(record.PNum))
        return code::BadArgument;
    if (record.Key.size() > MaxKeyLength)
        return code::BadArgument;
    SetEntry entry;
    entry.record = record;
    entry.record.X.resize(record.PNum);
    entry.record.Y.resize(record.PNum);
    s->append(std::move(entry));
    return code::Ok;
}

Result Engine::GetNextElementHandle(Handle set, Handle &elem) const
{
    const ElementSet *s = m_sets.find(set);
    if (!s || elem < 0 || static_cast<std::size_t>(elem) > s->entries().size()) {
        elem = 0; // a reader loop must end, whatever went wrong
        return code::BadHandle;
    }
    elem = s->next(elem);
    return code::Ok;
}

Result Engine::elementRecord(Handle set, Handle elem, ElementRecord &out) const
{
    const ElementSet *s = m_sets.find(set);
    const SetEntry *e = s ? s->entry(elem) : nullptr;
    if (!e)
        return code::BadHandle;
    if (!e->ref) {
        out = e->record;
        return code::Ok;
    }
    if (!m_doc)
        return code::NoDocument;
    if (const ElementRecord *kept = searchedRecord(*e->ref)) {
        out = *kept;
        return code::Ok;
    }
    return m_doc->fetch(*e->ref, out) ? code::Ok : code::BadHandle;
}

const ElementRecord *Engine::searchedRecord(const ElementRef &ref) const
{
    if (!m_doc || m_searched.mapHandle != m_doc->mapHandle() || m_searched.revision != m_doc->revision())
        return nullptr;
    for (const auto &[keptRef, record] : m_searched.records)
        if (keptRef == ref)
            return &record;
    return nullptr;
}

Result Engine::GetElementsInfo(Handle set, Handle elem, ElementRecord &out) const
{
    ElementRecord full;
    if (Result r = elementRecord(set, elem, full))
        return r;
    out.Type = full.Type;
    out.PNum = full.PNum;
    out.Key = full.Key;
    out.iPra = full.iPra;
    out.lPra = full.lPra;
    return code::Ok;
}

Result Engine::GetElementPoints(Handle set, Handle elem, std::int32_t count, std::vector<std::int32_t> &x,
    std::vector<std::int32_t> &y) const
{
    if (count < 0)
        return code::BadArgument;
    ElementRecord full;
    if (Result r = elementRecord(set, elem, full))
        return r;
    if (x.size() < static_cast<std::size_t>(count))
        x.resize(count, 0);
    if (y.size() < static_cast<std::size_t>(count))
        y.resize(count, 0);
    const std::int32_t n = std::min(count, full.PNum);
    std::copy_n(full.X.begin(), n, x.begin());
    std::copy_n(full.Y.begin(), n, y.begin());
    return code::Ok;
}

Result Engine::DeleteElementToList(Handle set, Handle elem)
{
    ElementSet *s = m_sets.find(set);
    if (!s || !s->drop(elem))
        return code::BadHandle;
    return code::Ok;
}

Result Engine::ReleaseElements(Handle set)
{
    m_sets.release(set);
    return code::Ok;
}

// ---------------------------------------------------------------- searches

Result Engine::finishSearch(SearchResult result, Handle &set)
{
    set = result.isEmpty() ? 0 : m_sets.createFromRefs(result.refs);
    return code::Ok;
}

Result Engine::SearchElements(int mode, std::int32_t x, std::int32_t y, Handle &set, std::int32_t &countA,
    std::int32_t &countB, std::int32_t &countC, const ViewMetrics &view)
{
    set = 0;
    countA = countB = countC = 0;
    if (Result r = requireDocument())
        return r;
    const SearchRequest request = recognitionRequest(view);
    SearchResult result;
    switch (mode) {
    case 0:
        result = search::nearPoint(*m_doc, request, x, y);
        break;
    case 3:
        m_searched.mapHandle = m_doc->mapHandle();
        m_searched.revision = m_doc->revision();
        result = search::containing(*m_doc, request, x, y, &m_searched.records);
        break;
    case 4:
        result = search::insideAreaAt(*m_doc, request, x, y);
        break;
    default:
        return code::BadArgument;
    }
    countA = static_cast<std::int32_t>(result.refs.size());
    countB = result.vectors;
    countC = result.connectors;
    return finishSearch(std::move(result), set);
}

Result Engine::SearchInnerPolygonElements(Handle polySet, Handle &resultSet, std::int32_t &c1,
    std::int32_t &c2, std::int32_t &c3, const ViewMetrics &view)
{
    Q_UNUSED(c1);
    Q_UNUSED(c2);
    resultSet = 0;
    c3 = 0;
    if (Result r = requireDocument())
        return r;
    const ElementSet *s = m_sets.find(polySet);
    if (!s)
        return code::BadHandle;
    std::vector<geometry::Ring> rings;
    for (Handle h = s->next(0); h != 0; h = s->next(h)) {
        ElementRecord record;
        if (elementRecord(polySet, h, record) == code::Ok && record.Type == TypeVector && record.PNum >= 3)
            rings.push_back(geometry::Ring::fromRecord(record));
    }
    const SearchResult result = search::insideRings(*m_doc, recognitionRequest(view), rings);
    c3 = static_cast<std::int32_t>(result.refs.size());
    return finishSearch(result, resultSet);
}

Result Engine::SearchConnectorIDKey(int mode, const std::int32_t *x, const std::int32_t *y, std::int16_t kind,
    std::int16_t n, const QString &key1, const QString &key2, Handle &set, std::int32_t &count,
    const ViewMetrics &view)
{
    Q_UNUSED(n); // reserved: always 0
    set = 0;
    count = 0;
    if (Result r = requireDocument())
        return r;
    if (!x || !y)
        return code::BadArgument;
    SearchRequest request = recognitionRequest(view);
    SearchResult result;
    if (mode == 0) {
        result = search::connectorsNear(*m_doc, request, kind, x[0], y[0], key1, key2);
    } else if (mode == 1) {
        const WorldBox box{
            std::min(x[0], x[1]), std::min(y[0], y[1]), std::max(x[0], x[1]), std::max(y[0], y[1])};
        result = search::connectorsInBox(*m_doc, request, kind, box, key1, key2);
    } else {
        return code::BadArgument;
    }
    count = static_cast<std::int32_t>(result.refs.size());
    return finishSearch(std::move(result), set);
}

Result Engine::SearchElementsByKind(std::int16_t vCount, const std::vector<std::int16_t> &vIDs,
    std::int16_t cCount, const std::vector<std::int16_t> &cIDs, Handle &set, std::int32_t &vFound,
    std::int32_t &cFound)
{
    set = 0;
    vFound = cFound = 0;
    if (Result r = requireDocument())
        return r;
    if (vCount < 0 || cCount < 0 || vIDs.size() < static_cast<std::size_t>(vCount)
        || cIDs.size() < static_cast<std::size_t>(cCount))
        return code::BadArgument;
    const std::vector<std::int16_t> v(vIDs.begin(), vIDs.begin() + vCount);
    const std::vector<std::int16_t> c(cIDs.begin(), cIDs.begin() + cCount);
    SearchResult result = search::byKind(*m_doc, v, c);
    vFound = result.vectors;
    cFound = result.connectors;
    return finishSearch(std::move(result), set);
}

// ---------------------------------------------------------------- changes

Result Engine::enter(Handle set, bool level9)
{
    if (Result r = requireWritable())
        return r;
    ElementSet *s = m_sets.find(set);
    if (!s)
        return code::BadHandle;
    std::vector<ElementRecord> records;
    std::vector<SetEntry *> entries;
    for (SetEntry &e : s->entries()) {
        if (e.dropped || e.ref)
            continue; // document elements are on the map already
        records.push_back(e.record);
        entries.push_back(&e);
    }
    if (records.empty())
        return code::Ok;
    std::vector<ElementRef> refs;
    if (Result r = m_doc->enterElements(records, level9, refs))
        return r;
    // The set now refers to the entered elements.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i]->ref = refs[i];
        entries[i]->record = {};
    }
    return code::Ok;
}

Result Engine::AddElements(Handle set)
{
    return enter(set, false);
}

Result Engine::AddElementsForLevel9(Handle set)
{
    return enter(set, true);
}

Result Engine::DeleteElements(Handle set)
{
    if (Result r = requireWritable())
        return r;
    ElementSet *s = m_sets.find(set);
    if (!s)
        return code::BadHandle;
    std::vector<ElementRef> refs;
    std::vector<SetEntry *> entries;
    for (SetEntry &e : s->entries()) {
        if (e.dropped || !e.ref)
            continue; // free records are not in the document
        refs.push_back(*e.ref);
        entries.push_back(&e);
    }
    if (refs.empty())
        return code::Ok;
    std::vector<ElementRecord> removed;
    std::vector<bool> deleted;
    if (Result r = m_doc->deleteElements(refs, removed, deleted))
        return r;
    // The set stays readable and drawable: its deleted elements become free
    // records holding what was deleted.
    std::size_t next = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!deleted[i])
            continue;
        entries[i]->ref.reset();
        entries[i]->record = std::move(removed[next++]);
    }
    return code::Ok;
}

// ---------------------------------------------------------------- spaces and kinds

template <class Change> Result Engine::changeCatalog(Change &&change)
{
    if (Result r = requireWritable())
        return r;
    return change(m_doc->catalog());
}

template <class Size> Result Engine::catalogCount(std::int16_t &count, Size &&sizeOf) const
{
    count = 0;
    if (Result r = requireDocument())
        return r;
    count = static_cast<std::int16_t>(sizeOf(m_doc->catalog()));
    return code::Ok;
}

template <class Ids>
Result Engine::catalogIds(std::int16_t count, std::vector<std::int16_t> &ids, Ids &&idsOfCatalog) const
{
    if (Result r = requireDocument())
        return r;
    return fillIds(count, idsOfCatalog(m_doc->catalog()), ids);
}

Result Engine::findSpace(std::int16_t id, const Space *&space) const
{
    if (Result r = requireDocument())
        return r;
    space = m_doc->catalog().space(id);
    return space ? code::Ok : code::UnknownId;
}

Result Engine::findVectorKind(std::int16_t id, const VectorKind *&kind) const
{
    if (Result r = requireDocument())
        return r;
    kind = m_doc->catalog().vectorKind(id);
    return kind ? code::Ok : code::UnknownId;
}

Result Engine::findConnectorKind(std::int16_t id, const ConnectorKind *&kind) const
{
    if (Result r = requireDocument())
        return r;
    kind = m_doc->catalog().connectorKind(id);
    return kind ? code::Ok : code::UnknownId;
}

Result Engine::editVectorKind(std::int16_t id, VectorKind *&kind)
{
    if (Result r = requireWritable())
        return r;
    kind = m_doc->catalog().vectorKind(id);
    return kind ? code::Ok : code::UnknownId;
}

Result Engine::editConnectorKind(std::int16_t id, ConnectorKind *&kind)
{
    if (Result r = requireWritable())
        return r;
    kind = m_doc->catalog().connectorKind(id);
    return kind ? code::Ok : code::UnknownId;
}

Result Engine::GetSpaceIDListCount(std::int16_t &count) const
{
    return catalogCount(count, [](const Catalog &c) { return c.spaces().size(); });
}

Result Engine::GetSpaceIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
{
    return catalogIds(count, ids, [](const Catalog &c) { return idsOf(c.spaces()); });
}

Result Engine::GetSpaceName(std::int16_t id, QString &name) const
{
    const Space *s = nullptr;
    if (Result r = findSpace(id, s))
        return r;
    name = s->name;
    return code::Ok;
}

Result Engine::GetSpaceType(std::int16_t id, QString &type) const
{
    const Space *s = nullptr;
    if (Result r = findSpace(id, s))
        return r;
    type = s->type;
    return code::Ok;
}

Result Engine::SetSpaceName(std::int16_t id, const QString &name)
{
    return changeCatalog([&](Catalog &c) { return c.setSpaceName(id, name); });
}

Result Engine::AddSpace(std::int16_t id, const QString &name, const QString &type)
{
    return changeCatalog([&](Catalog &c) { return c.addSpace(id, name, type); });
}

Result Engine::DeleteSpace(std::int16_t id)
{
    return changeCatalog([&](Catalog &c) { return c.deleteSpace(id); });
}

Result Engine::GetVectorIDListCount(std::int16_t &count) const
{
    return catalogCount(count, [](const Catalog &c) { return c.vectorKinds().size(); });
}

Result Engine::GetVectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
{
    return catalogIds(count, ids, [](const Catalog &c) { return idsOf(c.vectorKinds()); });
}

Result Engine::GetVectorName(std::int16_t id, QString &name) const
{
    const VectorKind *k = nullptr;
    if (Result r = findVectorKind(id, k))
        return r;
    name = k->name;
    return code::Ok;
}

Result Engine::SetVectorName(std::int16_t id, const QString &name)
{
    return changeCatalog([&](Catalog &c) { return c.setVectorName(id, name); });
}

Result Engine::AddVectorKind(std::int16_t id, const QString &name)
{
    return changeCatalog([&](Catalog &c) { return c.addVectorKind(id, name); });
}

Result Engine::AddVectorKindToSpace(std::int16_t space, std::int16_t kind)
{
    return changeCatalog([&](Catalog &c) { return c.addVectorKindToSpace(space, kind); });
}

Result Engine::DeleteVectorKindFromSpace(std::int16_t space, std::int16_t kind)
{
    return changeCatalog([&](Catalog &c) { return c.deleteVectorKindFromSpace(space, kind); });
}

Result Engine::GetConnectorIDListCount(std::int16_t &count) const
{
    return catalogCount(count, [](const Catalog &c) { return c.connectorKinds().size(); });
}

Result Engine::GetConnectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
{
    return catalogIds(count, ids, [](const Catalog &c) { return idsOf(c.connectorKinds()); });
}

Result Engine::GetConnectorName(std::int16_t id, QString &name) const
{
    const ConnectorKind *k = nullptr;
    if (Result r = findConnectorKind(id, k))
        return r;
    name = k->name;
    return code::Ok;
}

Result Engine::SetConnectorName(std::int16_t id, const QString &name)
{
    return changeCatalog([&](Catalog &c) { return c.setConnectorName(id, name); });
}

Result Engine::AddConnectorKind(std::int16_t id, const QString &name, std::int16_t space, const QString &dll)
{
    return changeCatalog([&](Catalog &c) { return c.addConnectorKind(id, name, space, dll); });
}

Result Engine::DeleteConnectorKind(std::int16_t id)
{
    return changeCatalog([&](Catalog &c) { return c.deleteConnectorKind(id); });
}

Result Engine::GetConnectorKindInfo(std::int16_t id, QString &name, std::int16_t &space, QString &dll) const
{
    const ConnectorKind *k = nullptr;
    if (Result r = findConnectorKind(id, k))
        return r;
    name = k->name;
    space = k->space;
    dll = k->dll;
    return code::Ok;
}

Result Engine::GetSpaceIDVectorIDListCount(std::int16_t space, std::int16_t &count) const
{
    count = 0;
    const Space *s = nullptr;
    if (Result r = findSpace(space, s))
        return r;
    count = static_cast<std::int16_t>(s->vectorKinds.size());
    return code::Ok;
}

Result Engine::GetSpaceIDVectorIDList(
    std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const
{
    const Space *s = nullptr;
    if (Result r = findSpace(space, s))
        return r;
    return fillIds(count, s->vectorKinds, ids);
}

Result Engine::GetSpaceIDConnectorIDListCount(std::int16_t space, std::int16_t &count) const
{
    count = 0;
    const Space *s = nullptr;
    if (Result r = findSpace(space, s))
        return r;
    count = static_cast<std::int16_t>(m_doc->catalog().connectorKindsOfSpace(space).size());
    return code::Ok;
}

Result Engine::GetSpaceIDConnectorIDList(
    std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const
{
    const Space *s = nullptr;
    if (Result r = findSpace(space, s))
        return r;
    return fillIds(count, m_doc->catalog().connectorKindsOfSpace(space), ids);
}

// ---------------------------------------------------------------- display settings

Result Engine::GetVectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const
{
    const VectorKind *k = nullptr;
    if (Result r = findVectorKind(id, k))
        return r;
    disp = k->disp;
    pick = k->pick;
    style = k->style;
    return code::Ok;
}

Result Engine::SetVectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
{
    VectorKind *k = nullptr;
    if (Result r = editVectorKind(id, k))
        return r;
    if (!validFlag(disp) || !validFlag(pick) || !validStyle(style, true))
        return code::BadArgument;
    k->disp = disp;
    k->pick = pick;
    k->style = style;
    m_doc->catalog().touch();
    return code::Ok;
}

Result Engine::GetConnectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick,
    std::int16_t &hatchFlag, Style6 &style, std::int16_t &hatchNo) const
{
    const ConnectorKind *k = nullptr;
    if (Result r = findConnectorKind(id, k))
        return r;
    disp = k->disp;
    pick = k->pick;
    hatchFlag = k->hatchFlag;
    style = k->style;
    hatchNo = k->hatchNo;
    return code::Ok;
}

Result Engine::SetConnectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick,
    std::int16_t hatchFlag, const Style6 &style, std::int16_t hatchNo)
{
    ConnectorKind *k = nullptr;
    if (Result r = editConnectorKind(id, k))
        return r;
    if (!validFlag(disp) || !validFlag(pick) || !validFlag(hatchFlag) || !validStyle(style, false)
        || hatchNo < 0 || hatchNo >= HatchCount)
        return code::BadArgument;
    k->disp = disp;
    k->pick = pick;
    k->hatchFlag = hatchFlag;
    k->hatchNo = hatchNo;
    k->style = style;
    for (int s = 0; s < 3; ++s)
        k->style.n[2 * s + 1] = 0; // connectors have no line types
    m_doc->catalog().touch();
    return code::Ok;
}

Result Engine::GetConnectorStyle(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const
{
    std::int16_t hatchFlag = 0, hatchNo = 0;
    return GetConnectorDispInfo(id, disp, pick, hatchFlag, style, hatchNo);
}

Result Engine::SetConnectorStyle(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
{
    ConnectorKind *k = nullptr;
    if (Result r = editConnectorKind(id, k))
        return r;
    return SetConnectorDispInfo(id, disp, pick, k->hatchFlag, style, k->hatchNo);
}

Result Engine::GetKindDispSize(std::int16_t id, std::int16_t &size) const
{
    const ConnectorKind *k = nullptr;
    if (Result r = findConnectorKind(id, k))
        return r;
    size = k->size;
    return code::Ok;
}

Result Engine::SetKindDispSize(std::int16_t id, std::int16_t size)
{
    ConnectorKind *k = nullptr;
    if (Result r = editConnectorKind(id, k))
        return r;
    if (size < 0 || size > 20000)
        return code::BadArgument;
    k->size = size;
    m_doc->catalog().touch();
    return code::Ok;
}

Result Engine::GetElmDispRange(int kindType, std::int16_t id, std::int32_t &lower, std::int32_t &upper) const
{
    if (Result r = requireDocument())
        return r;
    const ScaleRange *range = nullptr;
    if (kindType == 0) {
        const VectorKind *k = m_doc->catalog().vectorKind(id);
        range = k ? &k->range : nullptr;
    } else if (kindType == 1) {
        const ConnectorKind *k = m_doc->catalog().connectorKind(id);
        range = k ? &k->range : nullptr;
    } else {
        return code::BadArgument;
    }
    if (!range)
        return code::UnknownId;
    // A kind without a range is drawn at every scale.
    lower = range->defined ? range->lower : 0;
    upper = range->defined ? range->upper : INT32_MAX;
    return code::Ok;
}

Result Engine::GetPaletteColor(int n, std::int16_t &r, std::int16_t &g, std::int16_t &b) const
{
    if (n < 0 || n >= PaletteSize)
        return code::BadArgument;
    const Rgb c = m_doc ? m_doc->catalog().palette()[n] : Catalog::defaultPalette()[n];
    r = c.r;
    g = c.g;
    b = c.b;
    return code::Ok;
}

Result Engine::GetLineType(int n, std::int32_t &width, std::int32_t &lineCode) const
{
    if (n < 0 || n >= LineTypeCount)
        return code::BadArgument;
    const LineType t = m_doc ? m_doc->catalog().lineTypes()[n] : Catalog::defaultLineTypes()[n];
    width = t.width;
    lineCode = t.code;
    return code::Ok;
}

Result Engine::GetHatch(int n, std::int32_t &hatchCode) const
{
    if (n < 0 || n >= HatchCount)
        return code::BadArgument;
    hatchCode = m_doc ? m_doc->catalog().hatches()[n] : Catalog::defaultHatches()[n];
    return code::Ok;
}

} // namespace zorvik
