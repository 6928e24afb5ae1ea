#include "statrender/graphmapcalls.h"

#include "platform/fs/fs.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"
#include "statrender/flowlines.h"
#include "statrender/globals.h"
#include "statrender/graphelements.h"
#include "zorvik/widget/zorvik.h"

#include <algorithm>
#include <cmath>

namespace veltra::statrender {

namespace {

GraphMapCalls realCalls()
{
    GraphMapCalls calls;
    calls.makePictureFile = [] { return fs::makeTempFile(QStringLiteral("PSY")); };
    calls.addGraph = ComPSY::PSY_AddGraphElement;
    calls.drawFlowLine = ComPSY::DrawRyusen;
    calls.mapScale = [] { return gobjZor ? gobjZor->Scale() : 0.0; };
    return calls;
}

QString digits(const QString &field, int width)
{
    const std::optional<double> number = vb::toNumber(field);
    if (!number)
        return field;
    return QStringLiteral("%1").arg(vb::cLng(*number), width, 10, QLatin1Char('0'));
}

} // namespace

GraphMapCalls &graphMapCalls()
{
    static GraphMapCalls calls = realCalls();
    return calls;
}

QString AreaKey(const std::vector<QString> &data, std::int32_t line)
{
    return digits(ComPSY::GetLineField(data, line, 5), 2) + digits(ComPSY::GetLineField(data, line, 6), 3)
        + digits(ComPSY::GetLineField(data, line, 7), 6);
}

QString PlainAreaName(const std::vector<QString> &data, std::int32_t line)
{
    return ComPSY::GetAreaName(data, line).remove(QLatin1Char('"'));
}

std::vector<ItemLine> ItemLines(const std::vector<QString> &header)
{
    std::vector<ItemLine> items;
    for (std::size_t i = 1; i < header.size(); ++i) {
        const QStringList fields = header[i].split(QLatin1Char(','));
        if (fields.value(0) == QLatin1String("H5"))
            items.push_back({fields.value(1).remove(QLatin1Char('"')), fields.value(2)});
    }
    return items;
}

bool ValidValues(
    const std::vector<QString> &data, std::int32_t line, std::int32_t count, std::vector<double> &values)
{
    values.assign(static_cast<std::size_t>(std::max(count, 0)), 0.0);
    bool valid = true;
    for (std::int32_t j = 1; j <= count; ++j) {
        const double v = ComPSY::GetValue(data, line, j);
        values[static_cast<std::size_t>(j - 1)] = v;
        if (v < 0)
            valid = false;
    }
    return valid;
}

void TotalRange::take(double total, const QString &name)
{
    if (total > largest) {
        largest = total;
        largestName = name;
    }
    if (total < smallest) {
        smallest = total;
        smallestName = name;
    }
}

void TotalRange::toLegend(double mean) const
{
    gdblHanreiMax = std::trunc(largest);
    gstrHanreiMaxName = largestName;
    gdblHanreiMin = std::trunc(smallest);
    gstrHanreiMinName = smallestName;
    gdblHanreiAve = std::trunc(mean);
}

QString WholeText(double value)
{
    return QString::number(std::trunc(value), 'f', 0);
}

void CreatePictureFiles(VoVuderParam &param)
{
    param.OutFile1 = graphMapCalls().makePictureFile();
    param.OutFile2 = param.OutFile1.isEmpty() ? QString() : graphMapCalls().makePictureFile();
    if (param.OutFile1.isEmpty() || param.OutFile2.isEmpty())
        throw GraphMapError("no temporary picture file");
}

void WritePictures(const GraphMapCalls::PictureCall &call, const VoVuderParam &param)
{
    QString error;
    if (call(param, &error) != VoVuderOk)
        throw GraphMapError(error.toStdString());
}

std::vector<QString> ReadSizeClasses()
{
    std::vector<QString> lines;
    ComPSY::ReadLines(shell::programFolder() + QStringLiteral("hanreiinfo.txt"), lines);
    return lines;
}

} // namespace veltra::statrender
