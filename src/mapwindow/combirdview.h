#pragma once
// ComBirdView: the overview picture of a map document, a bitmap cached
// beside the document ("<document without extension>.bmp").
//
// The picture is rendered by a second map engine that shares the main
// engine's open document (through its map handle), shows the whole map and
// draws it to an image through the engine's one render path, vectors only;
// no window is involved. Its shape is the map extent's shape on the ground,
// so its corners are the extent's corners. It is made when the file is missing or older than the document
// (the .zor or its element store), so an edited map gets a new picture. The file is written whole or not at
// all.
#include <QImage>
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

// The picture of the whole map of `main`'s document, `heightPx` high and as
// wide as the extent's ground shape asks, rendered by a second engine on the shared
// document. A null image when the second engine cannot open it.
QImage renderOverview(zorvik::Zorvik &main, int heightPx);

// Renders and writes the bitmap for `documentPath` when it is not current.
// False when rendering or writing failed (`error` says why); the last
// rendered picture is then kept in memory for the overview window.
bool makeOverviewBitmap(zorvik::Zorvik &main, const QString &documentPath, QString *error = nullptr);

// makeOverviewBitmap for the engine's own document; a second engine that
// cannot open the document is reported ("ZorInitialize3 Error"). Returns 0.
std::int16_t makeOverviewBitmapOf(zorvik::Zorvik &main);

// The picture rendered last for a bitmap path whose file could not be
// written; a null image otherwise.
QImage unsavedOverview(const QString &bitmapPath);

} // namespace veltra::mapwindow
