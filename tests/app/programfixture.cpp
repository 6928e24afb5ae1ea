#include "programfixture.h"

#include "app/runstate.h"
#include "app/subsystems.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "zorvik/core/document.h"
#include "zorvik/core/engine.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace veltra::test {

namespace {

bool writeText(const QString &path, const QStringList &lines)
{
    QString error;
    const bool ok = text::writeLines(path, lines, &error);
    EXPECT_TRUE(ok) << error.toStdString();
    return ok;
}

} // namespace

ProgramFixture::ProgramFixture(const QString &count, const QString &flag)
{
    resetProgramState();
    m_lock = m_dir.file(QStringLiteral("instance.lock"));
    const QString f = m_dir.path();
    m_ok = writeText(f + QStringLiteral("ZORPAK.MNU"),
               {QStringLiteral("[ZORPAK_MNU]"), QStringLiteral("title=Veltra")})
        && writeText(f + QStringLiteral("ZORPAK.INI"),
            {QStringLiteral("[VELTRA_DATA_PATH]"), QStringLiteral("Path=VeltraData\\"),
                QStringLiteral("[USE]"), QStringLiteral("COUNT=") + count, QStringLiteral("URL="),
                QStringLiteral("FLG=") + flag, QStringLiteral("[MNUINFO]"), QStringLiteral("State=0"),
                QStringLiteral("Top=150"), QStringLiteral("Left=300"), QStringLiteral("Width=6000"),
                QStringLiteral("Height=4500"), QStringLiteral("dispLegend=1"),
                QStringLiteral("dispDirction=1"), QStringLiteral("dispScale=1")});
    QDir().mkpath(f + QStringLiteral("VeltraData/DefFolder"));
    QDir().mkpath(f + QStringLiteral("VeltraData/DB"));
    m_ok = m_ok
        && writeText(f + QStringLiteral("VeltraData/DefFolder/DispLevel.txt"),
            {QStringLiteral("50000"), QStringLiteral("3000000"), QStringLiteral("100000")});
    statdata::MeshDatabase db;
    m_ok = m_ok && db.create(f + QStringLiteral("VeltraData/DB/Mesh.sqlite"))
        && db.insertPrefecture(13, QStringLiteral("東京都"), CenterX, CenterY);
    db.close();
    m_ok = m_ok && !makeDocument(QStringLiteral("Veltra.zor")).isEmpty();
    shell::setProgramFolder(f);
}

void ProgramFixture::startNewRun() const
{
    resetProgramState();
    shell::setProgramFolder(m_dir.path());
}

ProgramFixture::~ProgramFixture()
{
    resetProgramState();
}

QString ProgramFixture::makeDocument(const QString &name, const QString &baseDate)
{
    const QString zor = m_dir.file(name);
    zorvik::NewDocument options;
    options.defDataDir = QStringLiteral("VeltraData\\DefFolder\\");
    QString error;
    if (zorvik::Document::create(zor, options, &error) != zorvik::code::Ok) {
        ADD_FAILURE() << error.toStdString();
        return QString();
    }
    zorvik::Engine engine;
    engine.setDocumentPath(zor);
    EXPECT_EQ(engine.InitializeMap(0), zorvik::code::Ok);
    // The documents of the folder share one definition folder: the second
    // one finds the kinds defined.
    for (const zorvik::Result r : {engine.AddSpace(1, QStringLiteral("都道府県"), QStringLiteral("F")),
             engine.AddVectorKind(1, QStringLiteral("都道府県界")), engine.AddVectorKindToSpace(1, 1)})
        EXPECT_TRUE(r == zorvik::code::Ok || r == zorvik::code::IdInUse) << r;
    EXPECT_EQ(engine.SaveDefFile(), zorvik::code::Ok);
    zorvik::ElementRecord square;
    square.Type = zorvik::TypeVector;
    const std::int32_t s = 36000;
    square.X = {CenterX - s, CenterX + s, CenterX + s, CenterX - s, CenterX - s};
    square.Y = {CenterY - s, CenterY - s, CenterY + s, CenterY + s, CenterY - s};
    square.PNum = 5;
    square.iPra = {0, 0, 1};
    square.lPra = {0, 0, zorvik::DayUndecided, zorvik::DayUndecided, 0, 0};
    zorvik::Handle set = 0;
    EXPECT_EQ(engine.CreateElementList(set), zorvik::code::Ok);
    EXPECT_EQ(engine.AddElementToList(set, square), zorvik::code::Ok);
    EXPECT_EQ(engine.AddElements(set), zorvik::code::Ok);
    engine.ReleaseElements(set);
    EXPECT_EQ(engine.SaveMap(), zorvik::code::Ok);
    engine.CloseMap();
    // The base date is the document's own; a bad one is written afterwards,
    // as a damaged document would carry it.
    if (baseDate != QStringLiteral("19700101"))
        setIniOf(zor, QString::fromLatin1(zorvik::DocumentSection), QStringLiteral("BaseDate"), baseDate);
    return zor;
}

QString ProgramFixture::iniOf(const QString &path, const QString &section, const QString &key)
{
    return profile::getString(section, key, QString(), path);
}

QString ProgramFixture::ini(const QString &section, const QString &key) const
{
    return iniOf(iniPath(), section, key);
}

void ProgramFixture::setIniOf(
    const QString &path, const QString &section, const QString &key, const QString &value)
{
    EXPECT_TRUE(profile::writeString(section, key, value, path));
}

void ProgramFixture::setIni(const QString &section, const QString &key, const QString &value)
{
    setIniOf(iniPath(), section, key, value);
}

void ProgramFixture::setView(int slot, std::int32_t scale, std::int32_t x, std::int32_t y, std::int32_t angle)
{
    const QString section = QStringLiteral("ZORPAK_MAP%1_SAVE").arg(slot);
    setIniOf(docIniPath(), section, QStringLiteral("scale"), QString::number(scale));
    setIniOf(docIniPath(), section, QStringLiteral("drawCenterX"), QString::number(x));
    setIniOf(docIniPath(), section, QStringLiteral("drawCenterY"), QString::number(y));
    setIniOf(docIniPath(), section, QStringLiteral("rotateAngle"), QString::number(angle));
}

void flushDeletions()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void exitProgram()
{
    if (gfrmMain)
        gfrmMain->mnuFileExit_Click();
    flushDeletions();
}

void resetProgramState()
{
    if (gfrmMain) {
        gfrmMain->close();
        flushDeletions();
    }
    ui::WindowRegistry::instance().unloadAllExcept({});
    flushDeletions();
    app::resetRunState();
    app::registerSubsystems();
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.5"));
}

} // namespace veltra::test
