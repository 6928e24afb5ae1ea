#pragma once
// A small statistics data tree in a temporary folder, written in CP932 with
// CR LF as the registration writes it: one item-list file with three area
// units, a prefecture value folder, a municipality value folder with its
// FileIndex.txt, and a town-block value folder (under a folder whose name
// holds a dot) with its record index.
#include "testsupport.h"

#include <QString>
#include <QStringList>

namespace veltra::test {

class ValueFixture
{
public:
    ValueFixture();

    // The item-list file (profile file) of the tree.
    QString itemList() const { return m_itemList; }
    // The value folders as the item list names them (Windows separators).
    QString prefFolder() const { return m_prefFolder; }
    QString cityFolder() const { return m_cityFolder; }
    QString townFolder() const { return m_townFolder; }
    // Value files (Windows separators, as a reader forms them).
    QString prefFile() const { return m_prefFolder + QStringLiteral("\\PREF.TXT"); }
    QString cityFile13() const { return m_cityFolder + QStringLiteral("\\13.txt"); }
    QString cityFile01() const { return m_cityFolder + QStringLiteral("\\01.txt"); }
    QString townFile13() const { return m_townFolder + QStringLiteral("\\13.txt"); }

    // Writes lines as CP932 with CR LF, creating the folder; fails the test on
    // error.
    static void write(const QString &path, const QStringList &lines);
    // A local path in Windows form (what data files hold).
    static QString windowsForm(const QString &path);

    TempDir dir;

private:
    QString m_itemList;
    QString m_prefFolder;
    QString m_cityFolder;
    QString m_townFolder;
};

} // namespace veltra::test
