#pragma once
// The registration and deletion of one set of user statistics, as the
// registration window runs them: the values it derives from its inputs, the
// input checks, and the two pipelines over the data-file classes (value file
// clsRealData, item list clsList, FileIndex.txt clsIndex, town record index
// clsTownIndex, year file clsYear, register clsAddInfo). No message box is
// shown here: every result is the one text the window shows, "" for success.
//
// The value file of a registration is
//   <data folder>etc\<era prefix><title>\<area unit>\<item group>\<CSV title>.txt
// where the era prefix is the era letter and year of the period's start
// (H12 for 2000/10/01); the classes take the statistics name, the area unit
// and the group back from this path.
//
// A registration or a deletion is all or nothing, even when the program is
// killed in the middle of it. Before its first step every file the pipeline
// will change (value file, item list and its etc2 copy, FileIndex.txt, town
// record index, year file and its copy, register) is kept in the etc
// folder's registration journal (RegistrationJournal); a failing step undoes
// the completed ones (the new files deleted, the kept ones put back, the
// folders made on the way removed) before its message is given, and a run
// that was killed is undone by the next RegistrationJournal::recover() of
// the etc folder (the window does it when it loads; every run does it
// first). So no value file can remain that the register does not list, and a
// retry starts from the old state.
// A deletion counts a target that is already gone as deleted (a value file
// removed by hand, an index that no longer lists it), so every listed
// registration can be deleted.
//
// Common use (the window's "登録"):
//   if (checkZenkakuText(title) != 0) refuse;  if (!isUsableTitle(title)) refuse;
//   UserDataTarget t = makeUserDataTarget(dataFolder, period, title, kind, group, prefEntry, csv);
//   (conflict check with clsAddInfo, then)
//   const QString message = runAddPipeline(t, alreadyMode, registerPath);
#include "statdata/clsbaseyear.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace veltra::statdata {

// The area units, in the order the window offers them.
inline const QString kUnitPrefecture = QStringLiteral("都道府県");
inline const QString kUnitMunicipality = QStringLiteral("市区町村");
inline const QString kUnitTownBlock = QStringLiteral("町丁字");

// The seven census periods a registration can belong to, newest first:
// 2000/10/01-2100/09/30, then five-year periods back to 1970/10/01-1975/09/30.
std::vector<clsBaseYear> userDataPeriods();

// "01 北海道" ... "47 沖縄県", in code order.
QStringList prefectureEntries();

// 0 when the text has 1 to 8 characters and every one takes two CP932 bytes;
// -1 for an empty text or more than 8 characters; -2 when the length is right
// but some character is single-byte or not in CP932.
int16_t checkZenkakuText(const QString &text);

// False for the statistics names the shipped data uses.
bool isUsableTitle(const QString &title);

// The era letter and year of a "yyyy/mm/dd" date (H12 for 2000/10/01): the
// short era form up to its ".", or the whole form when it holds none.
QString eraPrefix(const QString &startYear);

// <data folder>etc\<era prefix><title>\<area unit>\<item group>\ .
QString userDataFolderPath(const QString &dataFolder, const QString &startYear, const QString &title,
    const QString &areaUnit, const QString &group);

// The CSV's name after its last separator, without the part from its last
// "."; a name without a dot is taken whole.
QString selectedFileTitle(const QString &csvPath);

// What a registration passes to the data-file classes.
struct UserDataTarget
{
    QString selectedFilePath; // the CSV
    QString realFilePath; // the value file
    QString startYear; // yyyy/mm/dd
    QString endYear;
    QString areaUnit;
    QString prefNum; // "00" for prefecture data, else "01".."47"
};

// The registration values of the window's inputs; `prefectureEntry` is one
// of prefectureEntries() (ignored for prefecture data).
UserDataTarget makeUserDataTarget(const QString &dataFolder, const clsBaseYear &period, const QString &title,
    const QString &areaUnit, const QString &group, const QString &prefectureEntry, const QString &csvPath);

// The steps of a registration, in their order.
enum class AddStep {
    Backup = 0, // the copies of every file the steps will change
    ValueFile = 1,
    ItemList = 2,
    FileIndex = 3, // municipality and town-block data only
    TownIndex = 4, // town-block data only
    Year = 5,
    Register = 6,
};

// Registers the CSV. `alreadyMode` true refuses to replace an existing value
// file (a new registration); false replaces it (the same registration again).
// "" on success; otherwise the message of the failing step, with every file
// as it was before the call.
QString runAddPipeline(const UserDataTarget &target, bool alreadyMode, const QString &addInfoPath);

// Deletes the registration of one register line: value file, town record
// index (town blocks), FileIndex.txt line (not prefecture data), item-list
// entries, year line, register line. "" on success; otherwise the message of
// the failing step, with every file as it was before the call.
QString runDeletePipeline(const QString &registerLine, const QString &addInfoPath);

// Hooks of the registration and deletion pipelines for tests and
// benchmarks: `stepDone` runs after each step that succeeded; `failAfter`
// runs after each step and makes it fail when it returns true (a fault that
// file permissions cannot make for root). Each step done is also reported to
// RegistrationJournal::step() under the name of its file ("value file",
// "item list", "file index", "town index", "year file", "register").
struct AddPipelineHooks
{
    std::function<void(AddStep)> stepDone;
    std::function<bool(AddStep)> failAfter;
};
void setAddPipelineHooks(AddPipelineHooks hooks);

} // namespace veltra::statdata
