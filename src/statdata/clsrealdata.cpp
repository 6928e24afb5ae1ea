#include "statdata/clsrealdata.h"

#include "platform/text/text.h"
#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"

#include <algorithm>
#include <charconv>
#include <numeric>

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

bool clsRealData::IsNumericText(QStringView text)
{
    return std::all_of(text.begin(), text.end(), IsNumericChar);
}

bool clsRealData::CheckValue(QStringView field)
{
    if (!IsNumericText(field))
        return false;
    if (field.isEmpty() || field == QLatin1String("-"))
        return true;
    // A plain decimal: optional leading minus, digits, at most one point,
    // at least one digit ("12", "12.", "12.5", ".5"). Checked by hand: a
    // town-block file holds millions of values.
    qsizetype i = field.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype digits = 0;
    qsizetype points = 0;
    for (qsizetype k = i; k < field.size(); ++k) {
        if (field.at(k) == QLatin1Char('.'))
            ++points;
        else if (field.at(k) == QLatin1Char('-'))
            return false;
        else
            ++digits;
    }
    if (digits == 0 || points > 1)
        return false;
    // The characters are ASCII here, so the Latin-1 bytes are the number.
    const QByteArray latin = field.toLatin1();
    double x = 0;
    const auto [end, error] = std::from_chars(latin.constData(), latin.constData() + latin.size(), x);
    if (error != std::errc() || end != latin.constData() + latin.size())
        return false;
    return x > -kValueLimit && x < kValueLimit;
}

int32_t clsRealData::CheckFileFormat()
{
    m_lines.clear();
    QStringList lines;
    if (ComFile::ReadAllLines(m_selectedFilePath, lines) <= 0)
        return -1;
    if (!CheckHeaderLine(lines.first()))
        return -2;
    const qsizetype headerFields = lines.first().count(QLatin1Char(',')) + 1;
    for (int j = 1; j < lines.size(); ++j) {
        QString line = lines.at(j);
        if (!CheckAreaCode(line))
            return -3;
        // Field by field without a list: a town-block file holds millions.
        // More fields than the header means an unquoted comma (such as a
        // thousands separator) has shifted every later value.
        const QStringView view(line);
        qsizetype start = 0;
        for (qsizetype i = 0;; ++i) {
            const qsizetype comma = view.indexOf(QLatin1Char(','), start);
            if (i >= headerFields)
                return -4;
            if (i >= 2 && !CheckValue(comma < 0 ? view.mid(start) : view.mid(start, comma - start)))
                return -4;
            if (comma < 0)
                break;
            start = comma + 1;
        }
    }
    m_lines = std::move(lines);
    return 0;
}

int32_t clsRealData::ConvertTextFile()
{
    if (m_alreadyMode && ComDirectory::IsFileExist(m_realFilePath))
        return -1;
    // The lines the check read, else the CSV read now.
    QStringList lines = std::move(m_lines);
    m_lines.clear();
    if (lines.isEmpty() && ComFile::ReadAllLines(m_selectedFilePath, lines) <= 0)
        return -2;

    // The area name (field 1) is dropped.
    const auto dropName = [](const QString &line) {
        const qsizetype first = line.indexOf(QLatin1Char(','));
        if (first < 0)
            return line;
        const qsizetype second = line.indexOf(QLatin1Char(','), first + 1);
        QString kept = line.left(first);
        if (second >= 0)
            kept.append(QStringView(line).mid(second));
        return kept;
    };
    QStringList out;
    out.reserve(lines.size());
    out << dropName(lines.first());
    const qsizetype n = out.first().count(QLatin1Char(',')) + 1;
    for (int j = 1; j < lines.size(); ++j) {
        QString line = dropName(lines.at(j));
        // Exactly as many fields as the header: cut at the n-th comma, or
        // add empty fields.
        qsizetype commas = 0;
        qsizetype cut = -1;
        for (qsizetype k = 0; k < line.size(); ++k) {
            if (line.at(k) == QLatin1Char(',') && ++commas == n) {
                cut = k;
                break;
            }
        }
        if (cut >= 0)
            line.truncate(cut);
        else
            line.append(QString(n - 1 - commas, QLatin1Char(',')));
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        out << padAreaCode(comma < 0 ? line : line.left(comma)) + (comma < 0 ? QString() : line.mid(comma));
    }
    if (m_dataKind == areaUnitTown()) {
        // Each line's code taken once, not on every comparison.
        std::vector<QStringView> codes;
        codes.reserve(static_cast<std::size_t>(out.size()));
        for (const QString &line : std::as_const(out))
            codes.push_back(QStringView(line).left(line.indexOf(QLatin1Char(','))));
        std::vector<qsizetype> order(static_cast<std::size_t>(out.size()) - 1);
        std::iota(order.begin(), order.end(), qsizetype(1));
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return codes[static_cast<std::size_t>(a)] < codes[static_cast<std::size_t>(b)];
        });
        QStringList sorted;
        sorted.reserve(out.size());
        sorted << out.first();
        for (qsizetype j : order)
            sorted << out.at(j);
        out = std::move(sorted);
    }

    if (!ComDirectory::CreateFolderTree(folderOf(m_realFilePath)))
        return -3;
    return ComFile::WriteAllLines(m_realFilePath, out, true) == 0 ? 0 : -4;
}

int32_t clsRealData::DeleteFile()
{
    return deleteFileAndEmptyFolder(m_realFilePath);
}
