#include "defaultmapbed.h"

#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statrender/renderingregistration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>

namespace veltra::test {

void DefaultMapBed::usePrivateTemp()
{
    m_savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(m_privateTemp.path()));
}

void DefaultMapBed::useShippedProgramFolder()
{
    m_savedProgramFolder = shell::programFolder();
    shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
}

void DefaultMapBed::copyDefaultData()
{
    const QString defaults = QStringLiteral(VELTRA_DEFAULT_DATA);
    ASSERT_TRUE(QFile::exists(defaults + QStringLiteral("/Veltra.zor")))
        << "no default map in " << defaults.toStdString() << " (build veltra_default_data)";
    copyTree(defaults, tmp.path());
    gstrDataPath = tmp.path() + QStringLiteral("VeltraData/");
}

void DefaultMapBed::openStatisticsDatabase()
{
    ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
}

void DefaultMapBed::openMap()
{
    frame = new frmMain;
    gfrmMain = frame;
    map = new zorvik::Zorvik;
    map->resize(800, 600);
    map->setDocumentPath(tmp.file(QStringLiteral("Veltra.zor")));
    ASSERT_EQ(map->InitializeMap(0), 0) << map->lastError().toStdString();
    map->InitDisplay();
    map->ShowAll();
    gobjZor = map;
    gintMapInit = 1;
    statrender::registerStatisticsRendering();
}

void DefaultMapBed::useShippedGraphLimits()
{
    gstrLimitPie = gstrLimitBar = gstrLimitSymbol = gstrLimitPyramid = QStringLiteral("100");
}

void DefaultMapBed::openShippedDefaultMap()
{
    usePrivateTemp();
    useShippedProgramFolder();
    useShippedGraphLimits();
    ASSERT_NO_FATAL_FAILURE(copyDefaultData());
    ASSERT_NO_FATAL_FAILURE(openStatisticsDatabase());
    ASSERT_NO_FATAL_FAILURE(openMap());
}

QMdiSubWindow *DefaultMapBed::showMapInFrame()
{
    frame->setGeometry(0, 0, 1280, 900);
    frame->show();
    m_shownIn = frame->mdiArea()->addSubWindow(map);
    map->setWindowTitle(tmp.file(QStringLiteral("Veltra.zor")));
    m_shownIn->showMaximized();
    return m_shownIn;
}

void DefaultMapBed::keepShown(int seconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void DefaultMapBed::closeMap()
{
    // The map is ours to delete, not the frame's.
    if (m_shownIn) {
        m_shownIn->setWidget(nullptr);
        map->setParent(nullptr);
    }
    ui::WindowRegistry::instance().deleteAll();
    gobjZor = nullptr;
    delete map;
    map = nullptr;
    gfrmMain = nullptr;
    delete frame.data();
    if (m_savedProgramFolder) {
        shell::setProgramFolder(*m_savedProgramFolder);
        m_savedProgramFolder.reset();
    }
    if (m_savedTmp) {
        if (m_savedTmp->isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", *m_savedTmp);
        m_savedTmp.reset();
    }
}

} // namespace veltra::test
