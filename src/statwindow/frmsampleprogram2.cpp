#include "statwindow/frmsampleprogram2.h"

#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/globals.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(veltra::ui::twipsToPixelsX(left), veltra::ui::twipsToPixelsY(top),
        veltra::ui::twipsToPixelsX(width), veltra::ui::twipsToPixelsY(height));
}

void dispatch(std::int16_t state)
{
    veltra::shell::dispatchMode(state, veltra::shell::noParameterText());
}

constexpr double LeastKm = 1;
constexpr double MostKm = 30;

} // namespace

frmSampleProgram2::frmSampleProgram2(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setObjectName(QStringLiteral("frmSampleProgram2"));
    setWindowTitle(QStringLiteral("地域選択"));
    setFixedSize(veltra::ui::twipsToPixelsX(4200), veltra::ui::twipsToPixelsY(4320));

    Frame1 = new QGroupBox(QStringLiteral("検索方法選択"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 120, 60, 2520, 1680);
    const QString types[4] = {QStringLiteral("矩形"), QStringLiteral("任意領域"), QStringLiteral("円形"),
        QStringLiteral("連続直線の一定範囲")};
    auto *typeGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        optSearchType[i] = new QRadioButton(types[i], Frame1);
        optSearchType[i]->setObjectName(QStringLiteral("optSearchType_%1").arg(i));
        place(optSearchType[i], 120, 300 + i * 330, 2340, 300);
        typeGroup->addButton(optSearchType[i], i);
        connect(optSearchType[i], &QRadioButton::clicked, this, [this, i] { optSearchType_Click(i); });
    }
    optSearchType[0]->setChecked(true);

    Label2 = new QLabel(QStringLiteral("地図の地域"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 240, 1860, 2400, 255);
    const QString levels[3]
        = {QStringLiteral("都道府県別"), QStringLiteral("市区町村別"), QStringLiteral("町丁字別")};
    auto *levelGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optHani[i] = new QRadioButton(levels[i], this);
        optHani[i]->setObjectName(QStringLiteral("optHani_%1").arg(i));
        place(optHani[i], 360, 2160 + i * 330, 1800, 300);
        levelGroup->addButton(optHani[i], i);
        connect(optHani[i], &QRadioButton::clicked, this, [this, i] { optHani_Click(i); });
    }
    optHani[0]->setChecked(true);

    Label1 = new QLabel(QStringLiteral("範囲（Km）："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 240, 3360, 1500, 255);
    txtSize = new QLineEdit(this);
    txtSize->setObjectName(QStringLiteral("txtSize"));
    txtSize->setMaxLength(2);
    place(txtSize, 1740, 3300, 600, 330);

    cmdSearch = new QPushButton(QStringLiteral("検索"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    place(cmdSearch, 2880, 180, 1080, 375);
    cmdCancel = new QPushButton(QStringLiteral("終了"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    place(cmdCancel, 2880, 660, 1080, 375);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

int frmSampleProgram2::areaLevelIndex() const
{
    for (int i = 0; i < static_cast<int>(optHani.size()); ++i) {
        if (optHani[i]->isChecked())
            return i;
    }
    return 0;
}

int frmSampleProgram2::searchTypeIndex() const
{
    for (int i = 0; i < static_cast<int>(optSearchType.size()); ++i) {
        if (optSearchType[i]->isChecked())
            return i;
    }
    return 0;
}

void frmSampleProgram2::cmdSearch_Click()
{
    glngAreaSelectLevel = areaLevelIndex() + 1;
    const int type = searchTypeIndex();
    ComSampleProgram2::SetSearchType(static_cast<std::int16_t>(type));
    if (type == 2 || type == 3) {
        const std::optional<double> km = veltra::vb::toNumber(txtSize->text());
        if (!km) {
            veltra::ui::MsgBox(QStringLiteral("不正な数値です."), veltra::ui::vbExclamation);
            return;
        }
        if (*km < LeastKm || *km > MostKm) {
            veltra::ui::MsgBox(
                QStringLiteral("1km～30kmの範囲で指定してください。"), veltra::ui::vbExclamation);
            return;
        }
        ComSampleProgram2::SetSearchRange(*km);
    }
    dispatch(ComSampleProgram2::StateAreaSearch);
    gintSkipCenter = -1;
}

void frmSampleProgram2::cmdCancel_Click()
{
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmSampleProgram2::optSearchType_Click(int)
{
    dispatch(ComSampleProgram2::StateSearchTypeChanged);
}

void frmSampleProgram2::optHani_Click(int)
{
    if (ComSampleProgram2::searchType() == 1)
        dispatch(ComSampleProgram2::StateAreaSearch);
}

void frmSampleProgram2::closeEvent(QCloseEvent *event)
{
    // The close box unloads the dialog as 終了 does: the mode is left and
    // the next opening starts from the defaults.
    event->accept();
    Form_Unload();
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmSampleProgram2::Form_Unload()
{
    dispatch(StateLeave);
}
