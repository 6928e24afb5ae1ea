#pragma once
// The statistics library shows no windows: what it has to tell the user goes
// through a hook that the application fills with its message box (and tests
// with the message box their dialog script answers). Without a hook the
// message is dropped.
#include <QString>
#include <functional>

namespace veltra::statdata {

inline constexpr int MessageExclamation = 48; // the message box's exclamation style

using MessageHook = std::function<void(const QString &text, int style)>;

void setMessageHook(MessageHook hook);
void showMessage(const QString &text, int style);

} // namespace veltra::statdata
