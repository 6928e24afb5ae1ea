#include "graphs/clsanafile.h"

#include "graphs/anafilelines.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "graphs/graphowner.h"
#include "graphs/itemselection.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/subscript.h"
#include "shell/globals.h"
#include "shell/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QDate>
#include <QRadioButton>
#include <string>

using namespace veltra;

namespace {

// A list that holds indices 0 to last (none when last is below 0).
template<typename List>
void resizeTo(List &list, std::int64_t last)
{
    list.resize(last < 0 ? 0 : static_cast<std::size_t>(last) + 1);
}

// The view date as yyyymmdd: the date gstrSetDate1 names, today when it is
// blank or names no date.
std::int32_t viewDateNumber()
{
    QString text = shell::compactDate(gstrSetDate1.trimmed());
    if (text.isEmpty())
        text = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    return text.toInt();
}

// The code of characters `from` to `from + count - 1` (1-based) of an area
// code text, when the text holds them.
void takeCode(const QString &code, int from, int count, std::int32_t &into)
{
    if (code.size() >= from + count - 1)
        into = vb::cLng(code.mid(from - 1, count));
}

} // namespace

QString clsAnaFile::withSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('\\');
}

QString clsAnaFile::noFreeNumberMessage()
{
    return QStringLiteral("解析ファイルの空き番号がありません。統計地図をクリアしてから出力してください。");
}

clsAnaFile::clsAnaFile()
    : m_typH1(1)
    , m_typH2(1)
    , m_typH3(1)
    , m_typH4(1)
    , m_typH5(1)
    , m_typData(1)
    , m_typFlow(1)
{ }

void clsAnaFile::SetCtlGradation(ctlGradation *lnGradation)
{
    m_ctlGradation = lnGradation;
}

QString clsAnaFile::HeadFileName() const
{
    return QStringLiteral("tempheader%1.hed").arg(m_lngNextFileNo, 3, 10, QLatin1Char('0'));
}

QString clsAnaFile::DataFileName() const
{
    return QStringLiteral("tempdata%1.dat").arg(m_lngNextFileNo, 3, 10, QLatin1Char('0'));
}

// --- filling -------------------------------------------------------------

void clsAnaFile::SetHead4(std::int32_t lngIDX, std::int32_t lngColor, double dblStart, double dblEnd)
{
    resizeTo(m_typH4, std::int64_t(m_intGradeNum) - 1);
    AnaH4Record &r = vb::elementAt(m_typH4, lngIDX, "H4");
    r = AnaH4Record{};
    r.ClassNo = vb::cInt(double(lngIDX) + 1);
    r.Color = lngColor;
    r.Start = dblStart;
    r.End = dblEnd;
}

void clsAnaFile::SetHead5(std::int32_t lngIDX, const QString &Name, std::int32_t lngColor,
    const QString &strStartDate, const QString &strEndDate)
{
    resizeTo(m_typH5, m_lngSegments);
    AnaH5Record &r = vb::elementAt(m_typH5, lngIDX, "H5");
    r = AnaH5Record{};
    r.Name = Name;
    r.Color = lngColor;
    r.StartDate = strStartDate;
    r.EndDate = strEndDate;
}

void clsAnaFile::SetData1Area(std::int32_t lngCnt)
{
    m_typData.assign(lngCnt < 0 ? 0 : static_cast<std::size_t>(lngCnt) + 1, AnaDataRecord{});
}

void clsAnaFile::SetData1(std::int32_t lngIDX, std::int32_t lngXCoord, std::int32_t lngYCoord,
    std::int32_t lngKenCode, std::int32_t lngSikuCode, std::int32_t lngTyoCode, const QString &strItem,
    const QString &strAdrName, const std::vector<QVariant> &dValue, const QVariant &dManValue,
    const QVariant &dWoManValue)
{
    (void)strItem;
    (void)dManValue;
    (void)dWoManValue;
    AnaDataRecord &r = vb::elementAt(m_typData, lngIDX, "Data1");
    r = AnaDataRecord{};
    r.Kind = 1;
    r.X = lngXCoord;
    r.Y = lngYCoord;
    r.KenCode = lngKenCode;
    r.SikuCode = lngSikuCode;
    r.TyoCode = lngTyoCode;
    r.AdrName = strAdrName;
    r.Values.assign(1, QVariant());
    if (dValue.size() > 1)
        r.Values.insert(r.Values.end(), dValue.begin() + 1, dValue.end());
}

void clsAnaFile::SetDtStreamline(std::int32_t lngIDX, const std::vector<std::int32_t> &lngXCoord,
    const std::vector<std::int32_t> &lngYCoord, const std::vector<std::int32_t> &codes,
    const std::vector<QString> &strAdrName, double dValue, std::int32_t dRanking)
{
    (void)lngIDX;
    AnaFlowRecord ends[2];
    for (int e = 0; e < 2; ++e) {
        ends[e].X = vb::elementAt(lngXCoord, e + 1, "X");
        ends[e].Y = vb::elementAt(lngYCoord, e + 1, "Y");
        ends[e].Code = vb::elementAt(codes, e + 1, "code");
        ends[e].AdrName = vb::elementAt(strAdrName, e + 1, "name");
        ends[e].Value = dValue;
        ends[e].Ranking = dRanking;
    }
    m_typFlow.push_back(ends[0]);
    m_typFlow.push_back(ends[1]);
}

// --- building --------------------------------------------------------------

void clsAnaFile::BuildHeader(const QString &folder)
{
    m_strPath = withSeparator(folder);
    m_strFileName = QStringLiteral("tempdata*.dat");
    FindFile();

    if (!gobjZor)
        throw vb::ObjectNotSet("gobjZor");
    AnaH1Record &h1 = m_typH1.at(0);
    h1.CenterX = gobjZor->CenterX();
    h1.CenterY = gobjZor->CenterY();
    h1.Scale = vb::cLng(gobjZor->Scale());
    h1.DateNum = viewDateNumber();
    h1.Reserved1.clear();
    h1.Reserved2.clear();
    h1.DataFileName = DataFileName();

    GraphOwner &owner = requireOwner(m_frmOwner);
    const std::int32_t range = owner.AnaRange();
    AnaH2Record &h2 = m_typH2.at(0);
    h2.Level = range == 0 ? 1 : range == 1 ? 4 : range == 2 ? 5 : range == 3 ? 6 : 0;
    h2.KenCode = h2.SikuCode = h2.TyoCode = 0;
    h2.Unit = range == 0 || range == 1 ? 1 : range == 2 ? 2 : range == 3 ? 3 : 0;
    h2.Zero1 = 0;
    h2.GraphKind = 0;

    if (!m_ctlSelect) {
        h2.ExpressionKind = glngGraphKind == GraphKindPyramid ? 1 : 0;
    } else {
        const std::int16_t kind = m_ctlSelect->GetItemSelect(2);
        h2.ExpressionKind = kind == 1 || kind == 2 ? kind : 0;
    }
    h2.H5Count = 1;
    if (!m_ctlSelect) {
        h2.FlowKind = 0;
    } else {
        const std::int16_t flow = m_ctlSelect->GetItemSelect(3);
        if (flow == 1 || flow == 2) {
            h2.FlowKind = flow;
            h2.FlowFlag = 5;
        } else {
            h2.FlowKind = 0;
        }
    }

    switch (glngGraphKind) {
    case GraphKindNuri: {
        h2.GraphKind = GraphKindNuri;
        h2.H5Count = 1;
        if (!m_ctlSelect)
            throw vb::ObjectNotSet("ctlSelect");
        if (!m_ctlGradation)
            throw vb::ObjectNotSet("ctlGradation");
        AnaH3Record &h3 = m_typH3.at(0);
        h3.NoticeName = m_strNoticeName;
        h3.CompName = m_strCompName;
        const std::int16_t calc = m_ctlSelect->GetItemSelect(1);
        h3.CalcKind = calc >= 1 && calc <= 3 ? calc : 0;
        std::vector<QString> data;
        m_ctlSelect->GetSubItemData(0, 1, data);
        h3.Template = data.size() > 2 && data[2] == QLatin1String("CALC") ? data[1] : QString();
        h3.GradationName = m_ctlGradation->getColorName();
        h3.ClassCount = m_intGradeNum;
        for (std::int16_t k = 0; k <= 4; ++k) {
            if (requireControl(owner.optMethod(k), "optMethod")->isChecked()) {
                h3.Method = static_cast<std::int16_t>(k + 1);
                break;
            }
        }
        break;
    }
    case GraphKindPie:
    case GraphKindBar:
        h2.GraphKind = static_cast<std::int16_t>(glngGraphKind);
        h2.H5Count = vb::cInt(double(m_lngSegments) + 1);
        break;
    case GraphKindSymbol:
    case GraphKindRanking:
    case GraphKindValue:
    case GraphKindRyusen:
        h2.GraphKind = static_cast<std::int16_t>(glngGraphKind);
        h2.H5Count = 1;
        break;
    case GraphKindPyramid:
    case GraphKindSanpuzu:
        h2.GraphKind = static_cast<std::int16_t>(glngGraphKind);
        h2.H5Count = 2;
        break;
    default:
        break;
    }

    // Every area's line carries the level, kind and options of the first;
    // only the codes differ, and a code the area's text does not hold is 0.
    const AnaH2Record first = h2;
    m_typH2.assign(1, first);
    m_typH2.reserve(m_strSelectAddress.size());
    for (std::size_t i = 1; i < m_strSelectAddress.size(); ++i) {
        if (i > 1)
            m_typH2.push_back(first);
        AnaH2Record &r = m_typH2.back();
        const QString &t = m_strSelectAddress[i];
        takeCode(t, 1, 2, r.KenCode);
        takeCode(t, 3, 3, r.SikuCode);
        takeCode(t, 6, 6, r.TyoCode);
    }
}

// --- writing ---------------------------------------------------------------

void clsAnaFile::CsvWriteReq(const QString &strDBPath)
{
    const QString folder = withSeparator(strDBPath);
    m_strPath = folder;
    m_strFileName = QStringLiteral("tempheader*.hed");
    FindFile();
    const QString headerPath = folder + HeadFileName();

    BuildHeader(folder);
    const QString dataPath = folder + m_typH1.at(0).DataFileName;

    const std::int32_t kind = glngGraphKind;
    if (kind < GraphKindNuri || kind > GraphKindSanpuzu)
        return;
    const auto lastData = static_cast<std::int32_t>(m_typData.size()) - 1;
    QString error;
    const bool written = CsvHeadWrite(headerPath, 1, 0, &error) && CsvHeadWrite(headerPath, 2, 0, &error)
        && CsvHeadWrite(headerPath, 3, 0, &error)
        && (kind == GraphKindNuri ? CsvHeadWrite(headerPath, 4, m_intGradeNum, &error)
                                         && CsvHeadWrite(headerPath, 5, 1, &error)
                                  : CsvHeadWrite(headerPath, 4, 1, &error)
                                         && CsvHeadWrite(headerPath, 5, m_typH2.at(0).H5Count, &error))
        && CsvDataWrite(dataPath, lastData, &error);
    if (!written) {
        // Both numbers were free, so whatever stands under these names now
        // is this call's: a half pair would be drawn wrongly or not at all.
        fs::deleteFiles(headerPath);
        fs::deleteFiles(dataPath);
        throw vb::FileError(error.toStdString());
    }
}

bool clsAnaFile::CsvHeadWrite(const QString &FileNameH, std::int16_t HeaderNo, std::int32_t l_loop, QString *error)
{
    try {
        switch (HeaderNo) {
        case 1:
            m_headLines = QStringList{graphs::anafile::h1Line(m_typH1.at(0))};
            break;
        case 2:
            m_headLines.reserve(m_headLines.size() + static_cast<qsizetype>(m_typH2.size()) + 16);
            for (const AnaH2Record &r : m_typH2)
                m_headLines.append(graphs::anafile::h2Line(r));
            break;
        case 3:
            m_headLines.append(graphs::anafile::h3Line(m_typH3.at(0)));
            break;
        case 4:
            for (std::int32_t i = 0; i < l_loop; ++i)
                m_headLines.append(graphs::anafile::h4Line(vb::elementAt(m_typH4, i, "H4")));
            break;
        case 5:
            for (std::int32_t i = 0; i < l_loop; ++i)
                m_headLines.append(graphs::anafile::h5Line(vb::elementAt(m_typH5, i, "H5")));
            break;
        default:
            break;
        }
    } catch (const std::exception &e) {
        if (error)
            *error = QStringLiteral("解析ファイルを書き込めません: %1\n%2")
                         .arg(FileNameH, QString::fromStdString(e.what()));
        return false;
    }
    // The header goes to disk whole, with its last group: a reader never
    // meets a header that stops short.
    return HeaderNo != 5 || text::writeLines(FileNameH, m_headLines, error);
}

bool clsAnaFile::CsvDataWrite(const QString &FileNameD, std::int32_t l_loop, QString *error)
{
    QStringList lines;
    try {
        if (glngGraphKind == GraphKindRyusen) {
            lines.reserve(static_cast<qsizetype>(m_typFlow.size()));
            for (std::size_t i = 1; i < m_typFlow.size(); ++i)
                lines.append(graphs::anafile::flowLine(m_typFlow[i]));
        } else {
            lines.reserve(l_loop > 0 ? l_loop : 0);
            std::int32_t running = glngGraphKind == GraphKindRanking ? 1 : 0;
            for (std::int32_t i = 1; i <= l_loop; ++i) {
                const AnaDataRecord &r = vb::elementAt(m_typData, i, "Data1");
                if (r.Kind != 1)
                    throw vb::SubscriptOutOfRange("area " + std::to_string(i) + " was never filled");
                lines.append(graphs::anafile::dataLine(r, running));
            }
        }
    } catch (const std::exception &e) {
        if (error)
            *error = QStringLiteral("解析ファイルを書き込めません: %1\n%2")
                         .arg(FileNameD, QString::fromStdString(e.what()));
        return false;
    }
    return text::writeLines(FileNameD, lines, error);
}
