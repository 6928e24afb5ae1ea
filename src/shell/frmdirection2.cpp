#include "shell/frmdirection2.h"

#include "platform/ui/twips.h"

#include <QGridLayout>
#include <QPushButton>

namespace {
// Arrows pointing from the centre to each place of the 3 by 3 grid.
const char16_t *const kArrows[9] = {u"↖", u"↑", u"↗", u"←", u"・", u"→", u"↙", u"↓", u"↘"};
} // namespace

frmDirection2::frmDirection2(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("方位指定"));
    auto *grid = new QGridLayout(this);
    const int side = veltra::ui::twipsToPixelsX(600);
    for (int i = 0; i < 9; ++i) {
        auto *button = new QPushButton(QString::fromUtf16(kArrows[i]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setFixedSize(side, side);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        grid->addWidget(button, i / 3, i % 3);
        Command1[static_cast<std::size_t>(i)] = button;
    }
}

int frmDirection2::codeOf(int index)
{
    // Keypad digits: the top row is 7 8 9, the bottom row 1 2 3.
    const int row = index / 3;
    const int column = index % 3;
    return 100 + (2 - row) * 3 + column + 1;
}

void frmDirection2::Command1_Click(int index)
{
    sValue = QString::number(codeOf(index));
    accept();
}
