#pragma once
// The headless map engine: every member of the engine that needs no window,
// with the callers' names, argument order and result codes. The view and the
// control widget build on it (they add the view, drawing and events). The
// calls whose answer depends on the view (searches with a pixel tolerance or
// a scale range, the unit ratios at the centre) take it as a last argument.
//
// Properties are `Name()` / `setName()`. Methods return 0 on success or a code
// of types.h (zorvik::code). Out arguments are references; arrays are
// std::vector with explicit counts. Sets belong to the engine that made them.
//
// Document lifecycle:
//   setDocumentPath(zor); InitializeMap(0)         -> opens, or
//   InitializeMap(other.MapHandle())               -> shows another engine's document
//   ... AddElements / DeleteElements / Undo / Redo ...
//   SaveMap(); SaveDefFile(); CloseMap();
// After a failed InitializeMap, BaseDate() is not a valid date.
// A shared view (InitializeMap(handle)) reads and searches but may not change
// the document (code 7); its CloseMap only detaches.
#include "zorvik/core/document.h"
#include "zorvik/core/search.h"
#include "zorvik/core/setregistry.h"
#include "zorvik/core/temporalstate.h"
#include "zorvik/core/types.h"
#include "zorvik/core/viewmetrics.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace zorvik {

class Engine
{
public:
    Engine();
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // ---- document and lifecycle
    QString DocumentPath() const { return m_documentPath; }
    void setDocumentPath(const QString &path) { m_documentPath = path; }
    // 0 = open DocumentPath; non-zero = show the document of that MapHandle.
    Result InitializeMap(std::int32_t mapHandle = 0);
    // Identifies this engine's open document (0 when none).
    std::int32_t MapHandle() const;
    QString BaseDate() const; // "YYYYMMDD", empty when no document is open
    int CanUndo() const;
    int CanRedo() const;
    Result Undo();
    Result Redo();
    Result SaveMap();
    Result CloseMap();
    Result RollBack();
    Result SaveDefFile();
    // Centre and size of the whole map (all elements) in world units.
    Result GetMapExtent(std::int32_t &cx, std::int32_t &cy, std::int32_t &w, std::int32_t &h) const;
    bool isOpen() const { return m_doc != nullptr; }
    bool isSharedView() const { return m_shared; }
    // The last error text of InitializeMap / SaveMap / SaveDefFile (for logs).
    QString lastError() const { return m_lastError; }
    std::shared_ptr<Document> document() const { return m_doc; }

    // ---- display date range (day numbers; (1, 0) = no filter)
    std::int32_t DateFrom() const { return m_dates.from; }
    void setDateFrom(std::int32_t day) { m_dates.from = day; }
    std::int32_t DateTo() const { return m_dates.to; }
    void setDateTo(std::int32_t day) { m_dates.to = day; }
    std::int32_t DateMode() const { return DateFrom(); }
    void setDateMode(std::int32_t day) { setDateFrom(day); }
    std::int32_t DateValue() const { return DateTo(); }
    void setDateValue(std::int32_t day) { setDateTo(day); }
    DateRange dateRange() const { return m_dates; }

    // ---- units and coordinates
    // Mode 0: world -> plane rectangular zone `option` (1..19), X = northing,
    // Y = easting in metres. Other modes belong to the view: code 5 here.
    Result ConvertCoord(
        int mode, std::int32_t x, std::int32_t y, double &outX, double &outY, int option) const;
    std::int16_t PlaneZoneNo() const;
    Result setPlaneZoneNo(std::int16_t zone);
    // The unit ratios of geo.h at the latitude of the view's centre.
    double MeterFactor(const ViewMetrics &view) const;
    double XYUnitRatio(const ViewMetrics &view) const;
    double WorldPerDevice(const ViewMetrics &view) const { return XYUnitRatio(view); }

    // ---- recognition settings
    int RecognizeElementType() const { return m_recognizeType; }
    void setRecognizeElementType(int v) { m_recognizeType = v; }
    int RecognizeSearchNum() const { return m_recognizeNum; }
    void setRecognizeSearchNum(int v) { m_recognizeNum = v; }
    int RecognizeOption() const { return m_recognizeOption; }
    void setRecognizeOption(int v) { m_recognizeOption = v; }
    int RecognizeLength() const { return m_recognizeLength; }
    void setRecognizeLength(int v) { m_recognizeLength = v; }
    std::int32_t RecognizeWorldLength() const { return m_recognizeWorldLength; }
    void setRecognizeWorldLength(std::int32_t v) { m_recognizeWorldLength = v; }
    int SpaceID() const { return m_spaceId; }
    void setSpaceID(int v) { m_spaceId = v; }
    // Type 3, no limit, option 0, 5 px, no world length, all spaces.
    void resetRecognition();
    // The request the recognition settings describe in this view.
    SearchRequest recognitionRequest(const ViewMetrics &view) const;
    // Search tolerance in world units (world length, else pixels at the view's scale).
    double toleranceWorld(const ViewMetrics &view) const;

    // ---- element sets
    Result CreateElementList(Handle &set);
    Result AddElementToList(Handle set, const ElementRecord &record);
    Result GetNextElementHandle(Handle set, Handle &elem) const;
    // Type, PNum, Key, iPra and lPra of the element (points: GetElementPoints).
    Result GetElementsInfo(Handle set, Handle elem, ElementRecord &out) const;
    // The first min(count, PNum) points; x and y grow to `count` when shorter,
    // values past PNum are left as they were.
    Result GetElementPoints(Handle set, Handle elem, std::int32_t count, std::vector<std::int32_t> &x,
        std::vector<std::int32_t> &y) const;
    Result DeleteElementToList(Handle set, Handle elem);
    Result ReleaseElements(Handle set);
    // Whole record (points included) of a set element, for drawing.
    Result elementRecord(Handle set, Handle elem, ElementRecord &out) const;
    const SetRegistry &sets() const { return m_sets; }

    // ---- searches (set 0 and counts 0 when nothing is found)
    // These three filter by the recognition settings in `view`.
    Result SearchElements(int mode, std::int32_t x, std::int32_t y, Handle &set, std::int32_t &countA,
        std::int32_t &countB, std::int32_t &countC, const ViewMetrics &view);
    Result SearchInnerPolygonElements(Handle polySet, Handle &resultSet, std::int32_t &c1, std::int32_t &c2,
        std::int32_t &c3, const ViewMetrics &view);
    // Mode 0: x[0], y[0] is the point; mode 1: the box x = (x1, x2), y = (y2, y1).
    Result SearchConnectorIDKey(int mode, const std::int32_t *x, const std::int32_t *y, std::int16_t kind,
        std::int16_t n, const QString &key1, const QString &key2, Handle &set, std::int32_t &count,
        const ViewMetrics &view);
    // Counts first, as the callers pass them: only the first vCount / cCount
    // IDs are read.
    Result SearchElementsByKind(std::int16_t vCount, const std::vector<std::int16_t> &vIDs,
        std::int16_t cCount, const std::vector<std::int16_t> &cIDs, Handle &set, std::int32_t &vFound,
        std::int32_t &cFound);

    // ---- document changes
    Result AddElements(Handle set);
    Result AddElementsForLevel9(Handle set);
    Result DeleteElements(Handle set);

    // ---- spaces and kinds
    Result GetSpaceIDListCount(std::int16_t &count) const;
    Result GetSpaceIDList(std::int16_t count, std::vector<std::int16_t> &ids) const;
    Result GetSpaceName(std::int16_t id, QString &name) const;
    Result GetSpaceType(std::int16_t id, QString &type) const;
    Result SetSpaceName(std::int16_t id, const QString &name);
    Result AddSpace(std::int16_t id, const QString &name, const QString &type);
    Result DeleteSpace(std::int16_t id);
    Result GetVectorIDListCount(std::int16_t &count) const;
    Result GetVectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const;
    Result GetVectorName(std::int16_t id, QString &name) const;
    Result SetVectorName(std::int16_t id, const QString &name);
    Result AddVectorKind(std::int16_t id, const QString &name);
    Result AddVectorKindToSpace(std::int16_t space, std::int16_t kind);
    Result DeleteVectorKindFromSpace(std::int16_t space, std::int16_t kind);
    Result GetConnectorIDListCount(std::int16_t &count) const;
    Result GetConnectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const;
    Result GetConnectorName(std::int16_t id, QString &name) const;
    Result SetConnectorName(std::int16_t id, const QString &name);
    Result AddConnectorKind(std::int16_t id, const QString &name, std::int16_t space, const QString &dll);
    Result DeleteConnectorKind(std::int16_t id);
    Result GetConnectorKindInfo(std::int16_t id, QString &name, std::int16_t &space, QString &dll) const;
    Result GetSpaceIDVectorIDListCount(std::int16_t space, std::int16_t &count) const;
    Result GetSpaceIDVectorIDList(
        std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const;
    Result GetSpaceIDConnectorIDListCount(std::int16_t space, std::int16_t &count) const;
    Result GetSpaceIDConnectorIDList(
        std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const;

    // ---- kind display settings, palette, line types, hatching
    Result GetVectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const;
    Result SetVectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style);
    Result GetConnectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick,
        std::int16_t &hatchFlag, Style6 &style, std::int16_t &hatchNo) const;
    Result SetConnectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick, std::int16_t hatchFlag,
        const Style6 &style, std::int16_t hatchNo);
    Result GetConnectorStyle(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const;
    // Flags and colours only; hatching and display size stay.
    Result SetConnectorStyle(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style);
    Result SetConnectorDispStyle(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
    {
        return SetConnectorStyle(id, disp, pick, style);
    }
    Result GetKindDispSize(std::int16_t id, std::int16_t &size) const;
    Result SetKindDispSize(std::int16_t id, std::int16_t size);
    // kindType 0 = vector kind, 1 = connector kind.
    Result GetElmDispRange(int kindType, std::int16_t id, std::int32_t &lower, std::int32_t &upper) const;
    Result GetPaletteColor(int n, std::int16_t &r, std::int16_t &g, std::int16_t &b) const;
    Result GetLineType(int n, std::int32_t &width, std::int32_t &code) const;
    Result GetHatch(int n, std::int32_t &code) const;

private:
    Result requireDocument() const;
    Result requireWritable() const;
    // The open document's space or kind with this ID: NoDocument without a
    // document, UnknownId where its catalog has none.
    Result findSpace(std::int16_t id, const Space *&space) const;
    Result findVectorKind(std::int16_t id, const VectorKind *&kind) const;
    Result findConnectorKind(std::int16_t id, const ConnectorKind *&kind) const;
    // The same for a change, which a shared view may not make (NotAllowed).
    Result editVectorKind(std::int16_t id, VectorKind *&kind);
    Result editConnectorKind(std::int16_t id, ConnectorKind *&kind);
    // A change of the open document's catalog, which a shared view may not make.
    template <class Change> Result changeCatalog(Change &&change);
    // A count or the first `count` IDs of one of the catalog's lists.
    template <class Size> Result catalogCount(std::int16_t &count, Size &&sizeOf) const;
    template <class Ids>
    Result catalogIds(std::int16_t count, std::vector<std::int16_t> &ids, Ids &&idsOfCatalog) const;
    Result finishSearch(SearchResult result, Handle &set);
    // The record of `ref` kept from the last point-in-area search, or nullptr
    // when it kept none or the document has changed since.
    const ElementRecord *searchedRecord(const ElementRef &ref) const;
    Result enter(Handle set, bool level9);

    QString m_documentPath;
    std::shared_ptr<Document> m_doc;
    bool m_shared = false;
    QString m_lastError;
    DateRange m_dates;
    SetRegistry m_sets;
    // The records of the last point-in-area search's elements, read from the
    // rows it visited: callers read them right after the search, and the
    // files need not be queried again while the document stays as it was.
    struct SearchedRecords
    {
        std::int32_t mapHandle = 0;
        std::uint64_t revision = 0;
        search::FoundRecords records;
    };
    SearchedRecords m_searched;

    int m_recognizeType = 3;
    int m_recognizeNum = 0;
    int m_recognizeOption = 0;
    int m_recognizeLength = 5;
    std::int32_t m_recognizeWorldLength = 0;
    int m_spaceId = -1;
};

} // namespace zorvik
