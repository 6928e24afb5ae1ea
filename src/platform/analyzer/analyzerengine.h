#pragma once
// AnalyzerEngine: the calculation-template expression engine. It holds one
// current expression, compiled once by CheckSyntax into a postfix program,
// names its variables and evaluates it for one set of variable values.
//
// Grammar (blanks between tokens are ignored):
//   expr      := term (("+" | "-") term)*
//   term      := factor (("*" | "/") factor)*
//   factor    := ("+" | "-") factor | number | reference | "(" expr ")"
//              | "SUM(" reference ":" reference ")"
//   number    := decimal digits with at most one "." (".5" and "5." allowed)
//   reference := "{[" part "][" part "][" part "]}"  (exactly three non-empty
//                parts; it runs from "{[" to the next "]}")
// ":" stands only inside "SUM("; an empty text is no expression.
//
// Variables: one per distinct text, numbered from 1 in order of first
// appearance. A reference's text is the reference; a range's text is its two
// references joined by ":" (a reference used alone and as a range end gives
// two variables). Calculate takes values[i] for variable i (element 0 unused)
// and fails with fewer values than variables, on a division by zero and on
// any result that is not a finite number.
//
// Common use:
//   AnalyzerEngine engine;
//   if (engine.CheckSyntax(expr)) {
//       for (int i = 1; i <= engine.VariableCount(); ++i) names << engine.VariableName(i);
//       QVariant result;
//       engine.Calculate(values, values.size() - 1, result);
//   }
//   engine.Clear();
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace veltra::analyzer {

class AnalyzerEngine
{
public:
    // True when the expression parses; it then becomes the current one. On
    // failure there is no current expression.
    bool CheckSyntax(const QString &expression);
    std::int32_t VariableCount() const { return static_cast<std::int32_t>(m_variables.size()); }
    // The text of variable `index` (1-based); "" outside 1..VariableCount.
    QString VariableName(std::int32_t index) const;
    // Evaluates the current expression with values[1..VariableCount];
    // `lastIndex` is the upper index the caller fills (its element count - 1).
    bool Calculate(const std::vector<double> &values, std::int32_t lastIndex, QVariant &result) const;
    void Clear();

    // One step of the compiled program.
    struct Step
    {
        enum Op : std::uint8_t { Number, Variable, Negate, Add, Subtract, Multiply, Divide } op;
        double number = 0; // Number
        std::int32_t variable = 0; // Variable: 1-based index
    };

private:
    std::vector<Step> m_program;
    std::vector<QString> m_variables;
};

} // namespace veltra::analyzer
