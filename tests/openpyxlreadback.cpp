#include "openpyxlreadback.h"

#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace veltra::test {

namespace {

QString pythonWithOpenpyxl()
{
    // An interpreter earlier on PATH may not see Debian's modules.
    QStringList candidates{QStringLiteral("/usr/bin/python3")};
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (!onPath.isEmpty())
        candidates << onPath;
    for (const QString &python : candidates) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl, PIL")});
        if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return python;
    }
    return {};
}

} // namespace

OpenpyxlReadBack readBackWithOpenpyxl(const QString &workbook)
{
    OpenpyxlReadBack out;
    static const QString python = pythonWithOpenpyxl();
    if (python.isEmpty()) {
        out.unavailable = true;
        return out;
    }
    const QString script = qEnvironmentVariable("VELTRA_FIXTURES") + QStringLiteral("/spreadsheet/readback.py");
    QProcess run;
    run.start(python, {script, workbook});
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit) {
        out.error = QStringLiteral("python3 did not finish");
        return out;
    }
    if (run.exitCode() != 0) {
        out.error = QString::fromUtf8(run.readAllStandardError()).trimmed();
        if (out.error.isEmpty())
            out.error = QStringLiteral("exit code %1").arg(run.exitCode());
        return out;
    }
    out.result = QJsonDocument::fromJson(run.readAllStandardOutput()).object();
    if (out.result.isEmpty())
        out.error = QStringLiteral("no result printed");
    return out;
}

} // namespace veltra::test
