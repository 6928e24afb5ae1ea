#pragma once
// Small analysis files as the writer lays them out: CP932, CR LF, quoted
// texts with their quotes, numbers bare.
#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace veltra::test {

inline QByteArray cp932Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        QByteArray bytes;
        veltra::text::encodeCp932(line, bytes);
        out += bytes + "\r\n";
    }
    return out;
}

inline void writeAnalysisFile(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBytes(path, cp932Lines(lines));
}

// A choropleth of five classes over one area (the drawing keeps one H2 line).
inline QStringList choroplethHeader(const QString &dataName = QStringLiteral("tempdata000.dat"))
{
    return {
        QStringLiteral("H1,-12345,67890,25000,20240401,\"\",\"\",") + dataName,
        QStringLiteral("H2,5,13,101,0,2,0,1,1,1,0,0,0"),
        QStringLiteral("H3,\"人口総数\",\"\",0,,\"赤－白 グラデーション\",5,4"),
        QStringLiteral("H4,1,255,0,100,\"\""),
        QStringLiteral("H4,2,16711680,100,200.5,\"\""),
        QStringLiteral("H4,3,65280,200.5,300,\"\""),
        QStringLiteral("H4,4,0,-300,400,\"\""),
        QStringLiteral("H4,5,16777215,400,1E+15,\"\""),
        QStringLiteral("H5,\"人口総数\",255,20200101,20201231"),
    };
}

// A pie of three segments: one empty H4 line, three H5 lines; the second
// segment's colour is empty and the third's quoted.
inline QStringList pieHeader()
{
    return {
        QStringLiteral("H1,0,0,50000,20240401,\"\",\"\",tempdata001.dat"),
        QStringLiteral("H2,4,13,0,0,1,0,2,2,3,0,0,0"),
        QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"),
        QStringLiteral("H4,0,0,0,0,\"\""),
        QStringLiteral("H5,\"男\",8421504,\"20200101\",\"20201231\""),
        QStringLiteral("H5,\"女\",,20200101,20201231"),
        QStringLiteral("H5,\"不詳\",\"65535\",20200101,20201231"),
    };
}

// One Data1 line: record kind, X, Y, moved X and Y, the three codes, 0, the
// quoted name, the values, then X, Y and the codes again.
inline QString dataLine(const QString &x, const QString &y, const QString &movedX, const QString &movedY,
    const QString &name, const QStringList &values)
{
    QString line = QStringLiteral("1,%1,%2,%3,%4,13,101,0,0,\"%5\"").arg(x, y, movedX, movedY, name);
    for (const QString &value : values)
        line += QLatin1Char(',') + value;
    return line + QStringLiteral(",%1,%2,13,101,0").arg(x, y);
}

} // namespace veltra::test
