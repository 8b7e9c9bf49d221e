// Per-model cost on the heavy history (1,000,000 steps, cycles of growing amplitude to ±3 %,
// dialog defaults), next to the floor its algorithm imposes: the time of the pow, exp and log
// calls the model makes, replayed with the very arguments it passed, in the same run.
//
// The calls are counted and their arguments recorded through the linker's --wrap of pow, exp
// and log, so nothing in the models is instrumented. The wrappers add about a nanosecond per
// call to the measured step cost.

#include "BenchHistory.h"
#include "core/NumberText.h"
#include "materials/Catalogue.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

extern "C" {
double __real_pow(double, double);
double __real_exp(double);
double __real_log(double);
}

namespace {

struct CallLog {
    bool recording = false;
    std::vector<double> powBase, powExponent, expArgument, logArgument;
    unsigned long long pows = 0, exps = 0, logs = 0;
};
CallLog calls;
constexpr std::size_t maximumRecorded = 4000000;

} // namespace

extern "C" {
double __wrap_pow(double base, double exponent) {
    ++calls.pows;
    if (calls.recording && calls.powBase.size() < maximumRecorded) {
        calls.powBase.push_back(base);
        calls.powExponent.push_back(exponent);
    }
    return __real_pow(base, exponent);
}
double __wrap_exp(double x) {
    ++calls.exps;
    if (calls.recording && calls.expArgument.size() < maximumRecorded) {
        calls.expArgument.push_back(x);
    }
    return __real_exp(x);
}
double __wrap_log(double x) {
    ++calls.logs;
    if (calls.recording && calls.logArgument.size() < maximumRecorded) {
        calls.logArgument.push_back(x);
    }
    return __real_log(x);
}
}

using namespace looplab;
using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double runOnce(UniaxialMaterial& material, const std::vector<double>& strains) {
    material.revertToInitial();
    double sum = 0.0;
    const auto start = Clock::now();
    for (const double strain : strains) {
        material.applyTrialStrain(strain, 0.0);
        sum += material.currentStress();
        material.commit();
    }
    const double seconds = secondsSince(start);
    volatile double keep = sum;
    (void)keep;
    return seconds;
}

// Seconds to replay the recorded calls, the best of three.
double replaySeconds() {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        double sum = 0.0;
        const auto start = Clock::now();
        for (std::size_t i = 0; i < calls.powBase.size(); ++i) {
            sum += __real_pow(calls.powBase[i], calls.powExponent[i]);
        }
        for (const double x : calls.expArgument) {
            sum += __real_exp(x);
        }
        for (const double x : calls.logArgument) {
            sum += __real_log(x);
        }
        best = std::min(best, secondsSince(start));
        volatile double keep = sum;
        (void)keep;
    }
    return best;
}

} // namespace

int main() {
    constexpr std::size_t steps = 1000000;
    const std::vector<double> strains = bench::cyclicHistory(steps, 0.03, 2000);
    std::printf("%-20s %10s %9s %9s %9s %12s\n", "model", "ns/step", "pow/step", "exp/step",
                "log/step", "floor ns/step");
    for (const ModelEntry& model : modelCatalogue()) {
        if (!model.available()) {
            continue;
        }
        ParameterValues values;
        for (const ParameterSpec& p : model.parameters) {
            double v = 0.0;
            parseDouble(p.defaultText, '.', v);
            values.push_back(v);
        }
        auto material = model.factory(0, values);

        calls = CallLog();
        calls.recording = true;
        runOnce(*material, strains);
        calls.recording = false;
        const double pows = double(calls.pows) / steps;
        const double exps = double(calls.exps) / steps;
        const double logs = double(calls.logs) / steps;
        // Scale the replay up when the record was capped.
        const double recorded =
            double(calls.powBase.size() + calls.expArgument.size() + calls.logArgument.size());
        const double made = double(calls.pows + calls.exps + calls.logs);
        const double floor = made == 0 ? 0.0 : replaySeconds() * (made / recorded) / steps * 1e9;

        std::vector<double> times;
        for (int run = 0; run < 3; ++run) {
            times.push_back(runOnce(*material, strains));
        }
        std::sort(times.begin(), times.end());
        const double perStep = times[1] / steps * 1e9;
        std::printf("%-20.*s %10.1f %9.2f %9.2f %9.2f %12.1f\n", int(model.className.size()),
                    model.className.data(), perStep, pows, exps, logs, floor);
    }
    return 0;
}
