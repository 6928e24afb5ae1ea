// clsAnaFile: reading a header file back into the statistics map window.
#include "graphs/anafilelines.h"
#include "graphs/clsanafile.h"
#include "graphs/ctlgradation.h"
#include "graphs/graphowner.h"
#include "graphs/itemselection.h"
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

#include <QRadioButton>
#include <string>

using namespace veltra;

namespace {

// The fields of the next line, or the error of reading past the end.
QStringList nextFields(clsAnaFile::HeaderInput &in)
{
    if (in.next >= in.lines.size())
        throw vb::FileError("Input past end of file");
    return graphs::anafile::inputFields(in.lines.at(in.next++));
}

// Field i of a line read by Input #; an empty field reads as 0 into a number.
const QString &field(const QStringList &fields, qsizetype i)
{
    if (i >= fields.size())
        throw vb::FileError("Input past end of line");
    return fields.at(i);
}
std::int16_t intField(const QStringList &fields, qsizetype i)
{
    const QString &t = field(fields, i);
    return t.isEmpty() ? 0 : vb::cInt(t);
}
std::int32_t longField(const QStringList &fields, qsizetype i)
{
    const QString &t = field(fields, i);
    return t.isEmpty() ? 0 : vb::cLng(t);
}
double doubleField(const QStringList &fields, qsizetype i)
{
    const QString &t = field(fields, i);
    return t.isEmpty() ? 0 : vb::cDbl(t);
}

AnaH1Record h1From(const QStringList &f)
{
    AnaH1Record r;
    r.Tag = field(f, 0);
    r.CenterX = doubleField(f, 1);
    r.CenterY = doubleField(f, 2);
    r.Scale = longField(f, 3);
    r.DateNum = longField(f, 4);
    r.Reserved1 = field(f, 5);
    r.Reserved2 = field(f, 6);
    r.DataFileName = field(f, 7);
    return r;
}

AnaH2Record h2From(const QStringList &f)
{
    AnaH2Record r;
    r.Tag = field(f, 0);
    r.Level = intField(f, 1);
    r.KenCode = longField(f, 2);
    r.SikuCode = longField(f, 3);
    r.TyoCode = longField(f, 4);
    r.Unit = intField(f, 5);
    r.Zero1 = intField(f, 6);
    r.GraphKind = intField(f, 7);
    r.ExpressionKind = intField(f, 8);
    r.H5Count = intField(f, 9);
    r.FlowKind = intField(f, 10);
    r.FlowFlag = intField(f, 11);
    r.Zero2 = intField(f, 12);
    return r;
}

AnaH3Record h3From(const QStringList &f)
{
    AnaH3Record r;
    r.Tag = field(f, 0);
    r.NoticeName = field(f, 1);
    r.CompName = field(f, 2);
    r.CalcKind = intField(f, 3);
    r.Template = field(f, 4);
    r.GradationName = field(f, 5);
    r.ClassCount = intField(f, 6);
    r.Method = intField(f, 7);
    return r;
}

AnaH4Record h4From(const QStringList &f)
{
    AnaH4Record r;
    r.Tag = field(f, 0);
    r.ClassNo = intField(f, 1);
    r.Color = longField(f, 2);
    r.Start = doubleField(f, 3);
    r.End = doubleField(f, 4);
    r.Name = field(f, 5);
    return r;
}

AnaH5Record h5From(const QStringList &f)
{
    AnaH5Record r;
    r.Tag = field(f, 0);
    r.Name = field(f, 1);
    r.Color = longField(f, 2);
    r.StartDate = field(f, 3);
    r.EndDate = field(f, 4);
    return r;
}

// The map-kind button of a graph kind; -1 for none.
std::int16_t unitButtonOf(std::int16_t graphKind)
{
    switch (graphKind) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    case 6: return 3;
    case 4: return 4;
    case 5: return 5;
    case 7: return 6;
    case 8: return 7;
    case 9: return 8;
    default: return -1;
    }
}

} // namespace

bool clsAnaFile::CsvRead(HeaderInput &RFile, std::int16_t HeaderNo, std::int32_t l_loop)
{
    try {
        switch (HeaderNo) {
        case 1:
            m_typH1.at(0) = h1From(nextFields(RFile));
            break;
        case 2:
            m_typH2.at(0) = h2From(nextFields(RFile));
            break;
        case 3:
            m_typH3.at(0) = h3From(nextFields(RFile));
            break;
        case 4:
            m_typH4.resize(l_loop < 0 ? 0 : static_cast<std::size_t>(l_loop) + 1);
            for (std::int32_t i = 0; i < l_loop; ++i)
                m_typH4[static_cast<std::size_t>(i)] = h4From(nextFields(RFile));
            break;
        case 5:
            m_typH5.resize(l_loop < 0 ? 0 : static_cast<std::size_t>(l_loop) + 1);
            for (std::int32_t i = 0; i < l_loop; ++i)
                m_typH5[static_cast<std::size_t>(i)] = h5From(nextFields(RFile));
            break;
        default:
            break;
        }
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

void clsAnaFile::CsvReadReq(const QString &FileName)
{
    HeaderInput in;
    QString error;
    if (!text::readLines(FileName, in.lines, &error))
        throw vb::FileError(error.toStdString());
    m_typH1.assign(1, AnaH1Record{});
    m_typH2.assign(1, AnaH2Record{});
    m_typH3.assign(1, AnaH3Record{});
    m_typH4.assign(1, AnaH4Record{});
    m_typH5.assign(1, AnaH5Record{});

    CsvRead(in, 1, 0);
    CsvRead(in, 2, 0);
    // One H2 line per area; the first says all the settings hold.
    while (in.next < in.lines.size() && in.lines.at(in.next).startsWith(QLatin1String("H2,")))
        ++in.next;
    const AnaH2Record &h2 = m_typH2.at(0);
    switch (h2.GraphKind) {
    case 1:
        CsvRead(in, 3, 0);
        CsvRead(in, 4, m_typH3.at(0).ClassCount);
        CsvRead(in, 5, 1);
        break;
    case 2:
    case 3:
    case 9:
        CsvRead(in, 3, 0);
        CsvRead(in, 4, 1);
        CsvRead(in, 5, h2.H5Count);
        break;
    default:
        break;
    }

    // The level the writer stored for each area level, read back.
    GraphOwner &owner = requireOwner(m_frmOwner);
    switch (h2.Level) {
    case 1: owner.setAnaRange(0); break;
    case 4: owner.setAnaRange(1); break;
    case 5: owner.setAnaRange(2); break;
    case 6: owner.setAnaRange(3); break;
    default: break;
    }
    const std::int16_t unit = unitButtonOf(h2.GraphKind);
    if (unit >= 0)
        requireControl(owner.optAnaUnit(unit), "optAnaUnit")->setChecked(true);

    if (!m_ctlSelect)
        throw vb::ObjectNotSet("ctlSelect");
    const AnaH3Record &h3 = m_typH3.at(0);
    const QString choices = QStringLiteral("%1/%2/%3/%4")
                                .arg(h2.ExpressionKind)
                                .arg(h2.FlowKind)
                                .arg(h3.CalcKind)
                                .arg(h3.Method);
    if (h2.GraphKind == 1) {
        m_ctlSelect->setSelectData(h2.GraphKind, choices, 2, h3.NoticeName + QLatin1Char('/') + h3.CompName);
    } else {
        // Kinds whose items the header does not list give empty names.
        QStringList names;
        for (std::int32_t i = 0; i < h2.H5Count; ++i)
            names.append(static_cast<std::size_t>(i) < m_typH5.size() ? m_typH5[static_cast<std::size_t>(i)].Name
                                                                        : QString());
        m_ctlSelect->setSelectData(h2.GraphKind, choices, h2.H5Count, names.join(QLatin1Char('/')));
    }
    if (h2.GraphKind == 1) {
        if (!m_ctlGradation)
            throw vb::ObjectNotSet("ctlGradation");
        m_ctlGradation->setGradationData(h3.GradationName);
    }
}
