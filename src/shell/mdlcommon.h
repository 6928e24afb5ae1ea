#pragma once
// mdlCommon: the widget-free helpers of shellcore/mdlcommon_text.h, plus the
// save dialog and opening with the desktop.
#include "shellcore/mdlcommon_text.h"

#include <QString>
#include <cstdint>

class QWidget;

namespace mdlCommon {

// Opens a document, folder or web address with the desktop's default program.
// A relative path is taken in the program folder. False when the target is
// empty, does not exist or nothing could open it.
bool OpenWithShell(const QString &pathOrAddress);

// The save dialog's record: the caller fills owner, filter (description NUL
// pattern NUL …, or "|"-separated), file (initial name), optionally title and
// initialDir; the dialog fills file and fileTitle with the choice.
struct OpenFileName
{
    QWidget *owner = nullptr;
    QString filter;
    QString file;
    QString fileTitle;
    QString title;
    QString initialDir;
    int32_t flags = 0;
    int32_t filterIndex = 1;
};

// Shows the save dialog (it asks before replacing an existing file) and
// returns the chosen path, or empty when the user cancels. Lets pending window
// messages run once before it returns.
QString ShowSaveDialog(OpenFileName &record);

} // namespace mdlCommon
