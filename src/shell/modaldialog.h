#pragma once
// Showing the program's own dialogs modally, and the test hook that answers
// them.
//
// While a hook is set, execModal() does not block: the hook plays the user
// (it sets the dialog's controls and presses its buttons, or does nothing,
// which is closing the dialog) and execModal() returns the dialog's result.
// Without a hook, on a platform no person can see (offscreen, minimal), the
// dialog is closed at once as by its close box, so nothing can block a
// headless run. Otherwise the dialog runs its own event loop (QDialog::exec).
#include <QDialog>
#include <functional>

namespace veltra::shell {

using ModalHook = std::function<void(QDialog &dialog)>;

// Sets the hook (an empty function removes it); returns the previous one.
ModalHook setModalHook(ModalHook hook);

int execModal(QDialog &dialog);

// Installs a hook for the lifetime of the object.
class ScopedModalHook
{
public:
    explicit ScopedModalHook(ModalHook hook)
        : m_previous(setModalHook(std::move(hook)))
    { }
    ~ScopedModalHook() { setModalHook(std::move(m_previous)); }
    ScopedModalHook(const ScopedModalHook &) = delete;
    ScopedModalHook &operator=(const ScopedModalHook &) = delete;

private:
    ModalHook m_previous;
};

} // namespace veltra::shell
