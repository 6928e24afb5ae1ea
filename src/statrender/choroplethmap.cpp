#include "statrender/choroplethmap.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/format.h"
#include "shell/compsy.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/modfileio.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"
#include "statrender/areacache.h"
#include "statrender/choroplethtables.h"
#include "statrender/frmpsyhanreinuri2.h"
#include "statrender/globals.h"
#include "statrender/legendcapture.h"
#include "statrender/mapkindtable.h"
#include "statrender/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QPushButton>
#include <exception>

namespace ComPSY {

namespace {

using veltra::statrender::ChoroplethTables;
using veltra::statrender::TableLine;

PolygonBuffer &buffer()
{
    static PolygonBuffer b;
    return b;
}

// The area of a data line: its codes, the search code and the level.
struct Area
{
    QString nn, mmm, tttttt;
    QString code;
    int level = 1;
};

Area areaOf(const std::vector<QString> &data, std::size_t line, bool elevenDigits)
{
    const auto l = static_cast<std::int32_t>(line);
    Area a;
    a.nn = veltra::vb::format(GetLineField(data, l, 5), QStringLiteral("00"));
    a.mmm = veltra::vb::format(GetLineField(data, l, 6), QStringLiteral("000"));
    a.tttttt = veltra::vb::format(GetLineField(data, l, 7), QStringLiteral("000000"));
    if (elevenDigits || a.tttttt != QLatin1String("000000"))
        a.code = a.nn + a.mmm + a.tttttt;
    else if (a.mmm != QLatin1String("000"))
        a.code = a.nn + a.mmm;
    else
        a.code = a.nn;
    a.level = veltra::statrender::areaLevelOf(a.code);
    return a;
}

// One drawing call's state.
class Drawing
{
public:
    Drawing(zorvik::Zorvik *engine, const std::vector<ClassRange> &classes)
        : m_engine(engine)
        , m_classes(classes)
    {
        const auto &settings = veltra::statrender::choroplethSettings();
        m_search = settings.search ? settings.search : defaultSearch;
        m_literal = settings.literalCacheLookup;
        buffer().reset();
    }

    static bool defaultSearch(zorvik::Zorvik *engine, std::int16_t space, const std::vector<ElementInfo> &records,
        std::vector<ElementInfo> &outlines)
    {
        return ComModule::CollectAreaPolygons(engine, space, records, outlines);
    }

    // Appends and colours one outline (step 9 of the main pass).
    void add(const ElementInfo &outline, double value, bool h7TownBlock)
    {
        AddElementPolygon(buffer(), outline, m_polygon);
        SetPolygonClassColour(m_classes, buffer(), m_colourIndex, value, m_polygon);
        if (h7TownBlock)
            buffer().intMode.at(static_cast<std::size_t>(m_polygon)) = 2;
        m_colourIndex += 3;
        ++m_polygon;
    }

    // The cached outlines of the area; false when none.
    std::vector<veltra::statrender::CachedOutline> cached(const QString &csvPath, const QString &code)
    {
        return m_literal ? veltra::statrender::scanAreaCache(csvPath, code)
                         : veltra::statrender::areaCacheIndex().find(csvPath, code);
    }

    // Searches the engine at a table line's point; the outlines found.
    bool search(const TableLine &line, const QString &code, int level, std::vector<ElementInfo> &found,
        std::vector<ElementInfo> &records)
    {
        ElementInfo record;
        record.Key = code;
        record.lX = {veltra::vb::cLng(line.field1)};
        record.lY = {veltra::vb::cLng(line.field2)};
        records = {record};
        found.clear();
        return m_search(m_engine, static_cast<std::int16_t>(level), records, found);
    }

    zorvik::Zorvik *m_engine;
    const std::vector<ClassRange> &m_classes;
    veltra::statrender::AreaSearch m_search;
    bool m_literal = false;
    std::int32_t m_colourIndex = 0;
    std::int32_t m_polygon = 0;
};

QString boundText(double value, const QString &formatCode)
{
    if (formatCode == QLatin1String("0") || formatCode == QLatin1String("1"))
        return veltra::vb::format(value, QStringLiteral("0.0"));
    if (formatCode == QLatin1String("2") || formatCode == QLatin1String("3"))
        return veltra::vb::format(value, QStringLiteral("0.0000"));
    return QString();
}

void fillLegend(const std::vector<QString> &header, const std::vector<QString> &data,
    const std::vector<ClassRange> &classes, const QString &formatCode)
{
    const std::size_t n = classes.size() - 1;
    gtypNuriHanrei.assign(n + 1, NuriHanreiClass{});
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiNuri2"));
    for (std::size_t c = 1; c <= n; ++c) {
        NuriHanreiClass &h = gtypNuriHanrei[c];
        h.lngColor = classes[c].Color;
        h.dblMin = classes[c].Lower;
        h.dblMax = classes[c].Upper;
        h.strMin = boundText(h.dblMin, formatCode);
        h.strMax = boundText(h.dblMax, formatCode);
    }
    for (std::size_t i = 1; i < header.size(); ++i) {
        const QStringList fields = header[i].split(QLatin1Char(','));
        if (fields.value(0) == QLatin1String("H3")) {
            gstrNuriHanreiTitle = fields.value(1).remove(QLatin1Char('"'));
            break;
        }
    }
    for (std::size_t i = 1; i < data.size(); ++i) {
        const double value = GetValueCode(data, static_cast<std::int32_t>(i));
        if (value < 0)
            continue;
        for (std::size_t c = 1; c <= n; ++c) {
            if (ClassHolds(classes, c, value))
                ++gtypNuriHanrei[c].lngCount;
        }
    }
}

bool readDispLevel(double &areaScale, double &prefectureScale)
{
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(gstrDataPath + QStringLiteral("DefFolder/DispLevel.txt"), lines, count)
        || count < 2)
        return false;
    const auto first = veltra::vb::toNumber(lines[1].trimmed());
    const auto second = veltra::vb::toNumber(lines[2].trimmed());
    if (!first || !second)
        return false;
    areaScale = *first;
    prefectureScale = *second;
    return true;
}

} // namespace

const PolygonBuffer &ChoroplethPolygons()
{
    return buffer();
}

bool DrawChoroplethMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    std::int16_t &level, std::int32_t & /*spare*/)
{
    using veltra::statrender::furtherLines;
    try {
        if (!engine)
            throw veltra::vb::ObjectNotSet("engine");
        // 1. The wait dialog the caller shows lets the user cancel.
        if (auto *wait = qobject_cast<frmPSYWait *>(
                veltra::ui::WindowRegistry::instance().find(QStringLiteral("frmPSYWait"))))
            wait->cmdCancel->setVisible(true);
        gintWaitCancel = 0;

        // 2. Classes (from element 1) and the number format of the bounds.
        const std::int32_t n = GetClassCount(header);
        std::vector<ClassRange> classes(1);
        for (std::int32_t c = 1; c <= n; ++c)
            classes.push_back(GetClassRange(header, 3 + c));
        const QString formatCode = GetLineField(header, 3, 3);

        // 3. and 4.
        Drawing drawing(engine, classes);
        double areaScale = 0, prefectureScale = 0;
        if (!readDispLevel(areaScale, prefectureScale)) {
            ShowMissingFilesMessage();
            return false;
        }

        // 5. and 6. Only the tables of the first line's level.
        const bool elevenDigits = GetLineField(header, 2, 1).trimmed() == QLatin1String("6");
        const QString db = gstrDataPath + QStringLiteral("DB/");
        ChoroplethTables tables;
        if (data.size() > 1 && !tables.load(db, areaOf(data, 1, elevenDigits).level)) {
            ShowMissingFilesMessage();
            return false;
        }
        std::vector<std::size_t> list212, list214, list229, list231;
        // A data line is listed once per table that names the area: the
        // later pass searches every line of the table that names it, so
        // listing it once per table line would draw each part again.
        auto listOnce = [](std::vector<std::size_t> &list, std::size_t line) {
            if (list.empty() || list.back() != line)
                list.push_back(line);
        };
        const veltra::statrender::FurtherPointCodes codes212(tables.t212), codes214(tables.t214);
        auto collectFurther = [&](const Area &a, std::size_t line) {
            const bool townBlock = a.level == 3;
            if (a.level == 2) {
                if (codes212.names(a.code))
                    listOnce(list212, line);
                if (codes214.names(a.code))
                    listOnce(list214, line);
            } else if (townBlock) {
                if (!furtherLines(tables.t229, a.code, true).empty())
                    listOnce(list229, line);
                if (!furtherLines(tables.t231, a.code, true).empty())
                    listOnce(list231, line);
            }
        };

        // 7. Main pass.
        std::vector<ElementInfo> records, found;
        for (std::size_t i = 1; i < data.size(); ++i) {
            if (PSY_CheckCancel())
                return false;
            const double value = GetValueCode(data, static_cast<std::int32_t>(i));
            if (value == kValueText)
                continue;
            const Area a = areaOf(data, i, elevenDigits);
            level = static_cast<std::int16_t>(a.level);
            if (a.level >= 2) {
                if (areaScale < engine->Scale()) {
                    engine->setScale(areaScale);
                    engine->Refresh();
                }
            } else if (engine->Scale() < prefectureScale + 1) {
                engine->setScale(prefectureScale + 1);
                engine->Refresh();
            }
            const bool h7 = value == kValueH7;
            if (h7 && a.level != 3)
                continue;

            const QString csvPath = db + a.nn + QStringLiteral(".csv");
            const QString binPath = db + a.nn + QStringLiteral(".bin");
            const auto hits = drawing.cached(csvPath, a.code);
            for (const auto &hit : hits) {
                std::vector<AreaPoint> points;
                ReadAreaPoints(binPath, points, hit.firstByte, 0, hit.count);
                ElementInfo outline;
                outline.PNum = hit.count;
                outline.lX.reserve(points.size());
                outline.lY.reserve(points.size());
                for (const AreaPoint &p : points) {
                    outline.lX.push_back(p.X);
                    outline.lY.push_back(p.Y);
                }
                drawing.add(outline, value, h7);
                collectFurther(a, i);
            }
            if (hits.empty()) {
                veltra::ui::DoEvents();
                std::vector<std::size_t> lines;
                const std::vector<TableLine> *table = nullptr;
                if (a.level == 1) {
                    lines = veltra::statrender::prefectureLines(tables, a.code);
                    table = &tables.t206;
                } else if (a.level == 2) {
                    lines = veltra::statrender::municipalityLines(tables, a.code);
                    table = &tables.t211;
                } else {
                    lines = veltra::statrender::townBlockLines(tables, a.code);
                    table = &tables.t227;
                }
                for (std::size_t line : lines) {
                    if (drawing.search((*table)[line], a.code, a.level, found, records) && !found.empty()
                        && found.front().PNum > 0) {
                        WriteAreaCache(csvPath, ComModule::GetBaseDateValue(engine), records, found);
                        for (const ElementInfo &outline : found)
                            drawing.add(outline, value, h7);
                    }
                    collectFurther(a, i);
                }
            }
            veltra::ui::DoEvents();
        }

        // 8. Further points, never cached.
        struct Pass
        {
            const std::vector<std::size_t> &lines;
            const std::vector<TableLine> &table;
            bool townBlocks;
        };
        const Pass passes[] = {{list212, tables.t212, false}, {list214, tables.t214, false},
            {list229, tables.t229, true}, {list231, tables.t231, true}};
        for (const Pass &pass : passes) {
            for (std::size_t i : pass.lines) {
                if (PSY_CheckCancel())
                    return false;
                const double value = GetValueCode(data, static_cast<std::int32_t>(i));
                if (value == kValueText)
                    continue;
                const Area a = areaOf(data, i, elevenDigits);
                const QString code = pass.townBlocks ? a.nn + a.mmm + a.tttttt : a.nn + a.mmm;
                const int passLevel = pass.townBlocks ? 3 : 2;
                for (std::size_t line : furtherLines(pass.table, code, pass.townBlocks)) {
                    if (drawing.search(pass.table[line], code, passLevel, found, records)) {
                        for (const ElementInfo &outline : found)
                            drawing.add(outline, value, passLevel == 3 && value == kValueH7);
                    }
                }
            }
        }

        // 9. One drawing for the whole analysis; the engine refuses an empty one.
        const PolygonBuffer &b = buffer();
        if (b.lngPolyCount > 0) {
            glngNuriDrawIds.push_back(0);
            const zorvik::Result result = engine->DrawElements_Polygon_RGB(b.lngPolyCount, b.lngPointNum, b.lngX,
                b.lngY, b.intColor1, b.intMode, b.intColor2, glngNuriDrawIds.back());
            if (result != 0)
                veltra::ui::MsgBox(QStringLiteral("DrawElements_Polygon_RGB [%1]").arg(result));
        }
        engine->Refresh();

        // 10. and 11.
        fillLegend(header, data, classes, formatCode);
        veltra::statrender::showAndCaptureLegend(
            veltra::ui::form<frmPSYHanreiNuri2>(static_cast<QWidget *>(gfrmMain)));
        gintWaitCancel = 0;
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY

namespace veltra::statrender {

ChoroplethSettings &choroplethSettings()
{
    static ChoroplethSettings settings;
    return settings;
}

void registerChoroplethMap()
{
    mapKindTable().procedures[1] = [](MapKindCall &call) {
        ComPSY::DrawChoroplethMap(call.engine, call.header, call.data, call.areaLevel, call.unusedLong);
    };
}

} // namespace veltra::statrender
