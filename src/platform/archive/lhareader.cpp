#include "platform/archive/lhareader.h"

#include "platform/archive/crc16.h"

#include <QFile>
#include <lhasa.h>

namespace veltra::archive {

namespace {

quint32 readLittle(const QByteArray &raw, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(raw[at + i]);
    return value;
}

// The folder and name fields of a header, from its raw bytes: the name field
// of a level-0 or level-1 base header, then the name (0x01) and directory
// (0x02) extended headers of levels 1 to 3, which take precedence.
bool rawNameFields(const QByteArray &raw, int level, QByteArray &folder, QByteArray &name)
{
    folder.clear();
    name.clear();
    qsizetype at = 0;
    int sizeBytes = 2;
    if (level == 0 || level == 1) {
        if (raw.size() < 22)
            return false;
        const int length = static_cast<unsigned char>(raw[21]);
        if (22 + length > raw.size())
            return false;
        name = raw.mid(22, length);
        if (level == 0)
            return true;
        at = static_cast<unsigned char>(raw[0]);
    } else if (level == 2) {
        at = 24;
    } else if (level == 3) {
        at = 28;
        sizeBytes = 4;
    } else {
        return false;
    }
    while (at + sizeBytes <= raw.size()) {
        const qsizetype length = readLittle(raw, at, sizeBytes);
        if (length == 0)
            return true;
        if (length < sizeBytes + 1 || length > raw.size() - at)
            return false;
        const char type = raw[at + sizeBytes];
        const QByteArray data = raw.mid(at + sizeBytes + 1, length - sizeBytes - 1);
        if (type == 0x01)
            name = data;
        else if (type == 0x02)
            folder = data;
        at += length;
    }
    // The chain must end with a zero size inside the header.
    return false;
}

Member::Kind kindOf(const LHAFileHeader *header)
{
    if (header->symlink_target)
        return Member::Kind::SymbolicLink;
    if (qstrcmp(header->compress_method, LHA_COMPRESS_TYPE_DIR) == 0)
        return Member::Kind::Folder;
    if (LHA_FILE_HAVE_EXTRA(header, LHA_FILE_UNIX_PERMS)) {
        const unsigned type = header->unix_perms & 0170000;
        if (type != 0 && type != 0100000)
            return Member::Kind::Special;
    }
    return Member::Kind::File;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

// One sequential pass of liblhasa over the file.
struct LhaReader::Pass
{
    QFile file;
    LHAInputStreamType type{};
    LHAInputStream *stream = nullptr;
    LHAReader *reader = nullptr;
    LHAFileHeader *header = nullptr;
    int index = -1;

    ~Pass()
    {
        if (reader)
            lha_reader_free(reader);
        if (stream)
            lha_input_stream_free(stream);
    }

    static int read(void *handle, void *buffer, size_t length)
    {
        auto *pass = static_cast<Pass *>(handle);
        const qint64 got = pass->file.read(static_cast<char *>(buffer), static_cast<qint64>(length));
        return got < 0 ? -1 : static_cast<int>(got);
    }

    static int skip(void *handle, size_t bytes)
    {
        auto *pass = static_cast<Pass *>(handle);
        const qint64 left = pass->file.size() - pass->file.pos();
        if (bytes > static_cast<quint64>(left))
            return 0;
        return pass->file.seek(pass->file.pos() + static_cast<qint64>(bytes)) ? 1 : 0;
    }
};

LhaReader::LhaReader() = default;
LhaReader::~LhaReader() = default;

bool LhaReader::startPass(QString *error)
{
    m_pass = std::make_unique<Pass>();
    m_pass->file.setFileName(m_path);
    if (!m_pass->file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("書庫を開けません: %1").arg(m_path));
        m_pass.reset();
        return false;
    }
    m_pass->type.read = &Pass::read;
    m_pass->type.skip = &Pass::skip;
    m_pass->stream = lha_input_stream_new(&m_pass->type, m_pass.get());
    m_pass->reader = m_pass->stream ? lha_reader_new(m_pass->stream) : nullptr;
    if (!m_pass->reader) {
        setError(error, QStringLiteral("メモリが足りません"));
        m_pass.reset();
        return false;
    }
    lha_reader_set_dir_policy(m_pass->reader, LHA_READER_DIR_PLAIN);
    return true;
}

bool LhaReader::open(const QString &path, QString *error)
{
    m_path = path;
    m_members.clear();
    m_membersEnd = 0;
    if (!startPass(error))
        return false;

    const QString notArchive = QStringLiteral("LHA書庫ではないか、壊れています: %1").arg(path);
    QFile check(path);
    if (!check.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("書庫を開けません: %1").arg(path));
        return false;
    }
    const qint64 fileSize = check.size();
    qint64 offset = 0;
    bool ok = true;
    while (LHAFileHeader *header = lha_reader_next_file(m_pass->reader)) {
        // The header liblhasa read must be the bytes where the previous
        // member ended; it skips any lead-in before the first header itself.
        // Names are parsed from the file's bytes: liblhasa clears the common
        // CRC field in its copy.
        const auto length = static_cast<qsizetype>(header->raw_data_len);
        QByteArray raw;
        if (check.seek(offset))
            raw = check.read(length);
        if (raw.size() != length || length < 22
            || raw.left(22)
                != QByteArray::fromRawData(reinterpret_cast<const char *>(header->raw_data), 22)) {
            ok = false;
            break;
        }
        Member member;
        member.headerLevel = header->header_level;
        QByteArray folder;
        QByteArray name;
        if (!rawNameFields(raw, member.headerLevel, folder, name)) {
            ok = false;
            break;
        }
        member.name = decodeStoredName(folder, name);
        member.method = QString::fromLatin1(header->compress_method);
        member.kind = kindOf(header);
        member.size = header->length;
        member.compressedSize = header->compressed_length;
        member.crc = header->crc;
        member.time = QDateTime::fromSecsSinceEpoch(header->timestamp);
        member.headerOffset = offset;
        if (member.compressedSize > static_cast<quint64>(fileSize)) {
            ok = false;
            break;
        }
        offset += raw.size() + static_cast<qint64>(member.compressedSize);
        member.endOffset = offset;
        if (offset > fileSize) {
            ok = false;
            break;
        }
        m_members.append(member);
    }
    m_pass.reset();

    // What follows the last member: the end of the file or an end mark.
    if (ok && offset < fileSize) {
        char mark = 1;
        ok = check.seek(offset) && check.read(&mark, 1) == 1 && mark == 0;
    } else if (ok && offset == 0) {
        ok = false; // an empty file
    }
    if (!ok) {
        m_members.clear();
        setError(error, notArchive);
        return false;
    }
    m_membersEnd = offset;
    return true;
}

bool LhaReader::readData(int index, const Sink &sink, QString *error)
{
    if (index < 0 || index >= m_members.size()) {
        setError(error, QStringLiteral("書庫にないメンバーです"));
        return false;
    }
    const Member &member = m_members[index];
    if (!m_pass || m_pass->index >= index) {
        if (!startPass(error))
            return false;
    }
    while (m_pass->index < index) {
        m_pass->header = lha_reader_next_file(m_pass->reader);
        ++m_pass->index;
        if (!m_pass->header) {
            m_pass.reset();
            setError(error, QStringLiteral("書庫が途中で変わりました"));
            return false;
        }
    }
    const LHAFileHeader *header = m_pass->header;
    if (header->length != member.size || header->compressed_length != member.compressedSize) {
        m_pass.reset();
        setError(error, QStringLiteral("書庫が途中で変わりました"));
        return false;
    }
    if (member.kind != Member::Kind::File)
        return true;

    QByteArray method = member.method.toLatin1();
    if (!lha_decoder_for_name(method.data())) {
        setError(error, QStringLiteral("展開できない圧縮形式です: %1").arg(member.method));
        return false;
    }
    Crc16 crc;
    std::uint64_t total = 0;
    char buffer[1 << 16];
    for (;;) {
        const size_t got = lha_reader_read(m_pass->reader, buffer, sizeof buffer);
        if (got == 0)
            break;
        total += got;
        if (total > member.size)
            break;
        crc.update(buffer, got);
        if (!sink(buffer, static_cast<qint64>(got))) {
            setError(error, QStringLiteral("展開したデータを書き込めません"));
            return false;
        }
    }
    if (total != member.size) {
        setError(error, QStringLiteral("データが壊れています"));
        return false;
    }
    if (crc.value() != member.crc) {
        setError(error, QStringLiteral("CRCエラーです"));
        return false;
    }
    return true;
}

} // namespace veltra::archive
