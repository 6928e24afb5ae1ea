// Data references, template expressions and the evaluation of one template
// field for one area.
#include "platform/fs/filestamp.h"
#include "platform/profile/profile.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/messages.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"

#include <mutex>

namespace {

std::mutex calculationMutex;
veltra::statdata::AreaCalculation areaCalculation;

veltra::statdata::AreaCalculation currentCalculation()
{
    std::lock_guard lock(calculationMutex);
    return areaCalculation;
}

} // namespace

namespace veltra::statdata {

void setAreaCalculation(AreaCalculation calculation)
{
    std::lock_guard lock(calculationMutex);
    areaCalculation = std::move(calculation);
}

QString calcVariablesRefusal(const std::vector<QString> &variables)
{
    for (const QString &variable : variables) {
        if (!variable.startsWith(u'{') || !variable.contains(u':'))
            continue;
        QString left;
        QString right;
        ComCaldoraNeo::SplitRangeEntry(variable, left, right);
        std::array<QString, 3> leftParts;
        std::array<QString, 3> rightParts;
        ComCaldoraNeo::SplitEntryData(left, leftParts);
        ComCaldoraNeo::SplitEntryData(right, rightParts);
        const QString infoPoint = QStringLiteral("情報点");
        if (leftParts[0] == infoPoint || rightParts[0] == infoPoint)
            return QStringLiteral("情報点の項目に対してSUMの演算はできません｡ ");
        if (leftParts[0] != rightParts[0] || leftParts[1] != rightParts[1])
            return left + QStringLiteral("と") + u'\r' + right + QStringLiteral("は、") + u'\r'
                + QStringLiteral("同一ﾌｧｲﾙになければなりません｡ ");
    }
    return {};
}

} // namespace veltra::statdata

namespace ComCaldoraNeo {

int16_t SplitEntryData(const QString &reference, std::array<QString, 3> &parts)
{
    parts = {QString(), QString(), QString()};
    if (reference.size() <= 8) // no longer than "{[][][]}"
        return 0;
    const QString separator = QStringLiteral("][");
    QString rest;
    const qsizetype first = reference.indexOf(separator);
    if (first < 0) {
        parts[0] = reference;
    } else {
        parts[0] = reference.left(first);
        rest = reference.mid(first + 2);
        const qsizetype second = rest.indexOf(separator);
        if (second < 0) {
            parts[1] = rest;
        } else {
            parts[1] = rest.left(second);
            parts[2] = rest.mid(second + 2);
        }
    }
    if (parts[0].startsWith(QStringLiteral("{[")))
        parts[0] = parts[0].mid(2);
    const qsizetype close = parts[2].indexOf(QStringLiteral("]}"));
    if (close >= 0 && close == parts[2].size() - 2)
        parts[2].chop(2);
    int16_t count = 0;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            ++count;
    }
    return count;
}

bool SplitRangeEntry(const QString &text, QString &left, QString &right)
{
    left.clear();
    right.clear();
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return false;
    left = text.left(colon);
    right = text.mid(colon + 1);
    return true;
}

int16_t GetAreaLevel(const QString &reference)
{
    std::array<QString, 3> parts;
    SplitEntryData(reference, parts);
    if (parts[0] == veltra::statdata::areaUnitCity())
        return 2;
    if (parts[0] == veltra::statdata::areaUnitTown())
        return 3;
    return 0;
}

QString GetCalcExpression(const QString &templateFile, int32_t k)
{
    const QString section = QStringLiteral("Calc") + QString::number(k);
    QString countText;
    mdlCommon::ReadIniString(section, QStringLiteral("Cnt"), countText, templateFile);
    const auto count = veltra::vb::toNumber(countText);
    if (!count || *count < 0)
        return {};
    int32_t pieces = 0;
    try {
        pieces = veltra::vb::cLng(*count);
    } catch (const std::exception &) {
        return {};
    }
    // The pieces Data1 ... Data<Cnt> in order, a missing one adding nothing.
    // Only the keys the section has are read: a damaged Cnt (up to 2^31 - 1)
    // must not make billions of lookups.
    QString expression;
    for (const int i : veltra::statdata::presentNumbers(
             veltra::profile::keyNames(section, templateFile), QLatin1StringView("Data"), pieces)) {
        QString piece;
        mdlCommon::ReadIniString(section, QStringLiteral("Data") + QString::number(i), piece, templateFile);
        expression += piece;
    }
    return expression;
}

bool CheckCalcVariables(const std::vector<QString> &variables)
{
    const QString refusal = veltra::statdata::calcVariablesRefusal(variables);
    if (refusal.isEmpty())
        return true;
    veltra::statdata::showMessage(refusal, veltra::statdata::MessageExclamation);
    return false;
}

double CalcAreaValue(const QString &areaCode, int32_t n, int32_t count, const std::vector<QString> &variables,
    const std::vector<QString> &itemListFiles, int32_t &status)
{
    // One evaluation reads the item list, the file indexes and the value
    // files several times each: each file is checked on disk once.
    const veltra::fs::StampCheckScope stampCheck;
    std::vector<double> values(std::size_t(std::max(count, 0)) + 1, 0.0);
    // The value files are per prefecture: a code without a prefecture number
    // names no file.
    const QString prefecturePiece = areaCode.left(2);
    const bool prefectureOk = veltra::statdata::isDigits(prefecturePiece);
    const int32_t prefecture = prefecturePiece.toInt();
    for (int32_t i = 1; i <= count; ++i) {
        const QString variable = std::size_t(i) < variables.size() ? variables[std::size_t(i)] : QString();
        const QString itemList
            = std::size_t(i) < itemListFiles.size() ? itemListFiles[std::size_t(i)] : QString();
        QString left;
        QString right;
        const bool range = SplitRangeEntry(variable, left, right);
        const QString reference = range ? left : variable;
        const int32_t firstColumn = ComCaldoraTable::GetEntryIndex(itemList, reference);
        const int32_t lastColumn = range ? ComCaldoraTable::GetEntryIndex(itemList, right) : 0;
        const QString folder = ComCaldoraTable::GetValueFolder(itemList, reference);
        const int16_t level = GetAreaLevel(reference);
        if (!prefectureOk) {
            status = 2;
            return 0;
        }
        const QString valueFile = GetDataFileName(prefecture, folder, level);
        values[std::size_t(i)]
            = ReadAreaValue(valueFile, areaCode, n, level, firstColumn, lastColumn, range, status);
        if (status != 0)
            return 0;
    }
    const veltra::statdata::AreaCalculation calculation = currentCalculation();
    if (!calculation)
        return 0;
    try {
        QVariant result;
        if (!calculation(result, values))
            return 0;
        bool ok = false;
        const double value = result.toDouble(&ok);
        return ok ? value : 0;
    } catch (const std::exception &) {
        return 0;
    }
}

} // namespace ComCaldoraNeo
