#include "openpyxlreadback.h"
#include "testsupport.h"

#include <QJsonDocument>
#include <QProcess>

namespace veltra::test {

OpenpyxlReadBack readBackWithOpenpyxl(const QString &workbook)
{
    OpenpyxlReadBack out;
    static const QString python = pythonImporting(QStringLiteral("openpyxl, PIL"));
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
