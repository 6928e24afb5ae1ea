#include "statdata/clsrealdata.h"

#include "platform/text/text.h"
#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"

#include <QRegularExpression>
#include <algorithm>

using namespace veltra::statdata;

namespace {

constexpr int kMaxHeaderFields = 102;
constexpr int kMaxItemBytes = 16;
constexpr double kValueLimit = 10000000.0;

} // namespace

QString clsRealData::CheckMessage(int32_t code)
{
    switch (code) {
    case -1:
        return QStringLiteral("登録データが開けません.");
    case -2:
        return QStringLiteral("登録データの項目名に異常値が含まれています.");
    case -3:
        return QStringLiteral("登録データの市区町村コードに異常値が含まれています.");
    case -4:
        return QStringLiteral("登録データの統計値に異常値が含まれています.");
    default:
        return QString();
    }
}

bool clsRealData::CheckHeaderLine(const QString &line)
{
    if (line.isEmpty())
        return false;
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() > kMaxHeaderFields)
        return false;
    for (int i = 2; i < fields.size(); ++i) {
        QByteArray bytes;
        if (fields.at(i).isEmpty() || !veltra::text::encodeCp932(fields.at(i), bytes)
            || bytes.size() > kMaxItemBytes)
            return false;
    }
    return true;
}

bool clsRealData::CheckAreaCode(QString &line) const
{
    if (line.isEmpty())
        return false;
    const int length = areaCodeLength(m_dataKind);
    if (length == 0)
        return false;
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    const QString code = padAreaCode(comma < 0 ? line : line.left(comma));
    if (code.size() != length || !isDigits(code))
        return false;
    line = code + (comma < 0 ? QString() : line.mid(comma));
    return true;
}

bool clsRealData::IsNumericChar(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('.');
}

bool clsRealData::IsNumericText(const QString &text)
{
    return std::all_of(text.begin(), text.end(), IsNumericChar);
}

bool clsRealData::CheckValue(const QString &field)
{
    if (!IsNumericText(field))
        return false;
    if (field.isEmpty() || field == QLatin1String("-"))
        return true;
    // A plain decimal: optional leading minus, digits, at most one point.
    static const QRegularExpression number(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!number.match(field).hasMatch())
        return false;
    const double x = field.toDouble();
    return x > -kValueLimit && x < kValueLimit;
}

QString clsRealData::FitFieldCount(const QString &line, int count)
{
    QStringList fields = line.split(QLatin1Char(','));
    while (fields.size() > count)
        fields.removeLast();
    while (fields.size() < count)
        fields << QString();
    return fields.join(QLatin1Char(','));
}

int32_t clsRealData::CheckFileFormat()
{
    QStringList lines;
    if (ComFile::ReadAllLines(m_selectedFilePath, lines) <= 0)
        return -1;
    if (!CheckHeaderLine(lines.first()))
        return -2;
    const qsizetype headerFields = lines.first().split(QLatin1Char(',')).size();
    for (int j = 1; j < lines.size(); ++j) {
        QString line = lines.at(j);
        if (!CheckAreaCode(line))
            return -3;
        const QStringList fields = line.split(QLatin1Char(','));
        // More fields than the header means an unquoted comma (such as a
        // thousands separator) has shifted every later value.
        if (fields.size() > headerFields)
            return -4;
        for (int i = 2; i < fields.size(); ++i) {
            if (!CheckValue(fields.at(i)))
                return -4;
        }
    }
    return 0;
}

int32_t clsRealData::ConvertTextFile()
{
    if (m_alreadyMode && ComDirectory::IsFileExist(m_realFilePath))
        return -1;
    QStringList lines;
    if (ComFile::ReadAllLines(m_selectedFilePath, lines) <= 0)
        return -2;

    QStringList out;
    out.reserve(lines.size());
    for (const QString &line : std::as_const(lines)) {
        QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() > 1)
            fields.removeAt(1);
        out << fields.join(QLatin1Char(','));
    }
    const int n = static_cast<int>(out.first().count(QLatin1Char(',')) + 1);
    for (int j = 1; j < out.size(); ++j) {
        const QString fitted = FitFieldCount(out.at(j), n);
        const qsizetype comma = fitted.indexOf(QLatin1Char(','));
        const QString code = comma < 0 ? fitted : fitted.left(comma);
        out[j] = padAreaCode(code) + (comma < 0 ? QString() : fitted.mid(comma));
    }
    if (m_dataKind == areaUnitTown()) {
        const auto codeOf = [](const QString &line) { return line.section(QLatin1Char(','), 0, 0); };
        std::stable_sort(out.begin() + 1, out.end(),
            [&](const QString &a, const QString &b) { return codeOf(a) < codeOf(b); });
    }

    if (!ComDirectory::CreateFolderTree(folderOf(m_realFilePath)))
        return -3;
    return ComFile::WriteAllLines(m_realFilePath, out, true) == 0 ? 0 : -4;
}

int32_t clsRealData::DeleteFile()
{
    return deleteFileAndEmptyFolder(m_realFilePath);
}
