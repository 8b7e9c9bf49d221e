#include "materials/steel/Steel02.h"
#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::expectSteps;
using looplab::test::ExpectedStep;

namespace {

constexpr double firstLoadingTolerance = 2.220446049250313e-15; // 10·2^-52

// Dialog defaults, with optional isotropic hardening and initial stress.
Steel02 defaults(double a1 = 0.0, double a2 = 1.0, double a3 = 0.0, double a4 = 1.0,
                 double sig0 = 0.0) {
    return Steel02(0, 300.0, 200000.0, 0.01, 15.0, 0.925, 0.15, a1, a2, a3, a4, sig0);
}

// A value quoted to a given last digit: within half a unit of that digit.
::testing::AssertionResult printedAs(double actual, double printed, double lastDigit) {
    if (std::fabs(actual - printed) <= 0.5 * lastDigit) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " does not round to " << printed;
}

void applyAndCommit(UniaxialMaterial& m, const std::vector<double>& strains) {
    for (double strain : strains) {
        m.applyTrialStrain(strain, 0.0);
        m.commit();
    }
}

// A cyclic history with growing amplitude, crossing zero and reversing on both sides.
const std::vector<double> cyclicHistory = {0.0005, 0.002, 0.004, 0.001, -0.003, -0.006, -0.002,
                                           0.001,  0.008, 0.008, -0.008, -0.01, 0.0,   0.012};

} // namespace

// ---- Worked examples -----------------------------------------------------------------------

TEST(Steel02Examples, FirstLoadingWithDialogDefaults) {
    Steel02 m = defaults();
    m.applyTrialStrain(0.001, 0.0);
    EXPECT_TRUE(printedAs(m.currentStress(), 199.970, 0.001));
    EXPECT_TRUE(printedAs(m.currentTangent(), 199519.0, 1.0));
}

TEST(Steel02Examples, FirstLoadingApproachesHardeningAsymptote) {
    Steel02 m = defaults();
    double previousGap = std::numeric_limits<double>::infinity();
    for (double strain : {0.001, 0.0015, 0.002, 0.005, 0.01}) {
        m.applyTrialStrain(strain, 0.0);
        const double asymptote = 300.0 + 2000.0 * (strain - 0.0015);
        const double gap = asymptote - m.currentStress();
        EXPECT_GT(gap, 0.0) << "below the asymptote at " << strain;
        EXPECT_LT(gap, previousGap) << "closer to the asymptote at " << strain;
        previousGap = gap;
        m.commit();
    }
    EXPECT_TRUE(printedAs(m.currentStress(), 317.0, 0.1));
    EXPECT_TRUE(printedAs(m.currentTangent(), 2000.0, 1.0));
}

TEST(Steel02Examples, ReversalFromTensionStartsNewBranch) {
    Steel02 m = defaults();
    applyAndCommit(m, {0.001, 0.0015, 0.002, 0.005, 0.01});
    m.applyTrialStrain(0.005, 0.0);
    EXPECT_TRUE(printedAs(m.currentStress(), -151.33, 0.01));
}

// Full-precision values worked out independently from the algorithm; the last step reverses
// from (0.01, 317) towards the intersection (0.007, -283) with R ≈ 1.4828.
TEST(Steel02Examples, DialogDefaultsStepTable) {
    Steel02 m = defaults();
    expectSteps(m, {
                       {0.001, 199.96989236757278, 199518.82686698952},
                       {0.0015, 286.58795636139371, 96529.31878713124},
                       {0.002, 300.73727211401774, 3956.5719106368065},
                       {0.005, 306.9999997158917, 2000.0008523250626},
                       {0.01, 316.99999999999136, 2000.0000000130055},
                       {0.005, -151.32758695129132, 31259.521170018899},
                   });
}

// Isotropic hardening on both sides, worked out independently from the algorithm.
TEST(Steel02Examples, IsotropicHardeningStepTable) {
    Steel02 m(0, 300.0, 200000.0, 0.01, 15.0, 0.925, 0.15, 0.4, 1.5, 0.3, 2.0, 0.0);
    expectSteps(m, {
                       {0.002, 300.73727211401774, 3956.5719106368065},
                       {0.004, 304.99999192515651, 2000.0302806563834},
                       {-0.003, -397.78075080397019, 17209.837859131632},
                       {-0.006, -429.9988943838726, 6711.5693020103954},
                       {0.001, 263.28239508247162, 31899.139552617096},
                       {0.008, 381.53754135962691, 8951.0366993168172},
                       {-0.008, -507.42138114505775, 9966.6969535206263},
                   },
                1e-10);
}

// ---- Isotropic hardening: which pair acts at which reversal --------------------------------

TEST(Steel02Hardening, CompressiveReversalUsesA1AndA2Only) {
    Steel02 plain = defaults();
    Steel02 tensileHardening = defaults(0.0, 1.0, 0.7, 3.0);
    Steel02 compressiveHardening = defaults(0.5, 1.0);
    const std::vector<double> toTension = {0.001, 0.0015, 0.002, 0.005, 0.01};
    for (Steel02* m : {&plain, &tensileHardening, &compressiveHardening}) {
        applyAndCommit(*m, toTension);
        m->applyTrialStrain(0.005, 0.0);
    }
    EXPECT_EQ(tensileHardening.currentStress(), plain.currentStress());
    EXPECT_EQ(tensileHardening.currentTangent(), plain.currentTangent());
    // Shift 1 + 0.5·(0.0115/0.003)^0.8 moves the compressive asymptote out.
    EXPECT_TRUE(closeTo(compressiveHardening.currentStress(), -347.86935770386015, 1e-12));
    EXPECT_TRUE(closeTo(compressiveHardening.currentTangent(), 69519.658683562826, 1e-12));
}

TEST(Steel02Hardening, TensileReversalUsesA3AndA4Only) {
    Steel02 plain = defaults();
    Steel02 compressiveHardening = defaults(0.7, 3.0);
    Steel02 tensileHardening = defaults(0.0, 1.0, 0.5, 1.0);
    for (Steel02* m : {&plain, &compressiveHardening, &tensileHardening}) {
        applyAndCommit(*m, {-0.002, -0.01});
        m->applyTrialStrain(-0.005, 0.0);
    }
    EXPECT_EQ(compressiveHardening.currentStress(), plain.currentStress());
    EXPECT_EQ(compressiveHardening.currentTangent(), plain.currentTangent());
    EXPECT_GT(tensileHardening.currentStress(), plain.currentStress() + 1.0);
}

// The shift is evaluated even without hardening, so a zero scale gives 0·∞ at a reversal.
TEST(Steel02Hardening, ZeroScaleGivesNaNAtReversalEvenWithoutHardening) {
    Steel02 noA2 = defaults(0.0, 0.0);
    applyAndCommit(noA2, {0.002, 0.004});
    EXPECT_FALSE(std::isnan(noA2.currentStress()));
    noA2.applyTrialStrain(0.003, 0.0);
    EXPECT_TRUE(std::isnan(noA2.currentStress()));

    Steel02 noA4 = defaults(0.0, 1.0, 0.0, 0.0);
    applyAndCommit(noA4, {-0.002, -0.004});
    EXPECT_FALSE(std::isnan(noA4.currentStress()));
    noA4.applyTrialStrain(-0.003, 0.0);
    EXPECT_TRUE(std::isnan(noA4.currentStress()));
}

// ---- Initial point, tolerance and reversal sensitivity -------------------------------------

TEST(Steel02InitialPoint, NoEffectiveChangeKeepsInitialPoint) {
    Steel02 m = defaults();
    expectSteps(m, {{0.0, 0.0, 200000.0}, {1e-15, 0.0, 200000.0}, {-1e-15, 0.0, 200000.0}});
    // The next effective increment is still a first loading from the origin.
    Steel02 fresh = defaults();
    m.applyTrialStrain(0.001, 0.0);
    fresh.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), fresh.currentStress());
    EXPECT_EQ(m.currentTangent(), fresh.currentTangent());
}

TEST(Steel02InitialPoint, ToleranceIsStrict) {
    Steel02 below = defaults();
    below.applyTrialStrain(std::nextafter(firstLoadingTolerance, 0.0), 0.0);
    EXPECT_EQ(below.currentStress(), 0.0);
    EXPECT_EQ(below.currentTangent(), 200000.0);

    Steel02 at = defaults();
    at.applyTrialStrain(firstLoadingTolerance, 0.0);
    EXPECT_GT(at.currentStress(), 0.0);
    Steel02 atCompression = defaults();
    atCompression.applyTrialStrain(-firstLoadingTolerance, 0.0);
    EXPECT_LT(atCompression.currentStress(), 0.0);
}

TEST(Steel02InitialPoint, FirstCompressionMirrorsFirstTension) {
    Steel02 tension = defaults();
    Steel02 compression = defaults();
    for (double strain : {0.001, 0.002, 0.01}) {
        tension.applyTrialStrain(strain, 0.0);
        compression.applyTrialStrain(-strain, 0.0);
        EXPECT_EQ(compression.currentStress(), -tension.currentStress());
        EXPECT_EQ(compression.currentTangent(), tension.currentTangent());
    }
}

// Any decrease on a tensile branch, however small, starts a new branch with elastic slope.
TEST(Steel02Reversal, SmallestDecreaseReverses) {
    Steel02 m = defaults();
    applyAndCommit(m, {0.002});
    const double committedStress = m.currentStress();
    m.applyTrialStrain(std::nextafter(0.002, 0.0), 0.0);
    EXPECT_TRUE(closeTo(m.currentTangent(), 200000.0, 1e-9));
    EXPECT_TRUE(closeTo(m.currentStress(), committedStress, 1e-12));
    EXPECT_LE(m.currentStress(), committedStress);
}

// ---- Initial stress ------------------------------------------------------------------------

TEST(Steel02InitialStress, InitialPointCarriesSig0) {
    Steel02 m = defaults(0.0, 1.0, 0.0, 1.0, 50.0);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 200000.0);
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.currentStress(), 50.0);
    EXPECT_EQ(m.currentTangent(), 200000.0);
    EXPECT_EQ(m.currentStrain(), 0.00025);
}

// The strain is shifted by sig0/E but the first branch still starts at the origin.
TEST(Steel02InitialStress, FirstBranchStartsAtOriginOfShiftedStrain) {
    Steel02 shifted = defaults(0.0, 1.0, 0.0, 1.0, 50.0);
    Steel02 plain = defaults();
    for (double strain : {0.001, 0.004}) {
        shifted.applyTrialStrain(strain, 0.0);
        plain.applyTrialStrain(strain + 50.0 / 200000.0, 0.0);
        EXPECT_EQ(shifted.currentStress(), plain.currentStress());
        EXPECT_EQ(shifted.currentTangent(), plain.currentTangent());
        EXPECT_EQ(shifted.currentStrain(), plain.currentStrain());
        shifted.commit();
        plain.commit();
    }
}

// ---- Trial/commit protocol -----------------------------------------------------------------

TEST(Steel02Protocol, SecondTrialRestartsFromCommittedState) {
    Steel02 twice = defaults(0.3, 1.2, 0.2, 0.8);
    Steel02 once = defaults(0.3, 1.2, 0.2, 0.8);
    applyAndCommit(twice, {0.002, 0.006});
    applyAndCommit(once, {0.002, 0.006});
    twice.applyTrialStrain(-0.004, 0.0); // a reversal that must not stick
    twice.applyTrialStrain(0.007, 0.0);
    once.applyTrialStrain(0.007, 0.0);
    EXPECT_EQ(twice.currentStress(), once.currentStress());
    EXPECT_EQ(twice.currentTangent(), once.currentTangent());
    twice.commit();
    once.commit();
    twice.applyTrialStrain(0.003, 0.0);
    once.applyTrialStrain(0.003, 0.0);
    EXPECT_EQ(twice.currentStress(), once.currentStress());
}

TEST(Steel02Protocol, RevertToCommittedRestoresResponse) {
    Steel02 m = defaults();
    applyAndCommit(m, {0.002, 0.005});
    const double stress = m.currentStress();
    const double tangent = m.currentTangent();
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.revertToCommitted(), 0);
    EXPECT_EQ(m.currentStrain(), 0.005);
    EXPECT_EQ(m.currentStress(), stress);
    EXPECT_EQ(m.currentTangent(), tangent);
}

TEST(Steel02Protocol, RevertToInitialRepeatsHistoryExactly) {
    Steel02 m(3, 350.0, 210000.0, 0.02, 18.0, 0.9, 0.2, 0.2, 1.5, 0.1, 2.5, 30.0);
    std::vector<ExpectedStep> first;
    for (double strain : cyclicHistory) {
        m.applyTrialStrain(strain, 0.0);
        first.push_back({strain, m.currentStress(), m.currentTangent()});
        m.commit();
    }
    EXPECT_EQ(m.revertToInitial(), 0);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 210000.0);
    expectSteps(m, first, 0.0);
}

TEST(Steel02Protocol, CloneStartsUnloaded) {
    Steel02 m(9, 350.0, 210000.0, 0.02, 18.0, 0.9, 0.2, 0.2, 1.5, 0.1, 2.5, 30.0);
    m.name = "bar";
    applyAndCommit(m, {0.003, 0.006, -0.002});
    const std::unique_ptr<UniaxialMaterial> copy = m.clone();
    Steel02 fresh(9, 350.0, 210000.0, 0.02, 18.0, 0.9, 0.2, 0.2, 1.5, 0.1, 2.5, 30.0);
    EXPECT_EQ(copy->materialTag(), 9);
    EXPECT_EQ(copy->classTag, Steel02::classTagValue);
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->currentStress(), 0.0);
    copy->applyTrialStrain(0.001, 0.0);
    fresh.applyTrialStrain(0.001, 0.0);
    m.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(copy->currentStress(), fresh.currentStress());
    EXPECT_EQ(copy->currentTangent(), fresh.currentTangent());
    EXPECT_NE(copy->currentStress(), m.currentStress());
}

TEST(Steel02Protocol, BaseSlotsKeepTheirBehaviour) {
    Steel02 m = defaults();
    double stress = -7.0;
    double tangent = -8.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, -7.0);
    EXPECT_EQ(tangent, -8.0);
    Steel02 direct = defaults();
    direct.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), direct.currentStress());

    Steel02 warm = defaults();
    EXPECT_EQ(warm.applyTrialStrainAtTemperature(0.001, 500.0, 3.0), 0);
    EXPECT_EQ(warm.currentStress(), direct.currentStress());
    EXPECT_EQ(warm.currentStrainRate(), 0.0);
    EXPECT_EQ(warm.initialTangent(), 200000.0);
    EXPECT_EQ(warm.classTag, 26);
}

// ---- Catalogue hooks -----------------------------------------------------------------------

TEST(Steel02Catalogue, MakePassesValuesInConstructorOrder) {
    const ParameterValues values = {350.0, 210000.0, 0.02, 18.0, 0.9, 0.2,
                                    0.2,   1.5,      0.1,  2.5,  30.0};
    const std::unique_ptr<UniaxialMaterial> made = makeSteel02(4, values);
    Steel02 direct(4, 350.0, 210000.0, 0.02, 18.0, 0.9, 0.2, 0.2, 1.5, 0.1, 2.5, 30.0);
    EXPECT_EQ(made->materialTag(), 4);
    EXPECT_EQ(made->classTag, 26);
    for (double strain : cyclicHistory) {
        made->applyTrialStrain(strain, 0.0);
        direct.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(made->currentStress(), direct.currentStress()) << "at " << strain;
        made->commit();
        direct.commit();
    }
}

TEST(Steel02Catalogue, CheckRefusesDegenerateValues) {
    const ParameterValues good = {300, 200000, 0.01, 15.0, 0.925, 0.15, 0.0, 1.0, 0.0, 1.0, 0.0};
    EXPECT_EQ(checkSteel02Parameters(good), "");

    struct Refusal {
        std::size_t index;
        double value;
        const char* prefix;
    };
    for (const Refusal& r : std::vector<Refusal>{{0, 0.0, "Fy = 0 is refused: "},
                                                 {1, 0.0, "E = 0 is refused: "},
                                                 // A negative yield strain Fy/E.
                                                 {0, -300.0, "Fy = -300 is refused: "},
                                                 {1, -200000.0, "Fy = 300 is refused: "},
                                                 {2, 1.0, "b = 1 is refused: "},
                                                 {3, 0.0, "R0 = 0 is refused: "},
                                                 {5, 0.0, "CR2 = 0 is refused: "},
                                                 // A curvature that can fall below zero.
                                                 {3, -4.0, "R0 = -4 is refused: "},
                                                 {4, 1.2, "CR1 = 1.2 is refused: "},
                                                 {5, -0.15, "CR2 = -0.15 is refused: "},
                                                 {7, 0.0, "a2 = 0 is refused: "},
                                                 {7, -1.0, "a2 = -1 is refused: "},
                                                 {9, 0.0, "a4 = 0 is refused: "},
                                                 {9, -0.5, "a4 = -0.5 is refused: "},
                                                 // Zero shift at a reversal from the elastic
                                                 // range: 1 + a·(1/1)^0.8 = 0.
                                                 {6, -1.0, "a1 = -1 is refused: "},
                                                 {8, -1.0, "a3 = -1 is refused: "},
                                                 {10, 300.5, "sig0 = 300.5 is refused: "},
                                                 {10, -301.0, "sig0 = -301 is refused: "}}) {
        ParameterValues values = good;
        values[r.index] = r.value;
        const std::string message = checkSteel02Parameters(values);
        EXPECT_EQ(message.rfind(r.prefix, 0), 0u) << message;
        EXPECT_GT(message.size(), std::string(r.prefix).size() + 1) << "gives a reason";
    }
    ParameterValues zeroModulus = good;
    zeroModulus[1] = 0.0;
    EXPECT_EQ(checkSteel02Parameters(zeroModulus),
              "E = 0 is refused: the yield strain Fy/E divides by it.");

    // The first offending parameter is named.
    ParameterValues two = good;
    two[7] = 0.0;
    two[9] = 0.0;
    EXPECT_EQ(checkSteel02Parameters(two).rfind("a2 = 0", 0), 0u);

    // Unusual values that compute are accepted as typed.
    for (const auto& [index, value] : std::vector<std::pair<std::size_t, double>>{
             {2, 0.0}, {2, 1.5}, {3, 4.0}, {4, 0.0}, {4, 1.0}, {4, -0.5}, {5, 0.5}, {6, 0.5},
             {6, -0.5}, {8, -0.2}, {9, 0.3}, {10, -80.0}, {10, 300.0}, {10, -300.0}}) {
        ParameterValues values = good;
        values[index] = value;
        EXPECT_EQ(checkSteel02Parameters(values), "") << "index " << index << " = " << value;
    }
    // Fy and E both negative keep the yield strain positive.
    ParameterValues mirrored = good;
    mirrored[0] = -300.0;
    mirrored[1] = -200000.0;
    EXPECT_EQ(checkSteel02Parameters(mirrored), "");
    // With a2 = 2 the shift at a reversal from the elastic range is 1 + a1·0.5^0.8, so a1 = -1
    // no longer zeroes it.
    ParameterValues scaled = good;
    scaled[6] = -1.0;
    scaled[7] = 2.0;
    EXPECT_EQ(checkSteel02Parameters(scaled), "");
}
