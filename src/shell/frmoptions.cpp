#include "shell/frmoptions.h"

#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/dates.h"
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/operationroom.h"
#include "shell/savefailures.h"
#include "shell/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace veltra;

frmOptions::frmOptions(QWidget *owner, const QString &preselectedMode)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("表示日設定"));
    auto *frame = new QGroupBox(QStringLiteral("表示日"), this);
    optSetDate[0] = new QRadioButton(QStringLiteral("今日"), frame);
    optSetDate[1] = new QRadioButton(QStringLiteral("未指定"), frame);
    optSetDate[2] = new QRadioButton(QStringLiteral("指定日"), frame);
    for (int i = 0; i < 3; ++i)
        optSetDate[i]->setObjectName(QStringLiteral("optSetDate%1").arg(i));
    dtpSetDate = new QDateEdit(frame);
    dtpSetDate->setObjectName(QStringLiteral("dtpSetDate"));
    dtpSetDate->setCalendarPopup(true);
    dtpSetDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    lblSetDate = new QLabel(frame);
    lblSetDate->setObjectName(QStringLiteral("lblSetDate"));
    lblSetDate->setFrameShape(QFrame::Panel);
    lblSetDate->setFrameShadow(QFrame::Sunken);
    lblSetDate->setAutoFillBackground(true);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(optSetDate[0], 0, 0);
    grid->addWidget(optSetDate[1], 1, 0);
    grid->addWidget(optSetDate[2], 2, 0);
    grid->addWidget(dtpSetDate, 2, 1);
    grid->addWidget(lblSetDate, 3, 0, 1, 2);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdApply = new QPushButton(QStringLiteral("適用(&A)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    for (int i = 0; i < 3; ++i)
        connect(optSetDate[i], &QRadioButton::clicked, this, [this, i] { optSetDate_Click(i); });
    // Every change of the picker's date reaches the label, typed or chosen
    // in the calendar, so that OK always applies the date the picker shows.
    connect(dtpSetDate, &QDateEdit::dateChanged, this, [this] {
        if (optSetDate[2]->isChecked())
            showPickerDate();
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });

    Form_Load(preselectedMode.isEmpty() ? gstrSetDateMode : preselectedMode);
}

void frmOptions::Form_Load(const QString &mode)
{
    // A stored date that is no date (a hand-edited file) starts the picker at today.
    const auto stored = gstrSetDate1.isEmpty() ? std::nullopt : vb::toDate(QVariant(gstrSetDate1));
    dtpSetDate->setDate(stored ? stored->date() : QDate::currentDate());
    int option = -1;
    if (mode == QLatin1String("ToDay"))
        option = 0;
    else if (mode == QLatin1String("Time") || mode == QLatin1String("Span"))
        option = 2;
    else if (mode == QLatin1String("NoDay"))
        option = 1;
    optSetDate[1]->setVisible(gstrDebugMode == QLatin1String("1"));
    if (option >= 0) {
        optSetDate[option]->setChecked(true);
        optSetDate_Click(option);
    }
}

void frmOptions::showPickerDate()
{
    lblSetDate->setText(ComDateCtrl::FormatDate(QVariant(dtpSetDate->date())));
}

void frmOptions::optSetDate_Click(int index)
{
    const bool chosenDay = index == 2;
    dtpSetDate->setEnabled(chosenDay);
    lblSetDate->setEnabled(chosenDay);
    if (index == 0)
        lblSetDate->setText(ComDateCtrl::FormatDate(QVariant(QDate::currentDate())));
    else if (chosenDay)
        showPickerDate();
}

void frmOptions::ApplyViewDate()
{
    // The dialog sets the open map's range and writes its settings file;
    // without a map there is nothing to apply it to.
    if (gintMapInit != 1 || !gobjZor)
        return;
    int option = 0;
    for (int i = 0; i < 3; ++i) {
        if (optSetDate[i]->isChecked()) {
            option = i;
            break;
        }
    }
    static const std::array<QString, 3> modes{
        QStringLiteral("ToDay"), QStringLiteral("NoDay"), QStringLiteral("Time")};
    const QString &mode = modes[static_cast<std::size_t>(option)];
    const QDate today = QDate::currentDate();
    const QString label = lblSetDate->text();
    // The same mapping the map window applies when the document opens.
    const auto s = shell::storedViewDate(mode, label, QString(), today, gdtBaseDate);
    gobjZor->setDateFrom(s.from);
    gobjZor->setDateTo(option == 1 ? s.to : gobjZor->DateFrom());
    shell::selectDatePanel(s.panel);
    std::optional<QString> dateText; // none: the key is removed
    if (option == 0)
        dateText = ComDateCtrl::FormatDate(QVariant(today));
    else if (option == 2)
        dateText = label;
    gstrSetDateMode = mode;
    gstrSetDate1 = dateText.value_or(QString());
    gstrViewDate = s.viewDate;
    // The map shows the choice either way; a failed write is reported, as
    // the next opening of the document falls back to what the file holds.
    if (shell::writeSetting(QStringLiteral("SetDate"), QStringLiteral("MODE"), mode, gstrDocIniPath))
        shell::writeSetting(QStringLiteral("SetDate"), QStringLiteral("Date1"), dateText, gstrDocIniPath);
    mdlMain::SetStatusText(3, s.statusText);
    shell::setOpeRoomDateLabel(gstrSetDate1);
    gobjZor->Refresh();
}

void frmOptions::cmdOK_Click()
{
    ApplyViewDate();
    ui::WindowRegistry::instance().unload(this);
}

void frmOptions::cmdCancel_Click()
{
    ui::WindowRegistry::instance().unload(this);
}

void frmOptions::cmdApply_Click()
{
    ApplyViewDate();
}

namespace veltra::shell {

void showViewDateDialog(const QString &preselectedMode)
{
    auto &registry = ui::WindowRegistry::instance();
    auto *open = qobject_cast<frmOptions *>(registry.find(QStringLiteral("frmOptions")));
    if (!open) {
        open = registry.form<frmOptions>(gfrmMain, preselectedMode);
        ui::placeToolWindow(*open, gfrmMain);
    }
    open->show();
    open->raise();
    open->activateWindow();
}

} // namespace veltra::shell
