#include "statrender/frmpsyxlsselect.h"

#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace veltra;

namespace veltra::statrender {

TemplatePreviewView::TemplatePreviewView(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(150, 180);
}

void TemplatePreviewView::load(const QString &path)
{
    m_preview = path.isEmpty() ? TemplatePreview{} : readTemplatePreview(path);
    m_loaded = !path.isEmpty();
    update();
}

void TemplatePreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    // Nothing is drawn while the previews are still to be read.
    if (m_loaded)
        drawTemplatePreview(painter, QRectF(rect()).adjusted(6, 6, -6, -6), m_preview);
}

} // namespace veltra::statrender

frmPSYXlsSelect::frmPSYXlsSelect(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("レイアウト選択"));

    auto *grid = new QGridLayout;
    static const char16_t *const digits[] = {u"１", u"２", u"３", u"４", u"５", u"６", u"７", u"８"};
    for (int i = 0; i < 8; ++i) {
        optFile[i] = new QRadioButton(QStringLiteral("テンプレート") + QString::fromUtf16(digits[i]), this);
        optFile[i]->setObjectName(QStringLiteral("optFile_%1").arg(i));
        OLE1[i] = new statrender::TemplatePreviewView(this);
        OLE1[i]->setObjectName(QStringLiteral("OLE1_%1").arg(i));
        const int row = (i / 4) * 2;
        grid->addWidget(optFile[i], row, i % 4);
        grid->addWidget(OLE1[i], row + 1, i % 4);
    }
    optFile[0]->setChecked(true);

    Label1 = new QLabel(QStringLiteral("タイトル設定"), this);
    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    Label1->setBuddy(txtTitle);
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    cmdOK = new QPushButton(QStringLiteral("作成"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("終了"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(Label1);
    titleRow->addWidget(txtTitle, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(lblInfo, 1);
    buttonRow->addWidget(cmdOK);
    buttonRow->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(titleRow);
    layout->addLayout(buttonRow);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Form_Load();
}

frmPSYXlsSelect::~frmPSYXlsSelect() = default;

bool frmPSYXlsSelect::previewAvailable(int index) const
{
    return OLE1[index]->loaded() && OLE1[index]->preview().available;
}

void frmPSYXlsSelect::Form_Load()
{
    gstrExcelTemplate.clear();
    gstrExcelTitle.clear();
    for (int i = 0; i < 8; ++i)
        m_names[i] = QStringLiteral("VeltraTemp%1.xlsx").arg(i + 1);
    cmdOK->setEnabled(false);
    cmdCancel->setEnabled(false);
    lblInfo->setText(QStringLiteral("テンプレート読込中です。しばらくお待ちください・・・"));
    Timer1->start();
}

void frmPSYXlsSelect::Timer1_Timer()
{
    m_folder = gstrDataPath + QStringLiteral("ExcelTemp\\");
    Timer1->stop();
    for (int i = 0; i < 8; ++i)
        OLE1[i]->load(m_folder + m_names[i]);
    lblInfo->setText(QString());
    cmdOK->setEnabled(true);
    cmdCancel->setEnabled(true);
}

void frmPSYXlsSelect::cmdOK_Click()
{
    int chosen = 0;
    while (chosen < 7 && !optFile[chosen]->isChecked())
        ++chosen;
    gstrExcelTemplate = m_folder + m_names[chosen];
    gstrExcelTitle = txtTitle->text();
    setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    ui::DoEvents();
    shell::changeMode(ModeExcelOut, 0, shell::noParameterText());
}

void frmPSYXlsSelect::cmdCancel_Click()
{
    ui::WindowRegistry::instance().unload(this);
}

void frmPSYXlsSelect::Form_Unload()
{
    gintStoryStepEnd = -1;
    shell::dispatchMode(StateLeave, shell::noParameterText());
}

void frmPSYXlsSelect::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    // The close box unloads as the button does: the next use makes a new window.
    ui::WindowRegistry::instance().unload(this);
}
