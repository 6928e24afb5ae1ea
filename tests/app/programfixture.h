#pragma once
// A complete program folder in a temporary folder for the start-up tests:
// ZORPAK.INI and ZORPAK.MNU, a data folder with its display levels and a
// place-name database, and a small default document Veltra.zor (one
// prefecture square and its area connector, base date 2000-01-01) opened by
// the real engine.
//
// The fixture also puts the program's shared state back to a fresh start
// (globals, registries, instance lock) and offers the exit of a run.
#include "testsupport.h"

#include <QString>
#include <cstdint>

namespace veltra::test {

class ProgramFixture
{
public:
    // `count` and `flag`: [USE] COUNT and FLG before the start.
    explicit ProgramFixture(
        const QString &count = QStringLiteral("3"), const QString &flag = QStringLiteral("0"));
    ~ProgramFixture();

    QString folder() const { return m_dir.path(); }
    QString iniPath() const { return m_dir.file(QStringLiteral("ZORPAK.INI")); }
    QString docPath() const { return m_dir.file(QStringLiteral("Veltra.zor")); }
    QString docIniPath() const { return m_dir.file(QStringLiteral("Veltra.INI")); }
    QString lockPath() const { return m_lock; }

    // A further document in the program folder (relative name "X.zor").
    QString makeDocument(const QString &name, const QString &baseDate = QStringLiteral("20000101"));

    // An INI value of the program folder's ZORPAK.INI, or of any file.
    QString ini(const QString &section, const QString &key) const;
    static QString iniOf(const QString &path, const QString &section, const QString &key);
    void setIni(const QString &section, const QString &key, const QString &value);
    static void setIniOf(
        const QString &path, const QString &section, const QString &key, const QString &value);

    // Stores view `slot` of the default document (scale, centre, angle).
    void setView(int slot, std::int32_t scale, std::int32_t x, std::int32_t y, std::int32_t angle = 0);

    // Centre of the fixture's prefecture square (world units).
    static constexpr std::int32_t CenterX = 17 * 360000;
    static constexpr std::int32_t CenterY = 12 * 360000;

    bool ok() const { return m_ok; }

    // A fresh run on the same program folder, as the next start of the
    // program with the same option.
    void startNewRun() const;

private:
    TempDir m_dir;
    QString m_lock;
    bool m_ok = false;
};

// Puts the shared state of the program back to a fresh process.
void resetProgramState();
// The exit command of the frame, then the deferred deletions: the run is over.
void exitProgram();
// Runs the deferred deletions of unloaded windows.
void flushDeletions();

} // namespace veltra::test
