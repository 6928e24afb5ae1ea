#pragma once
// Checks the written base map the way the engine sees it: every point of a
// prefecture's land (inside any of its outline rings) must lie in exactly
// one municipal cell of that prefecture, no cell may reach beyond the land,
// and every municipality with a cell must have its database point inside
// that cell. The land is sampled on a regular grid, row by row (scanlines),
// so the whole country is checked in a fraction of a second. A sample within
// two units of an edge is not a fault: a cell's coast is the prefecture's
// coast rounded to whole units where it meets the cell's other edges.
#include "basemapmodel.h"

#include <QStringList>

namespace veltra::basemap {

struct CoverageCheck
{
    long long landPoints = 0; // grid points on some prefecture's land
    long long holes = 0; // on land, in no cell of the prefecture
    long long overlaps = 0; // in two or more cells of the prefecture
    long long outside = 0; // in a cell, off the prefecture's land
    long long onEdge = 0; // one of the three, but within the rounding of an edge
    int pointsOutsideOwnCell = 0;
    QStringList faults; // one line per prefecture with faults and per point

    bool ok() const { return faults.isEmpty(); }
};

// Samples every prefecture of `model` on a grid of `stepKm` kilometres.
CoverageCheck checkCoverage(const BaseMapModel &model, double stepKm);

} // namespace veltra::basemap
