#include "statwindow/readerbusy.h"

#include "platform/ui/windowregistry.h"

#include <QGuiApplication>

namespace veltra::statwindow {

ReaderBusy::ReaderBusy(QWidget *window)
    : m_window(window)
{
    if (m_window) {
        m_wasEnabled = m_window->isEnabled();
        m_window->setEnabled(false);
    }
    if (QGuiApplication::instance()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursorSet = true;
    }
    m_sinceYield.start();
}

ReaderBusy::~ReaderBusy()
{
    if (m_cursorSet)
        QGuiApplication::restoreOverrideCursor();
    if (m_window && m_wasEnabled)
        m_window->setEnabled(true);
}

void ReaderBusy::yield()
{
    if (m_sinceYield.elapsed() < YieldIntervalMs)
        return;
    ui::DoEvents();
    m_sinceYield.restart();
}

} // namespace veltra::statwindow
