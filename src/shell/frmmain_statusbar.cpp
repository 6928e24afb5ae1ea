// The main frame's status bar: eight panels (running tool, pointer position,
// view date, the three view-date selectors, system date and time) and what
// a click on a panel does.
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "shell/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>

using namespace veltra;
using namespace veltra::shell;

namespace {

// Panel clicks, which QLabel has no signal for. Disabled selectors are
// clicked too: the handler treats the three alike whatever their state.
class PanelClickWatcher : public QObject
{
public:
    PanelClickWatcher(frmMain *frame, int index, QObject *parent)
        : QObject(parent)
        , m_frame(frame)
        , m_index(index)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_frame->sbStatusBar_PanelClick(m_index);
        return QObject::eventFilter(watched, event);
    }

private:
    frmMain *m_frame;
    int m_index;
};

void showClock(QLabel *date, QLabel *time)
{
    const QDateTime now = QDateTime::currentDateTime();
    date->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
    time->setText(now.time().toString(QStringLiteral("H:mm")));
}

// Today or no date, chosen on the status bar: the engine's range, the
// selectors, the view-date text and the operation room's label.
void applyDateChoice(const QString &mode)
{
    const QDate today = QDate::currentDate();
    const ViewDateSetting s = storedViewDate(mode, QString(), QString(), today, gdtBaseDate);
    gobjZor->setDateFrom(s.from);
    gobjZor->setDateTo(s.to);
    selectDatePanel(s.panel);
    mdlMain::SetStatusText(3, s.statusText);
    gstrSetDateMode = mode;
    gstrSetDate1 = mode == QLatin1String("ToDay") ? ComDateCtrl::FormatDate(today) : QString();
    gobjZor->Refresh();
    gobjZor->SetCenterScale(gobjZor->CenterX(), gobjZor->CenterY(), 1.0);
    gstrViewDate = s.viewDate;
    setOpeRoomDateLabel(dateLabelOf(s.statusText));
}

} // namespace

void frmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    const QStringList selectors
        = {QStringLiteral("今日"), QStringLiteral("未指定"), QStringLiteral("指定日")};
    for (int i = 1; i <= 8; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMargin(1);
        if (i >= 4 && i <= 6) {
            panel->setText(selectors[i - 4]);
            panel->setToolTip(selectors[i - 4]);
            panel->setAlignment(Qt::AlignCenter);
        }
        panel->setMinimumWidth(i == 1 || i == 3 ? 150 : (i == 2 ? 220 : 60));
        // The pointer position is the widest panel.
        bar->addWidget(panel, i == 2 ? 1 : 0);
        panel->installEventFilter(new PanelClickWatcher(this, i, panel));
        m_panels.push_back(panel);
    }
    showClock(m_panels[6], m_panels[7]);
    auto *clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("sbClock"));
    connect(clock, &QTimer::timeout, this, [this] { showClock(m_panels[6], m_panels[7]); });
    clock->start(1000);
}

void frmMain::sbStatusBar_PanelClick(int panel)
{
    if (gintMapInit != 1 || !gobjZor)
        return;
    switch (panel) {
    case 2:
        // The next pointer move shows the new form.
        gintPointType = static_cast<std::int16_t>(gintPointType >= 3 ? 0 : gintPointType + 1);
        break;
    case PanelToday:
        applyDateChoice(QStringLiteral("ToDay"));
        break;
    case PanelNoDay:
        applyDateChoice(QStringLiteral("NoDay"));
        break;
    case PanelTime: {
        // The dialog opens with 指定日 chosen; the mode changes only when
        // the user applies it, so a cancel leaves everything as it was.
        const auto show = modeRegistry().navigation().showViewDate;
        if (show)
            show(QStringLiteral("Time"));
        gobjZor->Refresh();
        break;
    }
    default:
        break;
    }
}
