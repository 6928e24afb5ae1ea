#include "shell/compsyope.h"

#include "platform/fs/fs.h"
#include "platform/vb/errors.h"

namespace ComPSYOpe {

void DeleteFolder(const QString &folderPath)
{
    if (folderPath.isEmpty() || !veltra::fs::folderExists(folderPath))
        throw veltra::vb::FileError("Path not found: \"" + folderPath.toStdString() + "\"");
    if (!veltra::fs::deleteFolder(folderPath))
        throw veltra::vb::FileError("Cannot delete the folder \"" + folderPath.toStdString() + "\"");
}

} // namespace ComPSYOpe
