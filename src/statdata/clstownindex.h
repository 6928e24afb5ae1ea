#pragma once
// Writer of the town record index of a town-block value file (13.txt ->
// 13Index.txt): [Index], then <first five code characters>=<line number> for
// the first data line of each run of one municipality (the header is line 0,
// so the number is how many lines a reader skips).
//
// One instance serves one operation: setRealFilePath, then CreateFile or
// DeleteFile. Results are 0 or a small negative code; no message is shown.
#include <QString>
#include <cstdint>

class clsTownIndex
{
public:
    void setRealFilePath(const QString &path);

    // Builds the index from the value file. 0; -1 when the index cannot be
    // written; -2 when the value file has no line or cannot be read.
    int32_t CreateFile();
    // Deletes the index, then its folder when no file is left in it. 0; -1.
    int32_t DeleteFile();

    QString IndexFilePath() const { return m_indexPath; }

private:
    QString m_realFilePath;
    QString m_indexPath;
};
