#pragma once
// The record of imported mesh data sets, and the removal of one import.
//
// Each import has its lines in the history DefData\UpdateMeshdef.txt (one
// line per mesh, comma-separated, no header; field 0 the mesh name, field 8
// the subfolder of the document's mesh folder that holds its files, field 9
// the date and time of the import) and its meshes in DefData\MeshDef.csv
// (first field the mesh name). Lines belong to one import when field 9 is
// the same to the minute.
//
// History lines with fewer than ten fields or a field 9 that is no date are
// never listed and never removed. Neither is a line whose mesh name or
// subfolder could name a file outside the mesh folder.
#include <QString>
#include <QStringList>
#include <optional>

namespace veltra::mapwindow {

// Field 9 as the list shows it: "ggge年m月d日h時m分(aaaa)", for example
// "平成17年4月1日9時5分(金曜日)"; nothing when it is no date.
std::optional<QString> importEntryText(const QString &importTime);

// The list entries of the history, in file order: one entry per run of
// consecutive lines of the same import.
QStringList importEntries(const QStringList &history);

// What removing the import shown as `entry` leaves and deletes.
struct ImportRemoval
{
    QStringList history; // the history without the import's lines
    QStringList meshDef; // MeshDef.csv without the lines of the removed meshes
    QStringList meshFiles; // "<subfolder>/<name>.mfc" and ".mfv" per removed line, in order
};
ImportRemoval planImportRemoval(const QStringList &history, const QStringList &meshDef, const QString &entry);

// The document's mesh folder ([ZorSYSEX] MeshDataDir, resolved against the
// document's folder as the engine resolves it), ending in '/'; empty when the
// document names none.
QString documentMeshFolder(const QString &documentPath);

} // namespace veltra::mapwindow
