#include "materials/steel/Steel01.h"

#include "StepTable.h"

#include <gtest/gtest.h>

using namespace looplab;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {
Steel01 defaults() { return Steel01(0, 300.0, 200000.0, 0.01, 0.0, 55.0, 0.0, 55.0); }
} // namespace

TEST(Steel01, DefaultExamples) {
    // Elastic first step; a first step past yield lands on the upper bound 2000·ε + 297.
    Steel01 a = defaults();
    expectSteps(a, {{0.001, 200.0, 200000.0}});
    Steel01 b = defaults();
    expectSteps(b, {{0.002, 301.0, 2000.0}, {0.001, 101.0, 200000.0}});
    EXPECT_EQ(b.classTag, 5);
    EXPECT_EQ(b.initialTangent(), 200000.0);
}

TEST(Steel01, ElasticUnloadingUntilTheLowerBound) {
    Steel01 s = defaults();
    // From 0.002 (σ 301) down: elastic until 2000·ε − 297 is reached, then along it.
    expectSteps(s, {{0.002, 301.0, 2000.0},
                    {0.0, 301.0 - 400.0, 200000.0},
                    {-0.002, 2000.0 * -0.002 - 297.0, 2000.0},
                    {-0.001, 2000.0 * -0.002 - 297.0 + 200.0, 200000.0}});
}

TEST(Steel01, ZeroIsotropicAmplitudesKeepTheBoundsFixed) {
    // With a1 = a3 = 0 the shift factors stay 1, so after any cycles the yield plateau is
    // where the kinematic bounds alone put it.
    Steel01 s = defaults();
    for (const double e : {0.01, -0.01, 0.02, -0.02, 0.03}) {
        s.applyTrialStrain(e, 0.0);
        s.commit();
    }
    s.applyTrialStrain(0.031, 0.0);
    EXPECT_DOUBLE_EQ(s.currentStress(), 2000.0 * 0.031 + 297.0);
    s.commit();
    s.applyTrialStrain(-0.03, 0.0);
    EXPECT_DOUBLE_EQ(s.currentStress(), 2000.0 * -0.03 - 297.0);
}

TEST(Steel01, ShiftFactorActsOnlyFromTheNextStep) {
    // Fy 300, E 200000 (εy 0.0015), a1 = 1, a2 = 1: the reversal at 0.003 sets the compressive
    // shift to 1 + (0.003/0.003)^0.8 = 2, but the reversal step still uses the old bound.
    Steel01 s(0, 300.0, 200000.0, 0.01, 1.0, 1.0, 0.0, 55.0);
    expectSteps(s, {{0.003, 2000.0 * 0.003 + 297.0, 2000.0}});
    s.applyTrialStrain(0.002, 0.0);
    EXPECT_DOUBLE_EQ(s.currentStress(), 303.0 - 200.0);
    s.commit();
    // Far into compression the lower bound now sits at 2000·ε − 2·297.
    s.applyTrialStrain(-0.01, 0.0);
    EXPECT_DOUBLE_EQ(s.currentStress(), 2000.0 * -0.01 - 2.0 * 297.0);
    EXPECT_DOUBLE_EQ(s.currentTangent(), 2000.0);
}

TEST(Steel01, TinyIncrementLeavesTheTrialStateAtTheCommittedOne) {
    Steel01 s = defaults();
    expectSteps(s, {{0.001, 200.0, 200000.0}});
    s.applyTrialStrain(0.001 + 1e-17, 0.0);
    EXPECT_EQ(s.currentStrain(), 0.001);
    EXPECT_EQ(s.currentStress(), 200.0);
    // An increment just above 2^-52 is taken.
    s.applyTrialStrain(0.001 + 4e-16, 0.0);
    EXPECT_EQ(s.currentStrain(), 0.001 + 4e-16);
}

TEST(Steel01, SecondTrialReplacesTheFirst) {
    Steel01 once = defaults(), twice = defaults();
    once.applyTrialStrain(0.0015, 0.0);
    twice.applyTrialStrain(0.004, 0.0);
    twice.applyTrialStrain(0.0015, 0.0);
    EXPECT_EQ(twice.currentStress(), once.currentStress());
    EXPECT_EQ(twice.currentTangent(), once.currentTangent());
}

TEST(Steel01, RevertToInitialRepeatsTheRunAndCloneCarriesBothCopies) {
    Steel01 s(7, 300.0, 200000.0, 0.02, 0.5, 2.0, 0.4, 3.0);
    const std::vector<double> strains{0.004, -0.003, 0.006, -0.008, 0.002, 0.01};
    std::vector<double> first;
    for (const double e : strains) {
        s.applyTrialStrain(e, 0.0);
        first.push_back(s.currentStress());
        s.commit();
    }
    s.revertToInitial();
    for (std::size_t i = 0; i < strains.size(); ++i) {
        s.applyTrialStrain(strains[i], 0.0);
        EXPECT_EQ(s.currentStress(), first[i]);
        s.commit();
    }
    // Mid-history, with a pending trial: the clone holds the same trial and committed state.
    s.applyTrialStrain(-0.004, 0.0);
    std::unique_ptr<UniaxialMaterial> copy = s.clone();
    EXPECT_EQ(copy->materialTag(), 7);
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->currentStress(), s.currentStress());
    EXPECT_EQ(copy->currentStrain(), s.currentStrain());
    copy->commit();
    s.commit();
    for (const double e : {0.003, -0.012, 0.015}) {
        s.applyTrialStrain(e, 0.0);
        copy->applyTrialStrain(e, 0.0);
        EXPECT_EQ(copy->currentStress(), s.currentStress());
        EXPECT_EQ(copy->currentTangent(), s.currentTangent());
        s.commit();
        copy->commit();
    }
}

TEST(Steel01, RespondWritesStressAndTangent) {
    Steel01 s = defaults();
    double stress = -1.0, tangent = -1.0;
    EXPECT_EQ(s.applyTrialStrainAndRespond(0.002, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, 301.0);
    EXPECT_EQ(tangent, 2000.0);
}

TEST(Steel01, ParameterCheck) {
    const ParameterValues good{300, 200000, 0.01, 0, 55, 0, 55};
    EXPECT_EQ(checkSteel01Parameters(good), "");
    auto with = [&](std::size_t i, double v) {
        ParameterValues p = good;
        p[i] = v;
        return checkSteel01Parameters(p);
    };
    EXPECT_EQ(with(1, 0.0).rfind("E = 0 is refused: ", 0), 0u);
    EXPECT_EQ(with(4, 0.0).rfind("a2 = 0 is refused: ", 0), 0u);
    EXPECT_EQ(with(6, 0.0).rfind("a4 = 0 is refused: ", 0), 0u);
    // Unusual values that compute are passed on as typed.
    EXPECT_EQ(with(0, -300.0), "");
    EXPECT_EQ(with(2, 1.0), "");
    EXPECT_EQ(with(3, 5.0), "");
}
