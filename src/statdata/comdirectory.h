#pragma once
// Folders and whole files for the statistics data classes (the subset of a
// file-system object they use), over platform/fs.
//
// Paths may use '\' or '/'; names resolve without case as platform/fs does.
// Folder paths in lists end in '/'; files never do. Nothing here shows a
// message; every failure is a false / 0 result.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ComDirectory {

bool IsFolderExist(const QString &path);
// Creates one folder whose parent exists; false when it already exists.
bool CreateFolder(const QString &path);
// Deletes the folder and everything in it; false when it does not exist.
bool DeleteFolder(const QString &path);
// Makes every folder of the path exist; false at the first folder that cannot
// be created (earlier ones stay). True for an empty path.
bool CreateFolderTree(const QString &path);
// Hidden attribute of a folder: Linux folders have none (see
// ComFile::SetFileHidden); true when the folder exists.
bool SetFolderHidden(const QString &path, bool hide);
// SetFolderHidden / ComFile::SetFileHidden on every entry of GetTreeList(root);
// false at the first entry that fails.
bool SetTreeHidden(const QString &root, bool hide);
// The folders of a path from the top: C:\a\b gives C:/, C:/a/, C:/a/b/ (3);
// /x/y gives /, /x/, /x/y/. 0 for an empty path.
int16_t GetParentFolders(const QString &path, QStringList &list);
// Files / folders directly in the folder; 0 on any error.
int32_t GetFileCount(const QString &path);
int32_t GetSubFolderCount(const QString &path);
// Appends the tree depth first, children before their parent: each
// subfolder's tree, then the folder's files, then the folder itself (with a
// trailing '/'). Returns the list's size; a folder that cannot be read adds
// nothing.
int32_t GetTreeList(const QString &path, QStringList &list);
bool IsFileExist(const QString &path);
// Copies over an existing destination; false on any error.
bool CopyFile(const QString &source, const QString &destination);
// Deletes one file (also a read-only one); false when it is missing.
bool DeleteFile(const QString &path);

} // namespace ComDirectory

namespace veltra::statdata {

// Deletes a data file, then its folder when no file is left in it. 0 on
// success, -1 when the file cannot be deleted (or is missing) or the emptied
// folder cannot be deleted. Shared by the value file and the town index.
int32_t deleteFileAndEmptyFolder(const QString &path);

} // namespace veltra::statdata
