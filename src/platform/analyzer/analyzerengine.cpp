#include "platform/analyzer/analyzerengine.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace veltra::analyzer {

namespace {

enum class Kind { Plus, Minus, Times, Divide, Open, Close, Sum, Colon, Number, Reference, End };

struct Token
{
    Kind kind = Kind::End;
    QString text;
    double number = 0;
};

// Splits the text into tokens; nullopt at the first character no token
// starts with.
std::optional<std::vector<Token>> tokenize(const QString &text)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token token;
        if (c == u'+') {
            token.kind = Kind::Plus;
        } else if (c == u'-') {
            token.kind = Kind::Minus;
        } else if (c == u'*') {
            token.kind = Kind::Times;
        } else if (c == u'/') {
            token.kind = Kind::Divide;
        } else if (c == u'(') {
            token.kind = Kind::Open;
        } else if (c == u')') {
            token.kind = Kind::Close;
        } else if (c == u':') {
            token.kind = Kind::Colon;
        } else if (text.mid(i, 4) == QLatin1String("SUM(")) {
            token.kind = Kind::Sum;
            i += 4;
            tokens.push_back(token);
            continue;
        } else if ((c.unicode() >= '0' && c.unicode() <= '9') || c == u'.') {
            qsizetype end = i;
            int dots = 0;
            int digits = 0;
            while (end < n
                && ((text.at(end).unicode() >= '0' && text.at(end).unicode() <= '9')
                    || text.at(end) == u'.')) {
                if (text.at(end) == u'.')
                    ++dots;
                else
                    ++digits;
                ++end;
            }
            if (dots > 1 || digits == 0)
                return std::nullopt;
            bool ok = false;
            token.kind = Kind::Number;
            token.text = text.mid(i, end - i);
            token.number = token.text.toDouble(&ok);
            if (!ok)
                return std::nullopt;
            i = end;
            tokens.push_back(token);
            continue;
        } else if (text.mid(i, 2) == QLatin1String("{[")) {
            const qsizetype close = text.indexOf(QLatin1String("]}"), i + 2);
            if (close < 0)
                return std::nullopt;
            const QStringList parts = text.mid(i + 2, close - i - 2).split(QLatin1String("]["));
            if (parts.size() != 3 || std::any_of(parts.begin(), parts.end(), [](const QString &p) {
                    return p.isEmpty() || p.contains(u'[') || p.contains(u']');
                }))
                return std::nullopt;
            token.kind = Kind::Reference;
            token.text = text.mid(i, close + 2 - i);
            i = close + 2;
            tokens.push_back(token);
            continue;
        } else {
            return std::nullopt;
        }
        ++i;
        tokens.push_back(token);
    }
    tokens.push_back(Token{});
    return tokens;
}

// Recursive descent over the tokens, emitting postfix steps.
class Parser
{
public:
    Parser(const std::vector<Token> &tokens, std::vector<AnalyzerEngine::Step> &program,
        std::vector<QString> &variables)
        : m_tokens(tokens)
        , m_program(program)
        , m_variables(variables)
    { }

    bool parse() { return expr() && peek() == Kind::End; }

private:
    using Step = AnalyzerEngine::Step;

    Kind peek() const { return m_tokens[m_pos].kind; }
    const Token &take() { return m_tokens[m_pos++]; }

    bool expr()
    {
        if (!term())
            return false;
        while (peek() == Kind::Plus || peek() == Kind::Minus) {
            const Step::Op op = take().kind == Kind::Plus ? Step::Add : Step::Subtract;
            if (!term())
                return false;
            m_program.push_back({op});
        }
        return true;
    }

    bool term()
    {
        if (!factor())
            return false;
        while (peek() == Kind::Times || peek() == Kind::Divide) {
            const Step::Op op = take().kind == Kind::Times ? Step::Multiply : Step::Divide;
            if (!factor())
                return false;
            m_program.push_back({op});
        }
        return true;
    }

    bool factor()
    {
        switch (peek()) {
        case Kind::Plus:
            take();
            return factor();
        case Kind::Minus:
            take();
            if (!factor())
                return false;
            m_program.push_back({Step::Negate});
            return true;
        case Kind::Number: {
            Step step{Step::Number};
            step.number = take().number;
            m_program.push_back(step);
            return true;
        }
        case Kind::Reference:
            pushVariable(take().text);
            return true;
        case Kind::Open:
            take();
            if (!expr() || peek() != Kind::Close)
                return false;
            take();
            return true;
        case Kind::Sum: {
            take();
            if (peek() != Kind::Reference)
                return false;
            const QString first = take().text;
            if (peek() != Kind::Colon)
                return false;
            take();
            if (peek() != Kind::Reference)
                return false;
            const QString last = take().text;
            if (peek() != Kind::Close)
                return false;
            take();
            pushVariable(first + u':' + last);
            return true;
        }
        default:
            return false;
        }
    }

    void pushVariable(const QString &text)
    {
        auto it = std::find(m_variables.begin(), m_variables.end(), text);
        if (it == m_variables.end()) {
            m_variables.push_back(text);
            it = m_variables.end() - 1;
        }
        Step step{Step::Variable};
        step.variable = static_cast<std::int32_t>(it - m_variables.begin()) + 1;
        m_program.push_back(step);
    }

    const std::vector<Token> &m_tokens;
    std::size_t m_pos = 0;
    std::vector<AnalyzerEngine::Step> &m_program;
    std::vector<QString> &m_variables;
};

} // namespace

bool AnalyzerEngine::CheckSyntax(const QString &expression)
{
    Clear();
    const auto tokens = tokenize(expression);
    if (!tokens || tokens->size() == 1)
        return false;
    std::vector<Step> program;
    std::vector<QString> variables;
    if (!Parser(*tokens, program, variables).parse())
        return false;
    m_program = std::move(program);
    m_variables = std::move(variables);
    return true;
}

QString AnalyzerEngine::VariableName(std::int32_t index) const
{
    if (index < 1 || index > VariableCount())
        return {};
    return m_variables[static_cast<std::size_t>(index - 1)];
}

bool AnalyzerEngine::Calculate(
    const std::vector<double> &values, std::int32_t lastIndex, QVariant &result) const
{
    if (m_program.empty())
        return false;
    const std::int64_t available
        = std::min<std::int64_t>(lastIndex, static_cast<std::int64_t>(values.size()) - 1);
    if (available < VariableCount())
        return false;
    // The stack never grows past the program's length.
    std::vector<double> stack;
    stack.reserve(m_program.size());
    for (const Step &step : m_program) {
        switch (step.op) {
        case Step::Number:
            stack.push_back(step.number);
            continue;
        case Step::Variable:
            stack.push_back(values[static_cast<std::size_t>(step.variable)]);
            continue;
        case Step::Negate:
            stack.back() = -stack.back();
            continue;
        default:
            break;
        }
        const double right = stack.back();
        stack.pop_back();
        double &left = stack.back();
        switch (step.op) {
        case Step::Add:
            left += right;
            break;
        case Step::Subtract:
            left -= right;
            break;
        case Step::Multiply:
            left *= right;
            break;
        case Step::Divide:
            if (right == 0)
                return false;
            left /= right;
            break;
        default:
            break;
        }
    }
    if (stack.size() != 1 || !std::isfinite(stack.back()))
        return false;
    result = stack.back();
    return true;
}

void AnalyzerEngine::Clear()
{
    m_program.clear();
    m_variables.clear();
}

} // namespace veltra::analyzer
