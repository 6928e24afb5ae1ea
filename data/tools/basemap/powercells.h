#pragma once
// Synthetic municipal areas: the cells of an area-weighted Voronoi diagram
// (a power diagram) around the municipalities' real points, clipped to their
// prefecture's outline.
//
// A plain Voronoi diagram gives a small town and a large rural municipality
// cells of the same size when their points are equally spaced. Weighting each
// site by its real area (weight = area / π, the squared radius of a disc of
// that area) lets a site's cell grow with the municipality it stands for:
// cell(i) = { p : |p - s_i|² - w_i <= |p - s_j|² - w_j for every j }.
// Distances are taken in kilometres on a local plane (longitude shrunk by
// the cosine of the prefecture's mean latitude), so cells are not stretched
// east-west. Each weight is capped just below the squared distance to the
// site's nearest neighbour, which keeps every site inside its own cell. The
// cells are still synthetic: they are not real boundaries.
#include "geometry.h"

#include <vector>

namespace veltra::basemap {

struct Site
{
    Point world; // the point in world units
    double areaKm2 = 0; // weight source; 0 makes a plain Voronoi site
};

// The cell of every site, in site order, clipped to `outline`. A cell is
// empty only when its site lies outside the outline and nothing of the
// outline is nearer to it than to the others. Sites at the
// same point share their cell between them in an arbitrary but fixed way
// (the later one gets nothing); callers avoid duplicates.
std::vector<MultiPolygon> powerCells(const std::vector<Site> &sites, const MultiPolygon &outline);

} // namespace veltra::basemap
