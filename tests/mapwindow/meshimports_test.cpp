// The record of mesh imports and the removal of one import: the entries the
// window lists, what a removal keeps and deletes, and the window itself on
// an open map whose mesh files it deletes.
#include "mapwindow/frmpsyaninport.h"
#include "mapwindow/meshimports.h"
#include "meshprogram.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace veltra;
using test::MeshProgram;
using ui::DialogScript;

namespace {

const QString EntryA = test::u("平成17年4月1日9時5分(金曜日)");
const QString EntryB = test::u("平成18年11月3日14時30分(金曜日)");

// A history line: mesh name, seven other fields, the subfolder, the time.
QString historyLine(const QString &name, const QString &folder, const QString &time)
{
    return QStringLiteral("%1,a,b,c,d,e,f,g,%2,%3").arg(name, folder, time);
}

TEST(MeshImports, EntryTextsOfImportTimes)
{
    struct Case
    {
        QString time;
        std::optional<QString> entry;
    };
    const Case cases[] = {
        {QStringLiteral("2005/04/01 09:05:10"), EntryA},
        {QStringLiteral("2005/4/1 9:05"), EntryA},
        {QStringLiteral("2005-04-01 09:05:59"), EntryA},
        {test::u("平成17年4月1日 9:05"), EntryA},
        {QStringLiteral("H18.11.3 14:30:59"), EntryB},
        {test::u("平成18年11月3日14時30分"), EntryB},
        {QStringLiteral("20050401"), std::nullopt},
        {test::u("未定"), std::nullopt},
        {QStringLiteral("2005/13/01 10:00"), std::nullopt},
        {QString(), std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.time.toStdString());
        EXPECT_EQ(mapwindow::importEntryText(c.time), c.entry);
    }
}

TEST(MeshImports, ConsecutiveLinesOfOneMinuteMakeOneEntry)
{
    const QStringList history{
        historyLine(QStringLiteral("a1"), QStringLiteral("0"), QStringLiteral("2005/04/01 09:05:10")),
        historyLine(QStringLiteral("a2"), QStringLiteral("0"), QStringLiteral("2005/04/01 09:05:50")),
        QStringLiteral("short,line,2005/04/01 09:06"),
        historyLine(QStringLiteral("a3"), QStringLiteral("0"), QStringLiteral("2005-04-01 09:05")),
        historyLine(QStringLiteral("x"), QStringLiteral("0"), test::u("未定")),
        historyLine(QStringLiteral("a4"), QStringLiteral("0"), QStringLiteral("2005/04/01 09:06")),
        historyLine(QStringLiteral("b1"), QStringLiteral("0"), test::u("平成18年11月3日 14:30")),
        historyLine(QStringLiteral("a5"), QStringLiteral("0"), QStringLiteral("2005/04/01 09:05")),
    };
    // The line of another minute is another import; an import interrupted
    // by another shows again.
    EXPECT_EQ(mapwindow::importEntries(history),
        (QStringList{EntryA, test::u("平成17年4月1日9時6分(金曜日)"), EntryB, EntryA}));
    EXPECT_TRUE(mapwindow::importEntries({}).isEmpty());
}

TEST(MeshImports, RemovalKeepsOtherImportsAndLinesItCannotUse)
{
    const QString a = QStringLiteral("2005/04/01 09:05:10");
    const QString b = QStringLiteral("2006/11/03 14:30");
    const QStringList history{
        historyLine(QStringLiteral("m00"), QStringLiteral("0"), a),
        historyLine(QStringLiteral("m01"), QStringLiteral("1"), QStringLiteral("2005/04/01 09:05:59")),
        historyLine(QStringLiteral("m11"), QStringLiteral("0"), b),
        historyLine(QStringLiteral("up"), QStringLiteral(".."), a), // would leave the mesh folder
        historyLine(QStringLiteral("..\\DefFolder\\x"), QStringLiteral("0"), a),
        QStringLiteral("m02,short,") + a,
        historyLine(QStringLiteral("m02"), QStringLiteral("0"), test::u("未定")),
    };
    const QStringList meshDef{QStringLiteral("m00,1,2"), QStringLiteral("m11,3"), QStringLiteral("m01"),
        QStringLiteral("M00,case"), QStringLiteral("m00,again"), QString(), QStringLiteral("up,5")};

    const mapwindow::ImportRemoval removal = mapwindow::planImportRemoval(history, meshDef, EntryA);
    EXPECT_EQ(removal.history, history.mid(2));
    EXPECT_EQ(removal.meshDef,
        (QStringList{
            QStringLiteral("m11,3"), QStringLiteral("M00,case"), QString(), QStringLiteral("up,5")}));
    EXPECT_EQ(removal.meshFiles,
        (QStringList{QStringLiteral("0/m00.mfc"), QStringLiteral("0/m00.mfv"), QStringLiteral("1/m01.mfc"),
            QStringLiteral("1/m01.mfv")}));

    // An entry that no line shows changes nothing.
    const mapwindow::ImportRemoval none = mapwindow::planImportRemoval(history, meshDef, QStringLiteral("x"));
    EXPECT_EQ(none.history, history);
    EXPECT_EQ(none.meshDef, meshDef);
    EXPECT_TRUE(none.meshFiles.isEmpty());
}

TEST(MeshImports, TheDocumentsMeshFolderIsResolvedAgainstTheDocument)
{
    test::TempDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Data/MeshData"));
    struct Case
    {
        QString value;
        QString folder;
    };
    const Case cases[] = {
        {QStringLiteral("Data\\MeshData"), dir.path() + QStringLiteral("Data/MeshData/")},
        {QStringLiteral("data\\meshdata\\"), dir.path() + QStringLiteral("Data/MeshData/")},
        {QStringLiteral(".\\Data\\..\\Data\\MeshData"), dir.path() + QStringLiteral("Data/MeshData/")},
        {dir.path() + QStringLiteral("Data/MeshData"), dir.path() + QStringLiteral("Data/MeshData/")},
        {QString(), QString()},
    };
    const QString zor = dir.file(QStringLiteral("Map.zor"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        test::writeBytes(zor, QStringLiteral("[ZorSYSEX]\r\nMeshDataDir=%1\r\n").arg(c.value).toUtf8());
        EXPECT_EQ(mapwindow::documentMeshFolder(zor), c.folder);
    }
}

// True when the picture holds more than its background colour.
bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

// The window on the open default document of a program folder. Import A
// (three lines) holds meshes m00, m01 and m10, import B (two lines) m11 and
// m21; all lie in the level folder 0 the engine reads.
class ImportRemovalWindow : public ::testing::Test
{
protected:
    ImportRemovalWindow()
        : program(MeshProgram::centreX(1), MeshProgram::centreY(1))
    { }

    void SetUp() override
    {
        ASSERT_TRUE(program.ok());
        QDir().mkpath(program.data() + QStringLiteral("DefData"));
        for (const auto &[col, row] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 1}})
            ASSERT_TRUE(MeshProgram::writeMeshFiles(program.meshFolder(), MeshProgram::meshName(col, row),
                col, row, QStringLiteral("mesh ") + MeshProgram::meshName(col, row)));
        historyBytes = "m00,a,b,c,d,e,f,g,0,2005/04/01 09:05:10\r\n"
                       "m01,a,b,c,d,e,f,g,0,2005/04/01 09:05:50\r\n"
                       "m10,a,b,c,d,e,f,g,0,2005/04/01 09:05\r\n"
                       "m11,a,b,c,d,e,f,g,0,H18.11.3 14:30\r\n"
                       "m21,a,b,c,d,e,f,g,0,2006/11/03 14:30:59\r\n";
        meshDefBytes = "m00,1\r\nm11,2\r\nm01,3\r\nm21,4\r\nm10,5\r\nm00,6\r\n";
        test::writeBytes(historyPath(), historyBytes);
        test::writeBytes(meshDefPath(), meshDefBytes);
        program.openMap();
        ASSERT_EQ(gintMapInit, 1);
        // The corner that A's meshes and m11 share.
        gobjZor->setScale(20000);
        gobjZor->setCenterX(MeshProgram::meshX(1));
        gobjZor->setCenterY(MeshProgram::meshY(1));
    }

    QString historyPath() const { return program.data() + QStringLiteral("DefData/UpdateMeshdef.txt"); }
    QString meshDefPath() const { return program.data() + QStringLiteral("DefData/MeshDef.csv"); }
    QString meshFiles() const { return test::entriesOf(program.meshFolder()).join(u' '); }
    static QImage map() { return gobjZor->RenderToImage(QSize(300, 200)); }

    frmPSYAnInport *openWindow()
    {
        auto *window = ui::form<frmPSYAnInport>(static_cast<QWidget *>(gfrmMain));
        window->show();
        return window;
    }

    MeshProgram program;
    QByteArray historyBytes;
    QByteArray meshDefBytes;
};

TEST_F(ImportRemovalWindow, RemovesOneImportWhileTheMapStaysOpenAndDrawing)
{
    const QImage before = map();
    ASSERT_TRUE(hasInk(before));
    frmPSYAnInport *window = openWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ｱﾝｲﾝﾎﾟｰﾄ"));
    ASSERT_EQ(window->lst->count(), 2);
    EXPECT_EQ(window->lst->item(0)->text(), EntryA);
    EXPECT_EQ(window->lst->item(1)->text(), EntryB);
    EXPECT_TRUE(window->cmdOK->isEnabled());

    window->lst->setCurrentRow(0);
    DialogScript script;
    script.answerButton(ui::vbYes);
    window->cmdOK->click();

    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(
        script.requests()[0].prompt, EntryA + test::u("のインポートデータを削除します。\nよろしいですか？"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);
    EXPECT_EQ(meshFiles(), QStringLiteral("m11.mfc m11.mfv m21.mfc m21.mfv"));
    EXPECT_EQ(test::readBytes(historyPath()),
        QByteArray("m11,a,b,c,d,e,f,g,0,H18.11.3 14:30\r\nm21,a,b,c,d,e,f,g,0,2006/11/03 14:30:59\r\n"));
    EXPECT_EQ(test::readBytes(meshDefPath()), QByteArray("m11,2\r\nm21,4\r\n"));
    EXPECT_EQ(test::entriesOf(program.data() + QStringLiteral("DefData")),
        (QStringList{QStringLiteral("MeshDef.csv"), QStringLiteral("UpdateMeshdef.txt")}));
    ASSERT_EQ(window->lst->count(), 1);
    EXPECT_EQ(window->lst->item(0)->text(), EntryB);
    EXPECT_TRUE(window->cmdOK->isEnabled());
    EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYWait")), nullptr);

    // The open map is not reloaded: it still draws the meshes whose files are gone.
    EXPECT_EQ(gintMapInit, 1);
    EXPECT_EQ(map(), before);
    EXPECT_EQ(
        MeshProgram::areaAt(MeshProgram::centreX(0), MeshProgram::centreY(0)), QStringLiteral("mesh m00"));

    // The last import: both lists are left empty, not deleted.
    window->lst->setCurrentRow(0);
    script.answerButton(ui::vbYes);
    window->cmdOK->click();
    EXPECT_EQ(meshFiles(), QString());
    EXPECT_TRUE(QFileInfo(historyPath()).isFile());
    EXPECT_EQ(test::readBytes(historyPath()), QByteArray());
    EXPECT_TRUE(QFileInfo(meshDefPath()).isFile());
    EXPECT_EQ(test::readBytes(meshDefPath()), QByteArray());
    EXPECT_EQ(window->lst->count(), 0);
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_EQ(map(), before);
}

TEST_F(ImportRemovalWindow, NoAnswerNoSelectionAndNoHistoryChangeNothing)
{
    frmPSYAnInport *window = openWindow();
    DialogScript script;
    // Nothing selected: nothing to ask about.
    window->lst->setCurrentRow(-1);
    window->cmdOK->click();
    EXPECT_TRUE(script.requests().empty());
    // Answered No.
    window->lst->setCurrentRow(1);
    script.answerButton(ui::vbNo);
    window->cmdOK->click();
    EXPECT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(test::readBytes(historyPath()), historyBytes);
    EXPECT_EQ(test::readBytes(meshDefPath()), meshDefBytes);
    EXPECT_EQ(window->lst->count(), 2);
    window->cmdClose->click();
    test::flushDeletes();
    EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYAnInport")), nullptr);

    // An empty history and a missing one list nothing and disable cmdOK.
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present ? "empty history" : "no history");
        QFile::remove(historyPath());
        if (present)
            test::writeBytes(historyPath(), QByteArray());
        frmPSYAnInport *empty = openWindow();
        EXPECT_EQ(empty->lst->count(), 0);
        EXPECT_FALSE(empty->cmdOK->isEnabled());
        empty->RemoveImport();
        EXPECT_EQ(script.requests().size(), 1u);
        empty->cmdClose_Click();
        test::flushDeletes();
    }
    EXPECT_EQ(meshFiles(),
        QStringLiteral("m00.mfc m00.mfv m01.mfc m01.mfv m10.mfc m10.mfv m11.mfc m11.mfv "
                       "m21.mfc m21.mfv"));
}

TEST_F(ImportRemovalWindow, AFailedWriteKeepsEveryFile)
{
    frmPSYAnInport *window = openWindow();
    window->lst->setCurrentRow(0);
    DialogScript script;
    script.answerButton(ui::vbYes);
    {
        // Every write fails, for root too (as on a full disk).
        test::NoFileWrites full;
        ASSERT_TRUE(full.ok());
        window->cmdOK->click();
    }
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].buttons, ui::vbExclamation);
    EXPECT_TRUE(script.requests()[1].prompt.contains(QStringLiteral("MeshDef.csv")))
        << script.requests()[1].prompt.toStdString();
    EXPECT_EQ(test::readBytes(historyPath()), historyBytes);
    EXPECT_EQ(test::readBytes(meshDefPath()), meshDefBytes);
    EXPECT_EQ(test::entriesOf(program.data() + QStringLiteral("DefData")),
        (QStringList{QStringLiteral("MeshDef.csv"), QStringLiteral("UpdateMeshdef.txt")}));
    EXPECT_EQ(test::entriesOf(program.meshFolder()).size(), 10);
    EXPECT_EQ(window->lst->count(), 2);
}

} // namespace
