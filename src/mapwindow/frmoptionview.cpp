#include "mapwindow/frmoptionview.h"

#include "mapwindow/applybuttons.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/dates.h"
#include "platform/vb/errors.h"
#include "shell/comdatectrl.h"
#include "shell/globals.h"
#include "shell/viewdate.h"
#include "zorvik/render/elementstyle.h"
#include "zorvik/widget/zorvik.h"

#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace veltra;

namespace {

std::uint32_t toBgr(const QColor &c)
{
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8)
        | (static_cast<std::uint32_t>(c.blue()) << 16);
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

// The field rewritten with the number its text begins with.
double leadingNumber(QLineEdit *field)
{
    const double value = vb::val(field->text());
    field->setText(numberText(value));
    return value;
}

} // namespace

frmOptionView::frmOptionView(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("その他設定"));

    auto *display = new QGroupBox(QStringLiteral("表示"), this);
    auto *displayForm = new QFormLayout(display);
    picBackColor = new QLabel(display);
    picBackColor->setObjectName(QStringLiteral("picBackColor"));
    picBackColor->setFixedSize(48, 20);
    picBackColor->setFrameShape(QFrame::Panel);
    picBackColor->setFrameShadow(QFrame::Sunken);
    picBackColor->setAutoFillBackground(true);
    picBackColor->installEventFilter(this);
    txtDisp[0] = new QLineEdit(display);
    txtDisp[0]->setToolTip(QStringLiteral("1.1～10.0"));
    txtDisp[1] = new QLineEdit(display);
    txtDisp[1]->setToolTip(QStringLiteral("0.1～0.9"));
    displayForm->addRow(QStringLiteral("背景色："), picBackColor);
    displayForm->addRow(QStringLiteral("拡大倍率："), txtDisp[0]);
    displayForm->addRow(QStringLiteral("縮小倍率："), txtDisp[1]);

    auto *editDate = new QGroupBox(QStringLiteral("編集日"), this);
    auto *editLayout = new QHBoxLayout(editDate);
    DTPicker1 = new QDateEdit(editDate);
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    Label1 = new QLabel(editDate);
    editLayout->addWidget(DTPicker1);
    editLayout->addWidget(Label1);

    auto *levels = new QGroupBox(QStringLiteral("階層化"), this);
    auto *levelForm = new QFormLayout(levels);
    for (auto &field : Text1)
        field = new QLineEdit(levels);
    levelForm->addRow(QStringLiteral("階層数："), Text1[0]);
    levelForm->addRow(QStringLiteral("分割ピクセル幅："), Text1[1]);
    levelForm->addRow(QStringLiteral("分割ピクセル高さ："), Text1[2]);

    const mapwindow::ApplyButtons buttons = mapwindow::makeApplyButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdApply_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = buttons.ok;
    cmdApply = buttons.apply;
    cmdCancel = buttons.cancel;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(display);
    layout->addWidget(editDate);
    layout->addWidget(levels);
    layout->addLayout(buttons.row);
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { DTPicker1_Change(); });

    // Loading.
    if (gobjZor) {
        setBackColor(zorvik::style::fromBgr(gobjZor->BackColor()));
        txtDisp[0]->setText(numberText(gobjZor->ZoomInFactor()));
        txtDisp[1]->setText(numberText(gobjZor->ZoomOutFactor()));
    }
    QDate edit = QDate::currentDate();
    try {
        if (const auto date
            = vb::toDate(QVariant(ComDateCtrl::AddDaysText(QVariant(gdtBaseDate), glngEditDate))))
            edit = date->date();
    } catch (const vb::Overflow &) {
        // An edit date outside the calendar starts the picker at today.
    }
    DTPicker1->setDate(edit);
    DTPicker1_Change();
    Text1[0]->setText(QString::number(gintRasterLevel));
    Text1[1]->setText(QString::number(glngRasterSplitW));
    Text1[2]->setText(QString::number(glngRasterSplitH));
}

void frmOptionView::setBackColor(const QColor &colour)
{
    m_backColor = colour;
    QPalette palette = picBackColor->palette();
    palette.setColor(QPalette::Window, colour);
    picBackColor->setPalette(palette);
}

bool frmOptionView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picBackColor && event->type() == QEvent::MouseButtonRelease) {
        picBackColor_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmOptionView::picBackColor_Click()
{
    if (const auto colour = ui::getColour(this, m_backColor))
        setBackColor(*colour);
}

void frmOptionView::DTPicker1_Change()
{
    Label1->setText(ComDateCtrl::FormatDate(QVariant(DTPicker1->date())));
}

void frmOptionView::ApplyViewOptions()
{
    const double zoomIn = leadingNumber(txtDisp[0]);
    const double zoomOut = leadingNumber(txtDisp[1]);
    const double level = leadingNumber(Text1[0]);
    const double splitW = leadingNumber(Text1[1]);
    const double splitH = leadingNumber(Text1[2]);
    if (gobjZor) {
        gobjZor->setBackColor(toBgr(m_backColor));
        gobjZor->SetCenterScale(gobjZor->CenterX(), gobjZor->CenterY(), 1.0);
        gobjZor->setZoomInFactor(zoomIn);
        gobjZor->setZoomOutFactor(zoomOut);
        gdblZoomIn = gobjZor->ZoomInFactor();
        gdblZoomOut = gobjZor->ZoomOutFactor();
    }
    glngEditDate = shell::dayNumber(QVariant(Label1->text()), gdtBaseDate);
    // A number the global cannot hold keeps the old value, shown again.
    try {
        gintRasterLevel = vb::cInt(level);
    } catch (const vb::Overflow &) {
        Text1[0]->setText(QString::number(gintRasterLevel));
    }
    try {
        glngRasterSplitW = vb::cLng(splitW);
    } catch (const vb::Overflow &) {
        Text1[1]->setText(QString::number(glngRasterSplitW));
    }
    try {
        glngRasterSplitH = vb::cLng(splitH);
    } catch (const vb::Overflow &) {
        Text1[2]->setText(QString::number(glngRasterSplitH));
    }
}

void frmOptionView::cmdOK_Click()
{
    for (QLineEdit *field : txtDisp) {
        if (field->text().isEmpty() || !vb::isNumeric(field->text()))
            return;
    }
    ApplyViewOptions();
    ui::WindowRegistry::instance().unload(this);
}

void frmOptionView::cmdApply_Click()
{
    ApplyViewOptions();
}

void frmOptionView::cmdCancel_Click()
{
    ui::WindowRegistry::instance().unload(this);
}
