#include "statrender/workfiles.h"

#include "platform/fs/fs.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"

#include <QFile>
#include <QRegularExpression>
#include <exception>
#include <vector>

namespace ComPSY {

namespace {

QString inFolder(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

// Deletes one listed file by its exact name. deleteFiles takes '*' and '?'
// as wildcards and '\' as a separator, which a file name on this system may
// hold; such a name is removed as it stands.
void deleteListedFile(const QString &folder, const QString &name)
{
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))
        || name.contains(QLatin1Char('\\')))
        QFile::remove(veltra::fs::resolve(folder) + QLatin1Char('/') + name);
    else
        veltra::fs::deleteFiles(inFolder(folder, name));
}

} // namespace

void DeleteAnalysisFiles(const QString &folder)
{
    std::vector<QString> headers;
    if (!ListHeaderFiles(folder, headers))
        return;
    for (size_t i = 1; i < headers.size(); ++i) {
        std::vector<QString> lines;
        if (!ReadLines(inFolder(folder, headers[i]), lines))
            return;
        QString dataName;
        try {
            dataName = GetDataFileName(lines);
        } catch (const std::exception &) {
            // A header without H1 field 7 names no data file; it still goes.
        }
        if (veltra::statrender::isAnalysisDataName(dataName))
            veltra::fs::deleteFiles(inFolder(folder, dataName));
        deleteListedFile(folder, headers[i]);
    }
}

void DeleteGraphTempFiles()
{
    const QString folder = veltra::fs::tempFolder();
    if (!folder.isEmpty())
        veltra::fs::deleteFiles(folder + QStringLiteral("PSY*.tmp"));
}

void DeleteAreaPictures(const QString &folder)
{
    veltra::fs::deleteFiles(inFolder(folder, QStringLiteral("*.Bmp")));
}

} // namespace ComPSY

namespace veltra::statrender {

bool isAnalysisDataName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^tempdata[0-9]{3}\\.dat$"), QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

} // namespace veltra::statrender
