#pragma once
// ComPSY: deleting the work files a statistics map leaves behind: the
// analysis file pairs in the data folder's DB, the graph pictures in the
// program's temporary folder and the area pictures in DB\TempPImage. Each
// goes on past a file it cannot delete and reports nothing; such files stay.
#include <QString>

namespace ComPSY {

// Deletes every header file (*.hed) of `folder` (the data folder's DB,
// without a trailing separator), in list order, with the data file each
// one names. Stops, leaving the rest, at the first header that cannot be
// read. A data file is deleted only when the header names a bare
// "tempdataNNN.dat" of this folder: a header from a loaded statistics map
// file can name any path, and only the analysis files are ours to delete.
void DeleteAnalysisFiles(const QString &folder);

// Deletes the graph pictures "PSY*.tmp" of the program's temporary folder.
void DeleteGraphTempFiles();

// Deletes every "*.Bmp" (any case) of `folder` (the data folder's
// DB\TempPImage, without a trailing separator).
void DeleteAreaPictures(const QString &folder);

} // namespace ComPSY

namespace veltra::statrender {

// Whether a bare file name is one the analysis writer gives its data files,
// "tempdataNNN.dat" (any case), and nothing else.
bool isAnalysisDataName(const QString &name);

} // namespace veltra::statrender
