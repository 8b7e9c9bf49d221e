#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace looplab::bench {

// A cyclic strain history of growing amplitude: `cycles` full cycles, `stepsPerCycle` steps
// each, the amplitude rising linearly to `peak`.
inline std::vector<double> cyclicHistory(std::size_t steps, double peak = 0.03,
                                         std::size_t stepsPerCycle = 400) {
    std::vector<double> strains(steps);
    const double pi = 3.14159265358979323846;
    for (std::size_t i = 0; i < steps; ++i) {
        const double amplitude = peak * static_cast<double>(i + 1) / static_cast<double>(steps);
        strains[i] = amplitude * std::sin(2.0 * pi * static_cast<double>(i) /
                                          static_cast<double>(stepsPerCycle));
    }
    return strains;
}

} // namespace looplab::bench
