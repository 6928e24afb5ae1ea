#include "mapwindow/applybuttons.h"

namespace veltra::mapwindow {

ApplyButtons makeApplyButtons(
    QWidget *owner, std::function<void()> onOk, std::function<void()> onApply, std::function<void()> onCancel)
{
    ApplyButtons b;
    b.ok = new QPushButton(QStringLiteral("OK"), owner);
    b.apply = new QPushButton(QStringLiteral("適用(&A)"), owner);
    b.cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), owner);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.apply);
    b.row->addWidget(b.cancel);
    QObject::connect(b.ok, &QPushButton::clicked, owner, [f = std::move(onOk)] { f(); });
    QObject::connect(b.apply, &QPushButton::clicked, owner, [f = std::move(onApply)] { f(); });
    QObject::connect(b.cancel, &QPushButton::clicked, owner, [f = std::move(onCancel)] { f(); });
    return b;
}

} // namespace veltra::mapwindow
