#include "statrender/exceloutmode.h"

#include "mapwindow/globals.h"
#include "platform/fs/fs.h"
#include "platform/spreadsheet/workbook.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/commonm1.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/modecodes.h"
#include "statrender/frmpsyxlsselect.h"
#include "zorvik/widget/zorvik.h"

#include <QBuffer>
#include <QFile>
#include <cmath>

namespace veltra::statrender {

namespace {

LegendPictureSource &legendSource()
{
    static LegendPictureSource source;
    return source;
}

const QString kTitleShape = QStringLiteral("タイトル欄");
const QString kMapShape = QStringLiteral("地図描画域");
const QString kLegendShape = QStringLiteral("凡例描画域");

// Keeps the view's centre and scale and puts them back when it goes, so no
// path through the export leaves the map moved.
class KeptView
{
public:
    explicit KeptView(zorvik::Zorvik *engine)
        : m_engine(engine)
        , m_view(engine->viewTransform())
    { }
    ~KeptView()
    {
        m_engine->setCenterX(m_view.centerX());
        m_engine->setCenterY(m_view.centerY());
        m_engine->setScale(m_view.scale());
        m_engine->Refresh();
    }
    KeptView(const KeptView &) = delete;
    KeptView &operator=(const KeptView &) = delete;
    double scale() const { return m_view.scale(); }

private:
    zorvik::Zorvik *m_engine;
    zorvik::ViewTransform m_view;
};

// The engine's picture of the dragged range (glngPointX/Y 0 and 1) at the
// current scale, as PNG bytes; empty with the reason when there is none.
QByteArray rangePicture(zorvik::Zorvik *engine, QString &reason)
{
    const double cx = vb::roundHalfEven((double(glngPointX[0]) + double(glngPointX[1])) / 2);
    const double cy = vb::roundHalfEven((double(glngPointY[0]) + double(glngPointY[1])) / 2);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    engine->ConvertCoord(4, glngPointX[0], glngPointY[0], x0, y0, 0);
    engine->ConvertCoord(4, glngPointX[1], glngPointY[1], x1, y1, 0);
    const double w = vb::roundHalfEven(std::abs(x0 - x1));
    const double h = vb::roundHalfEven(std::abs(y0 - y1));

    KeptView kept(engine);
    engine->setCenterX(cx);
    engine->setCenterY(cy);
    const QString file = CommonM1::GetTempFile();
    if (file.isEmpty()) {
        reason = QStringLiteral("一時ファイルを作成できません。");
        return {};
    }
    QByteArray png;
    // Sizes beyond a Long are no picture the engine could draw.
    const bool sized = w < 2147483647.0 && h < 2147483647.0;
    if (sized && engine->GetRangeImage(file, int(h), int(w), kept.scale(), 0) == 0)
        fs::readFile(file, png);
    QFile::remove(file);
    if (!spreadsheet::pngSize(png)) {
        reason = QStringLiteral("地図画像を取得できませんでした。");
        return {};
    }
    return png;
}

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        bytes.clear();
    return bytes;
}

// The chooser back from its minimised state, when it is loaded.
void restoreChooser()
{
    QWidget *chooser = ui::WindowRegistry::instance().find(QStringLiteral("frmPSYXlsSelect"));
    if (chooser)
        chooser->showNormal();
}

void fail(const QString &reason)
{
    ui::MsgBox(QStringLiteral("スプレッドシートを作成できませんでした：") + reason, ui::vbExclamation);
    restoreChooser();
}

void exportRange(zorvik::Zorvik *engine)
{
    engine->setMouseEventMode(0);
    const QString templatePath = fs::resolve(gstrExcelTemplate);
    if (gstrExcelTemplate.isEmpty() || !fs::fileExists(templatePath)) {
        ui::MsgBox(
            QStringLiteral("テンプレートファイルが見つかりません：") + fs::normalize(gstrExcelTemplate),
            ui::vbExclamation);
        restoreChooser();
        return;
    }
    QString reason;
    const QByteArray map = rangePicture(engine, reason);
    if (map.isEmpty()) {
        fail(reason);
        return;
    }
    const QString output = fs::resolve(gstrDataPath + QStringLiteral("ExcelTemp\\Veltra.xlsx"));
    if (!fillExcelTemplate(templatePath, output, gstrExcelTitle, map, pngOf(legendPicture()), &reason)) {
        fail(reason);
        return;
    }
    restoreChooser();
    mdlCommon::OpenWithShell(output);
}

} // namespace

void setLegendPictureSource(LegendPictureSource source)
{
    legendSource() = std::move(source);
}

QImage legendPicture()
{
    const LegendPictureSource source = legendSource();
    return source ? source() : QImage();
}

bool fillExcelTemplate(const QString &templatePath, const QString &output, const QString &title,
    const QByteArray &mapPng, const QByteArray &legendPng, QString *error)
{
    spreadsheet::Workbook book;
    if (!book.open(templatePath, error))
        return false;
    // Each shape's step stands alone: a template without the shape skips it.
    book.setShapeText(kTitleShape, title);
    if (book.insertPicture(kMapShape, mapPng, QStringLiteral("地図")))
        book.deleteShape(kMapShape);
    if (!legendPng.isEmpty())
        book.insertPicture(kLegendShape, legendPng, QStringLiteral("凡例"));
    book.deleteShape(kLegendShape);
    return book.save(output, error);
}

} // namespace veltra::statrender

namespace ComPSY {

void ExcelOutMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    if (!engine)
        return;
    if (state == StateEnter) {
        veltra::ui::MsgBox(QStringLiteral("マウスドラッグで範囲を指定して下さい."));
        engine->setMouseEventMode(5);
    } else if (state == StateRect) {
        veltra::statrender::exportRange(engine);
    }
}

} // namespace ComPSY
