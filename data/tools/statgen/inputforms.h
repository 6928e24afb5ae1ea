#pragma once
// The input examples of the default data folder's 追加用エクセルファイル\: one
// CSV per area unit in the form the user-data registration takes (CP932,
// CR LF; code title, name title, items; one line per area), so that a
// registration can be tried at once. The figures are worked out here from
// the census tables, on the codes of the default statistics:
//   都道府県_人口密度.csv        the 47 prefectures: 人口密度, 1世帯当たり人員 (2020)
//   市区町村_東京都人口密度.csv   Tokyo's municipalities: the same two items
//   町丁字_千代田区中央区.csv     ten sample town blocks of 13101 and 13102
//                                (the default data has no town blocks): 人口,
//                                世帯数, each ward's 2020 totals shared out
// A figure the tables do not have is "-" (no data).
#include "censustables.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace veltra::statgen {

struct InputForm
{
    QString fileName;
    QString areaUnit; // the unit to register it as
    std::vector<QStringList> lines; // header first
};

// The three examples, in the order above. False when a table lacks a figure
// the examples are built on (a prefecture, Tokyo or one of the two wards).
bool buildInputForms(const CensusTables &tables, std::vector<InputForm> &forms, QString *error);

// Writes the examples into <dataFolder>/追加用エクセルファイル/ (made when
// missing; other files there are kept). False with the reason.
bool writeInputForms(const QString &dataFolder, const CensusTables &tables, QString *error);

} // namespace veltra::statgen
