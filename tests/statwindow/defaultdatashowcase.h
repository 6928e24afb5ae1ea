#pragma once
// For the window tests on the generated default data folder: the
// municipalities the folder was made from, and showing a window (saving its
// picture) when the person running the tests asks to see it.
#include <vector>

class QWidget;

namespace veltra::test {

// Municipality numbers (without the prefecture's two digits) of a
// prefecture, from the census table the data folder was made from.
std::vector<int> municipalities(int pref);

// With VELTRA_SHOT_DIR set, saves the picture of w there as name.png; with
// VELTRA_SHOW_SECONDS, keeps it up that long. Does nothing otherwise.
void showcase(QWidget *w, const char *name);

} // namespace veltra::test
