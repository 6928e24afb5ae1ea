// ctlSelect: the layout of the map kind, applied to the widgets.
#include "graphs/clsanafile.h"
#include "graphs/ctlselect.h"
#include "platform/ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

using veltra::graphs::PlacedElement;
using veltra::graphs::SelectLayout;
using veltra::graphs::Shown;

namespace {

void applyShown(QWidget *w, Shown shown)
{
    if (shown == Shown::Yes)
        w->show();
    else if (shown == Shown::No)
        w->hide();
}

} // namespace

void ctlSelect::UserControl_Resize()
{
    m_laidOutWidth = width();
    applyLayout(veltra::graphs::selectLayout(m_selectItem, scaleWidth()));
}

void ctlSelect::applyLayout(const SelectLayout &layout)
{
    m_lngCalcTarget = -1;
    auto placeElement = [this](QWidget *w, const PlacedElement &e) {
        if (e.placed)
            setBoxGeometry(w, e.rect);
        applyShown(w, e.shown);
    };
    if (layout.controlHeight > 0)
        setFixedHeight(veltra::ui::twipsToPixels(layout.controlHeight, logicalDpiY()));

    for (std::size_t k = 0; k < 4; ++k) {
        const veltra::graphs::SelectListLayout &s = layout.lists[k];
        if (s.setUp) {
            FrameSelect[k]->setTitle(s.caption);
            setBoxGeometry(FrameSelect[k], s.frame);
            setBoxGeometry(lstSelect[k], s.list);
            setBoxGeometry(cmdCalSel[k], s.button);
        }
        applyShown(FrameSelect[k], s.shown);
        cmdCalSel[k]->setVisible(s.templateButton);
    }
    placeElement(FrameCalc, layout.FrameCalc);
    placeElement(FrameCalc2, layout.FrameCalc2);
    placeElement(FrameCalc3, layout.FrameCalc3);
    placeElement(FrameExpressionKind, layout.FrameExpressionKind);
    placeElement(FrameFlow, layout.FrameFlow);
    placeElement(FrameRank, layout.FrameRank);
    placeElement(FrameHaba, layout.FrameHaba);
    placeElement(chkColorOrg, layout.chkColorOrg);
    placeElement(cmdLoad, layout.cmdLoad);
    if (layout.untickColorOrg)
        chkColorOrg->setChecked(false);
    if (layout.chooseDescending)
        optRank[1]->setChecked(true);
    if (layout.habaFollowsExpression)
        cmbHaba->setEnabled(optExpressionKind[1]->isChecked());
    if (layout.refillSymbols) {
        lstSymbol->clear();
        placeElement(lstSymbol, layout.lstSymbol);
        refillSymbols();
    } else {
        placeElement(lstSymbol, layout.lstSymbol);
    }

    // A resize keeps the lists: the calculation frames their denominators
    // call for stay shown (after Clear the lists are empty and this shows
    // nothing).
    if (layout.known && m_selectItem == 1 && ListCount(1) > 0)
        FrameCalc->show();
    if (layout.known && m_selectItem == 3) {
        if (ListCount(1) > 0)
            FrameCalc2->show();
        if (ListCount(3) > 0)
            FrameCalc3->show();
    }

    HideHScrollBars();
    update();
}

void ctlSelect::refillSymbols()
{
    m_iList.clear();
    lstSymbol->hide();
    // No folder given lists nothing (an empty path is no folder to search).
    if (!m_symbolPath.trimmed().isEmpty()) {
        clsAnaFile files;
        files.setPath(m_symbolPath);
        files.setFileName(QStringLiteral("*.bmp"));
        files.FindSymbleFile();
        for (std::int32_t i = 1; i <= files.GetSymbolFileCnt(); ++i) {
            const QString path = files.GetSymbolFile(i);
            // Files the list cannot show are skipped without a word.
            if (!path.isEmpty())
                AddSymble(path);
        }
    }
    lstSymbol->show();
}

void ctlSelect::HideHScrollBars()
{
    // All four lists: a one-entry list is one row high, and a scroll bar
    // would cover that row.
    for (QTreeWidget *list : lstSelect)
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}
