#include "mapwindow/frmoptionpoint.h"

#include "mapwindow/applybuttons.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmOptionPoint::frmOptionPoint(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("座標設定"));
    auto *frame = new QGroupBox(QStringLiteral("座標軸"), this);
    auto *options = new QVBoxLayout(frame);
    const std::array<QString, 4> captions{QStringLiteral("ﾜｰﾙﾄﾞ座標"), QStringLiteral("19座標系"),
        QStringLiteral("緯度・経度"), QStringLiteral("ﾃﾞﾊﾞｲｽ座標")};
    for (int i = 0; i < 4; ++i) {
        optCoordinates[i] = new QRadioButton(captions[static_cast<std::size_t>(i)], frame);
        optCoordinates[i]->setObjectName(QStringLiteral("optCoordinates%1").arg(i));
        options->addWidget(optCoordinates[i]);
    }
    const veltra::mapwindow::ApplyButtons buttons = veltra::mapwindow::makeApplyButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdApply_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = buttons.ok;
    cmdApply = buttons.apply;
    cmdCancel = buttons.cancel;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons.row);

    if (gintPointType >= 0 && gintPointType <= 3)
        optCoordinates[static_cast<std::size_t>(gintPointType)]->setChecked(true);
}

void frmOptionPoint::ApplyPointType()
{
    for (int i = 0; i < 4; ++i) {
        if (optCoordinates[static_cast<std::size_t>(i)]->isChecked())
            gintPointType = static_cast<std::int16_t>(i);
    }
}

void frmOptionPoint::cmdOK_Click()
{
    ApplyPointType();
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmOptionPoint::cmdApply_Click()
{
    ApplyPointType();
}

void frmOptionPoint::cmdCancel_Click()
{
    veltra::ui::WindowRegistry::instance().unload(this);
}
