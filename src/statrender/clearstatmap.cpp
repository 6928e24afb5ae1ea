#include "statrender/clearstatmap.h"

#include "platform/fs/fs.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "statrender/flowlines.h"
#include "statrender/globals.h"
#include "statrender/workfiles.h"
#include "zorvik/core/types.h"
#include "zorvik/widget/zorvik.h"

#include <vector>

namespace ComPSY {

namespace {

// Deletes every element of the statistics kinds, takes the flow lines and
// the choropleth drawings off.
void removeFromEngine(zorvik::Zorvik *engine)
{
    if (engine) {
        std::vector<std::int16_t> kinds;
        for (std::int16_t k = zorvik::FirstStatKind; k <= zorvik::LastStatKind; ++k)
            kinds.push_back(k);
        const auto count = static_cast<std::int16_t>(kinds.size());
        zorvik::Handle set = 0;
        std::int32_t vectors = 0, connectors = 0;
        engine->SearchElementsByKind(count, kinds, count, kinds, set, vectors, connectors);
        if (set != 0 && (vectors != 0 || connectors != 0))
            engine->DeleteElements(set);
        if (set != 0)
            engine->ReleaseElements(set);
    }
    UnDrawRyusen(engine);
    if (engine) {
        for (std::size_t i = 1; i < glngNuriDrawIds.size(); ++i)
            engine->EraseElements(glngNuriDrawIds[i]);
    }
    glngNuriDrawIds.assign(1, 0);
}

void deleteWorkFiles()
{
    DeleteAnalysisFiles(gstrDataPath + QStringLiteral("DB"));
    DeleteGraphTempFiles();
    DeleteAreaPictures(gstrDataPath + QStringLiteral("DB/TempPImage"));
}

bool copyMatching(const QString &source, const QString &pattern, const QString &target)
{
    for (const QString &name : veltra::fs::listFiles(source, pattern)) {
        if (!veltra::fs::copyFile(source + QLatin1Char('/') + name, target + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

} // namespace

void PSY_ClearStatisticsMap(zorvik::Zorvik *engine, bool keepFiles)
{
    removeFromEngine(engine);
    if (engine) {
        engine->RollBack();
        engine->Refresh();
    }
    if (!keepFiles)
        deleteWorkFiles();
}

void PSY_ClearStatisticsMapQuiet(zorvik::Zorvik *engine)
{
    removeFromEngine(engine);
    deleteWorkFiles();
}

bool PSY_CopyMapFiles(const QString &source, const QString &target)
{
    return copyMatching(source, QStringLiteral("*.hed"), target)
        && copyMatching(source, QStringLiteral("*.dat"), target)
        && copyMatching(source, QStringLiteral("*.bmp"), target + QStringLiteral("/TempPImage"));
}

void PSY_UnloadLegendForms()
{
    auto &registry = veltra::ui::WindowRegistry::instance();
    for (const char *name : {"frmPSYHanreiBmp", "frmPSYHanreiNuri2", "frmPSYHanreiOne", "frmPSYHanreiSym",
             "frmPSYHanreiPra", "frmPSYRank", "frmPSYRankAll"})
        registry.unload(QString::fromLatin1(name));
}

} // namespace ComPSY
