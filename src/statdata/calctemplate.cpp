#include "statdata/calctemplate.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <QFileInfo>
#include <exception>
#include <set>

namespace veltra::statdata {

namespace {

const QString kComment = QStringLiteral("Comment");
const QString kSubject = QStringLiteral("Subject");

QString calcSection(int k)
{
    return QStringLiteral("Calc") + QString::number(k);
}

QString read(const QString &section, const QString &key, const QString &path)
{
    QString value;
    mdlCommon::ReadIniString(section, key, value, path);
    return value;
}

// Cnt of a field: nothing when missing, empty, no number or negative.
int tokenCount(const QString &path, int k)
{
    const auto count = vb::toNumber(read(calcSection(k), QStringLiteral("Cnt"), path));
    if (!count || *count < 0)
        return 0;
    try {
        return vb::cLng(*count);
    } catch (const std::exception &) {
        return 0;
    }
}

// The template folder of an area level; "" for an unknown level.
QString levelFolderName(std::int16_t anaRange)
{
    switch (anaRange) {
    case 0:
    case 1:
        return areaUnitPref();
    case 2:
        return areaUnitCity();
    case 3:
        return areaUnitTown();
    default:
        return {};
    }
}

} // namespace

QString calcTemplateFolder(const QString &dataFolder, std::int16_t anaRange)
{
    const QString level = levelFolderName(anaRange);
    if (level.isEmpty())
        return {};
    return dataFolder + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ\\") + level;
}

bool isLevelFolder(const QString &folder, std::int16_t anaRange)
{
    const QString level = levelFolderName(anaRange);
    return level.isEmpty() || splitPath(folder).contains(level);
}

bool writeCalcTemplate(const QString &path, const CalcTemplate &tmpl, QString *error)
{
    // No part of the program makes the template folders.
    const QString folder = QFileInfo(fs::resolve(path)).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (error)
            *error = QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄのフォルダがありません: ") + folder;
        return false;
    }
    std::vector<profile::KeyWrite> writes;
    const auto add = [&writes](const QString &section, const QString &key, const QString &value) {
        writes.push_back({section, key, value});
    };
    const QStringList lines
        = QString(tmpl.comment).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    add(kComment, QStringLiteral("Data"), lines.value(0));
    for (qsizetype i = 1; i < lines.size(); ++i)
        add(kComment, QStringLiteral("Data") + QString::number(i + 1), lines[i]);
    add(kSubject, QStringLiteral("AreaType"), QString::number(tmpl.areaType));
    add(kSubject, QStringLiteral("AreaSpace"), QString::number(tmpl.areaSpace));
    add(kSubject, QStringLiteral("AreaClosedCnect"), QString::number(tmpl.areaClosedCnect));
    add(kSubject, QStringLiteral("AreaRepresentCnect"), QString::number(tmpl.areaRepresentCnect));
    int written = 0;
    for (const CalcField &field : tmpl.fields) {
        if (!field.tokens.empty())
            ++written;
    }
    add(kSubject, QStringLiteral("FieldCnt"), QString::number(written));
    int k = 0;
    for (const CalcField &field : tmpl.fields) {
        if (field.tokens.empty())
            continue;
        const QString section = calcSection(++k);
        add(section, QStringLiteral("Cnt"), QString::number(field.tokens.size()));
        add(section, QStringLiteral("Name"), field.name);
        for (std::size_t g = 0; g < field.tokens.size(); ++g) {
            const QString n = QString::number(g + 1);
            add(section, QStringLiteral("Data") + n, field.tokens[g]);
            add(section, QStringLiteral("File") + n, g < field.files.size() ? field.files[g] : QString());
        }
    }
    if (!profile::writeStrings(writes, path, error))
        return false;
    // Lines of a longer earlier explanation would join the new one.
    for (const QString &key : profile::keyNames(kComment, path)) {
        bool numbered = false;
        const int n = key.mid(4).toInt(&numbered);
        if (key.startsWith(QLatin1String("Data"), Qt::CaseInsensitive) && numbered && n > lines.size()
            && !profile::writeString(kComment, key, std::nullopt, path, error))
            return false;
    }
    return true;
}

CalcTemplate readCalcTemplate(const QString &path, const QString &dataFolder)
{
    CalcTemplate tmpl;
    tmpl.comment = readCalcComment(path);
    const auto number = [&path](const char *key) {
        return static_cast<std::int16_t>(vb::val(read(kSubject, QString::fromLatin1(key), path)));
    };
    tmpl.areaType = number("AreaType");
    tmpl.areaSpace = number("AreaSpace");
    tmpl.areaClosedCnect = number("AreaClosedCnect");
    tmpl.areaRepresentCnect = number("AreaRepresentCnect");
    // Only the sections and keys the file has are read: a damaged FieldCnt or
    // Cnt (up to 2^31 - 1) must not make billions of lookups or tokens.
    const std::vector<int> sections
        = presentNumbers(profile::sectionNames(path), QLatin1StringView("Calc"), ComCaldoraTable::GetFieldCnt(path));
    for (const int k : sections) {
        CalcField field;
        const QString section = calcSection(k);
        field.name = read(section, QStringLiteral("Name"), path);
        const std::vector<int> keys
            = presentNumbers(profile::keyNames(section, path), QLatin1StringView("Data"), tokenCount(path, k));
        for (const int g : keys) {
            const QString n = QString::number(g);
            field.tokens.push_back(read(section, QStringLiteral("Data") + n, path));
            QString file = read(section, QStringLiteral("File") + n, path).trimmed();
            if (!file.isEmpty() && !dataFolder.isEmpty()) {
                const QString found = resolveItemListFile(file, dataFolder);
                if (!found.isEmpty())
                    file = found;
            }
            field.files.push_back(file);
        }
        tmpl.fields.push_back(std::move(field));
    }
    return tmpl;
}

std::vector<int> presentNumbers(const QStringList &names, QLatin1StringView prefix, int limit)
{
    std::set<int> found;
    for (const QString &name : names) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString digits = name.mid(prefix.size());
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (ok && n >= 1 && n <= limit && digits == QString::number(n))
            found.insert(n);
    }
    return {found.begin(), found.end()};
}

QString readCalcComment(const QString &path)
{
    QStringList lines{read(kComment, QStringLiteral("Data"), path)};
    for (int i = 2;; ++i) {
        QString line;
        // A key that is present but empty still continues the text.
        if (!profile::hasKey(kComment, QStringLiteral("Data") + QString::number(i), path))
            break;
        mdlCommon::ReadIniString(kComment, QStringLiteral("Data") + QString::number(i), line, path);
        lines << line;
    }
    return lines.join(u'\n');
}

} // namespace veltra::statdata
