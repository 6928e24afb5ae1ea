#pragma once
// Turns the file-type lists the program writes for the file dialogs
// ("desc|*.a|desc2|*.b;*.c", or the same with NUL separators) into Qt's
// filter form ("desc (*.a);;desc2 (*.b *.c)").
//
// A description whose pattern is missing stands alone and filters nothing out
// ("desc (*)"). Patterns separated by ';' become space-separated.
#include <QString>

namespace veltra::shell {

QString qtFileFilter(const QString &list);

} // namespace veltra::shell
