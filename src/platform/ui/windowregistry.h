#pragma once
// The window registry: VB's form lifetime on Qt widgets.
//
// - form<T>() is VB's implicit form reference: it returns the one live
//   instance of window class T, creating it on first use (not shown).
// - add() enters a window created otherwise (several map windows) so that it
//   is part of the Forms collection too.
// - forms() is the Forms collection: every live registered window, in load order.
// - unload() closes a window (its closeEvent may refuse, as VB's QueryUnload
//   Cancel) and then deletes it; the next form<T>() makes a fresh instance.
//   Deletion is deferred to the event loop so that a window may unload itself
//   from its own event handler.
// - unloadAllExcept() unloads every registered window whose name is not listed.
// A window's name is its class name without namespace ("frmMain").
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace veltra::ui {

class WindowRegistry
{
public:
    static WindowRegistry &instance();

    template <class T, class... Args> T *form(Args &&...args)
    {
        static_assert(QtPrivate::HasQ_OBJECT_Macro<T>::Value, "a registered window class needs Q_OBJECT");
        const QString name = nameOf(T::staticMetaObject.className());
        if (QWidget *w = find(name))
            return static_cast<T *>(w);
        T *w = new T(std::forward<Args>(args)...);
        add(w);
        return w;
    }

    // The live single instance of a class name, or nullptr (does not create).
    QWidget *find(const QString &name) const;
    bool isLoaded(const QString &name) const { return find(name) != nullptr; }

    void add(QWidget *window);
    QList<QWidget *> forms() const;

    // False when the window refused to close (it stays loaded).
    bool unload(QWidget *window);
    bool unload(const QString &name);
    void unloadAllExcept(const QStringList &keepNames);
    // Deletes every registered window at once without asking it to close,
    // after the deletions already deferred: a new run starts without windows.
    void deleteAll();

    static QString nameOf(const QWidget *window);
    static QString nameOf(const char *className);

private:
    WindowRegistry() = default;
    void prune() const;

    mutable std::vector<QPointer<QWidget>> m_windows;
};

// Shortcut for WindowRegistry::instance().form<T>().
template <class T, class... Args> T *form(Args &&...args)
{
    return WindowRegistry::instance().form<T>(std::forward<Args>(args)...);
}

// VB's DoEvents: lets pending window messages run once.
void DoEvents();

} // namespace veltra::ui
