#include "statdata/messages.h"

#include <utility>

namespace veltra::statdata {

namespace {

MessageHook &hook()
{
    static MessageHook installed;
    return installed;
}

} // namespace

void setMessageHook(MessageHook h)
{
    hook() = std::move(h);
}

void showMessage(const QString &text, int style)
{
    if (hook())
        hook()(text, style);
}

} // namespace veltra::statdata
