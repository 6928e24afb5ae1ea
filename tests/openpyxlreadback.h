#pragma once
// Reads a workbook back with Debian's python3 and openpyxl (an independent
// reader of the format), for tests of the .xlsx files we write.
#include <QJsonObject>
#include <QString>

namespace veltra::test {

struct OpenpyxlReadBack
{
    // No python3 with openpyxl and Pillow: the test skips.
    bool unavailable = false;
    // Empty when the workbook loaded; else what openpyxl said.
    QString error;
    // {"sheets": [...], "orientation": "...", "images": [{col, row, width, height}]}
    QJsonObject result;
};

OpenpyxlReadBack readBackWithOpenpyxl(const QString &workbook);

} // namespace veltra::test
