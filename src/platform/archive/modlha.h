#pragma once
// The archive helpers the rest of the system calls: check an LHA archive, add
// one file to an archive, extract an archive into a folder. Paths may use '\'
// or '/' and are resolved without case (platform/fs). The window handle has
// no effect; no window or busy cursor is shown.
#include <QString>
#include <cstdint>

namespace modLHA {

// True when every header of the file parses and it holds at least one member.
bool CheckArchive(const QString &archivePath);

// Adds one file to the archive, creating the archive on the first call. With
// withPaths 0 the member is stored under the file's base name; with any other
// value (the callers' -1) under the given path, less its drive and root. A
// member of the same name is replaced. False (the reason in outputText, the
// archive unchanged) for a missing file, an existing file that is not an
// archive, a name CP932 cannot hold or a failed write.
bool CreateArchive(const QString &archivePath, const QString &filePath, QString &outputText, int32_t hWnd,
    int16_t withPaths);

// Extracts the archive into destFolder (created when missing): mode 0 puts
// every member into the folder itself, mode 1 keeps the members' relative
// folders; files of the same name are replaced. An empty fileList extracts
// every member, else the members matching it (wildcards). A file that is not
// an archive gives False before anything is written, outputText unchanged;
// any other mode gives False. False too when a member was skipped as unsafe
// or could not be extracted (the others are extracted all the same).
// outputText receives one line per member.
bool ExtractArchive(const QString &archivePath, const QString &fileList, const QString &destFolder,
    QString &outputText, int32_t hWnd, int32_t mode);

} // namespace modLHA
