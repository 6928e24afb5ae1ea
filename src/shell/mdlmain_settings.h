#pragma once
// Reading the configuration: ZORPAK.MNU (title), ZORPAK.INI (data folder, web
// and help targets, start count, download server, graph limits),
// DefFolder\DispLevel.txt of the data folder, and the per-document settings
// file beside a map document.
//
// ReadSettings runs once at start-up and fills the configuration globals
// (globals.h); every value stays a text. It raises the start count [USE] COUNT
// by one and writes it back (a failed write is reported as savefailures.h
// says, and the program runs on). Missing keys read as empty texts (the graph
// limits as "100"); a configuration the program cannot run with (a file
// missing, unreadable or without its section, no data folder, a display-level
// file with fewer than three numeric lines) is reported in the returned
// report, whose message start-up shows before it ends in order.
//
// The data folder may be given relative to the program folder; it is made
// absolute and always ends in a separator, so "DB\Mesh.mdb" and the like can
// be appended directly.
#include <QDate>
#include <QString>
#include <QStringList>

namespace veltra::shell {

struct SettingsReport
{
    QStringList errors; // the program cannot run with this configuration

    bool ok() const { return errors.isEmpty(); }
    // The errors as one text for a message box.
    QString message() const { return errors.join(QLatin1Char('\n')); }
};

// The data folder of a configured `Path` value: made absolute against the
// program folder when relative ("VeltraData\"), ending in '/'; "" for an
// empty value. Start-up and the user-data registration read it alike.
QString resolveDataFolder(const QString &configured, const QString &programFolder);

// The name of the settings file of a map document: the document's path with
// its last extension replaced by ".INI", or ".INI" appended when the file
// name has no dot; empty for no document. Never a name outside the
// document's folder.
QString documentIniPath(const QString &documentPath);

// Start-up's questionnaire condition: the start count (already raised for
// this start) lies in 6..10 and [USE] FLG is 0, both as numbers. A flag that
// is no number asks nothing.
bool questionnaireDue();

// True when a download server (host and account) is configured.
bool downloadServerConfigured();
// What the download commands say instead of connecting when none is.
QString downloadNotConfiguredMessage();

// The view-setting globals, as ReadViewSettings sets them from an engine's
// zoom factors; `today` is the day the edit date counts to.
void applyViewSettings(double zoomIn, double zoomOut, const QDate &today);

} // namespace veltra::shell

namespace mdlMain {

// Reads the program folder's configuration into the globals (see above).
veltra::shell::SettingsReport ReadSettings();

// Sets gstrDocIniPath from gstrDocPath.
void SetDocumentNames();

// Sets the view-setting globals once a map engine has started and the
// document's base date (gdtBaseDate) is known. `Engine` is the map engine
// (anything with ZoomInFactor() and ZoomOutFactor()).
template <class Engine> void ReadViewSettings(Engine &engine)
{
    veltra::shell::applyViewSettings(engine.ZoomInFactor(), engine.ZoomOutFactor(), QDate::currentDate());
}

} // namespace mdlMain
