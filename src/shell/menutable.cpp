#include "shell/menutable.h"

#include <array>

namespace veltra::shell {

namespace {

constexpr std::uint16_t Check = MenuCheckable | MenuChecked;
constexpr std::uint16_t Sub = MenuSubmenu;
constexpr std::uint16_t Map = MenuMapDependent;
constexpr std::uint16_t Off = MenuDisabled;
constexpr std::uint16_t Hide = MenuHidden;
constexpr std::uint16_t Pro = MenuProOnly;

#define SEP(parent)                                                                                          \
    {                                                                                                        \
        "", parent, "", MenuSeparator                                                                        \
    }

constexpr auto kMenus = std::to_array<MenuEntry>({
    // ﾌｧｲﾙ
    {"mnuFile", "", "1000", Sub},
    {"mnuFileOpen", "mnuFile", "1100", Sub},
    {"mnuPrevPosMapDraw", "mnuFileOpen", "前回位置で地図表示"},
    {"mnuInitPosMapDraw", "mnuFileOpen", "登録位置で地図表示"},
    {"mnuFileSave", "mnuFile", "1101"},
    {"mnuFileClose", "mnuFile", "1102", Off},
    SEP("mnuFile"),
    {"mnuElmFileH", "mnuFile", "1103", Sub | Off},
    {"mnuElmFileIn", "mnuElmFileH", "1104"},
    {"mnuElmFileOut", "mnuElmFileH", "1105"},
    SEP("mnuFile"),
    {"mnuFilePrint", "mnuFile", "1106", Sub | Map},
    {"mnuPrintMap", "mnuFilePrint", "1107"},
    {"mnuPrintScreen", "mnuFilePrint", "1108"},
    {"mnuPrintExcel", "mnuFilePrint", "1150"},
    {"mnuTmpDownLoad", "mnuFile", "1151", Map},
    SEP("mnuFile"),
    {"mnuFileExit", "mnuFile", "1109"},

    // 編集: never enabled; undo and redo are on the standard tool bar.
    {"mnuEdit", "", "1001", Sub | Off},
    {"mnuEditUndo", "mnuEdit", "1200", MenuNone, "Ctrl+Z"},
    {"mnuEditRedo", "mnuEdit", "1201"},
    {"mnuEditRollBack", "mnuEdit", "1202"},

    // 表示
    {"mnuView", "", "1002", Sub | Map},
    {"mnuViewStd", "mnuView", "1300"},
    {"mnuMove", "mnuView", "1301"},
    {"mnuZoomIn2", "mnuView", "1302"},
    SEP("mnuView"),
    {"mnuZoomIn", "mnuView", "1303"},
    {"mnuZoomOut", "mnuView", "1304"},
    {"mnuTurn", "mnuView", "1305", Off},
    {"mnuRefresh", "mnuView", "1306"},
    {"mnuAllAreaDraw", "mnuView", "1307"},
    SEP("mnuView"),
    {"mnuViewInfo", "mnuView", "1308"},
    SEP("mnuView"),
    {"mnuExtNotes", "mnuView", "1309", Check},
    {"mnuDirection", "mnuView", "1310", Check},
    {"mnuAllAreaMap", "mnuView", "1311", Check},
    {"mnuScale", "mnuView", "1312", Check},
    SEP("mnuView"),
    {"mnuViewToolBar", "mnuView", "1313", Sub | Pro},
    {"mnuViewToolBar1", "mnuViewToolBar", "1314", Check},
    {"mnuViewToolBar2", "mnuViewToolBar", "1315", Check},
    {"mnuViewToolBar3", "mnuViewToolBar", "1316", Check},
    {"mnuViewToolBar4", "mnuViewToolBar", "1330", Check},
    {"mnuToolBarChar", "mnuView", "1317", Check | Pro},
    {"mnuToolBarSize", "mnuView", "1318", Sub | Pro},
    {"mnuToolBarSizeB", "mnuToolBarSize", "1319", MenuCheckable},
    {"mnuToolBarSizeS", "mnuToolBarSize", "1320", MenuCheckable},
    {"mnuViewStatusBar", "mnuView", "1321", Check},

    // 検索
    {"mnuSerchH", "", "1003", Sub | Map},
    {"mnuAddressSearch", "mnuSerchH", "1400"},
    {"mnuSerchStr", "mnuSerchH", "1401"},
    {"mnuAttrSearch", "mnuSerchH", "属性検索"},
    {"mnuAttchSearch", "mnuSerchH", "添付一括検索", Off},

    // ﾃﾞｰﾀ編集 and データ参照: never enabled.
    {"mnuDataEditH", "", "1004", Sub | Off},
    {"mnuDataAdd", "mnuDataEditH", "1500", Sub},
    {"mnuDataAddShape", "mnuDataAdd", "1504"},
    {"mnuDataAddAttr", "mnuDataAdd", "1505"},
    {"mnuDataDel", "mnuDataEditH", "1501", Sub},
    {"mnuDataDelShape", "mnuDataDel", "1504"},
    {"mnuDataDelAttr", "mnuDataDel", "1505"},
    {"mnuDataMove", "mnuDataEditH", "1502", Sub},
    {"mnuDataMoveShape", "mnuDataMove", "1504"},
    {"mnuDataMoveAttr", "mnuDataMove", "1505"},
    {"mnuDataCopy", "mnuDataEditH", "1503", Sub},
    {"mnuDataCopyShape", "mnuDataCopy", "1504"},
    {"mnuDataCopyAttr", "mnuDataCopy", "1505"},
    {"mnuDataRefH", "", "1005", Sub | Off},
    {"mnuDataRefAttach", "mnuDataRefH", "1600"},

    // 背景地図
    {"mnuRastaH", "", "1007", Sub | Map},
    {"mnuMap2500", "mnuRastaH", "数値地図2500", Sub},
    {"mnuMapDownLoad", "mnuMap2500", "ダウンロード", Map},
    {"mnuMapDelete", "mnuMap2500", "削除"},
    {"mnuRastaViewH", "mnuRastaH", "1700", Sub},
    {"mnuRastaDo", "mnuRastaViewH", "1701", MenuCheckable},
    {"mnuRastaStop", "mnuRastaViewH", "1702", MenuCheckable},
    {"mnuRastaMove", "mnuRastaViewH", "1703"},
    SEP("mnuRastaViewH"),
    {"mnuRastaMake", "mnuRastaViewH", "1704", Off},
    {"mnuImageOption", "mnuRastaViewH", "1705", Off},

    // 統計機能
    {"mnuT", "", "2222", Sub | Map},
    {"mnuTPiramid", "mnuT", "2202"},
    {"mnuTTouikeiShow", "mnuT", "2203"},
    {"mnuTXY", "mnuT", "2204"},
    {"mnuTToukeiMap", "mnuT", "2205"},
    {"mnuTTemplate", "mnuT", "2207", Sub},
    {"mnuStoryStart", "mnuTTemplate", "ストーリーモード開始"},
    {"mnuStoryEnd", "mnuTTemplate", "ストーリーモード終了"},
    {"mnuStoryEntry", "mnuTTemplate", "ストーリー登録"},
    {"mnuTMapCut", "mnuT", "2208"},

    // 写真添付
    {"mnuPt", "", "写真添付", Sub | Map},
    {"mnuPtSrch", "mnuPt", "検索"},
    {"mnuPtAdd", "mnuPt", "追加"},
    {"mnuPtMove", "mnuPt", "移動"},
    {"mnuPtDel", "mnuPt", "削除"},

    // ﾂｰﾙ
    {"mnuTools", "", "1009", Sub | Map},
    {"mnuCalcTool", "mnuTools", "1800", Sub | Map},
    {"mnuCalcRen", "mnuCalcTool", "1801"},
    {"mnuCalcArea", "mnuCalcTool", "1802"},
    {"mnuCalcArea2", "mnuCalcTool", "1810"},
    {"mnuDrawCircle", "mnuCalcTool", "1812"},
    {"mnuElmIDH", "mnuTools", "1813", Sub | Off},
    {"mnuElmDelete", "mnuElmIDH", "1803"},
    {"mnuElmChange", "mnuElmIDH", "1811"},
    {"mnuElmEdit", "mnuElmIDH", "1814"},
    {"mnuHomeReg", "mnuTools", "1804"},
    {"mnuGrpReg", "mnuTools", "1805"},
    {"mnuToolsOptions", "mnuTools", "1806", Sub},
    {"mnuOptionTime", "mnuToolsOptions", "1807"},
    {"mnuOptionPoint", "mnuToolsOptions", "1808"},
    {"mnuOptionView", "mnuToolsOptions", "1809"},
    {"mnuOptionElmSetup", "mnuToolsOptions", "1815", Off},
    {"mnuOptionMainView", "mnuToolsOptions", "1816", Sub},
    {"mnuOptionMainViewB", "mnuOptionMainView", "1817", MenuCheckable},
    {"mnuOptionMainViewP", "mnuOptionMainView", "1818", MenuCheckable},

    // ｳｨﾝﾄﾞｳ: kept in the design, never shown.
    {"mnuWindow", "", "1010", Sub | Map | Hide},
    {"mnuWindowCascade", "mnuWindow", "重ねて表示"},
    {"mnuWindowTile", "mnuWindow", "並べて表示"},

    // ﾍﾙﾌﾟ
    {"mnuHelp", "", "1011", Sub},
    {"mnuHp1", "mnuHelp", "Veltraとは"},
    {"mnuHp2", "mnuHelp", "利用上の注意"},
    {"mnuHp3", "mnuHelp", "Veltraでできるグラフ"},
    {"mnuHp4", "mnuHelp", "操作方法"},
    {"mnuHp5", "mnuHelp", "収録統計データの解説"},
    {"mnuHp6", "mnuHelp", "収録地図データの解説", Hide},
    {"mnuHp7", "mnuHelp", "活用事例"},
    {"mnuHp8", "mnuHelp", "時空間GISについて"},
    {"mnuHp9", "mnuHelp", "バージョン情報"},

    // Web
    {"mnuWeb", "", "Web", Sub},
    {"mnuLuncher", "mnuWeb", "Caldoraﾗﾝﾁｬｰ"},

    // ﾕｰｻｰﾞﾃﾞｰﾀ
    {"mnuTourkeiData", "", "ﾕｰｻｰﾞﾃﾞｰﾀ", Sub},
    {"mnuTourkeiDataEdit", "mnuTourkeiData", "入力・修正"},
    {"mnuTourkeiDataAdd", "mnuTourkeiData", "登録・削除"},

    // The import submenu: kept in the design, never shown.
    {"mnuImpH", "", "2200", Sub | Hide},
    {"mnuImp", "mnuImpH", "ｲﾝﾎﾟｰﾄ"},
    {"mnuAnImp", "mnuImpH", "ｱﾝｲﾝﾎﾟｰﾄ"},
});

#undef SEP

} // namespace

std::span<const MenuEntry> menuTable()
{
    return kMenus;
}

} // namespace veltra::shell
