// The profile calls: each read goes through a cache of parsed files checked
// against the file's identity on disk; each write rewrites the file atomically.
#include "platform/profile/profile.h"

#include "platform/fs/filestamp.h"
#include "platform/fs/fs.h"
#include "platform/profile/inifile.h"
#include "platform/text/text.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <memory>

namespace veltra::profile {

namespace {

struct Cached
{
    fs::FileStamp stamp;
    std::shared_ptr<const IniFile> file;
    quint64 lastUse = 0;
    std::uint64_t checkedIn = 0; // the StampCheckScope that last checked the stamp
};

// Enough for every file the system keeps open at once (settings, a document,
// an item list); the least recently used parse goes first.
constexpr int maxCachedFiles = 32;

QMutex cacheMutex;
QHash<QString, Cached> cache;
quint64 useCounter = 0;

void evictIfFull()
{
    if (cache.size() < maxCachedFiles)
        return;
    auto oldest = cache.begin();
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (it->lastUse < oldest->lastUse)
            oldest = it;
    }
    cache.erase(oldest);
}

// The parsed file at `resolved`, or null when it does not exist or cannot be
// read. Callers hold cacheMutex.
std::shared_ptr<const IniFile> load(const QString &resolved)
{
    const std::uint64_t scope = fs::StampCheckScope::current();
    auto it = cache.find(resolved);
    if (scope != 0 && it != cache.end() && it->checkedIn == scope) {
        it->lastUse = ++useCounter;
        return it->file;
    }
    const std::optional<fs::FileStamp> stamp = fs::stampOf(resolved);
    if (!stamp) {
        cache.remove(resolved);
        return nullptr;
    }
    if (it != cache.end() && it->stamp == *stamp) {
        it->lastUse = ++useCounter;
        it->checkedIn = scope;
        return it->file;
    }
    QByteArray bytes;
    if (!fs::readFile(resolved, bytes)) {
        cache.remove(resolved);
        return nullptr;
    }
    // The file may have changed while it was read; cache only a parse whose
    // stamp held throughout, otherwise use it once.
    auto file = std::make_shared<const IniFile>(IniFile::parse(bytes));
    if (fs::stampOf(resolved) == stamp) {
        if (it == cache.end())
            evictIfFull();
        cache.insert(resolved, Cached{*stamp, file, ++useCounter, scope});
    } else {
        cache.remove(resolved);
    }
    return file;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool hasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// Names and values that would change the file's structure are refused, where
// the Windows call would have written a file that reads back differently.
void setWriteError(QString *error, const QString &path, const QString &why)
{
    setError(error, QStringLiteral("ファイルに書き込めません: %1\n%2").arg(fs::resolve(path), why));
}

bool checkNames(
    const QString &section, const QString *key, const QString *value, const QString &path, QString *error)
{
    if (section.trimmed().isEmpty() || section.contains(QLatin1Char(']')) || hasLineBreak(section)) {
        setWriteError(error, path, QStringLiteral("セクション名「%1」は使えません。").arg(section));
        return false;
    }
    if (key
        && (key->trimmed().isEmpty() || key->contains(QLatin1Char('=')) || hasLineBreak(*key)
            || key->trimmed().startsWith(QLatin1Char('[')) || key->trimmed().startsWith(QLatin1Char(';')))) {
        setWriteError(error, path, QStringLiteral("キー名「%1」は使えません。").arg(*key));
        return false;
    }
    if (value && hasLineBreak(*value)) {
        setWriteError(error, path,
            QStringLiteral("キー「%1」の値に改行は含められません。").arg(key ? *key : QString()));
        return false;
    }
    return true;
}

// Applies an edit to the file (an empty file when missing) and writes it back
// atomically. `createMissing` false leaves a missing file missing.
template <typename Edit> bool modify(const QString &path, bool createMissing, QString *error, Edit edit)
{
    const QString resolved = fs::resolve(path);
    QMutexLocker lock(&cacheMutex);
    const bool exists = fs::fileExists(resolved);
    if (!exists && !createMissing)
        return true;
    IniFile file;
    if (exists) {
        QByteArray bytes;
        if (!fs::readFile(resolved, bytes, error))
            return false;
        file = IniFile::parse(bytes);
    }
    if (!edit(file))
        return true; // nothing to change
    QByteArray bytes;
    QString why;
    if (!file.serialize(bytes, &why)) {
        setWriteError(error, resolved, why);
        return false;
    }
    // The next read parses the new file, whoever wrote last.
    cache.remove(resolved);
    return fs::writeFileAtomic(resolved, bytes, error);
}

} // namespace

QString getString(const QString &section, const QString &key, const QString &def, const QString &path,
    int bufferSize, int *copied)
{
    std::optional<QString> found;
    {
        const QString resolved = fs::resolve(path);
        QMutexLocker lock(&cacheMutex);
        if (const auto file = load(resolved))
            found = file->value(section, key);
    }
    QString result;
    if (found) {
        result = *found;
    } else {
        // As the Windows call does, trailing blanks of the default are dropped.
        result = def;
        while (result.endsWith(QLatin1Char(' ')) || result.endsWith(QLatin1Char('\t')))
            result.chop(1);
    }
    result = bufferSize > 0 ? text::cutToBytes(result, bufferSize - 1) : QString();
    if (copied)
        *copied = text::cp932Length(result);
    return result;
}

bool hasKey(const QString &section, const QString &key, const QString &path)
{
    const QString resolved = fs::resolve(path);
    QMutexLocker lock(&cacheMutex);
    const auto file = load(resolved);
    return file && file->value(section, key).has_value();
}

int getInt(const QString &section, const QString &key, int def, const QString &path)
{
    const QString value = getString(section, key, QString(), path);
    if (value.isEmpty())
        return def;
    // The leading integer: optional sign, then 0x and hex digits or decimal
    // digits; no digits read as 0. Overflow wraps as a 32-bit value would.
    qsizetype i = 0;
    bool negative = false;
    if (value[i] == QLatin1Char('-') || value[i] == QLatin1Char('+')) {
        negative = value[i] == QLatin1Char('-');
        ++i;
    }
    quint32 result = 0;
    if (i + 1 < value.size() && value[i] == QLatin1Char('0')
        && (value[i + 1] == QLatin1Char('x') || value[i + 1] == QLatin1Char('X'))) {
        for (i += 2; i < value.size(); ++i) {
            const int digit = hexDigit(value[i]);
            if (digit < 0)
                break;
            result = result * 16 + static_cast<quint32>(digit);
        }
    } else {
        for (; i < value.size() && value[i] >= QLatin1Char('0') && value[i] <= QLatin1Char('9'); ++i)
            result = result * 10 + static_cast<quint32>(value[i].unicode() - '0');
    }
    if (negative)
        result = 0u - result;
    return static_cast<int>(result);
}

bool writeString(const QString &section, const QString &key, const std::optional<QString> &value,
    const QString &path, QString *error)
{
    if (!checkNames(section, &key, value ? &*value : nullptr, path, error))
        return false;
    if (!value) {
        return modify(path, false, error, [&](IniFile &file) {
            if (!file.value(section, key))
                return false;
            file.removeKey(section, key);
            return true;
        });
    }
    return modify(path, true, error, [&](IniFile &file) {
        file.setValue(section, key, *value);
        return true;
    });
}

bool writeStrings(const std::vector<KeyWrite> &writes, const QString &path, QString *error)
{
    for (const KeyWrite &w : writes) {
        if (!checkNames(w.section, &w.key, &w.value, path, error))
            return false;
    }
    if (writes.empty())
        return true;
    return modify(path, true, error, [&](IniFile &file) {
        for (const KeyWrite &w : writes)
            file.setValue(w.section, w.key, w.value);
        return true;
    });
}

bool deleteSection(const QString &section, const QString &path, QString *error)
{
    return modify(path, false, error, [&](IniFile &file) {
        if (!file.hasSection(section))
            return false;
        file.removeSection(section);
        return true;
    });
}

QStringList sectionNames(const QString &path)
{
    const QString resolved = fs::resolve(path);
    QMutexLocker lock(&cacheMutex);
    const auto file = load(resolved);
    return file ? file->sectionNames() : QStringList();
}

QStringList keyNames(const QString &section, const QString &path)
{
    const QString resolved = fs::resolve(path);
    QMutexLocker lock(&cacheMutex);
    const auto file = load(resolved);
    return file ? file->keyNames(section) : QStringList();
}

std::vector<std::pair<QString, QString>> sectionEntries(const QString &section, const QString &path)
{
    const QString resolved = fs::resolve(path);
    QMutexLocker lock(&cacheMutex);
    const auto file = load(resolved);
    return file ? file->entries(section) : std::vector<std::pair<QString, QString>>();
}

bool writeSection(const QString &section, const std::vector<std::pair<QString, QString>> &entries,
    const QString &path, QString *error)
{
    if (!checkNames(section, nullptr, nullptr, path, error))
        return false;
    for (const auto &[key, value] : entries) {
        if (!checkNames(section, &key, &value, path, error))
            return false;
    }
    return modify(path, true, error, [&](IniFile &file) {
        file.replaceSection(section, entries);
        return true;
    });
}

void clearCache()
{
    QMutexLocker lock(&cacheMutex);
    cache.clear();
}

} // namespace veltra::profile
