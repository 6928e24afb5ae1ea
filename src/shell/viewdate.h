#pragma once
// The view date: what a stored date mode means for the map.
//
// A document's view-date setting (a mode text and one or two date texts)
// turns into the engine's display range (days from the document's base
// date), the status-bar text, the selector panel of the mode and the compact
// view day "YYYYMMDD". The map window applies a stored setting when a
// document opens; the view-date dialog applies the user's choice. Both take
// the mapping from here, so the two can never disagree.
//
// Common use:
//   const auto s = veltra::shell::storedViewDate(mode, date1, date2, QDate::currentDate(), gdtBaseDate);
//   if (s.setsRange) { engine.setDateFrom(s.from); engine.setDateTo(s.to); }
#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>

namespace veltra::shell {

// Status-bar panels of the three date selectors.
inline constexpr int PanelToday = 4;
inline constexpr int PanelNoDay = 5;
inline constexpr int PanelTime = 6;

struct ViewDateSetting
{
    QString statusText; // panel 3; empty for an unknown mode
    bool setsRange = false; // false: the engine's range stays as it is
    std::int32_t from = 0;
    std::int32_t to = 0;
    int panel = 0; // selector panel of the mode; 0 for none
    bool setsViewDate = false; // false: gstrViewDate stays as it is
    QString viewDate; // "YYYYMMDD", empty for no date restriction
};

// Whole days from the base date to the date; 0 when either is not a date.
std::int32_t dayNumber(const QVariant &date, const QDate &baseDate);
// The date as "YYYYMMDD"; empty when it is not a date.
QString compactDate(const QVariant &date);

// A stored setting ([SetDate] MODE, Date1, Date2) as the map applies it.
// Modes are compared exactly: "ToDay", "Time", "Span", "NoDay"; any other
// text changes nothing but clears the status text.
ViewDateSetting storedViewDate(const QString &mode, const QString &date1, const QString &date2,
    const QDate &today, const QDate &baseDate);

// The date part of a status text, as the operation room's date label shows
// it: the text without its first four characters, blanks at both ends removed.
QString dateLabelOf(const QString &statusText);

} // namespace veltra::shell
