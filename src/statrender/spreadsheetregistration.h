#pragma once
// Plugs the spreadsheet export into the shell: the layout chooser becomes
// the statistics table's showExcelLayout (mode 95 and the menu item
// ﾚｲｱｳﾄ印刷), and ComPSY::ExcelOutMode the handler of mode 51.
namespace veltra::statrender {

void registerSpreadsheetExport();

} // namespace veltra::statrender
