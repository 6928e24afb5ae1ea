// The view date: the mapping of a stored date mode to the engine's range, the
// status text, the selector panel and the view day; and the view-date dialog
// that writes the document's [SetDate] and applies the user's choice.
#include "platform/profile/profile.h"
#include "platform/ui/windowregistry.h"
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/frmmain.h"
#include "shell/frmoptions.h"
#include "shell/globals.h"
#include "shell/operationroom.h"
#include "shell/viewdate.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::shell::PanelNoDay;
using veltra::shell::PanelTime;
using veltra::shell::PanelToday;

namespace {

const QDate Base(1970, 1, 1);
const QDate Today(2005, 4, 1);

} // namespace

TEST(ViewDateMapping, StoredModesGiveRangePanelStatusAndViewDay)
{
    struct Row
    {
        const char *mode;
        QString date1, date2;
        QString status;
        bool setsRange;
        std::int32_t from, to;
        int panel;
        bool setsViewDate;
        QString viewDate;
    };
    const std::int32_t today = static_cast<std::int32_t>(Base.daysTo(Today));
    const std::int32_t oct1970 = static_cast<std::int32_t>(Base.daysTo(QDate(1970, 10, 1)));
    const std::int32_t mar1980 = static_cast<std::int32_t>(Base.daysTo(QDate(1980, 3, 31)));
    const std::vector<Row> rows{
        {"ToDay", QStringLiteral("昭和45年10月01日"), QString(), QStringLiteral("設定日  平成17年04月01日"),
            true, today, today, PanelToday, true, QStringLiteral("20050401")},
        {"Time", QStringLiteral("昭和45年10月01日"), QString(), QStringLiteral("設定日  昭和45年10月01日"),
            true, oct1970, oct1970, PanelTime, true, QStringLiteral("19701001")},
        {"Time", QStringLiteral("1970/10/01"), QString(), QStringLiteral("設定日  昭和45年10月01日"), true,
            oct1970, oct1970, PanelTime, true, QStringLiteral("19701001")},
        // Date1 later than Date2 reaches the engine unchanged.
        {"Span", QStringLiteral("昭和55年03月31日"), QStringLiteral("昭和45年10月01日"),
            QStringLiteral("期間  昭和55年03月31日～昭和45年10月01日"), true, mar1980, oct1970, 0, true,
            QStringLiteral("19800331")},
        {"NoDay", QString(), QString(), QStringLiteral("設定日　日付指定なし"), true, 1, 0, PanelNoDay, true,
            QString()},
        // A date that is no date counts as the base date.
        {"Time", QStringLiteral("そのうち"), QString(), QStringLiteral("設定日  "), true, 0, 0, PanelTime,
            true, QString()},
        {"today", QString(), QString(), QString(), false, 0, 0, 0, false, QString()},
        {"", QString(), QString(), QString(), false, 0, 0, 0, false, QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.mode) + " " + row.date1.toStdString());
        const auto s = shell::storedViewDate(QString::fromUtf8(row.mode), row.date1, row.date2, Today, Base);
        EXPECT_EQ(s.statusText, row.status);
        EXPECT_EQ(s.setsRange, row.setsRange);
        if (row.setsRange) {
            EXPECT_EQ(s.from, row.from);
            EXPECT_EQ(s.to, row.to);
        }
        EXPECT_EQ(s.panel, row.panel);
        EXPECT_EQ(s.setsViewDate, row.setsViewDate);
        EXPECT_EQ(s.viewDate, row.viewDate);
    }
}

TEST(ViewDateMapping, ABaseDateAfterTodayGivesNegativeDaysAndWesternTextsFollowTheSwitch)
{
    const auto early
        = shell::storedViewDate(QStringLiteral("ToDay"), QString(), QString(), Today, QDate(2006, 4, 1));
    EXPECT_EQ(early.from, -365);
    EXPECT_EQ(early.to, -365);
    ComDateCtrl::gintDateFormat = 1;
    const auto western = shell::storedViewDate(
        QStringLiteral("Time"), QStringLiteral("平成17年04月01日"), QString(), Today, Base);
    ComDateCtrl::gintDateFormat = 0;
    EXPECT_EQ(western.statusText, QStringLiteral("設定日  2005年04月01日"));
    EXPECT_EQ(shell::dateLabelOf(western.statusText), QStringLiteral("2005年04月01日"));
    EXPECT_EQ(shell::dateLabelOf(QStringLiteral("設定日　日付指定なし")), QStringLiteral("日付指定なし"));
    EXPECT_EQ(shell::dateLabelOf(QString()), QString());
}

// The dialog on a document settings file, a main frame and an engine.
class ViewDateDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gstrDocIniPath = m_dir.file(QStringLiteral("Map.INI"));
        gstrIniPath = m_dir.file(QStringLiteral("ZORPAK.INI"));
        gdtBaseDate = Base;
        gstrDebugMode.clear();
        gstrSetDateMode.clear();
        gstrSetDate1.clear();
        gstrViewDate = QStringLiteral("unchanged");
        m_frame = new frmMain;
        gfrmMain = m_frame;
        gobjZor = &m_engine;
        gintMapInit = 1;
        shell::operationRoomLabels().setDateLabel = [this](const QString &text) { m_dateLabel = text; };
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().unload(QStringLiteral("frmOptions"));
        ui::WindowRegistry::instance().unload(m_frame);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::operationRoomLabels() = {};
        gfrmMain = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
        gstrDocIniPath.clear();
        gstrIniPath.clear();
    }
    QString ini(const char *key) const
    {
        return profile::getString(
            QStringLiteral("SetDate"), QString::fromLatin1(key), QStringLiteral("<none>"), gstrDocIniPath);
    }
    frmOptions *open(const QString &preselection = QString())
    {
        shell::showViewDateDialog(preselection);
        return qobject_cast<frmOptions *>(ui::WindowRegistry::instance().find(QStringLiteral("frmOptions")));
    }
    std::int32_t days(const QDate &date) const { return static_cast<std::int32_t>(Base.daysTo(date)); }

    test::TempDir m_dir;
    frmMain *m_frame = nullptr;
    zorvik::Zorvik m_engine;
    QString m_dateLabel = QStringLiteral("untouched");
};

TEST_F(ViewDateDialog, WithoutSettingsNoOptionIsOnAndOkAppliesToday)
{
    frmOptions *dialog = open();
    ASSERT_NE(dialog, nullptr);
    for (QRadioButton *option : dialog->optSetDate)
        EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(dialog->dtpSetDate->date(), QDate::currentDate());
    EXPECT_TRUE(dialog->optSetDate[1]->isHidden()); // no debug mode

    dialog->cmdOK->click();
    const QString todayText = ComDateCtrl::FormatDate(QVariant(QDate::currentDate()));
    EXPECT_EQ(ini("MODE"), QStringLiteral("ToDay"));
    EXPECT_EQ(ini("Date1"), todayText);
    EXPECT_EQ(m_engine.DateFrom(), days(QDate::currentDate()));
    EXPECT_EQ(m_engine.DateTo(), days(QDate::currentDate()));
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("ToDay"));
    EXPECT_EQ(gstrViewDate, QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(m_frame->statusPanelText(3), QStringLiteral("設定日  ") + todayText);
    EXPECT_EQ(m_dateLabel, todayText);
    EXPECT_TRUE(shell::datePanelSelected(shell::PanelToday));
    EXPECT_FALSE(shell::datePanelSelected(shell::PanelNoDay));
    EXPECT_FALSE(shell::datePanelSelected(shell::PanelTime));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmOptions")));
}

TEST_F(ViewDateDialog, SpanOpensOnTheChosenDayAndOkStoresTimeKeepingDate2)
{
    profile::writeString(
        QStringLiteral("SetDate"), QStringLiteral("MODE"), QStringLiteral("Span"), gstrDocIniPath);
    profile::writeString(QStringLiteral("SetDate"), QStringLiteral("Date2"),
        QStringLiteral("昭和55年03月31日"), gstrDocIniPath);
    gstrSetDateMode = QStringLiteral("Span");
    gstrSetDate1 = QStringLiteral("昭和45年10月01日");
    frmOptions *dialog = open();
    EXPECT_TRUE(dialog->optSetDate[2]->isChecked());
    EXPECT_EQ(dialog->dtpSetDate->date(), QDate(1970, 10, 1));
    EXPECT_EQ(dialog->lblSetDate->text(), QStringLiteral("昭和45年10月01日"));
    dialog->cmdOK_Click();
    EXPECT_EQ(ini("MODE"), QStringLiteral("Time"));
    EXPECT_EQ(ini("Date1"), QStringLiteral("昭和45年10月01日"));
    EXPECT_EQ(ini("Date2"), QStringLiteral("昭和55年03月31日"));
    EXPECT_EQ(m_engine.DateFrom(), days(QDate(1970, 10, 1)));
    EXPECT_EQ(m_engine.DateTo(), days(QDate(1970, 10, 1)));
    EXPECT_EQ(gstrViewDate, QStringLiteral("19701001"));
    EXPECT_TRUE(shell::datePanelSelected(shell::PanelTime));
}

TEST_F(ViewDateDialog, NoDayStaysHiddenButOnAndOkRemovesDate1)
{
    profile::writeString(QStringLiteral("SetDate"), QStringLiteral("Date1"),
        QStringLiteral("昭和45年10月01日"), gstrDocIniPath);
    gstrSetDateMode = QStringLiteral("NoDay");
    frmOptions *dialog = open();
    EXPECT_TRUE(dialog->optSetDate[1]->isHidden());
    EXPECT_TRUE(dialog->optSetDate[1]->isChecked());
    EXPECT_FALSE(dialog->dtpSetDate->isEnabled());
    dialog->cmdOK_Click();
    EXPECT_EQ(ini("MODE"), QStringLiteral("NoDay"));
    EXPECT_FALSE(profile::hasKey(QStringLiteral("SetDate"), QStringLiteral("Date1"), gstrDocIniPath));
    EXPECT_EQ(m_engine.DateFrom(), 1);
    EXPECT_EQ(m_engine.DateTo(), 0);
    EXPECT_EQ(gstrViewDate, QString());
    EXPECT_EQ(gstrSetDate1, QString());
    EXPECT_EQ(m_frame->statusPanelText(3), QStringLiteral("設定日　日付指定なし"));
    EXPECT_EQ(m_dateLabel, QString());
    EXPECT_TRUE(shell::datePanelSelected(shell::PanelNoDay));
}

TEST_F(ViewDateDialog, ATypedDateReachesTheLabelAndApplyStaysAfterCancel)
{
    gstrSetDateMode = QStringLiteral("Time");
    gstrSetDate1 = QStringLiteral("昭和45年10月01日");
    frmOptions *dialog = open();
    // Typed into the picker, without its calendar.
    dialog->dtpSetDate->setFocus();
    dialog->dtpSetDate->setDate(QDate(1995, 10, 1));
    EXPECT_EQ(dialog->lblSetDate->text(), QStringLiteral("平成7年10月01日"));
    dialog->cmdApply->click();
    EXPECT_EQ(m_engine.DateFrom(), days(QDate(1995, 10, 1)));
    EXPECT_TRUE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmOptions")));
    dialog->cmdCancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmOptions")));
    EXPECT_EQ(m_engine.DateFrom(), days(QDate(1995, 10, 1)));
    EXPECT_EQ(ini("Date1"), QStringLiteral("平成7年10月01日"));
    EXPECT_EQ(gstrViewDate, QStringLiteral("19951001"));
}

TEST_F(ViewDateDialog, APreselectionOpensOnTheChosenDayAndACancelKeepsTheMode)
{
    gstrSetDateMode = QStringLiteral("ToDay");
    m_engine.setDateFrom(7);
    m_engine.setDateTo(7);
    frmOptions *dialog = open(QStringLiteral("Time"));
    EXPECT_TRUE(dialog->optSetDate[2]->isChecked());
    EXPECT_TRUE(dialog->dtpSetDate->isEnabled());
    dialog->cmdCancel_Click();
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("ToDay"));
    EXPECT_EQ(m_engine.DateFrom(), 7);
    EXPECT_EQ(ini("MODE"), QStringLiteral("<none>"));
}

TEST_F(ViewDateDialog, WithoutAMapNothingIsAppliedOrWritten)
{
    gintMapInit = 0;
    frmOptions *dialog = open();
    dialog->optSetDate[0]->setChecked(true);
    dialog->cmdApply_Click();
    EXPECT_EQ(ini("MODE"), QStringLiteral("<none>"));
    EXPECT_EQ(gstrViewDate, QStringLiteral("unchanged"));
}

TEST_F(ViewDateDialog, AStoredDateThatIsNoDateStartsThePickerAtToday)
{
    gstrSetDateMode = QStringLiteral("Time");
    gstrSetDate1 = QStringLiteral("いつか");
    frmOptions *dialog = open();
    EXPECT_EQ(dialog->dtpSetDate->date(), QDate::currentDate());
    EXPECT_EQ(dialog->lblSetDate->text(), ComDateCtrl::FormatDate(QVariant(QDate::currentDate())));
}
