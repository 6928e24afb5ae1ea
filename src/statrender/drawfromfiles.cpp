#include "statrender/drawfromfiles.h"

#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "shell/globals.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"
#include "statrender/areacachefiles.h"
#include "statrender/globals.h"
#include "statrender/mapkindtable.h"
#include "statrender/viewdate.h"

#include <QDate>
#include <exception>
#include <optional>

namespace ComPSY {

namespace {

using veltra::statrender::MapKindCall;
using veltra::statrender::mapKindTable;

// The first field of a line, the text before its first comma.
QString tagOf(const QString &line)
{
    return line.section(QLatin1Char(','), 0, 0);
}

// The area-count limit of a map kind, or nothing for a kind without one.
const QString *limitOf(std::int32_t kind)
{
    switch (kind) {
    case 2:
        return &gstrLimitPie;
    case 3:
        return &gstrLimitBar;
    case 4:
        return &gstrLimitSymbol;
    case 7:
        return &gstrLimitPyramid;
    default:
        return nullptr;
    }
}

QString inFolder(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

bool readHeader(const QString &path, std::vector<QString> &lines)
{
    if (!ReadLines(path, lines)) {
        veltra::ui::MsgBox(QStringLiteral("ヘッダーファイル読み込みに失敗しました。"));
        return false;
    }
    KeepFirstH2Line(lines);
    return true;
}

// The common date of every dated item of every analysis, as an era text;
// nothing when there is none or two differ. False when a header cannot be
// read (its message shown).
bool commonDate(const QString &folder, const std::vector<QString> &names, std::optional<QString> &date)
{
    std::vector<QString> dates;
    for (std::size_t i = 1; i < names.size(); ++i) {
        std::vector<QString> header;
        if (!readHeader(inFolder(folder, names[i]), header))
            return false;
        for (std::size_t line = 1; line < header.size(); ++line) {
            if (tagOf(header[line]) != QLatin1String("H5"))
                continue;
            QString field = GetLineField(header, static_cast<std::int32_t>(line), 3);
            field.remove(QLatin1Char('"'));
            // A field of a pair of quotes alone holds no date: it must not
            // stand for today and move the user's view.
            if (field.isEmpty())
                continue;
            const QString era = EraDateText(field);
            if (!era.isEmpty())
                dates.push_back(era);
        }
    }
    date.reset();
    if (dates.empty())
        return true;
    for (const QString &d : dates) {
        if (d != dates.front())
            return true;
    }
    date = dates.front();
    return true;
}

enum class Pass { Continue, Stop };

// Draws one analysis. Stop when the run must end here.
Pass drawOne(zorvik::Zorvik *engine, const QString &folder, const QString &name, std::int16_t &areaLevel,
    std::int32_t &unusedLong)
{
    std::vector<QString> header;
    if (!readHeader(inFolder(folder, name), header))
        return Pass::Stop;
    const QString dataPath = inFolder(folder, GetDataFileName(header));
    std::vector<QString> data;
    if (!ReadLines(dataPath, data)) {
        veltra::ui::MsgBox(QStringLiteral("データファイル読み込みに失敗しました"));
        return Pass::Stop;
    }
    const std::int32_t kind = GetGraphKind(header);
    if (const QString *limitText = limitOf(kind)) {
        const std::optional<double> limit = veltra::vb::toNumber(*limitText);
        if (!limit) {
            veltra::ui::MsgBox(QStringLiteral("ZORPAK.INI の [GRAPHLIMIT] LIMIT が正しくありません。"),
                veltra::ui::vbExclamation, QStringLiteral("統計地図"));
            return Pass::Stop;
        }
        const double areas = static_cast<double>(data.size()) - 1;
        if (areas > *limit) {
            veltra::ui::MsgBox(
                QStringLiteral("地域数の上限は") + *limitText + QStringLiteral("地域までです。"),
                veltra::ui::vbInformation, QStringLiteral("統計地図"));
            return Pass::Stop;
        }
    }
    const auto procedure = mapKindTable().procedure(kind);
    const bool ranking = kind == 5 || kind == 8;
    const auto popup = mapKindTable().rankingPopup;
    if (ranking && popup.load)
        popup.load();
    if (procedure) {
        MapKindCall call{engine, header, data, QString(), 0, QString(), areaLevel, unusedLong};
        if (kind == 2 || kind == 3) {
            call.dataPath = dataPath;
            call.mapKind = kind;
        } else if (kind == 4) {
            call.dataPath = dataPath;
            call.pictureFolder = gstrDataPath + QStringLiteral("Symbol_data/");
        } else if (kind == 7) {
            call.dataPath = dataPath;
            call.pictureFolder = folder + QStringLiteral("/TempPImage/");
        }
        procedure(call);
    }
    if (ranking && popup.show)
        popup.show(kind == 5 ? QStringLiteral("ランキング") : QStringLiteral("流線図"), dataPath);
    return Pass::Continue;
}

} // namespace

void PSY_DrawFromFiles(zorvik::Zorvik *engine, const QString & /*text*/)
{
    // The data folder's path becomes part of every graph element's name,
    // whose fields the engine splits at commas.
    if (gstrDataPath.contains(QLatin1Char(','))) {
        veltra::ui::MsgBox(
            QStringLiteral("データフォルダのパスに「,」が含まれているため統計地図を描画できません。"),
            veltra::ui::vbExclamation, QStringLiteral("統計地図"));
        return;
    }
    const QString folder = gstrDataPath + QStringLiteral("DB");
    std::vector<QString> names;
    if (!ListHeaderFiles(folder, names)) {
        veltra::ui::MsgBox(QStringLiteral("ヘッダーファイルリスト生成に失敗しました"));
        return;
    }
    try {
        std::optional<QString> date;
        if (!commonDate(folder, names, date))
            return;
        if (date)
            PSY_SetViewDate(*date);

        std::int16_t areaLevel = 0;
        std::int32_t unusedLong = 0;
        for (std::size_t i = 1; i < names.size(); ++i) {
            if (drawOne(engine, folder, names[i], areaLevel, unusedLong) == Pass::Stop)
                return;
        }
        DeletePrefAreaCache();
    } catch (const std::exception &) {
        // A header without a field the drawing needs: the run ends here, and
        // what was drawn before stays.
    }
}

void ResetDrawIdLists()
{
    glngNuriDrawIds.assign(1, 0);
    glngHighlightSets.assign(1, 0);
}

void KeepFirstH2Line(std::vector<QString> &lines)
{
    std::vector<QString> kept{QString()};
    bool seenH2 = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (tagOf(lines[i]) == QLatin1String("H2")) {
            if (seenH2)
                continue;
            seenH2 = true;
        }
        kept.push_back(lines[i]);
    }
    lines = std::move(kept);
}

QString EraDateText(const QString &text)
{
    const QString pattern = QStringLiteral("ggge年m月d日");
    if (text.isEmpty())
        return veltra::vb::format(QDate::currentDate(), pattern);
    bool yearOk = false, monthOk = false, dayOk = false;
    const int year = text.mid(0, 4).toInt(&yearOk);
    const int month = text.mid(4, 2).toInt(&monthOk);
    const int day = text.mid(6, 2).toInt(&dayOk);
    const QDate date(year, month, day);
    if (!yearOk || !monthOk || !dayOk || !date.isValid())
        return QString();
    return veltra::vb::format(date, pattern);
}

void DeletePrefAreaCache()
{
    veltra::statrender::areaCacheFiles().closeAll();
    const QString folder = gstrDataPath + QStringLiteral("DB/");
    for (const QString &extension : {QStringLiteral(".bin"), QStringLiteral(".csv")}) {
        for (int pref = 1; pref <= 47; ++pref)
            veltra::fs::deleteFiles(
                folder + QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0')) + extension);
    }
}

} // namespace ComPSY
