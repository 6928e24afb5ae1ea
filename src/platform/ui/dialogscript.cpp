#include "platform/ui/dialogscript.h"

#include <QGuiApplication>

namespace veltra::ui {

namespace {
DialogScript *g_current = nullptr;
}

DialogScript::DialogScript()
    : m_previous(g_current)
{
    g_current = this;
}

DialogScript::~DialogScript()
{
    g_current = m_previous;
}

void DialogScript::answerButton(int vbResult)
{
    DialogAnswer a;
    a.button = vbResult;
    m_answers.push_back(a);
}

void DialogScript::answerText(const QString &text)
{
    DialogAnswer a;
    a.text = text;
    m_answers.push_back(a);
}

void DialogScript::answerColour(const QColor &colour, const QList<QColor> &customColours)
{
    DialogAnswer a;
    a.colour = colour;
    a.customColours = customColours;
    m_answers.push_back(a);
}

void DialogScript::answerPdfPrinter(const QString &file)
{
    DialogAnswer a;
    a.text = file;
    a.pdfPrinter = true;
    m_answers.push_back(a);
}

void DialogScript::answerPrintUnchanged()
{
    m_answers.push_back(DialogAnswer{});
}

void DialogScript::answerCancel()
{
    DialogAnswer a;
    a.cancelled = true;
    m_answers.push_back(a);
}

DialogScript *DialogScript::current()
{
    return g_current;
}

std::optional<DialogAnswer> DialogScript::take(const DialogRequest &request)
{
    m_requests.push_back(request);
    if (m_answers.empty()) {
        ++m_unanswered;
        return std::nullopt;
    }
    DialogAnswer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

bool isHeadless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace veltra::ui
