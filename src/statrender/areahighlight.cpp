#include "statrender/areahighlight.h"

#include "platform/ui/msgbox.h"
#include "shell/globals.h"
#include "statrender/globals.h"
#include "zorvik/widget/zorvik.h"

namespace ComPSY {

namespace {

void showCode(const QString &procedure, zorvik::Result r)
{
    veltra::ui::MsgBox(
        procedure + QStringLiteral(" OCXエラーコード [") + QString::number(r) + QLatin1Char(']'));
}

} // namespace

void P_DrawCaldoraArea(std::int32_t x, std::int32_t y)
{
    if (!gobjZor)
        return;
    gobjZor->setRecognizeElementType(1);
    gobjZor->setRecognizeSearchNum(0);
    zorvik::Handle set = 0;
    std::int32_t a = 0, b = 0, c = 0;
    if (const zorvik::Result r = gobjZor->SearchElements(3, x, y, set, a, b, c)) {
        showCode(QStringLiteral("P_DrawCaldoraArea"), r);
        return;
    }
    if (set > 0) {
        gobjZor->DrawElements(set, 3, 29, 6, 29);
        if (glngHighlightSets.empty())
            glngHighlightSets.push_back(0);
        glngHighlightSets.push_back(set);
    }
}

void P_DrawClearCaldoraArea()
{
    if (gobjZor) {
        for (std::size_t i = 1; i < glngHighlightSets.size(); ++i) {
            if (const zorvik::Result r = gobjZor->DrawElements(glngHighlightSets[i], 0, 0, 0, 0)) {
                showCode(QStringLiteral("P_DrawClearCaldoraArea"), r);
                return;
            }
        }
        // The highlights are off; the found sets are no longer needed.
        for (std::size_t i = 1; i < glngHighlightSets.size(); ++i)
            gobjZor->ReleaseElements(glngHighlightSets[i]);
    }
    glngHighlightSets.assign(1, 0);
}

} // namespace ComPSY
