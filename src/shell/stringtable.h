#pragma once
// The program's string table: the captions of menus and windows by number.
//
// Window designs carry a string number where a caption belongs (a menu's
// text, a window's or label's "Tag" property); mdlMain::LocalizeForm puts the
// text in when the window loads. The table holds the Japanese texts; id 1000
// also has an English entry, chosen when the user interface language is
// English. Numbers without an entry (for example 20 and 21, the font name
// and size) are not found.
#include <QString>
#include <optional>

namespace veltra::shell {

enum class StringLanguage { Japanese, English };

// The text of `id`, or nothing when the table has no such entry.
std::optional<QString> loadResString(int id, StringLanguage language = StringLanguage::Japanese);

// The language the program's user interface uses (from the locale).
StringLanguage uiLanguage();

} // namespace veltra::shell
