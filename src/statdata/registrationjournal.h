#pragma once
// The undo journal of one statistics registration: what makes a registration
// all or nothing even when the program is killed in the middle of it.
//
// A registration changes several files of the etc folder one after another
// (value file, FileIndex.txt, item list and its etc2 copy, year file and its
// copy). Before the first change, begin() keeps a copy of each of them (or
// notes that it does not exist yet) in a journal folder inside etc and then
// writes the journal's manifest; commit() removes the manifest once every
// step is done. A manifest found later belongs to a registration that never
// finished: recover() puts every file back as it was and removes the folders
// the registration made, so the etc folder holds the whole old state and a
// retry of the same registration starts from it. Every step of recover() can
// be repeated, so a kill during recovery is recovered by the next call.
//
// One registration at a time per etc folder; begin() recovers a journal left
// behind before it starts its own. The user's registrations and deletions
// run under it too, so its error texts are the user's: Japanese, naming the
// file.
#include <QString>
#include <QStringList>
#include <functional>

namespace veltra::statdata {

class RegistrationJournal
{
public:
    explicit RegistrationJournal(const QString &etcFolder);
    // A journal begun and neither committed nor rolled back is rolled back.
    ~RegistrationJournal();
    RegistrationJournal(const RegistrationJournal &) = delete;
    RegistrationJournal &operator=(const RegistrationJournal &) = delete;

    // Recovers a journal left behind, then keeps the files (any path form)
    // as they are now. False with the reason when a file cannot be kept (the
    // registration must not start).
    bool begin(const QStringList &files, QString *error = nullptr);
    // The registration is complete: the journal goes. False when its manifest
    // cannot be removed (the registration would be undone by the next start).
    bool commit();
    // Puts every kept file back and removes the journal (nothing when no
    // journal is open). False with the reason when some file could not be
    // put back (the journal then stays for a later try).
    bool rollBack(QString *error = nullptr);

    // Rolls back the journal an unfinished registration left in the etc
    // folder, if any. True when no journal is left.
    static bool recover(const QString &etcFolder, QString *error = nullptr);
    // The journal folder of an etc folder.
    static QString journalFolder(const QString &etcFolder);

    // Called at each step of a journaled registration (the journal's own
    // steps and those a caller reports through step()), for the tests that
    // stop a registration at a chosen point.
    static void setStepHook(std::function<void(const char *point)> hook);
    static void step(const char *point);

private:
    QString m_etc;
    bool m_open = false;
};

} // namespace veltra::statdata
