#include "statdata/calctemplateregistration.h"

#include "platform/analyzer/analyzerengine.h"
#include "platform/fs/fs.h"
#include "statdata/calctemplate.h"
#include "statdata/calctemplatemodel.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/globals.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace veltra::statdata {

namespace {

const QString kNameIntro = QStringLiteral("計算式ﾌｧｲﾙ名称を用いてﾌｧｲﾙを作成します。\n");
const QString kSyntaxError = QStringLiteral("構文に間違いがあります！");
const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
// A Windows path holds 255 bytes: the folder, "\", the name, ".cal" and room
// the program keeps for itself.
constexpr int kPathBytes = 255;
constexpr int kReservedBytes = 1 + 4 + 16;
// A Linux file name holds 255 bytes (UTF-8).
constexpr int kFileNameBytes = 255;
const QString kExtension = QStringLiteral(".cal");

CalcRegistrationResult refused(const QString &message, bool focusName = false)
{
    CalcRegistrationResult result;
    result.message = message;
    result.focusName = focusName;
    return result;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString first = QFileInfo(fs::resolve(a)).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(fs::resolve(b)).canonicalFilePath();
}

} // namespace

QString calcTemplateNameRefusal(const QString &name, const QString &folder)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return kNameIntro + QStringLiteral("ﾌｧｲﾙ名には、空欄は使用できません。\n");
    if (std::any_of(
            kForbidden.begin(), kForbidden.end(), [&trimmed](QChar c) { return trimmed.contains(c); })) {
        QStringList listed;
        for (const QChar c : kForbidden)
            listed << QString(c);
        return kNameIntro + QStringLiteral("ﾌｧｲﾙ名には、") + listed.join(QStringLiteral("、"))
            + QStringLiteral("\nを使用できません。");
    }
    const int folderBytes = ComCaldoraTable::GetByteLength(folder);
    const bool tooLongForPath
        = folderBytes + ComCaldoraTable::GetByteLength(trimmed) + kReservedBytes > kPathBytes;
    const bool tooLongForName = (name + kExtension).toUtf8().size() > kFileNameBytes;
    if (tooLongForPath || tooLongForName) {
        const int longest = std::max(
            0, std::min(kPathBytes - kReservedBytes - folderBytes, kFileNameBytes - int(kExtension.size())));
        return kNameIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で") + QString::number(longest)
            + QStringLiteral("文字までしか使用できません。\n");
    }
    return {};
}

CalcRegistrationResult registerCalcTemplate(
    const CalcTemplateModel &model, const CalcRegistration &request, analyzer::AnalyzerEngine &engine)
{
    if (const QString refusal = calcTemplateNameRefusal(request.name, request.folder); !refusal.isEmpty())
        return refused(refusal, true);

    const std::vector<int> columns = model.fieldsHoldingTokens();
    if (columns.empty())
        return refused(QStringLiteral("いづれかのﾌｨｰﾙﾄﾞ名称が記載されていません。"));
    for (const int column : columns) {
        if (model.fieldName(column + 1).trimmed().isEmpty())
            return refused(QString::number(columns.size())
                + QStringLiteral("ﾌｨｰﾙﾄﾞ中、いづれかのﾌｨｰﾙﾄﾞ名称が記載されていません。"));
    }
    const auto &operators = calcOperators();
    bool hasOperator = false;
    for (int r = 1; r < model.tokenRows() && !hasOperator; ++r) {
        const QString cell = model.token(r).trimmed();
        hasOperator = std::find(operators.begin(), operators.end() - 1, cell) != operators.end() - 1;
    }
    if (!hasOperator)
        return refused(QStringLiteral("計算項目が記載されていません。"));
    // What is shown is what is written, so a failing expression is not
    // written at all.
    if (!engine.CheckSyntax(model.expression())) {
        engine.Clear();
        return refused(kSyntaxError);
    }

    CalcRegistrationResult result;
    result.path = request.folder + QStringLiteral("\\") + request.name + kExtension;
    CalcTemplate tmpl;
    tmpl.comment = request.explanation;
    tmpl.areaType = request.areaType;
    tmpl.areaSpace = request.areaSpace;
    tmpl.areaClosedCnect = request.areaClosedCnect;
    tmpl.areaRepresentCnect = request.areaRepresentCnect;
    for (const int column : columns) {
        CalcField field;
        field.name = model.fieldName(column + 1);
        model.storedTokens(column, field.tokens, field.files);
        tmpl.fields.push_back(std::move(field));
    }
    QString error;
    if (!writeCalcTemplate(result.path, tmpl, &error)) {
        // The old template stays: nothing replaces it.
        engine.Clear();
        result.message = error;
        return result;
    }
    result.written = true;

    // A modified template saved under another name leaves only the new file.
    // Names that reach the same file (another spelling of the folder, a case
    // change the file system resolved) delete nothing.
    const QString old = request.openedPath;
    if (!old.trimmed().isEmpty() && old != result.path && !sameFile(old, result.path)) {
        const QString oldFile = fs::resolve(old);
        if (QFileInfo::exists(oldFile) && !QFile::remove(oldFile)) {
            engine.Clear();
            result.message = kSyntaxError;
            return result;
        }
    }
    gstrCalcTemplateFile = result.path;

    const int32_t fields = ComCaldoraTable::GetFieldCnt(gstrCalcTemplateFile);
    if (fields < 1) {
        engine.Clear();
        result.message = QStringLiteral("指定したﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙには、表記するﾌｨｰﾙﾄﾞがありません！");
        return result;
    }
    for (int32_t k = 1; k <= fields; ++k) {
        if (!engine.CheckSyntax(ComCaldoraNeo::GetCalcExpression(gstrCalcTemplateFile, k))) {
            engine.Clear();
            result.message = kSyntaxError;
            return result;
        }
    }
    engine.Clear();
    result.registered = true;
    return result;
}

} // namespace veltra::statdata
