#include "graphs/selectlayout.h"

#include <algorithm>

namespace veltra::graphs {

using namespace selecttwips;

namespace {

// Lays out list k under `caption` at frame top `top`.
void setUpList(SelectLayout &l, int k, const QString &caption, int top, int scaleWidth, bool breakdown,
    bool templateButton)
{
    SelectListLayout &s = l.lists[static_cast<std::size_t>(k)];
    s.setUp = true;
    s.shown = Shown::Yes;
    s.caption = caption;
    const int frameWidth = std::max(0, scaleWidth - FrameWidthMargin);
    const int frameHeight = breakdown ? BreakdownFrameHeight : OneEntryFrameHeight;
    s.frame = {0, top, frameWidth, frameHeight};
    const int listWidth
        = std::max(0, frameWidth - (templateButton ? ListMarginWithButton : ListMarginWithoutButton));
    const int listHeight = breakdown ? frameHeight - BreakdownListMargin : OneEntryListHeight;
    s.list = {ListLeft, ListTop, listWidth, listHeight};
    s.templateButton = templateButton;
    s.button = {ListLeft + listWidth + TemplateButtonGap, ButtonTop, ButtonSize, ButtonSize};
}

// An option frame of `width` placed under list 0 (the list's top counts
// inside frame 0, which stands at the top of the control).
TwipRect underList0(const SelectLayout &l, int width, int height)
{
    const TwipRect &list = l.lists[0].list;
    return {FrameCalcLeft, list.bottom() + VerticalGap, width, height};
}

TwipRect below(const TwipRect &above, int left, int width, int height)
{
    return {left, above.bottom() + VerticalGap, width, height};
}

void place(PlacedElement &e, Shown shown, const TwipRect &rect)
{
    e.shown = shown;
    e.placed = true;
    e.rect = rect;
}

} // namespace

SelectLayout selectLayout(int code, int scaleWidth)
{
    SelectLayout l;
    // Common start: list 0's frame stays visible; the expression, flow and
    // relative-maximum frames keep their visibility.
    for (int k = 1; k < 4; ++k)
        l.lists[static_cast<std::size_t>(k)].shown = Shown::No;
    for (PlacedElement *e : {&l.FrameCalc, &l.FrameCalc2, &l.FrameCalc3, &l.FrameRank, &l.lstSymbol, &l.cmdLoad})
        e->shown = Shown::No;
    if (code < 1 || code > 8)
        return l;
    l.known = true;
    l.controlHeight = ControlHeight;
    l.chkColorOrg.shown = Shown::No;

    const QString item = QStringLiteral("選択項目");
    const int w = scaleWidth;
    switch (code) {
    case 1:
        setUpList(l, 0, item, FrameSelectTops[0], w, false, true);
        setUpList(l, 1, QStringLiteral("割合・率の計算項目(分母)"), FrameSelectTops[1], w, false, true);
        // Shown once list 1 gets an entry.
        place(l.FrameCalc, Shown::No, {FrameCalcLeft, FrameCalcTop, FrameCalcWidth, FrameCalcHeight});
        break;
    case 2: {
        setUpList(l, 0, QStringLiteral("内訳を見る項目"), FrameSelectTops[0], w, true, false);
        place(l.FrameExpressionKind, Shown::Yes, underList0(l, FrameExpressionKindWidth, OptionFrameHeight));
        place(l.chkColorOrg, Shown::Yes, below(l.FrameExpressionKind.rect, 0, ChkColorOrgWidth, ChkColorOrgHeight));
        l.untickColorOrg = true;
        break;
    }
    case 3: {
        setUpList(l, 0, QStringLiteral("X軸 選択項目"), FrameSelectTops[0], w, false, true);
        setUpList(l, 1, QStringLiteral("X軸 割合・率の計算項目(分母)"), FrameSelectTops[1], w, false, true);
        // The axis frames stay hidden until their denominator list gets an
        // entry; their space is kept.
        place(l.FrameCalc2, Shown::No, below(l.lists[1].frame, 0, FrameCalcAxisWidth, OptionFrameHeight));
        setUpList(l, 2, QStringLiteral("Y軸 選択項目"), l.FrameCalc2.rect.bottom() + VerticalGap, w, false, true);
        setUpList(l, 3, QStringLiteral("Y軸 割合・率の計算項目(分母)"), l.lists[2].frame.bottom() + VerticalGap, w,
            false, true);
        place(l.FrameCalc3, Shown::No, below(l.lists[3].frame, 0, FrameCalcAxisWidth, OptionFrameHeight));
        break;
    }
    case 4:
        setUpList(l, 0, item, FrameSelectTops[0], w, false, true);
        break;
    case 5: {
        setUpList(l, 0, item, FrameSelectTops[0], w, false, true);
        const TwipRect &frame = l.lists[0].frame;
        const TwipRect symbols{0, l.lists[0].list.bottom() + VerticalGap, frame.width, SymbolListHeight};
        place(l.lstSymbol, Shown::Yes, symbols);
        place(l.cmdLoad, Shown::Yes,
            {symbols.left + symbols.width - LoadButtonWidth, symbols.bottom() + SymbolButtonGap, LoadButtonWidth,
                LoadButtonHeight});
        l.refillSymbols = true;
        break;
    }
    case 6:
        setUpList(l, 0, item, FrameSelectTops[0], w, false, false);
        place(l.FrameExpressionKind, Shown::Yes, underList0(l, FrameExpressionKindWidth, OptionFrameHeight));
        // Directly at the bottom of the expression frame, no gap.
        place(l.FrameHaba, Shown::Yes,
            {FrameCalcLeft, l.FrameExpressionKind.rect.bottom(), FrameHabaWidth, OptionFrameHeight});
        place(l.chkColorOrg, Shown::Yes, below(l.FrameHaba.rect, 0, ChkColorOrgWidth, ChkColorOrgHeight));
        l.untickColorOrg = true;
        l.habaFollowsExpression = true;
        break;
    case 7:
        setUpList(l, 0, item, FrameSelectTops[0], w, false, false);
        place(l.FrameFlow, Shown::Yes, underList0(l, FrameFlowWidth, OptionFrameHeight));
        break;
    case 8:
        setUpList(l, 0, item, FrameSelectTops[0], w, false, true);
        place(l.FrameRank, Shown::Yes, underList0(l, FrameRankWidth, OptionFrameHeight));
        l.chooseDescending = true;
        break;
    }
    return l;
}

} // namespace veltra::graphs
