// Calculation templates: one expression evaluated for many value sets, once
// compiled against parsed anew for every set; and a shipped template through
// the value lookup for every municipality of the default data.
#include "platform/analyzer/analyzerengine.h"
#include "platform/fs/filestamp.h"
#include "platform/fs/fs.h"
#include "statdata/areacalculationbinder.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/statfileformat.h"

#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>

using veltra::analyzer::AnalyzerEngine;

namespace {

constexpr int kSets = 200000;

// 15 tokens: 4 references, 3 numbers, 6 operators, 2 parentheses.
const QString kExpression = QStringLiteral("({[都道府県][人口][男]}+{[都道府県][人口][女]})*100/"
                                           "{[都道府県][人口][総人口]}-2.5*{[都道府県][面積][面積(km2)]}/7");

std::vector<std::vector<double>> valueSets()
{
    std::vector<std::vector<double>> sets(kSets);
    for (int i = 0; i < kSets; ++i)
        sets[static_cast<std::size_t>(i)] = {0, 1000.0 + i, 1100.0 + i, 2100.0 + 2 * i, 10.0 + i % 97};
    return sets;
}

void BM_CalculateCompiled(benchmark::State &state)
{
    const auto sets = valueSets();
    AnalyzerEngine engine;
    if (!engine.CheckSyntax(kExpression)) {
        state.SkipWithError("expression refused");
        return;
    }
    for (auto _ : state) {
        double sum = 0;
        QVariant result;
        for (const auto &values : sets) {
            if (engine.Calculate(values, 4, result))
                sum += result.toDouble();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["sets"] = kSets;
}
BENCHMARK(BM_CalculateCompiled)->Unit(benchmark::kMillisecond);

void BM_CalculateParsedEverySet(benchmark::State &state)
{
    const auto sets = valueSets();
    for (auto _ : state) {
        double sum = 0;
        QVariant result;
        AnalyzerEngine engine;
        for (const auto &values : sets) {
            if (engine.CheckSyntax(kExpression) && engine.Calculate(values, 4, result))
                sum += result.toDouble();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["sets"] = kSets;
}
BENCHMARK(BM_CalculateParsedEverySet)->Unit(benchmark::kMillisecond);

// Every municipality evaluated through CalcAreaValue, each call checking the
// files it reads once (per area: 0), or the whole pass inside one
// StampCheckScope as a map of every area opens it (one pass: 1).
void BM_HouseholdTemplateEveryMunicipality(benchmark::State &state)
{
    const bool onePassScope = state.range(0) != 0;
    const QString data = QStringLiteral(VELTRA_DEFAULT_DATA) + QStringLiteral("/VeltraData/");
    const QString path
        = veltra::statdata::calcTemplateFolder(data, 2) + QStringLiteral("\\1世帯当たり人員.cal");
    if (!veltra::fs::fileExists(path)) {
        state.SkipWithError("no generated default data (build veltra_default_statistics)");
        return;
    }
    const auto tmpl = veltra::statdata::readCalcTemplate(path, data);
    AnalyzerEngine engine;
    if (tmpl.fields.empty() || !engine.CheckSyntax(ComCaldoraNeo::GetCalcExpression(path, 1))) {
        state.SkipWithError("template refused");
        return;
    }
    std::vector<QString> variables{QString()};
    std::vector<QString> lists{QString()};
    for (std::int32_t i = 1; i <= engine.VariableCount(); ++i) {
        variables.push_back(engine.VariableName(i));
        for (std::size_t g = 0; g < tmpl.fields[0].tokens.size(); ++g) {
            if (tmpl.fields[0].tokens[g] == variables.back())
                lists.push_back(tmpl.fields[0].files[g]);
        }
    }
    // The codes: first field of every line of the municipal population files.
    QStringList codes;
    QDirIterator it(
        data + QStringLiteral("etc/R2国勢調査/市区町村/人口"), {QStringLiteral("*.txt")}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.fileName().endsWith(QLatin1String("Index.txt")) || !file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QByteArray code = line.split(',').value(0).trimmed();
            if (code.size() == 5
                && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
                codes << QString::fromLatin1(code);
        }
    }
    veltra::statdata::AreaCalculationBinder binder(engine);
    for (auto _ : state) {
        std::optional<veltra::fs::StampCheckScope> pass;
        if (onePassScope)
            pass.emplace();
        double sum = 0;
        for (const QString &code : codes) {
            int32_t status = 0;
            sum += ComCaldoraNeo::CalcAreaValue(code, 5, engine.VariableCount(), variables, lists, status);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["codes"] = codes.size();
}
BENCHMARK(BM_HouseholdTemplateEveryMunicipality)->Arg(0)->Arg(1)->ArgName("one_pass_scope")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
