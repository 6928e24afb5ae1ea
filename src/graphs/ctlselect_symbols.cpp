// ctlSelect: the symbol list of the symbol layout and the pyramid's relative
// maximum.
#include "graphs/bitmapfacts.h"
#include "graphs/ctlselect.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "shell/modfiledlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QListWidget>
#include <QRadioButton>

namespace {

constexpr int MaxSymbolPixels = 100;
constexpr int IconPixels = 16;

// The hourglass while a picture is read.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QString samePlace(const QString &path)
{
    return QDir::cleanPath(veltra::fs::normalize(path));
}

} // namespace

bool ctlSelect::GetBitmapInfo(const QString &bitmapFile, std::int32_t &Return_Height, std::int32_t &Return_Width,
    std::int16_t &Return_BitsPerPixel, double &Return_Size) const
{
    Return_Height = 0;
    Return_Width = 0;
    Return_BitsPerPixel = 0;
    Return_Size = 0;
    veltra::graphs::BitmapFacts facts;
    if (bitmapFile.isEmpty() || !veltra::graphs::readBitmapFacts(bitmapFile, facts))
        return false;
    Return_Height = facts.height;
    Return_Width = facts.width;
    Return_BitsPerPixel = veltra::graphs::bitsPerPixelClass(facts.bitsPerPixel);
    Return_Size = veltra::graphs::paddedRowSize24(facts.width, facts.height);
    return true;
}

QVariant ctlSelect::AddSymble(const QString &strPath)
{
    WaitCursor wait;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int16_t depth = 0;
    double size = 0;
    if (!GetBitmapInfo(strPath, height, width, depth, size))
        return QVariant();
    if (height > MaxSymbolPixels || width > MaxSymbolPixels || depth != 24)
        return QVariant();

    // A path already listed keeps its one entry (the picture key is unique).
    for (int row = 0; row < lstSymbol->count(); ++row) {
        QListWidgetItem *item = lstSymbol->item(row);
        if (samePlace(item->data(Qt::UserRole).toString()) == samePlace(strPath)) {
            lstSymbol->setCurrentItem(item);
            item->setSelected(true);
            lstSymbol->scrollToItem(item);
            return strPath;
        }
    }

    // The 16 x 16 picture is scaled from the file itself; the clipboard is
    // never touched.
    QImageReader reader(strPath);
    const QImage image = reader.read();
    if (image.isNull())
        return QVariant();
    const QImage icon = (image.width() == IconPixels && image.height() == IconPixels)
        ? image
        : image.scaled(IconPixels, IconPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_iList[strPath] = QIcon(QPixmap::fromImage(icon));

    const QString name = strPath.mid(std::max(strPath.lastIndexOf(QLatin1Char('\\')), strPath.lastIndexOf(QLatin1Char('/'))) + 1);
    auto *item = new QListWidgetItem(m_iList[strPath], name, lstSymbol);
    item->setData(Qt::UserRole, strPath);
    item->setToolTip(strPath);
    return strPath;
}

void ctlSelect::cmdLoad_Click()
{
    const QString path = modFileDlg::ShowOpenDialog(this, QStringLiteral("シンボルファイルを読み込み"),
        QStringLiteral("24ビット ビットマップ (*.bmp)|*.bmp"), 1, m_symbolPath, QString(), QString());
    if (path.isEmpty())
        return;
    if (!AddSymble(path).isValid())
        veltra::ui::MsgBox(QStringLiteral("シンボル表示が出来ないファイルです"), veltra::ui::vbOKOnly);
}

void ctlSelect::optExpressionKind_Click(std::int16_t Index)
{
    Q_UNUSED(Index);
    if (m_selectItem == 6)
        cmbHaba->setEnabled(optExpressionKind[1]->isChecked());
}
