#pragma once
// The calculation templates shipped in the default data folder: population
// density and persons per household on the 2020 census, at the prefecture
// and the municipality level (the default data has no town blocks, so the
// town-block folder stays empty).
#include <QString>

namespace veltra::statgen {

// Makes the three template folders under `dataFolder` and writes the
// templates. False with the reason in `error`.
bool writeShippedTemplates(const QString &dataFolder, QString *error);

} // namespace veltra::statgen
