#pragma once
// A temporary program folder for the user-data registration window: the
// data folder VeltraData with one shipped statistics in its etc\ tree, the
// input-form folder for CSV files, and the register beside the program. The
// window runs through the modal hook: `user` plays the registration window,
// `listUser` every list dialog it opens.
#include "platform/ui/windowregistry.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdata/clsaddinfo.h"
#include "statdata/statdatatesthelpers.h"
#include "statdataui/comg_add.h"
#include "statdataui/frmaddedlist.h"
#include "statdataui/frmg_add.h"

#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <gtest/gtest.h>

namespace veltra::test {

class UserDataFolder
{
public:
    UserDataFolder()
    {
        clsAddInfo::setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7)); });
        veltra::shell::setProgramFolder(tmp.path());
        data = tmp.path() + QStringLiteral("VeltraData/");
        etc = data + QStringLiteral("etc/");
        forms = data + QStringLiteral("追加用エクセルファイル/");
        addInfo = tmp.path() + QStringLiteral("add_inf.txt");
        gstrAddDataPath = data;
        writeTextFile(
            etc + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt"), {QStringLiteral("S45国勢,19701001,19750930")});
        writeTextFile(
            etc + QStringLiteral("etc2/統計ﾃﾞｰﾀ年度管理.txt"), {QStringLiteral("S45国勢,19701001,19750930")});
        writeTextFile(etc + QStringLiteral("S45国勢.txt"),
            {QStringLiteral("[統計内容]"), QStringLiteral("Entry1=国勢")});
        writeTextFile(etc + QStringLiteral("S45国勢/都道府県/人口/pref.txt"),
            {QStringLiteral("ｺｰﾄﾞ,人口"), QStringLiteral("13,1")});
        QDir().mkpath(forms);
    }
    ~UserDataFolder()
    {
        clsAddInfo::setClock(nullptr);
        veltra::shell::setProgramFolder(QString());
        gstrAddDataPath.clear();
    }

    // A CSV in the input-form folder.
    QString csv(const QString &name, const QStringList &lines) const
    {
        writeTextFile(forms + name, lines);
        return forms + name;
    }

    // The register's lines after its header.
    std::vector<QString> registered() const
    {
        clsAddInfo info;
        info.setAddInfoFilePath(addInfo);
        std::vector<QString> lines;
        info.CreateAddedDataList(lines);
        return lines;
    }

    // Every file of the etc tree and the register.
    std::map<QString, QByteArray> state() const
    {
        auto out = snapshot(etc);
        if (QFile::exists(addInfo))
            out[QStringLiteral("<add_inf.txt>")] = readBytes(addInfo);
        return out;
    }

    TempDir tmp;
    QString data, etc, forms, addInfo;
};

// The window's inputs.
struct Inputs
{
    QString title;
    QString group;
    QString unit = QStringLiteral("市区町村");
    QString pref = QStringLiteral("13 東京都");
    QString file;
    int period = 0;
};

inline void fill(frmG_add &w, const Inputs &in)
{
    w.txtDataTitle->setText(in.title);
    w.txtDataName->setText(in.group);
    w.cmbStart->setCurrentIndex(in.period);
    w.cmbDataKind->setCurrentText(in.unit);
    w.cmbPrefName->setCurrentText(in.pref);
    w.txtDataFileName->setText(in.file);
}

// Runs the registration window; the hook plays it and its list dialogs.
inline void runWindow(std::function<void(frmG_add &)> user, std::function<void(frmAddedList &)> listUser = {},
    int *listsShown = nullptr)
{
    frmG_add window;
    veltra::shell::ScopedModalHook hook([&](QDialog &dialog) {
        if (&dialog == &window) {
            user(window);
        } else if (auto *list = dynamic_cast<frmAddedList *>(&dialog)) {
            if (listsShown)
                ++*listsShown;
            if (listUser)
                listUser(*list);
        }
    });
    window.Show();
}

} // namespace veltra::test
