#pragma once
// ComPSY: the fields of an analysis header and data file, taken from their
// line arrays (statrender/analysislines.h) by fixed line and field numbers.
//
// Header line array: line 1 H1, line 2 the one H2 line (the drawing drops the
// repeated H2 lines first), line 3 H3, then the H4 class lines and the H5
// item lines. Data line array: one area per line; field 1 and 2 are the
// area's own point, 3 and 4 where the user moved its graph (0 while never
// moved), 9 the quoted name, 10 onward the values.
//
// A missing line or field raises veltra::vb::SubscriptOutOfRange; a text that
// does not read as a number where a whole number or a Double is taken raises
// veltra::vb::TypeMismatch (veltra::vb::Overflow when it does not fit a Long).
// Every call splits its line anew; nothing is cached.
#include <QString>
#include <cstdint>
#include <vector>

namespace ComPSY {

// One choropleth class as an H4 line holds it.
struct ClassRange
{
    int32_t ClassNo = 0;
    int32_t Color = 0; // BGR Long
    double Lower = 0; // the class holds values from this bound on
    double Upper = 0; // and below this one
    QString Name;
};

// The codes GetValueCode gives for a first value that is no number.
inline constexpr double kValueEmpty = 0; // an empty field
inline constexpr double kValueMissing = -1; // "-" (quoted): no value
inline constexpr double kValueText = -2; // any other text
inline constexpr double kValueH7 = -3; // "H7" (quoted)

// Header: H1 field 7, the data file's name without folder.
QString GetDataFileName(const std::vector<QString> &header);
// Header: H2 field 5, the size mode of graph pictures (the unit level 1 to 3).
int32_t GetSizeMode(const std::vector<QString> &header);
// Header: H2 field 7, the graph kind.
int32_t GetGraphKind(const std::vector<QString> &header);
// Header: H2 field 8, the expression kind (1 absolute, 2 relative, 0 none).
int32_t GetExpressionKind(const std::vector<QString> &header);
// Header: H2 field 9, the number of H5 item lines.
int32_t GetItemCount(const std::vector<QString> &header);
// Header: H3 field 6, the class count.
int32_t GetClassCount(const std::vector<QString> &header);
// Header: the colour of item k (from 1), field 2 of line k + 4 (the pie and
// bar maps have one H4 line); white, 16777215, when it is not numeric.
int32_t GetItemColor(const std::vector<QString> &header, int32_t item);
// Header: the class of an H4 line, fields 1 to 5.
ClassRange GetClassRange(const std::vector<QString> &header, int32_t lineNumber);

// Data: where the area's graph is drawn: field 1 and 2, each replaced by the
// moved position of field 3 or 4 when that is numeric and not 0; a field that
// is not numeric counts as 0.
void GetGraphPosition(const std::vector<QString> &data, int32_t lineNumber, int32_t &x, int32_t &y);
// Data: the area's own point, fields 1 and 2, each 0 when not numeric.
void GetAreaPoint(const std::vector<QString> &data, int32_t lineNumber, int32_t &x, int32_t &y);
// Data: value k (from 1), field k + 9, when numeric; else -1.
double GetValue(const std::vector<QString> &data, int32_t lineNumber, int32_t item);
// Data: the first value, field 10: empty 0, "-" -1, "H7" -3 (both with their
// quotes), a number its value, any other text -2.
double GetValueCode(const std::vector<QString> &data, int32_t lineNumber);
// Data: the area name, field 9, quotes kept.
QString GetAreaName(const std::vector<QString> &data, int32_t lineNumber);
// Data: the first value, field 10, as written.
QString GetFirstValueText(const std::vector<QString> &data, int32_t lineNumber);

} // namespace ComPSY
