#include "core/LoopComputation.h"

#include <cmath>

namespace looplab {

namespace {
constexpr std::size_t progressInterval = 1 << 16; // steps between progress reports
} // namespace

LoopResult computeLoops(const std::vector<UniaxialMaterial*>& materials,
                        const std::vector<const DispHistory*>& histories,
                        const LoopOptions& options) {
    LoopResult result;
    result.strains.reserve(histories.size());
    std::size_t stepsPerMaterial = 0;
    for (const DispHistory* history : histories) {
        result.strains.push_back(history->values);
        stepsPerMaterial += history->values.size();
    }
    const std::size_t totalSteps = stepsPerMaterial * materials.size();
    std::size_t stepsDone = 0;
    result.loops.reserve(materials.size() * histories.size());

    for (UniaxialMaterial* material : materials) {
        for (std::size_t h = 0; h < histories.size(); ++h) {
            const std::vector<double>& strains = result.strains[h];
            material->revertToInitial();
            Loop& loop = result.loops.emplace_back();
            loop.name = material->name;
            loop.history = h;
            loop.stresses.resize(strains.size());
            if (options.recordTangents) {
                loop.tangents.resize(strains.size());
            }
            for (std::size_t i = 0; i < strains.size(); ++i) {
                material->applyTrialStrain(strains[i], 0.0);
                const double stress = material->currentStress();
                loop.stresses[i] = stress;
                if (options.recordTangents) {
                    loop.tangents[i] = material->currentTangent();
                }
                material->commit();
                if (loop.firstNonFiniteStep < 0 && !std::isfinite(stress)) {
                    loop.firstNonFiniteStep = static_cast<long long>(i);
                }
                if (options.progress && (++stepsDone % progressInterval) == 0) {
                    options.progress(stepsDone, totalSteps);
                }
            }
        }
    }
    if (options.progress) {
        options.progress(totalSteps, totalSteps);
    }
    return result;
}

} // namespace looplab
