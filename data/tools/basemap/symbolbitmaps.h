#pragma once
// The symbol bitmaps of the default data folder (Symbol_Data\): circles,
// squares, triangles and stars in several colours, 16 to 64 pixels square,
// drawn for the project as 24-bit Windows bitmaps on a white ground. The
// symbol map lists them in the item selector. The bytes depend on nothing but
// this table, so the same build gives the same files.
#include <QString>
#include <vector>

namespace veltra::basemap {

struct SymbolBitmap
{
    QString name; // file name, e.g. "円_赤_16.bmp"
    int shape; // 0 circle, 1 square, 2 triangle, 3 star
    int size; // pixels, width and height
    unsigned char red, green, blue;
};

const std::vector<SymbolBitmap> &symbolBitmaps();

// The bytes of one bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER, rows
// bottom-up padded to 4 bytes).
QByteArray symbolBitmapBytes(const SymbolBitmap &symbol);

// Writes every symbol into `folder` (created when missing).
bool writeSymbolBitmaps(const QString &folder, QString *error);

} // namespace veltra::basemap
