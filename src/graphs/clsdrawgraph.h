#pragma once
// clsDrawGraph: turns the fed statistics of one graph into a picture and
// holds the classes and colours the analysis file stores.
//
// The owner window links its legend, gradation and item-selector controls
// and itself (GraphOwner), feeds segments and draws one graph kind on a
// picture box. The kind is not a member: every routine reads glngGraphKind
// (graphs/globals.h) at the moment of the call.
//
// Lists are 0-based and never empty: Clear leaves one zeroed element, and the
// last-index counters (Segments() -1 when empty), not the list sizes, say how
// many entries are valid; GraphCnt() is the list size, so 1 when empty.
//
// Drawing routines take the picture's canvas and the picture box where a
// device context and a window were passed; they store their arguments so a
// redraw repeats them, draw only while AutoRedraw is on, trap every error and
// answer a status, 1 drawn (or nothing to draw) and 2 failed, leaving what was
// drawn. Other members let errors reach the caller (platform/vb/errors.h) with
// the state changed up to the failing step.
//
// Common use (an owner window):
//   graph.SetCtlLegend(legend); graph.SetFormName(this);        // once
//   glngGraphKind = GraphKindPie;
//   graph.setAutoRedraw(false);
//   graph.Clear();
//   graph.AddSegment(value, name, colour, 0);                   // per item
//   graph.DrawPie(&pic->canvas(), pic, true);                   // stores only
//   graph.setAutoRedraw(true);                                  // draws
//
// Coordinates are pixels of the picture's client area; angles of the pie are
// radians clockwise from twelve o'clock. Colours are BGR (&H00BBGGRR).
#include "graphs/graphrecords.h"
#include "graphs/naturalbreaks.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class ctlGradation;
class ctlLegend;
class GraphCanvas;
class GraphOwner;
class ItemSelection;
class PictureBox;

class clsDrawGraph
{
public:
    clsDrawGraph();

    // --- feeding ---
    void Clear();
    // Also adds a legend entry when the kind is not 1 and a legend is linked.
    void AddSegment(double dblPercentage, const QString &Name, std::int32_t lngColour, double dblSetaisuu);
    void AddSanpuIDX(std::int32_t lngIdx);
    void AddPyramidSegment(double dblLeft, double dblRight);

    // --- links and names ---
    void SetCtlLegend(ctlLegend *lnLegend);
    void SetCtlGradation(ctlGradation *lnGradation);
    void SetCtlSelect(ItemSelection *lnSelect);
    void SetFormName(GraphOwner *owner);
    void SetGradeNum(std::int16_t lngGrandeNum) { m_intGradeNum = lngGrandeNum; }
    std::int32_t GetGradeNum() const { return m_intGradeNum; }
    void SetNoticeName(const QString &name) { m_strNoticeName = name; }
    QString NoticeName() const { return m_strNoticeName; }
    void SetCompName(const QString &name) { m_strCompName = name; }
    QString CompName() const { return m_strCompName; }

    // The redraw switch: a change runs the redraw dispatch; setting the
    // current value does nothing.
    bool AutoRedraw() const { return m_blnAutoRedraw; }
    void setAutoRedraw(bool blnVal);

    // --- reading ---
    std::int32_t Segments() const { return m_lngSegments; }
    std::int32_t GraphCnt() const { return static_cast<std::int32_t>(m_typSegment.size()); }
    // The segment list (valid to Segments()) and the pyramid rows (valid to
    // the last fed row), as stored.
    const std::vector<GraphSegment> &segmentList() const { return m_typSegment; }
    const std::vector<double> &pyramidLeft() const { return m_dblPyramidLeft; }
    const std::vector<double> &pyramidRight() const { return m_dblPyramidRight; }
    // Colour, lower and upper bound of class lngIDX; SubscriptOutOfRange
    // outside the class list.
    void GetHead4(std::int32_t lngIDX, std::int32_t &lngColor, double &dblStart, double &dblEnd) const;
    // Name and colour of segment lngIDX; SubscriptOutOfRange outside the list.
    void GetHead5(std::int32_t lngIDX, QString &strName, std::int32_t &lngColor) const;

    // --- colours ---
    // Kind 1: the class colour (and the changed-by-hand flag); other kinds:
    // the segment colour. Then the legend's colour (ObjectNotSet without a
    // legend) and, with AutoRedraw on, a redraw.
    void ChangeColor(std::int16_t intIndex, std::int32_t lngColor);
    void ChangeColorFlgInit() { m_blnColorChanged = false; }
    // The user changed a class colour by hand since the last ChangeColorFlgInit.
    bool colorChanged() const { return m_blnColorChanged; }

    // --- descriptive statistics (over segments 0 to Segments()) ---
    double GetSum() const;
    // GetSum / n for two or more segments, else 0.
    double GetAverage(double GetSum) const;
    // Population variance |(Σv² − S²/n) / n| for two or more segments, else 0.
    double GetBunsan(double GetSum) const;
    double GetStandard(double GetBunsan) const;
    // Scatter sums, x = Setaisuu and y = Value, both divided by 100 first
    // when nFlg is not 0.
    double GetSumX(std::int32_t nFlg) const;
    double GetSumY(std::int32_t nFlg) const;
    double GetSumMul(std::int32_t nFlg) const;
    double GetSumSpaX(std::int32_t nFlg) const;
    double GetSumSpaY(std::int32_t nFlg) const;

    // --- drawing ---
    // The pie of the segments: 1 finished, 2 failed.
    std::int32_t DrawPie(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend);
    // A circle of radius R around (X, Y); no fill for an empty innercolor, no
    // outline (and one pixel more to the left and top) for an empty
    // BorderColor or nPen 5. With the labels on, inData at its centre.
    void DrawEllipse(double X, double Y, double R, double inData, std::optional<std::int32_t> innercolor,
        std::optional<std::int32_t> BorderColor, std::int32_t nWidth, std::int32_t nPen, GraphCanvas *O_HDC);

    // --- classification (over the segment values sorted ascending, n >= 2) ---
    // Steps 1 to 5 as the class histogram runs them: the class-count list,
    // the classes ("1" computes them by the chosen method, "2" takes them
    // from the legend, anything else keeps them), the repair pass and the
    // counting. avg and sd are the mean and standard deviation of the
    // values. False when the standard-deviation method finds no step; errors
    // (a count outside the list, a zero deviation, a non-numeric combo text)
    // reach the caller with the classes as stored so far.
    bool classify(const QString &strGraphInit, double avg, double sd);
    // Step 1 alone: fills cmbFuriwake and sets the class count from its
    // text; false when the standard-deviation method finds no step.
    bool prepareClassCount(double avg, double sd);
    // Step 2 ("1"): classes by the first checked optMethod button.
    void computeClasses();
    // Step 3 ("2"): bounds from the legend rows; otherwise counts reset only.
    void takeClassesFromLegend();
    void keepClasses();
    // Step 4: overlapping classes are joined, empty ones widened by 0.1.
    void repairClasses();
    // Step 5: each value, rounded through its text to four decimals, counts
    // in the first class that holds it (the last class closed at its top).
    void countClasses();
    // The class list (two entries beyond the classes, see the class
    // histogram's handles) and one colour per class.
    const std::vector<ClassRange> &classList() const { return m_typClass; }
    const std::vector<std::int32_t> &classColors() const { return m_lngClassColor; }
    // The value-axis ends of the last computed classes.
    double classMin() const { return m_dblMin; }
    double classMax() const { return m_dblMax; }

    // The Left (twips) of a handle whose middle marks value d_hani on shpBar.
    double getSliderIchi(double d_hani) const;
    // Moves boundary Index to the value under a handle at dblSliderLeft,
    // dblMin and dblMax being the handle's limits (twips); kensuu classes.
    void SetHani(std::int16_t Index, double dblSliderLeft, double dblMin, double dblMax, std::int16_t kensuu);
    // Bounds typed into legend row intIndex; TypeMismatch for a text that is
    // not a number, before anything is stored.
    void InputDataSet(std::int16_t intIndex, const QString &IjyouData, const QString &MimanData);
    // The legend's check of typed bounds; false without a legend.
    bool RangeCheck();
    // Rebuilds the legend rows for another method; ObjectNotSet without one.
    void BunruiSelect();

    // --- choropleth class histogram ---
    // Sorts the values, writes the statistics labels, classifies (strGraphInit
    // "1" computes, "2" takes the legend's bounds, anything else keeps them
    // and places the handles at the "/"-joined twip positions of
    // strPosition), fills the legend with a row per class, draws the count
    // axis and one red bar per class and places the boundary handles.
    // 1 finished or nothing to draw, 2 failed (or no standard-deviation step).
    //
    // The values are sorted in place: afterwards segment i holds the i-th
    // smallest value while its name, colour and household count stay where
    // they were fed, so they no longer belong to that value. Nothing may pair
    // segment names or colours with values after a histogram.
    std::int32_t DrawHistogram(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend,
        const QString &strGraphInit, std::int16_t intIdx, const QString &strPosition);

    // --- scatter diagram (x = Setaisuu, y = Value; axes at x 60, bottom - 35) ---
    // Points, axes with their unit words, the least-squares line and the
    // correlation coefficient into the owner's lblKeisuu ("#0.00"; emptied
    // on a failure). 1 drawn with a coefficient other than 0 or nothing to
    // draw, 2 for a coefficient of 0 or a failure.
    double DrawSanpuzu(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend);
    // The fitted line of Value on Setaisuu, its end held 20 pixels below the
    // X axis at most; answers the correlation coefficient, computed at four
    // decimals, or 0 when it cannot be computed. x_Width is not used.
    double DrawLinearFit(GraphCanvas *lngPichDC, std::int32_t x_Width, std::int32_t y_Height, double Max_x,
        double Min_x, double d_Tani_x, double d_Tani_y);
    // The scatter index of the first point plotted within 3 pixels of
    // (x, y) in twips, or -1.
    std::int32_t chkZahyou(float x, float y) const;

    // --- population pyramid (rows fed bottom first) ---
    // lngExpressionKind 0 counts with a unit word, otherwise percentages up
    // to lngHabaMax (larger values drawn at the edge, the rows unchanged);
    // bOutSizeFrame outlines the bars with the current pen. 1 drawn or
    // nothing to draw, 2 failed.
    std::int32_t DrawPyramid(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, std::int32_t lngExpressionKind,
        std::int32_t lngHabaMax, bool bOutSizeFrame, bool blnShowLegend);

    // --- bar graph and value axis (baseline 225, 215 pixels high) ---
    // The bars (kind 3) and the value axis (kind 20): 1 drawn or nothing to
    // draw, 2 failed.
    std::int32_t DrawRectangle(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend);
    std::int32_t DrawMemori(GraphCanvas *lngPichDC, PictureBox *lngPichWnd, bool blnShowLegend);
    // The rounded axis top for the decimal text of a value, and the tick
    // interval for an axis ending at d_Max (axisscale.h).
    std::int32_t get_MaxSuuchi(const QString &strSuuchi) const;
    std::int32_t get_Y_Kankaku(double d_Max) const;

    // --- geometry ---
    // The point at `degree` clockwise from twelve o'clock on the ellipse of
    // radii radiusX, radiusY around the centre, rounded to Longs.
    void DegreesToXY(std::int32_t CenterX, std::int32_t CenterY, double degree, std::int32_t radiusX,
        std::int32_t radiusY, std::int32_t &X, std::int32_t &Y) const;

private:
    void ReDraw();
    void PrintText(double X, double Y, const QString &text, GraphCanvas &hDC);
    // Sets the unit word and divisor for the value and divides it in place;
    // answers the divisor.
    double SetTani(double &value);
    bool DrawPieSlice(double X, double Y, double R, double startAngle, double endAngle, double caption,
        std::optional<std::int32_t> fillColor, std::optional<std::int32_t> lineColor, std::int32_t lineWidth,
        std::int32_t lineStyle, GraphCanvas &hDC);
    // Natural breaks: the table of best class starts, and the class means
    // ("#############0.0", highest class first, joined by "/").
    void ShizenMatrix(std::int32_t n, std::int32_t k);
    QString ShizenClassMeans(std::int32_t n, std::int32_t k) const;
    void setClassColors();
    // The sorted values 0..n-1.
    std::vector<double> sortedValues() const;
    // Bar graph: the largest value scaled by the unit, the axis top and
    // tick interval and the pixels per unit.
    struct AxisRange;
    AxisRange axisRange();
    double sumOf(double (*term)(const GraphSegment &, double scale), std::int32_t nFlg) const;

    QPointer<ctlLegend> m_ctlLegend;
    QFont m_typFont;
    std::int32_t m_lngSegments = -1;
    std::int32_t m_lngSanpuCnt = -1;
    std::int32_t m_lngPyramidCnt = -1;
    bool m_blnAutoRedraw = false;
    QString m_strTani;
    double m_dblTani = 1;
    GraphCanvas *m_lngPichDC = nullptr;
    QPointer<PictureBox> m_lngPichWnd;
    bool m_blnShowLegend = false;
    QPointer<ctlGradation> m_ctlGradation;
    ItemSelection *m_ctlSelect = nullptr;
    QString m_strGraphInit;
    std::int16_t m_intIdx = 0;
    QString m_strPosition;
    std::int32_t m_lngHabaMax = 0;
    bool m_bOutSizeFrame = false;
    GraphOwner *m_frmOwner = nullptr;
    QString m_strNoticeName;
    QString m_strCompName;
    double m_dblMin = 0;
    double m_dblMax = 0;
    std::int16_t m_intGradeNum = 0;
    bool m_blnColorChanged = false;
    std::int32_t m_lngExpressionKind = 0;

    std::vector<GraphSegment> m_typSegment;
    std::vector<std::int32_t> m_lngSanpuIdx;
    std::vector<ClassRange> m_typClass;
    std::vector<std::int32_t> m_lngClassColor;
    std::vector<ClassRange> m_typStdClass;
    veltra::graphs::NaturalBreaksTable m_dblShizenLow;
    std::vector<double> m_dblPyramidLeft;
    std::vector<double> m_dblPyramidRight;
};
