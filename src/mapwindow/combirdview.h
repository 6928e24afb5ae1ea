#pragma once
// ComBirdView: the overview picture of a map document, a bitmap cached
// beside the document ("<document without extension>.bmp").
//
// The picture is rendered by a second map engine that shares the main
// engine's open document (through its map handle), shows the whole map and
// draws it to an image through the engine's one render path, vectors only;
// no window is involved. It shows the map extent with the margin that
// 全体表示 (ShowAll) leaves, so that the outermost elements lie inside it, and
// takes that box's shape on the ground, so its corners are the box's corners
// (overviewBox). It is made when the file is missing, older than the document
// (the .zor or its element store), so an edited map gets a new picture, or of
// another size than this mapping makes (a picture made another way). The file
// is written whole or not at all.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComBirdView {

// Makes the overview bitmap of gstrDocPath from gobjZor when needed; 0.
std::int16_t MakeOverviewBitmap();

} // namespace ComBirdView

namespace veltra::mapwindow {

// The overview bitmap beside a document: the file name's extension replaced
// by ".bmp", or ".bmp" appended when the name has none; empty for no document.
QString overviewBitmapPath(const QString &documentPath);

// True when the bitmap exists and is not older than the document's files.
bool overviewBitmapCurrent(const QString &documentPath);

// The world box an overview picture shows for the map extent (cx, cy, w, h):
// the extent grown by zorvik::Zorvik::ShowAllMargin around its centre.
struct OverviewBox
{
    double left = 0, bottom = 0, width = 0, height = 0; // world units
};
OverviewBox overviewBox(std::int32_t cx, std::int32_t cy, std::int32_t w, std::int32_t h);

// The size of the overview picture of `main`'s document, `heightPx` high and
// as wide as the box's ground shape asks; empty for a map without extent.
QSize overviewPictureSize(const zorvik::Zorvik &main, int heightPx);

// The picture of the whole map of `main`'s document, of overviewPictureSize,
// rendered by a second engine on the shared document. A null image when the
// second engine cannot open it.
QImage renderOverview(zorvik::Zorvik &main, int heightPx);

enum class OverviewFailure { None, Render, Write };

// Renders and writes the bitmap for `documentPath` when it is not current.
// False when rendering or writing failed (`error` says why, `failure` which);
// a picture that could not be written is kept in memory for the overview
// window.
bool makeOverviewBitmap(zorvik::Zorvik &main, const QString &documentPath, QString *error = nullptr,
    OverviewFailure *failure = nullptr);

// makeOverviewBitmap for the engine's own document; a second engine that
// cannot open the document is reported ("ZorInitialize3 Error"); a bitmap that
// cannot be written is not (the overview shows the picture kept in memory).
// Returns 0.
std::int16_t makeOverviewBitmapOf(zorvik::Zorvik &main);

// The picture rendered last for a bitmap path whose file could not be
// written; a null image otherwise.
QImage unsavedOverview(const QString &bitmapPath);
// Drops the picture kept in memory, as a new run starts without one.
void forgetUnsavedOverview();

} // namespace veltra::mapwindow
