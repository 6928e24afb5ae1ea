#pragma once
// The OK / 適用 / ｷｬﾝｾﾙ row at the foot of the map window's setting windows,
// right-aligned, wired to the window's three handlers.
#include <QHBoxLayout>
#include <QPushButton>
#include <functional>

namespace veltra::mapwindow {

struct ApplyButtons
{
    QPushButton *ok = nullptr;
    QPushButton *apply = nullptr;
    QPushButton *cancel = nullptr;
    QHBoxLayout *row = nullptr;
};

ApplyButtons makeApplyButtons(QWidget *owner, std::function<void()> onOk, std::function<void()> onApply,
    std::function<void()> onCancel);

} // namespace veltra::mapwindow
