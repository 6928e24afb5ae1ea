#pragma once
// What the pie, bar, symbol, picture-symbol and flow maps share: the outside
// calls they make for each area or flow (the graph pictures, the graph
// element, the flow line, the map scale), held in one replaceable table so
// that a test can record them, and the small readers of the analysis lines
// those maps alone use.
//
// Errors follow the drawing procedures' rule: anything that should end a
// procedure raises (veltra::vb errors or GraphMapError) and the procedure
// returns False; elements added before stay.
#include "platform/graphpic/vovuder.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace zorvik {
class Zorvik;
}
struct ElementInfo;

namespace veltra::statrender {

// A failure that ends a graph map procedure (a picture that cannot be
// written, no valid area to take a mean over, more items than a graph holds).
class GraphMapError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct GraphMapCalls
{
    using PictureCall = std::function<std::int32_t(const VoVuderParam &param, QString *error)>;
    PictureCall circle = VoVuderCircle;
    PictureCall bar = VoVuderBar;
    std::function<QString()> makePictureFile; // an empty PSY*.tmp in the program's temporary folder
    std::function<void(zorvik::Zorvik *engine, const QString &name, std::int32_t x, std::int32_t y,
        std::int32_t baseX, std::int32_t baseY)>
        addGraph; // ComPSY::PSY_AddGraphElement
    std::function<bool(zorvik::Zorvik *engine, const ElementInfo &record)> drawFlowLine; // ComPSY::DrawRyusen
    std::function<double()> mapScale; // the current map's scale (gobjZor), 0 without one
};

// The calls in use; a test replaces members and restores them (GraphMapCallsGuard).
GraphMapCalls &graphMapCalls();

// Restores the real calls when it goes out of scope.
class GraphMapCallsGuard
{
public:
    GraphMapCallsGuard()
        : m_saved(graphMapCalls())
    { }
    ~GraphMapCallsGuard() { graphMapCalls() = m_saved; }
    GraphMapCallsGuard(const GraphMapCallsGuard &) = delete;
    GraphMapCallsGuard &operator=(const GraphMapCallsGuard &) = delete;

private:
    GraphMapCalls m_saved;
};

// The area's 11-digit key: data fields 5, 6 and 7 as two, three and six
// digits (a field that is no number stays as written).
QString AreaKey(const std::vector<QString> &data, std::int32_t line);

// The area name, data field 9 without its quotes.
QString PlainAreaName(const std::vector<QString> &data, std::int32_t line);

// The item name (field 1 without quotes) and colour text (field 2) of every
// header line whose field 0 is "H5", in file order.
struct ItemLine
{
    QString name;
    QString colour;
};
std::vector<ItemLine> ItemLines(const std::vector<QString> &header);

// The c values of a data line (fields 10 onward); True when every one is a
// number and not negative, the area then getting a graph.
bool ValidValues(
    const std::vector<QString> &data, std::int32_t line, std::int32_t count, std::vector<double> &values);

// The largest and smallest area totals with their areas' names; a tie keeps
// the earlier area.
struct TotalRange
{
    double largest = 0;
    QString largestName;
    double smallest = 99999999999999.0;
    QString smallestName;
    void take(double total, const QString &name);
    // Into the legend globals of the pie and bar maps (whole parts).
    void toLegend(double mean) const;
};

// The whole part of a value as plain decimal text (no exponent).
QString WholeText(double value);

// Fills param's two output paths with new empty picture files; raises
// GraphMapError when one cannot be made.
void CreatePictureFiles(VoVuderParam &param);

// Calls the picture writer; a failure raises GraphMapError with its message.
void WritePictures(const GraphMapCalls::PictureCall &call, const VoVuderParam &param);

// The program folder's size classes (hanreiinfo.txt) as a line array; a
// missing file gives element 0 alone, so a lookup then raises.
std::vector<QString> ReadSizeClasses();

} // namespace veltra::statrender
