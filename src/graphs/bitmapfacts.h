#pragma once
// The facts of a bitmap file the item selector's symbol list needs: height,
// width and colour depth, read from the file's own header. A picture loaded
// into a QImage no longer tells the depth it was stored with (a 16-bit file
// comes back as 32 bits), so the depth is taken from the header of a Windows
// bitmap (BITMAPINFOHEADER and its successors, or the OS/2 BITMAPCOREHEADER)
// and, for other picture formats, from the decoded image.
#include <QString>
#include <cstdint>

namespace veltra::graphs {

struct BitmapFacts
{
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t bitsPerPixel = 0; // planes x bits per pixel, as stored
};

// False when the file cannot be read as a picture.
bool readBitmapFacts(const QString &path, BitmapFacts &facts);

// The depth class: at most 1 gives 1, at most 4 gives 4, at most 8 gives 8,
// anything above gives 24 (16 and 32 bits included).
std::int16_t bitsPerPixelClass(std::int32_t bitsPerPixel);

// The size of the picture as 24-bit rows padded to 4 bytes.
double paddedRowSize24(std::int32_t width, std::int32_t height);

} // namespace veltra::graphs
