#include "defaultdatashowcase.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

namespace veltra::test {

std::vector<int> municipalities(int pref)
{
    QFile csv(QStringLiteral(VELTRA_CENSUS_TABLES "/muni_population_2020.csv"));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList header = lines.value(0).trimmed().split(u',');
    const auto prefColumn = header.indexOf(QStringLiteral("pref_code"));
    const auto muniColumn = header.indexOf(QStringLiteral("muni_code"));
    std::vector<int> out;
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QStringList f = lines[k].trimmed().split(u',');
        if (f.value(prefColumn).toInt() == pref)
            out.push_back(f.value(muniColumn).mid(2).toInt());
    }
    return out;
}

void showcase(QWidget *w, const char *name)
{
    const QString shots = qEnvironmentVariable("VELTRA_SHOT_DIR");
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (shots.isEmpty() && seconds <= 0)
        return;
    w->show();
    w->raise();
    QApplication::processEvents();
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(w->grab().save(shots + QStringLiteral("/") + QString::fromUtf8(name) + QStringLiteral(".png")));
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace veltra::test
