#pragma once
// The vocabulary of the tool-mode dispatcher: mode codes, state codes and the
// text that stands for "no parameter".
//
// A mode code names the tool that runs; a state code names the event handed
// to it. Callers pass the no-parameter text (one double quote) when a mode
// takes no parameter; the dispatcher passes it with every leave it makes.
// Command lines of list-bar items pass the empty text instead.
#include <QString>
#include <cstdint>

// Mode codes.
inline constexpr std::int16_t ModeDisplay = 1;
inline constexpr std::int16_t ModeAddElement = 10;
inline constexpr std::int16_t ModeTextElement = 11;
inline constexpr std::int16_t ModeDeleteElement = 14;
inline constexpr std::int16_t ModeSearchElement = 20;
inline constexpr std::int16_t ModeDistance = 40;
inline constexpr std::int16_t ModeCircle = 41;
inline constexpr std::int16_t ModeAreaSanshou = 50;
inline constexpr std::int16_t ModeExcelOut = 51;
inline constexpr std::int16_t ModeDatumCompare = 70;
inline constexpr std::int16_t ModeAreaSelect = 71;
inline constexpr std::int16_t ModeImageCut = 72;
inline constexpr std::int16_t ModeMoveStatElements = 80;
inline constexpr std::int16_t ModeParamFile = 81;
inline constexpr std::int16_t ModeStatElementSanshou = 82;
inline constexpr std::int16_t ModeStatisticsMap = 90;
inline constexpr std::int16_t ModeDataSanshou = 91;
inline constexpr std::int16_t ModeImport = 94;
inline constexpr std::int16_t ModeExcelLayout = 95;
inline constexpr std::int16_t ModeHelpPage = 96;
inline constexpr std::int16_t ModeLauncher = 97;
inline constexpr std::int16_t ModeClearStatisticsMap = 98;
inline constexpr std::int16_t ModeStatMapFile = 99;
inline constexpr std::int16_t ModeToggleLegend = 201;
inline constexpr std::int16_t ModeToggleCompass = 202;
inline constexpr std::int16_t ModeToggleOverview = 203;
inline constexpr std::int16_t ModeToggleScaleBar = 204;
inline constexpr std::int16_t ModeToggleRaster = 205;
inline constexpr std::int16_t ModeArea = 520;
inline constexpr std::int16_t ModeAddressSearch = 1001;
inline constexpr std::int16_t ModeHome = 1002;
inline constexpr std::int16_t ModeEditElement = 1010;
inline constexpr std::int16_t ModeAttrSearch = 1030;
inline constexpr std::int16_t ModeAttchSearch = 1031;
inline constexpr std::int16_t ModePhotoPoint = 5501;

// Every mode code above, in ascending order.
inline constexpr std::int16_t AllModeCodes[] = {ModeDisplay, ModeAddElement, ModeTextElement,
    ModeDeleteElement, ModeSearchElement, ModeDistance, ModeCircle, ModeAreaSanshou, ModeExcelOut,
    ModeDatumCompare, ModeAreaSelect, ModeImageCut, ModeMoveStatElements, ModeParamFile,
    ModeStatElementSanshou, ModeStatisticsMap, ModeDataSanshou, ModeImport, ModeExcelLayout, ModeHelpPage,
    ModeLauncher, ModeClearStatisticsMap, ModeStatMapFile, ModeToggleLegend, ModeToggleCompass,
    ModeToggleOverview, ModeToggleScaleBar, ModeToggleRaster, ModeArea, ModeAddressSearch, ModeHome,
    ModeEditElement, ModeAttrSearch, ModeAttchSearch, ModePhotoPoint};

// State codes.
inline constexpr std::int16_t StateEnter = 0;
inline constexpr std::int16_t StateLeave = -1;
inline constexpr std::int16_t StateClick = 2;
inline constexpr std::int16_t StateDblClick = 3;
inline constexpr std::int16_t StateRect = 4;
inline constexpr std::int16_t StateFound = 5;
inline constexpr std::int16_t StateMouseUp = 7;
inline constexpr std::int16_t StateMouseDown = 8;
inline constexpr std::int16_t StateKey = 10;
// A tool's own dialog asks its handler to act: 20 is the add-element dialog's
// OK; the area-selection dialog sends 99 (run the search) and 111 (search type
// changed) with the same meaning.
inline constexpr std::int16_t StateToolCommand = 20;

namespace veltra::shell {

// The text that stands for "no parameter": a single double quote.
inline QString noParameterText()
{
    return QStringLiteral("\"");
}

} // namespace veltra::shell
