#include "statwindow/frmpsymaparea.h"

#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "statwindow/globals.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(veltra::ui::twipsToPixelsX(left), veltra::ui::twipsToPixelsY(top),
        veltra::ui::twipsToPixelsX(width), veltra::ui::twipsToPixelsY(height));
}

} // namespace

frmPSYMapArea::frmPSYMapArea(QWidget *owner)
    : QDialog(owner)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setObjectName(QStringLiteral("frmPSYMapArea"));
    setWindowTitle(QStringLiteral("地図の地域"));
    setModal(true);
    setFixedSize(veltra::ui::twipsToPixelsX(3480), veltra::ui::twipsToPixelsY(2160));

    Label2 = new QLabel(QStringLiteral("地図の地域"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 240, 120, 2400, 255);
    const QString captions[3]
        = {QStringLiteral("都道府県別"), QStringLiteral("市区町村別"), QStringLiteral("町丁字別")};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optHani[i] = new QRadioButton(captions[i], this);
        optHani[i]->setObjectName(QStringLiteral("optHani_%1").arg(i));
        place(optHani[i], 360, 420 + i * 330, 1800, 300);
        group->addButton(optHani[i], i);
    }
    optHani[0]->setChecked(true);
    cmdSearch = new QPushButton(QStringLiteral("検索"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setDefault(true);
    place(cmdSearch, 2160, 420, 1080, 375);
    cmdCancel = new QPushButton(QStringLiteral("終了"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    place(cmdCancel, 2160, 900, 1080, 375);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmPSYMapArea::Form_Load()
{
    SelectIndex = -1;
}

void frmPSYMapArea::cmdSearch_Click()
{
    for (std::int16_t i = 0; i < 3; ++i) {
        if (optHani[i]->isChecked()) {
            SelectIndex = i;
            glngAreaSelectLevel = i + 1;
        }
    }
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPSYMapArea::cmdCancel_Click()
{
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPSYMapArea::closeEvent(QCloseEvent *event)
{
    event->accept();
    veltra::ui::WindowRegistry::instance().unload(this);
}
