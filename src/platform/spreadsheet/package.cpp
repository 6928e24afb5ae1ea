#include "platform/spreadsheet/package.h"

#include "platform/fs/fs.h"

#include <QDir>
#include <algorithm>
#include <memory>
#include <zip.h>

namespace veltra::spreadsheet {

namespace {

// A part larger than this is not a workbook we wrote or can fill; refusing
// it keeps a damaged or hostile file from exhausting memory.
constexpr zip_uint64_t kMaxPartSize = zip_uint64_t(512) * 1024 * 1024;

// 1980-01-01 00:00, the earliest date a zip entry can carry.
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr zip_uint16_t kDosTime = 0;

const QString kContentTypes = QStringLiteral("[Content_Types].xml");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString notAWorkbook(const QString &path)
{
    return QStringLiteral("ブックの形式が正しくありません: %1").arg(QDir::toNativeSeparators(path));
}

struct ZipCloser
{
    void operator()(zip_t *z) const { zip_discard(z); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct FileCloser
{
    void operator()(zip_file_t *f) const { zip_fclose(f); }
};

struct SourceFree
{
    void operator()(zip_source_t *s) const { zip_source_free(s); }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceFree>;

} // namespace

bool Package::load(const QString &path, QString *error)
{
    m_parts.clear();
    QByteArray bytes;
    if (!fs::readFile(path, bytes, error))
        return false;

    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &zerr);
    zip_error_fini(&zerr);
    if (!source) {
        setError(error, notAWorkbook(path));
        return false;
    }
    zip_error_init(&zerr);
    ZipHandle zip(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerr));
    zip_error_fini(&zerr);
    if (!zip) {
        zip_source_free(source); // not taken over on failure
        setError(error, notAWorkbook(path));
        return false;
    }

    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip.get(), zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)
            || !(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartSize) {
            m_parts.clear();
            setError(error, notAWorkbook(path));
            return false;
        }
        const QString name = QString::fromUtf8(st.name);
        if (name.endsWith(QLatin1Char('/')))
            continue;
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(zip.get(), zip_uint64_t(i), 0));
        const zip_int64_t read = file ? zip_fread(file.get(), data.data(), st.size) : -1;
        if (read < 0 || zip_uint64_t(read) != st.size) {
            m_parts.clear();
            setError(error, notAWorkbook(path));
            return false;
        }
        m_parts.emplace_back(name, std::move(data));
    }
    return true;
}

bool Package::toZip(QByteArray &out, QString *error) const
{
    const auto failed = [&] {
        setError(error, QStringLiteral("ブックを圧縮できませんでした。"));
        return false;
    };
    zip_error_t zerr;
    zip_error_init(&zerr);
    SourceHandle buffer(zip_source_buffer_create(nullptr, 0, 0, &zerr));
    zip_error_fini(&zerr);
    if (!buffer)
        return failed();
    // The archive takes a reference of its own; ours reads the bytes after zip_close.
    zip_source_keep(buffer.get());
    zip_error_init(&zerr);
    zip_t *zip = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zerr);
    zip_error_fini(&zerr);
    if (!zip) {
        zip_source_free(buffer.get()); // drop the reference the archive did not take
        return failed();
    }

    // The content types first, as Office writes them; then the parts in order.
    std::vector<const std::pair<QString, QByteArray> *> order;
    for (const auto &p : m_parts) {
        if (p.first == kContentTypes)
            order.insert(order.begin(), &p);
        else
            order.push_back(&p);
    }
    for (const auto *p : order) {
        zip_source_t *data = zip_source_buffer(zip, p->second.constData(), zip_uint64_t(p->second.size()), 0);
        const QByteArray name = p->first.toUtf8();
        const zip_int64_t index = data ? zip_file_add(zip, name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            zip_discard(zip);
            return failed();
        }
        if (zip_file_set_dostime(zip, zip_uint64_t(index), kDosTime, kDosDate, 0) != 0
            || zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6) != 0) {
            zip_discard(zip);
            return failed();
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        return failed();
    }

    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(buffer.get(), &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(buffer.get()) != 0)
        return failed();
    out.resize(qsizetype(st.size));
    const zip_int64_t read = zip_source_read(buffer.get(), out.data(), st.size);
    zip_source_close(buffer.get());
    if (read < 0 || zip_uint64_t(read) != st.size)
        return failed();
    return true;
}

bool Package::save(const QString &path, QString *error) const
{
    QByteArray zip;
    return toZip(zip, error) && fs::writeFileAtomic(path, zip, error);
}

bool Package::hasPart(const QString &name) const
{
    return std::any_of(m_parts.begin(), m_parts.end(), [&](const auto &p) { return p.first == name; });
}

QByteArray Package::part(const QString &name) const
{
    for (const auto &p : m_parts) {
        if (p.first == name)
            return p.second;
    }
    return {};
}

void Package::setPart(const QString &name, const QByteArray &bytes)
{
    for (auto &p : m_parts) {
        if (p.first == name) {
            p.second = bytes;
            return;
        }
    }
    m_parts.emplace_back(name, bytes);
}

void Package::removePart(const QString &name)
{
    std::erase_if(m_parts, [&](const auto &p) { return p.first == name; });
}

QStringList Package::partNames() const
{
    QStringList names;
    for (const auto &p : m_parts)
        names << p.first;
    return names;
}

QString relationshipsPartOf(const QString &partName)
{
    const qsizetype slash = partName.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : partName.left(slash + 1);
    const QString file = partName.mid(slash + 1);
    return folder + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

QString resolveTarget(const QString &sourcePart, const QString &target)
{
    QString path;
    if (target.startsWith(QLatin1Char('/'))) {
        path = target.mid(1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(QLatin1Char('/'));
        path = (slash < 0 ? QString() : sourcePart.left(slash + 1)) + target;
    }
    QStringList out;
    for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!out.isEmpty())
                out.removeLast();
        } else if (segment != QLatin1String(".")) {
            out << segment;
        }
    }
    return out.join(QLatin1Char('/'));
}

} // namespace veltra::spreadsheet
