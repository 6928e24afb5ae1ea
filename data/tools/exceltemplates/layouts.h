#pragma once
// The eight spreadsheet templates of the default data folder's ExcelTemp\:
// our own A4 pages, four portrait and four landscape, each with the title,
// map and legend in a different place. A page is a grid of equal cells
// (64 x 20 px); each area is a range of cells. The first worksheet of every
// template holds the three shapes the spreadsheet export fills: "タイトル欄"
// (with a text body), "地図描画域" and "凡例描画域".
#include "platform/spreadsheet/package.h"

#include <QRect>
#include <QString>
#include <array>

namespace veltra::exceltemplates {

struct Layout
{
    bool landscape = false;
    // Cell ranges: x = first column, y = first row (zero-based), size in cells.
    QRect title;
    QRect map;
    QRect legend;
};

// Templates 1 to 8 in order (index 0 is VeltraTemp1.xlsx).
const std::array<Layout, 8> &layouts();

// "VeltraTemp1.xlsx" ... "VeltraTemp8.xlsx" for index 0 ... 7.
QString templateFileName(int index);

// The workbook of one layout; the same layout gives the same bytes.
spreadsheet::Package buildTemplate(const Layout &layout);

// Writes the eight templates into `folder` (created when missing).
bool writeTemplates(const QString &folder, QString *error);

} // namespace veltra::exceltemplates
