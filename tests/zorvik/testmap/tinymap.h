#pragma once
// TinyMap: a small map document written into a temporary folder, built
// through the engine's own API (spaces, kinds, styles, elements), saved, and
// ready to be opened by an engine or a map control. Plus helpers to make
// element records and to compare pixel colours with a tolerance.
#include "testdoc.h"
#include "testsupport.h"
#include "zorvik/core/engine.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

namespace zorvik::test {

// Kinds of every tiny map (their styles use palette colours and line type 2,
// three pixels wide, so a pixel on the line has the pure colour).
inline constexpr std::int16_t Space = 1; // area space "F"
inline constexpr std::int16_t Boundary
    = 10; // vector: colours 1 / 3 / 4 (existing / appearing / disappearing)
inline constexpr std::int16_t Hidden = 11; // vector, display flag 0
inline constexpr std::int16_t Ranged = 12; // vector, drawn only at 1:1000 .. 1:50000
inline constexpr std::int16_t Road = 13; // vector, colour 2
inline constexpr std::int16_t Place = 20; // connector, STRING.DLL, colour 0
inline constexpr std::int16_t Marker = 21; // connector, MARU.DLL, colour 5
// The statistics space 100 with its graph connector kind 180 (size 1000).

// Centre of the tiny world: 139°E 36°N.
inline constexpr std::int32_t CX = (139 - 122) * 360000;
inline constexpr std::int32_t CY = (36 - 24) * 360000;

ElementRecord line(std::int16_t kind, std::vector<std::int32_t> x, std::vector<std::int32_t> y,
    std::array<std::int32_t, 4> dates = {0, 0, DayUndecided, DayUndecided});
ElementRecord ring(std::int16_t kind, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

class TinyMap
{
public:
    // Writes the definitions; `elements` go into the document, which is saved.
    explicit TinyMap(const std::vector<ElementRecord> &elements = {});
    QString zorPath() const { return m_zor; }
    QString folder() const { return m_dir.path(); }
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

private:
    veltra::test::TempDir m_dir;
    QString m_zor;
    bool m_ok = false;
    QString m_error;
};

// Palette colour of the default palette.
QColor palette(int n);
// True when the pixel is within `tolerance` of the colour on every channel.
bool near(QRgb pixel, const QColor &colour, int tolerance = 12);
// Pixels of `image` that differ from `colour` by more than the tolerance.
int countNot(const QImage &image, const QColor &colour, int tolerance = 12);
// Pixels of `image` within the tolerance of `colour`.
int countNear(const QImage &image, const QColor &colour, int tolerance = 12);

} // namespace zorvik::test
