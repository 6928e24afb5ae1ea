#include "statdata/statfilepaths.h"

namespace veltra::statdata {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

int lastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return int(i);
    }
    return -1;
}

} // namespace

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (isSeparator(folder.back()))
        return folder + name;
    return folder + u'\\' + name;
}

QString fileNameOf(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString fileIndexPath(const QString &folder)
{
    return joinPath(folder, QString::fromUtf16(kFileIndexName));
}

QString fileIndexKey(int prefectureNumber)
{
    return QString::fromUtf16(kFileIndexKeyPrefix) + QString::number(prefectureNumber);
}

QString townRecordIndexPath(const QString &valueFilePath)
{
    const int nameStart = lastSeparator(valueFilePath) + 1;
    const qsizetype dot = valueFilePath.lastIndexOf(u'.');
    const QString stem = dot >= nameStart ? valueFilePath.left(dot) : valueFilePath;
    return stem + QString::fromUtf16(kTownIndexSuffix);
}

QString townIndexKey(const QString &areaCode)
{
    return areaCode.left(5);
}

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool completeStoredAreaCode(const QString &code, QString &out)
{
    out.clear();
    const qsizetype n = code.size();
    int width = 0;
    if (n >= 1 && n <= 2)
        width = 2;
    else if (n >= 4 && n <= 5)
        width = 5;
    else if (n == 7)
        width = 7;
    else if (n >= 8 && n <= 11)
        width = 11;
    else
        return false;
    out = isDigits(code) ? code.rightJustified(width, u'0') : code;
    return true;
}

} // namespace veltra::statdata
