#pragma once
// What the default data folder's statistics hold: the census tables turned
// into the spreadsheets (CSV) a user would register, one per statistics,
// area unit, item group and prefecture, with the period each belongs to.
//
// Statistics: one per census year, "国勢調査" with the era prefix of the
// census day (R2国勢調査, H27国勢調査, ..., T9国勢調査); the 1945 count was no
// census and is "S20人口調査". Each period runs from the census day to the
// day before the next one; the 2020 census stays current (to 2100/09/30, the
// end the registration gives its newest period).
// Item groups and items, in this order:
//   人口            総人口, 男, 女           (1920-2005: 総人口 only)
//   世帯            世帯数, 一般世帯数        (2015, 2020)
//   面積            面積(km2)                (2020)
//   年齢5歳階級別    男, 0～4歳(男) ... 100歳以上(男), 年齢不詳(男), then the
//                  same for 女 with "(女)" (2020; its section also carries
//                  the pyramid keys DataCnt, StartField1 and StartField2)
// Area units: 都道府県 for every year, 市区町村 for 2015 and 2020 (one file per
// prefecture, named by its code; the prefecture file is 00). Municipal files
// list every area of the 2020 census (municipalities, Tokyo's special wards,
// designated cities and their wards) in code order; a figure the source does
// not have is "-" (no data): households and areas of designated-city wards,
// the 2015 figures of those wards.
#include "censustables.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace veltra::statgen {

struct ValueTable
{
    QString title; // 国勢調査
    QString startDate; // yyyy/mm/dd
    QString endDate;
    QString areaUnit; // 都道府県 or 市区町村
    QString itemGroup;
    QString prefNum; // "00" for prefecture data, else "01".."47"
    QString fileTitle; // the CSV's (and the value file's) name without extension
    QStringList header; // code title, name title, the items
    std::vector<QStringList> rows; // code, name, one value per item
    // Keys of the item group's section that only shipped item lists carry.
    std::vector<std::pair<QString, QString>> groupKeys;
};

// The statistics name: the era letter and year of the start date, then the
// title (H27国勢調査), formed as the registration forms it.
QString statisticsName(const ValueTable &table);

// Every table of the default statistics, in registration order: newest
// census first; within a census the prefecture groups, then the municipal
// groups prefecture by prefecture. False when a table refers to an area the
// 2020 area list does not have.
bool buildCensusPlan(const CensusTables &tables, std::vector<ValueTable> &plan, QString *error);

} // namespace veltra::statgen
