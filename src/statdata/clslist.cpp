#include "statdata/clslist.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/comfunction.h"
#include "statdata/statfileformat.h"

#include <algorithm>

using namespace veltra::statdata;
namespace profile = veltra::profile;

namespace {

// Values are read as the profile reader of the other parts reads them: up to
// 255 bytes.
constexpr int kValueBuffer = 256;
// A numbered list never runs longer than this (a corrupt file cannot hang us).
constexpr int kMaxEntries = 32000;

} // namespace

void clsList::ListInit(const QString &sRealFilePath, const QString &sStartYear)
{
    m_realFilePath = sRealFilePath;
    m_startText = sStartYear;
    m_valid = false;
    m_title.clear();
    m_areaUnit.clear();
    m_itemGroup.clear();
    m_folderValues = {};
    m_listFiles = {};
    m_surveyYear = surveyYearText(sStartYear);

    const QStringList c = splitPath(sRealFilePath);
    const int u = static_cast<int>(c.size()) - 1;
    if (u < 4)
        return;
    const QString statName = c.at(u - 3);
    m_areaUnit = c.at(u - 2);
    m_itemGroup = c.at(u - 1);

    // The title is the statistics name after its leading single-byte
    // characters (the era letter and year of a user statistics).
    for (qsizetype i = 0; i < statName.size(); ++i) {
        if (!ComFunction::IsHankakuOnly(statName.left(i + 1))) {
            m_title = statName.mid(i);
            break;
        }
    }

    const QString etc = joinParts(c, 0, u - 4);
    const QString etc2 = etc + QLatin1Char('/') + etc2FolderName() + QLatin1Char('/');
    m_folderValues[0] = joinParts(c, 0, u - 2) + QLatin1Char('/');
    m_folderValues[1] = etc2 + statName + QLatin1Char('/') + m_areaUnit + QLatin1Char('/');
    m_listFiles[0] = joinParts(c, 0, u - 3) + QStringLiteral(".txt");
    m_listFiles[1] = etc2 + statName + QStringLiteral(".txt");
    m_statFolder = joinParts(c, 0, u - 3) + QLatin1Char('/');
    m_itemGroupFolder = joinParts(c, 0, u - 1) + QLatin1Char('/');
    m_valid = !statName.isEmpty() && !m_areaUnit.isEmpty() && !m_itemGroup.isEmpty();
}

QString clsList::read(const QString &section, const QString &key, int index) const
{
    return profile::getString(section, key, QString(), m_listFiles.at(index), kValueBuffer);
}

bool clsList::write(const QString &section, const QString &key, const QString &value, int index) const
{
    return profile::writeString(section, key, value, m_listFiles.at(index));
}

QStringList clsList::entries(const QString &section, int index) const
{
    QStringList out;
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString value = read(section, entryKey(n), index);
        if (value.isEmpty())
            break;
        out << value;
    }
    return out;
}

int32_t clsList::CountEntries(const QString &section, int index) const
{
    return static_cast<int32_t>(entries(section, index).size());
}

bool clsList::HasEntry(const QString &section, const QString &value, int index) const
{
    return entries(section, index).contains(value);
}

int32_t clsList::ReadValueHeader(QString &line) const
{
    line.clear();
    if (!ComDirectory::IsFileExist(m_realFilePath))
        return -1;
    QByteArray bytes;
    if (!veltra::fs::readFile(m_realFilePath, bytes))
        return -2;
    // The encoding is the whole file's: the header alone may not tell. Only
    // the header is decoded (CR and LF are never part of a CP932 or UTF-8
    // character, so it ends at the first of them either way).
    qsizetype end = bytes.size();
    for (const char eol : {'\r', '\n'}) {
        const qsizetype at = bytes.indexOf(eol);
        if (at >= 0 && at < end)
            end = at;
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray header = bytes.left(end);
    if (bom)
        line = QString::fromUtf8(header.mid(3));
    else if (veltra::text::readsAsUtf8(bytes))
        line = QString::fromUtf8(header);
    else
        line = veltra::text::decodeCp932(header);
    return 0;
}

bool clsList::WriteEntries(int index)
{
    // The keys are written in one rewrite of the file: the checks of the area
    // unit and the item group read the file as it was before, which is what
    // key-by-key writing shows them too, unless the area unit's section is one
    // of the sections written before those checks; only then are the keys
    // written one at a time.
    const QString kinds = itemListKindSection();
    const bool batch = [&] {
        for (const QString &earlier : {itemListTitleSection(), itemListYearSection(), kinds}) {
            if (m_areaUnit.compare(earlier, Qt::CaseInsensitive) == 0)
                return false;
        }
        return true;
    }();
    std::vector<profile::KeyWrite> writes;
    bool ok = true;
    const auto put = [&](const QString &section, const QString &key, const QString &value) {
        if (batch)
            writes.push_back({section, key, value});
        else
            ok = ok && write(section, key, value, index);
    };

    put(itemListTitleSection(), entryKey(1), m_title);
    put(itemListYearSection(), entryKey(1), m_surveyYear);
    if (ok && !HasEntry(kinds, m_areaUnit, index))
        put(kinds, entryKey(CountEntries(kinds, index) + 1), m_areaUnit);
    if (ok && !HasEntry(m_areaUnit, m_itemGroup, index))
        put(m_areaUnit, entryKey(CountEntries(m_areaUnit, index) + 1), m_itemGroup);
    put(m_areaUnit, itemListPathKey(), m_folderValues.at(index));

    // No header, no items: the group is listed without them.
    QString header;
    if (ok && ReadValueHeader(header) == 0) {
        const QStringList fields = header.split(QLatin1Char(','));
        for (int i = 1; i < fields.size(); ++i)
            put(m_itemGroup, entryKey(i),
                index == 0 ? fields.at(i) + QLatin1Char(',') + fields.at(i) : fields.at(i));
    }
    if (batch)
        ok = profile::writeStrings(writes, m_listFiles.at(index));
    return ok;
}

int32_t clsList::AddData()
{
    if (!m_valid)
        return -1;
    for (int index = 0; index < 2; ++index) {
        if (!ComDirectory::CreateFolderTree(folderOf(m_listFiles.at(index))))
            return -1;
        if (!WriteEntries(index))
            return -1;
    }
    return 0;
}

int32_t clsList::ClearEntries(int index)
{
    const QStringList units{areaUnitPref(), areaUnitCity(), areaUnitTown()};
    bool usedElsewhere = false;
    for (const QString &unit : units) {
        const QStringList list = entries(unit, index);
        if (unit != m_areaUnit) {
            usedElsewhere = usedElsewhere || list.contains(m_itemGroup);
            continue;
        }
        // The remaining item groups are renumbered from Entry1 so that the
        // list has no gap; the freed keys are emptied and compacted away.
        QStringList remaining = list;
        remaining.removeAll(m_itemGroup);
        if (remaining.size() != list.size()) {
            for (int k = 0; k < list.size(); ++k) {
                const QString value = k < remaining.size() ? remaining.at(k) : QString();
                if (value != list.at(k) && !write(unit, entryKey(k + 1), value, index))
                    return -1;
            }
        }
        if (remaining.isEmpty() && !write(unit, itemListPathKey(), QString(), index))
            return -1;
    }
    if (!usedElsewhere) {
        const int32_t m = CountEntries(m_itemGroup, index);
        for (int k = 1; k <= m; ++k) {
            if (!write(m_itemGroup, entryKey(k), QString(), index))
                return -1;
        }
    }
    return CompactFile(index);
}

int32_t clsList::CompactFile(int index)
{
    QStringList lines;
    const int32_t count = ComFile::ReadAllLines(m_listFiles.at(index), lines);
    if (count < 0)
        return -1;
    if (count == 0)
        return 0;

    // From the bottom up: a key with an empty value goes; a section goes when
    // no line below it (up to the next section) stayed.
    QStringList kept;
    int keptBelow = 0;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString trimmed = lines.at(i).trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            if (keptBelow > 0)
                kept.prepend(lines.at(i));
            keptBelow = 0;
        } else if (trimmed.endsWith(QLatin1Char('='))) {
            continue;
        } else {
            kept.prepend(lines.at(i));
            ++keptBelow;
        }
    }
    if (kept.size() == lines.size())
        return 0;
    const int16_t written = ComFile::WriteAllLines(m_listFiles.at(index), kept, true);
    profile::clearCache();
    return written == 0 ? 0 : -1;
}

int32_t clsList::DeleteListFile(int index)
{
    return ComDirectory::DeleteFile(m_listFiles.at(index)) ? 0 : -1;
}

int32_t clsList::RemoveData()
{
    if (!m_valid)
        return -1;
    if (ComDirectory::GetSubFolderCount(m_folderValues[0]) == 0
        && !ComDirectory::DeleteFolder(m_folderValues[0]))
        return -1;

    if (ComDirectory::GetSubFolderCount(m_statFolder) > 0) {
        // Value files of other prefectures still in the group's folder keep
        // the group listed.
        if (ComDirectory::IsFolderExist(m_itemGroupFolder))
            return 0;
        for (int index = 0; index < 2; ++index) {
            if (ClearEntries(index) < 0)
                return -1;
        }
        return 0;
    }
    if (!ComDirectory::DeleteFolder(m_statFolder))
        return -1;
    for (int index = 0; index < 2; ++index) {
        if (DeleteListFile(index) < 0)
            return -1;
    }
    return 0;
}

bool clsList::IsIdenticalSection(const QString &sHeader)
{
    if (!m_valid || sHeader.isEmpty())
        return false;
    QStringList listed = entries(m_itemGroup, 0);
    if (listed.isEmpty())
        return false;
    const QStringList fields = sHeader.split(QLatin1Char(','));
    QStringList wanted;
    for (int i = 1; i < fields.size(); ++i)
        wanted << fields.at(i) + QLatin1Char(',') + fields.at(i);
    if (wanted.size() != listed.size())
        return false;
    std::sort(wanted.begin(), wanted.end());
    std::sort(listed.begin(), listed.end());
    return wanted == listed;
}
