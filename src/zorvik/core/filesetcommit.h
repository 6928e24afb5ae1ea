#pragma once
// Replacing several files of one folder together, so that after a crash at
// any moment the folder holds either the whole old set or the whole new set.
//
// A save writes every new file whole beside its target as "<name>.pending",
// then a commit marker naming them, then renames each pending file over its
// target and removes the marker. A reader first calls recover(): with the
// marker present the save had committed and its remaining renames are done;
// without it, pending files are the remains of an unfinished save and are
// removed, leaving the old set as it was.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace zorvik::filesetcommit {

inline constexpr const char *MarkerName = "FileSet.commit";
inline constexpr const char *PendingSuffix = ".pending";

// `folder` ends in '/'; the files are plain names in it. A save left
// behind is recovered first, so a save needs no read before it.
bool commit(const QString &folder, const std::vector<std::pair<QString, QByteArray>> &files, QString *error);

// Finishes a committed save or rolls an unfinished one back. `names` are the
// files a save of this folder may write (their pending copies are removed
// when no marker exists). False when the folder cannot be brought to a whole
// set (a rename or removal failed).
bool recover(const QString &folder, const QStringList &names, QString *error);

} // namespace zorvik::filesetcommit
