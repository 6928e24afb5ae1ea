#pragma once
// The 1:2500 base-map meshes ("数値地図2500"): fetching the meshes around the
// view from the download server, and removing every listed mesh again.
//
// Each mesh is a pair of engine files <name>.mfc / <name>.mfv in the data
// folder's MeshData\0\ (a second tree MeshData2\0\ may hold files of the same
// names). The list of all meshes, DefFolder\Meshdef2500.csv, gives each
// mesh's bounds in world units (name, unused, min X, min Y, max X, max Y; a
// header line first). The server holds one LHA archive <name>.LZH per mesh.
//
// Both commands close the map window, change the mesh files and open the
// program's default document again, because the engine reads the mesh files
// when a document opens.
//
// The download replaces the old mesh files only when every fetched archive
// extracted: all archives are extracted into a folder beside the mesh folder
// first and the files moved in afterwards, so a bad archive never leaves a
// mesh gone. A view centre in no listed mesh fetches nothing and leaves the
// map open.
//
// Mesh names are used in paths: a name with a folder separator, "." or "..",
// or a character Windows does not allow in a file name makes its line
// unusable, so nothing outside the mesh folders is fetched, written or
// deleted.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace veltra::mapwindow {

// One usable line of the mesh list: the bounds as the view test reads them
// (whole numbers) and as the neighbour search compares them (doubles).
struct MeshBounds
{
    QString name;
    std::int32_t minXL = 0, minYL = 0, maxXL = 0, maxYL = 0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// True when the text can name a file inside a folder and nothing else.
bool isSafeFileName(const QString &name);

// The usable lines of the mesh list, in file order. `lines` is in
// modFileIO::ReadTextLines' form (element 0 empty, line 1 the header).
// Lines with fewer than six fields, a bound that is not a number or not a
// 32-bit whole number, or an unsafe name are skipped.
std::vector<MeshBounds> parseMeshList(const std::vector<QString> &lines);

// Appends the name of every mesh whose bounds equal the four values exactly.
void AddMeshesByBounds(const std::vector<MeshBounds> &meshes, double minX, double minY, double maxX,
    double maxY, QStringList &candidates);

// The meshes to fetch for a view centre: every mesh containing the centre
// (bounds inclusive), followed by the three meshes that close the 2 x 2
// block around the corner of the centre's quarter (a centre on a middle line
// counts as the high side); repeats removed in order of first appearance.
QStringList selectMeshes(const std::vector<MeshBounds> &meshes, std::int32_t centreX, std::int32_t centreY);

// Fetches <archiveName> from the server's mesh folder into MeshData\0\.
// True when the archive is complete there; the fetch routines say why not.
bool FetchMeshArchive(const QString &archiveName);

// Fetches one archive by name ("<mesh>.LZH"); FetchMeshArchive unless a
// caller hands in another.
using MeshArchiveFetcher = std::function<bool(const QString &archiveName)>;

// The download command (menu ダウンロード).
void MapDataDownload(const MeshArchiveFetcher &fetch = {});

// The removal command (menu 削除): deletes the files of every listed mesh in
// both trees and reopens the default document.
void MapDataDelete();

// Fills the frame's actions of the three mesh commands: download, removal
// and the mesh import removal window.
void registerMeshCommands();

} // namespace veltra::mapwindow
