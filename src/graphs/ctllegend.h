#pragma once
// ctlLegend: the legend of the graph being built.
//
// A title box over a scrollable column of rows, one per legend entry. Row i
// has a colour swatch and, on the choropleth legend (graph kind 1), the class
// bounds "lower ～ upper" and the class count, else a read-only name. What is
// shown depends on glngGraphKind at the moment of each call; the control
// never writes it. Lengths are laid out in twips (legendgeometry.h) and
// placed in pixels through the logical DPI. Colours are BGR (&H00BBGGRR).
//
// Entries: m_typHanrei (kind 1, name "lower/upper/count") and
// m_typLegendSegment (other kinds); every call uses the list of the kind
// current at that moment. ShowLegend shows every entry of that list, so a
// legend shown right after Clear shows its blank entry 0.
//
// On the choropleth legend the user types both bounds of row 0 and the upper
// bound of every other row; InputCheck checks the row edited last
// (classboundcheck.h) when the mouse is released in a bound box and when the
// graph class asks.
//
// Common use (the graph class):
//   legend->Clear();
//   legend->AddSegment(0, "0.0/10.0/3", colour);   // once per entry
//   legend->ShowLegend();
// The host connects ColorChange and RangeChange.
#include "graphs/hanreiitem.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollArea;
class LegendSwatch;

// One legend entry of the graph kinds other than 1.
struct LegendSegment
{
    double dblValue = 0; // kept with the entry, never shown
    std::int32_t lngColor = 0;
    QString strName;
};

class ctlLegend : public QWidget
{
    Q_OBJECT

public:
    explicit ctlLegend(QWidget *parent = nullptr);
    ~ctlLegend() override;

    void AddSegment(double dblPercentage, const QString &Name, std::int32_t lngColour);
    void ShowLegend();
    bool InputCheck();
    void Clear();
    void Clear2();
    // Row Index's lower and upper bound texts joined by "/"; a row that does
    // not exist raises SubscriptOutOfRange.
    QString GetHanrei(std::int16_t Index) const;
    // Stores the colour of an entry of the current kind's list (the swatch
    // keeps its colour until the next ShowLegend); an entry that does not
    // exist raises SubscriptOutOfRange.
    void ChangeColor(std::int16_t intIndex, std::int32_t lngColor);
    void SetRange(double Max, double Min);
    void setLegendTitle(const QString &strTitle); // the write-only LegendTitle
    // Sets row nIndex's bound texts; a missing row is ignored.
    void PSY_SetText(std::int32_t nIndex, const QString &sIjou, const QString &sMiman);
    std::int32_t PSY_GetTextCount() const;

    // A mouse button released in a bound box of row Index: the row edited
    // before is checked first; only when it passes does row Index become the
    // row under edit.
    void txtIjyou_MouseUp(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void txtMiman_MouseUp(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);

    // The child controls by their names; nullptr for a row that does not exist.
    QLineEdit *txtLegendTitle() const { return m_title; }
    QScrollArea *picLegend() const { return m_box; }
    QWidget *picInner() const { return m_canvas; }
    LegendSwatch *picLegendItem(int i) const;
    QWidget *shpLegendItem(int i) const;
    QLineEdit *txtLegend(int i) const;
    QLineEdit *txtIjyou(int i) const;
    QLabel *lblKara(int i) const;
    QLineEdit *txtMiman(int i) const;
    QLineEdit *txtAtai(int i) const;

    std::int32_t lngCount() const { return m_lngCount; }
    std::int16_t curRow() const { return m_intCurRow; }
    const std::vector<HanreiItem> &hanreiItems() const { return m_typHanrei; }
    const std::vector<LegendSegment> &legendSegments() const { return m_typLegendSegment; }
    int canvasHeightTwips() const { return m_canvasHeight; }

signals:
    void ColorChange(std::int16_t intIndex, std::int32_t lngColor);
    void RangeChange(std::int16_t intIndex, const QString &IjyouData, const QString &MimanData);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        LegendSwatch *swatch = nullptr; // picLegendItem
        QLineEdit *name = nullptr; // txtLegend
        QLineEdit *lower = nullptr; // txtIjyou
        QLabel *kara = nullptr; // lblKara
        QLineEdit *upper = nullptr; // txtMiman
        QLineEdit *count = nullptr; // txtAtai
    };

    Row createRow(int i);
    void hideRow(const Row &row);
    void placeBounds(const Row &row, int top);
    void UnloadRows();
    void resetCurrentList();
    void LayoutLegend();
    void applyCanvasSize();
    void swatchDoubleClicked(int i);
    void boundMouseUp(std::int16_t Index);
    const Row *row(int i) const;
    int tx(int twips) const;
    int ty(int twips) const;
    int boxWidthTwips() const;

    QLineEdit *m_title = nullptr;
    QScrollArea *m_box = nullptr;
    QWidget *m_canvas = nullptr;
    std::vector<Row> m_rows;
    int m_canvasWidth = 0; // twips
    int m_canvasHeight = 0; // twips

    std::int32_t m_lngCount = -1;
    std::vector<LegendSegment> m_typLegendSegment;
    std::vector<HanreiItem> m_typHanrei;
    double m_dblRangeMax = 0;
    double m_dblRangeMin = 0;
    std::int16_t m_intCurRow = 0;
};
