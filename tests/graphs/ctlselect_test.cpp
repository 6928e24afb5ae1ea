// The statistics item selector driven offscreen with a fake item tree: the
// partner-list and repeated-text rules, entry texts and sub-items, the
// templates through the chooser, the option answers, the symbol bitmaps and
// the end of the control.
#include "fakestatisticstree.h"
#include "graphs/ctlselect.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/errors.h"
#include "shell/clstooltip.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdataui/frmrequisite.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtEndian>
#include <gtest/gtest.h>

using veltra::shell::ScopedModalHook;
using veltra::ui::DialogScript;

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// A Windows bitmap of w x h at `bits` per pixel (1, 4, 8 with a grey palette,
// 16, 24 or 32 without compression), every pixel mid grey.
QByteArray bmp(int w, int h, int bits)
{
    const int paletteEntries = bits <= 8 ? (1 << bits) : 0;
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    const int offset = 54 + 4 * paletteEntries;
    QByteArray b(offset + rowBytes * h, '\0');
    auto *p = reinterpret_cast<uchar *>(b.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(static_cast<quint32>(b.size()), p + 2);
    qToLittleEndian<quint32>(static_cast<quint32>(offset), p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(w, p + 18);
    qToLittleEndian<qint32>(h, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(static_cast<quint16>(bits), p + 28);
    qToLittleEndian<quint32>(static_cast<quint32>(paletteEntries), p + 46);
    for (int i = 0; i < paletteEntries; ++i) {
        const uchar g = static_cast<uchar>(i * 255 / std::max(1, paletteEntries - 1));
        p[54 + 4 * i] = p[54 + 4 * i + 1] = p[54 + 4 * i + 2] = g;
    }
    std::fill(p + offset, p + b.size(), uchar(0x77));
    return b;
}

QString writeBmp(const veltra::test::TempDir &dir, const QString &name, int w, int h, int bits)
{
    const QString path = dir.file(name);
    veltra::test::writeBytes(path, bmp(w, h, bits));
    return path;
}

class SelectBed : public ::testing::Test
{
protected:
    void SetUp() override
    {
        select.setTreeCtl(&tree);
        // 5775 twips of frame plus the margin, at 15 twips a pixel.
        select.resize(385, 300);
    }

    // The user clicks the leaf `path` and presses the add button of list k.
    void add(int k, const QString &path, const QString &shortName)
    {
        select.setStatItem(tree.selectLeaf(path, shortName));
        select.cmdSelect_Click(static_cast<std::int16_t>(2 * k + 1));
    }
    void removeSelected(int k) { select.cmdSelect_Click(static_cast<std::int16_t>(2 * k)); }

    QStringList texts(int k) const
    {
        std::vector<QString> data;
        select.GetItemData(k, data);
        EXPECT_FALSE(data.empty());
        EXPECT_TRUE(data.back().isEmpty()) << "the last element stays empty";
        QStringList out;
        for (std::size_t i = 0; i + 1 < data.size(); ++i)
            out << data[i];
        return out;
    }

    FakeStatisticsTree tree;
    ctlSelect select;
};

} // namespace

TEST_F(SelectBed, ChoroplethPartnerListsAndTheCalculationFrame)
{
    select.setSelectItem(1);
    const QString a = u("R2国勢調査\\都道府県\\人口\\総人口");
    const QString b = u("R2国勢調査\\都道府県\\世帯\\世帯数");
    add(0, a, u("総人口"));
    EXPECT_EQ(texts(0), QStringList{u("総人口")});
    EXPECT_EQ(select.GetItemSelect(1), 255) << "no denominator yet";

    add(1, a, u("総人口"));
    EXPECT_EQ(select.ListCount(1), 0) << "the item of list 0 is no denominator of itself";
    EXPECT_TRUE(select.FrameCalc->isVisibleTo(&select)) << "the frame is shown all the same";

    add(1, b, u("世帯数"));
    EXPECT_EQ(texts(1), QStringList{u("世帯数")});
    EXPECT_EQ(select.GetItemSelect(1), 1);
    select.optCalc[2]->setChecked(true);
    EXPECT_EQ(select.GetItemSelect(1), 3);
    EXPECT_EQ(select.CalcKind(), 2);

    // The same item again for list 0 is refused: it is list 1's entry.
    add(0, b, u("世帯数"));
    EXPECT_EQ(texts(0), QStringList{u("総人口")});

    removeSelected(1);
    EXPECT_EQ(select.ListCount(1), 0);
    EXPECT_FALSE(select.FrameCalc->isVisibleTo(&select));
    EXPECT_EQ(select.GetItemSelect(1), 255);
    // An empty list has nothing to remove.
    removeSelected(1);
    EXPECT_EQ(select.ListCount(0), 1);
}

TEST_F(SelectBed, PieListsEachTextOnce)
{
    select.setSelectItem(2);
    add(0, u("R2国勢調査\\都道府県\\人口\\男"), u("男"));
    add(0, u("R2国勢調査\\都道府県\\人口\\男"), u("男"));
    EXPECT_EQ(select.ListCount(0), 1) << "the repeated leaf is ignored";
    add(0, u("R2国勢調査\\都道府県\\人口\\女"), u("女"));
    add(0, u("R2国勢調査\\都道府県\\人口\\総人口"), u("総人口"));
    EXPECT_EQ(select.ListCount(0), 3);
    std::vector<QString> data;
    select.GetItemData(0, data);
    ASSERT_EQ(data.size(), 4u) << "0 To 3";
    EXPECT_EQ(data[0], u("男"));
    EXPECT_EQ(data[2], u("総人口"));
    EXPECT_TRUE(data[3].isEmpty());
}

TEST_F(SelectBed, EntryTextAndSubItemsOfALeaf)
{
    select.setSelectItem(4);
    struct Row
    {
        const char *name;
        QString shortName;
        QString expected;
    };
    const QString path = u("R2国勢調査\\市区町村\\年齢5歳階級別\\男0～4歳");
    const Row rows[] = {
        {"short name", u("男0～4歳"), u("男0～4歳")},
        {"blank short name", u("  "), u("R2国勢調査 市区町村 年齢5歳階級別 男0～4歳")},
        {"empty short name", QString(), u("R2国勢調査 市区町村 年齢5歳階級別 男0～4歳")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        add(0, path, row.shortName);
        ASSERT_EQ(texts(0), QStringList{row.expected});
        std::vector<QString> sub;
        select.GetSubItemData(0, 1, sub);
        ASSERT_EQ(sub.size(), 11u) << "ten sub-items and the empty last element";
        EXPECT_EQ(sub[0], u("男0～4歳")) << "sub-item 1 is the node text";
        EXPECT_EQ(sub[1], u("男0～4歳-属性1"));
        EXPECT_EQ(sub[9], u("男0～4歳-属性9"));
        EXPECT_TRUE(sub[10].isEmpty());
    }

    // No item held: the list is emptied and nothing is added.
    select.setStatItem(nullptr);
    select.cmdSelect_Click(1);
    EXPECT_EQ(select.ListCount(0), 0);
}

TEST_F(SelectBed, OnlyLeavesAreAdded)
{
    select.setSelectItem(1);
    add(0, u("R2国勢調査\\都道府県\\人口\\総人口"), u("総人口"));
    tree.selectFolder(u("R2国勢調査\\都道府県\\人口"), 3);
    select.cmdSelect_Click(1);
    EXPECT_EQ(texts(0), QStringList{u("総人口")});
    tree.selected.reset();
    select.cmdSelect_Click(1);
    EXPECT_EQ(texts(0), QStringList{u("総人口")});
}

TEST_F(SelectBed, SetSubItemDataWritesFromSubItemTwo)
{
    select.setSelectItem(4);
    add(0, u("R2国勢調査\\都道府県\\面積\\面積(km2)"), u("面積"));
    std::vector<QString> in;
    for (int i = 0; i <= 9; ++i)
        in.push_back(QStringLiteral("v%1").arg(i));
    select.SetSubItemData(0, 1, in);
    std::vector<QString> out;
    select.GetSubItemData(0, 1, out);
    ASSERT_EQ(out.size(), 11u);
    EXPECT_EQ(out[0], u("面積(km2)")) << "sub-item 1 is left alone";
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(out[static_cast<std::size_t>(k)], QStringLiteral("v%1").arg(k));

    // Beyond sub-item 10: the ones before are written, then the error.
    in.push_back(QStringLiteral("v10"));
    in[1] = QStringLiteral("new");
    EXPECT_THROW(select.SetSubItemData(0, 1, in), veltra::vb::SubscriptOutOfRange);
    select.GetSubItemData(0, 1, out);
    EXPECT_EQ(out[1], QStringLiteral("new"));
    // Lists and entries that do not exist.
    EXPECT_THROW(select.GetSubItemData(0, 2, out), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(select.GetSubItemData(4, 1, out), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(select.GetItemData(-1, out), veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(select.ListCount(7), 0);
}

TEST_F(SelectBed, OptionAnswersOfANewControl)
{
    EXPECT_EQ(select.HabaMax(), 15);
    EXPECT_EQ(select.cmbHaba->count(), 19);
    EXPECT_EQ(select.cmbHaba->itemText(0), QStringLiteral("2"));
    EXPECT_EQ(select.cmbHaba->itemText(18), QStringLiteral("20"));
    for (std::int16_t selflg : {1, 2, 3, 4, 0, -1})
        EXPECT_EQ(select.GetItemSelect(selflg), 255) << selflg;
    select.setSelectItem(2);
    EXPECT_EQ(select.GetItemSelect(2), 1);
    select.optExpressionKind[1]->setChecked(true);
    EXPECT_EQ(select.GetItemSelect(2), 2);
    EXPECT_EQ(select.ExpressionKind(), 1);
    select.setSelectItem(7);
    EXPECT_EQ(select.GetItemSelect(2), 255) << "the expression frame is hidden by Clear";
    select.optFlow[1]->setChecked(true);
    EXPECT_EQ(select.GetItemSelect(3), 2);
    EXPECT_EQ(select.FlowKind(), 1);
    select.chkColorOrg->setChecked(true);
    EXPECT_TRUE(select.ColorOrg());
    select.ColorOrgDefault();
    EXPECT_FALSE(select.ColorOrg());
}

TEST_F(SelectBed, CancelledChooserChangesNothing)
{
    select.setSelectItem(1);
    add(0, u("R2国勢調査\\都道府県\\人口\\総人口"), u("総人口"));
    int shown = 0;
    {
        ScopedModalHook hook([&](QDialog &dialog) {
            if (dynamic_cast<frmRequisite *>(&dialog))
                ++shown;
        });
        for (std::int16_t k = 0; k < 4; ++k)
            select.cmdCalSel_Click(k);
    }
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(texts(0), QStringList{u("総人口")});
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(select.ListCount(k), 0) << k;
    EXPECT_FALSE(select.FrameCalc->isVisibleTo(&select));
}

class SelectTemplateBed : public SelectBed
{
protected:
    void SetUp() override
    {
        SelectBed::SetUp();
        const QString source = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
        ASSERT_TRUE(QFileInfo::exists(source + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ"))) << "no generated data folder";
        data = tmp.path() + QStringLiteral("VeltraData/");
        veltra::test::copyTree(source, data);
        m_savedData = gstrDataPath;
        gstrDataPath = data;
    }
    void TearDown() override { gstrDataPath = m_savedData; }

    // Presses template button k and chooses `name` in the chooser.
    void chooseTemplate(std::int16_t k, const QString &name)
    {
        ScopedModalHook hook([&](QDialog &dialog) {
            auto *chooser = dynamic_cast<frmRequisite *>(&dialog);
            if (!chooser)
                return;
            const auto found = chooser->File1->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            chooser->File1->setCurrentItem(found.front());
            chooser->cmdSelect_Click();
        });
        select.cmdCalSel_Click(k);
    }

    veltra::test::TempDir tmp;
    QString data;

private:
    QString m_savedData;
};

TEST_F(SelectTemplateBed, TemplateEntryHoldsItsPathAndTheMarker)
{
    select.setSelectItem(1);
    select.setAnaRange(1);
    chooseTemplate(1, u("人口密度.cal"));
    ASSERT_EQ(texts(1), QStringList{u("人口密度")});
    EXPECT_TRUE(select.FrameCalc->isVisibleTo(&select));
    std::vector<QString> sub;
    select.GetSubItemData(1, 1, sub);
    ASSERT_EQ(sub.size(), 4u);
    EXPECT_TRUE(sub[0].endsWith(u("都道府県/人口密度.cal")) || sub[0].endsWith(u("都道府県\\人口密度.cal")))
        << sub[0].toStdString();
    EXPECT_EQ(sub[1], sub[0]);
    EXPECT_EQ(sub[2], QStringLiteral("CALC"));
    EXPECT_TRUE(sub[3].isEmpty());

    // The same template for the partner list is refused.
    chooseTemplate(0, u("人口密度.cal"));
    EXPECT_EQ(select.ListCount(0), 0);

    // Scatter layout: list 1's template shows the X axis frame, list 3's the Y.
    select.setSelectItem(3);
    chooseTemplate(1, u("人口密度.cal"));
    EXPECT_TRUE(select.FrameCalc2->isVisibleTo(&select));
    EXPECT_FALSE(select.FrameCalc->isVisibleTo(&select));
    chooseTemplate(3, u("人口密度.cal"));
    EXPECT_TRUE(select.FrameCalc3->isVisibleTo(&select));
}

TEST_F(SelectBed, ToolTipFollowsTheRowUnderThePointer)
{
    select.setSelectItem(1);
    add(0, u("R2国勢調査\\都道府県\\人口\\総人口"), u("総人口"));
    QTreeWidget *list = select.lstSelect[0];
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    const QPoint inList = list->viewport()->mapTo(list, row.center());
    const float tpp = 15.0F;
    select.lstSelect_MouseMove(0, 0, 0, inList.x() * tpp, inList.y() * tpp);
    ASSERT_NE(select.toolTip()->tipWindow(), nullptr);
    EXPECT_EQ(select.toolTip()->TipText(), u("総人口"));
    EXPECT_EQ(select.toolTip()->tipWindow()->tool(), list);
    EXPECT_TRUE(select.toolTip()->tipWindow()->isBalloon());

    // Below the last row: the tip goes.
    select.lstSelect_MouseMove(0, 0, 0, inList.x() * tpp, (list->height() + 40) * tpp);
    EXPECT_EQ(select.toolTip()->tipWindow(), nullptr);
}

TEST_F(SelectBed, TerminateTwiceDoesNotFail)
{
    select.UserControl_Terminate();
    EXPECT_EQ(select.frmCalcSel, nullptr);
    EXPECT_EQ(select.toolTip(), nullptr);
    select.UserControl_Terminate();
    // Buttons pressed after the end do nothing.
    select.cmdCalSel_Click(0);
    select.lstSelect_MouseMove(0, 0, 0, 0, 0);
}

TEST(SelectButtons, PicturesFromTheProgramFolderOrTextArrows)
{
    const QString saved = veltra::shell::programFolder();
    {
        veltra::test::TempDir empty;
        veltra::shell::setProgramFolder(empty.path());
        ctlSelect select;
        EXPECT_EQ(select.cmdSelect[0]->text(), u("←"));
        EXPECT_EQ(select.cmdSelect[1]->text(), u("→"));
        EXPECT_EQ(select.cmdCalSel[0]->text(), u("計"));
        EXPECT_TRUE(select.cmdSelect[0]->icon().isNull());
    }
    {
        veltra::shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
        ctlSelect select;
        for (QToolButton *b : {select.cmdSelect[6], select.cmdSelect[7], select.cmdCalSel[3]}) {
            EXPECT_FALSE(b->icon().isNull());
            EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
    }
    veltra::shell::setProgramFolder(saved);
}

TEST_F(SelectBed, BitmapFactsAndTheSymbolTest)
{
    veltra::test::TempDir dir;
    struct Row
    {
        const char *name;
        int w, h, bits;
        std::int16_t depthClass;
        bool listed;
    };
    const Row rows[] = {
        {"100x100 24 bits", 100, 100, 24, 24, true},
        {"101x100 24 bits", 101, 100, 24, 24, false},
        {"100x101 24 bits", 100, 101, 24, 24, false},
        {"8 bits", 32, 32, 8, 8, false},
        {"4 bits", 32, 32, 4, 4, false},
        {"1 bit", 32, 32, 1, 1, false},
        {"16 bits", 32, 32, 16, 24, true},
        {"32 bits", 20, 30, 32, 24, true},
    };
    int listed = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = writeBmp(dir, QString::fromLatin1(row.name).replace(' ', '_') + ".bmp", row.w, row.h, row.bits);
        std::int32_t h = -1, w = -1;
        std::int16_t depth = -1;
        double size = -1;
        ASSERT_TRUE(select.GetBitmapInfo(path, h, w, depth, size));
        EXPECT_EQ(w, row.w);
        EXPECT_EQ(h, row.h);
        EXPECT_EQ(depth, row.depthClass);
        EXPECT_EQ(size, static_cast<double>(((row.w * 3 + 3) & ~3) * row.h));
        const QVariant added = select.AddSymble(path);
        EXPECT_EQ(added.isValid() && !added.toString().isEmpty(), row.listed);
        listed += row.listed ? 1 : 0;
        EXPECT_EQ(select.lstSymbol->count(), listed);
    }
    // What cannot be read as a picture at all.
    veltra::test::writeBytes(dir.file("broken.bmp"), "BM not really");
    std::int32_t h = 5, w = 5;
    std::int16_t depth = 5;
    double size = 5;
    EXPECT_FALSE(select.GetBitmapInfo(dir.file("broken.bmp"), h, w, depth, size));
    EXPECT_EQ(h + w + depth, 0);
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(select.GetBitmapInfo(QString(), h, w, depth, size));
    EXPECT_FALSE(select.AddSymble(dir.file("broken.bmp")).isValid());
    EXPECT_FALSE(select.AddSymble(dir.file("missing.bmp")).isValid());

    // The list entry: file name as text, full path as key, a 16 x 16 picture.
    QListWidgetItem *first = select.lstSymbol->item(0);
    EXPECT_EQ(first->text(), QStringLiteral("100x100_24_bits.bmp"));
    EXPECT_EQ(first->data(Qt::UserRole).toString(), dir.file("100x100_24_bits.bmp"));
    ASSERT_EQ(select.iList().count(dir.file("100x100_24_bits.bmp")), 1u);
    EXPECT_EQ(select.iList().at(dir.file("100x100_24_bits.bmp")).availableSizes().value(0), QSize(16, 16));
}

TEST_F(SelectBed, AddSymbleLeavesTheClipboardAlone)
{
    veltra::test::TempDir dir;
    const QString path = writeBmp(dir, "sym.bmp", 48, 48, 24);
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setText(u("利用者がコピーした文"));
    ASSERT_EQ(clipboard->text(), u("利用者がコピーした文"));
    ASSERT_TRUE(select.AddSymble(path).isValid());
    EXPECT_EQ(clipboard->text(), u("利用者がコピーした文"));
    EXPECT_FALSE(clipboard->mimeData()->hasImage());
}

TEST_F(SelectBed, LoadingWithReferenceButton)
{
    veltra::test::TempDir dir;
    const QString good = writeBmp(dir, "good.bmp", 40, 40, 24);
    const QString big = writeBmp(dir, "big.bmp", 101, 100, 24);
    select.setSymbolPath(dir.path());
    select.setSelectItem(5);
    ASSERT_EQ(select.lstSymbol->count(), 1) << "the folder's one usable bitmap";
    select.lstSymbol->clearSelection();

    DialogScript script;
    script.answerText(big);
    select.cmdLoad_Click();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[0].kind, veltra::ui::DialogKind::OpenFile);
    EXPECT_EQ(script.requests()[0].title, u("シンボルファイルを読み込み"));
    EXPECT_EQ(script.requests()[0].folder.isEmpty(), false);
    EXPECT_EQ(script.requests()[1].kind, veltra::ui::DialogKind::MessageBox);
    EXPECT_EQ(script.requests()[1].prompt, u("シンボル表示が出来ないファイルです"));
    EXPECT_EQ(select.lstSymbol->count(), 1);

    // A path already listed is selected, not listed twice.
    script.answerText(good);
    select.cmdLoad_Click();
    EXPECT_EQ(script.requests().size(), 3u) << "no message";
    EXPECT_EQ(select.lstSymbol->count(), 1);
    EXPECT_EQ(select.SymbolListCount(), 1);
    EXPECT_EQ(select.SymbolFile(), good);

    // Cancelled: nothing happens.
    script.answerCancel();
    select.cmdLoad_Click();
    EXPECT_EQ(script.requests().size(), 4u);
    EXPECT_EQ(select.lstSymbol->count(), 1);
}

TEST(SelectShippedSymbols, ReadBackAsClass24AndAllListed)
{
    const QString folder = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/Symbol_Data/");
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 8) << "no symbols in " VELTRA_DEFAULT_DATA;
    ctlSelect select;
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        std::int32_t h = 0, w = 0;
        std::int16_t depth = 0;
        double size = 0;
        ASSERT_TRUE(select.GetBitmapInfo(folder + name, h, w, depth, size));
        EXPECT_EQ(depth, 24);
        EXPECT_EQ(h, w);
        EXPECT_GE(w, 16);
        EXPECT_LE(w, 64);
    }
    select.setSymbolPath(folder);
    select.setSelectItem(5);
    QStringList listed;
    for (int i = 0; i < select.lstSymbol->count(); ++i)
        listed << select.lstSymbol->item(i)->text();
    listed.sort();
    EXPECT_EQ(listed, files);
}
