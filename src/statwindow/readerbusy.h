#pragma once
// What a long read does to the window that runs it: the hourglass pointer
// and the window disabled from construction to destruction, whatever path
// the read leaves by, and pending window messages let through at most every
// 50 ms (often enough to repaint, seldom enough to cost nothing). The window
// is disabled because the messages let through would otherwise let the user
// start another command in the middle of the read.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

namespace veltra::statwindow {

class ReaderBusy
{
public:
    explicit ReaderBusy(QWidget *window);
    ~ReaderBusy();
    ReaderBusy(const ReaderBusy &) = delete;
    ReaderBusy &operator=(const ReaderBusy &) = delete;

    // Lets pending window messages run when 50 ms passed since the last time.
    void yield();

    static constexpr qint64 YieldIntervalMs = 50;

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled = false;
    bool m_cursorSet = false;
    QElapsedTimer m_sinceYield;
};

} // namespace veltra::statwindow
