#pragma once
// One run of a statistics window (graph creation, map output, a pyramid
// draw) yields to the event loop while it reads and draws; the window stays
// disabled and its running flag up for the whole run, so nothing can start
// another run inside it. Both are put back however the run ends, also when
// the window unloads itself inside it.
#include <QPointer>
#include <QString>
#include <QWidget>

namespace veltra::statwindow {

class RunScope
{
public:
    RunScope(QWidget *window, bool &running);
    ~RunScope();
    RunScope(const RunScope &) = delete;
    RunScope &operator=(const RunScope &) = delete;

private:
    QPointer<QWidget> m_window;
    bool &m_running;
    bool m_wasEnabled;
};

// Creates the folder when it is missing; a FileError naming it when it
// cannot be made.
void makeFolder(const QString &folder);

} // namespace veltra::statwindow
