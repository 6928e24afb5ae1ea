#include "statwindow/statareacalculation.h"

#include "platform/fs/filestamp.h"
#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/areacalculationbinder.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"
#include "statwindow/globals.h"

#include <array>
#include <cmath>

namespace veltra::statwindow {

namespace {

void warn(const char16_t *text)
{
    ui::MsgBox(QString::fromUtf16(text), ui::vbOKOnly | ui::vbExclamation);
}

// How many characters of an AreaCode identify the record at the level.
std::int32_t codeCharacters(std::int32_t anaRange, const StatArea &area)
{
    switch (anaRange) {
    case 0:
    case 1:
        return 2;
    case 2:
        return area.CityCode <= 999 ? 5 : 7;
    case 3:
        return 11;
    default:
        return 0;
    }
}

} // namespace

StatAreaCalculation::StatAreaCalculation(analyzer::AnalyzerEngine &engine)
    : m_engine(engine)
{ }

bool StatAreaCalculation::CalculationData(
    const QString &strTemplateFile, std::int32_t lngItemIDX, std::int32_t anaRange)
{
    try {
        const std::int32_t fieldCount = ComCaldoraTable::GetFieldCnt(strTemplateFile);
        if (fieldCount <= 0) {
            warn(kNoFieldMessage);
            return false;
        }
        if (fieldCount > 1) {
            warn(kManyFieldsMessage);
            return false;
        }
        ui::DoEvents();
        const std::int32_t field = 1;
        const QString expression = ComCaldoraNeo::GetCalcExpression(strTemplateFile, field);
        if (!m_engine.CheckSyntax(expression)) {
            warn(kSyntaxMessage);
            return false;
        }
        const std::int32_t variableCount = m_engine.VariableCount();
        std::vector<QString> names(1);
        for (std::int32_t k = 1; k <= variableCount; ++k)
            names.push_back(m_engine.VariableName(k));
        // An expression without data references has nothing to read for an
        // area: the records keep their value and their "not found" status.
        if (variableCount > 0 && ComCaldoraNeo::CheckCalcVariables(names)) {
            std::vector<QString> paths;
            GetFieldListPathFromEntryData(strTemplateFile, field, variableCount, names, paths);
            // Each record's evaluation comes back through Caluculation, which
            // notes a failed computation so that it is not stored as a real 0.
            const statdata::AreaCalculationBinder binder(
                [this](QVariant &result, const std::vector<double> &values) {
                    return Caluculation(result, values);
                });
            const fs::StampCheckScope stampCheck;
            const std::size_t item = std::size_t(lngItemIDX) + 1;
            for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
                StatArea &area = gtypStatArea[r];
                m_areaFailed = false;
                std::int32_t status = 0;
                const double value = ComCaldoraNeo::CalcAreaValue(
                    area.AreaCode, codeCharacters(anaRange, area), variableCount, names, paths, status);
                if (m_areaFailed && status == 0)
                    status = 1;
                if (item < area.Value.size())
                    area.Value[item] = statNumber(area.Value[item]) + value;
                if (item < area.DataFlag.size())
                    area.DataFlag[item] = status;
            }
        }
        m_engine.Clear();
        return true;
    } catch (const std::exception &) {
        warn(kSyntaxMessage);
        m_engine.Clear();
        return false;
    }
}

bool StatAreaCalculation::GetFieldListPathFromEntryData(const QString &sTemplatePath, std::int32_t lFieldNo,
    std::int32_t lEntryCnt, const std::vector<QString> &sEntrys, std::vector<QString> &sFieldPaths)
{
    sFieldPaths.assign(std::size_t(std::max(lEntryCnt, 0)) + 1, QString());
    const QString section = QStringLiteral("Calc") + QString::number(lFieldNo);
    QString countText;
    mdlCommon::ReadIniString(section, QStringLiteral("Cnt"), countText, sTemplatePath);
    const auto count = vb::toNumber(countText);
    if (!count || *count <= 0)
        return false;
    const std::int32_t pieces = *count >= 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(std::floor(*count));
    std::int32_t j = 1;
    // Only the pieces the section has are read (a damaged Cnt must not make
    // billions of lookups); once every variable has its piece the rest
    // cannot pair with any.
    for (const int i : statdata::presentNumbers(
             profile::keyNames(section, sTemplatePath), QLatin1StringView("Data"), pieces)) {
        if (j > lEntryCnt || std::size_t(j) >= sEntrys.size())
            break;
        QString piece;
        mdlCommon::ReadIniString(section, QStringLiteral("Data") + QString::number(i), piece, sTemplatePath);
        if (piece.isEmpty() || GetLeftOfColon(sEntrys[std::size_t(j)]) != piece)
            continue;
        std::array<QString, 3> parts;
        if (ComCaldoraNeo::SplitEntryData(piece, parts) != 3)
            continue;
        if (parts[0] == QStringLiteral("情報点")) {
            sFieldPaths[std::size_t(j)].clear();
        } else {
            QString file;
            mdlCommon::ReadIniString(section, QStringLiteral("File") + QString::number(i), file, sTemplatePath);
            // Shipped templates name their item lists from the data folder on.
            const QString found = statdata::resolveItemListFile(file, gstrDataPath);
            sFieldPaths[std::size_t(j)] = found.isEmpty() ? file : found;
        }
        ++j;
    }
    return true;
}

bool StatAreaCalculation::Caluculation(QVariant &vValue, const std::vector<double> &dVal)
{
    const std::int32_t lastIndex = static_cast<std::int32_t>(dVal.size()) - 1;
    if (m_engine.Calculate(dVal, lastIndex, vValue))
        return true;
    vValue = 0;
    m_areaFailed = true;
    return false;
}

QString StatAreaCalculation::GetLeftOfColon(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? text : text.left(colon);
}

} // namespace veltra::statwindow
