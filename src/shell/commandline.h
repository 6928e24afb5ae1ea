#pragma once
// Command lines: the list-bar items and story steps that name a tool mode.
//
// A command line is a comma-separated line, split with mdlCommon::SplitQuoted
// (double quotes protect commas): field 0 the item number, 1 the caption, 2
// the icon key, 3 the mode code, 4 the sub-type, 5 onward the mode's
// parameters, which are joined again into the parameter text (leading empty
// fields vanish; no parameter field gives the empty text). Running a line
// ends in mdlMain::ChangeMode. A line with fewer than five fields, or whose
// mode or sub-type is not a whole number in the 16-bit range, is not run: the
// running mode stays and the caller gets the reason.
//
// The lines themselves live in the list-bar and story tables of guided
// operation, which registers its look-ups in commandItemSources().
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace veltra::shell {

struct CommandLineParts
{
    std::int16_t mode = 0;
    std::int16_t subType = 0;
    QString param;
};

// The mode, sub-type and parameter text of a line, or nothing (`error` says why).
std::optional<CommandLineParts> parseCommandLine(const QString &line, QString *error = nullptr);

// The line of an item number, or the empty text when the table has none.
struct CommandItemSources
{
    std::function<QString(std::int16_t)> listItem; // ZORPAK.LST [ITEM]
    std::function<QString(std::int16_t)> storyItem; // STORY.LST [ITEM]
};
CommandItemSources &commandItemSources();

// The frame's runner of list-bar item `itemNo` (ChangeCommand2ItemNo).
bool runListBarItem(std::int16_t itemNo, QString *error = nullptr);

// The story player's runner (PSY_ChangeCommand2ItemNo): item 1 takes the
// step's own parameter text instead of its line's.
bool runStoryItem(std::int16_t itemNo, const QString &stepParam, QString *error = nullptr);

} // namespace veltra::shell
