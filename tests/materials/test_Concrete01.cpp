#include "materials/concrete/Concrete01.h"
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

constexpr double eps52 = 2.220446049250313e-16;

// Dialog defaults: initial modulus 24000, descending slope -20/0.003.
Concrete01 defaultConcrete() {
    return Concrete01(0, -24.0, -0.002, -4.0, -0.005);
}
constexpr double descendingSlope = -20.0 / 0.003;

// A history with reversals in both branches, tension and the residual plateau.
const std::vector<double> mixedHistory = {
    -0.0005, -0.001, -0.0004, 0.0002, -0.0008, -0.0015, -0.0025, -0.0012, -0.0001, 0.0005,
    -0.002,  -0.003, -0.0045, -0.002, -0.006,  -0.0035, 0.0,     -0.0065, -0.007,  0.001};

struct Unloading {
    double slope;
    double endStrain;
};

// Commits a single compressive step from the virgin state and a full unloading to zero strain,
// then reloads to probeStrain (between the minimum and the end strain) and reads the line back
// from the stress and tangent there.
Unloading unloadingLineAfter(double minStrain, double probeStrain) {
    Concrete01 c = defaultConcrete();
    c.applyTrialStrain(minStrain, 0.0);
    c.commit();
    c.applyTrialStrain(0.0, 0.0);
    c.commit();
    c.applyTrialStrain(probeStrain, 0.0);
    return {c.currentTangent(), probeStrain - c.currentStress() / c.currentTangent()};
}

} // namespace

TEST(Concrete01, InitialState) {
    Concrete01 c = defaultConcrete();
    EXPECT_EQ(c.classTag, 4);
    EXPECT_EQ(c.currentStrain(), 0.0);
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));
    EXPECT_TRUE(closeTo(c.initialTangent(), 24000.0, 1e-12));
}

TEST(Concrete01, BackboneFromVirginState) {
    const std::vector<ExpectedStep> cases = {
        {-0.001, -18.0, 12000.0},
        {-0.002, -24.0, descendingSlope}, // exactly epsc0: the descending line, not the peak
        {-0.0035, -14.0, descendingSlope},
        {-0.005, -4.0, 0.0}, // exactly epsU: the residual plateau
        {-0.006, -4.0, 0.0},
    };
    for (const ExpectedStep& step : cases) {
        Concrete01 c = defaultConcrete();
        expectSteps(c, {step});
    }
}

TEST(Concrete01, UnloadingLineFromBackbonePoint) {
    // Ends on the line from the minimum point: ratio·epsc0 with η = 0.5, 1 and the capped 2.5.
    Unloading atHalfPeak = unloadingLineAfter(-0.001, -0.0005);
    EXPECT_TRUE(closeTo(atHalfPeak.endStrain, -0.0002025, 1e-12));
    EXPECT_TRUE(closeTo(atHalfPeak.slope, -18.0 / (-0.001 + 0.0002025), 1e-12));
    EXPECT_TRUE(closeTo(atHalfPeak.slope, 22570.53, 1e-6));

    Unloading atPeak = unloadingLineAfter(-0.002, -0.001);
    EXPECT_TRUE(closeTo(atPeak.endStrain, -0.00055, 1e-12));
    EXPECT_TRUE(closeTo(atPeak.slope, 16551.72, 1e-6));

    // η = 1.5 still takes the quadratic ratio; η = 2 exactly takes the linear one (0.834).
    Unloading descending = unloadingLineAfter(-0.003, -0.002);
    const double descendingStress = -24.0 + (-0.001) * descendingSlope;
    EXPECT_TRUE(closeTo(descendingStress, -52.0 / 3.0, 1e-12));
    EXPECT_TRUE(closeTo(descending.endStrain, -0.0010425, 1e-12));
    EXPECT_TRUE(closeTo(descending.slope, descendingStress / (-0.003 + 0.0010425), 1e-12));
    Unloading atTwicePeak = unloadingLineAfter(-0.004, -0.003);
    EXPECT_TRUE(closeTo(atTwicePeak.endStrain, -0.001668, 1e-12));

    Unloading pastCrushing = unloadingLineAfter(-0.006, -0.004);
    EXPECT_TRUE(closeTo(pastCrushing.endStrain, -0.002375, 1e-12));
    EXPECT_TRUE(closeTo(pastCrushing.slope, -4.0 / (-0.006 + 0.002375), 1e-12));
    EXPECT_TRUE(closeTo(pastCrushing.slope, 1103.45, 5e-6));
}

TEST(Concrete01, UnloadingWithInitialModulusWhenLineWouldBeSteeper) {
    // εm = -0.0001: η = 0.05, the line to ratio·epsc0 would be steeper than 24000, so the end
    // strain becomes εm − σm/E0 = -0.0001 + 2.34/24000 and the slope the initial modulus.
    Unloading small = unloadingLineAfter(-0.0001, -0.00005);
    EXPECT_TRUE(closeTo(small.slope, 24000.0, 1e-12));
    EXPECT_NEAR(small.endStrain, -0.0001 + 2.34 / 24000.0, 1e-15);
}

TEST(Concrete01, NearZeroSpanKeepsRatioEndStrain) {
    // A minimum of -2.4e-16 leaves the span to ratio·epsc0 at about -2.1e-16, above -2^-52, so
    // the end strain stays ratio·epsc0 (about -3.1e-17) with the initial modulus. A zero
    // threshold would send it to the elastic-span rule instead, with the end strain at about 0.
    Concrete01 c = defaultConcrete();
    const double minStrain = -2.4e-16;
    c.applyTrialStrain(minStrain, 0.0);
    c.commit();
    c.applyTrialStrain(0.0, 0.0);
    c.commit();
    EXPECT_NEAR(c.currentStress(), 0.0, 1e-20);
    c.applyTrialStrain(-2.3e-16, 0.0);
    const double eta = minStrain / -0.002;
    const double endStrain = (0.145 * eta * eta + 0.13 * eta) * -0.002;
    EXPECT_NEAR(c.currentStress(), 24000.0 * (-2.3e-16 - endStrain), 1e-14);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));
}

TEST(Concrete01, UnloadReloadSequence) {
    const double slope = 24.0 / 0.00145;
    const double onLine = -24.0 + slope * 0.001;
    EXPECT_TRUE(closeTo(onLine, -7.448, 1e-4));
    Concrete01 c = defaultConcrete();
    expectSteps(c,
                {
                    {-0.002, -24.0, descendingSlope},
                    {-0.001, onLine, slope}, // on the unloading line
                    {-0.0004, 0.0, 0.0},     // past the end strain -0.00055
                    {-0.0005, 0.0, 0.0},     // still short of the end strain
                    {-0.001, onLine, slope}, // back on the line
                    {-0.0015, -24.0 + slope * 0.0005, slope},
                    {-0.0025, -24.0 + (-0.0005) * descendingSlope, descendingSlope},
                },
                1e-12);
}

TEST(Concrete01, ReloadingFromGapRejoinsLineWithItsOwnStress) {
    // From the gap, the line through the committed point (stress 0) would give a lower stress
    // than the unloading line; the larger (less compressive) one is taken.
    const double slope = 24.0 / 0.00145;
    Concrete01 c = defaultConcrete();
    expectSteps(c, {{-0.002, -24.0, descendingSlope}, {-0.0003, 0.0, 0.0}});
    c.applyTrialStrain(-0.0008, 0.0);
    EXPECT_TRUE(closeTo(c.currentStress(), slope * (-0.0008 + 0.00055), 1e-12));
    EXPECT_TRUE(closeTo(c.currentTangent(), slope, 1e-12));
}

TEST(Concrete01, ReturnToTheMinimumFromTheGapTakesTheBackbone) {
    // Reaching the minimum strain again counts as loading further: backbone stress and tangent.
    Concrete01 c = defaultConcrete();
    expectSteps(
        c,
        {{-0.002, -24.0, descendingSlope}, {-0.0004, 0.0, 0.0}, {-0.002, -24.0, descendingSlope}});
}

TEST(Concrete01, EndStrainIsRecomputedFromTheMinimum) {
    // After the minimum -0.002 the end strain is -0.002 − (−0.002 − (−0.00055)), which rounds
    // to one unit below -0.00055, so the strain -0.00055 itself lies in the gap, not on the line.
    Concrete01 c = defaultConcrete();
    expectSteps(c, {{-0.002, -24.0, descendingSlope}, {0.0, 0.0, 0.0}});
    c.applyTrialStrain(-0.00055, 0.0);
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_EQ(c.currentTangent(), 0.0);
    c.applyTrialStrain(-0.0005500000000000001, 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24.0 / 0.00145, 1e-12));
}

TEST(Concrete01, TensionGivesZeroAndKeepsHistory) {
    const double slope = 24.0 / 0.00145;
    Concrete01 c = defaultConcrete();
    expectSteps(c, {
                       {0.001, 0.0, 0.0},
                       {-0.002, -24.0, descendingSlope},
                       {0.003, 0.0, 0.0},
                       {0.0005, 0.0, 0.0},
                       // the minimum, end strain and slope of -0.002 survive the tension
                       {-0.001, slope * (-0.001 + 0.00055), slope},
                       {-0.0021, -24.0 + (-0.0001) * descendingSlope, descendingSlope},
                   });
}

TEST(Concrete01, IncrementBelowMachineEpsilonChangesNothing) {
    Concrete01 c = defaultConcrete();
    c.applyTrialStrain(1.0e-16, 0.0);
    EXPECT_EQ(c.currentStrain(), 0.0);
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));

    // An increment of exactly 2^-52 is not below it.
    c.applyTrialStrain(-eps52, 0.0);
    EXPECT_EQ(c.currentStrain(), -eps52);
    EXPECT_LT(c.currentStress(), 0.0);

    // The trial drops any earlier uncommitted trial before the early return.
    Concrete01 d = defaultConcrete();
    expectSteps(d, {{-0.001, -18.0, 12000.0}});
    d.applyTrialStrain(-0.003, 0.0);
    d.applyTrialStrain(-0.001 + 1.0e-17, 0.0);
    EXPECT_EQ(d.currentStrain(), -0.001);
    EXPECT_TRUE(closeTo(d.currentStress(), -18.0, 1e-12));
    EXPECT_TRUE(closeTo(d.currentTangent(), 12000.0, 1e-12));
}

TEST(Concrete01, RespondWritesStressAndTangentOnEveryPath) {
    Concrete01 c = defaultConcrete();
    double stress = 999.0;
    double tangent = 999.0;
    EXPECT_EQ(c.applyTrialStrainAndRespond(-0.001, stress, tangent, 0.0), 0);
    EXPECT_TRUE(closeTo(stress, -18.0, 1e-12));
    EXPECT_TRUE(closeTo(tangent, 12000.0, 1e-12));
    c.commit();

    stress = tangent = 999.0;
    c.applyTrialStrainAndRespond(-0.001, stress, tangent, 0.0); // early return
    EXPECT_EQ(stress, c.currentStress());
    EXPECT_EQ(tangent, c.currentTangent());
    EXPECT_TRUE(closeTo(stress, -18.0, 1e-12));

    stress = tangent = 999.0;
    c.applyTrialStrainAndRespond(0.002, stress, tangent, 0.0); // tension
    EXPECT_EQ(stress, 0.0);
    EXPECT_EQ(tangent, 0.0);
}

TEST(Concrete01, PositiveMagnitudesBehaveAsTheirNegatives) {
    Concrete01 negative = defaultConcrete();
    Concrete01 positive(0, 24.0, 0.002, 4.0, 0.005);
    Concrete01 mixed(0, 24.0, -0.002, 4.0, -0.005);
    EXPECT_EQ(positive.initialTangent(), negative.initialTangent());
    EXPECT_EQ(positive.currentTangent(), negative.currentTangent());
    for (double strain : mixedHistory) {
        negative.applyTrialStrain(strain, 0.0);
        positive.applyTrialStrain(strain, 0.0);
        mixed.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(positive.currentStress(), negative.currentStress()) << "strain " << strain;
        EXPECT_EQ(positive.currentTangent(), negative.currentTangent()) << "strain " << strain;
        EXPECT_EQ(mixed.currentStress(), negative.currentStress()) << "strain " << strain;
        EXPECT_EQ(mixed.currentTangent(), negative.currentTangent()) << "strain " << strain;
        negative.commit();
        positive.commit();
        mixed.commit();
    }
}

TEST(Concrete01, SecondTrialBeforeCommitStartsFromCommittedState) {
    Concrete01 twice = defaultConcrete();
    Concrete01 once = defaultConcrete();
    for (double strain : mixedHistory) {
        twice.applyTrialStrain(strain - 0.0013, 0.0);
        twice.applyTrialStrain(strain, 0.0);
        once.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(twice.currentStrain(), once.currentStrain());
        EXPECT_EQ(twice.currentStress(), once.currentStress()) << "strain " << strain;
        EXPECT_EQ(twice.currentTangent(), once.currentTangent()) << "strain " << strain;
        twice.commit();
        once.commit();
    }
}

TEST(Concrete01, RevertToCommittedDropsTrial) {
    Concrete01 c = defaultConcrete();
    expectSteps(c, {{-0.001, -18.0, 12000.0}});
    c.applyTrialStrain(-0.006, 0.0);
    EXPECT_EQ(c.revertToCommitted(), 0);
    EXPECT_EQ(c.currentStrain(), -0.001);
    EXPECT_TRUE(closeTo(c.currentStress(), -18.0, 1e-12));
    c.commit(); // commits the reverted state: the -0.006 excursion left no trace
    c.applyTrialStrain(-0.0005, 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), -18.0 / (-0.001 + 0.0002025), 1e-12));
}

TEST(Concrete01, RevertToInitialRepeatsTheFirstRun) {
    Concrete01 c = defaultConcrete();
    std::vector<double> first;
    for (double strain : mixedHistory) {
        c.applyTrialStrain(strain, 0.0);
        first.push_back(c.currentStress());
        first.push_back(c.currentTangent());
        c.commit();
    }
    c.applyTrialStrain(-0.004, 0.0); // an uncommitted trial must not survive either
    EXPECT_EQ(c.revertToInitial(), 0);
    EXPECT_EQ(c.currentStrain(), 0.0);
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));
    std::size_t i = 0;
    for (double strain : mixedHistory) {
        c.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(c.currentStress(), first[i++]) << "strain " << strain;
        EXPECT_EQ(c.currentTangent(), first[i++]) << "strain " << strain;
        c.commit();
    }
}

TEST(Concrete01, CloneCopiesCommittedStateOnly) {
    Concrete01 c(7, 24.0, 0.002, 4.0, 0.005);
    c.name = "core";
    expectSteps(c, {{-0.002, -24.0, descendingSlope},
                    {-0.001, -24.0 + 0.001 * 24.0 / 0.00145, 24.0 / 0.00145}});
    c.applyTrialStrain(-0.0045, 0.0); // uncommitted: not copied

    std::unique_ptr<UniaxialMaterial> copy = c.clone();
    EXPECT_EQ(copy->materialTag(), 7);
    EXPECT_EQ(copy->classTag, 4);
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->initialTangent(), c.initialTangent());
    // Its trial state is the constructor's initial one until the next trial.
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_TRUE(closeTo(copy->currentTangent(), 24000.0, 1e-12));

    c.revertToCommitted();
    for (double strain : {-0.0004, -0.0009, -0.0022, 0.001, -0.003}) {
        c.applyTrialStrain(strain, 0.0);
        copy->applyTrialStrain(strain, 0.0);
        EXPECT_EQ(copy->currentStress(), c.currentStress()) << "strain " << strain;
        EXPECT_EQ(copy->currentTangent(), c.currentTangent()) << "strain " << strain;
        c.commit();
        copy->commit();
    }
}

TEST(Concrete01, CloneRevertToCommittedLoadsCopiedState) {
    Concrete01 c = defaultConcrete();
    expectSteps(c, {{-0.001, -18.0, 12000.0}});
    std::unique_ptr<UniaxialMaterial> copy = c.clone();
    copy->revertToCommitted();
    EXPECT_EQ(copy->currentStrain(), -0.001);
    EXPECT_EQ(copy->currentStress(), c.currentStress());
    EXPECT_EQ(copy->currentTangent(), c.currentTangent());
}

TEST(Concrete01, BaseSlotsForwardToApplyTrialStrain) {
    Concrete01 c = defaultConcrete();
    EXPECT_EQ(c.applyTrialStrainAtTemperature(-0.001, 300.0, 0.5), 0);
    EXPECT_TRUE(closeTo(c.currentStress(), -18.0, 1e-12));
    EXPECT_EQ(c.currentStrainRate(), 0.0);
}

TEST(Concrete01, MakeUsesCatalogueOrder) {
    std::unique_ptr<UniaxialMaterial> m = makeConcrete01(3, {-24.0, -0.002, -4.0, -0.005});
    EXPECT_EQ(m->materialTag(), 3);
    expectSteps(*m, {{-0.0035, -14.0, descendingSlope}, {-0.007, -4.0, 0.0}});
}

TEST(Concrete01, EqualPeakAndCrushingStrainsCompute) {
    // The descending line is never evaluated, so epsc0 = epsU needs no refusal.
    Concrete01 c(0, -24.0, -0.002, -4.0, -0.002);
    expectSteps(c, {{-0.001, -18.0, 12000.0}, {-0.002, -4.0, 0.0}, {-0.003, -4.0, 0.0}});
    c.applyTrialStrain(-0.0025, 0.0);
    EXPECT_TRUE(std::isfinite(c.currentStress()));
    EXPECT_TRUE(std::isfinite(c.currentTangent()));
}

TEST(Concrete01, ParameterCheck) {
    struct Case {
        ParameterValues values;
        std::string refusedParameter; ///< empty when accepted
    };
    const std::vector<Case> cases = {
        {{-24.0, -0.002, -4.0, -0.005}, ""},
        {{24.0, 0.002, 4.0, 0.005}, ""},     // magnitudes are negated by the constructor
        {{-24.0, -0.002, -4.0, -0.002}, ""}, // epsU = epsc0 never divides
        {{-24.0, -0.002, 0.0, 0.0}, ""},
        {{0.0, -0.002, -4.0, -0.005}, "fpc"},
        {{-0.0, -0.002, -4.0, -0.005}, "fpc"},
        {{-24.0, 0.0, -4.0, -0.005}, "epsc0"},
        {{0.0, 0.0, -4.0, -0.005}, "fpc"},
    };
    for (const Case& c : cases) {
        const std::string message = checkConcrete01Parameters(c.values);
        if (c.refusedParameter.empty()) {
            EXPECT_EQ(message, "") << "fpc " << c.values[0] << ", epsc0 " << c.values[1];
        } else {
            EXPECT_EQ(message.rfind(c.refusedParameter + " = ", 0), 0u) << message;
            EXPECT_NE(message.find(" is refused: "), std::string::npos) << message;
        }
    }
}
