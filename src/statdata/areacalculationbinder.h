#pragma once
// Binds an AnalyzerEngine's current expression as the area calculation of
// the value lookup (ComCaldoraNeo::CalcAreaValue), for as long as the binder
// lives; the previous calculation (none) is restored at its end.
#include "platform/analyzer/analyzerengine.h"

namespace veltra::statdata {

class AreaCalculationBinder
{
public:
    explicit AreaCalculationBinder(const analyzer::AnalyzerEngine &engine);
    ~AreaCalculationBinder();
    AreaCalculationBinder(const AreaCalculationBinder &) = delete;
    AreaCalculationBinder &operator=(const AreaCalculationBinder &) = delete;
};

} // namespace veltra::statdata
