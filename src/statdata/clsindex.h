#pragma once
// Writer of FileIndex.txt, the index of a municipality or town-block
// item-group folder: [FileName], then one line Code<prefecture>=<file name>
// per registered value file, in order of registration.
//
// One instance serves one operation: IndexInit with the value file's path and
// the prefecture number as chosen ("01" ... "47"), then AddData or
// RemoveData. Results are 0 or a small negative code; no message is shown.
#include <QString>
#include <cstdint>

class clsIndex
{
public:
    void IndexInit(const QString &sRealFilePath, const QString &sPrefNum);

    // Lists the value file (nothing when listed). 0; -1 when the folder cannot
    // be created, the file cannot be written or the prefecture number is not
    // a whole number from 1 to 99.
    int32_t AddData();
    // Unlists the value file; deletes the index when it lists nothing more,
    // then the folder when no file is left in it. 0; -1 when the index has no
    // line or the emptied folder cannot be deleted; -2 when the rewrite fails;
    // -3 when the emptied index cannot be deleted.
    int32_t RemoveData();

    QString IndexFilePath() const { return m_indexPath; }

private:
    QString m_realFilePath;
    QString m_prefNum;
    QString m_fileName;
    QString m_indexPath;
};
