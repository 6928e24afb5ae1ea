#pragma once
// The arrangement of the statistics item selector (ctlSelect) for one layout
// code and control width, as plain twip rectangles, captions and visibility.
//
// selectLayout() is a pure function: the control applies its result to its
// widgets through the logical DPI. Rectangles of the four selection frames and
// of the option frames, check box, symbol list and load button are relative
// to the control; those of the lists, the arrow buttons and the template
// buttons are relative to their frame. Elements a layout leaves alone carry
// their design geometry (selecttwips) and Shown::Keep.
//
// Layout codes: 1 choropleth, 2 pie and bar graphs, 3 scatter diagram,
// 4 real value, 5 symbols, 6 population pyramid, 7 flow, 8 ranking. Any other
// code lays nothing out: only the frames the common start hides are hidden.
#include <QString>
#include <array>

namespace veltra::graphs {

namespace selecttwips {
// The selection frames and what is inside each.
inline constexpr int FrameSelectTops[4] = {0, 600, 2640, 3240};
inline constexpr int FrameSelectWidth = 5775;
inline constexpr int FrameSelectHeight = 615;
inline constexpr int RemoveButtonLeft = 120;
inline constexpr int AddButtonLeft = 480;
inline constexpr int ButtonTop = 170;
inline constexpr int ButtonSize = 375;
inline constexpr int ListLeft = 960;
inline constexpr int ListTop = 195;
inline constexpr int ListWidth = 4095;
inline constexpr int ListHeight = 285;
inline constexpr int TemplateButtonLeft = 5160;
inline constexpr int ListColumnWidth = 3000;
inline constexpr int ListColumns = 11;
// The option frames; their buttons sit at top 240.
inline constexpr int OptionTop = 240;
inline constexpr int FrameCalcLeft = 0;
inline constexpr int FrameCalcTop = 1200;
inline constexpr int FrameCalcWidth = 2535;
inline constexpr int FrameCalcHeight = 855;
inline constexpr int FrameCalcSecondRowTop = 480; // "増加率" under "割合(%)"
inline constexpr int FrameCalcAxisWidth = 3495; // "X軸", "Y軸"
inline constexpr int OptionFrameHeight = 615;
inline constexpr int FrameExpressionKindWidth = 2175;
inline constexpr int FrameFlowWidth = 1695;
inline constexpr int FrameRankWidth = 2415;
inline constexpr int FrameHabaWidth = 2895;
inline constexpr int HabaLabelWidth = 1575;
inline constexpr int HabaComboLeft = 1800;
inline constexpr int HabaComboWidth = 975;
inline constexpr int ChkColorOrgWidth = 1935;
inline constexpr int ChkColorOrgHeight = 375;
inline constexpr int SymbolListHeight = 1575;
inline constexpr int SymbolListWidth = 5055;
inline constexpr int LoadButtonWidth = 735;
inline constexpr int LoadButtonHeight = 255;
// The layout's own constants.
inline constexpr int ControlHeight = 4400;
inline constexpr int OneEntryFrameHeight = 614;
inline constexpr int BreakdownFrameHeight = 2360; // list 0 of layout 2
inline constexpr int OneEntryListHeight = 280;
inline constexpr int BreakdownListMargin = 285; // frame height less list height
inline constexpr int FrameWidthMargin = 50;
inline constexpr int ListMarginWithButton = 1500;
inline constexpr int ListMarginWithoutButton = 1100;
inline constexpr int TemplateButtonGap = 50;
inline constexpr int VerticalGap = 150;
inline constexpr int SymbolButtonGap = 30;
} // namespace selecttwips

struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int bottom() const { return top + height; }
    bool operator==(const TwipRect &) const = default;
};

enum class Shown { Keep, Yes, No };

// One selection list with its frame and template button.
struct SelectListLayout
{
    bool setUp = false; // false: caption and geometry stay as they are
    Shown shown = Shown::Keep; // the frame
    QString caption;
    TwipRect frame;
    TwipRect list; // inside the frame
    bool templateButton = false;
    TwipRect button; // the template button, inside the frame
};

// An element placed in the control.
struct PlacedElement
{
    Shown shown = Shown::Keep;
    bool placed = false; // false: the geometry stays as it is
    TwipRect rect;
};

struct SelectLayout
{
    bool known = false; // a layout code 1 to 8
    int controlHeight = 0; // 0: unchanged
    std::array<SelectListLayout, 4> lists;
    PlacedElement FrameCalc, FrameCalc2, FrameCalc3, FrameExpressionKind, FrameFlow, FrameRank, FrameHaba;
    PlacedElement chkColorOrg, lstSymbol, cmdLoad;
    bool untickColorOrg = false; // layouts 2 and 6
    bool chooseDescending = false; // layout 8 chooses "降順" every time
    bool habaFollowsExpression = false; // layout 6: cmbHaba enabled with "相対値"
    bool refillSymbols = false; // layout 5
};

// The list widths never go below 0, however narrow the control.
SelectLayout selectLayout(int code, int scaleWidth);

} // namespace veltra::graphs
