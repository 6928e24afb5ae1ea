#pragma once
// mdlSpCom: the shell's INI value reader and the extension helpers.
//
// GetIniValue reads values up to 511 CP932 bytes whole; an empty value means
// missing or empty alike. The extension helpers look for the dot in the file
// name only (after the last '\' or '/'), so a dot in a folder name never
// counts and a name without a dot keeps its folder.
#include <QString>

namespace mdlSpCom {

void GetIniValue(const QString &section, const QString &key, QString &value, const QString &filePath);

// The path without its extension: the text left of the file name's last dot.
// A file name without a dot gives the whole path, so that a suffix appended
// by the caller ("…" + ".INI") stays beside the file; an empty path gives "".
QString CutExtension(const QString &path);

// The text right of the file name's last dot, without the dot; empty when the
// file name has no dot.
QString GetExtension(const QString &path);

} // namespace mdlSpCom
