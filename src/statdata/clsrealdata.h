#pragma once
// A user's statistics CSV and the value file made from it: the format check,
// the conversion into the item-group folder, and the deletion.
//
// The CSV (CP932 or UTF-8; lines end at CR LF, LF or CR): line 1 holds the
// code column title, the name column title and up to 100 item names; each
// further line an area code, an area name and the values. The value file
// (CP932, CR LF) drops the name column, pads the codes (1, 4 or 10 characters
// get a leading "0") and has exactly as many fields on every line as its
// header. Town-block lines are put in area-code order (stable), so that each
// municipality's lines stand together for the town record index.
//
// Use: set the properties, CheckFileFormat, and only when it returned 0,
// ConvertTextFile; or DeleteFile. No message is shown; CheckMessage gives the
// text the registration window shows for a check code.
#include <QString>
#include <QStringList>
#include <cstdint>

class clsRealData
{
public:
    void setSelectedFilePath(const QString &path)
    {
        m_selectedFilePath = path;
        m_lines.clear();
    }
    void setRealFilePath(const QString &path) { m_realFilePath = path; }
    void setDataKind(const QString &areaUnit) { m_dataKind = areaUnit; }
    void setAlreadyMode(bool isNew) { m_alreadyMode = isNew; }

    // 0 when the CSV passes; -1 it cannot be read; -2 a bad header (empty, more
    // than 100 items, an item name empty, over 16 CP932 bytes or not
    // CP932); -3 a bad data line (empty, unknown area unit, a code that is not
    // digits of the unit's length after padding); -4 a bad value (characters
    // other than 0-9 - ., not a number within +-10000000 exclusive, or more
    // fields than the header).
    int32_t CheckFileFormat();
    // Converts the lines a passed CheckFileFormat read (without one, the CSV
    // as it is now). 0; -1 AlreadyMode and the value file exists (nothing
    // written); -2 the CSV has no line; -3 the folder cannot be created; -4 the value file
    // cannot be written (the old one is then intact).
    int32_t ConvertTextFile();
    // Deletes the value file, then its folder when no file is left. 0; -1.
    int32_t DeleteFile();

    // The message for a CheckFileFormat code ("" for 0 and unknown codes).
    static QString CheckMessage(int32_t code);

private:
    static bool CheckHeaderLine(const QString &line);
    bool CheckAreaCode(QString &line) const;
    static bool IsNumericChar(QChar c);
    static bool IsNumericText(QStringView text);
    static bool CheckValue(QStringView field);

    QString m_selectedFilePath;
    QString m_realFilePath;
    QString m_dataKind;
    bool m_alreadyMode = false;
    // The CSV's lines as CheckFileFormat read them, for ConvertTextFile.
    QStringList m_lines;
};
