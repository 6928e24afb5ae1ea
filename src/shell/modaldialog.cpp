#include "shell/modaldialog.h"

#include "platform/ui/dialogscript.h"

namespace veltra::shell {

namespace {
ModalHook &hook()
{
    static ModalHook h;
    return h;
}
} // namespace

ModalHook setModalHook(ModalHook next)
{
    ModalHook previous = std::move(hook());
    hook() = std::move(next);
    return previous;
}

int execModal(QDialog &dialog)
{
    if (hook()) {
        dialog.setResult(QDialog::Rejected);
        hook()(dialog);
        return dialog.result();
    }
    if (ui::isHeadless()) {
        dialog.reject();
        return QDialog::Rejected;
    }
    return dialog.exec();
}

} // namespace veltra::shell
