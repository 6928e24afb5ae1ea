#pragma once
// Zorvik: the map control. A QWidget that hosts one view of a map document,
// delegates the document, definition, set and search members to the headless
// Engine, and adds the view (centre, scale, angle, dates), the drawings that
// are not document changes, the mouse modes, pictures and printing. The
// engine's events are Qt signals (several listeners may connect; emitted
// directly, after the state is consistent, and "changed" events only when the
// value changed).
//
// Units: world Longs (hundredths of an arc-second), device px of the control,
// twips (px * 1440 / logical DPI) for mouse positions and host geometry.
// Properties are Name() / setName(); methods return 0 or a zorvik::code.
//
// Painting: the map without set drawings is cached as an image keyed by the
// view and the document, definition, date and colour state; set drawings are
// painted over it into the back buffer; feedback (rubber bands, the pointer
// shape, XOR marks) is painted by the widget over the back buffer only.
//
// Common use:
//   Zorvik map; map.setDocumentPath(zor); map.InitializeMap(0);
//   map.InitDisplay(); map.ShowAll();
//   connect(&map, &Zorvik::Click, ...); map.setMouseEventMode(4);
//   map.DrawElements(set, 2, 1, 0, 0); map.Refresh();
#include "zorvik/core/engine.h"
#include "zorvik/render/drawingstore.h"
#include "zorvik/render/mapimagecache.h"
#include "zorvik/render/renderer.h"
#include "zorvik/render/viewtransform.h"
#include "zorvik/widget/gesture.h"
#include "zorvik/widget/gesturehost.h"

#include <QImage>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>

class QPrinter;

namespace zorvik {

class GestureHandler;

class Zorvik : public QWidget, private GestureHost
{
    Q_OBJECT
public:
    explicit Zorvik(QWidget *parent = nullptr);
    ~Zorvik() override;

    // ---- document and lifecycle
    QString DocumentPath() const { return m_engine.DocumentPath(); }
    void setDocumentPath(const QString &path) { m_engine.setDocumentPath(path); }
    Result InitializeMap(std::int32_t mapHandle = 0);
    // Why the last InitializeMap failed, in Japanese for the user.
    QString lastError() const { return m_engine.lastError(); }
    std::int32_t MapHandle() const { return m_engine.MapHandle(); }
    void InitDisplay();
    // The whole map (GetMapExtent) with ShowAllMargin times its size around it.
    void ShowAll();
    static constexpr double ShowAllMargin = 1.04;
    int InteractiveMode() const { return m_interactive; }
    void setInteractiveMode(int mode) { m_interactive = mode; }
    int OverviewFlag() const { return m_overview; }
    void setOverviewFlag(int flag);
    Result GetMapExtent(std::int32_t &cx, std::int32_t &cy, std::int32_t &w, std::int32_t &h) const
    {
        return m_engine.GetMapExtent(cx, cy, w, h);
    }
    QString BaseDate() const { return m_engine.BaseDate(); }
    int CanUndo() const { return m_engine.CanUndo(); }
    int CanRedo() const { return m_engine.CanRedo(); }
    Result Undo() { return m_engine.Undo(); }
    Result Redo() { return m_engine.Redo(); }
    Result SaveMap() { return m_engine.SaveMap(); }
    Result CloseMap();
    Result RollBack() { return m_engine.RollBack(); }
    Result SaveDefFile() { return m_engine.SaveDefFile(); }

    // ---- view and navigation
    std::int32_t CenterX() const { return ViewTransform::roundWorld(view().centerX()); }
    void setCenterX(double x);
    std::int32_t CenterY() const { return ViewTransform::roundWorld(view().centerY()); }
    void setCenterY(double y);
    std::int32_t ViewWidth() const { return ViewTransform::roundWorld(view().viewWidth()); }
    std::int32_t ViewHeight() const { return ViewTransform::roundWorld(view().viewHeight()); }
    double Scale() const { return view().scale(); }
    void setScale(double scale);
    // The scale as typed; text that is not a number changes nothing.
    void setScale(const QString &scale);
    double Angle() const { return view().angle(); }
    void setAngle(double degrees);
    Result ZoomWindow(std::int32_t cx, std::int32_t cy, std::int32_t w, std::int32_t h);
    Result SetCenterScale(std::int32_t x, std::int32_t y, double factor);
    double ZoomInFactor() const { return m_zoomIn; }
    void setZoomInFactor(double f) { m_zoomIn = f; }
    double ZoomOutFactor() const { return m_zoomOut; }
    void setZoomOutFactor(double f) { m_zoomOut = f; }
    std::uint32_t BackColor() const { return m_backColor; } // &H00BBGGRR
    void setBackColor(std::uint32_t bgr);
    // Applies the drawing lifetimes and schedules one repaint.
    void Refresh();
    std::int32_t DateFrom() const { return m_engine.DateFrom(); }
    void setDateFrom(std::int32_t day) { m_engine.setDateFrom(day); }
    std::int32_t DateTo() const { return m_engine.DateTo(); }
    void setDateTo(std::int32_t day) { m_engine.setDateTo(day); }
    std::int32_t DateMode() const { return DateFrom(); }
    void setDateMode(std::int32_t day) { setDateFrom(day); }
    std::int32_t DateValue() const { return DateTo(); }
    void setDateValue(std::int32_t day) { setDateTo(day); }

    // ---- units and coordinates
    // Mode 0: world -> plane rectangular zone `option`; mode 4: world -> device px.
    Result ConvertCoord(
        int mode, std::int32_t x, std::int32_t y, double &outX, double &outY, int option) const;
    std::int16_t PlaneZoneNo() const { return m_engine.PlaneZoneNo(); }
    Result setPlaneZoneNo(std::int16_t zone) { return m_engine.setPlaneZoneNo(zone); }
    double MeterFactor() const { return m_engine.MeterFactor(view().metrics()); }
    double XYUnitRatio() const { return m_engine.XYUnitRatio(view().metrics()); }
    double WorldPerDevice() const { return XYUnitRatio(); }

    // ---- input mode and recognition
    int MouseEventMode() const { return m_mouseMode; }
    void setMouseEventMode(int mode);
    int RecognizeElementType() const { return m_engine.RecognizeElementType(); }
    void setRecognizeElementType(int v) { m_engine.setRecognizeElementType(v); }
    int RecognizeSearchNum() const { return m_engine.RecognizeSearchNum(); }
    void setRecognizeSearchNum(int v) { m_engine.setRecognizeSearchNum(v); }
    int RecognizeOption() const { return m_engine.RecognizeOption(); }
    void setRecognizeOption(int v) { m_engine.setRecognizeOption(v); }
    int RecognizeLength() const { return m_engine.RecognizeLength(); }
    void setRecognizeLength(int v) { m_engine.setRecognizeLength(v); }
    std::int32_t RecognizeWorldLength() const { return m_engine.RecognizeWorldLength(); }
    void setRecognizeWorldLength(std::int32_t v) { m_engine.setRecognizeWorldLength(v); }
    int SpaceID() const { return m_engine.SpaceID(); }
    void setSpaceID(int v) { m_engine.setSpaceID(v); }
    // Non-zero: the arrow keys pan the map (KeyDown is raised either way).
    int EditMode() const { return m_editMode; }
    void setEditMode(int mode) { m_editMode = mode; }
    void SetFocus();

    // ---- element sets
    Result CreateElementList(Handle &set) { return m_engine.CreateElementList(set); }
    Result AddElementToList(Handle set, const ElementRecord &r) { return m_engine.AddElementToList(set, r); }
    Result GetNextElementHandle(Handle set, Handle &elem) const
    {
        return m_engine.GetNextElementHandle(set, elem);
    }
    Result GetElementsInfo(Handle set, Handle elem, ElementRecord &out) const
    {
        return m_engine.GetElementsInfo(set, elem, out);
    }
    Result GetElementPoints(Handle set, Handle elem, std::int32_t count, std::vector<std::int32_t> &x,
        std::vector<std::int32_t> &y) const
    {
        return m_engine.GetElementPoints(set, elem, count, x, y);
    }
    Result DeleteElementToList(Handle set, Handle elem) { return m_engine.DeleteElementToList(set, elem); }
    // Frees the set; its drawing stays on the map until the next redraw.
    Result ReleaseElements(Handle set) { return m_engine.ReleaseElements(set); }

    // ---- searches
    Result SearchElements(int mode, std::int32_t x, std::int32_t y, Handle &set, std::int32_t &countA,
        std::int32_t &countB, std::int32_t &countC)
    {
        return m_engine.SearchElements(mode, x, y, set, countA, countB, countC, view().metrics());
    }
    Result SearchInnerPolygonElements(
        Handle polySet, Handle &resultSet, std::int32_t &c1, std::int32_t &c2, std::int32_t &c3)
    {
        return m_engine.SearchInnerPolygonElements(polySet, resultSet, c1, c2, c3, view().metrics());
    }
    Result SearchConnectorIDKey(int mode, const std::int32_t *x, const std::int32_t *y, std::int16_t kind,
        std::int16_t n, const QString &key1, const QString &key2, Handle &set, std::int32_t &count)
    {
        return m_engine.SearchConnectorIDKey(mode, x, y, kind, n, key1, key2, set, count, view().metrics());
    }
    Result SearchElementsByKind(std::int16_t vCount, const std::vector<std::int16_t> &vIDs,
        std::int16_t cCount, const std::vector<std::int16_t> &cIDs, Handle &set, std::int32_t &vFound,
        std::int32_t &cFound)
    {
        return m_engine.SearchElementsByKind(vCount, vIDs, cCount, cIDs, set, vFound, cFound);
    }

    // ---- document changes
    Result AddElements(Handle set) { return m_engine.AddElements(set); }
    Result AddElementsForLevel9(Handle set) { return m_engine.AddElementsForLevel9(set); }
    Result DeleteElements(Handle set) { return m_engine.DeleteElements(set); }

    // ---- drawing that is not a document change
    // Modes: 0 normal style, 1 take off, 2 highlight in colour a (c = 1 thicker),
    // 3 outline colour a + hatch b in colour c, 16 lasting kind style.
    Result DrawElements(Handle set, int mode, int a, int b, int c);
    // Takes off the drawings of modes 0, 2 and 3.
    void ClearDrawElements();
    Result EraseElements(std::int32_t drawingId);
    // n polygons: pointCounts[n], points X/Y[sum], colour1/colour2 RGB[3n], modes[n].
    Result DrawElements_Polygon_RGB(std::int32_t polyCount, const std::vector<std::int32_t> &pointCounts,
        const std::vector<std::int32_t> &x, const std::vector<std::int32_t> &y,
        const std::vector<std::int16_t> &colour1, const std::vector<std::int16_t> &modes,
        const std::vector<std::int16_t> &colour2, std::int32_t &drawingId);
    void SetTempShapeStyle(int a, int b);
    // Offsets in world units around the pointer, shown in mouse mode 12.
    Result DrawTempShape(
        std::int32_t count, const std::vector<std::int32_t> &x, const std::vector<std::int32_t> &y);
    void ClearTempShape();
    // Direct XOR drawing on the map surface (device px), cleared by every
    // redraw; drawing the same line again takes it off.
    void xorLine(QPointF a, QPointF b, const QColor &colour, int widthPx);
    void xorClear();

    // ---- spaces and kinds
    Result GetSpaceIDListCount(std::int16_t &count) const { return m_engine.GetSpaceIDListCount(count); }
    Result GetSpaceIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
    {
        return m_engine.GetSpaceIDList(count, ids);
    }
    Result GetSpaceName(std::int16_t id, QString &name) const { return m_engine.GetSpaceName(id, name); }
    Result GetSpaceType(std::int16_t id, QString &type) const { return m_engine.GetSpaceType(id, type); }
    Result SetSpaceName(std::int16_t id, const QString &name) { return m_engine.SetSpaceName(id, name); }
    Result AddSpace(std::int16_t id, const QString &name, const QString &type)
    {
        return m_engine.AddSpace(id, name, type);
    }
    Result DeleteSpace(std::int16_t id) { return m_engine.DeleteSpace(id); }
    Result GetVectorIDListCount(std::int16_t &count) const { return m_engine.GetVectorIDListCount(count); }
    Result GetVectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
    {
        return m_engine.GetVectorIDList(count, ids);
    }
    Result GetVectorName(std::int16_t id, QString &name) const { return m_engine.GetVectorName(id, name); }
    Result SetVectorName(std::int16_t id, const QString &name) { return m_engine.SetVectorName(id, name); }
    Result AddVectorKind(std::int16_t id, const QString &name) { return m_engine.AddVectorKind(id, name); }
    Result AddVectorKindToSpace(std::int16_t space, std::int16_t kind)
    {
        return m_engine.AddVectorKindToSpace(space, kind);
    }
    Result DeleteVectorKindFromSpace(std::int16_t space, std::int16_t kind)
    {
        return m_engine.DeleteVectorKindFromSpace(space, kind);
    }
    Result GetConnectorIDListCount(std::int16_t &count) const
    {
        return m_engine.GetConnectorIDListCount(count);
    }
    Result GetConnectorIDList(std::int16_t count, std::vector<std::int16_t> &ids) const
    {
        return m_engine.GetConnectorIDList(count, ids);
    }
    Result GetConnectorName(std::int16_t id, QString &name) const
    {
        return m_engine.GetConnectorName(id, name);
    }
    Result SetConnectorName(std::int16_t id, const QString &name)
    {
        return m_engine.SetConnectorName(id, name);
    }
    Result AddConnectorKind(std::int16_t id, const QString &name, std::int16_t space, const QString &dll)
    {
        return m_engine.AddConnectorKind(id, name, space, dll);
    }
    Result DeleteConnectorKind(std::int16_t id) { return m_engine.DeleteConnectorKind(id); }
    Result GetConnectorKindInfo(std::int16_t id, QString &name, std::int16_t &space, QString &dll) const
    {
        return m_engine.GetConnectorKindInfo(id, name, space, dll);
    }
    Result GetSpaceIDVectorIDListCount(std::int16_t space, std::int16_t &count) const
    {
        return m_engine.GetSpaceIDVectorIDListCount(space, count);
    }
    Result GetSpaceIDVectorIDList(
        std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const
    {
        return m_engine.GetSpaceIDVectorIDList(space, count, ids);
    }
    Result GetSpaceIDConnectorIDListCount(std::int16_t space, std::int16_t &count) const
    {
        return m_engine.GetSpaceIDConnectorIDListCount(space, count);
    }
    Result GetSpaceIDConnectorIDList(
        std::int16_t space, std::int16_t count, std::vector<std::int16_t> &ids) const
    {
        return m_engine.GetSpaceIDConnectorIDList(space, count, ids);
    }

    // ---- kind display settings, palette, line types, hatching
    Result GetVectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const
    {
        return m_engine.GetVectorDispInfo(id, disp, pick, style);
    }
    Result SetVectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
    {
        return m_engine.SetVectorDispInfo(id, disp, pick, style);
    }
    Result GetConnectorDispInfo(std::int16_t id, std::int16_t &disp, std::int16_t &pick,
        std::int16_t &hatchFlag, Style6 &style, std::int16_t &hatchNo) const
    {
        return m_engine.GetConnectorDispInfo(id, disp, pick, hatchFlag, style, hatchNo);
    }
    Result SetConnectorDispInfo(std::int16_t id, std::int16_t disp, std::int16_t pick, std::int16_t hatchFlag,
        const Style6 &style, std::int16_t hatchNo)
    {
        return m_engine.SetConnectorDispInfo(id, disp, pick, hatchFlag, style, hatchNo);
    }
    Result GetConnectorStyle(std::int16_t id, std::int16_t &disp, std::int16_t &pick, Style6 &style) const
    {
        return m_engine.GetConnectorStyle(id, disp, pick, style);
    }
    Result SetConnectorStyle(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
    {
        return m_engine.SetConnectorStyle(id, disp, pick, style);
    }
    Result SetConnectorDispStyle(std::int16_t id, std::int16_t disp, std::int16_t pick, const Style6 &style)
    {
        return SetConnectorStyle(id, disp, pick, style);
    }
    Result GetKindDispSize(std::int16_t id, std::int16_t &size) const
    {
        return m_engine.GetKindDispSize(id, size);
    }
    Result SetKindDispSize(std::int16_t id, std::int16_t size) { return m_engine.SetKindDispSize(id, size); }
    Result GetElmDispRange(int kindType, std::int16_t id, std::int32_t &lower, std::int32_t &upper) const
    {
        return m_engine.GetElmDispRange(kindType, id, lower, upper);
    }
    Result GetPaletteColor(int n, std::int16_t &r, std::int16_t &g, std::int16_t &b) const
    {
        return m_engine.GetPaletteColor(n, r, g, b);
    }
    Result GetLineType(int n, std::int32_t &width, std::int32_t &code) const
    {
        return m_engine.GetLineType(n, width, code);
    }
    Result GetHatch(int n, std::int32_t &code) const { return m_engine.GetHatch(n, code); }

    // ---- pictures and printing
    // Screen-pixel rectangle (global coordinates) of the map -> picture file,
    // copied from the back buffer and clipped to the control.
    Result SaveImageRect(int top, int left, int right, int bottom, const QString &file);
    // The range around the current centre, h x w px at `scale`, as a picture file.
    Result GetRangeImage(const QString &file, int height, int width, double scale, int option);
    // The current view at `scale` (<= 0: the current scale), centred on a page
    // rectangle of the painter's device.
    Result PrintDraw(QPainter &painter, const QRectF &page, double scale);
    // The same onto the printable area of one printer page.
    Result PrintDraw(QPrinter &printer, double scale);
    // The current view at another size (the overview picture), with no window.
    QImage RenderToImage(QSize size) const;
    // The back buffer: the map with its set drawings, without feedback (in
    // the screen's pixels; devicePixelRatio() tells their density).
    QImage backBuffer();

    // ---- host geometry in twips
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    bool Visible() const { return isVisible(); }
    void Move(double left, double top, double width = -1, double height = -1);

    // ---- the view, for the host and tests
    ViewTransform viewTransform() const { return view(); }
    const Engine &core() const { return m_engine; }
    const DrawingStore &drawings() const { return m_drawings; }

signals:
    void Click(int button, int shift, std::int32_t x, std::int32_t y);
    void DblClick(int button, int shift, std::int32_t x, std::int32_t y);
    void RectSelect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void SearchEnd(std::int32_t set);
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void CursorPos(int button, int shift, std::int32_t x, std::int32_t y);
    void KeyDown(int keyCode, int shift);
    void GotFocus();
    void ViewMoved();
    void ScaleChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // GestureHost
    // The current view: the kept centre, scale and angle at the control's
    // size and DPI (which it follows even before it is shown).
    ViewTransform view() const override;
    Engine &engine() override { return m_engine; }
    double zoomInFactor() const override { return m_zoomIn; }
    double zoomOutFactor() const override { return m_zoomOut; }
    void zoomTo(double x, double y, double w, double h) override;
    void zoomAt(double x, double y, double divisor) override;
    void panTo(double x, double y) override;
    void setRubberBand(std::optional<QRectF> deviceRect) override;
    void setRubberLine(const QPolygonF &worldPoints, std::optional<QPointF> pointer) override;
    void setPanOffset(QPointF devicePx) override;
    void setPointerAt(std::optional<QPointF> world) override;

    // View changes: the one place that applies a new transform and raises
    // ScaleChanged / ViewMoved when (and only when) they changed.
    void applyView(const ViewTransform &next, bool forceRedraw = false);
    void redraw(); // lifetimes of a redraw, then one repaint
    bool raising() const { return m_interactive != 0; }
    RenderInput renderInput() const;
    MapImageKey mapKey() const;
    ViewTransform bufferView() const; // the view in the back buffer's own pixels
    void ensureFrame();
    Gesture gestureFrom(QPointF device, int button, Qt::KeyboardModifiers modifiers) const;
    GestureHandler &handlerFor(int mode);
    void paintFeedback(QPainter &painter);

    Engine m_engine;
    // Centre, scale and angle of the view; view() gives it the control's
    // current size and DPI.
    ViewTransform m_viewState;
    Renderer m_renderer;
    DrawingStore m_drawings;
    MapImageCache m_mapCache;
    QImage m_frame;
    bool m_frameDirty = true;
    std::uint64_t m_frameSetRevision = ~0ULL;
    std::uint64_t m_generation = 0;

    int m_interactive = 1;
    int m_overview = 0;
    int m_mouseMode = 0;
    int m_editMode = 1;
    double m_zoomIn = 2.0;
    double m_zoomOut = 0.5;
    std::uint32_t m_backColor = 0xFFFFFF;

    // Gesture state of the dispatch.
    std::map<int, std::unique_ptr<GestureHandler>> m_handlers;
    GestureHandler *m_gestureHandler = nullptr;
    std::optional<Gesture> m_pressed;
    bool m_dragging = false;
    bool m_afterDoubleClick = false;

    // Feedback.
    struct XorLine
    {
        QPointF a, b;
        QColor colour;
        int width;
    };
    std::vector<XorLine> m_xorLines;
    std::optional<QRectF> m_rubberBand;
    QPolygonF m_rubberLine;
    std::optional<QPointF> m_rubberPointer;
    QPointF m_panOffset;
    std::optional<QPointF> m_pointerWorld;
    std::vector<std::int32_t> m_shapeX, m_shapeY;
    int m_shapeStyleA = 0, m_shapeStyleB = 0;
};

} // namespace zorvik
