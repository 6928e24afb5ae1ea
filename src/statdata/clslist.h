#pragma once
// Writer of a statistics item-list file (<etc>\<statistics>.txt, an INI file)
// and of its copy in etc\etc2: the title, the survey year, the area units
// with their data folders and item groups, and the items of each group.
//
// One instance serves one operation: ListInit with the value file's path
// (<etc>\<statistics>\<area unit>\<item group>\<file>.txt) and the period's
// start ("yyyy/mm/dd"), then AddData, RemoveData or IsIdenticalSection.
// Numbered lists are the keys Entry1, Entry2, ... up to the first missing or
// empty one; every change keeps them without gaps, so no reader loses the
// entries after a removed one. In the list file an item is "name,name", in
// the copy "name". Results are 0 or -1; no message is shown.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class clsList
{
public:
    void ListInit(const QString &sRealFilePath, const QString &sStartYear);

    // Enters the area unit, the item group and the items of the value file's
    // header into both files. 0; -1 when a list file's folder cannot be
    // created or a key cannot be written.
    int32_t AddData();
    // Removes the item group from both files once its folder is gone (while
    // value files of other prefectures remain in it, the entries stay), or
    // deletes both files and the statistics folder when that folder has no
    // area unit left. 0; -1 on the first failure.
    int32_t RemoveData();
    // True when the item group's section of the list file holds exactly the
    // items of the header (code column title, then the item names), in any
    // order and with the same count.
    bool IsIdenticalSection(const QString &sHeader);

    // Derived values, for the callers' checks and the tests.
    QString Title() const { return m_title; }
    QString SurveyYear() const { return m_surveyYear; }
    QString AreaUnit() const { return m_areaUnit; }
    QString ItemGroup() const { return m_itemGroup; }
    QString ListFilePath(int index) const { return m_listFiles.at(index); }
    QString FolderValue(int index) const { return m_folderValues.at(index); }

private:
    QString read(const QString &section, const QString &key, int index) const;
    bool write(const QString &section, const QString &key, const QString &value, int index) const;
    QStringList entries(const QString &section, int index) const;
    int32_t CountEntries(const QString &section, int index) const;
    bool HasEntry(const QString &section, const QString &value, int index) const;
    int32_t ReadValueHeader(QString &line) const;
    bool WriteEntries(int index);
    int32_t ClearEntries(int index);
    int32_t CompactFile(int index);
    int32_t DeleteListFile(int index);

    bool m_valid = false;
    QString m_realFilePath;
    QString m_startText;
    QString m_title;
    QString m_surveyYear;
    QString m_areaUnit;
    QString m_itemGroup;
    QString m_itemGroupFolder;
    QString m_statFolder;
    std::array<QString, 2> m_folderValues;
    std::array<QString, 2> m_listFiles;
};
