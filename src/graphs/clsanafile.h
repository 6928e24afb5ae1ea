#pragma once
// clsAnaFile: writes one finished analysis as the pair of files the map
// drawing reads, "tempheaderNNN.hed" and "tempdataNNN.dat" in the data
// folder's DB\; reads a header back into the statistics map window; lists
// the picture files of a folder for the item selector.
//
// One object serves one output. The owner window fills it (class ranges,
// items, selected areas, one record per area or two per flow line) and calls
// CsvWriteReq; the object adds the map centre, scale and view date (gobjZor,
// gstrSetDate1), the area level and method from the owner (GraphOwner), the
// option choices from the item selector (ItemSelection) and the gradation's
// name. glngGraphKind is read at the moment of each call.
//
// Both files are CP932 with CR LF, written by a temporary file renamed into
// place. Header and data numbers are chosen separately, each the first free
// one from 000; H1 names the data file. CsvWriteReq writes a pair or nothing:
// when no number is free, or any write fails, it leaves no file of its own
// and raises veltra::vb::FileError with a message for the user. Commas and
// double quotes in the names written become "，" and "”", so every reader
// finds the fields where the format puts them. Other failures (an owner
// without AnaRange, a file number that is not digits, an index outside a
// list) raise the errors of platform/vb/errors.h to the caller.
//
// Common use (the statistics map window, on output to the map):
//   clsAnaFile ana;
//   ana.SetFormName(this); ana.SetCtlSelect(select); ana.SetCtlGradation(grad);
//   ana.setNoticeName(..); ana.setCompName(..); ana.SetGradeNum(classes);
//   ana.setSegments(graph.Segments()); ana.setSelectAddress(codes);
//   ana.SetHead4(i, ...) per class;  ana.SetHead5(i, ...) per item;
//   ana.SetData1Area(n); ana.SetData1(i, ...) per area (or SetDtStreamline);
//   ana.CsvWriteReq(gstrDataPath + "DB\\");
#include "graphs/anafilerecords.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class ctlGradation;
class GraphOwner;
class ItemSelection;

class clsAnaFile
{
public:
    // The message of an output when every number 000 to 999 is taken.
    static QString noFreeNumberMessage();

    clsAnaFile();

    // --- properties ---
    QString Path() const { return m_strPath; }
    void setPath(const QString &path) { m_strPath = path; }
    QString FileName() const { return m_strFileName; }
    void setFileName(const QString &pattern) { m_strFileName = pattern; }
    void SetFormName(GraphOwner *owner) { m_frmOwner = owner; }
    void SetCtlSelect(ItemSelection *lnSelect) { m_ctlSelect = lnSelect; }
    void SetCtlGradation(ctlGradation *lnGradation);
    void setNoticeName(const QString &name) { m_strNoticeName = name; }
    void setCompName(const QString &name) { m_strCompName = name; }
    void SetGradeNum(std::int16_t lngGrandeNum) { m_intGradeNum = lngGrandeNum; }
    // The index of the last segment (count - 1), as clsDrawGraph::Segments().
    void setSegments(std::int32_t lngSegments) { m_lngSegments = lngSegments; }
    // The code texts of the selected areas in elements 1 to n (element 0 unused).
    void setSelectAddress(const std::vector<QString> &newSelectAddr) { m_strSelectAddress = newSelectAddr; }
    std::int32_t NextFileNo() const { return m_lngNextFileNo; }
    QString HeadFileName() const;
    QString DataFileName() const;

    // --- filling ---
    // Class lngIDX (0-based) of the SetGradeNum classes.
    void SetHead4(std::int32_t lngIDX, std::int32_t lngColor, double dblStart, double dblEnd);
    // Item or segment lngIDX (0 to Segments).
    void SetHead5(std::int32_t lngIDX, const QString &Name, std::int32_t lngColor, const QString &strStartDate,
        const QString &strEndDate);
    // Makes room for areas 1 to lngCnt, all empty.
    void SetData1Area(std::int32_t lngCnt);
    // Area lngIDX (1 to the SetData1Area count) with its values dValue(1..n);
    // strItem, dManValue and dWoManValue are accepted and not kept.
    void SetData1(std::int32_t lngIDX, std::int32_t lngXCoord, std::int32_t lngYCoord, std::int32_t lngKenCode,
        std::int32_t lngSikuCode, std::int32_t lngTyoCode, const QString &strItem, const QString &strAdrName,
        const std::vector<QVariant> &dValue, const QVariant &dManValue = {}, const QVariant &dWoManValue = {});
    // Appends the two ends of one flow line, elements 1 and 2 of the arrays;
    // lngIDX is not used.
    void SetDtStreamline(std::int32_t lngIDX, const std::vector<std::int32_t> &lngXCoord,
        const std::vector<std::int32_t> &lngYCoord, const std::vector<std::int32_t> &codes,
        const std::vector<QString> &strAdrName, double dValue, std::int32_t dRanking);

    // --- writing ---
    // Writes the pair into strDBPath (the data folder's DB\). Raises as the
    // class comment says; writes nothing for a graph kind outside 1 to 9.
    void CsvWriteReq(const QString &strDBPath);
    // The line groups of the header: 1 starts it with H1, 2 to 5 add the H2
    // lines, H3, H4 elements 0 to l_loop-1 and H5 elements 0 to l_loop-1; the
    // last group, 5, writes the whole header to the file. False, with the
    // reason in `error`, when the group cannot be built or written.
    bool CsvHeadWrite(const QString &FileNameH, std::int16_t HeaderNo, std::int32_t l_loop, QString *error = nullptr);
    // The data file: flow lines 1 to the last for kind 8 (l_loop unused),
    // else areas 1 to l_loop, the ranking map numbering its values from 1.
    bool CsvDataWrite(const QString &FileNameD, std::int32_t l_loop, QString *error = nullptr);

    // --- reading back ---
    // A header file's lines being read one after another.
    struct HeaderInput
    {
        QStringList lines;
        qsizetype next = 0;
    };
    // Restores the owner window's area level and map kind, the selector's
    // saved choices and the gradation from a header file. A file that does
    // not read restores what was read before the failure.
    void CsvReadReq(const QString &FileName);
    // Reads one group of header lines (1 H1, 2 H2, 3 H3, 4 l_loop H4 lines,
    // 5 l_loop H5 lines) into the record lists; false when it cannot.
    bool CsvRead(HeaderInput &RFile, std::int16_t HeaderNo, std::int32_t l_loop);

    // --- file search ---
    // NextFileNo = the first free number of the files of Path matching
    // FileName ("tempheader*.hed"). Raises FileError when 000 to 999 are all
    // taken, TypeMismatch when a counted name's number is not three digits.
    void FindFile();
    // Lists the picture files (bmp, gif, jpg, wmf, emf) of Path matching
    // FileName; GetSymbolFile(1 .. GetSymbolFileCnt()) gives their paths.
    void FindSymbleFile();
    std::int32_t GetSymbolFileCnt() const;
    // "" outside 1 to GetSymbolFileCnt().
    QString GetSymbolFile(std::int32_t lngIdx) const;

private:
    // The folder with a separator at its end.
    static QString withSeparator(const QString &folder);
    void BuildHeader(const QString &folder);
    // The header's lines written so far for the file being written.
    QStringList m_headLines;

    QString m_strPath;
    QString m_strFileName;
    std::int32_t m_lngNextFileNo = 0;
    std::vector<QString> m_strSymbolFile; // from index 1

    std::vector<AnaH1Record> m_typH1;
    std::vector<AnaH2Record> m_typH2;
    std::vector<AnaH3Record> m_typH3;
    std::vector<AnaH4Record> m_typH4;
    std::vector<AnaH5Record> m_typH5;
    std::vector<AnaDataRecord> m_typData; // from index 1
    std::vector<AnaFlowRecord> m_typFlow; // from index 1

    GraphOwner *m_frmOwner = nullptr;
    ItemSelection *m_ctlSelect = nullptr;
    QPointer<ctlGradation> m_ctlGradation;

    QString m_strNoticeName;
    QString m_strCompName;
    std::int32_t m_lngSegments = 0;
    std::int16_t m_intGradeNum = 0;
    std::vector<QString> m_strSelectAddress; // from index 1
};
