#include "statdata/areacalculationbinder.h"

#include "statdata/comcaldoraneo.h"

#include <utility>

namespace veltra::statdata {

AreaCalculationBinder::AreaCalculationBinder(const analyzer::AnalyzerEngine &engine)
{
    setAreaCalculation([&engine](QVariant &result, const std::vector<double> &values) {
        return engine.Calculate(values, static_cast<std::int32_t>(values.size()) - 1, result);
    });
}

AreaCalculationBinder::AreaCalculationBinder(AreaCalculation calculation)
{
    setAreaCalculation(std::move(calculation));
}

AreaCalculationBinder::~AreaCalculationBinder()
{
    setAreaCalculation(nullptr);
}

} // namespace veltra::statdata
