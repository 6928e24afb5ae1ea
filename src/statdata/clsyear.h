#pragma once
// Writer of the year-management file: the catalogue of statistics in the etc
// folder, one line "statistics name,yyyymmdd,yyyymmdd" per statistics period,
// kept identical to its copy in etc\etc2.
//
// One instance serves one operation: YearInit with the value file's path
// (<etc>\<statistics>\<area unit>\<item group>\<file>.txt) and the period as
// "yyyy/mm/dd" texts, then AddData or RemoveData. Results are 0 or a small
// negative code; no message is shown. A path too short to name the etc
// folder, a statistics name holding ',' or dates that are not eight digits
// make the instance unusable: AddData returns -2 and RemoveData -1 without
// touching a file.
#include <QString>
#include <array>
#include <cstdint>

class clsYear
{
public:
    void YearInit(const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear);

    // Adds the period's line (nothing when present). 0; -2 when the file or
    // its copy cannot be written (also when the file exists but cannot be
    // read: its lines are never replaced by the new one alone).
    int32_t AddData();
    // Removes the period's line once the statistics folder is gone. 0 (also
    // when nothing was to be done); -1 when the file is missing, empty or
    // unreadable; -2 when rewriting the file or its copy fails; -3 when the
    // emptied file or its copy cannot be deleted.
    int32_t RemoveData();

    // Derived values, for the callers' checks and the tests.
    QString StatisticsName() const { return m_statName; }
    QString YearFilePath() const { return m_filePaths[0]; }
    QString CopyFilePath() const { return m_filePaths[1]; }

private:
    QString lineText() const;

    bool m_valid = false;
    QString m_realFilePath;
    QString m_startText;
    QString m_endText;
    QString m_statName;
    QString m_start;
    QString m_end;
    std::array<QString, 2> m_filePaths;
};
