#include "statdata/statfileformat.h"

#include "platform/fs/fs.h"

#include <QRegularExpression>

namespace veltra::statdata {

QString areaUnitPref()
{
    return QStringLiteral("都道府県");
}

QString areaUnitCity()
{
    return QStringLiteral("市区町村");
}

QString areaUnitTown()
{
    return QStringLiteral("町丁字");
}

int areaCodeLength(const QString &areaUnit)
{
    if (areaUnit == areaUnitPref())
        return 2;
    if (areaUnit == areaUnitCity())
        return 5;
    if (areaUnit == areaUnitTown())
        return 11;
    return 0;
}

QString yearFileName()
{
    return QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt");
}

QString etc2FolderName()
{
    return QStringLiteral("etc2");
}

QString itemListTitleSection()
{
    return QStringLiteral("統計内容");
}

QString itemListYearSection()
{
    return QStringLiteral("調査年度");
}

QString itemListKindSection()
{
    return QStringLiteral("ﾃﾞｰﾀ種類");
}

QString itemListPathKey()
{
    return QStringLiteral("Path");
}

QString entryKey(int n)
{
    return QStringLiteral("Entry") + QString::number(n);
}

std::optional<int> prefNumberFromText(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    const int n = t.toInt();
    if (n < 1 || n > 99)
        return std::nullopt;
    return n;
}

QString padAreaCode(const QString &code)
{
    const auto n = code.size();
    if (n == 1 || n == 4 || n == 10)
        return QLatin1Char('0') + code;
    return code;
}

QStringList splitPath(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p.split(QLatin1Char('/'));
}

QString joinParts(const QStringList &parts, int first, int last)
{
    QString out;
    for (int i = first; i <= last && i < parts.size(); ++i) {
        if (i > first)
            out += QLatin1Char('/');
        out += parts.at(i);
    }
    return out;
}

QString resolveListFolder(const QString &itemListFile, const QString &pathValue)
{
    const bool full = pathValue.startsWith(QLatin1Char('/')) || pathValue.startsWith(QLatin1Char('\\'))
        || (pathValue.size() >= 2 && pathValue.at(1) == QLatin1Char(':') && pathValue.at(0).isLetter());
    if (pathValue.isEmpty() || full)
        return pathValue;
    return folderOf(itemListFile) + pathValue;
}

QString resolveItemListFile(const QString &path, const QString &dataFolder)
{
    const QString written = path.trimmed();
    if (written.isEmpty())
        return {};
    if (fs::fileExists(written))
        return written;
    QString p = written;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'));
    // The last "etc" folder: a data folder may itself lie under one.
    for (qsizetype i = parts.size() - 2; i >= 0; --i) {
        if (parts[i].compare(QLatin1String("etc"), Qt::CaseInsensitive) != 0)
            continue;
        QString folder = dataFolder;
        if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
            folder += QLatin1Char('/');
        const QString candidate = folder + parts.mid(i).join(QLatin1Char('/'));
        if (fs::fileExists(candidate))
            return fs::resolve(candidate);
        break;
    }
    return {};
}

QString folderOf(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p.left(p.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace veltra::statdata
