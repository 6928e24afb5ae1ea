#pragma once
// Extraction of an archive's members into a folder, safe against hostile
// member names.
//
// Member names from a server or an exchanged file are untrusted. Nothing is
// ever created outside the destination folder: a name that is empty, "." or
// "..", or holds a NUL or control character is skipped; so are, when folders
// are kept, absolute paths, drives and ".." components. Symbolic links,
// devices and other special members are never created. Each member is
// written to a temporary file beside its target and renamed over it only
// after its length and CRC-16 matched, so no partial file is ever left and a
// symbolic link standing at a target's name is replaced, not written through.
#include <QString>
#include <QStringList>

namespace veltra::archive {

class LhaReader;

enum class Layout {
    Flat, // every member into the destination itself; member folders dropped
    Folders, // members' relative folders recreated under the destination
};

// Extracts the members of an opened archive into `destination` (an existing
// local folder ending in '/'). With a non-empty `pattern` only the members
// whose name (Flat) or path (Folders) matches it without case. Files of the
// same name are replaced. Appends one report line per member. False when any
// member was skipped as unsafe or could not be extracted; the other members
// are extracted all the same.
bool extractMembers(LhaReader &reader, const QString &destination, Layout layout, const QString &pattern,
    QStringList &report);

} // namespace veltra::archive
