#pragma once
// Encodes graph pictures as PNG files in memory (8-bit RGBA, straight alpha,
// not interlaced), with one deflate compressor kept per thread.
//
// A graph map writes two small pictures for every area. QImage's PNG writer
// sets up and frees a fresh compressor (about 300 KB) for each of them, and
// giving that memory back to the system and taking it again costs several
// times the drawing and compressing itself; here the compressor is only reset
// between pictures. Rows are stored unfiltered at zlib's fastest level: the
// pictures are areas of flat colour, read back once by the map. Any image
// format is accepted; a decoder reads back the pixels QImage's own writer
// would have written.
#include <QByteArray>
#include <QImage>

namespace veltra::graphpic {

// The PNG file of `image`, or an empty array when `image` is null or the
// compressor cannot be set up (out of memory).
QByteArray encodePng(const QImage &image);

} // namespace veltra::graphpic
