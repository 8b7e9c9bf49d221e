#include "materials/standard/ElasticPPMaterial.h"

#include "StepTable.h"

#include <gtest/gtest.h>

using namespace looplab;
using looplab::test::expectSteps;

namespace {
ElasticPPMaterial defaults() { return ElasticPPMaterial(0, 200000.0, 0.002, -0.002, 0.0); }
} // namespace

TEST(ElasticPPMaterial, DefaultExamples) {
    ElasticPPMaterial m = defaults();
    // Yield at 400; plastic strain (600 − 400)/200000 = 0.001 after committing 0.003.
    expectSteps(m, {{0.001, 200.0, 200000.0}, {0.003, 400.0, 0.0}, {0.002, 200.0, 200000.0}});
    EXPECT_EQ(m.classTag, 2);
}

TEST(ElasticPPMaterial, ExactlyOnTheYieldLevelCountsAsYielding) {
    ElasticPPMaterial m = defaults();
    expectSteps(m, {{0.002, 400.0, 0.0}, {0.0, 0.0, 200000.0}});
    ElasticPPMaterial n = defaults();
    expectSteps(n, {{-0.002, -400.0, 0.0}, {0.0, 0.0, 200000.0}});
}

TEST(ElasticPPMaterial, YieldStrainSignsAreNormalised) {
    ElasticPPMaterial flipped(0, 200000.0, -0.002, 0.002, 0.0);
    ElasticPPMaterial plain = defaults();
    for (const double e : {0.003, -0.004, 0.001, 0.0025}) {
        flipped.applyTrialStrain(e, 0.0);
        plain.applyTrialStrain(e, 0.0);
        EXPECT_EQ(flipped.currentStress(), plain.currentStress());
        EXPECT_EQ(flipped.currentTangent(), plain.currentTangent());
        flipped.commit();
        plain.commit();
    }
}

TEST(ElasticPPMaterial, InitialStrainShiftsTheZeroStress) {
    ElasticPPMaterial m(0, 200000.0, 0.002, -0.002, 0.001);
    expectSteps(m, {{0.0, -200.0, 200000.0}});
}

TEST(ElasticPPMaterial, OnlyCommitMovesThePlasticStrain) {
    ElasticPPMaterial m = defaults();
    m.applyTrialStrain(0.003, 0.0);
    m.applyTrialStrain(0.003, 0.0);
    m.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), 200.0) << "uncommitted trials accumulate nothing";

    m.applyTrialStrain(0.003, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStress(), 0.0);
    m.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), 200.0) << "the reverted step's plastic strain is not applied";
}

TEST(ElasticPPMaterial, CloneCarriesOnlyThePlasticStrain) {
    ElasticPPMaterial m(3, 200000.0, 0.002, -0.002, 0.0);
    m.applyTrialStrain(0.003, 0.0);
    m.commit();
    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_EQ(copy->materialTag(), 3);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), 200000.0);
    m.applyTrialStrain(0.002, 0.0);
    copy->applyTrialStrain(0.002, 0.0);
    EXPECT_EQ(copy->currentStress(), m.currentStress());
    EXPECT_EQ(m.currentStress(), 200.0);
}

TEST(ElasticPPMaterial, RevertToInitialRepeatsTheRun) {
    ElasticPPMaterial m = defaults();
    const std::vector<double> strains{0.003, -0.004, 0.0, 0.005, -0.001};
    std::vector<double> first;
    for (const double e : strains) {
        m.applyTrialStrain(e, 0.0);
        first.push_back(m.currentStress());
        m.commit();
    }
    m.revertToInitial();
    for (std::size_t i = 0; i < strains.size(); ++i) {
        m.applyTrialStrain(strains[i], 0.0);
        EXPECT_EQ(m.currentStress(), first[i]);
        m.commit();
    }
}

TEST(ElasticPPMaterial, ParameterCheck) {
    const ParameterValues good{200000, 0.002, -0.002, 0};
    EXPECT_EQ(checkElasticPPMaterialParameters(good), "");
    struct Case {
        std::size_t index;
        double value;
        const char* prefix;
    };
    for (const Case c : {Case{0, 0.0, "E = 0 is refused: "}, Case{0, -5.0, "E = -5 is refused: "},
                         Case{1, 0.0, "epsyP = 0 is refused: "},
                         Case{2, 0.0, "epsyN = 0 is refused: "}}) {
        ParameterValues p = good;
        p[c.index] = c.value;
        EXPECT_EQ(checkElasticPPMaterialParameters(p).rfind(c.prefix, 0), 0u) << c.prefix;
    }
    ParameterValues swapped{200000, -0.002, 0.002, 0.001};
    EXPECT_EQ(checkElasticPPMaterialParameters(swapped), "");
}
