// The pyramid window's draw: its checks, the reading of the age classes, one
// picture per area, the analysis pair and the map drawn again from DB.
#include "graphs/clsanafile.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/errors.h"
#include "shell/frmpsywait.h"
#include "statrender/clearstatmap.h"
#include "statwindow/drawstored.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmpyramid.h"
#include "statwindow/globals.h"
#include "statwindow/pyramidanalysis.h"
#include "statwindow/pyramidareareader.h"
#include "statwindow/pyramiditemlist.h"
#include "statwindow/pyramidpictures.h"
#include "statwindow/runscope.h"
#include "statwindow/statistictree.h"

#include <QGuiApplication>

using namespace veltra::statwindow;

namespace {

// Bar length of the largest class in a picture.
constexpr std::int32_t PyramidHabaMax = 15;
// The tool bar after a draw, in twips (the height counts the title bar).
constexpr int ToolBarTop = 1000;
constexpr int ToolBarHeight = 1000;
constexpr int TitleBarHeight = 440;

// Single-year items are drawn without the size frame.
const QString SingleYearItem = QStringLiteral("年齢各歳別(男女別)");

bool allZero(const std::vector<double> &series, std::int32_t classCount)
{
    for (std::int32_t j = 1; j <= classCount && static_cast<std::size_t>(j) < series.size(); ++j)
        if (series[static_cast<std::size_t>(j)] != 0)
            return false;
    return true;
}

} // namespace

void frmPyramid::refuse(const QString &message)
{
    veltra::ui::MsgBox(message, veltra::ui::vbOKOnly);
    if (m_frmWait)
        m_frmWait->hide();
    veltra::ui::WindowRegistry::instance().unload(this);
}

void frmPyramid::PyramidDraw()
{
    if (m_drawing || m_unloaded)
        return;
    veltra::statwindow::RunScope scope(this, m_drawing);

    // A new, empty list of areas without data for every draw.
    delete m_frmNotDatArea.data();
    m_frmNotDatArea = new frmNotDatArea(this);
    m_frmNotDatArea->setVisible(false);

    std::int32_t classCount = 0;
    QString label1;
    QString label2;
    bool sizeFrame = true;
    try {
        if (!prepareDraw(classCount, label1, label2, sizeFrame))
            return;
    } catch (const std::exception &e) {
        // The place names or the value files could not be read: nothing is
        // drawn and the window stays for another try.
        if (m_frmWait)
            m_frmWait->hide();
        veltra::ui::MsgBox(
            QStringLiteral("人口ピラミッドのデータを読み込めません。\n") + QString::fromUtf8(e.what()),
            veltra::ui::vbExclamation);
        return;
    }
    if (!listAreasWithoutData(classCount)) {
        refuse(nothingToDrawMessage());
        return;
    }

    // A short date leaves the label of the previous draw.
    if (m_startDate.size() > 5) {
        QString yearText;
        eraTexts(m_startDate, m_eraLabel, yearText);
    }
    OutputPyramids(classCount, label1, label2, sizeFrame);
    if (m_frmWait)
        m_frmWait->hide();
}

bool frmPyramid::prepareDraw(std::int32_t &classCount, QString &label1, QString &label2, bool &sizeFrame)
{
    if (m_areaCodes.size() <= 1) {
        refuse(scaleMessage());
        return false;
    }
    if (m_anaRange == AnaRangeNone) {
        refuse(noRangeMessage());
        return false;
    }
    if (!pyramidItems().contains(m_itemName)) {
        refuse(notPyramidItemMessage());
        return false;
    }

    veltra::ui::DoEvents();
    ComPSY::PSY_UnloadLegendForms();
    glngGraphKind = GraphKindPyramid;
    m_picMap->Cls();
    m_Graph->Clear();
    m_Graph->setAutoRedraw(false);

    const QString listFile = m_etcPath + m_statisticalDataName + QStringLiteral(".txt");
    if (!veltra::fs::fileExists(veltra::fs::resolve(listFile))) {
        refuse(noItemListMessage() + QLatin1Char('\n') + listFile);
        return false;
    }
    const QString refusal = pyramidItemRefusal(listFile, m_anaRange, m_itemName);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return false;
    }
    const PyramidItemSpec spec = readPyramidItemSpec(listFile, m_itemName);
    label1 = spec.label1;
    label2 = spec.label2;
    classCount = spec.classCount;
    if (classCount < 1) {
        refuse(notPyramidItemMessage());
        return false;
    }

    const QString folder = m_etcPath + m_statisticalDataName + QLatin1Char('\\')
        + pyramidLevelName(m_anaRange) + QLatin1Char('\\') + m_itemName;
    sizeFrame = !m_itemName.contains(SingleYearItem);
    if (m_frmWait)
        m_frmWait->show();
    ReadAgeData(
        m_cnMesh, this, m_anaRange, m_areaCodes, folder, classCount, spec.startField1, spec.startField2);
    return true;
}

bool frmPyramid::listAreasWithoutData(std::int32_t classCount)
{
    bool anyValue = false;
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
        const StatArea &area = gtypStatArea[i];
        if (allZero(area.ManValue, classCount) && allZero(area.WomanValue, classCount)) {
            m_frmNotDatArea->show();
            m_frmNotDatArea->Disp(area.AreaName);
        } else {
            anyValue = true;
        }
    }
    return anyValue;
}

void frmPyramid::OutputPyramids(
    std::int32_t classCount, const QString &label1, const QString &label2, bool sizeFrame)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool pointerBusy = true;
    try {
        writeAndDraw(classCount, label1, label2, sizeFrame, pointerBusy);
    } catch (const std::exception &e) {
        if (m_frmWait)
            m_frmWait->hide();
        veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait"));
        unsetCursor();
        if (pointerBusy)
            QGuiApplication::restoreOverrideCursor();
        veltra::ui::MsgBox(QString::number(outputFailureCode(e)) + QStringLiteral(":\n")
                + QString::fromUtf8(e.what())
                + QStringLiteral("\n\nエラーが発生しました。処理を中止します。"),
            veltra::ui::vbCritical | veltra::ui::vbOKOnly, QStringLiteral("中止"));
        return;
    }
    move(x(), veltra::ui::twipsToPixelsY(ToolBarTop));
    setFixedHeight(veltra::ui::twipsToPixelsY(ToolBarHeight - TitleBarHeight));
}

void frmPyramid::writeAndDraw(
    std::int32_t classCount, const QString &label1, const QString &label2, bool sizeFrame, bool &pointerBusy)
{
    veltra::statwindow::makeFolder(m_dbPath);
    veltra::statwindow::makeFolder(m_tempPImagePath);

    // The picture step reads an item's sub-item texts: the text that decides
    // the size frame, the class count and the two series names.
    PyramidPictureSource pictures;
    pictures.itemTexts.assign(9, QString());
    pictures.itemTexts[0] = sizeFrame ? QString() : SingleYearItem;
    pictures.itemTexts[3] = QString::number(classCount);
    pictures.itemTexts[7] = label1;
    pictures.itemTexts[8] = label2;
    pictures.expressionKind = 0;
    pictures.habaMax = PyramidHabaMax;
    pictures.leftColor = m_colors[1];
    pictures.rightColor = m_colors[2];
    pictures.pictureFolder = m_tempPImagePath;
    pictures.summary = false;
    makePyramidPictures(gtypStatArea, pictures, *m_Graph, m_picMap->canvas(), *m_picMap);

    PyramidAnalysisSource source;
    source.records = &gtypStatArea;
    source.legend = legendOf(*m_Graph);
    source.selectAddress = m_areaCodes;
    source.startDate = m_startDate;
    source.endDate = m_endDate;
    source.eraLabel = m_eraLabel;
    {
        clsAnaFile ana;
        ana.SetFormName(this);
        fillAnaFile(ana, assemblePyramidAnalysis(source));
        ana.CsvWriteReq(m_dbPath);
    }

    drawStoredAnalyses(this, pointerBusy);
}
