// Map output of the statistics map window ("地図へ出力"): the preview becomes
// a new analysis file pair in DB, every stored analysis is drawn on the map
// again, and the window shrinks to its tool bar. "統計地図設定" brings the
// wizard back.
//
// The window stays disabled for the whole output: it lets window messages
// through once per area, and a second output or a graph creation started in
// the middle would change the records being written.
#include "graphs/clsanafile.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "graphs/picturebox.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/errors.h"
#include "shell/frmpsywait.h"
#include "statwindow/drawstored.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/mapoutput.h"
#include "statwindow/outputlayout.h"
#include "statwindow/pyramidpictures.h"
#include "statwindow/runscope.h"

#include <QGuiApplication>
#include <QRadioButton>
#include <limits>

using namespace veltra::statwindow;

namespace {

constexpr int MapKindPyramidOption = 6;
// Where the window waits while the map is drawn: out of the map's way.
constexpr int OutputParkLeft = -500;


} // namespace

void frmStatisticsMap::cmdMapOut_Click()
{
    if (m_mapOutputRunning || m_graphCreating)
        return;
    if (m_lngAnaRange == AnaRangeNone) {
        veltra::ui::MsgBox(QStringLiteral("分析範囲が選択されていません。"), veltra::ui::vbOKOnly);
        return;
    }
    int mapKind = 0;
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(m_optAnaUnit.size()); ++i) {
        if (m_optAnaUnit[static_cast<std::size_t>(i)]->isChecked()) {
            mapKind = i;
            break;
        }
    }

    int failure = 0;
    QString description;
    const int leftBefore = x();
    {
        veltra::statwindow::RunScope scope(this, m_mapOutputRunning);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_outputPointerBusy = true;
        if (m_frmWait)
            m_frmWait->show();
        move(veltra::ui::twipsToPixelsX(OutputParkLeft), y());
        try {
            writeAndDrawOutput(mapKind);
        } catch (const std::exception &e) {
            failure = outputFailureCode(e);
            description = QString::fromUtf8(e.what());
        }
    }
    if (failure != 0) {
        recoverFromOutputFailure(failure, description, leftBefore);
        return;
    }
    ShowCompactToolBar(CompactHeightAfterOutput);
    move(leftBefore, y());
}

void frmStatisticsMap::writeAndDrawOutput(int mapKind)
{
    veltra::statwindow::makeFolder(m_strDBPath);
    veltra::statwindow::makeFolder(m_strTempPImagePath);

    if (mapKind == MapKindPyramidOption) {
        PyramidPictureSource source;
        m_ctlSelect->GetSubItemData(0, 1, source.itemTexts);
        source.expressionKind = m_ctlSelect->ExpressionKind();
        source.habaMax = m_ctlSelect->HabaMax();
        QString name;
        m_Graph->GetHead5(0, name, source.leftColor);
        m_Graph->GetHead5(1, name, source.rightColor);
        source.pictureFolder = m_strTempPImagePath;
        makePyramidPictures(gtypStatArea, source, *m_Graph, m_picMap->canvas(), *m_picMap);
    }

    OutputSource source;
    source.mapKind = mapKind;
    source.records = &gtypStatArea;
    source.legend = legendOf(*m_Graph);
    source.selector = selectorOf(*m_ctlSelect);
    source.years = &m_typYearList;
    source.selectAddress = statAreaReader().selectAddr();
    source.prefLookup = [this](std::int32_t code) -> std::optional<PrefPlace> {
        // The lookup leaves its arguments alone when no row has the code.
        PrefPlace place;
        place.x = std::numeric_limits<std::int32_t>::min();
        if (!statAreaReader().GetPrefPosition(code, place.name, place.x, place.y)
            || place.x == std::numeric_limits<std::int32_t>::min())
            return std::nullopt;
        return place;
    };
    const AnalysisCalls calls = assembleAnalysis(source);
    {
        clsAnaFile ana;
        ana.SetFormName(this);
        ana.SetCtlSelect(m_ctlSelect);
        ana.SetCtlGradation(m_ctlGradation);
        fillAnaFile(ana, calls);
        ana.CsvWriteReq(m_strDBPath);
    }

    if (m_frmWait)
        m_frmWait->hide();
    drawStoredAnalyses(this, m_outputPointerBusy);
}

void frmStatisticsMap::recoverFromOutputFailure(int code, const QString &description, int leftBefore)
{
    cmdReDisp_Click();
    move(leftBefore, y());
    if (m_frmWait)
        m_frmWait->hide();
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait"));
    unsetCursor();
    // The pointer may have been given back before the failure.
    if (m_outputPointerBusy) {
        QGuiApplication::restoreOverrideCursor();
        m_outputPointerBusy = false;
    }
    veltra::ui::MsgBox(QString::number(code) + QStringLiteral(":\n") + description
            + QStringLiteral("\n\nエラーが発生しました。処理を中止します。"),
        veltra::ui::vbCritical | veltra::ui::vbOKOnly, QStringLiteral("中止"));
}

void frmStatisticsMap::cmdReDisp_Click()
{
    showFullLayout(*this);
}
