// The registration window driven offscreen on a temporary program and data
// folder: its controls, the input checks, registration with its questions
// and refusals, and deletion through the list dialog.
#include "childrole.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/comfunction.h"
#include "statdata/registrationjournal.h"
#include "statdata/userdataregistration.h"
#include "userdatafixture.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <csignal>

using namespace veltra::test;
using veltra::ui::DialogKind;
using veltra::ui::DialogScript;
namespace ui = veltra::ui;

namespace {

const QString kTitle = QStringLiteral("ユーザーデータの登録・削除");
const QString kHeader
    = QStringLiteral("ユーザーデータ名,年次,,地域の単位,項目のグループ名,都道府県,ファイル名,追加日");

class FrmGAdd : public ::testing::Test
{
protected:
    void TearDown() override { veltra::statdata::setAddPipelineHooks({}); }

    QString municipalCsv(const QString &name = QStringLiteral("13.csv"))
    {
        return folder.csv(name,
            {QStringLiteral("ｺｰﾄﾞ,名前,世帯数,人口"), QStringLiteral("13101,千代田区,100,200"),
                QStringLiteral("13102,中央区,300,400")});
    }
    QString townCsv()
    {
        return folder.csv(QStringLiteral("t13.csv"),
            {QStringLiteral("ｺｰﾄﾞ,名前,世帯数"), QStringLiteral("13102001001,八重洲,7"),
                QStringLiteral("13101001001,丸の内,5"), QStringLiteral("13101001002,大手町,6")});
    }

    // Presses "登録" with these inputs; the script answers the boxes.
    void add(const Inputs &in)
    {
        runWindow([&](frmG_add &w) {
            fill(w, in);
            w.cmdAddData_Click();
        });
    }
    // Registers with Yes to the question and OK to the result.
    void addConfirmed(const Inputs &in)
    {
        DialogScript script;
        script.answerButton(ui::vbYes);
        add(in);
        ASSERT_EQ(script.requests().size(), 2u);
        ASSERT_EQ(script.requests()[1].prompt, QStringLiteral("ユーザーデータの追加は正常に終了しました."));
    }
    // Deletes the registered line at `row` (1 for the first).
    void deleteRow(int row)
    {
        DialogScript script;
        script.answerButton(ui::vbYes); // the list's question
        runWindow([](frmG_add &w) { w.cmdDeleteData_Click(); },
            [row](frmAddedList &list) {
                list.MSFlexGrid1_Click(row);
                list.cmdRun_Click();
            });
        ASSERT_EQ(script.requests().size(), 2u);
        ASSERT_EQ(script.requests()[1].prompt, QStringLiteral("ユーザーデータの削除が終了しました."));
    }

    double lookup(const QString &unit, const QString &group, const QString &item, const QString &code,
        int32_t n, int32_t &status) const
    {
        const QString itemList = folder.etc + QStringLiteral("H12人口集計.txt");
        const QString reference = "{[" + unit + "][" + group + "][" + item + "]}";
        const int32_t column = ComCaldoraTable::GetEntryIndex(itemList, reference);
        const QString valueFolder = ComCaldoraTable::GetValueFolder(itemList, reference);
        const int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
        const QString file = ComCaldoraNeo::GetDataFileName(code.left(2).toInt(), valueFolder, level);
        status = -1;
        return ComCaldoraNeo::ReadAreaValue(file, code, n, level, column, 0, false, status);
    }

    UserDataFolder folder;
};

TEST_F(FrmGAdd, LoadFillsTheControls)
{
    runWindow([this](frmG_add &w) {
        EXPECT_EQ(w.windowTitle(), kTitle);
        EXPECT_EQ(w.fraAdd->title(), QStringLiteral("データの登録"));
        EXPECT_EQ(w.fraDel->title(), QStringLiteral("データの削除"));
        EXPECT_EQ(w.cmdDeleteData->text(), QStringLiteral("登録済みデータを表示"));
        EXPECT_EQ(w.cmdEnd->text(), QStringLiteral("閉じる"));
        EXPECT_EQ(w.cmdAddData->text(), QStringLiteral("登録"));
        EXPECT_EQ(w.cmdOpen->text(), QStringLiteral("参照"));
        ASSERT_EQ(w.cmbStart->count(), 7);
        EXPECT_EQ(w.cmbStart->currentIndex(), 0);
        EXPECT_EQ(w.cmbStart->itemText(0), QStringLiteral("平成12年10月1日"));
        EXPECT_EQ(w.cmbStart->itemText(6), QStringLiteral("昭和45年10月1日"));
        EXPECT_EQ(w.txtEnd->text(), ComFunction::FormatEraDate(QStringLiteral("2100/09/30"), 1));
        w.cmbStart->setCurrentIndex(1);
        EXPECT_EQ(w.txtEnd->text(), QStringLiteral("平成12年9月30日"));
        EXPECT_TRUE(w.txtEnd->isReadOnly());

        ASSERT_EQ(w.cmbDataKind->count(), 3);
        EXPECT_EQ(w.cmbDataKind->currentText(), QStringLiteral("都道府県"));
        EXPECT_FALSE(w.cmbPrefName->isEnabled());
        EXPECT_FALSE(w.lblPrefName->isEnabled());
        w.cmbDataKind->setCurrentText(QStringLiteral("町丁字"));
        EXPECT_TRUE(w.cmbPrefName->isEnabled());
        EXPECT_TRUE(w.lblPrefName->isEnabled());
        w.cmbDataKind->setCurrentText(QStringLiteral("都道府県"));
        EXPECT_FALSE(w.cmbPrefName->isEnabled());

        ASSERT_EQ(w.cmbPrefName->count(), 47);
        EXPECT_EQ(w.cmbPrefName->itemText(0), QStringLiteral("01 北海道"));
        EXPECT_EQ(w.cmbPrefName->itemText(46), QStringLiteral("47 沖縄県"));
        EXPECT_EQ(w.txtDataTitle->maxLength(), 8);
        EXPECT_EQ(w.txtDataName->maxLength(), 8);
        EXPECT_TRUE(w.txtDataFileName->text().isEmpty());
        EXPECT_EQ(w.lblAttention[0]->text(), QStringLiteral("※表示する地図の年次を選択"));
        EXPECT_EQ(w.lblAttention[1]->text(), QStringLiteral("※全角で8文字以内"));
        EXPECT_EQ(w.GetAddInfoFilePath(), folder.addInfo);
        EXPECT_FALSE(w.unloaded());
        EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYWait")), nullptr)
            << "the wait dialog went with the tree walk";
    });
}

TEST_F(FrmGAdd, InputChecksStopAtTheFirstFailure)
{
    struct Row
    {
        const char *title;
        const char *group;
        const char *message;
    };
    const Row rows[] = {
        {"", "世帯数", "ユーザーデータ名の文字数が不正です．"},
        {"人口A", "世帯数", "ユーザーデータ名に半角文字が含まれています．"},
        {"人口 集計", "世帯数", "ユーザーデータ名に半角文字が含まれています．"},
        {"人口ｼｭｳｹｲ", "世帯数", "ユーザーデータ名に半角文字が含まれています．"},
        {"인구", "", "ユーザーデータ名に半角文字が含まれています．"},
        {"国勢調査", "世帯数", "ユーザーデータ名に「国勢調査」は使用できません．"},
        {"人口集計世帯人員", "", "項目のグループ名の文字数が不正です．"},
        {"人口集計世帯人員", "世帯9", "項目のグループ名に半角文字が含まれています．"},
        {"人口集計世帯人員", "国勢調査", "設定した条件でユーザーデータを追加しますか？"}, // the group may be
        {"人口集計世帯人員", "世帯数世帯数世帯数",
            "設定した条件でユーザーデータを追加しますか？"}, // 8 + 1 cut
    };
    const QString file = municipalCsv();
    const auto before = folder.state();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.message);
        DialogScript script;
        script.answerButton(ui::vbNo); // the question, where it comes
        runWindow([&](frmG_add &w) {
            fill(w,
                {QString::fromUtf8(row.title), QString::fromUtf8(row.group), QStringLiteral("市区町村"),
                    QStringLiteral("13 東京都"), file});
            w.cmdAddData_Click();
            // The inputs stay as they were.
            EXPECT_EQ(w.txtDataFileName->text(), file);
        });
        ASSERT_EQ(script.requests().size(), 1u);
        const ui::DialogRequest &r = script.requests()[0];
        EXPECT_EQ(r.prompt, QString::fromUtf8(row.message));
        EXPECT_EQ(r.title, kTitle);
        const bool question = QString::fromUtf8(row.message).endsWith(QStringLiteral("か？"));
        EXPECT_EQ(r.buttons, question ? ui::vbYesNo + ui::vbQuestion : ui::vbCritical);
        EXPECT_EQ(folder.state(), before) << "nothing written";
    }
}

TEST_F(FrmGAdd, RegistrationWritesTheFilesOfItsInputs)
{
    const QString file = folder.csv(QStringLiteral("setai.csv"),
        {QStringLiteral("ｺｰﾄﾞ,名前,世帯数"), QStringLiteral("13101,千代田区,100")});
    DialogScript script;
    script.answerButton(ui::vbYes);
    runWindow([&](frmG_add &w) {
        fill(w,
            {QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
                QStringLiteral("13 東京都"), file});
        w.cmdAddData_Click();
        EXPECT_EQ(w.txtDataTitle->text(), QStringLiteral("人口集計"));
        EXPECT_EQ(w.cmbPrefName->currentText(), QStringLiteral("13 東京都"));
    });
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("設定した条件でユーザーデータを追加しますか？"));
    EXPECT_EQ(script.requests()[1].prompt, QStringLiteral("ユーザーデータの追加は正常に終了しました."));
    EXPECT_EQ(script.requests()[1].buttons, ui::vbOKOnly);
    EXPECT_EQ(script.requests()[1].title, kTitle);

    const auto lines = folder.registered();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(clsAddInfo::GetRealFilePath(lines[0]),
        folder.data + QStringLiteral("etc\\H12人口集計\\市区町村\\世帯数\\setai.txt"));
    EXPECT_EQ(clsAddInfo::GetPrefNum(lines[0]), QStringLiteral("13"));
    EXPECT_EQ(clsAddInfo::GetStartYear(lines[0]), QStringLiteral("2000/10/01"));
    EXPECT_EQ(clsAddInfo::GetEndYear(lines[0]), QStringLiteral("2100/09/30"));
    const QString group = folder.etc + QStringLiteral("H12人口集計/市区町村/世帯数/");
    EXPECT_EQ(readBytes(group + "setai.txt"), cp932Lines({"ｺｰﾄﾞ,世帯数", "13101,100"}));
    EXPECT_EQ(readBytes(group + "FileIndex.txt"), cp932Lines({"[FileName]", "Code13=setai.txt"}));
    EXPECT_EQ(readBytes(folder.etc + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt")),
        cp932Lines({"S45国勢,19701001,19750930", "H12人口集計,20001001,21000930"}));
}

TEST_F(FrmGAdd, PrefectureDataIgnoresThePrefectureAndWritesNoIndex)
{
    const QString file = folder.csv(
        QStringLiteral("pref.csv"), {QStringLiteral("ｺｰﾄﾞ,名前,面積"), QStringLiteral("13,東京都,2194.07")});
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("県計"), QStringLiteral("都道府県"),
        QStringLiteral("13 東京都"), file, 6});
    const auto lines = folder.registered();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(clsAddInfo::GetPrefNum(lines[0]), QStringLiteral("00"));
    const QString group = folder.etc + QStringLiteral("S45人口集計/都道府県/県計/");
    EXPECT_EQ(entriesOf(group), QStringList{QStringLiteral("pref.txt")}) << "no FileIndex.txt, no town index";
}

TEST_F(FrmGAdd, TheSameRegistrationAgainAsksAndReplacesIt)
{
    const Inputs in{QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), municipalCsv()};
    addConfirmed(in);
    folder.csv(QStringLiteral("13.csv"),
        {QStringLiteral("ｺｰﾄﾞ,名前,世帯数,人口"), QStringLiteral("13101,千代田区,111,222")});
    const QString value = folder.etc + QStringLiteral("H12人口集計/市区町村/世帯数/13.txt");
    const QByteArray first = readBytes(value);

    for (int answer : {ui::vbNo, ui::vbYes}) {
        DialogScript script;
        script.answerButton(answer);
        add(in);
        ASSERT_GE(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt,
            QStringLiteral("既存のユーザーデータと同じ条件です. 追加しますか？"));
        EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo + ui::vbExclamation);
        if (answer == ui::vbNo) {
            EXPECT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(readBytes(value), first);
        } else {
            ASSERT_EQ(script.requests().size(), 2u);
            EXPECT_EQ(
                script.requests()[1].prompt, QStringLiteral("ユーザーデータの追加は正常に終了しました."));
        }
    }
    EXPECT_EQ(readBytes(value), cp932Lines({"ｺｰﾄﾞ,世帯数,人口", "13101,111,222"}));
    EXPECT_EQ(folder.registered().size(), 1u);
}

TEST_F(FrmGAdd, AConflictIsListedAndNothingIsWritten)
{
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), municipalCsv()});
    const QString other = municipalCsv(QStringLiteral("tokyo.csv"));
    const auto before = folder.state();
    DialogScript script;
    int lists = 0;
    runWindow(
        [&](frmG_add &w) {
            fill(w,
                {QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
                    QStringLiteral("13 東京都"), other});
            w.cmdAddData_Click();
        },
        [&](frmAddedList &list) {
            EXPECT_EQ(list.windowTitle(), QStringLiteral("競合するユーザーデータの一覧"));
            EXPECT_FALSE(list.cmdRun->isVisibleTo(&list));
            ASSERT_EQ(list.MSFlexGrid1->rowCount(), 2);
            EXPECT_EQ(list.MSFlexGrid1->item(0, 1)->text(), QStringLiteral("ユーザーデータ名"));
            EXPECT_EQ(list.MSFlexGrid1->item(1, 7)->text(), QStringLiteral("13.txt"));
        },
        &lists);
    EXPECT_EQ(lists, 1);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        QStringLiteral(
            "既存のユーザーデータと登録内容・項目などが同じ条件です.\n"
            "既存のユーザーデータを削除してから追加して下さい.\n"
            "詳細は、ヘルプ→操作方法(メニューバー説明のユーザーデータの登録・削除)を参照してください."));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbCritical);
    EXPECT_EQ(folder.state(), before);
}

TEST_F(FrmGAdd, RefusedRegistrationsWriteNothing)
{
    struct Row
    {
        const char *what;
        std::function<void()> prepare;
        QString file;
        const char *message;
    };
    const QString file = municipalCsv();
    const Row rows[] = {
        {"no file chosen", [] {}, QString(), "登録データが開けません."},
        {"value file already there",
            [&] {
                writeTextFile(folder.etc + QStringLiteral("H12人口集計/市区町村/世帯数/13.txt"),
                    {QStringLiteral("ｺｰﾄﾞ,世帯数"), QStringLiteral("13101,1")});
            },
            file, "ユーザーデータファイル編集に失敗しました．"},
        {"fault at the year step",
            [&] {
                QDir(folder.etc + QStringLiteral("H12人口集計")).removeRecursively();
                veltra::statdata::setAddPipelineHooks(
                    {{}, [](veltra::statdata::AddStep s) { return s == veltra::statdata::AddStep::Year; }});
            },
            file, "統計データ年度管理ファイル編集に失敗しました．"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        row.prepare();
        const auto before = folder.state();
        DialogScript script;
        script.answerButton(ui::vbYes);
        add({QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
            QStringLiteral("13 東京都"), row.file});
        ASSERT_EQ(script.requests().size(), 2u);
        EXPECT_EQ(script.requests()[1].prompt, QString::fromUtf8(row.message));
        EXPECT_EQ(script.requests()[1].buttons, ui::vbCritical);
        EXPECT_EQ(folder.state(), before);
        veltra::statdata::setAddPipelineHooks({});
    }
}

TEST_F(FrmGAdd, RegisteringAndDeletingRestoresTheTree)
{
    const auto start = snapshot(folder.etc);
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("基本"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), municipalCsv()});
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("町丁別"), QStringLiteral("町丁字"),
        QStringLiteral("13 東京都"), townCsv()});
    ASSERT_EQ(folder.registered().size(), 2u);

    struct Row
    {
        QString unit, group, item, code;
        int32_t n;
        double value;
    };
    const Row rows[] = {
        {QStringLiteral("市区町村"), QStringLiteral("基本"), QStringLiteral("人口"), "13102", 5, 400},
        {QStringLiteral("市区町村"), QStringLiteral("基本"), QStringLiteral("世帯数"), "13101", 5, 100},
        {QStringLiteral("町丁字"), QStringLiteral("町丁別"), QStringLiteral("世帯数"), "13101001002", 11, 6},
        {QStringLiteral("町丁字"), QStringLiteral("町丁別"), QStringLiteral("世帯数"), "13102001001", 11, 7},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.code.toStdString());
        int32_t status = -1;
        EXPECT_DOUBLE_EQ(lookup(row.unit, row.group, row.item, row.code, row.n, status), row.value);
        EXPECT_EQ(status, 0);
    }

    deleteRow(2);
    deleteRow(1);
    EXPECT_EQ(snapshot(folder.etc), start);
    EXPECT_EQ(readBytes(folder.addInfo), cp932Lines({kHeader}));
}

TEST_F(FrmGAdd, AValueFileDeletedByHandCanStillBeDeleted)
{
    const auto start = snapshot(folder.etc);
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("町丁別"), QStringLiteral("町丁字"),
        QStringLiteral("13 東京都"), townCsv()});
    ASSERT_TRUE(QFile::remove(folder.etc + QStringLiteral("H12人口集計/町丁字/町丁別/t13.txt")));
    deleteRow(1);
    EXPECT_EQ(snapshot(folder.etc), start);
    EXPECT_TRUE(folder.registered().empty());
}

TEST_F(FrmGAdd, DeletionTouchesTheFilesOfItsAreaUnit)
{
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("県計"), QStringLiteral("都道府県"),
        QStringLiteral("13 東京都"),
        folder.csv(QStringLiteral("pref.csv"),
            {QStringLiteral("ｺｰﾄﾞ,名前,世帯数"), QStringLiteral("13,東京都,1")})});
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("基本"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), municipalCsv()});
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("町丁別"), QStringLiteral("町丁字"),
        QStringLiteral("13 東京都"), townCsv()});

    // What one deletion changed or removed.
    const auto changes
        = [](const std::map<QString, QByteArray> &before, const std::map<QString, QByteArray> &after) {
              QStringList out;
              for (const auto &[path, bytes] : before) {
                  if (!after.count(path) || after.at(path) != bytes)
                      out << path;
              }
              return out;
          };
    struct Row
    {
        int row;
        QStringList touched;
    };
    const QString stat = QStringLiteral("H12人口集計");
    const Row rows[] = {
        {1,
            {QStringLiteral("H12人口集計.txt"), stat + "/都道府県", stat + "/都道府県/県計",
                stat + "/都道府県/県計/pref.txt", "etc2/H12人口集計.txt"}},
        {1,
            {QStringLiteral("H12人口集計.txt"), stat + "/市区町村", stat + "/市区町村/基本",
                stat + "/市区町村/基本/13.txt", stat + "/市区町村/基本/FileIndex.txt",
                "etc2/H12人口集計.txt"}},
        // The last one takes the statistics with it.
        {1,
            {QStringLiteral("H12人口集計.txt"), stat, stat + "/町丁字", stat + "/町丁字/町丁別",
                stat + "/町丁字/町丁別/FileIndex.txt", stat + "/町丁字/町丁別/t13.txt",
                stat + "/町丁字/町丁別/t13Index.txt", "etc2/H12人口集計.txt", "etc2/統計ﾃﾞｰﾀ年度管理.txt",
                "統計ﾃﾞｰﾀ年度管理.txt"}},
    };
    for (const Row &row : rows) {
        const auto before = snapshot(folder.etc);
        deleteRow(row.row);
        QStringList touched = changes(before, snapshot(folder.etc));
        QStringList expected = row.touched;
        touched.sort();
        expected.sort();
        EXPECT_EQ(touched, expected);
    }
    EXPECT_TRUE(folder.registered().empty());
}

TEST_F(FrmGAdd, DeletionWithNothingRegisteredOrNothingConfirmed)
{
    // No register, then a register of its header alone.
    for (bool headerOnly : {false, true}) {
        if (headerOnly)
            writeBytes(folder.addInfo, cp932Lines({kHeader}));
        DialogScript script;
        int lists = 0;
        runWindow([](frmG_add &w) { w.cmdDeleteData_Click(); }, {}, &lists);
        EXPECT_EQ(lists, 0);
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("ユーザーデータは1つも登録されていません．"));
        EXPECT_EQ(script.requests()[0].buttons, ui::vbInformation);
    }

    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("基本"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), municipalCsv()});
    const auto before = folder.state();
    // Closed at once; a row chosen but No to the question, then closed.
    for (bool choose : {false, true}) {
        DialogScript script;
        script.answerButton(ui::vbNo);
        int lists = 0;
        runWindow([](frmG_add &w) { w.cmdDeleteData_Click(); },
            [choose](frmAddedList &list) {
                EXPECT_EQ(list.windowTitle(), QStringLiteral("登録済みユーザーデータの一覧"));
                EXPECT_TRUE(list.cmdRun->isVisibleTo(&list));
                if (choose) {
                    list.MSFlexGrid1_Click(1);
                    list.cmdRun_Click();
                }
                list.cmdCancel_Click();
            },
            &lists);
        EXPECT_EQ(lists, 1);
        EXPECT_EQ(script.requests().size(), choose ? 1u : 0u) << "no message of the window";
        EXPECT_EQ(folder.state(), before);
    }
}

// Child: registers a municipal CSV as the window would (args: program
// folder, CSV) and dies by SIGKILL at the named step (args: step).
const veltra::test::ChildRole killedRegistration("frmgadd-killed", [](const QStringList &args) {
    if (args.size() < 3)
        return 3;
    const QByteArray point = args.at(2).toUtf8();
    veltra::statdata::RegistrationJournal::setStepHook([&](const char *reached) {
        if (point == reached)
            std::raise(SIGKILL);
    });
    const auto t = veltra::statdata::makeUserDataTarget(args.at(0) + QStringLiteral("VeltraData/"),
        veltra::statdata::userDataPeriods()[0], QStringLiteral("人口集計"), QStringLiteral("市区町村"),
        QStringLiteral("世帯数"), QStringLiteral("13 東京都"), args.at(1));
    return veltra::statdata::runAddPipeline(t, true, args.at(0) + QStringLiteral("add_inf.txt")).isEmpty()
        ? 0
        : 1;
});

// A registration killed in the middle left its value file unlisted (and
// some lists changed): the window puts the tree and the register back when
// it loads, before anything is clicked, and the same registration as a new
// one then goes through.
TEST_F(FrmGAdd, LoadingUndoesARegistrationThatWasKilled)
{
    const QString file = municipalCsv();
    const QString valueFile = folder.etc + QStringLiteral("H12人口集計/市区町村/世帯数/13.txt");
    const auto before = folder.state();
    for (const char *point : {"value file", "item list", "year file", "register"}) {
        SCOPED_TRACE(point);
        QProcess child;
        veltra::test::startChildRole(
            child, QStringLiteral("frmgadd-killed"), {folder.tmp.path(), file, point});
        ASSERT_TRUE(child.waitForFinished(30000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
        ASSERT_TRUE(QFile::exists(valueFile)) << "the value file the kill left";

        DialogScript script;
        runWindow([&](frmG_add &) { EXPECT_EQ(folder.state(), before); });
        EXPECT_TRUE(script.requests().empty()) << "no message for a recovery that worked";
    }
    addConfirmed({QStringLiteral("人口集計"), QStringLiteral("世帯数"), QStringLiteral("市区町村"),
        QStringLiteral("13 東京都"), file});
    EXPECT_EQ(folder.registered().size(), 1u);
    EXPECT_TRUE(QFile::exists(valueFile));
}

// A journal that cannot be read is reported, in Japanese and naming its
// file, and stays for a later try.
TEST_F(FrmGAdd, AJournalThatCannotBeRecoveredIsReported)
{
    const QString manifest
        = veltra::statdata::RegistrationJournal::journalFolder(folder.etc) + QStringLiteral("/manifest");
    QDir().mkpath(QFileInfo(manifest).absolutePath());
    writeBytes(manifest, "not a journal\n");
    DialogScript script;
    runWindow([](frmG_add &) {});
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        QStringLiteral("中断されたユーザーデータの登録・削除を元に戻せませんでした．\n"
                       "登録の記録ファイルではありません: ")
            + manifest);
    EXPECT_EQ(script.requests()[0].buttons, ui::vbCritical);
    EXPECT_EQ(script.requests()[0].title, kTitle);
    EXPECT_TRUE(QFile::exists(manifest));
}

TEST_F(FrmGAdd, TheFileChoiceStartsInTheInputFormFolder)
{
    const QString file = folder.csv(QStringLiteral("UPPER.CSV"), {QStringLiteral("ｺｰﾄﾞ,名前,世帯数")});
    DialogScript script;
    script.answerText(file);
    script.answerCancel();
    runWindow([&](frmG_add &w) {
        w.cmdOpen_Click();
        EXPECT_EQ(w.txtDataFileName->text(), file);
        w.cmdOpen_Click(); // cancelled: the choice stays
        EXPECT_EQ(w.txtDataFileName->text(), file);
    });
    ASSERT_EQ(script.requests().size(), 2u);
    const ui::DialogRequest &r = script.requests()[0];
    EXPECT_EQ(r.kind, DialogKind::OpenFile);
    EXPECT_EQ(r.folder, folder.forms);
    EXPECT_TRUE(r.filter.startsWith(QStringLiteral("CSVファイル(*.csv)"))) << r.filter.toStdString();
    EXPECT_TRUE(r.filter.endsWith(QStringLiteral("(*.csv)"))) << r.filter.toStdString();
}

TEST_F(FrmGAdd, EveryWayOfClosingUnloadsOnce)
{
    // "閉じる", the close box (reject), and a run that just ends.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        bool unloadedInside = false;
        frmG_add *seen = nullptr;
        runWindow([&](frmG_add &w) {
            seen = &w;
            if (way == 0)
                w.cmdEnd_Click();
            else if (way == 1)
                w.reject();
            unloadedInside = w.unloaded();
        });
        EXPECT_EQ(unloadedInside, way != 2);
        EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYWait")), nullptr);
    }
}

} // namespace
