#pragma once
// The records of the analysis file pair, one per kind of line: the header's
// H1 to H5 lines, the data file's area line (Data1) and the two lines of a
// flow (DtStreamline). Each field is one field of its line, in file order;
// the area line repeats X, Y and the three codes after its values. Colours
// are BGR Longs (&H00BBGGRR); positions are engine world coordinates.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct AnaH1Record
{
    QString Tag = QStringLiteral("H1");
    double CenterX = 0;
    double CenterY = 0;
    std::int32_t Scale = 0;
    std::int32_t DateNum = 0; // yyyymmdd
    QString Reserved1;
    QString Reserved2;
    QString DataFileName; // without folder
};

struct AnaH2Record
{
    QString Tag = QStringLiteral("H2");
    std::int16_t Level = 0; // 1 nation, 4 prefecture, 5 municipality, 6 town block
    std::int32_t KenCode = 0;
    std::int32_t SikuCode = 0;
    std::int32_t TyoCode = 0;
    std::int16_t Unit = 0;
    std::int16_t Zero1 = 0;
    std::int16_t GraphKind = 0;
    std::int16_t ExpressionKind = 0; // 1 absolute, 2 relative, 0 none
    std::int16_t H5Count = 0;
    std::int16_t FlowKind = 0; // 1 inflow, 2 outflow, 0 none
    std::int16_t FlowFlag = 0; // 5 when a flow direction is set
    std::int16_t Zero2 = 0;
};

struct AnaH3Record
{
    QString Tag = QStringLiteral("H3");
    QString NoticeName;
    QString CompName;
    std::int16_t CalcKind = 0;
    QString Template; // the calculation template's path, or empty
    QString GradationName;
    std::int16_t ClassCount = 0;
    std::int16_t Method = 0; // classification method code + 1
};

struct AnaH4Record
{
    QString Tag = QStringLiteral("H4");
    std::int16_t ClassNo = 0; // 1 for the first class
    std::int32_t Color = 0;
    double Start = 0; // the class holds values from Start on
    double End = 0; // and below End
    QString Name;
};

struct AnaH5Record
{
    QString Tag = QStringLiteral("H5");
    QString Name;
    std::int32_t Color = 0;
    QString StartDate; // as the window gives it (may carry quotes)
    QString EndDate;
};

struct AnaDataRecord
{
    std::int16_t Kind = 0; // 1 once SetData1 filled it; 0 while empty
    double X = 0;
    double Y = 0;
    double X2 = 0; // the moved position; 0 when written
    double Y2 = 0;
    std::int32_t KenCode = 0;
    std::int32_t SikuCode = 0;
    std::int32_t TyoCode = 0;
    std::int32_t Zero = 0;
    QString AdrName;
    std::vector<QVariant> Values; // used from index 1
};

struct AnaFlowRecord
{
    double X = 0;
    double Y = 0;
    std::int32_t Code = 0;
    QString AdrName;
    double Value = 0;
    std::int32_t Ranking = 0;
};
