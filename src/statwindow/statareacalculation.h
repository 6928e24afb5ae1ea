#pragma once
// StatAreaCalculation: evaluates a calculation template for every area
// record of gtypStatArea with the statistics map window's AnalyzerEngine.
//
// The template's one field is parsed once; its data references are paired
// with the template pieces to find each reference's item list file; then
// ComCaldoraNeo::CalcAreaValue reads each area's values and calls back
// Caluculation, which lets the engine compute the parsed expression. The
// result is added to the item's Value and the area's status stored in its
// DataFlag (0 computed, 1 a reference held "-" or the expression could not
// be computed for the area, 2 a reference's line was not found).
//
// Messages are shown as warnings with an OK button; the caller shows none.
#include "platform/analyzer/analyzerengine.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace veltra::statwindow {

inline constexpr char16_t kNoFieldMessage[] = u"指定したﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙには、表記するﾌｨｰﾙﾄﾞがありません！";
inline constexpr char16_t kManyFieldsMessage[]
    = u"指定したﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙには、１つ以上の計算項目が設定されている為、計算できません！";
inline constexpr char16_t kSyntaxMessage[] = u"構文に間違いがあります！";

class StatAreaCalculation
{
public:
    explicit StatAreaCalculation(analyzer::AnalyzerEngine &engine);

    // Evaluates the template into item lngItemIDX + 1 (lngItemIDX 0-based) of
    // every record; anaRange decides how many code characters identify an
    // area. False after a message when the template cannot be evaluated.
    bool CalculationData(const QString &strTemplateFile, std::int32_t lngItemIDX, std::int32_t anaRange);

    // The item list file of each variable 1..lEntryCnt (sEntrys from index
    // 1), taken from the template pieces of field lFieldNo that the
    // variables begin with, in order; "" for a reference of "情報点". False
    // when the field's piece count is not a number above 0.
    bool GetFieldListPathFromEntryData(const QString &sTemplatePath, std::int32_t lFieldNo,
        std::int32_t lEntryCnt, const std::vector<QString> &sEntrys, std::vector<QString> &sFieldPaths);

    // Computes the parsed expression with dVal (element k for variable k);
    // on false vValue becomes 0.
    bool Caluculation(QVariant &vValue, const std::vector<double> &dVal);

    // The text before the first ":" (the whole text without one).
    static QString GetLeftOfColon(const QString &text);

private:
    analyzer::AnalyzerEngine &m_engine;
    // Set when Caluculation fails during the evaluation of one area.
    bool m_areaFailed = false;
};

} // namespace veltra::statwindow
