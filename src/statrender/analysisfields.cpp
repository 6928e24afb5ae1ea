#include "statrender/analysisfields.h"

#include "platform/vb/convert.h"
#include "statrender/analysislines.h"

namespace ComPSY {

namespace {

int32_t wholeField(const std::vector<QString> &lines, int32_t line, int32_t field)
{
    return veltra::vb::cLng(GetLineField(lines, line, field));
}

// A position field as a whole number, 0 when it is not numeric.
int32_t positionField(const std::vector<QString> &lines, int32_t line, int32_t field)
{
    const QString text = GetLineField(lines, line, field);
    return veltra::vb::isNumeric(text) ? veltra::vb::cLng(text) : 0;
}

} // namespace

QString GetDataFileName(const std::vector<QString> &header)
{
    return GetLineField(header, 1, 7);
}

int32_t GetSizeMode(const std::vector<QString> &header)
{
    return wholeField(header, 2, 5);
}

int32_t GetGraphKind(const std::vector<QString> &header)
{
    return wholeField(header, 2, 7);
}

int32_t GetExpressionKind(const std::vector<QString> &header)
{
    return wholeField(header, 2, 8);
}

int32_t GetItemCount(const std::vector<QString> &header)
{
    return wholeField(header, 2, 9);
}

int32_t GetClassCount(const std::vector<QString> &header)
{
    return wholeField(header, 3, 6);
}

int32_t GetItemColor(const std::vector<QString> &header, int32_t item)
{
    const QString text = GetLineField(header, item + 4, 2);
    return veltra::vb::isNumeric(text) ? veltra::vb::cLng(text) : 0xFFFFFF;
}

ClassRange GetClassRange(const std::vector<QString> &header, int32_t lineNumber)
{
    ClassRange range;
    range.ClassNo = wholeField(header, lineNumber, 1);
    range.Color = wholeField(header, lineNumber, 2);
    range.Lower = veltra::vb::cDbl(GetLineField(header, lineNumber, 3));
    range.Upper = veltra::vb::cDbl(GetLineField(header, lineNumber, 4));
    range.Name = GetLineField(header, lineNumber, 5);
    return range;
}

void GetGraphPosition(const std::vector<QString> &data, int32_t lineNumber, int32_t &x, int32_t &y)
{
    const int32_t ownX = positionField(data, lineNumber, 1);
    const int32_t ownY = positionField(data, lineNumber, 2);
    const int32_t movedX = positionField(data, lineNumber, 3);
    const int32_t movedY = positionField(data, lineNumber, 4);
    x = movedX != 0 ? movedX : ownX;
    y = movedY != 0 ? movedY : ownY;
}

void GetAreaPoint(const std::vector<QString> &data, int32_t lineNumber, int32_t &x, int32_t &y)
{
    x = positionField(data, lineNumber, 1);
    y = positionField(data, lineNumber, 2);
}

double GetValue(const std::vector<QString> &data, int32_t lineNumber, int32_t item)
{
    const auto value = veltra::vb::toNumber(GetLineField(data, lineNumber, item + 9));
    return value ? *value : -1;
}

double GetValueCode(const std::vector<QString> &data, int32_t lineNumber)
{
    const QString text = GetLineField(data, lineNumber, 10);
    if (text.isEmpty())
        return kValueEmpty;
    if (text == QLatin1String("\"-\""))
        return kValueMissing;
    if (text == QLatin1String("\"H7\""))
        return kValueH7;
    const auto value = veltra::vb::toNumber(text);
    return value ? *value : kValueText;
}

QString GetAreaName(const std::vector<QString> &data, int32_t lineNumber)
{
    return GetLineField(data, lineNumber, 9);
}

QString GetFirstValueText(const std::vector<QString> &data, int32_t lineNumber)
{
    return GetLineField(data, lineNumber, 10);
}

} // namespace ComPSY
