#pragma once
// The outline cache files of the prefectures written in this drawing run,
// kept open from one area to the next: each NN.csv / NN.bin is resolved
// (without case) and opened once per run instead of for every outline.
//
// A kept file is checked before every use: the file now at its path must be
// the one kept open and have the size last written or seen. A file deleted,
// replaced or written by anyone else is let go, and the caller goes the
// ordinary way (the path resolved and the file opened anew).
#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <sys/types.h>

namespace veltra::statrender {

class AreaCacheFiles
{
public:
    struct File
    {
        QString local; // the resolved path
        int fd = -1;
        dev_t device = 0;
        ino_t inode = 0;
        std::int64_t size = 0;
    };

    AreaCacheFiles() = default;
    ~AreaCacheFiles() { closeAll(); }
    AreaCacheFiles(const AreaCacheFiles &) = delete;
    AreaCacheFiles &operator=(const AreaCacheFiles &) = delete;

    // The kept NN.csv (bin false) or NN.bin (bin true) of csvPath, checked
    // against the disk; nullptr when none is kept or it no longer matches
    // (both files of the prefecture are then let go).
    File *find(const QString &csvPath, bool bin);

    // Keeps both files of csvPath open after they were written the ordinary
    // way. Nothing is kept when either is missing, or when the text file
    // starts with a byte order mark (a line appended to such a file rewrites
    // it whole).
    void keep(const QString &csvPath, const QString &binPath);

    // Appends bytes to a kept file; false (and the prefecture let go) when
    // they could not all be written.
    bool append(const QString &csvPath, File &file, const QByteArray &bytes);

    // Reads `length` bytes at `offset` (from 0); false when they are not all there.
    static bool read(const File &file, std::int64_t offset, std::int64_t length, QByteArray &bytes);

    // Lets go of every kept file (the run's cache is about to be deleted).
    void closeAll();

private:
    struct Pair
    {
        File csv, bin;
    };
    void release(const QString &csvPath);
    QHash<QString, Pair> m_pairs;
};

AreaCacheFiles &areaCacheFiles();

} // namespace veltra::statrender
