// The checks frmRequisite makes before it accepts a template: its item-list
// files must be found (the user is asked for each one that is not), and each
// of them must name existing data folders.
#include "statdataui/frmrequisite.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/modfiledlg.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace {

QString calcSection(int k)
{
    return QStringLiteral("Calc") + QString::number(k);
}

QString fileKey(int g)
{
    return QStringLiteral("File") + QString::number(g);
}

QString read(const QString &section, const QString &key, const QString &file)
{
    QString value;
    mdlCommon::ReadIniString(section, key, value, file);
    return value;
}

// A count key as a whole number; nothing when it is no number.
std::optional<int> count(const QString &section, const QString &key, const QString &file)
{
    const auto number = veltra::vb::toNumber(read(section, key, file));
    if (!number)
        return std::nullopt;
    try {
        return veltra::vb::cLng(*number);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

// Calls visit(k, g, value) for File<g> of every field whose Cnt is a number;
// false when FieldCnt is no number, or (with `strict`) when a Cnt is none.
template<typename Visit>
bool forEachFileKey(const QString &templateFile, bool strict, Visit visit)
{
    if (!count(QStringLiteral("Subject"), QStringLiteral("FieldCnt"), templateFile))
        return false;
    const int fields = ComCaldoraTable::GetFieldCnt(templateFile);
    for (int k = 1; k <= fields; ++k) {
        const auto pieces = count(calcSection(k), QStringLiteral("Cnt"), templateFile);
        if (!pieces) {
            if (strict)
                return false;
            continue;
        }
        for (int g = 1; g <= *pieces; ++g) {
            if (!visit(k, g, read(calcSection(k), fileKey(g), templateFile)))
                return true;
        }
    }
    return true;
}

// The item-list file a template names, as this data folder holds it; the
// name itself when it is found nowhere.
QString locate(const QString &name)
{
    const QString found = veltra::statdata::resolveItemListFile(name, gstrDataPath);
    return found.isEmpty() ? name : found;
}

} // namespace

bool frmRequisite::CheckItemListFiles(const QString &templateFile)
{
    QStringList names;
    const bool readable = forEachFileKey(templateFile, true, [&names](int, int, const QString &value) {
        const QString name = value.trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
        return true;
    });
    if (!readable)
        return false;
    for (const QString &name : names) {
        if (!veltra::statdata::resolveItemListFile(name, gstrDataPath).isEmpty())
            continue;
        veltra::ui::MsgBox(QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙに記載されている国勢調査項目一覧ﾌｧｲﾙ：\r\n") + name
                + QStringLiteral("\r\n は、指定されたﾊﾟｽにありませんでした。\r\n"
                                 "国勢調査項目一覧ﾌｧｲﾙのありかを指定してください。"),
            veltra::ui::vbExclamation);
        // The dialog starts where the list was, or among the data folder's
        // item lists when that folder is gone too.
        const QString folder = veltra::statdata::folderOf(name);
        const QString start = !folder.isEmpty() && veltra::fs::folderExists(folder)
            ? folder
            : gstrDataPath + QStringLiteral("etc/");
        const QString chosen = modFileDlg::ShowOpenDialog(this, QStringLiteral("ファイルを開く"),
            QStringLiteral("国勢調査項目一覧ﾌｧｲﾙ(*.txt)|*.txt"), 1, start,
            name.mid(std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1), QString());
        if (!chosen.trimmed().isEmpty())
            ReplaceListFile(templateFile, name, chosen);
    }
    return true;
}

bool frmRequisite::ReplaceListFile(const QString &templateFile, const QString &oldName, const QString &newPath)
{
    if (newPath.isEmpty() || !veltra::fs::fileExists(newPath))
        return false;
    std::vector<veltra::profile::KeyWrite> writes;
    forEachFileKey(templateFile, false, [&](int k, int g, const QString &value) {
        if (value == oldName)
            writes.push_back({calcSection(k), fileKey(g), newPath});
        return true;
    });
    // One write, so that a failure leaves every reference as it was.
    return writes.empty() || veltra::profile::writeStrings(writes, templateFile);
}

bool frmRequisite::CheckDataFolders(const QString &templateFile)
{
    if (templateFile.isEmpty())
        return true;
    bool passed = true;
    forEachFileKey(templateFile, false, [&passed](int, int, const QString &value) {
        const QString name = value.trimmed();
        if (!name.isEmpty())
            passed = ComCaldoraTable::CheckItemListFolders(locate(name));
        return passed;
    });
    return passed;
}
