#include "app/installeddefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace veltra::app {

namespace {

bool isBuildProgramFolder(const QString &programDir)
{
    const QString build = QFileInfo(QStringLiteral(VELTRA_BUILD_PROGRAM_DIR)).canonicalFilePath();
    return !build.isEmpty() && QFileInfo(programDir).canonicalFilePath() == build;
}

} // namespace

std::vector<shell::DefaultsSource> installedDefaults(const QString &programDir)
{
    if (isBuildProgramFolder(programDir)) {
        return {
            {QStringLiteral(VELTRA_DEFAULT_PROGRAM_FILES), QString()},
            {QStringLiteral(VELTRA_DEFAULT_GENERATED_DATA), QString()},
        };
    }
    const QString shared = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(VELTRA_INSTALLED_DATA)));
    return {
        {shared + QStringLiteral("/program"), QString()},
        {shared + QStringLiteral("/default"), QString()},
    };
}

std::vector<shell::DefaultsSource> installedDefaults()
{
    return installedDefaults(QCoreApplication::applicationDirPath());
}

} // namespace veltra::app
