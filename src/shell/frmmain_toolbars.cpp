// The main frame's cool bar: the standard, extension and home tool bars and
// the scale box, with their captions, icon sizes and actions.
#include "shell/coolbar.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/scalebox.h"
#include "shell/toolbaricons.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

using namespace veltra;
using namespace veltra::shell;

namespace {

struct ButtonSpec
{
    const char *key;
    const char *caption; // shown when captions are switched on
    const char *formCaption; // shown at start (the design's caption)
    const char *tip;
    const char *image;
};

constexpr ButtonSpec kStandard[] = {
    {"TB_OPEN", "開く", "開く", "地図定義ファイルを開く", "KEY_ZorOpen"},
    {"TB_SAVE", "保存", "保存", "地図データを保存", "KEY_ZorSave"},
    {"TB_UNDO", "元に戻す", "元に戻す", "元に戻す", "KEY_Undo"},
    {"TB_REDO", "やり直し", "やり直し", "やり直し", "KEY_Redo"},
    {"TB_NORMAL", "標準", "標準", "標準モード", "KEY_MoveType1"},
    {"TB_MOVE", "移動", "移動", "移動モード", "KEY_MoveType2"},
    {"TB_ZOOMIN2", "選択拡大", "選択拡大", "選択範囲拡大", "KEY_ZoomIn2"},
    {"TB_BACK", "戻る", "戻る", "戻る", "KEY_Back"},
    {"TB_NEXT", "進む", "進む", "進む", "KEY_Advance"},
    {"TB_ZOOMIN", "拡大", "拡大", "拡大", "KEY_ZoomIn"},
    {"TB_ZOOMOUT", "縮小", "縮小", "縮小", "KEY_ZoomOut"},
    {"TB_ALLAREA", "全体表示", "全体表示", "全体表示", "KEY_AllView"},
    {"TB_WINTYPE1", "重ねる", "重ねる", "重ねて表示", "KEY_WinType1"},
    {"TB_WINTYPE2", "並べる", "並べる", "並べて表示", "KEY_WinType2"},
};

constexpr ButtonSpec kHome[] = {
    {"TB_HOME1", "ﾎｰﾑ1", "ﾎｰﾑ1", "ﾎｰﾑ1に登録された位置に移動", "KEY_Home"},
    {"TB_HOME2", "ﾎｰﾑ2", "ﾎｰﾑ2", "ﾎｰﾑ2に登録された位置に移動", "KEY_Home"},
    {"TB_HOME3", "ﾎｰﾑ3", "ﾎｰﾑ3", "ﾎｰﾑ3に登録された位置に移動", "KEY_Home"},
};

constexpr ButtonSpec kExtension[] = {
    {"TB_1", "人口ﾋﾟﾗﾐｯﾄﾞ", "ピラミッド", "人口ピラミッド", "KEY_1"},
    {"TB_2", "ﾃﾞｰﾀ参照", "ﾃﾞｰﾀ参照", "データ参照", "KEY_2"},
    {"TB_3", "ｸﾞﾗﾌ", "ｸﾞﾗﾌ", "グラフマップ作成", "KEY_3"},
    {"TB_4", "ｽﾄｰﾘｰ", "ｽﾄｰﾘｰ", "ストーリーとテンプレート", "KEY_4"},
    {"TB_5", "切り取り", "切り取り", "画面切り取り", "KEY_5"},
    {"TB_6", "ｲﾝﾎﾟｰﾄ", "ｲﾝﾎﾟｰﾄ", "インポート", "KEY_6"},
};

// Buttons that stay enabled without a map.
bool alwaysEnabled(const QString &key)
{
    return key == QLatin1String("TB_OPEN") || key == QLatin1String("TB_SAVE")
        || key == QLatin1String("TB_UNDO") || key == QLatin1String("TB_REDO");
}

template <typename F, typename... Args> void run(const F &action, Args &&...args)
{
    const auto copy = action;
    if (copy)
        copy(std::forward<Args>(args)...);
}

QToolBar *makeToolBar(const QString &name, QWidget *parent)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return bar;
}

// The scale box's Enter and focus-out, which QComboBox has no signals for.
class ScaleBoxWatcher : public QObject
{
public:
    ScaleBoxWatcher(frmMain *frame, QComboBox *box)
        : QObject(box)
        , m_frame(frame)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                m_frame->Combo1_KeyUp(13);
        } else if (event->type() == QEvent::FocusOut) {
            // Opening the box's own list is not leaving it.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                m_frame->Combo1_LostFocus();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    frmMain *m_frame;
};

class AreaResizeWatcher : public QObject
{
public:
    AreaResizeWatcher(frmMain *frame, QObject *parent)
        : QObject(parent)
        , m_frame(frame)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            m_frame->MDIForm_Resize();
        return QObject::eventFilter(watched, event);
    }

private:
    frmMain *m_frame;
};

} // namespace

void frmMain::createToolBars()
{
    CoolBar1 = new CoolBar(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));

    auto addButtons = [this](QToolBar *bar, const auto &specs) {
        for (const ButtonSpec &spec : specs) {
            const QString key = QString::fromLatin1(spec.key);
            QAction *button = bar->addAction(QString::fromUtf8(spec.formCaption));
            button->setObjectName(key);
            button->setToolTip(QString::fromUtf8(spec.tip));
            button->setProperty("caption", QString::fromUtf8(spec.caption));
            button->setProperty("imageKey", QString::fromLatin1(spec.image));
            m_buttons[key] = button;
            if (!alwaysEnabled(key))
                m_mapButtons.push_back(button);
        }
    };
    Toolbar1 = makeToolBar(QStringLiteral("Toolbar1"), CoolBar1);
    addButtons(Toolbar1, kStandard);
    Toolbar3 = makeToolBar(QStringLiteral("Toolbar3"), CoolBar1);
    addButtons(Toolbar3, kExtension);
    Toolbar2 = makeToolBar(QStringLiteral("Toolbar2"), CoolBar1);
    addButtons(Toolbar2, kHome);

    // The three pointer modes press one another out.
    auto *pointer = new QActionGroup(this);
    for (const char *key : {"TB_NORMAL", "TB_MOVE", "TB_ZOOMIN2"}) {
        QAction *button = toolButton(QString::fromLatin1(key));
        button->setCheckable(true);
        pointer->addAction(button);
    }
    toolButton(QStringLiteral("TB_4"))->setCheckable(true);

    Combo1 = new QComboBox(CoolBar1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr); // a typed number is never completed to a list entry
    Combo1->setMinimumContentsLength(9);
    Combo1->installEventFilter(new ScaleBoxWatcher(this, Combo1));

    CoolBar1->addBand(Toolbar1);
    CoolBar1->addBand(Toolbar3);
    CoolBar1->addBand(Toolbar2);
    CoolBar1->addBand(Combo1, QStringLiteral("縮尺率　１／"));

    connect(Toolbar1, &QToolBar::actionTriggered, this,
        [this](QAction *button) { Toolbar1_ButtonClick(button->objectName()); });
    connect(Toolbar2, &QToolBar::actionTriggered, this, [this](QAction *button) {
        Toolbar2_ButtonClick(static_cast<int>(Toolbar2->actions().indexOf(button)) + 1);
    });
    connect(Toolbar3, &QToolBar::actionTriggered, this,
        [this](QAction *button) { Toolbar3_ButtonClick(button->objectName()); });
    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    // A new band height lays the frame out again.
    connect(CoolBar1, &CoolBar::heightChanged, this, [this](int) { MDIForm_Resize(); });

    // The document area changes its size with the frame, and also when the
    // strip above it or the status bar below it shows, hides or grows: each
    // change lays the panes out again.
    m_mdi->viewport()->installEventFilter(new AreaResizeWatcher(this, m_mdi));

    // The strip stands above the document area.
    QWidget *area = takeCentralWidget();
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MDIClientFrame"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CoolBar1);
    layout->addWidget(area, 1);
    setCentralWidget(central);

    for (const auto &[key, button] : m_buttons)
        button->setIcon(imageListIcon(ImageListName::ToolBarS, button->property("imageKey").toString()));
}

QAction *frmMain::toolButton(const QString &key) const
{
    const auto it = m_buttons.find(key);
    return it == m_buttons.end() ? nullptr : it->second;
}

void frmMain::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("TB_OPEN")) {
        ReopenDocument();
    } else if (key == QLatin1String("TB_SAVE")) {
        mnuFileSave_Click();
    } else if (key == QLatin1String("TB_UNDO")) {
        if (gobjZor) {
            gobjZor->Undo();
            gobjZor->Refresh();
        }
    } else if (key == QLatin1String("TB_REDO")) {
        if (gobjZor) {
            gobjZor->Redo();
            gobjZor->Refresh();
        }
    } else if (key == QLatin1String("TB_NORMAL")) {
        run(modeRegistry().navigation().setNormalMode, gobjZor);
    } else if (key == QLatin1String("TB_MOVE")) {
        run(modeRegistry().navigation().setDragMoveMode, gobjZor);
    } else if (key == QLatin1String("TB_ZOOMIN2")) {
        run(modeRegistry().navigation().setSelectZoomMode, gobjZor);
    } else if (key == QLatin1String("TB_ZOOMIN")) {
        ZoomStep(true);
    } else if (key == QLatin1String("TB_ZOOMOUT")) {
        ZoomStep(false);
    } else if (key == QLatin1String("TB_ALLAREA")) {
        run(modeRegistry().navigation().showAllArea, gobjZor);
    }
    // TB_BACK, TB_NEXT, TB_WINTYPE1 and TB_WINTYPE2 have no action.
}

void frmMain::Toolbar2_ButtonClick(int index)
{
    if (index >= 1 && index <= 3)
        fncSeveAreaJump(static_cast<std::int16_t>(index));
}

void frmMain::Toolbar3_ButtonClick(const QString &key)
{
    if (key == QLatin1String("TB_1")) {
        run(modeRegistry().operationRoom().pyramidCommand);
    } else if (key == QLatin1String("TB_2")) {
        run(modeRegistry().dataReference().show);
        changeMode(ModeAreaSanshou, 0, noParameterText());
    } else if (key == QLatin1String("TB_3")) {
        run(modeRegistry().statistics().showStatisticsMap);
    } else if (key == QLatin1String("TB_4")) {
        if (toolButton(key)->isChecked())
            mnuStoryStart_Click();
        else
            mnuStoryEnd_Click();
    } else if (key == QLatin1String("TB_5")) {
        changeMode(ModeImageCut, 0, noParameterText());
    } else if (key == QLatin1String("TB_6")) {
        mnuImp_Click();
    }
}

void frmMain::ZoomStep(bool zoomIn)
{
    if (gintMapInit != 1 || !gobjZor)
        return;
    const std::int32_t cx = gobjZor->CenterX();
    const std::int32_t cy = gobjZor->CenterY();
    const auto size
        = zoomStepSize(gobjZor->ViewWidth(), gobjZor->ViewHeight(), zoomIn ? gdblZoomIn : gdblZoomOut);
    if (!size)
        return;
    gobjZor->ZoomWindow(cx, cy, size->width, size->height);
    gobjZor->Refresh();
}

namespace {

// A list choice or Enter: correct the text into the bounds and apply it.
bool applyScaleChoice(QComboBox *box)
{
    const auto choice = scaleBoxChoice(box->currentText());
    if (!choice)
        return false;
    if (choice->boxText != box->currentText())
        box->setEditText(choice->boxText);
    if (gobjZor) {
        gobjZor->setScale(choice->scale);
        gobjZor->Refresh();
    }
    return true;
}

} // namespace

void frmMain::Combo1_Click()
{
    if (applyScaleChoice(Combo1))
        run(modeRegistry().operationRoom().setOpeRoomScale, Combo1->currentText());
}

void frmMain::Combo1_KeyUp(int keyCode)
{
    if (keyCode == 13)
        applyScaleChoice(Combo1);
}

void frmMain::Combo1_LostFocus()
{
    if (!gobjZor)
        return;
    const auto scale = scaleBoxFocusOut(Combo1->currentText(), gobjZor->Scale());
    if (scale) {
        gobjZor->setScale(static_cast<double>(*scale));
        gobjZor->Refresh();
    }
    // A text that changed nothing (not a number, 0, negative, too large, the
    // same scale) must not stay in the box beside a map of another scale.
    Combo1->setEditText(scaleBoxText(gobjZor->Scale()));
}

void frmMain::FillScaleList()
{
    for (const std::int32_t scale : fixedScaleList())
        Combo1->addItem(QString::number(scale));
}

namespace {

void fitBands(frmMain &frame)
{
    frame.CoolBar1->setBandMinHeight(1, frame.Toolbar1->sizeHint().height());
    frame.CoolBar1->setBandMinHeight(3, frame.Toolbar2->sizeHint().height());
    frame.CoolBar1->setBandMinHeight(2, frame.Toolbar3->sizeHint().height());
}

void afterBandChange(frmMain &frame)
{
    frame.Toolbar1->update();
    frame.Toolbar2->update();
    frame.Toolbar3->update();
    frame.CoolBar1->update();
    frame.MDIForm_Resize();
}

} // namespace

void frmMain::SetToolBarCaptions()
{
    const bool on = menuItem(QStringLiteral("mnuToolBarChar"))->isChecked();
    for (QToolBar *bar : {Toolbar1, Toolbar2, Toolbar3}) {
        bar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        for (QAction *button : bar->actions())
            button->setText(on ? button->property("caption").toString() : QString());
    }
    fitBands(*this);
    afterBandChange(*this);
}

void frmMain::SetToolBarIcons(std::int16_t keep)
{
    QAction *large = menuItem(QStringLiteral("mnuToolBarSizeB"));
    QAction *small = menuItem(QStringLiteral("mnuToolBarSizeS"));
    if (keep == 0) {
        small->setChecked(true);
        large->setChecked(false);
    }
    const bool big = large->isChecked();
    const ImageListName main = big ? ImageListName::ToolBarL : ImageListName::ToolBarS;
    const ImageListName psy = big ? ImageListName::PsyL : ImageListName::PsyS;
    for (QToolBar *bar : {Toolbar1, Toolbar2, Toolbar3}) {
        const ImageListName list = bar == Toolbar3 ? psy : main;
        const int size = imageListSize(list);
        bar->setIconSize(QSize(size, size));
        for (QAction *button : bar->actions())
            button->setIcon(imageListIcon(list, button->property("imageKey").toString()));
    }
    gintBandResize = -1;
    fitBands(*this);
    gintBandResize = 0;
    afterBandChange(*this);
}

void frmMain::selectNormalTool()
{
    if (QAction *normal = toolButton(QStringLiteral("TB_NORMAL")))
        normal->setChecked(true);
    // The scale box is written by the map window, which shows its engine's
    // scale there at the start and after every zoom.
    run(modeRegistry().navigation().setNormalMode, gobjZor);
}
