#pragma once
// clsAddInfo: the user-data register add_inf.txt, the one record of every
// value file a user has registered (statistics, period, area unit, item
// group, prefecture, value-file path, date added), from which registrations
// are listed and deleted and against which a new registration is checked.
//
// The register is CP932 text with CR LF, fields joined by "," without
// quoting; line 1 is the header, each further line one registration in the
// order of first registration. A registration is identified by its first
// seven fields (the value-file path compared with either separator); the
// date added is "yyyy年m月d日 hh:mm".
//
// Common use (one instance per step):
//   clsAddInfo info;
//   info.setAddInfoFilePath(programFolder + "add_inf.txt");
//   if (info.IsOverlapedEdit(csv, real, start, end, pref, clashes)) ask again;
//   else if (info.IsPermittedEdit(csv, real, start, end, pref, clashes)) ask;
//   else show clashes;  ...  info.AddData(real, start, end, pref);
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// One entry of a result list: the line's position in the register (1 for
// the first registration line) as text, and the line.
struct AddInfoEntry
{
    QString key;
    QString line;
};
using AddInfoList = std::vector<AddInfoEntry>;

class clsAddInfo
{
public:
    void setAddInfoFilePath(const QString &path) { m_path = path; }
    QString AddInfoFilePath() const { return m_path; }

    // 0; -1 when the register cannot be written (it is then left whole).
    int32_t AddData(const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear,
        const QString &sPrefNum);
    // 0; -1 no line or unreadable; -2 cannot be rewritten; -3 an emptied
    // register cannot be deleted.
    int32_t RemoveData(const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear,
        const QString &sPrefNum);

    // True when the same registration with the same items is recorded.
    bool IsOverlapedEdit(const QString &sSelectedFilePath, const QString &sRealFilePath,
        const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum,
        AddInfoList &cResultList);
    // True when no recorded registration conflicts; otherwise the clashing
    // lines are in cResultList.
    bool IsPermittedEdit(const QString &sSelectedFilePath, const QString &sRealFilePath,
        const QString &sStartYear, const QString &sEndYear, const QString &sPrefNum,
        AddInfoList &cResultList);

    // 0; -1 the register cannot be opened; -2 the read fails.
    int32_t GetAddInfoFileHeader(QString &sHeader) const;
    // Every line after the header, in file order; their number (0 when the
    // register is missing).
    int32_t CreateAddedDataList(std::vector<QString> &cAddedDataList) const;

    // One register line taken apart; "" when the line lacks the field.
    static QString GetRealFilePath(const QString &sCSVData);
    static QString GetStartYear(const QString &sCSVData); // yyyy/mm/dd
    static QString GetEndYear(const QString &sCSVData); // yyyy/mm/dd
    static QString GetPrefNum(const QString &sCSVData);
    static QString GetKind(const QString &sCSVData);

    // The clock of the date added (tests fix it).
    static void setClock(std::function<QDateTime()> clock);

private:
    void SetRecord(const QString &sRealFilePath, const QString &sStartYear, const QString &sEndYear,
        const QString &sPrefNum);
    QString MakeHeaderLine() const;
    QString MakeRecordLine(bool withDate) const;
    bool matchesRecord(const QString &line) const;
    bool CheckSameTarget(AddInfoList &cResultList);
    bool CheckSameItems(const QString &sSelectedFilePath, const QString &sRealFilePath,
        const QString &sStartYear, AddInfoList &cResultList);
    static int32_t ReadCsvItems(const QString &csvPath, QString &items);

    QString m_path;
    std::array<QString, 8> m_record;
};
