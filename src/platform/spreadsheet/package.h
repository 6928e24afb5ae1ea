#pragma once
// The parts of an Office Open XML package (a zip file) held in memory: read
// whole, changed by name, written whole again. Part names are the zip entry
// names ("xl/workbook.xml", no leading slash) and keep their order, so a
// package read and written unchanged keeps its entries' order.
//
// Writing is deterministic: the same parts give the same bytes (every entry
// carries one fixed date, the content types come first). The file is written
// through a temporary copy renamed over the target, so a failed write leaves
// the target as it was.
//
//   Package p;
//   if (!p.load(path, &error)) ...
//   p.setPart("xl/media/image1.png", png);
//   if (!p.save(path, &error)) ...
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace veltra::spreadsheet {

class Package
{
public:
    // Reads every entry of the zip file `path`; false with a Japanese reason
    // when it cannot be read or is no zip file. Folder entries are skipped.
    bool load(const QString &path, QString *error = nullptr);
    // The package as zip bytes; false with a reason when zipping fails.
    bool toZip(QByteArray &zip, QString *error = nullptr) const;
    // Writes the package to `path` through a temporary copy.
    bool save(const QString &path, QString *error = nullptr) const;

    bool hasPart(const QString &name) const;
    // The part's bytes; empty for a part that does not exist.
    QByteArray part(const QString &name) const;
    // Replaces a part, or adds it at the end.
    void setPart(const QString &name, const QByteArray &bytes);
    void removePart(const QString &name);
    QStringList partNames() const;

private:
    std::vector<std::pair<QString, QByteArray>> m_parts;
};

// OPC names: the relationships part of a part ("xl/_rels/workbook.xml.rels"
// for "xl/workbook.xml", "_rels/.rels" for the package itself, given as ""),
// and a relationship's target resolved against its source part.
QString relationshipsPartOf(const QString &partName);
QString resolveTarget(const QString &sourcePart, const QString &target);

} // namespace veltra::spreadsheet
