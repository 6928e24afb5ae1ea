#include "platform/archive/membername.h"

#include "platform/text/text.h"

namespace veltra::archive {

namespace {

bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isTrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// A field of a level-2 header is at most 65535 bytes, its type byte and the
// next size field included.
constexpr int maxFieldBytes = 65535 - 3;

} // namespace

StoredName decodeStoredName(const QByteArray &folderBytes, const QByteArray &nameBytes)
{
    QByteArray bytes = folderBytes;
    if (!bytes.isEmpty() && !nameBytes.isEmpty()) {
        const char last = bytes.back();
        if (last != '\xFF' && last != '/' && last != '\\')
            bytes.append('/');
    }
    bytes.append(nameBytes);
    bytes.replace('\xFF', '/');

    // Which encoding decides which 0x5C bytes are separators: in CP932 the
    // second byte of a double-byte character is part of the character. The
    // replacement below only swaps one ASCII byte for another, so decodeAuto
    // comes to the same decision on the result.
    const bool utf8 = text::readsAsUtf8(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (!utf8 && isLeadByte(c) && i + 1 < bytes.size()
            && isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            ++i;
            continue;
        }
        if (c == '\\')
            bytes[i] = '/';
    }

    StoredName name;
    name.path = text::decodeAuto(bytes);
    name.components = name.path.split(QLatin1Char('/'));
    return name;
}

bool isSafeComponent(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

bool isDriveComponent(const QString &name)
{
    return name.size() == 2 && name[1] == QLatin1Char(':') && name[0].isLetter();
}

QString relativeStoredPath(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList kept;
    const QStringList parts = p.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (i == 0 && part.size() >= 2 && part[1] == QLatin1Char(':') && part[0].isLetter()) {
            // "C:" or "C:name": the drive goes, a name after it stays.
            if (part.size() > 2)
                kept.append(part.mid(2));
            continue;
        }
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            continue;
        kept.append(part);
    }
    return kept.join(QLatin1Char('/'));
}

bool encodeStoredName(
    const QString &relativePath, QByteArray &folderBytes, QByteArray &nameBytes, QString *error)
{
    folderBytes.clear();
    nameBytes.clear();
    const QStringList parts = relativePath.split(QLatin1Char('/'));
    if (relativePath.isEmpty() || parts.back().isEmpty()) {
        if (error)
            *error = QStringLiteral("格納する名前がありません");
        return false;
    }
    QString reason;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray encoded;
        if (!text::encodeCp932(parts[i], encoded, &reason)) {
            if (error)
                *error = QStringLiteral("名前をCP932で表せません: %1（%2）").arg(relativePath, reason);
            return false;
        }
        if (i + 1 < parts.size()) {
            folderBytes.append(encoded);
            folderBytes.append('\xFF');
        } else {
            nameBytes = encoded;
        }
    }
    if (folderBytes.size() > maxFieldBytes || nameBytes.size() > maxFieldBytes) {
        if (error)
            *error = QStringLiteral("名前が長すぎます: %1").arg(relativePath);
        return false;
    }
    return true;
}

} // namespace veltra::archive
