// The calculation-template chooser on a copy of the generated default data
// folder (two shipped templates for 都道府県 and 市区町村, none for 町丁字),
// driven offscreen through its modal hook and the dialog script.
#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "statdata/calctemplate.h"
#include "statdata/globals.h"
#include "statdata/statdatatesthelpers.h"
#include "statdataui/frmcreatecalculation.h"
#include "statdataui/frmrequisite.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>

using veltra::shell::ScopedModalHook;
using veltra::ui::DialogKind;
using veltra::ui::DialogScript;

namespace {

const QString kLevelMismatch = QStringLiteral("選択地域と計算テンプレートの地域が異なる為選択できません。");
const QString kFileFault = QStringLiteral("指定されたﾌｧｲﾙが無いか、書込み禁止となっています！");
const QString kFolderFault = QStringLiteral("国勢調査ﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽに不備があるため実行できません。");
const QString kDensity = QStringLiteral("人口密度.cal");
const QString kHousehold = QStringLiteral("1世帯当たり人員.cal");
const QString kDensityComment
    = QStringLiteral("令和2年国勢調査の総人口を面積(km2)で割った人口密度（人/km2）");

QString defectMessage(const QString &path)
{
    return QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ：\r\n") + path + QStringLiteral("\r\nに不備があるため実行できません。");
}

QString missingListMessage(const QString &name)
{
    return QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙに記載されている国勢調査項目一覧ﾌｧｲﾙ：\r\n") + name
        + QStringLiteral("\r\n は、指定されたﾊﾟｽにありませんでした。\r\n"
                         "国勢調査項目一覧ﾌｧｲﾙのありかを指定してください。");
}

QString folderMessage(const QString &list)
{
    return QStringLiteral("国勢調査項目一覧ﾌｧｲﾙ ") + list
        + QStringLiteral(" に格納されている\r\nﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽが存在しません。\r\n\r\n"
                         "ﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽを設定してください。\r\n");
}

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void choose(frmRequisite &w, const QString &name)
{
    const auto found = w.File1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    w.File1->setCurrentItem(found.front());
}

class FrmRequisiteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString source = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
        ASSERT_TRUE(QFile::exists(source + QStringLiteral("etc/R2国勢調査.txt")))
            << "no generated data folder in " VELTRA_DEFAULT_DATA;
        data = tmp.path() + QStringLiteral("VeltraData/");
        veltra::test::copyTree(source, data);
        gstrDataPath = data;
        gstrCalcTemplateFile.clear();
    }
    void TearDown() override
    {
        gstrDataPath.clear();
        gstrCalcTemplateFile.clear();
    }

    QString folder(const QString &level) const { return data + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ/") + level; }

    // Shows the chooser at the level: `user` plays it, `editorUser` every
    // editor it opens. The paths it handed on are collected in `chosen`.
    int run(int level, const std::function<void(frmRequisite &)> &user,
        const std::function<void(frmCreateCalculation &)> &editorUser = {})
    {
        frmRequisite window;
        window.setAnaRange(level);
        QObject::connect(
            &window, &frmRequisite::SelectCalcTemplate, [this](const QString &path) { chosen << path; });
        ScopedModalHook hook([&](QDialog &dialog) {
            if (&dialog == &window) {
                user(window);
            } else if (auto *editor = dynamic_cast<frmCreateCalculation *>(&dialog)) {
                ++editorsShown;
                if (editorUser)
                    editorUser(*editor);
            }
        });
        return window.Show();
    }

    // A template of the 市区町村 folder whose fields reference these files.
    QString writeTemplate(const QString &name, const std::vector<std::vector<QString>> &fieldFiles)
    {
        veltra::statdata::CalcTemplate tmpl;
        for (const auto &files : fieldFiles) {
            veltra::statdata::CalcField field;
            field.name = QStringLiteral("項目");
            for (const QString &file : files) {
                field.tokens.push_back(
                    file.isEmpty() ? QStringLiteral("+") : QStringLiteral("{[市区町村][人口][総人口]}"));
                field.files.push_back(file);
            }
            tmpl.fields.push_back(field);
        }
        const QString path = folder(QStringLiteral("市区町村/")) + name;
        EXPECT_TRUE(veltra::statdata::writeCalcTemplate(path, tmpl));
        return path;
    }

    static QString fileValue(const QString &path, int k, int g)
    {
        return veltra::profile::getString(QStringLiteral("Calc") + QString::number(k),
            QStringLiteral("File") + QString::number(g), QString(), path);
    }

    veltra::test::TempDir tmp;
    QString data;
    QStringList chosen;
    int editorsShown = 0;
};

TEST_F(FrmRequisiteTest, EachLevelListsItsOwnTemplatesAndShowsTheExplanation)
{
    const struct
    {
        int level;
        const char *folder;
        QStringList files;
    } cases[] = {
        {0, "都道府県", {kHousehold, kDensity}},
        {1, "都道府県", {kHousehold, kDensity}},
        {2, "市区町村", {kHousehold, kDensity}},
        {3, "町丁字", {}},
    };
    for (const auto &c : cases) {
        const QString levelFolder = folder(QString::fromUtf8(c.folder));
        run(c.level, [&](frmRequisite &w) {
            EXPECT_EQ(w.windowTitle(), QStringLiteral("統計項目の設定"));
            EXPECT_EQ(w.txtTemplateFile->text(), levelFolder) << c.level;
            EXPECT_EQ(entries(w.File1), c.files) << c.level;
            EXPECT_TRUE(w.File1->isEnabled());
            EXPECT_TRUE(w.RichTextBox1->isReadOnly());
            EXPECT_EQ(w.RichTextBox1->toPlainText(), QString());
            if (c.files.isEmpty())
                return;
            choose(w, kDensity);
            const QString path = levelFolder + u'/' + kDensity;
            EXPECT_EQ(w.txtTemplateFile->text(), path);
            EXPECT_EQ(gstrCalcTemplateFile, path);
            EXPECT_EQ(w.RichTextBox1->toPlainText(), kDensityComment);
            // The box holds a template path; the list keeps its folder.
            EXPECT_EQ(entries(w.File1), c.files);
            choose(w, kHousehold);
            EXPECT_EQ(w.RichTextBox1->toPlainText(),
                QStringLiteral("令和2年国勢調査の総人口を世帯数で割った1世帯当たり人員（人）"));
        });
    }
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(FrmRequisiteTest, EveryExplanationLineIsShown)
{
    const QString path = writeTemplate(QStringLiteral("三行.cal"), {{QString()}});
    veltra::statdata::CalcTemplate tmpl = veltra::statdata::readCalcTemplate(path);
    tmpl.comment = QStringLiteral("一行目\n\n[三行目]");
    ASSERT_TRUE(veltra::statdata::writeCalcTemplate(path, tmpl));
    run(2, [](frmRequisite &w) {
        choose(w, QStringLiteral("三行.cal"));
        EXPECT_EQ(w.RichTextBox1->toPlainText(), QStringLiteral("一行目\n\n[三行目]"));
    });
}

TEST_F(FrmRequisiteTest, AcceptingAShippedTemplateHandsOnItsPathAndCloses)
{
    DialogScript script;
    const int result = run(2, [](frmRequisite &w) {
        choose(w, kDensity);
        w.cmdSelect->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const QString path = folder(QStringLiteral("市区町村/")) + kDensity;
    EXPECT_EQ(chosen, QStringList{path});
    // The shipped list names its data folders relative to itself.
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(gstrCalcTemplateFile, path);
}

TEST_F(FrmRequisiteTest, ATemplateOfAnotherLevelIsRefused)
{
    // Chosen at the municipal level and closed; the choice stays.
    run(2, [](frmRequisite &w) {
        choose(w, kHousehold);
        w.cmdEnd->click();
    });
    const QString path = folder(QStringLiteral("市区町村/")) + kHousehold;
    ASSERT_EQ(gstrCalcTemplateFile, path);
    DialogScript script;
    script.answerButton(veltra::ui::vbOK);
    script.answerText(folder(QStringLiteral("市区町村")));
    script.answerButton(veltra::ui::vbOK);
    const int result = run(3, [&](frmRequisite &w) {
        EXPECT_TRUE(entries(w.File1).isEmpty());
        w.cmdSelect->click();
        // 参照 refuses the municipal folder too.
        w.cmdRef->click();
        EXPECT_EQ(w.txtTemplateFile->text(), folder(QStringLiteral("町丁字")));
        EXPECT_TRUE(entries(w.File1).isEmpty());
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(chosen.isEmpty());
    ASSERT_EQ(script.requests().size(), 3u);
    EXPECT_EQ(script.requests()[0].prompt, kLevelMismatch);
    EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbExclamation);
    EXPECT_EQ(script.requests()[1].kind, DialogKind::BrowseFolder);
    EXPECT_EQ(script.requests()[1].title, QStringLiteral("テンプレートフォルダを選択してください"));
    EXPECT_EQ(script.requests()[2].prompt, kLevelMismatch);
    EXPECT_EQ(gstrCalcTemplateFile, path);
}

TEST_F(FrmRequisiteTest, AcceptingBeforeAnyChoiceNamesTheEmptyPath)
{
    DialogScript script;
    run(1, [](frmRequisite &w) { w.cmdSelect->click(); });
    EXPECT_TRUE(chosen.isEmpty());
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, defectMessage(QString()));
    EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbExclamation);
}

TEST_F(FrmRequisiteTest, AMissingItemListIsAskedForAndEveryReferenceRewritten)
{
    const QString gone = QStringLiteral("D:\\古い\\etc\\旧統計.txt");
    const QString alsoGone = QStringLiteral("/nowhere/消えた.txt");
    const QString shipped = QStringLiteral("etc\\R2国勢調査.txt");
    const QString path = writeTemplate(QStringLiteral("旧.cal"),
        {{gone, QString(), shipped, QString(), gone}, {alsoGone, QString(), gone}});

    // Cancelled: the template stays as it was and the folder check reports
    // the first list it cannot use.
    const QByteArray before = veltra::test::readBytes(path);
    {
        DialogScript script;
        script.answerButton(veltra::ui::vbOK);
        script.answerCancel();
        script.answerButton(veltra::ui::vbOK);
        script.answerCancel();
        run(2, [](frmRequisite &w) {
            choose(w, QStringLiteral("旧.cal"));
            w.cmdSelect->click();
        });
        EXPECT_TRUE(chosen.isEmpty());
        EXPECT_EQ(veltra::test::readBytes(path), before);
        const auto &r = script.requests();
        ASSERT_EQ(r.size(), 6u);
        EXPECT_EQ(r[0].prompt, missingListMessage(gone));
        EXPECT_EQ(r[0].buttons, veltra::ui::vbExclamation);
        EXPECT_EQ(r[1].kind, DialogKind::OpenFile);
        EXPECT_EQ(r[1].title, QStringLiteral("ファイルを開く"));
        EXPECT_EQ(r[1].filter, QStringLiteral("国勢調査項目一覧ﾌｧｲﾙ(*.txt) (*.txt)"));
        EXPECT_EQ(r[1].defaultText, QStringLiteral("旧統計.txt"));
        // Its folder is gone too: the dialog starts among the data folder's lists.
        EXPECT_EQ(r[1].folder, veltra::fs::resolve(data + QStringLiteral("etc/")));
        EXPECT_EQ(r[2].prompt, missingListMessage(alsoGone));
        EXPECT_EQ(r[3].kind, DialogKind::OpenFile);
        EXPECT_EQ(r[4].prompt, folderMessage(gone));
        EXPECT_EQ(r[5].prompt, kFolderFault);
    }

    // Chosen: every reference to each old name names the chosen list.
    const QString r2 = data + QStringLiteral("etc/R2国勢調査.txt");
    const QString h27 = data + QStringLiteral("etc/H27国勢調査.txt");
    DialogScript script;
    script.answerButton(veltra::ui::vbOK);
    script.answerText(r2);
    script.answerButton(veltra::ui::vbOK);
    script.answerText(h27);
    const int result = run(2, [](frmRequisite &w) {
        choose(w, QStringLiteral("旧.cal"));
        w.cmdSelect->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(chosen, QStringList{path});
    EXPECT_EQ(script.requests().size(), 4u);
    EXPECT_EQ(fileValue(path, 1, 1), r2);
    EXPECT_EQ(fileValue(path, 1, 2), QString());
    EXPECT_EQ(fileValue(path, 1, 3), shipped);
    EXPECT_EQ(fileValue(path, 1, 5), r2);
    EXPECT_EQ(fileValue(path, 2, 1), h27);
    EXPECT_EQ(fileValue(path, 2, 3), r2);
}

TEST_F(FrmRequisiteTest, AnItemListWithoutAreaUnitsFailsTheFolderCheck)
{
    const QString list = data + QStringLiteral("etc/単位なし.txt");
    veltra::test::writeTextFile(list, {"[ﾃﾞｰﾀ種類]", "Entry4=市区町村", "[市区町村]", "Path=R2国勢調査\\市区町村\\"});
    writeTemplate(QStringLiteral("単位なし.cal"), {{list}});
    DialogScript script;
    run(2, [](frmRequisite &w) {
        choose(w, QStringLiteral("単位なし.cal"));
        w.cmdSelect->click();
    });
    EXPECT_TRUE(chosen.isEmpty());
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[0].prompt, folderMessage(list));
    EXPECT_EQ(script.requests()[1].prompt, kFolderFault);
}

TEST_F(FrmRequisiteTest, AnEmptyTemplateFolderGivesAnEmptyList)
{
    const QString empty = folder(QStringLiteral("市区町村/空"));
    ASSERT_TRUE(QDir().mkpath(empty));
    DialogScript script;
    script.answerText(empty);
    run(2, [&](frmRequisite &w) {
        choose(w, kDensity);
        w.cmdRef->click();
        EXPECT_TRUE(entries(w.File1).isEmpty());
        EXPECT_TRUE(w.File1->isEnabled());
        EXPECT_EQ(w.RichTextBox1->toPlainText(), QString());
        EXPECT_EQ(w.txtTemplateFile->text(), empty + u'/');
    });
    ASSERT_EQ(script.requests().size(), 1u);
    // The dialog started at the folder of the chosen template.
    EXPECT_EQ(script.requests()[0].folder, veltra::fs::resolve(folder(QStringLiteral("市区町村/"))));
    EXPECT_TRUE(QFileInfo(empty).isDir());
    EXPECT_TRUE(veltra::test::entriesOf(empty).isEmpty());
}

TEST_F(FrmRequisiteTest, DeleteRemovesTheFileOnlyAfterOk)
{
    const QString path = folder(QStringLiteral("市区町村/")) + kDensity;
    DialogScript script;
    script.answerButton(veltra::ui::vbCancel);
    script.answerButton(veltra::ui::vbOK);
    run(2, [&](frmRequisite &w) {
        // Nothing chosen: nothing to delete, nothing asked.
        w.cmdOperation[2]->click();
        EXPECT_TRUE(script.requests().empty());
        choose(w, kDensity);
        w.cmdOperation[2]->click();
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_EQ(entries(w.File1), (QStringList{kHousehold, kDensity}));
        w.cmdOperation[2]->click();
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(entries(w.File1), QStringList{kHousehold});
        EXPECT_EQ(w.txtTemplateFile->text(), folder(QStringLiteral("市区町村")));
        EXPECT_EQ(w.RichTextBox1->toPlainText(), QString());
    });
    ASSERT_EQ(script.requests().size(), 2u);
    for (const auto &request : script.requests()) {
        EXPECT_EQ(request.prompt, kDensity + QStringLiteral(" ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙを削除します。\rよろしいですか？"));
        EXPECT_EQ(request.buttons, veltra::ui::vbOKCancel);
    }
}

TEST_F(FrmRequisiteTest, AddOpensAnEmptyEditorAndTheListShowsTheNewTemplate)
{
    DialogScript script;
    run(2, [&](frmRequisite &w) {
        w.cmdOperation[0]->click();
        EXPECT_EQ(editorsShown, 1);
        EXPECT_EQ(entries(w.File1), (QStringList{kHousehold, kDensity, QStringLiteral("和.cal")}));
    }, [](frmCreateCalculation &e) {
        EXPECT_EQ(e.txtCalName->text(), QString());
        EXPECT_EQ(e.rhTxtCalcExplanation->toPlainText(), QString());
        EXPECT_EQ(e.Combo1->count(), 0);
        for (const int key : {1, 20, 12, 2, 20}) // 1 + 2
            e.cmdCal[static_cast<std::size_t>(key)]->click();
        e.grdFieldName_DblClick(1);
        e.txtInp->setText(QStringLiteral("和"));
        e.txtInp_LostFocus();
        e.txtCalName->setText(QStringLiteral("和"));
        e.cmdEntry->click();
    });
    EXPECT_TRUE(script.requests().empty());
    EXPECT_TRUE(QFile::exists(folder(QStringLiteral("市区町村/和.cal"))));
}

TEST_F(FrmRequisiteTest, ModifyOpensTheTemplateAndTheNewExplanationIsShown)
{
    DialogScript script;
    run(2, [&](frmRequisite &w) {
        choose(w, kDensity);
        w.cmdOperation[1]->click();
        EXPECT_EQ(editorsShown, 1);
        EXPECT_EQ(entries(w.File1), (QStringList{kHousehold, kDensity}));
        EXPECT_EQ(w.File1->currentItem()->text(), kDensity);
        EXPECT_EQ(w.RichTextBox1->toPlainText(), QStringLiteral("書き換えた説明"));
    }, [](frmCreateCalculation &e) {
        EXPECT_EQ(e.txtCalName->text(), QStringLiteral("人口密度"));
        EXPECT_EQ(e.rhTxtCalcExplanation->toPlainText(), kDensityComment);
        EXPECT_EQ(e.rhTxtCalc->toPlainText(),
            QStringLiteral("{[市区町村][人口][総人口]}/{[市区町村][面積][面積(km2)]}"));
        e.rhTxtCalcExplanation->setPlainText(QStringLiteral("書き換えた説明"));
        e.cmdEntry->click();
    });
    EXPECT_TRUE(script.requests().empty());
    // Nothing chosen: modify does nothing.
    run(2, [](frmRequisite &w) { w.cmdOperation[1]->click(); });
    EXPECT_EQ(editorsShown, 1);
}

TEST_F(FrmRequisiteTest, AnOperationThatCannotBeDoneIsToldAndChangesNothing)
{
    const QString eleven = QStringLiteral("十一.cal");
    {
        veltra::statdata::CalcTemplate tmpl;
        for (int k = 1; k <= 11; ++k)
            tmpl.fields.push_back({QStringLiteral("f"), {QStringLiteral("1")}, {QString()}});
        ASSERT_TRUE(veltra::statdata::writeCalcTemplate(folder(QStringLiteral("市区町村/")) + eleven, tmpl));
    }
    const QString municipal = folder(QStringLiteral("市区町村/"));
    // Each case readies the window (prepare), then presses the button.
    const struct
    {
        const char *name;
        std::function<void(frmRequisite &)> prepare;
        int button;
    } cases[] = {
        {"a template the editor cannot hold", [&](frmRequisite &w) { choose(w, eleven); }, 1},
        {"modify a file that has gone",
            [&](frmRequisite &w) {
                choose(w, kDensity);
                QFile::remove(municipal + kDensity);
            },
            1},
        {"delete a file that has gone",
            [&](frmRequisite &w) {
                choose(w, kHousehold);
                QFile::remove(municipal + kHousehold);
            },
            2},
        {"add without the year-management file",
            [&](frmRequisite &) { QFile::remove(data + QStringLiteral("etc/統計ﾃﾞｰﾀ年度管理.txt")); }, 0},
    };
    for (const auto &c : cases) {
        DialogScript script;
        run(2, [&](frmRequisite &w) {
            c.prepare(w);
            const auto before = veltra::test::snapshot(data);
            const QString box = w.txtTemplateFile->text();
            const QString explanation = w.RichTextBox1->toPlainText();
            w.cmdOperation[static_cast<std::size_t>(c.button)]->click();
            EXPECT_EQ(veltra::test::snapshot(data), before) << c.name;
            EXPECT_EQ(w.txtTemplateFile->text(), box) << c.name;
            EXPECT_EQ(w.RichTextBox1->toPlainText(), explanation) << c.name;
        });
        EXPECT_EQ(editorsShown, 0) << c.name;
        ASSERT_EQ(script.requests().size(), 1u) << c.name;
        EXPECT_EQ(script.requests()[0].prompt, kFileFault) << c.name;
        EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbExclamation) << c.name;
    }
}

TEST_F(FrmRequisiteTest, TheWindowsOwnEvaluationAndTemplateFile)
{
    frmRequisite window;
    window.setTemplateFile(QStringLiteral("/x/y.cal"));
    EXPECT_EQ(gstrCalcTemplateFile, QStringLiteral("/x/y.cal"));
    ASSERT_TRUE(window.AnalyzerEngine1.CheckSyntax(QStringLiteral("{[a][b][c]}*2/{[a][b][d]}")));
    QVariant result;
    EXPECT_TRUE(window.Caluculation(result, {0, 21, 3}));
    EXPECT_DOUBLE_EQ(result.toDouble(), 14);
    result = 99;
    EXPECT_FALSE(window.Caluculation(result, {0, 21, 0}));
    EXPECT_EQ(result.toInt(), 0);
}

} // namespace
