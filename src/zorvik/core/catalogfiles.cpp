#include "zorvik/core/catalogfiles.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "zorvik/core/csvline.h"
#include "zorvik/core/filesetcommit.h"

#include <QDir>
#include <algorithm>
#include <map>

namespace zorvik::catalogfiles {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Reads a file into field lists, header dropped and blank lines skipped.
bool readRows(const QString &path, std::vector<QStringList> &rows, QString *error)
{
    QStringList lines;
    QString why;
    if (!veltra::text::readLines(path, lines, &why)) {
        setError(error, why);
        return false;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        rows.push_back(csv::split(lines[i]));
    }
    return true;
}

bool toInt(const QString &text, int lo, int hi, int &value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    value = v;
    return true;
}

// Parses fields [first, first + count) as integers within [lo, hi].
bool ints(const QStringList &row, int first, int count, int lo, int hi, std::vector<int> &out)
{
    out.clear();
    for (int i = first; i < first + count; ++i) {
        int v = 0;
        if (i >= row.size() || !toInt(row[i], lo, hi, v))
            return false;
        out.push_back(v);
    }
    return true;
}

QString badDefinition(const QString &path, const QString &why)
{
    return QStringLiteral("地図の定義ファイルを読み込めません: %1\n%2").arg(path, why);
}

QString badLine(const QString &path, std::size_t row)
{
    // Row numbers count the header as line 1.
    return badDefinition(path, QStringLiteral("%1 行目の形式が正しくありません。").arg(row + 2));
}

bool readSpaces(const QString &folder, Catalog &catalog, QString *error)
{
    std::vector<QStringList> rows;
    const QString path = veltra::fs::resolve(folder + QLatin1String(SpaceFile));
    if (!readRows(path, rows, error))
        return false;
    struct Row
    {
        int id, order;
        QString name, type;
    };
    std::vector<Row> spaces;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        int id = 0, order = 0;
        if (r.size() != 4 || !toInt(r[0], 1, MaxSpaceId, id) || !toInt(r[3], -1000000, 1000000, order)) {
            setError(error, badLine(path, i));
            return false;
        }
        spaces.push_back({id, order, r[1], r[2].trimmed()});
    }
    std::stable_sort(
        spaces.begin(), spaces.end(), [](const Row &a, const Row &b) { return a.order < b.order; });
    for (std::size_t i = 0; i < spaces.size(); ++i) {
        if (catalog.addSpace(spaces[i].id, spaces[i].name, spaces[i].type) != code::Ok) {
            setError(error,
                badDefinition(path,
                    QStringLiteral("空間 %1 が二度定義されているか、定義が正しくありません。")
                        .arg(spaces[i].id)));
            return false;
        }
    }
    return true;
}

bool readVectors(const QString &folder, Catalog &catalog, QString *error)
{
    std::vector<QStringList> rows;
    const QString path = veltra::fs::resolve(folder + QLatin1String(VectorFile));
    if (!readRows(path, rows, error))
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        int id = 0;
        std::vector<int> flags, style;
        if (r.size() != 11 || !toInt(r[0], 1, MaxKindId, id) || !ints(r, 3, 2, 0, 1, flags)
            || !ints(r, 5, 6, 0, 32767, style)) {
            setError(error, badLine(path, i));
            return false;
        }
        if (catalog.addVectorKind(static_cast<std::int16_t>(id), r[1]) != code::Ok) {
            setError(error,
                badDefinition(path,
                    QStringLiteral("ベクタ種別 %1 が二度定義されているか、定義が正しくありません。")
                        .arg(id)));
            return false;
        }
        VectorKind *k = catalog.vectorKind(static_cast<std::int16_t>(id));
        k->disp = static_cast<std::int16_t>(flags[0]);
        k->pick = static_cast<std::int16_t>(flags[1]);
        for (int s = 0; s < 6; ++s)
            k->style.n[s] = static_cast<std::int16_t>(style[s]);
        for (const QString &sp : r[2].split(u';', Qt::SkipEmptyParts)) {
            int spaceId = 0;
            if (!toInt(sp, 1, MaxSpaceId, spaceId)) {
                setError(error, badLine(path, i));
                return false;
            }
            // A link to a space that is not defined is dropped.
            catalog.addVectorKindToSpace(static_cast<std::int16_t>(spaceId), static_cast<std::int16_t>(id));
        }
    }
    return true;
}

bool readConnectors(const QString &folder, Catalog &catalog, QString *error)
{
    std::vector<QStringList> rows;
    const QString path = veltra::fs::resolve(folder + QLatin1String(ConnectorFile));
    if (!readRows(path, rows, error))
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        int id = 0, spaceId = 0, hatchFlag = 0, hatchNo = 0, size = 0;
        std::vector<int> flags, colours;
        if (r.size() != 12 || !toInt(r[0], 1, MaxKindId, id) || !toInt(r[2], 0, MaxSpaceId, spaceId)
            || !ints(r, 4, 2, 0, 1, flags) || !ints(r, 6, 3, 0, 32767, colours)
            || !toInt(r[9], 0, 1, hatchFlag) || !toInt(r[10], 0, 32767, hatchNo)
            || !toInt(r[11], 0, 32767, size)) {
            setError(error, badLine(path, i));
            return false;
        }
        ConnectorKind k;
        k.id = static_cast<std::int16_t>(id);
        k.name = r[1];
        k.dll = r[3];
        k.disp = static_cast<std::int16_t>(flags[0]);
        k.pick = static_cast<std::int16_t>(flags[1]);
        for (int s = 0; s < 3; ++s)
            k.style.n[2 * s] = static_cast<std::int16_t>(colours[s]);
        k.hatchFlag = static_cast<std::int16_t>(hatchFlag);
        k.hatchNo = static_cast<std::int16_t>(hatchNo);
        k.size = static_cast<std::int16_t>(size);
        // A connector kind whose space is not defined keeps no space.
        k.space = catalog.space(static_cast<std::int16_t>(spaceId)) ? static_cast<std::int16_t>(spaceId) : 0;
        if (catalog.putConnectorKind(k) != code::Ok) {
            setError(error,
                badDefinition(path,
                    QStringLiteral("コネクタ種別 %1 が二度定義されているか、定義が正しくありません。")
                        .arg(id)));
            return false;
        }
    }
    return true;
}

// Reads "kindID,range1,range2,flag" lines until the first line of another shape.
void readRanges(const QString &path, std::map<int, ScaleRange> &ranges)
{
    QStringList lines;
    if (!veltra::text::readLines(path, lines))
        return;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList r = csv::split(lines[i]);
        int id = 0, lower = 0, upper = 0, flag = 0;
        if (r.size() != 4 || !toInt(r[0], -32768, 32767, id) || !toInt(r[1], INT32_MIN, INT32_MAX, lower)
            || !toInt(r[2], INT32_MIN, INT32_MAX, upper) || !toInt(r[3], -32768, 32767, flag))
            break;
        ranges.emplace(id, ScaleRange{lower, upper, true});
    }
}

void readTables(const QString &folder, Catalog &catalog)
{
    QStringList lines;
    if (veltra::text::readLines(veltra::fs::resolve(folder + QLatin1String(PaletteFile)), lines)) {
        auto palette = catalog.palette();
        for (const QString &line : lines) {
            std::vector<int> v;
            if (ints(csv::split(line), 0, 4, 0, 255, v))
                palette[v[0]] = {static_cast<std::int16_t>(v[1]), static_cast<std::int16_t>(v[2]),
                    static_cast<std::int16_t>(v[3])};
        }
        catalog.setPalette(palette);
    }
    lines.clear();
    if (veltra::text::readLines(veltra::fs::resolve(folder + QLatin1String(LineTypeFile)), lines)) {
        auto types = catalog.lineTypes();
        for (const QString &line : lines) {
            std::vector<int> v;
            const QStringList r = csv::split(line);
            if (r.size() == 3 && ints(r, 0, 1, 0, LineTypeCount - 1, v) && ints(r, 1, 2, 0, 100, v))
                types[r[0].toInt()] = {v[0], std::min(v[1], 5)};
        }
        catalog.setLineTypes(types);
    }
    lines.clear();
    if (veltra::text::readLines(veltra::fs::resolve(folder + QLatin1String(HatchFile)), lines)) {
        auto hatches = catalog.hatches();
        for (const QString &line : lines) {
            std::vector<int> v;
            if (ints(csv::split(line), 0, 2, -1, 100, v) && v[0] >= 0 && v[0] < HatchCount)
                hatches[v[0]] = v[1];
        }
        catalog.setHatches(hatches);
    }
}

} // namespace

bool read(const QString &folder, Catalog &catalog, QString *error)
{
    // An interrupted save is finished or rolled back before anything is read.
    if (!recover(folder, error))
        return false;
    Catalog fresh;
    if (!readSpaces(folder, fresh, error) || !readVectors(folder, fresh, error)
        || !readConnectors(folder, fresh, error))
        return false;
    std::map<int, ScaleRange> vectorRanges, connectorRanges;
    readRanges(veltra::fs::resolve(folder + QLatin1String(VectorRangeFile)), vectorRanges);
    readRanges(veltra::fs::resolve(folder + QLatin1String(ConnectorRangeFile)), connectorRanges);
    for (const auto &[id, range] : vectorRanges)
        if (VectorKind *k = fresh.vectorKind(static_cast<std::int16_t>(id)))
            k->range = range;
    for (const auto &[id, range] : connectorRanges)
        if (ConnectorKind *k = fresh.connectorKind(static_cast<std::int16_t>(id)))
            k->range = range;
    readTables(folder, fresh);
    catalog = fresh;
    catalog.touch();
    return true;
}

bool write(const QString &folder, const Catalog &catalog, QString *error)
{
    QStringList spaces{QStringLiteral("spaceID,name,type,order")};
    int order = 0;
    for (const Space &s : catalog.spaces())
        spaces << csv::join({QString::number(s.id), s.name, s.type, QString::number(++order)});

    QStringList vectors{QStringLiteral("kindID,name,spaceIDs,disp,pick,c0,l0,c1,l1,c2,l2")};
    for (const VectorKind &k : catalog.vectorKinds()) {
        QStringList ids;
        for (std::int16_t s : catalog.spacesOfVectorKind(k.id))
            ids << QString::number(s);
        QStringList f{
            QString::number(k.id), k.name, ids.join(u';'), QString::number(k.disp), QString::number(k.pick)};
        for (std::int16_t n : k.style.n)
            f << QString::number(n);
        vectors << csv::join(f);
    }

    QStringList connectors{
        QStringLiteral("kindID,name,spaceID,dll,disp,pick,c0,c1,c2,hatchFlag,hatchNo,size")};
    for (const ConnectorKind &k : catalog.connectorKinds()) {
        connectors << csv::join({QString::number(k.id), k.name, QString::number(k.space), k.dll,
            QString::number(k.disp), QString::number(k.pick), QString::number(k.style.n[0]),
            QString::number(k.style.n[2]), QString::number(k.style.n[4]), QString::number(k.hatchFlag),
            QString::number(k.hatchNo), QString::number(k.size)});
    }

    const std::pair<const char *, const QStringList *> files[]
        = {{SpaceFile, &spaces}, {VectorFile, &vectors}, {ConnectorFile, &connectors}};
    // All three are encoded before anything is written, and change together:
    // a crash leaves the whole old or the whole new set.
    std::vector<std::pair<QString, QByteArray>> encoded;
    for (const auto &[name, lines] : files) {
        QByteArray bytes;
        for (const QString &line : *lines) {
            QByteArray encodedLine;
            QString why;
            if (!veltra::text::encodeCp932(line, encodedLine, &why)) {
                setError(error,
                    QStringLiteral("ファイルに書き込めません: %1\n%2")
                        .arg(veltra::fs::resolve(folder + QLatin1String(name)), why));
                return false;
            }
            bytes += encodedLine + "\r\n";
        }
        encoded.emplace_back(QLatin1String(name), bytes);
    }
    return filesetcommit::commit(folder, encoded, error);
}

bool recover(const QString &folder, QString *error)
{
    return filesetcommit::recover(folder,
        {QLatin1String(SpaceFile), QLatin1String(VectorFile), QLatin1String(ConnectorFile)}, error);
}

bool writeEmptyIfMissing(const QString &folder, QString *error)
{
    if (!veltra::fs::folderExists(folder) && !veltra::fs::createFolder(folder)) {
        setError(error,
            QStringLiteral("フォルダを作成できません: %1\n%2")
                .arg(folder, veltra::fs::failureReason(QDir::cleanPath(folder), 0, true)));
        return false;
    }
    const std::pair<const char *, const char *> files[] = {{SpaceFile, "spaceID,name,type,order"},
        {VectorFile, "kindID,name,spaceIDs,disp,pick,c0,l0,c1,l1,c2,l2"},
        {ConnectorFile, "kindID,name,spaceID,dll,disp,pick,c0,c1,c2,hatchFlag,hatchNo,size"}};
    for (const auto &[name, header] : files) {
        const QString path = veltra::fs::resolve(folder + QLatin1String(name));
        if (veltra::fs::fileExists(path))
            continue;
        QString why;
        if (!veltra::text::writeLines(path, {QLatin1String(header)}, &why)) {
            setError(error, why);
            return false;
        }
    }
    return true;
}

} // namespace zorvik::catalogfiles
