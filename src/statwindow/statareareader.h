#pragma once
// StatAreaReader: builds the area records of a statistics graph
// (gtypStatArea) from the place-name database and fills them from the
// statistics value files: item values, the two age-class series of a
// pyramid, the partner lists of a flow map; and looks up a prefecture's name
// and position for map output.
//
// The statistics map window owns one and hands each call what it takes from
// the window: the area level and the selected-area list entries. The reader
// keeps the code list of its last call (m_strSelectAddr, in list order) for
// map output, disables the window it was given and shows the hourglass while
// it runs, and hands template items to the window's StatAreaCalculation.
// The pyramid window uses the same reader with ReaderProfile::pyramid() and
// its own code list (ReadPyramidSeries).
//
// A reader answers false either because nothing was found or because the
// database or a value file could not be read; lastError() is empty in the
// first case and says why in the second. The records built up to a failure
// stay in gtypStatArea.
//
// Common use (graph creation):
//   StatAreaReader reader(MeshDatabase::shared());
//   reader.setWindow(this); reader.setCalculation(&m_calculation);
//   if (!reader.ReadStatValues({AnaRange(), entries}, paths, count, fields)
//       && !reader.lastError().isEmpty())
//       show "cannot create" with reader.lastError();
#include "statwindow/selectaddr.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QWidget;

namespace veltra::statdata {
class MeshDatabase;
}

namespace veltra::statwindow {

class ReaderBusy;
class RecordKeyIndex;
class StatAreaCalculation;

// What the pyramid window's build and read change against the statistics
// map window's.
struct ReaderProfile
{
    // Level 0 builds one record per prefecture (the pyramid window: none).
    bool nationQuery = true;
    // Level 2 takes seven-character codes as a five-digit municipality:
    // looked up by characters 3-7, a 13-character AreaCode, matched on 7.
    bool sevenCharacterCodes = true;

    static ReaderProfile statisticsMap() { return {}; }
    static ReaderProfile pyramid() { return {false, false}; }
};

// The window's area level and its selected-area list.
struct AreaSelection
{
    std::int32_t anaRange = -1;
    std::vector<SelectAddrEntry> entries;
};

class StatAreaReader
{
public:
    explicit StatAreaReader(statdata::MeshDatabase &database, ReaderProfile profile = {});

    // The window disabled while a read runs (nullptr: none).
    void setWindow(QWidget *window) { m_window = window; }
    // Evaluates items whose field number is -1 (nullptr: such an item fails).
    void setCalculation(StatAreaCalculation *calculation) { m_calculation = calculation; }

    // Rebuilds gtypStatArea for the codes (from index 1) at the level; each
    // record gets lngItemCnt values 0 with flag 2. False on a database
    // failure, with the records built so far.
    bool CreateStatArea(std::int32_t anaRange, std::int32_t lngItemCnt, const std::vector<QString> &strCodes,
        std::int32_t &lngAreaCnt);

    // Item values: strItemPath and lngFieldNo from index 1; field -1 names a
    // calculation template. True when any value line matched.
    bool ReadStatValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
        std::int32_t lngItemCnt, const std::vector<std::int32_t> &lngFieldNo);
    // The two age-class series of strItemPath(1) for the selected areas.
    bool ReadPyramidValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
        std::int32_t lngClassCnt, std::int32_t lngStartField1, std::int32_t lngStartField2);
    // The same for a code list of the caller's, which ends up sorted.
    bool ReadPyramidSeries(std::int32_t anaRange, std::vector<QString> &codes, const QString &itemFolder,
        std::int32_t lngClassCnt, std::int32_t lngStartField1, std::int32_t lngStartField2);
    // Flow partners (lngFlowKind 0 inflow, 1 outflow). True when any pair
    // was appended.
    bool ReadRyusenValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
        std::int32_t lngItemCnt, std::int32_t lngFlowKind);

    // Name and position of a prefecture, the last row winning; the out
    // arguments stay as they were when there is no row. False on a database
    // failure.
    bool GetPrefPosition(std::int32_t lngPrefCode, QString &strName, std::int32_t &lngX, std::int32_t &lngY);

    // The code list of the last reader call (the window's m_strSelectAddr),
    // from index 1, in list order.
    const std::vector<QString> &selectAddr() const { return m_selectAddr; }
    // Why the last call failed; empty when it did not fail.
    QString lastError() const { return m_error; }

private:
    // The characters record r compares with a line key.
    std::vector<int> keyWidths(std::int32_t anaRange) const;
    bool readLinesOf(const QString &file, QStringList &lines);
    // The value items firstItem, firstItem + 1, ... (their fields given) of
    // one folder, each file read once for all of them. False when a file
    // cannot be read; the items after the first then keep their built values.
    bool readValueItems(ReaderBusy &busy, const QString &path, std::int32_t firstItem,
        const std::vector<std::int32_t> &fieldNos, const std::vector<QString> &prefixes, std::int32_t anaRange,
        const RecordKeyIndex &index, bool &matchedAny, bool &result);

    statdata::MeshDatabase &m_database;
    ReaderProfile m_profile;
    QWidget *m_window = nullptr;
    StatAreaCalculation *m_calculation = nullptr;
    std::vector<QString> m_selectAddr{QString()};
    // For each record of the last build, the code (index) it was built from;
    // 0 for the records of the nation query.
    std::vector<std::int32_t> m_recordCode;
    std::vector<QString> m_builtCodes;
    QString m_error;
};

} // namespace veltra::statwindow
