#pragma once

#include "core/UniaxialMaterial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace looplab::test {

// One committed step of a model example: the strain imposed and the stress and tangent the
// model must answer to it.
struct ExpectedStep {
    double strain;
    double stress;
    double tangent;
};

// |actual − expected| within tol·max(1, |expected|): relative for large values, absolute near 0.
inline ::testing::AssertionResult closeTo(double actual, double expected, double tol) {
    if (std::isnan(expected) ? std::isnan(actual)
                             : std::fabs(actual - expected) <= tol * std::fmax(1.0, std::fabs(expected))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " differs from " << expected
                                         << " by more than " << tol << " (scaled)";
}

// Drives the material through the steps (applyTrialStrain with rate 0, then commit), checking
// stress and tangent after each trial. tol as in closeTo; the default suits exact examples.
inline void expectSteps(UniaxialMaterial& material, const std::vector<ExpectedStep>& steps,
                        double tol = 1e-12) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ExpectedStep& s = steps[i];
        material.applyTrialStrain(s.strain, 0.0);
        EXPECT_TRUE(closeTo(material.currentStress(), s.stress, tol))
            << "stress at step " << i + 1 << ", strain " << s.strain;
        EXPECT_TRUE(closeTo(material.currentTangent(), s.tangent, tol))
            << "tangent at step " << i + 1 << ", strain " << s.strain;
        material.commit();
    }
}

} // namespace looplab::test
