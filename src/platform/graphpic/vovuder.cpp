#include "platform/graphpic/vovuder.h"

#include "platform/fs/fs.h"
#include "platform/graphpic/graphpainter.h"
#include "platform/graphpic/pngencoder.h"

#include <QFile>
#include <QImage>
#include <span>

namespace {

// The largest side of the first picture; the second is twice as large. A
// pie that large already means totals thousands of times the mean; beyond
// it the image alone would take hundreds of megabytes.
constexpr std::int32_t MaxSide = 4096;

using Painter = QImage (*)(std::span<const VoVuderItem>, int, int, int);

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool writePicture(const QImage &image, const QString &path, QString *error)
{
    const QByteArray png = veltra::graphpic::encodePng(image);
    if (png.isEmpty()) {
        setError(error, QStringLiteral("グラフの画像を作成できません: %1").arg(path));
        return false;
    }
    // The files are the caller's own fresh temporary files, deleted with the
    // statistics map: written in place, without the synced copy and rename a
    // user's file gets, which would cost more than drawing the graph.
    QFile file(veltra::fs::resolve(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(png) != png.size()
        || !file.flush()) {
        setError(error, QStringLiteral("グラフの画像を書き込めません: %1\n%2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

std::int32_t drawGraph(const VoVuderParam &param, Painter paint, QString *error)
{
    if (param.ItemCount < 0 || param.ItemCount > VoVuderParam::MaxItems) {
        setError(error,
            QStringLiteral("グラフの項目数 %1 は扱えません（0～%2 項目）。")
                .arg(param.ItemCount)
                .arg(VoVuderParam::MaxItems));
        return VoVuderBadRecord;
    }
    if (param.Width <= 0 || param.Height <= 0)
        return VoVuderOk;
    if (param.Width > MaxSide || param.Height > MaxSide) {
        setError(error,
            QStringLiteral("グラフの画像が大きすぎます（%1 × %2 ピクセル）。")
                .arg(param.Width)
                .arg(param.Height));
        return VoVuderBadRecord;
    }
    const std::span<const VoVuderItem> items(param.Items.data(), std::size_t(param.ItemCount));
    for (int scale : {1, 2}) {
        const QString &path = scale == 1 ? param.OutFile1 : param.OutFile2;
        if (!writePicture(paint(items, param.Width, param.Height, scale), path, error))
            return VoVuderWriteFailed;
    }
    return VoVuderOk;
}

} // namespace

std::int32_t VoVuderCircle(const VoVuderParam &param, QString *error)
{
    return drawGraph(param, &veltra::graphpic::paintPie, error);
}

std::int32_t VoVuderBar(const VoVuderParam &param, QString *error)
{
    return drawGraph(param, &veltra::graphpic::paintBars, error);
}
