#include "meshprogram.h"

#include "app/runstate.h"
#include "mapwindow/frmzorvik.h"
#include "platform/archive/lhawriter.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/programfolder.h"
#include "zorvik/core/document.h"
#include "zorvik/core/elementstore.h"
#include "zorvik/core/engine.h"
#include "zorvik/testmap/testdoc.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace veltra::test {

using namespace zorvik;

namespace {

constexpr std::int16_t MeshKind = 30;

ElementRecord square(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, const QString &key)
{
    ElementRecord r
        = zorvik::test::pointsRecord(TypeVector, MeshKind, {x0, y0, x1, y0, x1, y1, x0, y1, x0, y0}, key);
    r.iPra[0] = 1;
    return r;
}

} // namespace

MeshProgram::MeshProgram(std::int32_t viewX, std::int32_t viewY)
{
    resetMeshProgramState();
    const QString f = folder();
    QDir().mkpath(data() + QStringLiteral("DefFolder"));
    QDir().mkpath(data() + QStringLiteral("MeshData"));
    const QString zor = f + QStringLiteral("Veltra.zor");
    NewDocument options;
    options.defDataDir = QStringLiteral("VeltraData\\DefFolder\\");
    options.meshDataDir = QStringLiteral("VeltraData\\MeshData");
    QString error;
    EXPECT_EQ(Document::create(zor, options, &error), code::Ok) << error.toStdString();
    {
        Engine engine;
        engine.setDocumentPath(zor);
        EXPECT_EQ(engine.InitializeMap(0), code::Ok);
        EXPECT_EQ(engine.AddSpace(1, QStringLiteral("メッシュ"), QStringLiteral("F")), code::Ok);
        EXPECT_EQ(engine.AddVectorKind(MeshKind, QStringLiteral("メッシュ区画")), code::Ok);
        EXPECT_EQ(engine.AddVectorKindToSpace(1, MeshKind), code::Ok);
        Style6 line;
        line.n = {1, 1, 1, 1, 1, 1};
        EXPECT_EQ(engine.SetVectorDispInfo(MeshKind, 1, 1, line), code::Ok);
        EXPECT_EQ(engine.SaveDefFile(), code::Ok);
        // The document's own element lies west of the meshes.
        const Handle set = zorvik::test::freeSet(
            engine, {square(X0 - 20000, Y0, X0 - 10000, Y0 + H, QStringLiteral("doc"))});
        EXPECT_EQ(engine.AddElements(set), code::Ok);
        engine.ReleaseElements(set);
        EXPECT_EQ(engine.SaveMap(), code::Ok);
        engine.CloseMap();
    }
    QStringList list{QStringLiteral("MESH,NO,MINX,MINY,MAXX,MAXY")};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            list << QStringLiteral("%1,%2,%3,%4,%5,%6")
                        .arg(meshName(col, row))
                        .arg(row * 3 + col)
                        .arg(meshX(col))
                        .arg(meshY(row))
                        .arg(meshX(col + 1))
                        .arg(meshY(row + 1));
    EXPECT_TRUE(text::writeLines(data() + QStringLiteral("DefFolder/Meshdef2500.csv"), list));
    const QString docIni = f + QStringLiteral("Veltra.INI");
    const QString view = QStringLiteral("ZORPAK_MAP0_SAVE");
    profile::writeString(view, QStringLiteral("scale"), QStringLiteral("50000"), docIni);
    profile::writeString(view, QStringLiteral("drawCenterX"), QString::number(viewX), docIni);
    profile::writeString(view, QStringLiteral("drawCenterY"), QString::number(viewY), docIni);
    profile::writeString(view, QStringLiteral("rotateAngle"), QStringLiteral("0"), docIni);

    shell::setProgramFolder(f);
    gstrDataPath = data();
    gstrDocPath = zor;
    gstrIniPath = f + QStringLiteral("ZORPAK.INI");
    gstrFtpDir = QStringLiteral("/httpdocs/S2500");
    gtypFtp = FtpServerSettings{};
    gfrmMain = new frmMain;
    gfrmMain->resize(1024, 700);
    gfrmMain->show();
    mapwindow::registerMapWindow();
    m_ok = !::testing::Test::HasFailure();
}

MeshProgram::~MeshProgram()
{
    resetMeshProgramState();
}

bool MeshProgram::writeMeshFiles(
    const QString &folder, const QString &name, int col, int row, const QString &key)
{
    QDir().mkpath(folder);
    const QString base = QDir(folder).filePath(name);
    QFile::remove(base + QStringLiteral(".mfv"));
    QFile::remove(base + QStringLiteral(".mfc"));
    if (!ElementStore::create(base + QStringLiteral(".mfv"))
        || !ElementStore::create(base + QStringLiteral(".mfc")))
        return false;
    ElementStore store;
    if (!store.open(base + QStringLiteral(".mfv"), false))
        return false;
    const ElementRecord area
        = square(meshX(col) + 100, meshY(row) + 100, meshX(col + 1) - 100, meshY(row + 1) - 100, key);
    ElementStore::Changes changes;
    changes.inserts = {{1, &area}};
    return store.apply(changes);
}

bool MeshProgram::writeMeshArchive(
    const QString &folder, const QString &name, int col, int row, const QString &key)
{
    TempDir parts;
    if (!writeMeshFiles(parts.path(), name, col, row, key))
        return false;
    const QString archive = QDir(folder).filePath(name + QStringLiteral(".LZH"));
    QString message;
    for (const QString &suffix : {QStringLiteral(".mfc"), QStringLiteral(".mfv")}) {
        if (!archive::addFile(archive, parts.file(name + suffix), name + suffix, &message)) {
            ADD_FAILURE() << message.toStdString();
            return false;
        }
    }
    return true;
}

void MeshProgram::openMap()
{
    gfrmMain->LoadNewDoc(0);
    QApplication::processEvents();
}

QString MeshProgram::areaAt(std::int32_t x, std::int32_t y)
{
    if (!gobjZor)
        return QString();
    gobjZor->setRecognizeElementType(1);
    Handle set = 0;
    std::int32_t a = 0, b = 0, c = 0;
    if (gobjZor->SearchElements(3, x, y, set, a, b, c) != code::Ok || set == 0)
        return QString();
    QString key;
    Handle element = 0;
    if (gobjZor->GetNextElementHandle(set, element) == code::Ok && element != 0) {
        ElementRecord record;
        if (gobjZor->GetElementsInfo(set, element, record) == code::Ok)
            key = record.Key;
    }
    gobjZor->ReleaseElements(set);
    return key;
}

void resetMeshProgramState()
{
    auto &registry = ui::WindowRegistry::instance();
    if (gfrmMain)
        gfrmMain->close();
    flushDeletes();
    registry.unloadAllExcept({});
    flushDeletes();
    delete gfrmMain;
    app::resetRunState();
}

} // namespace veltra::test
