#pragma once
// The pictures of a population pyramid map: one small pyramid per area,
// drawn by the preview graph into the preview picture and saved as
// "<AreaCode>.bmp" in the picture folder; each area's value list becomes
// picture name, left total and right total, which the analysis stores. At
// the end the preview shows the pyramid of all areas summed.
//
// Totals and relative values are four-decimal fixed point. An area with a
// class of no value gets no picture, and a picture an earlier output left
// under its name is deleted, so the map shows nothing there rather than an
// old pyramid; its value list still names the picture and carries its
// totals.
#include "statwindow/statarea.h"

#include <QString>
#include <cstdint>
#include <vector>

class clsDrawGraph;
class GraphCanvas;
class PictureBox;

namespace veltra::statwindow {

// The rows of one area's pyramid.
struct PyramidPlan
{
    bool drawable = true; // every class has a value
    double leftTotal = 0;
    double rightTotal = 0;
    std::vector<std::pair<double, double>> rows; // classes 1 .. n, bottom first
};

// Classes 1 .. classCount of `area`; relative rows (expressionKind not 0)
// are percentages of the area's own totals, 0 where a total is 0.
PyramidPlan pyramidPlan(const StatArea &area, std::int32_t classCount, std::int32_t expressionKind);
// The rows of all areas (from index 1) summed per class; relative rows are
// shares of the grand totals.
std::vector<std::pair<double, double>> pyramidSummary(
    const std::vector<StatArea> &records, std::int32_t classCount, std::int32_t expressionKind);

// What the picture step needs besides the records.
struct PyramidPictureSource
{
    std::vector<QString> itemTexts; // sub-item texts of the pyramid item
    std::int32_t expressionKind = 0;
    std::int32_t habaMax = 0;
    std::int32_t leftColor = 0;
    std::int32_t rightColor = 0;
    QString pictureFolder; // with a separator at its end
    bool summary = true; // end with the pyramid of all areas in the preview
};

// Draws, saves and rewrites every area of `records` (from index 1) and,
// when the source asks for it, draws the summed preview, through `graph` on `canvas` of `picture`.
// Raises vb::FileError when a picture cannot be saved or an old one cannot
// be deleted.
void makePyramidPictures(std::vector<StatArea> &records, const PyramidPictureSource &source,
    clsDrawGraph &graph, GraphCanvas &canvas, PictureBox &picture);

} // namespace veltra::statwindow
