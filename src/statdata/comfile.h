#pragma once
// Text files read and written whole, line by line, for the statistics data
// classes, and the hidden attribute of a file.
//
// Reading follows the system's read rule (UTF-8 when the bytes say so, else
// CP932; lines end at CR LF, LF or a lone CR). Writing is always CP932 with
// CR LF, through a temporary file renamed over the target, so a failure never
// leaves a half-written file; a character CP932 cannot hold makes the write
// fail. No message is shown; results tell the caller what happened.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ComFile {

// Reads every line into lines (replacing its contents). Returns the number of
// lines; 0 for an empty file (lines left as they were); -1 when the file is
// missing or cannot be opened or read (the platform layer reads a file whole,
// so a read error is not told apart from an open error).
int32_t ReadAllLines(const QString &path, QStringList &lines);

// Writes the lines, each followed by CR LF. overwrite true replaces the file
// (creating it); false appends to it (creating it when missing). Returns 0;
// -1 when the file cannot be opened (its folder is missing); -2 when writing
// fails (including a character CP932 cannot hold); the old file is then intact.
int16_t WriteAllLines(const QString &path, const QStringList &lines, bool overwrite);

// The hidden attribute of a file. Linux files have no such attribute (a
// leading dot would rename the file under every reader), so this only checks
// that the file exists: true when it does.
bool SetFileHidden(const QString &path, bool hide);

} // namespace ComFile
