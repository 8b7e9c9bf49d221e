// Per-step cost of every model the catalogue can build, with its default parameters, on a
// cyclic history of growing amplitude. A model added to the catalogue is benchmarked here
// without new code.

#include "BenchHistory.h"
#include "core/NumberText.h"
#include "materials/Catalogue.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace looplab;

namespace {

constexpr std::size_t historySteps = 100000;

// Steel histories reach ±3 %; concrete ones stay near its strains of a few per mille.
double peakStrainFor(std::string_view className) {
    return className.substr(0, 8) == "Concrete" ? 0.004 : 0.03;
}

void stepCost(benchmark::State& state, const ModelEntry* model) {
    ParameterValues values;
    for (const ParameterSpec& parameter : model->parameters) {
        double value = 0.0;
        parseDouble(parameter.defaultText, '.', value);
        values.push_back(value);
    }
    auto material = model->factory(0, values);
    const std::vector<double> strains = bench::cyclicHistory(historySteps, peakStrainFor(model->className));
    for (auto _ : state) {
        material->revertToInitial();
        double sum = 0.0;
        for (const double strain : strains) {
            material->applyTrialStrain(strain, 0.0);
            sum += material->currentStress();
            material->commit();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * strains.size()));
    // Seconds per step (printed with an SI prefix: "25n" is 25 ns).
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(state.iterations() * strains.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const bool registered = [] {
    for (const ModelEntry& model : modelCatalogue()) {
        if (model.available()) {
            benchmark::RegisterBenchmark(("step/" + std::string(model.className)).c_str(),
                                         stepCost, &model)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
