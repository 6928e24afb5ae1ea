#pragma once
// Binds an AnalyzerEngine's current expression as the area calculation of
// the value lookup (ComCaldoraNeo::CalcAreaValue), for as long as the binder
// lives; the previous calculation (none) is restored at its end. A caller
// that must see each evaluation (the statistics map window notes the failed
// ones) binds its own calculation instead.
#include "platform/analyzer/analyzerengine.h"
#include "statdata/comcaldoraneo.h"

namespace veltra::statdata {

class AreaCalculationBinder
{
public:
    explicit AreaCalculationBinder(const analyzer::AnalyzerEngine &engine);
    explicit AreaCalculationBinder(AreaCalculation calculation);
    ~AreaCalculationBinder();
    AreaCalculationBinder(const AreaCalculationBinder &) = delete;
    AreaCalculationBinder &operator=(const AreaCalculationBinder &) = delete;
};

} // namespace veltra::statdata
