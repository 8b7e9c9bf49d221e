#include "materials/steel/RambergOsgoodSteel.h"
#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::expectSteps;
using looplab::test::ExpectedStep;

namespace {

constexpr double firstLoadingTolerance = 2.220446049250313e-15; // 10·2^-52

RambergOsgoodSteel defaults() { return RambergOsgoodSteel(0, 400.0, 200000.0, 0.002, 5.0); }

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

const std::vector<double> cyclicHistory = {0.0005, 0.002, 0.01,  0.005, -0.004, -0.012,
                                           -0.006, 0.003, 0.015, 0.015, -0.002, 0.0};

} // namespace

// ---- Worked examples -----------------------------------------------------------------------

TEST(RambergOsgoodSteelExamples, FirstStepsFromInitialState) {
    struct FirstStep {
        double strain, stress, stressDigit, tangent, tangentDigit;
        int updates; // 4 is quoted; 6 and 12 were worked out independently
    };
    for (const FirstStep& s : std::vector<FirstStep>{{0.001, 190.261, 0.001, 159244.0, 1.0, 4},
                                                     {0.002, 301.951, 0.001, 76231.0, 1.0, 6},
                                                     {0.01, 519.661, 0.001, 13120.5, 0.1, 12}}) {
        RambergOsgoodSteel m = defaults();
        EXPECT_EQ(m.applyTrialStrain(s.strain, 0.0), 0);
        EXPECT_TRUE(printedAs(m.currentStress(), s.stress, s.stressDigit)) << s.strain;
        EXPECT_TRUE(printedAs(m.currentTangent(), s.tangent, s.tangentDigit)) << s.strain;
        EXPECT_EQ(m.lastNewtonUpdates(), s.updates) << s.strain;
    }
}

TEST(RambergOsgoodSteelExamples, ReversalDoublesBranchYieldStress) {
    RambergOsgoodSteel m = defaults();
    applyAndCommit(m, {0.002, 0.01});
    m.applyTrialStrain(0.005, 0.0);
    EXPECT_TRUE(printedAs(m.currentStress(), -216.470, 0.001));
    EXPECT_TRUE(printedAs(m.currentTangent(), 71626.0, 1.0));
}

// Full-precision values worked out independently from the algorithm: reversals at 0.01,
// -0.012 and 0.015, continued branches in between, all on the doubled curve after the first.
TEST(RambergOsgoodSteelExamples, CyclicStepTable) {
    RambergOsgoodSteel m = defaults();
    expectSteps(m, {
                       {0.002, 301.95106649867796, 76231.429566536404},
                       {0.01, 519.6611168760877, 13120.509860825976},
                       {0.005, -216.47048782802392, 71626.472015295149},
                       {-0.004, -552.32120831900727, 22075.257859917165},
                       {-0.012, -692.02518376102432, 14127.771259097861},
                       {0.003, 401.26378149431378, 20575.985701064681},
                       {0.015, 583.67338561520899, 11651.701916155491},
                   },
                1e-10);
}

TEST(RambergOsgoodSteelExamples, NonIntegralExponentStepTable) {
    RambergOsgoodSteel m(0, 400.0, 200000.0, 0.002, 5.5);
    expectSteps(m, {
                       {0.003, 363.53887361710036, 43692.605033265361},
                       {-0.004, -484.65450957923423, 43686.069341407674},
                       {0.006, 468.30121696738485, 28396.85432298245},
                   },
                1e-10);
}

// ---- Initial point and first loading -------------------------------------------------------

TEST(RambergOsgoodSteelInitialPoint, NoEffectiveChangeKeepsInitialPoint) {
    RambergOsgoodSteel m = defaults();
    expectSteps(m, {{0.0, 0.0, 200000.0}, {1e-15, 0.0, 200000.0}, {-1e-15, 0.0, 200000.0}});
    EXPECT_EQ(m.lastNewtonUpdates(), 0);
    RambergOsgoodSteel fresh = defaults();
    m.applyTrialStrain(0.001, 0.0);
    fresh.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), fresh.currentStress());
    EXPECT_EQ(m.currentTangent(), fresh.currentTangent());
}

TEST(RambergOsgoodSteelInitialPoint, ToleranceIsStrict) {
    RambergOsgoodSteel below = defaults();
    below.applyTrialStrain(std::nextafter(firstLoadingTolerance, 0.0), 0.0);
    EXPECT_EQ(below.currentStress(), 0.0);
    EXPECT_EQ(below.currentTangent(), 200000.0);
    EXPECT_EQ(below.lastNewtonUpdates(), 0);

    RambergOsgoodSteel at = defaults();
    at.applyTrialStrain(firstLoadingTolerance, 0.0);
    EXPECT_GT(at.currentStress(), 0.0);
    EXPECT_GT(at.lastNewtonUpdates(), 0);
}

TEST(RambergOsgoodSteelInitialPoint, FirstCompressionMirrorsFirstTension) {
    for (double strain : {0.001, 0.002, 0.01}) {
        RambergOsgoodSteel tension = defaults();
        RambergOsgoodSteel compression = defaults();
        tension.applyTrialStrain(strain, 0.0);
        compression.applyTrialStrain(-strain, 0.0);
        EXPECT_EQ(compression.currentStress(), -tension.currentStress());
        EXPECT_EQ(compression.currentTangent(), tension.currentTangent());
    }
}

// Continuing the first branch keeps Fy* = fy: the response depends on the distance from the
// origin only.
TEST(RambergOsgoodSteelInitialPoint, FirstBranchKeepsYieldStress) {
    RambergOsgoodSteel stepped = defaults();
    applyAndCommit(stepped, {0.001, 0.002, 0.005});
    stepped.applyTrialStrain(0.01, 0.0);
    RambergOsgoodSteel direct = defaults();
    direct.applyTrialStrain(0.01, 0.0);
    EXPECT_EQ(stepped.currentStress(), direct.currentStress());
    EXPECT_EQ(stepped.currentTangent(), direct.currentTangent());
}

// Any decrease, however small, reverses onto the doubled curve with elastic slope.
TEST(RambergOsgoodSteelReversal, SmallestDecreaseReverses) {
    RambergOsgoodSteel m = defaults();
    applyAndCommit(m, {0.002});
    const double committedStress = m.currentStress();
    m.applyTrialStrain(std::nextafter(0.002, 0.0), 0.0);
    EXPECT_TRUE(closeTo(m.currentTangent(), 200000.0, 1e-9));
    EXPECT_TRUE(closeTo(m.currentStress(), committedStress, 1e-12));
    EXPECT_LE(m.currentStress(), committedStress);
}

// ---- Newton iteration ----------------------------------------------------------------------

// With fy 1, E0 0.5, a −1, n 3 and a distance of 2 the residual is −(s³ − 2s + 2) and Newton
// cycles 1 → 0 → 1 exactly; the 999th update lands on 0, which is kept.
TEST(RambergOsgoodSteelNewton, StopsAfter999Updates) {
    RambergOsgoodSteel m(0, 1.0, 0.5, -1.0, 3.0);
    m.applyTrialStrain(2.0, 0.0);
    EXPECT_EQ(m.lastNewtonUpdates(), 999);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 0.5);
}

// The branch above ends at exactly zero stress; reversing from there keeps Fy* = fy = 1, and
// with a distance of 1 the start value 1 is already the root: stress 0 − 1, tangent 1/(−3 + 2).
TEST(RambergOsgoodSteelNewton, ReversalAtZeroStressKeepsBranchYieldStress) {
    RambergOsgoodSteel m(0, 1.0, 0.5, -1.0, 3.0);
    applyAndCommit(m, {2.0});
    m.applyTrialStrain(1.0, 0.0);
    EXPECT_EQ(m.lastNewtonUpdates(), 1);
    EXPECT_EQ(m.currentStress(), -1.0);
    EXPECT_EQ(m.currentTangent(), -1.0);
}

// With n = 0.5 the first update from 1.0 overshoots to about −0.909; the power of the negative
// ratio is NaN, the change is NaN and the loop ends after the second update.
TEST(RambergOsgoodSteelNewton, NaNChangeEndsIteration) {
    RambergOsgoodSteel m(0, 400.0, 200000.0, 0.002, 0.5);
    m.applyTrialStrain(1e-10, 0.0);
    EXPECT_EQ(m.lastNewtonUpdates(), 2);
    EXPECT_TRUE(std::isnan(m.currentStress()));
    EXPECT_TRUE(std::isnan(m.currentTangent()));
}

// ---- Trial/commit protocol -----------------------------------------------------------------

TEST(RambergOsgoodSteelProtocol, SecondTrialRestartsFromCommittedState) {
    RambergOsgoodSteel twice = defaults();
    RambergOsgoodSteel once = defaults();
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

TEST(RambergOsgoodSteelProtocol, RevertToCommittedRestoresResponse) {
    RambergOsgoodSteel m = defaults();
    applyAndCommit(m, {0.002, 0.005});
    const double stress = m.currentStress();
    const double tangent = m.currentTangent();
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.revertToCommitted(), 0);
    EXPECT_EQ(m.currentStrain(), 0.005);
    EXPECT_EQ(m.currentStress(), stress);
    EXPECT_EQ(m.currentTangent(), tangent);
}

TEST(RambergOsgoodSteelProtocol, RevertToInitialRepeatsHistoryExactly) {
    RambergOsgoodSteel m(2, 350.0, 210000.0, 0.003, 7.5);
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

TEST(RambergOsgoodSteelProtocol, CloneStartsUnloaded) {
    RambergOsgoodSteel m(9, 350.0, 210000.0, 0.003, 7.5);
    m.name = "bar";
    applyAndCommit(m, {0.003, 0.006, -0.002});
    const std::unique_ptr<UniaxialMaterial> copy = m.clone();
    RambergOsgoodSteel fresh(9, 350.0, 210000.0, 0.003, 7.5);
    EXPECT_EQ(copy->materialTag(), 9);
    EXPECT_EQ(copy->classTag, RambergOsgoodSteel::classTagValue);
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), 210000.0);
    copy->applyTrialStrain(0.001, 0.0);
    fresh.applyTrialStrain(0.001, 0.0);
    m.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(copy->currentStress(), fresh.currentStress());
    EXPECT_EQ(copy->currentTangent(), fresh.currentTangent());
    EXPECT_NE(copy->currentStress(), m.currentStress());
}

TEST(RambergOsgoodSteelProtocol, BaseSlotsKeepTheirBehaviour) {
    RambergOsgoodSteel m = defaults();
    double stress = -7.0;
    double tangent = -8.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, -7.0);
    EXPECT_EQ(tangent, -8.0);
    RambergOsgoodSteel direct = defaults();
    direct.applyTrialStrain(0.001, 0.0);
    EXPECT_EQ(m.currentStress(), direct.currentStress());

    RambergOsgoodSteel warm = defaults();
    EXPECT_EQ(warm.applyTrialStrainAtTemperature(0.001, 500.0, 3.0), 0);
    EXPECT_EQ(warm.currentStress(), direct.currentStress());
    EXPECT_EQ(warm.currentStrainRate(), 0.0);
    EXPECT_EQ(warm.initialTangent(), 200000.0);
    EXPECT_EQ(warm.classTag, 68);
}

// ---- Catalogue hooks -----------------------------------------------------------------------

TEST(RambergOsgoodSteelCatalogue, MakePassesValuesInConstructorOrder) {
    const std::unique_ptr<UniaxialMaterial> made =
        makeRambergOsgoodSteel(4, ParameterValues{350.0, 210000.0, 0.003, 7.5});
    RambergOsgoodSteel direct(4, 350.0, 210000.0, 0.003, 7.5);
    EXPECT_EQ(made->materialTag(), 4);
    EXPECT_EQ(made->classTag, 68);
    EXPECT_EQ(made->initialTangent(), 210000.0);
    for (double strain : cyclicHistory) {
        made->applyTrialStrain(strain, 0.0);
        direct.applyTrialStrain(strain, 0.0);
        EXPECT_EQ(made->currentStress(), direct.currentStress()) << "at " << strain;
        made->commit();
        direct.commit();
    }
}

TEST(RambergOsgoodSteelCatalogue, CheckRefusesDegenerateValues) {
    const ParameterValues good = {400, 200000, 0.002, 5};
    EXPECT_EQ(checkRambergOsgoodSteelParameters(good), "");

    struct Refusal {
        std::size_t index;
        double value;
        const char* prefix;
    };
    for (const Refusal& r : std::vector<Refusal>{{0, 0.0, "fy = 0 is refused: "},
                                                 {0, -400.0, "fy = -400 is refused: "},
                                                 {1, 0.0, "E0 = 0 is refused: "},
                                                 {3, 1.0, "n = 1 is refused: "},
                                                 {3, 0.5, "n = 0.5 is refused: "},
                                                 {3, -2.0, "n = -2 is refused: "}}) {
        ParameterValues values = good;
        values[r.index] = r.value;
        const std::string message = checkRambergOsgoodSteelParameters(values);
        EXPECT_EQ(message.rfind(r.prefix, 0), 0u) << message;
        EXPECT_GT(message.size(), std::string(r.prefix).size() + 1) << "gives a reason";
    }
    EXPECT_EQ(checkRambergOsgoodSteelParameters({400, 0, 0.002, 5}),
              "E0 = 0 is refused: the Newton residual and derivative divide by it.");
    // The first offending parameter is named.
    EXPECT_EQ(checkRambergOsgoodSteelParameters({0, 0, 0.002, 1}).rfind("fy = 0", 0), 0u);

    // A negative E0 or a makes the Newton function non-monotonic, so an iterate of the stress
    // increment can turn negative or meet a zero derivative, whatever n.
    for (const ParameterValues& v : std::vector<ParameterValues>{{400, -200000, 0.002, 5.5},
                                                                 {400, -200000, 0.002, 2}}) {
        EXPECT_EQ(checkRambergOsgoodSteelParameters(v).rfind("E0 = -200000 is refused: ", 0), 0u);
    }
    EXPECT_EQ(checkRambergOsgoodSteelParameters({400, 200000, -0.002, 5})
                  .rfind("a = -0.002 is refused: ", 0),
              0u);

    // Unusual values that compute are accepted as typed.
    for (const auto& [index, value] : std::vector<std::pair<std::size_t, double>>{
             {0, 1e-3}, {1, 1e9}, {2, 0.0}, {2, 0.5}, {3, 1.0001}, {3, 5.5}}) {
        ParameterValues values = good;
        values[index] = value;
        EXPECT_EQ(checkRambergOsgoodSteelParameters(values), "")
            << "index " << index << " = " << value;
    }
}
