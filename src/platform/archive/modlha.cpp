#include "platform/archive/modlha.h"

#include "platform/archive/extract.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/lhawriter.h"
#include "platform/archive/membername.h"
#include "platform/fs/fs.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace modLHA {

using namespace veltra;

bool CheckArchive(const QString &archivePath)
{
    archive::LhaReader reader;
    return !archivePath.isEmpty() && reader.open(fs::resolve(archivePath)) && !reader.members().isEmpty();
}

bool CreateArchive(
    const QString &archivePath, const QString &filePath, QString &outputText, int32_t hWnd, int16_t withPaths)
{
    Q_UNUSED(hWnd);
    const QString given = fs::normalize(filePath);
    const QString stored = withPaths == 0 ? given.mid(given.lastIndexOf(QLatin1Char('/')) + 1)
                                          : archive::relativeStoredPath(given);
    return archive::addFile(fs::resolve(archivePath), fs::resolve(filePath), stored, &outputText);
}

bool ExtractArchive(const QString &archivePath, const QString &fileList, const QString &destFolder,
    QString &outputText, int32_t hWnd, int32_t mode)
{
    Q_UNUSED(hWnd);
    archive::LhaReader reader;
    if (archivePath.isEmpty() || !reader.open(fs::resolve(archivePath)) || reader.members().isEmpty())
        return false;
    if (mode != 0 && mode != 1) {
        outputText = QStringLiteral("展開の方法 %1 はありません").arg(mode);
        return false;
    }
    QString destination = fs::resolve(destFolder.isEmpty() ? QStringLiteral(".") : destFolder);
    if (!destination.endsWith(QLatin1Char('/')))
        destination += QLatin1Char('/');
    if (!QFileInfo(destination).isDir() && !QDir().mkpath(destination)) {
        outputText = QStringLiteral("展開先のフォルダーを作れません: %1\n%2")
                         .arg(destFolder, fs::failureReason(destination, errno, true));
        return false;
    }
    QString pattern = fileList.trimmed();
    if (pattern.size() >= 2 && pattern.startsWith(QLatin1Char('"')) && pattern.endsWith(QLatin1Char('"')))
        pattern = pattern.mid(1, pattern.size() - 2);
    QStringList report;
    const bool ok = archive::extractMembers(
        reader, destination, mode == 0 ? archive::Layout::Flat : archive::Layout::Folders, pattern, report);
    outputText = report.join(QLatin1Char('\n'));
    return ok;
}

} // namespace modLHA
