#pragma once
// A small place-name database and statistics tree for the area readers, in
// a temporary folder: three prefectures, municipalities with a three-digit,
// a five-digit and a 999 code, town blocks, and value folders written in
// CP932 with CR LF as the registration writes them.
#include "runstateguard.h"
#include "statdata/meshdatabase.h"
#include "statwindow/selectaddr.h"
#include "testsupport.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace veltra::test {

class StatWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // Writes lines as CP932 with CR LF, creating the folder.
    static void write(const QString &path, const QStringList &lines);
    // A value folder under the tree (Windows separators, as item lists hold
    // them), made when missing.
    QString folder(const QString &name) const;
    // A municipality or town-block value folder whose FileIndex.txt names
    // "<code>.txt" for each prefecture code given.
    QString indexedFolder(const QString &name, const QStringList &prefectures) const;

    RunStateGuard guard;
    TempDir dir;
    statdata::MeshDatabase db;
};

// A selected-area list entry.
inline statwindow::SelectAddrEntry entry(const char *pref, const char *city = "", const char *town = "")
{
    return {QString::fromUtf8(pref), QString::fromUtf8(city), QString::fromUtf8(town)};
}

} // namespace veltra::test
