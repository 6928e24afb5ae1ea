#pragma once
// The statistics windows that modes 90 to 99, the 統計機能 menu and the
// extension tool bar open, registered by the statistics subsystems.
//
// StatisticsWindows holds the statistics map and what goes with it;
// DataReferenceWindow the data reference window (frmPSYDataSanshou), which
// the area reference tool (mode 50) fills with the clicked area.
#include <QString>
#include <cstdint>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct StatisticsWindows
{
    std::function<void()> showStatisticsMap; // 90, 99: statistics map window
    std::function<void()> showExcelLayout; // 95: spreadsheet-template chooser
    std::function<void()> unloadLegendForms; // 98: statistics legend pop-ups
    std::function<void(zorvik::Zorvik *, bool keepFiles)> clearStatisticsMap; // 98
    // 99: load and draw a saved map file behind the wait dialog.
    std::function<void()> showWaitDialog;
    std::function<void()> processEvents;
    std::function<void(QString &file)> readStatisticsMapFile;
    std::function<void()> unloadWaitDialog;
    // 82 leave: untick the statistics map window's data-reference switch.
    std::function<void()> untickDataSansho;
};

struct DataReferenceWindow
{
    std::function<void()> show; // 91
    std::function<void(const QString &code)> setAddressCode; // frmPSYDataSanshou.AddressCode
    std::function<void(std::int32_t x, std::int32_t y)> drawArea; // .DrawCaldoraArea
    std::function<bool(const QString &field)> setBunya; // .SetBunya
};

} // namespace veltra::shell
