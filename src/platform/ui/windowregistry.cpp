#include "platform/ui/windowregistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace veltra::ui {

WindowRegistry &WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

QString WindowRegistry::nameOf(const char *className)
{
    const QString name = QString::fromLatin1(className);
    const qsizetype colon = name.lastIndexOf(u':');
    return colon < 0 ? name : name.mid(colon + 1);
}

QString WindowRegistry::nameOf(const QWidget *window)
{
    return window ? nameOf(window->metaObject()->className()) : QString();
}

void WindowRegistry::prune() const
{
    std::erase_if(m_windows, [](const QPointer<QWidget> &w) { return w.isNull(); });
}

QWidget *WindowRegistry::find(const QString &name) const
{
    prune();
    for (const QPointer<QWidget> &w : m_windows) {
        if (nameOf(w.data()) == name)
            return w.data();
    }
    return nullptr;
}

void WindowRegistry::add(QWidget *window)
{
    if (!window)
        return;
    prune();
    const bool known = std::any_of(m_windows.begin(), m_windows.end(),
        [window](const QPointer<QWidget> &w) { return w.data() == window; });
    if (!known)
        m_windows.emplace_back(window);
}

QList<QWidget *> WindowRegistry::forms() const
{
    prune();
    QList<QWidget *> list;
    for (const QPointer<QWidget> &w : m_windows)
        list << w.data();
    return list;
}

bool WindowRegistry::unload(QWidget *window)
{
    if (!window)
        return true;
    if (!window->close())
        return false;
    std::erase_if(
        m_windows, [window](const QPointer<QWidget> &w) { return w.isNull() || w.data() == window; });
    window->deleteLater();
    return true;
}

bool WindowRegistry::unload(const QString &name)
{
    return unload(find(name));
}

void WindowRegistry::unloadAllExcept(const QStringList &keepNames)
{
    // Unloading may load or unload others (a closing window's handler), so
    // work on a snapshot and re-check each entry.
    const QList<QWidget *> snapshot = forms();
    for (QWidget *w : snapshot) {
        const QList<QWidget *> now = forms();
        if (!now.contains(w))
            continue;
        if (!keepNames.contains(nameOf(w), Qt::CaseInsensitive))
            unload(w);
    }
}

void WindowRegistry::deleteAll()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A window's destructor may delete others (its children, windows it
    // owns), so each entry is checked again before it goes.
    const std::vector<QPointer<QWidget>> snapshot = m_windows;
    m_windows.clear();
    for (const QPointer<QWidget> &w : snapshot)
        delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DoEvents()
{
    QCoreApplication::processEvents();
}

} // namespace veltra::ui
