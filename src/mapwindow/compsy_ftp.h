#pragma once
// ComPSY's download of one file from the download server, beside the FTP
// client it drives (the shell's part of ComPSY cannot see the map window).
#include <QString>

namespace ComPSY {

// Fetches `remotePath` from the configured download server into
// `localPath`. True means the file is complete there; on False no partial
// file is left. Says so and connects nowhere when no server is configured.
bool PSY_FtpGetFile(const QString &remotePath, const QString &localPath);

} // namespace ComPSY
