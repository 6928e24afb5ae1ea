#pragma once
// A temporary data folder with the eight generated spreadsheet templates in
// ExcelTemp\, and helpers to read what an export left there.
#include "testsupport.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

namespace veltra::test {

struct ExcelTemplateFolder
{
    ExcelTemplateFolder();
    bool ok = false;
    TempDir dir;
    // The data folder, ending in '/' as gstrDataPath does.
    QString data() const { return dir.path(); }
    QString templateFile(int index) const; // 0 to 7
    QString output() const; // ExcelTemp/Veltra.xlsx
};

// Records what the desktop was asked to open (set as the URL handler).
class OpenedUrls : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls << url; }

public:
    QList<QUrl> urls;
};

} // namespace veltra::test
