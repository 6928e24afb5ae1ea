#pragma once
// StatMapFile: a statistics map saved as one LHA archive (".tok").
//
// A statistics map on disk is the analysis files in the data folder's DB
// (*.hed, *.dat) and the area pictures in DB\TempPImage (*.bmp). The archive
// holds exactly those files, hidden ones included, each under its bare name,
// in that order; there is no manifest: on loading the members are told apart
// by their extension, and members of any other extension are dropped.
//
// Saving writes a new archive beside the chosen file and renames it over
// that file, so an older map of the same name never mixes in and a failure
// leaves the old file as it was. Loading extracts into a folder of its own
// (StatMapExtraction) which goes away with the object, whatever happens; the
// extracted set is then copied into DB.
//
// Common use:
//   StatMapExtraction extraction(path);
//   if (!extraction.ok()) { report; return; }  // nothing in DB touched
//   clear the old map;
//   extraction.copyInto(gstrDataPath);
#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;

namespace veltra::statwindow {

// The file dialogs' filter "統計地図ファイル (*.tok)", in Qt's form.
QString statMapFileFilter();
// A chosen name without an extension gets the default ".tok".
QString withStatMapExtension(const QString &path);

// The files a statistics map of the data folder is made of, as local paths
// in the order they are stored: DB\*.hed, DB\*.dat, DB\TempPImage\*.bmp.
QStringList statMapMembers(const QString &dataPath);

enum class StatMapSave {
    Saved,
    NothingToSave, // DB holds no analysis file and no picture: no file written
    Failed, // the reason says why; an existing file of the name is unchanged
};

StatMapSave saveStatMapFile(const QString &dataPath, const QString &archivePath, QString *reason = nullptr);

// The temporary folder of one load, "VeltraTImp" + YYMMDDHHMM + a unique
// suffix directly inside the program's temporary folder, with the archive
// extracted into it. The folder is removed when the object dies.
class StatMapExtraction
{
public:
    explicit StatMapExtraction(const QString &archivePath);
    ~StatMapExtraction();
    StatMapExtraction(const StatMapExtraction &) = delete;
    StatMapExtraction &operator=(const StatMapExtraction &) = delete;

    // True when the file passed the archive check and every member was
    // extracted.
    bool ok() const { return m_ok; }
    // The folder, ending in '/'; empty when it could not be made.
    QString folder() const;

    // Copies the extracted analysis files into <dataPath>DB and the pictures
    // into <dataPath>DB\TempPImage, replacing files of the same name.
    bool copyInto(const QString &dataPath) const;

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    bool m_ok = false;
};

// The prefix of the temporary folders of loads.
QString extractionFolderPrefix();

} // namespace veltra::statwindow
