#include "mapwindow/combirdview.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/globals.h"
#include "shell/mdlspcom.h"
#include "zorvik/widget/zorvik.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace veltra::mapwindow {

namespace {

// The picture kept when its file could not be written.
struct Unsaved
{
    QString path;
    QImage image;
};
Unsaved &unsaved()
{
    static Unsaved kept;
    return kept;
}

// The newest modification time of the document and its element store.
QDateTime documentTime(const QString &documentPath)
{
    const QString zor = fs::resolve(documentPath);
    QDateTime newest = QFileInfo(zor).lastModified();
    QString store = profile::getString(
        QStringLiteral("ZorvikDocument"), QStringLiteral("ElementStore"), QString(), zor);
    if (!store.isEmpty()) {
        const QFileInfo info(zor);
        const QString local = fs::resolve(QDir(info.absolutePath()).filePath(fs::normalize(store)));
        const QFileInfo storeInfo(local);
        if (storeInfo.exists() && storeInfo.lastModified() > newest)
            newest = storeInfo.lastModified();
    }
    return newest;
}

} // namespace

QString overviewBitmapPath(const QString &documentPath)
{
    if (documentPath.isEmpty())
        return QString();
    return mdlSpCom::CutExtension(documentPath) + QStringLiteral(".bmp");
}

bool overviewBitmapCurrent(const QString &documentPath)
{
    const QString bitmap = overviewBitmapPath(documentPath);
    if (bitmap.isEmpty() || !fs::fileExists(bitmap))
        return false;
    return QFileInfo(fs::resolve(bitmap)).lastModified() >= documentTime(documentPath);
}

QImage renderOverview(zorvik::Zorvik &main, int heightPx)
{
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    main.GetMapExtent(cx, cy, w, h);
    if (w <= 0 || h <= 0 || heightPx <= 0)
        return QImage();
    const int widthPx = std::max(1, static_cast<int>(std::lround(static_cast<double>(w) / h * heightPx)));
    const QSize size(widthPx, heightPx);
    // The second engine is a control that is never shown: it only renders.
    zorvik::Zorvik second;
    second.resize(size);
    if (second.InitializeMap(main.MapHandle()) != 0)
        return QImage();
    second.setBackColor(main.BackColor());
    second.setInteractiveMode(0);
    second.setOverviewFlag(1);
    second.ShowAll();
    second.Refresh();
    QImage picture = second.RenderToImage(size);
    second.CloseMap();
    return picture;
}

bool makeOverviewBitmap(zorvik::Zorvik &main, const QString &documentPath, QString *error)
{
    const QString path = overviewBitmapPath(documentPath);
    if (path.isEmpty() || overviewBitmapCurrent(documentPath))
        return true;
    const QImage picture = renderOverview(main, ui::twipsToPixelsY(3200));
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("ZorInitialize3 Error");
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    if (!fs::writeFileAtomic(path, bytes, error)) {
        unsaved() = {path, picture};
        return false;
    }
    if (unsaved().path == path)
        unsaved() = {};
    return true;
}

QImage unsavedOverview(const QString &bitmapPath)
{
    return unsaved().path == bitmapPath ? unsaved().image : QImage();
}

std::int16_t makeOverviewBitmapOf(zorvik::Zorvik &main)
{
    QString error;
    if (!makeOverviewBitmap(main, main.DocumentPath(), &error)
        && error == QLatin1String("ZorInitialize3 Error"))
        ui::MsgBox(error);
    return 0;
}

} // namespace veltra::mapwindow

namespace ComBirdView {

std::int16_t MakeOverviewBitmap()
{
    if (!gobjZor)
        return 0;
    return veltra::mapwindow::makeOverviewBitmapOf(*gobjZor);
}

} // namespace ComBirdView
