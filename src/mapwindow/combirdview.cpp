#include "mapwindow/combirdview.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/globals.h"
#include "shell/mdlspcom.h"
#include "zorvik/core/engine.h"
#include "zorvik/render/renderer.h"
#include "zorvik/render/renderinput.h"
#include "zorvik/render/viewtransform.h"
#include "zorvik/widget/zorvik.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

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

OverviewBox overviewBox(std::int32_t cx, std::int32_t cy, std::int32_t w, std::int32_t h)
{
    const double width = w * zorvik::Zorvik::ShowAllMargin;
    const double height = h * zorvik::Zorvik::ShowAllMargin;
    return {cx - width / 2, cy - height / 2, width, height};
}

namespace {

// The transform that draws the overview picture: centred on the extent,
// fitting the overview box. Not valid for a map without extent.
zorvik::ViewTransform overviewView(const zorvik::Zorvik &main, int heightPx)
{
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    main.GetMapExtent(cx, cy, w, h);
    if (w <= 0 || h <= 0 || heightPx <= 0)
        return {};
    const OverviewBox box = overviewBox(cx, cy, w, h);
    // The picture takes the box's shape on the ground, so that its corners
    // are the box's corners and a click on it maps linearly back to world
    // coordinates.
    const zorvik::ViewTransform probe(cx, cy, 25000, 0, QSize(100, 100), 96);
    const double ratio = (box.width * probe.metresPerUnitX()) / (box.height * probe.metresPerUnitY());
    const QSize size(std::max(1, static_cast<int>(std::lround(heightPx * ratio))), heightPx);
    const zorvik::ViewTransform view = probe.withSize(size);
    return view.withScale(view.scaleToFit(box.width, box.height));
}

} // namespace

QSize overviewPictureSize(const zorvik::Zorvik &main, int heightPx)
{
    const zorvik::ViewTransform view = overviewView(main, heightPx);
    return view.isValid() ? view.size() : QSize();
}

QImage renderOverview(zorvik::Zorvik &main, int heightPx)
{
    const zorvik::ViewTransform view = overviewView(main, heightPx);
    if (!view.isValid())
        return QImage();
    // The second engine opens the main engine's document by its map handle
    // and renders without any window.
    zorvik::Engine second;
    if (second.InitializeMap(main.MapHandle()) != zorvik::code::Ok)
        return QImage();
    // An overview draws the vectors only.
    const zorvik::RenderInput input = zorvik::renderInputOf(second, main.BackColor(), true);
    const zorvik::Renderer renderer;
    QImage picture = renderer.renderImage(view, input);
    second.CloseMap();
    return picture;
}

bool makeOverviewBitmap(
    zorvik::Zorvik &main, const QString &documentPath, QString *error, OverviewFailure *failure)
{
    if (failure)
        *failure = OverviewFailure::None;
    const QString path = overviewBitmapPath(documentPath);
    const int heightPx = ui::twipsToPixelsY(3200);
    // A picture of another size was made another way (an older mapping, or
    // no margin): its clicks would land elsewhere, so it is made again.
    if (path.isEmpty()
        || (overviewBitmapCurrent(documentPath)
            && QImageReader(fs::resolve(path)).size() == overviewPictureSize(main, heightPx)))
        return true;
    const QImage picture = renderOverview(main, heightPx);
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("ZorInitialize3 Error");
        if (failure)
            *failure = OverviewFailure::Render;
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    if (!fs::writeFileAtomic(path, bytes, error)) {
        unsaved() = {path, picture};
        if (failure)
            *failure = OverviewFailure::Write;
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

void forgetUnsavedOverview()
{
    unsaved() = {};
}

std::int16_t makeOverviewBitmapOf(zorvik::Zorvik &main)
{
    QString error;
    OverviewFailure failure = OverviewFailure::None;
    if (!makeOverviewBitmap(main, main.DocumentPath(), &error, &failure)
        && failure == OverviewFailure::Render)
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
