#include "platform/archive/lhawriter.h"

#include "platform/archive/crc16.h"
#include "platform/archive/lh5encoder.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/membername.h"
#include "platform/archive/siblingfile.h"
#include "platform/fs/fs.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <limits>
#include <sys/stat.h>

namespace veltra::archive {

namespace {

void appendLittle(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putLittle(QByteArray &out, qsizetype at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendExtended(QByteArray &out, char type, const QByteArray &data)
{
    appendLittle(out, static_cast<quint32>(data.size() + 3), 2);
    out.append(type);
    out.append(data);
}

std::uint32_t unixTime(const QDateTime &time)
{
    const qint64 seconds = time.isValid() ? time.toSecsSinceEpoch() : 0;
    return static_cast<std::uint32_t>(qBound<qint64>(0, seconds, std::numeric_limits<std::uint32_t>::max()));
}

// Reads the whole source into `sink`; false (with a message) when it cannot
// be read, when it ends up another size than it had at the start, or when
// the sink refuses.
bool readSource(QFile &in, qint64 expected, const std::function<bool(const char *, qint64)> &sink,
    QString *message, quint64 *total, Crc16 *crc)
{
    *total = 0;
    if (!in.seek(0)) {
        *message = QStringLiteral("ファイルを読み込めません: %1").arg(in.fileName());
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            *message = QStringLiteral("ファイルを読み込めません: %1").arg(in.fileName());
            return false;
        }
        if (got == 0)
            break;
        *total += static_cast<quint64>(got);
        if (*total > static_cast<quint64>(expected))
            break;
        crc->update(buffer, static_cast<std::size_t>(got));
        if (!sink(buffer, got))
            return false;
    }
    if (*total != static_cast<quint64>(expected)) {
        *message = QStringLiteral("読み込み中にファイルの大きさが変わりました: %1").arg(in.fileName());
        return false;
    }
    return true;
}

// The new member, written at the current end of `out`: header, then the
// data, then the header again with sizes and CRC. A compression that does
// not shrink the data gives way to storing it.
bool writeMember(SiblingFile &out, QFile &in, Level2Fields fields, Method method, QString *message)
{
    const qint64 size = in.size();
    if (size > static_cast<qint64>(std::numeric_limits<std::uint32_t>::max())) {
        *message = QStringLiteral("ファイルが大きすぎます（4 GB 以上）: %1").arg(in.fileName());
        return false;
    }
    const qint64 headerAt = out.size();
    fields.method = "-lh0-";
    const QByteArray header = level2Header(fields);
    if (!out.write(header))
        return false;
    const qint64 dataAt = out.size();
    quint64 total = 0;
    Crc16 crc;

    if (method == Method::Compressed && size > 0) {
        // Stops as soon as the output is as large as the input: stored is
        // then smaller.
        bool tooLarge = false;
        Lh5Encoder encoder([&](const char *data, qint64 length) {
            if (out.size() - dataAt + length >= size) {
                tooLarge = true;
                return false;
            }
            return out.write(data, length);
        });
        const bool encoded
            = readSource(
                  in, size,
                  [&encoder](const char *data, qint64 length) { return encoder.write(data, length); },
                  message, &total, &crc)
            && encoder.finish();
        if (!out.isOpen())
            return false;
        if (encoded) {
            fields.method = "-lh5-";
            fields.size = static_cast<std::uint32_t>(total);
            fields.compressedSize = static_cast<std::uint32_t>(out.size() - dataAt);
            fields.crc = crc.value();
            return out.writeAt(headerAt, level2Header(fields));
        }
        if (!tooLarge)
            return false;
        if (!out.truncate(dataAt))
            return false;
        crc = Crc16();
    }

    if (!readSource(
            in, size, [&out](const char *data, qint64 length) { return out.write(data, length); }, message,
            &total, &crc))
        return false;
    fields.size = static_cast<std::uint32_t>(total);
    fields.compressedSize = fields.size;
    fields.crc = crc.value();
    return out.writeAt(headerAt, level2Header(fields));
}

} // namespace

QByteArray level2Header(const Level2Fields &fields)
{
    QByteArray h;
    appendLittle(h, 0, 2); // header size, set below
    h.append(fields.method.leftJustified(5, ' ', true));
    appendLittle(h, fields.compressedSize, 4);
    appendLittle(h, fields.size, 4);
    appendLittle(h, fields.time, 4);
    h.append('\x20'); // the archive attribute, as MS-DOS archivers set it
    h.append('\x02');
    appendLittle(h, fields.crc, 2);
    h.append('W'); // written for Windows-style names (CP932)
    const qsizetype commonCrcAt = h.size() + 3;
    appendExtended(h, 0x00, QByteArray(2, '\0'));
    appendExtended(h, 0x01, fields.name);
    if (!fields.folder.isEmpty())
        appendExtended(h, 0x02, fields.folder);
    appendLittle(h, 0, 2);
    // A first byte of 0 would read as the end mark of the archive.
    if ((h.size() & 0xFF) == 0)
        h.append('\0');
    if (h.size() > 0xFFFF)
        return {};
    putLittle(h, 0, static_cast<quint32>(h.size()), 2);
    putLittle(h, commonCrcAt, Crc16::of(h), 2);
    return h;
}

bool addFile(
    const QString &archive, const QString &file, const QString &storedPath, QString *message, Method method)
{
    QString note;
    QString *text = message ? message : &note;

    QFile in(file);
    const bool isFile = QFileInfo(file).isFile();
    if (!isFile || !in.open(QIODevice::ReadOnly)) {
        const int err = isFile ? errno : ENOENT;
        *text = QStringLiteral("ファイルを読み込めません: %1\n%2")
                    .arg(file, fs::failureReason(file, err, false));
        return false;
    }

    Level2Fields fields;
    if (!encodeStoredName(storedPath, fields.folder, fields.name, text))
        return false;
    fields.time = unixTime(QFileInfo(file).lastModified());
    if (level2Header(fields).isEmpty()) {
        *text = QStringLiteral("名前が長すぎます: %1").arg(storedPath);
        return false;
    }

    // An archive reached through a symbolic link is rewritten where it lies.
    QString target = archive;
    const QFileInfo targetInfo(archive);
    if (targetInfo.isSymLink())
        target = targetInfo.symLinkTarget();
    const QFileInfo info(target);
    const QString folder = info.absolutePath() + QLatin1Char('/');

    LhaReader reader;
    QFile old;
    bool exists = info.exists();
    if (exists) {
        QString error;
        if (info.isDir() || !reader.open(target, &error)) {
            *text = info.isDir() ? QStringLiteral("書庫の名前がフォルダーです: %1").arg(archive) : error;
            return false;
        }
        old.setFileName(target);
        if (!old.open(QIODevice::ReadOnly)) {
            *text = QStringLiteral("書庫を開けません: %1").arg(archive);
            return false;
        }
    }

    SiblingFile out(folder);
    const auto writeFailed = [&] {
        *text = QStringLiteral("書庫を書き込めません: %1\n%2")
                    .arg(archive, fs::failureReason(archive, out.errorNumber(), true));
        return false;
    };
    if (!out.isOpen())
        return writeFailed();

    bool replaced = false;
    for (const Member &member : reader.members()) {
        const bool same = member.kind != Member::Kind::Folder
            && relativeStoredPath(member.name.path).compare(storedPath, Qt::CaseInsensitive) == 0;
        if (same && !replaced) {
            replaced = true;
            if (!writeMember(out, in, fields, method, text))
                return out.isOpen() ? false : writeFailed();
            continue;
        }
        if (same)
            continue; // a second copy of the replaced name goes too
        if (!old.seek(member.headerOffset)) {
            *text = QStringLiteral("書庫を読み込めません: %1").arg(archive);
            return false;
        }
        qint64 left = member.endOffset - member.headerOffset;
        char buffer[1 << 16];
        while (left > 0) {
            const qint64 got = old.read(buffer, qMin<qint64>(left, sizeof buffer));
            if (got <= 0) {
                *text = QStringLiteral("書庫を読み込めません: %1").arg(archive);
                return false;
            }
            if (!out.write(buffer, got))
                return writeFailed();
            left -= got;
        }
    }
    if (!replaced && !writeMember(out, in, fields, method, text))
        return out.isOpen() ? false : writeFailed();
    if (!out.write(QByteArray(1, '\0')))
        return writeFailed();
    if (exists) {
        struct stat st;
        if (::stat(QFile::encodeName(target).constData(), &st) == 0)
            out.setPermissions(st.st_mode);
    }
    if (!out.commit(target))
        return writeFailed();
    *text = (replaced ? QStringLiteral("置換: %1") : QStringLiteral("追加: %1")).arg(storedPath);
    return true;
}

} // namespace veltra::archive
