#include "statrender/picturemap.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"
#include "statrender/frmpsyhanreipra.h"
#include "statrender/graphelements.h"
#include "statrender/graphmapcalls.h"
#include "statrender/legendcapture.h"

#include <QLabel>
#include <exception>

namespace ComPSY {

namespace {

using namespace veltra::statrender;

std::int32_t pictureSizeFactor(double scale)
{
    if (scale <= 10000)
        return 4000;
    if (scale <= 250000)
        return 400;
    return 50;
}

void setSwatch(QLabel *label, std::int32_t bgr)
{
    const QColor colour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    label->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

void showPictureLegend(const std::vector<QString> &header)
{
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiPra"));
    auto *legend = veltra::ui::form<frmPSYHanreiPra>(static_cast<QWidget *>(gfrmMain));
    bool first = true;
    for (const ItemLine &item : ItemLines(header)) {
        const std::size_t row = first ? 0 : 1;
        legend->lblName[row]->setText(item.name);
        setSwatch(legend->lblColor[row], veltra::vb::cLng(item.colour));
        first = false;
    }
    const QString name = legend->lblName[0]->text();
    if (name.size() < 3)
        throw veltra::vb::TypeMismatch("item name shorter than three characters");
    legend->lblTitle->setText(name.left(name.size() - 3));
    showAndCaptureLegend(legend);
}

} // namespace

bool DrawPictureMap(zorvik::Zorvik *engine, const std::vector<QString> &header,
    const std::vector<QString> &data, const QString &dataPath, const QString &pictureFolder)
{
    try {
        GraphMapCalls &calls = graphMapCalls();
        const auto lines = static_cast<std::int32_t>(data.size()) - 1;
        for (std::int32_t i = 1; i <= lines; ++i) {
            const QString picture = GetLineField(data, i, 10);
            if (!picture.endsWith(QLatin1String("bmp"), Qt::CaseSensitive))
                continue;
            const std::int32_t factor = pictureSizeFactor(calls.mapScale());
            const QString key
                = AreaKey(data, i) + QLatin1Char('|') + GetLineField(header, 5, 1).remove(QLatin1Char('"'));
            std::int32_t x = 0, y = 0, baseX = 0, baseY = 0;
            GetGraphPosition(data, i, x, y);
            GetAreaPoint(data, i, baseX, baseY);
            const QString name
                = MakeElementName(key, dataPath, i, factor, x, y, pictureFolder + picture, QString());
            calls.addGraph(engine, name, x, y, baseX, baseY);
        }
        if (lines == 0) {
            veltra::ui::MsgBox(
                QStringLiteral("地図縮尺を都道府県は1/250001以上、市区町村は1/10001～1/250000以下、"
                               "町丁字は、1/10000以下にしてください。"));
        }
    } catch (const std::exception &) {
        return false;
    }
    try {
        showPictureLegend(header);
    } catch (const std::exception &) {
        // The pictures are on the map; only the legend is missing.
    }
    return true;
}

} // namespace ComPSY
