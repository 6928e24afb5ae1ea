// What every window shares from start-up on: Qt's own dialogs and calendars
// in Japanese, and the program's icon on every top-level window.
#include "app/mdlmain_main.h"
#include "app/uisetup.h"
#include "platform/ui/dialogscript.h"
#include "programfixture.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modaldialog.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

// Runs the start-up helper and undoes it afterwards, so the other tests of
// this program keep the state they were written for.
class UserInterfaceSetUp : public ::testing::Test
{
protected:
    void SetUp() override { app::setUpUserInterface(); }
    void TearDown() override
    {
        // A translator removes itself from the application when deleted.
        qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
        QLocale::setDefault(m_locale);
        QApplication::setWindowIcon(QIcon());
    }

private:
    QLocale m_locale;
};

QImage imageOf(const QIcon &icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST_F(UserInterfaceSetUp, QtDialogsSpeakJapanese)
{
    // The texts Qt's own widgets take from its translations.
    struct Row
    {
        const char *context;
        const char *source;
        const char *japanese;
    };
    const Row rows[] = {
        {"QPlatformTheme", "Cancel", "キャンセル"},
        {"QPlatformTheme", "&Yes", "はい(&Y)"},
        {"QPlatformTheme", "&No", "いいえ(&N)"},
        {"QFileDialog", "Look in:", "アドレス:"},
        {"QFileDialog", "File &name:", "ファイル名(&N):"},
        {"QColorDialog", "&Basic colors", "基本カラー(&B)"},
        {"QColorDialog", "Select Color", "色を選択"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.source);
        EXPECT_EQ(QCoreApplication::translate(row.context, row.source).toStdString(), row.japanese);
    }
}

TEST_F(UserInterfaceSetUp, DialogsAndCalendarShowJapanese)
{
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto *lookIn = files.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text().toStdString(), "アドレス:");
    auto *buttons = files.findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().toStdString(), "キャンセル");

    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    QStringList labels;
    for (QLabel *label : colours.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("基本カラー(&B)"))) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("赤(&R):"))) << labels.join('|').toStdString();

    // The calendar of the date pickers: month and day names from the locale.
    QCalendarWidget calendar;
    calendar.setSelectedDate(QDate(2024, 3, 15));
    EXPECT_EQ(calendar.locale().language(), QLocale::Japanese);
    auto *month = calendar.findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text().toStdString(), "3月");
    EXPECT_EQ(calendar.locale().dayName(5, QLocale::ShortFormat).toStdString(), "金");
}

// The frame, the map window and the program's dialogs all show the program's
// icon, none of them setting one of its own.
TEST_F(UserInterfaceSetUp, EveryWindowShowsTheProgramIcon)
{
    const QImage expected = imageOf(app::programIcon(), 32);
    ASSERT_FALSE(expected.isNull());
    // Drawn, not blank: the icon has opaque and transparent pixels.
    EXPECT_EQ(qAlpha(expected.pixel(16, 16)), 255);
    EXPECT_EQ(qAlpha(expected.pixel(0, 0)), 0);
    EXPECT_EQ(imageOf(QApplication::windowIcon(), 32), expected);

    test::ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    ui::DialogScript script;
    QStringList dialogsWithIcon;
    shell::ScopedModalHook hook{[&](QDialog &dialog) {
        if (imageOf(dialog.windowIcon(), 32) == expected)
            dialogsWithIcon << dialog.objectName();
    }};
    app::StartOptions options;
    options.lockPath = fx.lockPath();
    options.splashMilliseconds = 0;
    ASSERT_EQ(mdlMain::Main(options), app::StartResult::Running);
    EXPECT_EQ(dialogsWithIcon.size(), 1) << "the initial-display choice";
    ASSERT_NE(gfrmMain, nullptr);
    EXPECT_EQ(imageOf(gfrmMain->windowIcon(), 32), expected);
    ASSERT_NE(gfrmZorvik, nullptr);
    EXPECT_EQ(imageOf(gfrmZorvik->widget()->window()->windowIcon(), 32), expected);
    EXPECT_EQ(imageOf(gfrmZorvik->widget()->windowIcon(), 32), expected);
    test::exitProgram();
}
