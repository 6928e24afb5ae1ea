#include "defaultdatawriter.h"

#include "definitions.h"
#include "kinds.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "pointtables.h"
#include "symbolbitmaps.h"
#include "statdata/meshdatabase.h"
#include "zorvik/core/document.h"

#include <QDir>
#include <QFileInfo>

namespace veltra::basemap {

namespace {

const QStringList DefinitionFiles{QStringLiteral("SpaceDef.csv"), QStringLiteral("VectDef.csv"),
    QStringLiteral("CnectDef.csv"), QStringLiteral("DispVectDef.csv"), QStringLiteral("DispCnectDef.csv")};

bool fail(QString *error, const QString &what)
{
    if (error)
        *error = what;
    return false;
}

// A fresh, empty staging folder beside `target`.
bool freshFolder(const QString &path, QString *error)
{
    QDir dir(path);
    if (dir.exists() && !dir.removeRecursively())
        return fail(error, QStringLiteral("cannot clear %1").arg(path));
    if (!QDir().mkpath(path))
        return fail(error, QStringLiteral("cannot create %1").arg(path));
    return true;
}

// Replaces `target` by `staging` (the old target is removed only now).
bool commitFolder(const QString &staging, const QString &target, QString *error)
{
    QDir old(target);
    if (old.exists() && !old.removeRecursively())
        return fail(error, QStringLiteral("cannot replace %1").arg(target));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QDir().rename(staging, target))
        return fail(error, QStringLiteral("cannot move %1 to %2").arg(staging, target));
    return true;
}

zorvik::ElementRecord record(std::int16_t type, std::int16_t kind, const QString &key)
{
    zorvik::ElementRecord r;
    r.Type = type;
    r.iPra = {0, 0, kind};
    // Existing since a date not known, disappearance not decided: shown on
    // every view date.
    r.lPra = {zorvik::DayNotKnown, zorvik::DayNotKnown, zorvik::DayUndecided, zorvik::DayUndecided, 0, 0};
    r.Key = key;
    return r;
}

std::vector<zorvik::ElementRecord> elementsOf(const BaseMapModel &model)
{
    std::vector<zorvik::ElementRecord> out;
    out.reserve(model.outlines.size() + model.labels.size());
    for (const AreaOutline &o : model.outlines) {
        zorvik::ElementRecord r = record(zorvik::TypeVector, o.kind, QString());
        for (const WorldPoint &p : o.ring) {
            r.X.push_back(p.x);
            r.Y.push_back(p.y);
        }
        r.PNum = static_cast<std::int32_t>(r.X.size());
        out.push_back(std::move(r));
    }
    for (const Label &l : model.labels) {
        zorvik::ElementRecord r = record(zorvik::TypeConnector, l.kind, l.key);
        r.X = {l.at.x};
        r.Y = {l.at.y};
        r.PNum = 1;
        out.push_back(std::move(r));
    }
    return out;
}

bool writePlaceNames(const BaseMapModel &model, const QString &path, QString *error)
{
    statdata::MeshDatabase db;
    if (!db.create(path))
        return fail(error, QStringLiteral("%1: %2").arg(path, db.lastError()));
    if (!db.database().exec(QStringLiteral("BEGIN")))
        return fail(error, QStringLiteral("%1: cannot start a transaction").arg(path));
    for (const PrefectureRow &r : model.prefectureRows)
        if (!db.insertPrefecture(r.code, r.name, r.point.x, r.point.y))
            return fail(
                error, QStringLiteral("%1: prefecture %2: %3").arg(path).arg(r.code).arg(db.lastError()));
    for (const MunicipalityRow &r : model.municipalityRows)
        if (!db.insertMunicipality(r.prefCode, r.code, r.name, r.kana, r.point.x, r.point.y))
            return fail(error,
                QStringLiteral("%1: municipality %2: %3")
                    .arg(path)
                    .arg(r.prefCode * 1000 + r.code)
                    .arg(db.lastError()));
    if (!db.database().exec(QStringLiteral("COMMIT")))
        return fail(error, QStringLiteral("%1: cannot commit").arg(path));
    db.close();
    return true;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    QString why;
    if (!text::writeLines(path, lines, &why))
        return fail(error, QStringLiteral("%1: %2").arg(path, why));
    return true;
}

// The choropleth's point tables; a part without a point of its own stops
// the build, as the map could not be filled there.
bool writePointTables(const BaseMapModel &model, const QString &db, QString *error)
{
    const PointTables tables = buildPointTables(model);
    if (!tables.problems.isEmpty())
        return fail(error, QStringLiteral("point tables: %1").arg(tables.problems.join(QStringLiteral("; "))));
    for (const QString &sliver : tables.slivers)
        qInfo("point tables: %s", qPrintable(sliver));
    for (const auto &[name, lines] : tables.files) {
        if (!writeLines(db + u'/' + name, lines, error))
            return false;
    }
    return true;
}

} // namespace

QString documentDescription()
{
    return QStringLiteral(
        "日本の基本地図（既定）。都道府県の境界は R パッケージ mapdata（GPL-2）の japan データベース、"
        "市区町村の代表点は OpenStreetMap（(C) OpenStreetMap contributors, ODbL 1.0）、R パッケージ maps の "
        "world.cities（GPL-2）、GeoNames（https://www.geonames.org/, CC BY 4.0）。"
        "市区町村の境界は実在の境界ではなく、代表点の面積重み付きボロノイ分割を都道府県界で切り取った合成の区"
        "画です。"
        "町丁字の境界は含みません。");
}

namespace {

// The document's settings file carries the main islands at a national scale
// as the last position (view 0) and as home 1, so the first start opens on a
// useful map instead of asking twice whether to show the whole extent.
bool writeStartViews(const QString &documentIni, QString *error)
{
    const WorldPoint centre = rounded(toWorld(LonLat{138.4, 38.0}));
    const std::pair<const char *, qint64> values[]
        = {{"scale", 10000000}, {"drawCenterX", centre.x}, {"drawCenterY", centre.y}, {"rotateAngle", 0}};
    for (int slot : {0, 1}) {
        const QString section = QStringLiteral("ZORPAK_MAP%1_SAVE").arg(slot);
        for (const auto &[key, value] : values) {
            QString why;
            if (!profile::writeString(
                    section, QString::fromLatin1(key), QString::number(value), documentIni, &why))
                return fail(error, QStringLiteral("%1: %2").arg(documentIni, why));
        }
    }
    return true;
}

// The view date of today, the choice the view-date dialog offers first: the
// status bar shows the date in force from the first opening on. No Date1:
// in this mode the map ignores it, and the dialog writes it when applied.
bool writeStartViewDate(const QString &documentIni, QString *error)
{
    QString why;
    if (!profile::writeString(
            QStringLiteral("SetDate"), QStringLiteral("MODE"), QStringLiteral("ToDay"), documentIni, &why))
        return fail(error, QStringLiteral("%1: %2").arg(documentIni, why));
    return true;
}

} // namespace

bool writeDefaultData(const BaseMapModel &model, const QString &root, QString *error)
{
    const QString target = QDir::cleanPath(QDir().absoluteFilePath(root));
    const QString stage = target + QStringLiteral(".new");
    if (!freshFolder(stage, error))
        return false;
    const QString dataName = QString::fromLatin1(DataFolderName);
    const QString defFolder = stage + u'/' + dataName + QStringLiteral("/DefFolder");
    if (!QDir().mkpath(defFolder + QStringLiteral("/Init"))
        || !QDir().mkpath(stage + u'/' + dataName + QStringLiteral("/DB"))
        // Empty until the user attaches files or downloads meshes.
        || !QDir().mkpath(stage + u'/' + dataName + QStringLiteral("/Attach"))
        || !QDir().mkpath(stage + u'/' + dataName + QStringLiteral("/MeshData")))
        return fail(error, QStringLiteral("cannot create the folders of %1").arg(stage));

    // Display ranges first: the engine reads them when it opens the document.
    if (!writeLines(defFolder + QStringLiteral("/DispVectDef.csv"), dispVectDefLines(), error)
        || !writeLines(defFolder + QStringLiteral("/DispCnectDef.csv"), dispCnectDefLines(), error)
        || !writeLines(defFolder + QStringLiteral("/DispLevel.txt"), dispLevelLines(), error))
        return false;

    const QString zor = stage + QStringLiteral("/Veltra.zor");
    zorvik::NewDocument options;
    options.baseDate = QStringLiteral("19700101");
    options.planeZoneNo = 9;
    options.defDataDir = dataName + QStringLiteral("\\DefFolder\\");
    options.meshDataDir = dataName + QStringLiteral("\\MeshData");
    options.attachFilePath = dataName + QStringLiteral("\\Attach");
    QString why;
    if (zorvik::Result r = zorvik::Document::create(zor, options, &why))
        return fail(error, QStringLiteral("%1: cannot create the document (%2) %3").arg(zor).arg(r).arg(why));
    {
        zorvik::Result r = 0;
        std::shared_ptr<zorvik::Document> doc = zorvik::Document::open(zor, r, &why);
        if (!doc)
            return fail(
                error, QStringLiteral("%1: cannot open the new document (%2) %3").arg(zor).arg(r).arg(why));
        if ((r = defineCatalog(doc->catalog())))
            return fail(error, QStringLiteral("defining the kinds failed (%1)").arg(r));
        if ((r = doc->saveDefinitions(&why)))
            return fail(error,
                QStringLiteral("%1: cannot write the definitions (%2) %3").arg(defFolder).arg(r).arg(why));
        std::vector<zorvik::ElementRef> refs;
        if ((r = doc->enterElements(elementsOf(model), false, refs)))
            return fail(error, QStringLiteral("entering the elements failed (%1)").arg(r));
        if ((r = doc->save(&why)))
            return fail(
                error, QStringLiteral("%1: cannot save the document (%2) %3").arg(zor).arg(r).arg(why));
    }
    if (!profile::writeString(
            QStringLiteral("Description"), QStringLiteral("Text"), documentDescription(), zor, &why))
        return fail(error, QStringLiteral("%1: %2").arg(zor, why));
    if (!writeStartViews(stage + QStringLiteral("/Veltra.INI"), error)
        || !writeStartViewDate(stage + QStringLiteral("/Veltra.INI"), error))
        return false;

    for (const QString &name : DefinitionFiles) {
        const QString from = defFolder + u'/' + name;
        const QString to = defFolder + QStringLiteral("/Init/") + name;
        if (!QFile::copy(from, to))
            return fail(error, QStringLiteral("cannot copy %1 to %2").arg(from, to));
    }
    if (!writePlaceNames(model, stage + u'/' + dataName + QStringLiteral("/DB/Mesh.sqlite"), error))
        return false;
    if (!writePointTables(model, stage + u'/' + dataName + QStringLiteral("/DB"), error))
        return false;
    if (!writeSymbolBitmaps(stage + u'/' + dataName + QStringLiteral("/Symbol_Data"), error))
        return false;
    return commitFolder(stage, target, error);
}

} // namespace veltra::basemap
