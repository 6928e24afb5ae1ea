#pragma once
// Writes the statistics tree of a data folder (etc\: value files, item lists,
// FileIndex.txt, the year-management file and the etc2 copies) from value
// tables, through the same data-file classes as the registration of user
// statistics: value file (clsRealData), file index (clsIndex, municipal
// data), item list (clsList), year line (clsYear). Each step only points at
// what the steps before it wrote, and a registration into a live etc folder
// runs under a RegistrationJournal: killed at any moment, it is undone whole
// by the next registration (or RegistrationJournal::recover), so a retry of
// the same table succeeds.
//
// Two things differ from a user's registration, both because the tree is
// shipped: the item lists name each area unit's folder relative to the list
// file's own folder ("R2国勢調査\都道府県\"), so the data folder may be copied
// anywhere; and nothing is entered in the user-data register (add_inf.txt),
// so the shipped statistics are not offered for deletion as user data.
#include "censusplan.h"

#include <QString>
#include <vector>

namespace veltra::statgen {

// The value file a table is registered as:
// <etc>/<statistics name>/<area unit>/<item group>/<file title>.txt.
QString valueFilePath(const QString &etcFolder, const ValueTable &table);

// Registers one table into the etc folder, all or nothing. The CSV the user
// would choose is written into workFolder first. False with the step that
// failed; the etc folder is then as it was.
bool registerTable(
    const QString &etcFolder, const QString &workFolder, const ValueTable &table, QString *error);

// The Path of every area unit in the item lists of etc and etc\etc2 becomes
// relative to the list file's folder (a path outside that folder is an error).
bool makeListPathsRelative(const QString &etcFolder, QString *error);

// The relative form of an area unit's folder as seen from the item list:
// "R2国勢調査\都道府県\". Empty when the folder is not inside the list's folder.
QString relativeListFolder(const QString &itemListFile, const QString &folder);

// Registers every table into a fresh staging folder beside <data>/etc and
// moves it into place only when all of it succeeded; a failure leaves the
// previous tree as it was.
bool writeStatisticsTree(const QString &dataFolder, const std::vector<ValueTable> &plan, QString *error);

} // namespace veltra::statgen
