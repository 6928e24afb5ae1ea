#pragma once
// The point tables of the choropleth in the data folder's DB\: for every part
// of every area outline of the model, one point that lies inside that part
// and in no other outline of its level, so that the smallest area at the
// point is that part.
//
//   206.csv   "NN,X,Y": every part of each prefecture, in the model's order
//   211.csv   "NNMMM,X,Y": the part of each municipality that holds its area
//             connector (else its largest part), sorted by code
//   211.j1    "NN,line": the first line of each prefecture in 211.csv
//   212.csv   the second part of a municipality; 214.csv each further part
//   227.csv, 227.j1, 227.j2, 229.csv, 231.csv: the town blocks, empty (the
//             default map has none)
//
// A point is kept at least a few units off every edge, so that the whole
// units of the stored outlines cannot put it on the other side.
#include "basemapmodel.h"

#include <QString>
#include <QStringList>
#include <map>

namespace veltra::basemap {

struct PointTables
{
    std::map<QString, QStringList> files; // file name -> lines
    QStringList problems; // parts for which no point could be found
    QStringList slivers; // small parts no search can find, not in the tables
};

PointTables buildPointTables(const BaseMapModel &model);

} // namespace veltra::basemap
