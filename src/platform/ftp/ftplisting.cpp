#include "platform/ftp/ftplisting.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace veltra::ftp {

namespace {

// "drwxr-xr-x  2 owner group  4096 Jan  1 12:00 name": nine fields, the
// ninth running to the end of the line.
const QRegularExpression &unixLine()
{
    static const QRegularExpression re(QStringLiteral(
        R"(^([dlbcps-])[rwxsStT-]{9}[+@.]?\s+\d+\s+\S+\s+(?:\S+\s+)?\d+\s+\S+\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    return re;
}

// "01-01-20  12:00PM       <DIR>          name"
const QRegularExpression &dosLine()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\d{2}-\d{2}-\d{2,4}\s+\d{1,2}:\d{2}(?:AM|PM)?\s+(<DIR>|\d+)\s+(.+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

std::optional<ListingEntry> parseListLine(const QString &line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (const auto m = unixLine().match(text); m.hasMatch()) {
        const QChar kind = m.captured(1).at(0);
        QString name = m.captured(2);
        ListingEntry entry;
        if (kind == QLatin1Char('d')) {
            entry.type = QStringLiteral("D");
        } else if (kind == QLatin1Char('l')) {
            entry.type = QStringLiteral("L");
            const qsizetype arrow = name.indexOf(QStringLiteral(" -> "));
            if (arrow >= 0)
                name.truncate(arrow);
        } else {
            entry.type = QStringLiteral("F");
        }
        entry.name = name;
        if (entry.name.isEmpty())
            return std::nullopt;
        return entry;
    }
    if (const auto m = dosLine().match(text); m.hasMatch()) {
        ListingEntry entry;
        entry.type = m.captured(1).compare(QLatin1String("<DIR>"), Qt::CaseInsensitive) == 0
            ? QStringLiteral("D")
            : QStringLiteral("F");
        entry.name = m.captured(2);
        return entry;
    }
    return std::nullopt;
}

std::vector<ListingEntry> parseListing(const QByteArray &listing)
{
    // Servers send names in the bytes they store; valid UTF-8 is taken as
    // such, anything else byte for byte.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(listing);
    if (utf8.hasError())
        text = QString::fromLatin1(listing);
    std::vector<ListingEntry> entries;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (auto entry = parseListLine(line))
            entries.push_back(*entry);
    }
    return entries;
}

} // namespace veltra::ftp
