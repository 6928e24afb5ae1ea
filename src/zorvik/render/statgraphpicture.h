#pragma once
// Statistics graph connectors: connectors of kind 180 of the statistics space
// whose key is a graph element name "area code[|item],data path,line,size
// figure,X,Y,picture 1[,picture 2]". The map shows picture 1; its format is
// told by content (pie and bar pictures are written to .tmp files).
//
// Size: one picture pixel covers KindDispSize(180) * 17 / size figure world
// units, so a default-size graph (1000) shows near its own pixel size at
// 1:100 000, and graphs grow on screen as the user zooms in.
#include <QImage>
#include <QPainter>
#include <QString>

namespace zorvik {

struct StatGraphKey
{
    QString picture; // picture 1
    double sizeFigure = 0;
    bool valid = false;
};

StatGraphKey parseStatGraphKey(const QString &key);
// World units per picture pixel; 0 when the figure is not positive.
double statGraphWorldPerPixel(double kindSize, double sizeFigure);
// The picture at a path (Windows or local form), read once and kept while the
// file is unchanged; a null image when it cannot be read.
QImage statGraphPicture(const QString &path);

} // namespace zorvik
