#include "mapwindow/comcuttingimage.h"

#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "shell/commonm1.h"
#include "shell/frameview.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace ComCuttingImage {

namespace {

void enter(zorvik::Zorvik *engine)
{
    if (veltra::shell::FrameView *frame = veltra::shell::frameView())
        frame->pressToolButton(QStringLiteral("TB_NORMAL"));
    auto &registry = veltra::shell::modeRegistry();
    // The operation room's standard option runs the standard mode when clicked.
    if (const auto select = registry.operationRoom().selectFirstMapMode)
        select();
    else if (const auto normal = registry.navigation().setNormalMode)
        normal(gobjZor);
    veltra::ui::MsgBox(QStringLiteral("マウスドラッグで範囲を指定して下さい."));
    engine->setMouseEventMode(5);
    if (gfrmMain)
        static_cast<QWidget *>(gfrmMain)->activateWindow();
}

void cut(zorvik::Zorvik *engine)
{
    const QRect rect = screenRect(*engine, glngMouseDownX, glngMouseDownY, glngMouseUpX, glngMouseUpY);
    engine->setMouseEventMode(0);
    engine->Refresh();
    const QString file = CommonM1::GetTempFile();
    QImage picture;
    if (!file.isEmpty()
        && engine->SaveImageRect(
               rect.top(), rect.left(), rect.left() + rect.width(), rect.top() + rect.height(), file)
            == 0)
        picture.load(file);
    // The temporary picture goes on every path.
    if (!file.isEmpty())
        QFile::remove(file);
    if (picture.isNull()) {
        veltra::ui::MsgBox(QStringLiteral("地図画像を取得できませんでした。"), veltra::ui::vbExclamation);
        return;
    }
    QGuiApplication::clipboard()->setImage(picture);
    veltra::ui::MsgBox(QStringLiteral("クリップボードへ出力しました."));
    gintStoryStepEnd = -1;
}

} // namespace

QRect screenRect(
    const zorvik::Zorvik &engine, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    const auto pixelsX
        = [](double twips) { return veltra::vb::roundHalfEven(twips / veltra::ui::twipsPerPixelX()); };
    const auto pixelsY
        = [](double twips) { return veltra::vb::roundHalfEven(twips / veltra::ui::twipsPerPixelY()); };
    // The control's own origin on the screen, so the window frame counts once.
    const QPoint origin = engine.mapToGlobal(QPoint(0, 0));
    const int left = static_cast<int>(pixelsX(std::min(x1, x2))) + origin.x();
    const int right = static_cast<int>(pixelsX(std::max(x1, x2))) + origin.x();
    const int top = static_cast<int>(pixelsY(std::min(y1, y2))) + origin.y();
    const int bottom = static_cast<int>(pixelsY(std::max(y1, y2))) + origin.y();
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

void ImageCutMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    if (!engine)
        return;
    if (state == StateEnter)
        enter(engine);
    else if (state == StateRect)
        cut(engine);
}

} // namespace ComCuttingImage
