#pragma once
// CommonM1: folder and file-title texts, and the temporary folder and files.
//
// Temporary files live in the program's own folder under the system temporary
// folder (never loose in the shared one), which GetTempDir names.
#include <QString>

namespace CommonM1 {

// The folder part without a trailing separator: the path is trimmed of spaces,
// everything up to the last '\' or '/' is kept; empty when there is none.
QString GetFolderName(const QString &path);

// The name after the last separator, cut before its FIRST dot.
QString GetFileTitle(const QString &path);

// The program's temporary folder, ending in a separator (created when missing;
// empty when it cannot be made).
QString GetTempDir();

// A new, empty, uniquely named file "eg6….tmp" in GetTempDir(); empty when it
// cannot be made.
QString GetTempFile();

} // namespace CommonM1
