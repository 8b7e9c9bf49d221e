#include "materials/concrete/Concrete02.h"
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
constexpr double tiny = 1.0e-10;

// Dialog defaults: E0 = 24000, focal point (8/21600, 24000·8/21600), tension limits
// ε0 = 4/24000 and εu = 4·(1/20000 + 1/24000).
Concrete02 defaultConcrete() {
    return Concrete02(0, -24.0, -0.002, -4.0, -0.005, 0.1, 4.0, 20000.0);
}
constexpr double descendingSlope = -20.0 / 0.003;
constexpr double crackingStrain = 4.0 / 24000.0;

// Reloading line after the minimum -0.002: slope 13875, zero-stress strain -0.002 + 24/13875.
constexpr double reloadSlope = 13875.0;
constexpr double zeroStressStrain = -0.002 + 24.0 / 13875.0;

const std::vector<double> mixedHistory = {0.0001,  0.0003,  -0.0005, -0.001,  -0.0004, 0.0002,
                                          -0.0008, -0.0015, -0.0025, -0.0012, -0.0001, 0.0005,
                                          -0.002,  -0.003,  -0.0045, -0.002,  -0.006,  -0.0035,
                                          0.0,     -0.0065, 0.00005, 0.001,   -0.007,  0.0002};

} // namespace

TEST(Concrete02, InitialState) {
    Concrete02 c = defaultConcrete();
    EXPECT_EQ(c.classTag, 25);
    EXPECT_EQ(c.currentStrain(), 0.0);
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));
    EXPECT_TRUE(closeTo(c.initialTangent(), 24000.0, 1e-12));
}

TEST(Concrete02, DefaultSequence) {
    Concrete02 c = defaultConcrete();
    expectSteps(c, {
                       {0.0001, 2.4, 24000.0},
                       {0.0002, 4.0 - 20000.0 * (0.0002 - crackingStrain), -20000.0},
                       {0.0004, 0.0, tiny}, // beyond εu: tensile excursion 0.0004
                       // the elastic predictor -9.6 is lifted to the reloading line and
                       // capped by the half-slope line, both 0 here
                       {0.0, 0.0, 12000.0},
                       {-0.001, -18.0, 12000.0},
                       {-0.002, -24.0, 0.0}, // parabola at the peak
                       {-0.001, -5.0625, 0.5 * reloadSlope},
                       // past εt but within the excursion: the secant to the envelope at 0.0004
                       {-0.0002, 0.0, 0.0},
                       {-0.006, -4.0, tiny},
                   });
    EXPECT_TRUE(closeTo(zeroStressStrain, -0.00027027, 1e-5));
    EXPECT_TRUE(closeTo(4.0 - 20000.0 * (0.0002 - crackingStrain), 3.3333, 1e-4));
}

TEST(Concrete02, CompressionEnvelopeBoundaries) {
    const std::vector<ExpectedStep> cases = {
        {-0.002, -24.0, 0.0},              // exactly epsc0: the parabola
        {-0.0035, -14.0, descendingSlope}, // descending line
        {-0.005, -4.0, tiny},              // exactly epsU: the residual branch
        {-0.008, -4.0, tiny},
    };
    for (const ExpectedStep& step : cases) {
        Concrete02 c = defaultConcrete();
        expectSteps(c, {step});
        EXPECT_EQ(c.currentTangent() == tiny, step.tangent == tiny) << "strain " << step.strain;
    }
}

TEST(Concrete02, TensionEnvelopeBoundaries) {
    const double softeningEnd = 4.0 * (1.0 / 20000.0 + 1.0 / 24000.0);
    {
        Concrete02 c = defaultConcrete();
        expectSteps(c, {{crackingStrain, 4.0, 24000.0}}); // ε0 itself is still linear
    }
    {
        Concrete02 c = defaultConcrete();
        c.applyTrialStrain(softeningEnd, 0.0); // εu itself is still softening
        EXPECT_EQ(c.currentTangent(), -20000.0);
        EXPECT_NEAR(c.currentStress(), 0.0, 1e-12);
    }
    {
        Concrete02 c = defaultConcrete();
        c.applyTrialStrain(softeningEnd * (1.0 + 1e-12), 0.0);
        EXPECT_EQ(c.currentStress(), 0.0);
        EXPECT_EQ(c.currentTangent(), tiny);
    }
}

TEST(Concrete02, ReentryIntoTensionFollowsSecant) {
    const double peakStress = 4.0 - 20000.0 * (0.0002 - crackingStrain);
    const double secant = peakStress / 0.0002;
    Concrete02 c = defaultConcrete();
    expectSteps(c, {
                       {0.0002, peakStress, -20000.0},
                       {0.0001, secant * 0.0001, secant},
                       {0.00005, secant * 0.00005, secant},
                       {0.00015, secant * 0.00015, secant},
                       {0.0002, secant * 0.0002, secant}, // the excursion itself: still secant
                       // beyond the excursion: back on the softening envelope
                       {0.0003, 4.0 - 20000.0 * (0.0003 - crackingStrain), -20000.0},
                       {0.0001, 0.0001 * (4.0 - 20000.0 * (0.0003 - crackingStrain)) / 0.0003,
                        (4.0 - 20000.0 * (0.0003 - crackingStrain)) / 0.0003},
                   });
}

TEST(Concrete02, FirstTensionAfterCompressionIsMeasuredFromZeroStressStrain) {
    const double excursion = 0.00005 - zeroStressStrain;
    Concrete02 c = defaultConcrete();
    expectSteps(c, {
                       {-0.002, -24.0, 0.0},
                       // no tension so far: εn = εt, so any strain past εt is a new excursion
                       {-0.0002, (-0.0002 - zeroStressStrain) * 24000.0, 24000.0},
                       {0.00005, 4.0 - 20000.0 * (excursion - crackingStrain), -20000.0},
                   });
}

TEST(Concrete02, UnloadingIsBoundedByReloadingAndHalfSlopeLines) {
    Concrete02 c = defaultConcrete();
    expectSteps(c, {
                       {-0.002, -24.0, 0.0},
                       // elastic predictor -12 lies between both lines
                       {-0.0015, -12.0, 24000.0},
                       {-0.001, -5.0625, 0.5 * reloadSlope}, // predictor 0 capped from above
                       // predictor -26.6625 lifted to the reloading line -22.6125
                       {-0.0019, -24.0 + reloadSlope * 0.0001, reloadSlope},
                       {-0.0025, -24.0 + (-0.0005) * descendingSlope, descendingSlope},
                   });
}

TEST(Concrete02, IncrementBelowMachineEpsilonReturnsAtOnce) {
    Concrete02 c = defaultConcrete();
    c.applyTrialStrain(1.0e-16, 0.0);
    EXPECT_EQ(c.currentStrain(), 1.0e-16); // the strain just given is reported
    EXPECT_EQ(c.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(c.currentTangent(), 24000.0, 1e-12));

    // Exactly 2^-52 is not below it: the envelope applies.
    c.applyTrialStrain(-eps52, 0.0);
    EXPECT_LT(c.currentStress(), 0.0);

    // Stress and tangent are not reloaded from the committed state: an uncommitted trial's
    // values stay.
    Concrete02 d = defaultConcrete();
    expectSteps(d, {{-0.001, -18.0, 12000.0}});
    d.applyTrialStrain(-0.002, 0.0);
    d.applyTrialStrain(-0.001 + 1.0e-17, 0.0);
    EXPECT_EQ(d.currentStrain(), -0.001 + 1.0e-17);
    EXPECT_TRUE(closeTo(d.currentStress(), -24.0, 1e-12));
    EXPECT_EQ(d.currentTangent(), 0.0);
}

TEST(Concrete02, RespondKeepsBaseBehaviour) {
    Concrete02 c = defaultConcrete();
    double stress = 999.0;
    double tangent = 998.0;
    EXPECT_EQ(c.applyTrialStrainAndRespond(-0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, 999.0);
    EXPECT_EQ(tangent, 998.0);
    EXPECT_TRUE(closeTo(c.currentStress(), -18.0, 1e-12));
    EXPECT_EQ(c.applyTrialStrainAtTemperature(-0.002, 300.0, 0.5), 0);
    EXPECT_TRUE(closeTo(c.currentStress(), -24.0, 1e-12));
    EXPECT_EQ(c.currentStrainRate(), 0.0);
}

TEST(Concrete02, SecondTrialBeforeCommitStartsFromCommittedHistory) {
    Concrete02 twice = defaultConcrete();
    Concrete02 once = defaultConcrete();
    for (double strain : mixedHistory) {
        twice.applyTrialStrain(strain - 0.0013, 0.0);
        twice.applyTrialStrain(strain, 0.0);
        once.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(twice.currentStress(), once.currentStress()) << "strain " << strain;
        EXPECT_EQ(twice.currentTangent(), once.currentTangent()) << "strain " << strain;
        twice.commit();
        once.commit();
    }
}

TEST(Concrete02, RevertToCommittedDropsTrial) {
    Concrete02 c = defaultConcrete();
    expectSteps(c, {{-0.001, -18.0, 12000.0}});
    c.applyTrialStrain(-0.003, 0.0);
    EXPECT_EQ(c.revertToCommitted(), 0);
    EXPECT_EQ(c.currentStrain(), -0.001);
    EXPECT_TRUE(closeTo(c.currentStress(), -18.0, 1e-12));
    EXPECT_TRUE(closeTo(c.currentTangent(), 12000.0, 1e-12));
    c.commit(); // the minimum stays -0.001
    c.applyTrialStrain(-0.0015, 0.0);
    EXPECT_TRUE(closeTo(c.currentStress(), -24.0 * 0.75 * (2.0 - 0.75), 1e-12));
}

TEST(Concrete02, RevertToInitialRepeatsTheFirstRun) {
    Concrete02 c = defaultConcrete();
    std::vector<double> first;
    for (double strain : mixedHistory) {
        c.applyTrialStrain(strain, 0.0);
        first.push_back(c.currentStress());
        first.push_back(c.currentTangent());
        c.commit();
    }
    c.applyTrialStrain(-0.009, 0.0); // an uncommitted new minimum must not survive
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

TEST(Concrete02, CloneStartsInInitialState) {
    Concrete02 c(9, -24.0, -0.002, -4.0, -0.005, 0.1, 4.0, 20000.0);
    c.name = "cover";
    expectSteps(c, {{0.0004, 0.0, tiny}, {-0.002, -24.0, 0.0}});

    std::unique_ptr<UniaxialMaterial> copy = c.clone();
    EXPECT_EQ(copy->materialTag(), 9);
    EXPECT_EQ(copy->classTag, 25);
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->initialTangent(), c.initialTangent());

    // The original unloads on its reloading line; the copy meets -0.001 as a virgin material.
    c.applyTrialStrain(-0.001, 0.0);
    EXPECT_TRUE(closeTo(c.currentStress(), -5.0625, 1e-12));
    Concrete02 fresh = defaultConcrete();
    for (double strain : mixedHistory) {
        copy->applyTrialStrain(strain, 0.0);
        fresh.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(copy->currentStress(), fresh.currentStress()) << "strain " << strain;
        EXPECT_EQ(copy->currentTangent(), fresh.currentTangent()) << "strain " << strain;
        copy->commit();
        fresh.commit();
    }
}

TEST(Concrete02, MakeUsesCatalogueOrder) {
    std::unique_ptr<UniaxialMaterial> m =
        makeConcrete02(2, {-24.0, -0.002, -4.0, -0.005, 0.1, 4.0, 20000.0});
    EXPECT_EQ(m->materialTag(), 2);
    expectSteps(*m, {{0.0001, 2.4, 24000.0}, {-0.0035, -14.0, descendingSlope}});
}

TEST(Concrete02, ParameterCheck) {
    struct Case {
        ParameterValues values;
        std::string refusedParameter; ///< empty when accepted
    };
    const std::vector<Case> cases = {
        {{-24.0, -0.002, -4.0, -0.005, 0.1, 4.0, 20000.0}, ""},
        {{-24.0, -0.002, -4.0, -0.002, 0.1, 4.0, 20000.0}, ""}, // epsU = epsc0 never divides
        {{-24.0, -0.002, -4.0, -0.005, 0.0, 4.0, 20000.0}, ""},
        {{-24.0, -0.002, -4.0, -0.005, 2.0, 4.0, 20000.0}, ""},
        {{-24.0, -0.002, -4.0, -0.005, 0.1, 0.0, 20000.0}, ""}, // no tensile strength
        {{24.0, 0.002, -4.0, -0.005, 0.1, 4.0, 20000.0}, ""},   // unusual signs still compute
        {{0.0, -0.002, -4.0, -0.005, 0.1, 4.0, 20000.0}, "fpc"},
        {{-24.0, 0.0, -4.0, -0.005, 0.1, 4.0, 20000.0}, "epsc0"},
        {{-24.0, -0.002, -4.0, -0.005, 1.0, 4.0, 20000.0}, "lambda"},
        {{-24.0, -0.002, -4.0, -0.005, 0.1, 4.0, 0.0}, "Ets"},
        {{-24.0, -0.002, -4.0, -0.005, 0.1, 4.0, -0.0}, "Ets"},
        {{-24.0, -0.002, 0.0, -0.005, 0.0, 4.0, 20000.0}, "fpcu"}, // focal point at zero strain
        {{-24.0, -0.002, 0.0, 0.0, 0.1, 4.0, 20000.0}, "fpcu"},
    };
    for (const Case& c : cases) {
        const std::string message = checkConcrete02Parameters(c.values);
        if (c.refusedParameter.empty()) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_EQ(message.rfind(c.refusedParameter + " = ", 0), 0u) << message;
            EXPECT_NE(message.find(" is refused: "), std::string::npos) << message;
        }
    }
}

TEST(Concrete02, AcceptedUnusualValuesStayFinite) {
    const std::vector<ParameterValues> accepted = {
        {-24.0, -0.002, -4.0, -0.002, 0.1, 4.0, 20000.0},
        {-24.0, -0.002, -4.0, -0.005, 0.0, 4.0, 20000.0},
        {-24.0, -0.002, -4.0, -0.005, 0.1, 0.0, 20000.0},
    };
    for (const ParameterValues& v : accepted) {
        ASSERT_EQ(checkConcrete02Parameters(v), "");
        std::unique_ptr<UniaxialMaterial> m = makeConcrete02(0, v);
        for (double strain : mixedHistory) {
            m->applyTrialStrain(strain, 0.0);
            EXPECT_TRUE(std::isfinite(m->currentStress())) << "strain " << strain;
            EXPECT_TRUE(std::isfinite(m->currentTangent())) << "strain " << strain;
            m->commit();
        }
    }
}
