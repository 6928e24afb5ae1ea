#pragma once
// ComPSY: the graph and text elements of a statistics map: the name that ties
// a graph element to its analysis data line, the size of pie and bar graph
// pictures, and the two procedures that put a graph (with its leader line)
// or a text on the map.
//
// StatElementName: area code, data file path, line number, size figure, X, Y,
// picture 1 and, when not empty, picture 2, joined by ",". It always holds at
// least six commas, which is what keeps it whole when the element is read back
// (mapwindow's key split leaves a key of three or more fields whole); the
// move and data-reference modes split it themselves. A comma inside a field
// would shift every later field, so the data folder's path must hold none
// (PSY_DrawFromFiles refuses such a folder).
//
// Size classes: the program folder's hanreiinfo.txt as a line array; size
// mode 1 uses lines 2 to 4, mode 2 lines 5 to 7, mode 3 lines 8 to 10; in a
// class line field 1 is the graph size in millimetres, fields 3 and 4 the
// range [lower, upper) of the average total that selects the class.
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

QString MakeElementName(const QString &areaCode, const QString &dataPath, std::int32_t lineNumber,
    std::int32_t sizeFigure, std::int32_t x, std::int32_t y, const QString &picture1,
    const QString &picture2);

// Width and height in picture dots of the graph of one area with `total`,
// and the size class's picture size p (millimetres at 90 dots per inch,
// rounded half to even). Pie (graph kind 2): 0 x 0, or a square whose area
// grows with total / average. Bar (3): 30 x 200, or 30 wide and as high as
// the square root of p * p * 2 * total / average. Other kinds leave width and
// height as they are. An average of 0 with a total other than 0 gives the
// class size itself: p x p for a pie, 30 x p for a bar. A missing class line
// or field, or a field that is no number, raises to the caller (veltra::vb
// errors).
void GetGraphSize(std::int32_t graphKind, const std::vector<QString> &sizeClasses, std::int32_t sizeMode,
    double total, std::int32_t &width, std::int32_t &height, std::int32_t &pictureSize, double average);

// A one-point graph element of kind 180 named `name` at (x, y) and its
// leader line to the area's point (x2, y2), both into the level-9 store. The
// line goes in even when the graph was refused (whose message was shown).
void PSY_AddGraphElement(zorvik::Zorvik *engine, const QString &name, std::int32_t x, std::int32_t y,
    std::int32_t x2, std::int32_t y2);

// A one-point text element of `kind` (181 to 186) whose name is the text,
// at (x, y), into the level-9 store. True when the engine took it.
bool PSY_AddTextElement(
    zorvik::Zorvik *engine, std::int16_t kind, const QString &text, std::int32_t x, std::int32_t y);

// The red, green and blue byte of a colour packed as &H00BBGGRR.
std::int16_t GetRed(std::int32_t colour);
std::int16_t GetGreen(std::int32_t colour);
std::int16_t GetBlue(std::int32_t colour);

} // namespace ComPSY
