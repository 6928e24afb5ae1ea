#pragma once
// Entries of a remote directory listing, read from the lines a server sends
// for LIST: Unix "ls -l" lines ("drwxr-xr-x 2 u g 4096 Jan 01 12:00 name")
// and MS-DOS lines ("01-01-20  12:00PM  <DIR>  name").
//
// An entry has its name (blanks inside kept; a link's " -> target" cut off)
// and a type letter: "D" directory, "L" link, "F" anything else. Lines that
// are neither form ("total 12", blank lines) give no entry.
#include <QString>
#include <optional>
#include <vector>

namespace veltra::ftp {

struct ListingEntry
{
    QString name;
    QString type; // "D", "L" or "F"
};

std::optional<ListingEntry> parseListLine(const QString &line);
std::vector<ListingEntry> parseListing(const QByteArray &listing);

} // namespace veltra::ftp
