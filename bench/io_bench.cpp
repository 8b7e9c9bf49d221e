// File-side costs of a big run: reading a 1,000,000-line history file and writing the
// 1,000,000-step CSV of 14 loops.

#include "BenchHistory.h"
#include "core/HistoryFile.h"
#include "core/LoopExport.h"
#include "core/NumberText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace looplab;

namespace {

constexpr std::size_t bigSteps = 1000000;
constexpr int bigLoops = 14;

std::filesystem::path scratchFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

void readMillionLineHistory(benchmark::State& state) {
    const std::vector<double> strains = bench::cyclicHistory(bigSteps);
    const std::filesystem::path path = scratchFile("looplab_bench_history.txt");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        for (const double strain : strains) {
            const std::string text = formatNumber(strain, '.');
            std::fprintf(file, "%s\r\n", text.c_str());
        }
        std::fclose(file);
    }
    for (auto _ : state) {
        HistoryReadResult result = readHistoryFile(path.string(), 1, '.');
        if (result.values.size() != bigSteps) {
            state.SkipWithError("history not read whole");
        }
        benchmark::DoNotOptimize(result.values.data());
    }
    std::filesystem::remove(path);
}

void writeMillionStepCsv(benchmark::State& state) {
    LoopResult result;
    result.strains.push_back(bench::cyclicHistory(bigSteps));
    for (int p = 0; p < bigLoops; ++p) {
        Loop loop;
        loop.name = "M" + std::to_string(p);
        loop.stresses.resize(bigSteps);
        for (std::size_t i = 0; i < bigSteps; ++i) {
            loop.stresses[i] = 200000.0 * result.strains[0][i] * (1.0 + 0.01 * p);
        }
        result.loops.push_back(std::move(loop));
    }
    const std::vector<LoopColumn> columns = loopColumns(result);
    const std::filesystem::path path = scratchFile("looplab_bench_loops.csv");
    for (auto _ : state) {
        const std::string error = writeLoopCsvFile(path.string(), result, columns, '.');
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
        }
    }
    std::filesystem::remove(path);
}

BENCHMARK(readMillionLineHistory)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(writeMillionStepCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
