// The statistics library's messages reach the message box here as they do in
// the program, so tests answer them with a dialog script.
#include "platform/ui/msgbox.h"
#include "statdata/messages.h"

namespace {

const bool installed = [] {
    veltra::statdata::setMessageHook([](const QString &text, int style) { veltra::ui::MsgBox(text, style); });
    return true;
}();

} // namespace
