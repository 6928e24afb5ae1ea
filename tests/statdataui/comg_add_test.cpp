// The entry points of the user-data registration beside a real main frame:
// which loaded windows let the registration window open, the data folder it
// reads from Zorpak.ini, and the input-form folder of "入力・修正".
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "shell/framefixture.h"
#include "shell/framepanes.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/moderegistry.h"
#include "userdatafixture.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QUrl>

// Windows of other subsystems, by the names the rule knows.
namespace veltra::test::fakes {
class frmListBar : public QWidget
{
    Q_OBJECT
};
class frmPSYOpeRoom : public QWidget
{
    Q_OBJECT
};
class frmPSYStory : public QWidget
{
    Q_OBJECT
};
class frmExpNotes : public QWidget
{
    Q_OBJECT
};
class frmStatisticsMap : public QWidget
{
    Q_OBJECT
};
} // namespace veltra::test::fakes

namespace veltra::test {

// What the desktop was asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls << url; }

public:
    QList<QUrl> urls;
};

} // namespace veltra::test

using namespace veltra::test;
using veltra::ui::DialogScript;
namespace ui = veltra::ui;

namespace {

const QString kTitle = QStringLiteral("ユーザーデータの登録・削除");
const QString kBusy = QStringLiteral("この機能は、他の起動中の機能を終了してから使用してください.");
const QString kNoPath = QStringLiteral("VeltraDataフォルダパスが取得できません.");

class UserDataEntry : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        veltra::statdataui::registerUserDataWindows();
        writeIni(QStringLiteral("ZORPAK.INI"), QStringLiteral("Path=VeltraData\\"));
        openDocument();
        gstrAddDataPath.clear(); // read afresh by every request
    }
    void TearDown() override
    {
        for (const QPointer<QWidget> &w : std::as_const(fakes))
            delete w.data();
        gstrDataPath.clear();
        FrameTest::TearDown();
    }

    void writeIni(const QString &name, const QString &pathLine)
    {
        for (const QString &old : entriesOf(folder.tmp.path())) {
            if (old.compare(QStringLiteral("zorpak.ini"), Qt::CaseInsensitive) == 0)
                QFile::remove(folder.tmp.path() + old);
        }
        writeTextFile(folder.tmp.path() + name, {QStringLiteral("[VELTRA_DATA_PATH]"), pathLine});
    }

    template <class T> T *load(bool shown)
    {
        auto *w = new T;
        ui::WindowRegistry::instance().add(w);
        w->setVisible(shown);
        fakes << w;
        return w;
    }

    // Chooses "登録・削除"; how many times the registration window opened and
    // the data folder it had.
    int request(QString *dataFolder = nullptr)
    {
        int opened = 0;
        veltra::shell::ScopedModalHook hook([&](QDialog &dialog) {
            if (auto *w = dynamic_cast<frmG_add *>(&dialog)) {
                ++opened;
                if (dataFolder)
                    *dataFolder = w->GetEtcFolderPath();
                w->cmdEnd_Click();
            }
        });
        frame->menuItem(QStringLiteral("mnuTourkeiDataAdd"))->trigger();
        flushDeletes();
        return opened;
    }

    UserDataFolder folder;
    QList<QPointer<QWidget>> fakes;
};

TEST_F(UserDataEntry, OpensWithOnlyTheAllowedWindowsLoaded)
{
    load<fakes::frmListBar>(true);
    load<fakes::frmPSYOpeRoom>(true);
    load<fakes::frmPSYStory>(false);
    load<fakes::frmExpNotes>(true);
    // The frame's story player is loaded, but hidden behind the list bar.
    gbStoryMode = -1;
    frame->MP_OpeMode(gbPro);
    gbStoryMode = 0;
    frame->MP_OpeMode(gbPro);
    QWidget *story = frame->loadedPane(veltra::shell::FramePane::StoryPlayer);
    ASSERT_NE(story, nullptr);
    ASSERT_FALSE(story->isVisibleTo(frame));

    DialogScript script;
    QString etc;
    EXPECT_EQ(request(&etc), 1);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(gstrAddDataPath, folder.tmp.path() + QStringLiteral("VeltraData/"));
    EXPECT_EQ(etc, gstrAddDataPath + QStringLiteral("etc/"));
    EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmG_add")), nullptr)
        << "unloaded after use";
    EXPECT_FALSE(ComG_add::IsOtherFunctionRunning());
}

TEST_F(UserDataEntry, AnotherRunningFunctionRefusesTheWindow)
{
    struct Row
    {
        const char *what;
        std::function<std::function<void()>()> start; // gives the way to stop it
    };
    const Row rows[] = {
        {"a hidden tool window",
            [this] {
                QWidget *w = load<fakes::frmStatisticsMap>(false);
                return std::function<void()>([w] { w->hide(), ui::WindowRegistry::instance().unload(w); });
            }},
        {"the wait dialog",
            [] {
                auto *wait = ui::form<frmPSYWait>();
                return std::function<void()>([wait] { ui::WindowRegistry::instance().unload(wait); });
            }},
        {"the story player shown",
            [this] {
                gbStoryMode = -1;
                frame->MP_OpeMode(gbPro);
                return std::function<void()>([this] {
                    gbStoryMode = 0;
                    frame->MP_OpeMode(gbPro);
                });
            }},
        {"the measuring panel shown",
            [] {
                auto *map = dynamic_cast<StandInMapWindow *>(gfrmZorvik);
                map->measuring = true;
                return std::function<void()>([map] { map->measuring = false; });
            }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const std::function<void()> stop = row.start();
        {
            DialogScript script;
            EXPECT_EQ(request(), 0);
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt, kBusy);
            EXPECT_EQ(script.requests()[0].title, kTitle);
            EXPECT_EQ(script.requests()[0].buttons, ui::vbCritical);
        }
        stop();
        flushDeletes();
        DialogScript script;
        EXPECT_EQ(request(), 1) << "opens once it stopped";
    }
}

TEST_F(UserDataEntry, TheDataFolderComesFromZorpakIni)
{
    const QString absolute = folder.tmp.path() + QStringLiteral("Other");
    struct Row
    {
        QString file;
        QString line;
        QString expected; // "" refuses
    };
    const Row rows[] = {
        {QStringLiteral("Zorpak.ini"), QStringLiteral("Path=VeltraData\\"), folder.data},
        {QStringLiteral("zorpak.INI"), QStringLiteral("Path=VeltraData"), folder.data},
        {QStringLiteral("ZORPAK.INI"), QStringLiteral("Path=") + absolute, absolute + QLatin1Char('/')},
        {QStringLiteral("ZORPAK.INI"), QStringLiteral("Path=") + absolute + QLatin1Char('/'),
            absolute + QLatin1Char('/')},
        {QStringLiteral("ZORPAK.INI"), QStringLiteral("Path="), QString()},
        {QStringLiteral("ZORPAK.INI"), QStringLiteral("Other=VeltraData\\"), QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line.toStdString());
        writeIni(row.file, row.line);
        EXPECT_EQ(ComG_add::GetIniFilePath(), folder.tmp.path() + QStringLiteral("Zorpak.ini"));
        DialogScript script;
        QString etc;
        const int opened = request(&etc);
        EXPECT_EQ(gstrAddDataPath, row.expected);
        if (row.expected.isEmpty()) {
            EXPECT_EQ(opened, 0);
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt, kNoPath);
            EXPECT_EQ(script.requests()[0].buttons, ui::vbCritical);
            EXPECT_EQ(script.requests()[0].title, kTitle);
        } else {
            EXPECT_EQ(opened, 1);
            EXPECT_EQ(etc, row.expected + QStringLiteral("etc/"));
            EXPECT_TRUE(script.requests().empty());
        }
    }
}

TEST_F(UserDataEntry, InputAndCorrectionOpensTheInputFormFolder)
{
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    struct Unset
    {
        ~Unset() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    } unset;
    gstrDataPath = folder.data;
    EXPECT_EQ(ComG_add::GetExcelFolderPath(), folder.forms);

    DialogScript script;
    frame->menuItem(QStringLiteral("mnuTourkeiDataEdit"))->trigger();
    ASSERT_EQ(desktop.urls.size(), 1);
    EXPECT_EQ(QDir::cleanPath(desktop.urls[0].toLocalFile()), QDir::cleanPath(folder.forms));
    EXPECT_TRUE(script.requests().empty());

    // A folder the file manager cannot find is told, as it would say.
    QDir(folder.forms).removeRecursively();
    frame->menuItem(QStringLiteral("mnuTourkeiDataEdit"))->trigger();
    EXPECT_EQ(desktop.urls.size(), 1);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_TRUE(script.requests()[0].prompt.contains(folder.forms));
}

} // namespace

#include "comg_add_test.moc"
