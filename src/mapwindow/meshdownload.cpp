#include "mapwindow/meshdownload.h"

#include "mapwindow/compsy_ftp.h"
#include "mapwindow/frmpsyaninport.h"
#include "platform/archive/modlha.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/compsy.h"
#include "shell/frameview.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/moderegistry.h"
#include "shell/modfileio.h"
#include "shell/programfolder.h"
#include "shell/statisticsservices.h"
#include "zorvik/widget/zorvik.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace veltra::mapwindow {

namespace {

const QString MeshListFile = QStringLiteral("DefFolder\\Meshdef2500.csv");
const QString MeshFolder = QStringLiteral("MeshData\\0\\");
const QString MeshFolder2 = QStringLiteral("MeshData2\\0\\");
const QString ArchiveSuffix = QStringLiteral(".LZH");

QString meshListPath()
{
    return gstrDataPath + MeshListFile;
}

// The mesh folder as a local path ending in '/'.
QString meshFolderPath()
{
    QString folder = fs::resolve(gstrDataPath + MeshFolder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// A bound as a 32-bit whole number (rounded as CLng rounds), or nothing.
std::optional<std::int32_t> wholeBound(double value)
{
    const double rounded = vb::roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// VB's Enabled = False on the frame: its menus, bars and document area stop
// taking input, while the windows it owns (the wait dialog with its cancel
// button) stay usable.
void setFrameEnabled(bool enabled)
{
    if (!gfrmMain)
        return;
    const auto children = gfrmMain->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        if (!child->isWindow())
            child->setEnabled(enabled);
}

// The wait dialog of one phase of a command, owned by the frame; gone when
// the object dies, whatever path the command takes.
class WaitPhase
{
public:
    WaitPhase(bool cancellable, bool disableFrame)
        : m_disableFrame(disableFrame)
    {
        if (m_disableFrame)
            setFrameEnabled(false);
        auto *wait = ui::form<frmPSYWait>(static_cast<QWidget *>(gfrmMain));
        wait->cmdCancel->setVisible(cancellable);
        // The frame is disabled: nothing but the dialog takes input.
        if (m_disableFrame)
            wait->setWindowModality(Qt::WindowModal);
        gintWaitCancel = 0;
        wait->show();
        ui::DoEvents();
    }
    ~WaitPhase() { end(); }
    WaitPhase(const WaitPhase &) = delete;
    WaitPhase &operator=(const WaitPhase &) = delete;

    void end()
    {
        if (m_ended)
            return;
        m_ended = true;
        ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait"));
        if (m_disableFrame)
            setFrameEnabled(true);
    }

private:
    bool m_disableFrame;
    bool m_ended = false;
};

// Closes the current map window through its normal closing (save question,
// view 0 stored, engine closed).
void closeMapWindow()
{
    if (gfrmZorvik)
        ui::WindowRegistry::instance().unload(gfrmZorvik->widget());
}

// Opens the program's default document again at its saved view 0.
void reopenDefaultDocument()
{
    shell::resetDrawIdLists();
    gstrDocPath = shell::programFolder() + QStringLiteral("Veltra.zor");
    if (!gfrmMain)
        return;
    shell::frameView()->loadNewDocument(0);
    if (gintMapInit != 1)
        return; // the map window has said why
    shell::frameView()->jumpToSavedArea(0);
    if (gfrmZorvik)
        gfrmZorvik->MP_GetCenterPlaceName();
}

QString cannotWriteMessage(const QString &path, int err)
{
    return QStringLiteral("メッシュファイルを書き込めません：%1\n%2")
        .arg(fs::normalize(path), fs::failureReason(path, err, true));
}

// Every file of `folder` whose name equals `name` without case.
QStringList sameNamesIn(const QStringList &files, const QString &name)
{
    QStringList found;
    for (const QString &file : files)
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            found << file;
    return found;
}

enum class Replaced { Done, BadArchive, WriteFailed };

// Extracts every fetched archive into a folder beside the mesh folder; when
// all extracted, moves the files into the mesh folder over the old ones and
// deletes the old files of the fetched meshes that no archive brought back.
// Nothing of the mesh folder changes unless every archive extracted.
Replaced replaceMeshes(const QString &meshFolder, const QStringList &names, QString &problem)
{
    // "MeshData/0/" -> "MeshData/.0-XXXXXX": the engine reads only the level
    // folders, so a staging folder left by a crash is never taken for meshes.
    const QString parent = QFileInfo(meshFolder.chopped(1)).absolutePath();
    QTemporaryDir staging(parent + QStringLiteral("/.0-XXXXXX"));
    if (!staging.isValid()) {
        problem = cannotWriteMessage(parent + QStringLiteral("/.0-XXXXXX"), errno);
        return Replaced::WriteFailed;
    }
    const QString stagingFolder = staging.path() + u'/';
    for (const QString &name : names) {
        QString output;
        if (!modLHA::ExtractArchive(
                meshFolder + name + ArchiveSuffix, QString(), stagingFolder, output, 0, 0))
            return Replaced::BadArchive;
    }
    const QStringList extracted = fs::listFiles(stagingFolder);
    QSet<QString> written;
    for (const QString &file : extracted) {
        const QString target = meshFolder + file;
        // A file of the same name in another case would stay beside the new
        // one and be read too.
        for (const QString &old : sameNamesIn(fs::listFiles(meshFolder), file))
            if (old != file)
                QFile::remove(meshFolder + old);
        if (std::rename(
                QFile::encodeName(stagingFolder + file).constData(), QFile::encodeName(target).constData())
            != 0) {
            problem = cannotWriteMessage(target, errno);
            return Replaced::WriteFailed;
        }
        written.insert(file);
    }
    const QStringList present = fs::listFiles(meshFolder);
    for (const QString &name : names) {
        for (const QString &suffix : {QStringLiteral(".mfc"), QStringLiteral(".mfv")}) {
            for (const QString &old : sameNamesIn(present, name + suffix))
                if (!written.contains(old))
                    QFile::remove(meshFolder + old);
        }
    }
    return Replaced::Done;
}

} // namespace

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // Windows drops a trailing blank or dot, so such a name means another file.
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
        if (QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

std::vector<MeshBounds> parseMeshList(const std::vector<QString> &lines)
{
    std::vector<MeshBounds> meshes;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u',');
        if (fields.size() < 6 || !isSafeFileName(fields[0]))
            continue;
        double value[4];
        std::int32_t whole[4];
        bool usable = true;
        for (int k = 0; k < 4 && usable; ++k) {
            const auto number = vb::toNumber(fields[2 + k]);
            const auto asWhole = number ? wholeBound(*number) : std::nullopt;
            usable = number && asWhole;
            if (usable) {
                value[k] = *number;
                whole[k] = *asWhole;
            }
        }
        if (!usable)
            continue;
        meshes.push_back(
            {fields[0], whole[0], whole[1], whole[2], whole[3], value[0], value[1], value[2], value[3]});
    }
    return meshes;
}

void AddMeshesByBounds(const std::vector<MeshBounds> &meshes, double minX, double minY, double maxX,
    double maxY, QStringList &candidates)
{
    for (const MeshBounds &m : meshes)
        if (m.minX == minX && m.minY == minY && m.maxX == maxX && m.maxY == maxY)
            candidates << m.name;
}

QStringList selectMeshes(const std::vector<MeshBounds> &meshes, std::int32_t centreX, std::int32_t centreY)
{
    QStringList candidates;
    for (const MeshBounds &m : meshes) {
        if (m.minXL > centreX || centreX > m.maxXL || m.minYL > centreY || centreY > m.maxYL)
            continue;
        candidates << m.name;
        const double x1 = m.minX, y1 = m.minY, x2 = m.maxX, y2 = m.maxY;
        const double w = x2 - x1, h = y2 - y1;
        const bool lowX = x1 + w / 2 > centreX;
        const bool lowY = y1 + h / 2 > centreY;
        // The three rectangles that close the 2 x 2 block at the corner of
        // the centre's quarter, in the order the list is fetched.
        struct Box
        {
            double x1, y1, x2, y2;
        };
        std::array<Box, 3> boxes;
        if (lowX && lowY)
            boxes = {{{x1 - w, y1 - h, x1, y1}, {x1, y1 - h, x1 + w, y1}, {x1 - w, y1, x1, y1 + h}}};
        else if (!lowX && lowY)
            boxes = {{{x1, y1 - h, x1 + w, y1}, {x1 + w, y1 - h, x1 + 2 * w, y1}, {x2, y1, x2 + w, y1 + h}}};
        else if (lowX && !lowY)
            boxes = {{{x1 - w, y1, x1, y1 + h}, {x1 - w, y1 + h, x1, y1 + 2 * h}, {x1, y2, x1 + w, y2 + h}}};
        else
            boxes = {{{x2, y1, x2 + w, y1 + h}, {x2, y2, x2 + w, y2 + h}, {x1, y2, x1 + w, y2 + h}}};
        for (const Box &b : boxes)
            AddMeshesByBounds(meshes, b.x1, b.y1, b.x2, b.y2, candidates);
    }
    candidates.removeDuplicates(); // keeps the first of each, in order
    return candidates;
}

bool FetchMeshArchive(const QString &archiveName)
{
    // The FTP client takes the local path as it stands: resolved here, so
    // that "MeshData\0\" is a folder and not part of a file name.
    return ComPSY::PSY_FtpGetFile(gstrFtpDir + u'/' + archiveName, meshFolderPath() + archiveName);
}

void MapDataDownload(const MeshArchiveFetcher &fetch)
{
    using namespace ui;
    // The meshes are chosen around the view of an open map.
    if (!gobjZor || gintMapInit != 1)
        return;
    if (MsgBox(QStringLiteral("ダウンロードを開始します。よろしいですか？"), vbYesNo | vbQuestion,
            QStringLiteral("確認"))
        == vbNo)
        return;
    const std::int32_t centreX = gobjZor->CenterX();
    const std::int32_t centreY = gobjZor->CenterY();
    QStringList names;
    QString meshFolder;
    {
        WaitPhase wait(true, true);
        std::vector<QString> lines;
        std::int32_t count = 0;
        modFileIO::ReadTextLines(meshListPath(), lines, count);
        const std::vector<MeshBounds> meshes = parseMeshList(lines);
        if (meshes.empty()) {
            wait.end();
            MsgBox(QStringLiteral("数値地図2500のメッシュ一覧を読み込めません：")
                    + fs::normalize(meshListPath()),
                vbExclamation);
            return;
        }
        names = selectMeshes(meshes, centreX, centreY);
        if (names.isEmpty()) {
            wait.end();
            MsgBox(QStringLiteral("表示範囲に数値地図2500のメッシュがありません。"), vbInformation);
            return;
        }
        // The archives go into the mesh folder: it must be a folder before
        // anything is fetched.
        meshFolder = meshFolderPath();
        if (!fs::createFolder(meshFolder)) {
            const int err = errno;
            wait.end();
            MsgBox(cannotWriteMessage(meshFolder, err), vbExclamation);
            return;
        }
        for (const QString &name : names) {
            if (ComPSY::PSY_CheckCancel())
                return; // the archives fetched so far stay; the map stays open
            const QString archive = name + ArchiveSuffix;
            if (!(fetch ? fetch(archive) : FetchMeshArchive(archive)))
                return; // the fetch routines have said why
        }
    }

    WaitPhase wait(false, true);
    closeMapWindow();
    QString problem;
    const Replaced replaced = replaceMeshes(meshFolder, names, problem);
    if (replaced == Replaced::Done) {
        for (const QString &name : names)
            fs::deleteFiles(meshFolder + name + ArchiveSuffix);
    }
    // Whatever happened to the files, the map comes back.
    reopenDefaultDocument();
    wait.end();
    if (replaced == Replaced::BadArchive)
        MsgBox(QStringLiteral("正しく認識できませんでした。ファイルが正しいか確認してください"),
            vbInformation, QStringLiteral("ファイル確認"));
    else if (replaced == Replaced::WriteFailed)
        MsgBox(problem, vbExclamation);
}

void MapDataDelete()
{
    using namespace ui;
    if (MsgBox(QStringLiteral("数値地図2500を削除します。よろしいですか？"), vbYesNo | vbQuestion, gstrTitle)
        == vbNo)
        return;
    WaitPhase wait(false, false);
    closeMapWindow();
    std::vector<QString> lines;
    std::int32_t count = 0;
    modFileIO::ReadTextLines(meshListPath(), lines, count);
    // A file that is not there is no failure here.
    for (const MeshBounds &mesh : parseMeshList(lines)) {
        for (const QString &folder : {MeshFolder, MeshFolder2}) {
            fs::deleteFiles(gstrDataPath + folder + mesh.name + QStringLiteral(".mfc"));
            fs::deleteFiles(gstrDataPath + folder + mesh.name + QStringLiteral(".mfv"));
        }
    }
    reopenDefaultDocument();
}

void registerMeshCommands()
{
    auto &baseMap = shell::modeRegistry().baseMap();
    baseMap.mapDownload = [] { MapDataDownload(); };
    baseMap.mapDelete = [] { MapDataDelete(); };
    baseMap.showMeshImportRemoval = [] {
        auto *window = ui::form<frmPSYAnInport>(static_cast<QWidget *>(gfrmMain));
        window->show();
        window->raise();
    };
}

} // namespace veltra::mapwindow
