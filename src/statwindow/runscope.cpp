#include "statwindow/runscope.h"

#include "platform/fs/fs.h"
#include "platform/vb/errors.h"

namespace veltra::statwindow {

RunScope::RunScope(QWidget *window, bool &running)
    : m_window(window)
    , m_running(running)
    , m_wasEnabled(window->isEnabled())
{
    m_running = true;
    window->setEnabled(false);
}

RunScope::~RunScope()
{
    // The flag lives in the window: nothing to put back once it is gone.
    if (!m_window)
        return;
    if (m_wasEnabled)
        m_window->setEnabled(true);
    m_running = false;
}

void makeFolder(const QString &folder)
{
    const QString path = fs::resolve(folder);
    if (!fs::folderExists(path) && !fs::createFolder(path))
        throw vb::FileError(QStringLiteral("フォルダを作成できません：%1").arg(path).toStdString());
}

} // namespace veltra::statwindow
