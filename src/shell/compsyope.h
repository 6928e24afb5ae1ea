#pragma once
// ComPSYOpe: folder operations of the statistics-map side.
#include <QString>

namespace ComPSYOpe {

// Deletes the folder with everything in it. A missing folder or a failed
// deletion raises veltra::vb::FileError to the caller.
void DeleteFolder(const QString &folderPath);

} // namespace ComPSYOpe
