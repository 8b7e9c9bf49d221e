#pragma once

#include "core/DispHistory.h"
#include "core/UniaxialMaterial.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace looplab {

// One force–deformation loop: the stress a material answered at each step of one history.
struct Loop {
    std::string name;             ///< the material's name at the time of the computation
    std::size_t history = 0;      ///< index into LoopResult::strains
    std::vector<double> stresses; ///< one per history step
    std::vector<double> tangents; ///< one per step when tangents were asked for, else empty
    long long firstNonFiniteStep = -1; ///< 0-based step of the first NaN/infinite stress, or −1
};

// The loops of one computation, in order: for each material, one loop per history.
struct LoopResult {
    std::vector<std::vector<double>> strains; ///< the strains of each history, step by step
    std::vector<Loop> loops;

    // Loops computed.
    int loopCount() const { return static_cast<int>(loops.size()); }
    // Points of the first loop; 0 without loops.
    int pointCount() const {
        return loops.empty() ? 0 : static_cast<int>(loops.front().stresses.size());
    }
    const std::vector<double>& strainsOf(const Loop& loop) const { return strains[loop.history]; }
};

struct LoopOptions {
    bool recordTangents = false; ///< also read currentTangent after currentStress at each step
    // Called every few ten thousand steps, and once at the end, with the steps done and the
    // steps in all, so that a window can show progress and keep itself painted.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Drives every material through every history: revertToInitial, then per step
// applyTrialStrain(strain, 0.0), currentStress (and currentTangent) and commit. The strain
// recorded is the history value itself. Status results are ignored.
LoopResult computeLoops(const std::vector<UniaxialMaterial*>& materials,
                        const std::vector<const DispHistory*>& histories,
                        const LoopOptions& options = {});

} // namespace looplab
