#include "materials/standard/EPPGapMaterial.h"
#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {
constexpr double E = 200000.0;
constexpr double tol = 1e-9; // the examples subtract nearby strains, so a few ulps are lost

EPPGapMaterial tensionGap(int damage = 0) {
    return EPPGapMaterial(0, E, 300.0, 0.001, 0.01, damage);
}
EPPGapMaterial compressionGap() {
    return EPPGapMaterial(0, E, -300.0, -0.001, 0.01, 0);
}

void expectTrial(UniaxialMaterial& m, double strain, double stress, double tangent) {
    m.applyTrialStrain(strain, 0.0);
    EXPECT_TRUE(closeTo(m.currentStress(), stress, tol)) << "stress at strain " << strain;
    EXPECT_TRUE(closeTo(m.currentTangent(), tangent, tol)) << "tangent at strain " << strain;
}
} // namespace

TEST(EPPGapMaterialExamples, TensionGapClosesYieldsAndWidens) {
    EPPGapMaterial m = tensionGap();
    expectSteps(m,
                {
                    {0.0005, 0.0, 0.0},     // gap still open
                    {0.002, 200.0, E},      // elastic from the gap at 0.001
                    {0.003, 301.0, 2000.0}, // plastic line beyond 0.0025
                    {0.0015, 1.0, E},       // gap now closes at 0.001495
                },
                tol);
    // The yield onset moved to 0.003: exactly there the response is elastic from 0.001495.
    expectTrial(m, 0.003, 301.0, E);
    expectTrial(m, 0.0014949, 0.0, 0.0);
}

TEST(EPPGapMaterialExamples, WidenedGapClosesBackOnlyWithoutDamage) {
    const std::vector<ExpectedStep> common = {{0.003, 301.0, 2000.0}, {0.0012, 0.0, 0.0}};
    // damage 0: window (0.00119/0.99 + 0.0015, 0.0012) ≈ (0.00270202, 0.0012).
    EPPGapMaterial healing = tensionGap(0);
    expectSteps(healing, common, tol);
    expectSteps(healing, {{0.002, 160.0, E}, {0.0028, 300.6, 2000.0}}, tol);
    // Any other damage value keeps the widened window (0.003, 0.001495).
    for (int damage : {1, 2, -1}) {
        EPPGapMaterial damaged = tensionGap(damage);
        expectSteps(damaged, common, tol);
        expectSteps(damaged, {{0.002, 101.0, E}, {0.0028, 261.0, E}}, tol);
    }
}

TEST(EPPGapMaterialExamples, StrainBelowInitialGapDoesNotCloseBack) {
    // Back below the initial gap the closing-back rule does not apply: the widened window stays.
    EPPGapMaterial m = tensionGap(0);
    expectSteps(m, {{0.003, 301.0, 2000.0}, {0.0005, 0.0, 0.0}, {0.002, 101.0, E}}, tol);
}

TEST(EPPGapMaterialExamples, CompressionGapMirrorsTension) {
    EPPGapMaterial m = compressionGap();
    expectSteps(m,
                {
                    {-0.0005, 0.0, 0.0},
                    {-0.002, -200.0, E},
                    {-0.003, -301.0, 2000.0},
                    {-0.0015, -1.0, E}, // window (−0.003, −0.001495)
                },
                tol);
    expectTrial(m, -0.003, -301.0, E);
    expectTrial(m, -0.0014949, 0.0, 0.0);
    // Closing back inside the widened gap, mirrored: window ≈ (−0.00270202, −0.0012).
    EPPGapMaterial healing = compressionGap();
    expectSteps(healing,
                {{-0.003, -301.0, 2000.0},
                 {-0.0012, 0.0, 0.0},
                 {-0.002, -160.0, E},
                 {-0.0028, -300.6, 2000.0}},
                tol);
}

TEST(EPPGapMaterialExamples, WindowEdgesAreElastic) {
    EPPGapMaterial tension = tensionGap();
    expectTrial(tension, 0.001, 0.0, E);
    expectTrial(tension, 300.0 / E + 0.001, 300.0, E);
    EPPGapMaterial compression = compressionGap();
    expectTrial(compression, -0.001, 0.0, E);
    expectTrial(compression, -300.0 / E + -0.001, -300.0, E);
}

TEST(EPPGapMaterialExamples, GapOfOppositeSignStartsOnPlasticLine) {
    EPPGapMaterial m(0, E, 300.0, -0.002, 0.01, 0); // yield onset at −0.0005
    // Committing 0 moves the window to (0, −0.001505).
    expectSteps(m, {{0.0, 301.0, 2000.0}, {-0.001, 101.0, E}, {-0.002, 0.0, 0.0}}, tol);
}

TEST(EPPGapMaterialExamples, InitialTangentFollowsSignOfGap) {
    for (double Fy : {300.0, -300.0}) {
        EXPECT_EQ(EPPGapMaterial(0, E, Fy, 0.001, 0.01, 0).initialTangent(), 0.0);
        EXPECT_EQ(EPPGapMaterial(0, E, Fy, 0.0, 0.01, 0).initialTangent(), E);
        EXPECT_EQ(EPPGapMaterial(0, E, Fy, -0.001, 0.01, 0).initialTangent(), E);
    }
    EXPECT_EQ(EPPGapMaterial(3, E, 300.0, 0.0, 0.01, 0).classTag, 8);
}

TEST(EPPGapMaterialProtocol, BeforeAnyTrialReportsResponseAtZeroStrain) {
    EPPGapMaterial open = tensionGap();
    EXPECT_EQ(open.currentStrain(), 0.0);
    EXPECT_EQ(open.currentStress(), 0.0);
    EXPECT_EQ(open.currentTangent(), 0.0);
    EPPGapMaterial plastic(0, E, 300.0, -0.002, 0.01, 0);
    EXPECT_TRUE(closeTo(plastic.currentStress(), 301.0, tol));
    EXPECT_TRUE(closeTo(plastic.currentTangent(), 2000.0, tol));
}

TEST(EPPGapMaterialProtocol, OnlyCommitMovesTheWindow) {
    EPPGapMaterial m = tensionGap();
    m.applyTrialStrain(0.004, 0.0);  // would yield
    expectTrial(m, 0.002, 200.0, E); // the second trial alone counts
    m.commit();
    expectSteps(m, {{0.0015, 100.0, E}, {0.003, 301.0, 2000.0}}, tol);
}

TEST(EPPGapMaterialProtocol, RevertToCommittedRestoresStrainOnly) {
    EPPGapMaterial m = tensionGap();
    expectSteps(m, {{0.002, 200.0, E}}, tol);
    m.applyTrialStrain(0.003, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStrain(), 0.002);
    EXPECT_TRUE(closeTo(m.currentStress(), 301.0, tol)); // last trial's stress stays
    EXPECT_TRUE(closeTo(m.currentTangent(), 2000.0, tol));
    m.commit(); // commits strain 0.002: inside the window, nothing moves
    expectSteps(m, {{0.0015, 100.0, E}}, tol);
}

TEST(EPPGapMaterialProtocol, RevertToInitialRepeatsHistory) {
    const std::vector<double> history = {0.002, 0.004, 0.0012, 0.003, -0.001, 0.0035, 0.0011};
    EPPGapMaterial m = tensionGap();
    std::vector<ExpectedStep> first;
    for (double strain : history) {
        m.applyTrialStrain(strain, 0.0);
        first.push_back({strain, m.currentStress(), m.currentTangent()});
        m.commit();
    }
    const double lastStress = m.currentStress();
    m.revertToInitial();
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), lastStress); // left for the next trial to recompute
    expectSteps(m, first, 0.0);
}

TEST(EPPGapMaterialProtocol, CloneCarriesTrialStrainAndWindow) {
    EPPGapMaterial m = tensionGap();
    m.name = "gap";
    expectSteps(m, {{0.003, 301.0, 2000.0}, {0.0012, 0.0, 0.0}}, tol); // window moved
    m.applyTrialStrain(0.002, 0.0);
    const std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->materialTag(), m.materialTag());
    EXPECT_EQ(copy->currentStrain(), 0.002);
    EXPECT_EQ(copy->currentStress(), 0.0); // its own construction's, not the original's 160
    copy->revertToCommitted();
    EXPECT_EQ(copy->currentStrain(), 0.0); // the committed strain is not copied
    for (double strain : {0.002, 0.0028, 0.0015, 0.0031}) {
        m.applyTrialStrain(strain, 0.0);
        copy->applyTrialStrain(strain, 0.0);
        EXPECT_EQ(copy->currentStress(), m.currentStress()) << strain;
        EXPECT_EQ(copy->currentTangent(), m.currentTangent()) << strain;
        m.commit();
        copy->commit();
    }
}

TEST(EPPGapMaterialProtocol, CatalogueHookPassesValuesInOrder) {
    const std::unique_ptr<UniaxialMaterial> m = makeEPPGapMaterial(4, {E, 300.0, 0.001, 0.01, 1.0});
    EXPECT_EQ(m->materialTag(), 4);
    expectSteps(*m, {{0.003, 301.0, 2000.0}, {0.0012, 0.0, 0.0}, {0.002, 101.0, E}}, tol);
}

TEST(EPPGapMaterialCheck, RefusesOnlyDivisionsByZero) {
    struct Case {
        ParameterValues values;
        std::string refusedName; // empty: accepted
    };
    const std::vector<Case> cases = {
        {{200000, 300, -0.002, 0.01, 0}, ""},  {{0, 300, 0.001, 0.01, 0}, "E"},
        {{200000, 300, 0.001, 1.0, 0}, "eta"}, {{200000, 300, 0.001, 1.0, 1}, "eta"},
        {{-200000, 300, 0.001, 0.01, 0}, ""},  {{200000, 0, 0, 0, 0}, ""},
        {{200000, -300, 0.001, 2.0, 5}, ""},
    };
    for (const Case& c : cases) {
        const std::string message = checkEPPGapMaterialParameters(c.values);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
        }
    }
}
