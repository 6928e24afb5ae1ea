#include "sources.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace veltra::basemap {

QStringList splitCsvLine(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

namespace {

// Reads a UTF-8 CSV file with a header; each row as a header -> value map.
bool readTable(const QString &path, const QStringList &required, std::vector<QHash<QString, QString>> &rows,
    QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString());
        return false;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString &l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: empty file").arg(path);
        return false;
    }
    const QStringList header = splitCsvLine(lines.first());
    for (const QString &r : required) {
        if (!header.contains(r)) {
            if (error)
                *error = QStringLiteral("%1: no column \"%2\"").arg(path, r);
            return false;
        }
    }
    rows.clear();
    for (int n = 1; n < lines.size(); ++n) {
        const QStringList f = splitCsvLine(lines.at(n));
        if (f.size() != header.size()) {
            if (error)
                *error = QStringLiteral("%1 line %2: %3 fields, expected %4")
                             .arg(path)
                             .arg(n + 1)
                             .arg(f.size())
                             .arg(header.size());
            return false;
        }
        QHash<QString, QString> row;
        for (int i = 0; i < header.size(); ++i)
            row.insert(header.at(i), f.at(i));
        rows.push_back(std::move(row));
    }
    return true;
}

bool toInt(const QString &text, int &out)
{
    bool ok = false;
    out = text.toInt(&ok);
    return ok;
}

// Empty lon and lat mean "no point"; anything else must be two numbers in
// the range of Japan's world coordinates.
bool toPoint(const QString &lonText, const QString &latText, std::optional<LonLat> &out)
{
    out.reset();
    if (lonText.isEmpty() && latText.isEmpty())
        return true;
    bool okX = false, okY = false;
    const double lon = lonText.toDouble(&okX);
    const double lat = latText.toDouble(&okY);
    if (!okX || !okY || lon < 122 || lon > 154 || lat < 20 || lat > 46)
        return false;
    out = LonLat{lon, lat};
    return true;
}

QString lineError(const QString &path, size_t row, const QString &what)
{
    return QStringLiteral("%1 line %2: %3").arg(path).arg(row + 2).arg(what);
}

} // namespace

bool readPrefectures(const QString &path, std::vector<Prefecture> &out, QString *error)
{
    std::vector<QHash<QString, QString>> rows;
    if (!readTable(path, {"code", "name", "kana", "mapdata_name", "lon", "lat"}, rows, error))
        return false;
    out.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto &r = rows[i];
        Prefecture p;
        if (!toInt(r["code"], p.code) || p.code < 1 || p.code > 47) {
            if (error)
                *error = lineError(path, i, QStringLiteral("bad prefecture code \"%1\"").arg(r["code"]));
            return false;
        }
        p.name = r["name"];
        p.kana = r["kana"];
        p.mapdataName = r["mapdata_name"];
        if (p.name.isEmpty() || p.mapdataName.isEmpty() || !toPoint(r["lon"], r["lat"], p.point)) {
            if (error)
                *error = lineError(path, i, QStringLiteral("missing name or bad point"));
            return false;
        }
        out.push_back(std::move(p));
    }
    return true;
}

bool readMunicipalities(const QString &path, std::vector<Municipality> &out, QString *error)
{
    std::vector<QHash<QString, QString>> rows;
    if (!readTable(path,
            {"code", "pref_code", "name", "kana", "kind", "parent_code", "lon", "lat", "point_source",
                "area_km2"},
            rows, error))
        return false;
    out.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto &r = rows[i];
        Municipality m;
        const QString code = r["code"];
        if (code.size() != 5 || !toInt(code, m.code) || !toInt(r["pref_code"], m.prefCode)
            || m.code / 1000 != m.prefCode) {
            if (error)
                *error = lineError(path, i,
                    QStringLiteral("bad code \"%1\" for prefecture \"%2\"").arg(code, r["pref_code"]));
            return false;
        }
        m.name = r["name"];
        m.kana = r["kana"];
        m.kind = r["kind"];
        if (!r["parent_code"].isEmpty() && !toInt(r["parent_code"], m.parentCode)) {
            if (error)
                *error = lineError(path, i, QStringLiteral("bad parent code"));
            return false;
        }
        if (!toPoint(r["lon"], r["lat"], m.point)) {
            if (error)
                *error = lineError(path, i, QStringLiteral("bad point"));
            return false;
        }
        m.pointSource = r["point_source"];
        if (!r["area_km2"].isEmpty()) {
            bool ok = false;
            m.areaKm2 = r["area_km2"].toDouble(&ok);
            if (!ok || m.areaKm2 < 0) {
                if (error)
                    *error = lineError(path, i, QStringLiteral("bad area"));
                return false;
            }
        }
        if (m.name.isEmpty()) {
            if (error)
                *error = lineError(path, i, QStringLiteral("empty name"));
            return false;
        }
        out.push_back(std::move(m));
    }
    return true;
}

bool attachOutlines(const QString &geojsonPath, std::vector<Prefecture> &prefectures, QString *error)
{
    QFile file(geojsonPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: cannot open (%2)").arg(geojsonPath, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(geojsonPath, parseError.errorString());
        return false;
    }
    QHash<QString, std::vector<LonLatRing>> byName;
    for (const QJsonValue &fv : doc.object().value("features").toArray()) {
        const QJsonObject f = fv.toObject();
        const QString name = f.value("properties").toObject().value("name").toString();
        const QJsonObject g = f.value("geometry").toObject();
        QJsonArray polygons = g.value("coordinates").toArray();
        if (g.value("type").toString() == QLatin1String("Polygon"))
            polygons = QJsonArray{polygons};
        std::vector<LonLatRing> &rings = byName[name];
        for (const QJsonValue &pv : polygons) {
            for (const QJsonValue &rv : pv.toArray()) {
                LonLatRing ring;
                for (const QJsonValue &cv : rv.toArray()) {
                    const QJsonArray c = cv.toArray();
                    ring.push_back(LonLat{c.at(0).toDouble(), c.at(1).toDouble()});
                }
                if (ring.size() >= 4)
                    rings.push_back(std::move(ring));
            }
        }
    }
    for (Prefecture &p : prefectures) {
        auto it = byName.find(p.mapdataName);
        if (it == byName.end() || it->empty()) {
            if (error)
                *error = QStringLiteral("%1: no outline named \"%2\" (%3)")
                             .arg(geojsonPath, p.mapdataName, p.name);
            return false;
        }
        p.rings = *it;
    }
    return true;
}

} // namespace veltra::basemap
