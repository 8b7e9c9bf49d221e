#include "materials/standard/HystereticMaterial.h"
#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {
constexpr double tol = 1e-9;

// The dialog defaults with the last five parameters (pinchx pinchy damage1 damage2 beta) free.
HystereticMaterial defaults(double pinchx = 1.0, double pinchy = 1.0, double damage1 = 0.0,
                            double damage2 = 0.0, double beta = 0.0, double s3p = 410.0) {
    return HystereticMaterial(0, 300, 0.002, 400, 0.02, s3p, 0.05, -200, -0.002, -400, -0.02, -410,
                              -0.05, pinchx, pinchy, damage1, damage2, beta);
}

ParameterValues defaultValues() {
    return {300,   0.002, 400,   0.02, 410, 0.05, -200, -0.002, -400,
            -0.02, -410,  -0.05, 1,    1,   0.0,  0.0,  0.0};
}

// With the defaults: slopes 150000, 50000/9, 1000/3 (positive), 100000, 100000/9, 1000/3.
constexpr double slope1Pos = 150000.0;
constexpr double slope2Pos = 50000.0 / 9.0;
constexpr double slope1Neg = 100000.0;
constexpr double slope2Neg = 100000.0 / 9.0;
constexpr double stressAt001 = 3100.0 / 9.0; // 344.44 on the second positive branch

// Unloading from (0.01, 344.44) reaches zero stress at 0.01 − 344.44/150000 ≈ 0.0077037; the
// reloading line then runs to (−0.002, −200) with slope 200/(0.0077037 + 0.002) ≈ 20610.69.
const double zeroStrainFrom001 = 0.01 - stressAt001 / slope1Pos;
const double reloadSlopeTo002 = -200.0 / (-0.002 - zeroStrainFrom001);

void expectAllFinite(UniaxialMaterial& m, const std::vector<double>& history) {
    for (double strain : history) {
        m.applyTrialStrain(strain, 0.0);
        ASSERT_TRUE(std::isfinite(m.currentStress())) << strain;
        ASSERT_TRUE(std::isfinite(m.currentTangent())) << strain;
        m.commit();
    }
}
} // namespace

TEST(HystereticMaterialExamples, PositiveEnvelope) {
    HystereticMaterial m = defaults();
    expectSteps(m, {{0.001, 150.0, slope1Pos},
                    {0.01, stressAt001, slope2Pos},
                    {0.06, 1240.0 / 3.0, 1000.0 / 3.0}}); // rising third branch continues
}

TEST(HystereticMaterialExamples, NegativeEnvelope) {
    HystereticMaterial m = defaults();
    expectSteps(m, {{-0.001, -100.0, slope1Neg},
                    {-0.01, -2600.0 / 9.0, slope2Neg},
                    {-0.06, -1240.0 / 3.0, 1000.0 / 3.0}});
}

TEST(HystereticMaterialExamples, FallingThirdBranchIsCutOffAtThirdPoint) {
    HystereticMaterial m = defaults(1, 1, 0, 0, 0, /*s3p=*/250.0); // third slope −5000
    expectSteps(m, {{0.03, 350.0, -5000.0}, {0.06, 250.0, slope1Pos * 1.0e-9}}, tol);
}

TEST(HystereticMaterialExamples, UnloadingThroughZeroAndReloading) {
    HystereticMaterial m = defaults();
    expectSteps(m,
                {
                    {0.01, stressAt001, slope2Pos},
                    {0.009, 1750.0 / 9.0, slope1Pos}, // 194.44, unloading
                    {0.007, -50.0 / 9.0, slope1Neg},  // −5.56, elastic predictor kept
                    {0.006, (0.006 - zeroStrainFrom001) * reloadSlopeTo002,
                     reloadSlopeTo002}, // −35.11 on the reloading line
                    {0.0, -zeroStrainFrom001 * reloadSlopeTo002, reloadSlopeTo002}, // −158.78
                    {-0.002, -200.0, slope1Neg}, // back on the envelope at its extreme
                    {-0.0021, -200.0 - 0.0001 * slope2Neg, slope2Neg}, // −201.11
                },
                tol);
    EXPECT_TRUE(closeTo(zeroStrainFrom001, 0.0077037, 1e-7));
    EXPECT_TRUE(closeTo(reloadSlopeTo002, 20610.69, 1e-6));
}

TEST(HystereticMaterialExamples, JumpPastZeroStressLandsOnReloadingLine) {
    // From 0.009 (194.44) one step to 0: the elastic predictor 194.44 − 900 lies below the
    // reloading line and is rejected.
    HystereticMaterial m = defaults();
    expectSteps(m,
                {{0.01, stressAt001, slope2Pos},
                 {0.009, 1750.0 / 9.0, slope1Pos},
                 {0.0, -zeroStrainFrom001 * reloadSlopeTo002, reloadSlopeTo002}},
                tol);
    // The same jump taken at the reversal itself, towards an extreme already at −0.003
    // (stress −211.11).
    HystereticMaterial reversing = defaults();
    const double target = -200.0 - 0.001 * slope2Neg;
    const double slope = target / (-0.003 - zeroStrainFrom001);
    expectSteps(reversing,
                {{-0.003, target, slope2Neg},
                 {0.01, stressAt001, slope2Pos},
                 {0.0, -zeroStrainFrom001 * slope, slope}},
                tol);
}

TEST(HystereticMaterialExamples, ZeroStrainBeforeAnyNegativeStepIsOnNegativeEnvelope) {
    // Both extremes start at 0, so 0 after a positive excursion is on the negative envelope.
    HystereticMaterial m = defaults();
    expectSteps(m, {{0.01, stressAt001, slope2Pos}, {0.0, 0.0, slope1Neg}});
}

TEST(HystereticMaterialExamples, ZeroFirstStepChangesNothing) {
    HystereticMaterial m = defaults();
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), slope1Pos);
    m.commit();
    expectSteps(m, {{0.0, 0.0, slope1Pos}, {0.001, 150.0, slope1Pos}, {0.0, 0.0, slope1Neg}});
}

TEST(HystereticMaterialExamples, EnvelopeTangentAtZeroIsFirstSlope) {
    HystereticMaterial fromNegative = defaults();
    expectSteps(fromNegative, {{-0.001, -100.0, slope1Neg}, {0.0, 0.0, slope1Pos}});
    HystereticMaterial fromPositive = defaults();
    expectSteps(fromPositive, {{0.001, 150.0, slope1Pos}, {0.0, 0.0, slope1Neg}});
}

TEST(HystereticMaterialExamples, DuctilityDamageMovesTargetOutwards) {
    // After −0.01 (ductility 5 on the negative side) damage1 = 0.5 gives damage 0.5·4 = 2, so
    // the positive target moves from 0.01 to 0.03 (stress 403.33). Reloading leaves zero stress
    // at −0.01 + 288.89/100000.
    const double stressAtMinus001 = -2600.0 / 9.0;
    const double zeroStrain = -0.01 - stressAtMinus001 / slope1Neg;
    const std::vector<ExpectedStep> common = {{0.01, stressAt001, slope2Pos},
                                              {-0.01, stressAtMinus001, slope2Neg}};

    HystereticMaterial damaged = defaults(1, 1, 0.5);
    expectSteps(damaged, common, tol);
    const double slopeToTarget = (1210.0 / 3.0) / (0.03 - zeroStrain); // ≈ 10868.26
    expectSteps(damaged,
                {{0.0, -zeroStrain * slopeToTarget, slopeToTarget},
                 {0.02, (0.02 - zeroStrain) * slopeToTarget, slopeToTarget}}, // under 400
                tol);

    HystereticMaterial intact = defaults();
    expectSteps(intact, common, tol);
    const double slopeToOld = stressAt001 / (0.01 - zeroStrain); // ≈ 20129.87
    expectSteps(intact, {{0.0, -zeroStrain * slopeToOld, slopeToOld}, {0.02, 400.0, slope2Pos}},
                tol);
}

TEST(HystereticMaterialExamples, EnergyDamageMovesTargetOutwards) {
    // Energy after 0 → 0.01 → −0.01 is 7/6; minus the recoverable 288.89²/200000 leaves
    // W ≈ 0.749383, so damage2 = 1 gives damage W/36.5 and the target 0.01·(1 + W/36.5).
    HystereticMaterial m = defaults(1, 1, 0.0, 1.0);
    expectSteps(m,
                {{0.01, stressAt001, slope2Pos},
                 {-0.01, -2600.0 / 9.0, slope2Neg},
                 {0.0, 141.91695145936362, 19957.07129897301}},
                1e-8);
}

TEST(HystereticMaterialExamples, BetaDegradesUnloadingStiffness) {
    // beta 1 after 0.01: (0.01/0.002)^1 = 5, so unloading runs at 150000/5.
    HystereticMaterial m = defaults(1, 1, 0, 0, 1.0);
    expectSteps(m, {{0.01, stressAt001, slope2Pos}, {0.009, 2830.0 / 9.0, 30000.0}}, tol);
}

TEST(HystereticMaterialExamples, PinchedReloadingHasTwoSegments) {
    // pinchx = pinchy = 0.5 towards (−0.002, −200): pinch strain −0.002 + 100/100000 = −0.001,
    // change strain halfway from 0.0077037 to it, at stress −100.
    HystereticMaterial m = defaults(0.5, 0.5);
    const double changeStrain = zeroStrainFrom001 + (-0.001 - zeroStrainFrom001) * 0.5;
    const double firstSlope = -100.0 / (changeStrain - zeroStrainFrom001);
    const double secondSlope = -100.0 / (-0.002 - changeStrain);
    expectSteps(m,
                {{0.01, stressAt001, slope2Pos},
                 {0.005, (0.005 - zeroStrainFrom001) * firstSlope, firstSlope},   // −62.13
                 {0.0, -100.0 + (0.0 - changeStrain) * secondSlope, secondSlope}, // −162.63
                 {-0.002, -200.0, slope1Neg}},
                tol);
}

TEST(HystereticMaterialExamples, PinchedDamagedCyclesStayFiniteAndTargetsGrow) {
    const double amplitude = 0.01;
    std::vector<double> cycle;
    for (int i = 1; i <= 20; ++i) {
        cycle.push_back(amplitude * i / 20.0);
    }
    for (int i = 19; i >= -20; --i) {
        cycle.push_back(amplitude * i / 20.0);
    }
    for (int i = -19; i <= 0; ++i) {
        cycle.push_back(amplitude * i / 20.0);
    }

    HystereticMaterial m = defaults(0.6, 0.4, 0.05, 0.1, 0.3);
    std::vector<double> positivePeaks, negativePeaks;
    for (int n = 0; n < 6; ++n) {
        for (double strain : cycle) {
            m.applyTrialStrain(strain, 0.0);
            ASSERT_TRUE(std::isfinite(m.currentStress())) << "cycle " << n << ", " << strain;
            ASSERT_TRUE(std::isfinite(m.currentTangent())) << "cycle " << n << ", " << strain;
            if (strain == amplitude) {
                positivePeaks.push_back(m.currentStress());
            }
            if (strain == -amplitude) {
                negativePeaks.push_back(m.currentStress());
            }
            m.commit();
        }
    }
    ASSERT_EQ(positivePeaks.size(), 6u);
    ASSERT_EQ(negativePeaks.size(), 6u);
    // Each reversal pushes the opposite target beyond the amplitude, so reloading reaches the
    // amplitude below the envelope and lower in every cycle.
    EXPECT_TRUE(closeTo(positivePeaks[0], stressAt001, tol));
    for (std::size_t n = 1; n < positivePeaks.size(); ++n) {
        EXPECT_LT(positivePeaks[n], positivePeaks[n - 1]) << "cycle " << n;
        EXPECT_GT(negativePeaks[n], negativePeaks[n - 1]) << "cycle " << n;
    }
    EXPECT_GT(negativePeaks[0], -2600.0 / 9.0); // the first negative peak is already damaged
    // A step beyond the amplitude is still inside the moved target: below the envelope there.
    m.applyTrialStrain(0.0105, 0.0);
    EXPECT_LT(m.currentStress(), 300.0 + 0.0085 * slope2Pos);
    m.commit();
    expectAllFinite(m, {0.02, -0.03, 0.06, -0.06, 0.0});
}

TEST(HystereticMaterialProtocol, SecondTrialReplacesFirst) {
    const std::vector<double> history = {0.01, 0.004, -0.006, 0.002, 0.012, -0.001};
    HystereticMaterial once = defaults(0.7, 0.5, 0.1, 0.1, 0.2);
    HystereticMaterial twice = defaults(0.7, 0.5, 0.1, 0.1, 0.2);
    for (double strain : history) {
        twice.applyTrialStrain(-strain + 0.003, 0.0); // a different trial, then the real one
        twice.applyTrialStrain(strain, 0.0);
        once.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(twice.currentStress(), once.currentStress()) << strain;
        EXPECT_EQ(twice.currentTangent(), once.currentTangent()) << strain;
        once.commit();
        twice.commit();
    }
}

TEST(HystereticMaterialProtocol, VanishingIncrementKeepsPreviousTrial) {
    HystereticMaterial m = defaults();
    expectSteps(m, {{0.01, stressAt001, slope2Pos}});
    m.applyTrialStrain(0.009, 0.0);
    m.applyTrialStrain(0.01, 0.0); // no increment from the committed strain
    EXPECT_EQ(m.currentStrain(), 0.01);
    EXPECT_TRUE(closeTo(m.currentStress(), 1750.0 / 9.0, tol));
    EXPECT_EQ(m.currentTangent(), slope1Pos);
}

TEST(HystereticMaterialProtocol, RevertToCommittedLeavesTangent) {
    HystereticMaterial m = defaults();
    expectSteps(m, {{0.01, stressAt001, slope2Pos}});
    m.applyTrialStrain(0.007, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStrain(), 0.01);
    EXPECT_TRUE(closeTo(m.currentStress(), stressAt001, tol));
    EXPECT_EQ(m.currentTangent(), slope1Neg); // the dropped trial's tangent stays
    expectSteps(m, {{0.009, 1750.0 / 9.0, slope1Pos}}, tol);
}

TEST(HystereticMaterialProtocol, RevertToInitialRepeatsHistory) {
    const std::vector<double> history = {0.0, 0.012, -0.004, 0.003, -0.025, 0.03, 0.0, 0.0};
    HystereticMaterial m = defaults(0.6, 0.4, 0.05, 0.1, 0.3);
    std::vector<ExpectedStep> first;
    for (double strain : history) {
        m.applyTrialStrain(strain, 0.0);
        first.push_back({strain, m.currentStress(), m.currentTangent()});
        m.commit();
    }
    m.revertToInitial();
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), slope1Pos);
    EXPECT_EQ(m.initialTangent(), slope1Pos);
    expectSteps(m, first, 0.0);
}

TEST(HystereticMaterialProtocol, CloneCarriesCommittedStateAndTangent) {
    HystereticMaterial m = defaults(0.6, 0.4, 0.05, 0.1, 0.3);
    m.name = "hys";
    expectAllFinite(m, {0.01, -0.008, 0.004});
    const std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->materialTag(), m.materialTag());
    EXPECT_EQ(copy->classTag, 7);
    EXPECT_EQ(copy->currentStrain(), 0.0); // trial strain and stress are not copied
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), m.currentTangent());
    for (double strain : {0.003, 0.012, -0.004, -0.02, 0.005}) {
        m.applyTrialStrain(strain, 0.0);
        copy->applyTrialStrain(strain, 0.0);
        EXPECT_EQ(copy->currentStress(), m.currentStress()) << strain;
        EXPECT_EQ(copy->currentTangent(), m.currentTangent()) << strain;
        m.commit();
        copy->commit();
    }
}

TEST(HystereticMaterialProtocol, CloneStartsWithoutLoadingDirection) {
    // The clone's trial loading direction is the constructed 0, so a next step of exactly 0
    // returns at once there while the original moves onto the reloading line.
    HystereticMaterial m = defaults();
    expectSteps(m, {{0.01, stressAt001, slope2Pos}, {0.009, 1750.0 / 9.0, slope1Pos}}, tol);
    const std::unique_ptr<UniaxialMaterial> copy = m.clone();
    m.applyTrialStrain(0.0, 0.0);
    copy->applyTrialStrain(0.0, 0.0);
    EXPECT_TRUE(closeTo(m.currentStress(), -zeroStrainFrom001 * reloadSlopeTo002, tol));
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), slope1Pos);
}

TEST(HystereticMaterialProtocol, CatalogueHookPassesValuesInOrder) {
    ParameterValues values = defaultValues();
    values[14] = 0.5; // damage1
    const std::unique_ptr<UniaxialMaterial> m = makeHystereticMaterial(9, values);
    EXPECT_EQ(m->materialTag(), 9);
    HystereticMaterial reference = defaults(1, 1, 0.5);
    for (double strain : {0.01, -0.01, 0.0, 0.02, -0.005}) {
        m->applyTrialStrain(strain, 0.0);
        reference.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(m->currentStress(), reference.currentStress()) << strain;
        m->commit();
        reference.commit();
    }
}

TEST(HystereticMaterialCheck, RefusesOnlyDivisionsByZero) {
    struct Case {
        int index;
        double value;
        std::string refusedName; // empty: accepted
    };
    // Index −1 is the defaults. Full pinching (pinchx or pinchy 0) and falling or sign-changing
    // third branches compute, so they are accepted. Without pinching (the defaults) a negative
    // damage factor moves the reloading target inside the extreme strain and reloading towards
    // it divides 0/0.
    const std::vector<Case> cases = {
        {-1, 0.0, ""},         {1, 0.0, "e1p"},    {7, 0.0, "e1n"},    {3, 0.002, "e2p"},
        {5, 0.02, "e3p"},      {9, -0.002, "e2n"}, {11, -0.02, "e3n"}, {16, -0.5, "beta"},
        {16, 0.5, ""},         {12, 0.0, ""},      {13, 0.0, ""},      {14, -0.2, "damage1"},
        {15, -0.5, "damage2"}, {15, 2.0, ""},      {4, 250.0, ""},     {4, -100.0, ""},
        {1, -0.002, ""},       {7, 0.002, ""},     {16, 2.0, ""},
    };
    for (const Case& c : cases) {
        ParameterValues values = defaultValues();
        if (c.index >= 0) {
            values[c.index] = c.value;
        }
        const std::string message = checkHystereticMaterialParameters(values);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "index " << c.index;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
        }
    }
    // A negative side mirroring the positive one with positive stresses: the areas cancel
    // (binary-exact values, so the sum is exactly 0).
    const ParameterValues cancelling = {1, 0.5, 2, 1, 3, 2, 1, -0.5, 2, -1, 3, -2, 1, 1, 0, 0, 0};
    EXPECT_EQ(checkHystereticMaterialParameters(cancelling).rfind("envelopeEnergy = 0 ", 0), 0u);
    ParameterValues flatPositive = defaultValues();
    flatPositive[0] = flatPositive[2] = flatPositive[4] = 0.0;
    EXPECT_EQ(checkHystereticMaterialParameters(flatPositive).rfind("maxSlopePos = 0 ", 0), 0u);
    ParameterValues flatNegative = defaultValues();
    flatNegative[6] = flatNegative[8] = flatNegative[10] = 0.0;
    EXPECT_EQ(checkHystereticMaterialParameters(flatNegative).rfind("maxSlopeNeg = 0 ", 0), 0u);
}

TEST(HystereticMaterialCheck, RefusesWronglySignedFirstStrainsWhereTheyBreakTheRules) {
    // Each case changes some defaults; the result is the refused name, or empty.
    struct Case {
        std::vector<std::pair<int, double>> changes;
        std::string refusedName;
    };
    const std::vector<Case> cases = {
        // The degradation raises extreme/e1 to the power beta: a fractional beta needs e1p > 0
        // and e1n < 0; an integer one does not.
        {{{1, -0.002}, {16, 0.5}}, "e1p"},
        {{{7, 0.002}, {16, 0.5}}, "e1n"},
        {{{1, -0.002}, {16, 2.0}}, ""},
        // With a damage factor a wrong sign can move the reloading target inside the extreme
        // strain or across zero, with or without pinching.
        {{{1, -0.002}, {14, 0.5}}, "e1p"},
        {{{7, 0.002}, {14, 0.5}, {12, 0.5}}, "e1n"},
        {{{1, -0.002}, {15, 0.5}, {13, 0.5}}, "e1p"},
        // With pinching the reloading line does not end at its target, so a negative damage
        // factor computes.
        {{{14, -0.2}, {12, 0.5}}, ""},
        {{{15, -0.5}, {13, 0.5}}, ""},
        // A negative envelope area turns the energy damage negative (both sides' stresses
        // flipped); without damage2 it is only unusual.
        {{{0, -300}, {2, -400}, {4, -410}, {6, 200}, {8, 400}, {10, 410}, {15, 1.0}},
         "envelopeEnergy"},
        {{{0, -300}, {2, -400}, {4, -410}, {6, 200}, {8, 400}, {10, 410}}, ""},
    };
    for (const Case& c : cases) {
        ParameterValues values = defaultValues();
        for (const auto& [index, value] : c.changes) {
            values[static_cast<std::size_t>(index)] = value;
        }
        const std::string message = checkHystereticMaterialParameters(values);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "first change at index " << c.changes.front().first;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
        }
    }
}
