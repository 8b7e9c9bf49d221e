#include "materials/concrete/Concrete07.h"

#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;

namespace {

constexpr double epsilon = 2.220446049250313e-16; // 2^-52

Concrete07 dialogDefaults() { return Concrete07(0, -24.0, -0.002, 27000, 3, 0.00008, 2, 2.3, 2.7); }

// One committed step with the rule that must have produced it.
struct RuleStep {
    double strain;
    double stress;
    double tangent;
    int rule;
};

// Applies and commits each step from the current state, checking stress, tangent (as in
// closeTo, tolerance tol) and rule.
void expectRuleSteps(Concrete07& m, const std::vector<RuleStep>& steps, double tol) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const RuleStep& s = steps[i];
        m.applyTrialStrain(s.strain, 0.0);
        EXPECT_TRUE(closeTo(m.currentStress(), s.stress, tol))
            << "stress at step " << i + 1 << ", strain " << s.strain;
        EXPECT_TRUE(closeTo(m.currentTangent(), s.tangent, tol))
            << "tangent at step " << i + 1 << ", strain " << s.strain;
        EXPECT_EQ(m.currentRule(), s.rule) << "rule at step " << i + 1 << ", strain " << s.strain;
        m.commit();
    }
}

struct Response {
    double stress;
    double tangent;
    int rule;
    bool operator==(const Response&) const = default;
};

// Turning points of a cyclic history with growing amplitude in tension and compression and
// partial reloads; every rule of the model is crossed on the way (the comments name the rules
// the legs reach). Each leg is walked in equal sub-steps.
std::vector<double> cyclicHistory() {
    const std::vector<double> turns = {
        0.00007, 0.00003, 0.00005, 0.000035, 0.000075,  // tension envelope, 4, 81, 811
        -0.000015, -0.00001, -0.000013, -0.000011,      // 10, 12, 11
        -0.001, -0.0008, -0.00092, -0.00083, -0.0012,   // 1, 3, 71, 711
        -0.0002, 0.00001, -0.0001, 0.00002,             // 9, 11, 12
        -0.0016, -0.0009, -0.0013, 0.00006, -0.0008,    // growing compression, partial reloads
        0.0004,                                         // the crack opens: 6
        0.0001, 0.00013, 0.00005, 0.00012, 0.00008,     // 13, 14, 15
        0.00025,                                        //
        -0.0025, -0.0015, -0.002, 0.0002, -0.003,       // cracked cycles
        0.0006,                                         //
        -0.01, -0.006, -0.012, 0.001};                  // spalling: 5
    const int subSteps = 6;
    std::vector<double> history;
    double previous = 0.0;
    for (double turn : turns) {
        for (int i = 1; i <= subSteps; ++i) {
            history.push_back(previous + (turn - previous) * i / subSteps);
        }
        previous = turn;
    }
    return history;
}

std::vector<Response> run(Concrete07& m, const std::vector<double>& history) {
    std::vector<Response> out;
    out.reserve(history.size());
    for (double strain : history) {
        m.applyTrialStrain(strain, 0.0);
        out.push_back({m.currentStress(), m.currentTangent(), m.currentRule()});
        m.commit();
    }
    return out;
}

} // namespace

// ---- derived constants and envelope ---------------------------------------------------------

TEST(Concrete07, DerivedConstantsForDialogDefaults) {
    const Concrete07 m = dialogDefaults();
    EXPECT_TRUE(closeTo(m.compressionN(), 2.25, 1e-15));
    EXPECT_TRUE(closeTo(m.tensionN(), 0.72, 1e-15));
    EXPECT_TRUE(closeTo(m.compressionCriticalRatio(), 4.4968, 1.2e-5));
    EXPECT_TRUE(closeTo(m.tensionCriticalRatio(), 3.1225, 1.7e-5));
    EXPECT_NEAR(m.compressionCriticalRatio() * -0.002, -0.0089937, 5e-8);
    EXPECT_NEAR(m.tensionCriticalRatio() * 0.00008, 0.00024980, 5e-9);
    EXPECT_EQ(m.initialTangent(), 27000.0);
    EXPECT_EQ(m.classTag, 37);
}

TEST(Concrete07, FirstStepsOntoTheEnvelope) {
    struct Case {
        RuleStep step;
        double tol;
        bool cracked;
    };
    const std::vector<Case> cases = {
        {{-0.002, -24.0, 0.0, 1}, 1e-12, false},            // the peak, exactly
        {{-0.001, -18.9953, 11307.11, 1}, 3e-6, false},     // ascending branch
        {{0.00008, 3.0, 0.0, 2}, 1e-12, false},             // tensile peak, exactly
        {{0.00004, 1.6453, 53020.24, 2}, 3e-5, false},      // steeper than Ec: nT < 1
        {{-0.0091, 0.0, 0.0, 5}, 1e-12, false},             // beyond the compressive zero
        {{0.0003, 0.0, 0.0, 6}, 1e-12, true},               // beyond the tensile zero: cracked
        {{-0.003, -21.59677, -3816.688, 1}, 1e-6, false},   // descending tangent line
    };
    for (const Case& c : cases) {
        Concrete07 m = dialogDefaults();
        expectRuleSteps(m, {c.step}, c.tol);
        EXPECT_EQ(m.isCracked(), c.cracked) << "strain " << c.step.strain;
        EXPECT_EQ(m.currentLoadDirection(), c.step.strain < 0.0 ? 1 : -1);
    }
}

TEST(Concrete07, StepToZeroStrainIsNoStep) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{0.0, 0.0, 27000, 0}}, 1e-12);
    EXPECT_EQ(m.currentLoadDirection(), 0);
}

// |Δε| ≤ 2⁻⁵² is no step: committed stress, nothing else moves; just above it is a step.
TEST(Concrete07, IncrementToleranceIsNonStrict) {
    {
        Concrete07 m = dialogDefaults();
        expectRuleSteps(m, {{epsilon, 0.0, 27000, 0}}, 0.0);
        EXPECT_EQ(m.currentLoadDirection(), 0);
    }
    {
        Concrete07 m = dialogDefaults();
        m.applyTrialStrain(2.0 * epsilon, 0.0);
        EXPECT_EQ(m.currentRule(), 2);
        EXPECT_EQ(m.currentLoadDirection(), -1);
    }
    {
        Concrete07 m = dialogDefaults();
        expectRuleSteps(m, {{-0.001, -18.9953, 11307.11, 1}}, 3e-6);
        const double committedStress = m.currentStress();
        m.applyTrialStrain(-0.001 + 1e-16, 0.0);
        EXPECT_EQ(m.currentStress(), committedStress);
        EXPECT_EQ(m.currentRule(), 1);
        EXPECT_EQ(m.currentLoadDirection(), 1);
        m.applyTrialStrain(-0.001 + 4e-16, 0.0); // turns towards tension: rule 3
        EXPECT_EQ(m.currentRule(), 3);
        EXPECT_EQ(m.currentLoadDirection(), -1);
    }
}

// ---- unloading and reloading from the compression envelope ----------------------------------

TEST(Concrete07, UnloadingFromThePeakStartsWithEc) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}, {-0.00175, -17.25, 27000, 3}}, 1e-12);
}

TEST(Concrete07, FurtherCompressionFollowsTheEnvelope) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}, {-0.0025, -23.26214, -2650.826, 1}}, 1e-6);
}

TEST(Concrete07, Rule3MiddleSegment) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}, {-0.0015, -11.0627, 17445.86, 3}}, 5e-6);
}

// Past the plastic strain εplC ≈ −0.00062432 the rule-3 curve runs with EplC ≈ 365.405.
TEST(Concrete07, Rule3EndsAtThePlasticStrainWithEplC) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}}, 1e-12);
    m.applyTrialStrain(-0.00063, 0.0);
    EXPECT_EQ(m.currentRule(), 3);
    EXPECT_NEAR(m.currentTangent(), 365.405, 5e-4);
    EXPECT_NEAR(m.currentStress(), (-0.00063 + 0.00062432) * 365.405, 3e-6);
}

TEST(Concrete07, PartialReloadFromRule3FollowsRule71) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{-0.002, -24, 0, 1},
                     {-0.001, -2.339759, 17445.86, 3}, // middle segment of the rule-3 curve
                     {-0.0015, -13.16988, 21660.24, 71}},
                    1e-6);
    EXPECT_EQ(m.currentLoadDirection(), 1);
}

TEST(Concrete07, ReloadingTowardsTensionFollowsRule9) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}, {-0.0005, 0.045426, 365.405, 9}}, 2e-6);
}

// The preamble gave the tensile unloading point (0.00008, 3) from the compressive one, so the
// strain passes it and reaches the tension envelope.
TEST(Concrete07, ReloadingPastTheInitialisedTensileUnloadingPoint) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.002, -24, 0, 1}, {0.0001, 2.72945, -22809.31, 2}}, 5e-6);
}

// Turning back before the rule-71 line ends follows it back (711); below the compressive
// plastic strain the rule-3 curve resumes, and a new turn draws a new rule-71 line.
TEST(Concrete07, Rule71FollowedBackIsRule711) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{-0.002, -24, 0, 1},
                     {-0.001, -2.339759030264, 17445.85987261146, 3},
                     {-0.0015, -13.169879515132, 21660.240969736, 71},
                     {-0.0012, -6.671807224211197, 21660.240969736, 711},
                     {-0.0009, -0.5951730430028519, 17445.85987261146, 3},
                     {-0.0013, -9.10601920918363, 21277.11541545195, 71}},
                    1e-9);
}

// Reaching the compression-turn point exactly ends the back-followed line: the rule-3 curve.
TEST(Concrete07, BackAtTheCompressionTurnPointResumesRule3) {
    const std::vector<RuleStep> start = {{-0.002, -24, 0, 1},
                                         {-0.001, -2.339759030264, 17445.85987261146, 3},
                                         {-0.0015, -13.169879515132, 21660.240969736, 71}};
    {
        Concrete07 m = dialogDefaults(); // turning from rule 71
        expectRuleSteps(m, start, 1e-9);
        expectRuleSteps(m, {{-0.001, -2.339759030264, 17445.85987261146, 3}}, 1e-9);
    }
    {
        Concrete07 m = dialogDefaults(); // moving on along rule 711
        expectRuleSteps(m, start, 1e-9);
        expectRuleSteps(m,
                        {{-0.0012, -6.671807224211197, 21660.240969736, 711},
                         {-0.001, -2.339759030264, 17445.85987261146, 3}},
                        1e-9);
    }
}

// Partial reloads between the plastic strains: straight lines to the return points on the
// rule-10 curve (11) and on the rule-9 curve (12).
TEST(Concrete07, PartialReloadsToTheReturnPoints) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{-0.002, -24, 0, 1},
                     {-0.0005, 0.045425517577064596, 365.40526473885427, 9},
                     {-0.0008, -5.1357816078728336, 17270.690418166327, 11},
                     {-0.0006, -3.227537404227479, 9541.221018226768, 12},
                     {-0.00055, -2.7504763533161416, 9541.221018226768, 12}},
                    1e-9);
}

// ---- tension side ---------------------------------------------------------------------------

// εplT would be negative and is replaced by 0; the rule-4 transition falls back to its secant.
TEST(Concrete07, Rule4FallsBackToTheSecant) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{0.00008, 3, 0, 2}, {0.00004, 1.5, 37500, 4}}, 1e-12);
}

// Unloading from tension before any compression: the compressive unloading point defaults to
// exactly −2e-05 with its envelope stress.
TEST(Concrete07, DefaultUnloadingPointFromTheTensionEnvelope) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{0.00007, 2.90558, 19315.83, 2},
                     {-0.00001, -0.26650368, 26822.436, 10},
                     {-0.0000199, -0.53374902, 26996.94, 10}}, // last segment, slope ErC
                    5e-6);
    expectRuleSteps(m, {{-0.00002, -0.53644872, 26645.93, 1}}, 5e-6);
}

// Partial reload on the rule-4 curve: the rule-81 line to the tensile unloading point, the
// same line back (811), the rule-4 curve below the turn point, the envelope beyond εuT.
TEST(Concrete07, TensionTurnLinesAndBack) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{0.00008, 3, 0, 2},
                     {0.00004, 1.5, 37500, 4},
                     {0.00006, 2.25, 37500, 81},
                     {0.00005, 1.875, 37500, 811},
                     {0.00003, 1.125, 37500, 4},
                     {0.00009, 2.9217146558334512, -14613.61801644527, 2}},
                    1e-9);
}

// ---- cracked concrete -----------------------------------------------------------------------

// Turning from an open crack: the compressive unloading point defaults to 0.05·ec = −0.0001,
// the gap starts at the committed 0.0003, and the crack-closing curve applies.
TEST(Concrete07, CrackClosingFromAnOpenCrack) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{0.0003, 0, 0, 6}, {0.0001, -0.150038, 3092.542, 13}}, 2e-6);
    EXPECT_TRUE(m.isCracked());
    EXPECT_EQ(m.currentLoadDirection(), 1);
}

TEST(Concrete07, CrackedConcreteCarriesNoTensionPastThePlasticStrain) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{0.0003, 0, 0, 6}, {-0.003, -21.5968, -3816.688, 1}, {-0.0005, 0, 0, 6}},
                    5e-6);
    EXPECT_TRUE(m.isCracked());
}

// Leaving the crack-closing curve towards tension: the cracked unloading line (14) with slope
// EsecC; turning back, the line to the point where the curve was left (15), then the curve.
TEST(Concrete07, CrackedUnloadingAndGapReturn) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m,
                    {{0.0003, 0, 0, 6},
                     {0.0001, -0.15003803464226062, 3092.5416134655848, 13},
                     {0.000103, -0.06924835817844358, 26929.892154605757, 14},
                     {0.000102, -0.09617825033304926, 26929.892154605757, 15},
                     {0.00009, -0.183464033261819, 3601.4370101567542, 13}},
                    1e-9);
    // Past the zero of the cracked unloading line (about 0.0000968 from here): zero stress.
    expectRuleSteps(m, {{0.0002, 0, 0, 6}}, 1e-12);
}

// Spalled concrete: zero in compression (5), and turning back gives 6 with the crack flag.
TEST(Concrete07, SpalledConcreteStaysAtZero) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.0091, 0, 0, 5}, {-0.0095, 0, 0, 5}}, 1e-12);
    EXPECT_TRUE(m.isCracked()); // the preamble of the second step saw εuC beyond spalling
    expectRuleSteps(m, {{-0.009, 0, 0, 6}, {-0.0092, 0, 0, 5}}, 1e-12);
    EXPECT_TRUE(m.isCracked());
}

// Spalling cracks the concrete: even past the (still zero) tensile unloading point the tension
// envelope is not reached again.
TEST(Concrete07, SpalledConcreteCarriesNoTension) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.0091, 0, 0, 5}, {-0.009, 0, 0, 6}, {0.00005, 0, 0, 6}}, 1e-12);
    EXPECT_TRUE(m.isCracked());
}

// ---- building blocks ------------------------------------------------------------------------

TEST(Concrete07, TrilinearTransitionSegments) {
    struct Case {
        double strain, x0, y0, E0, x1, y1, E1, stress, tangent;
    };
    const std::vector<Case> cases = {
        // towards larger strains: end lines meet at 0.5, segments split at 0.25 and 0.75
        {0.1, 0, 0, 2, 1, 1, 0, 0.2, 2},
        {0.25, 0, 0, 2, 1, 1, 0, 0.5, 2}, // on xa: still the first line
        {0.5, 0, 0, 2, 1, 1, 0, 0.75, 1},
        {0.9, 0, 0, 2, 1, 1, 0, 1, 0},
        {1.5, 0, 0, 2, 1, 1, 0, 1, 0},    // beyond x1 on the second line
        {-1, 0, 0, 2, 1, 1, 0, -2, 2},    // before x0 on the first line
        // towards smaller strains: segments split at 0.75 and 0.25
        {0.9, 1, 1, 2, 0, 0, 0, 0.8, 2},
        {0.5, 1, 1, 2, 0, 0, 0, 0.25, 1},
        {0.1, 1, 1, 2, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto r = Concrete07::trilinearTransition(c.strain, c.x0, c.y0, c.E0, c.x1, c.y1, c.E1);
        EXPECT_TRUE(closeTo(r.stress, c.stress, 1e-15)) << "strain " << c.strain;
        EXPECT_TRUE(closeTo(r.tangent, c.tangent, 1e-15)) << "strain " << c.strain;
    }
}

// End lines meeting at or beyond the far end: the secant, with the absolute value of its
// slope, so a falling secant is drawn rising.
TEST(Concrete07, TrilinearTransitionSecantFallBack) {
    // (0, 0) to (1, −1), end lines meeting at 3.
    auto r = Concrete07::trilinearTransition(0.5, 0, 0, 1, 1, -1, 2);
    EXPECT_EQ(r.tangent, 1.0);
    EXPECT_EQ(r.stress, 0.5);
    // (1, 0) to (0, 1), end lines meeting at −2.
    r = Concrete07::trilinearTransition(0.5, 1, 0, 1, 0, 1, 2);
    EXPECT_EQ(r.tangent, 1.0);
    EXPECT_EQ(r.stress, -0.5);
}

// End lines meeting exactly at the far end count as meeting beyond it: the secant.
TEST(Concrete07, TrilinearTransitionIntersectionAtTheFarEnd) {
    auto r = Concrete07::trilinearTransition(0.5, 0, 0, -1, 1, -1, 1);
    EXPECT_EQ(r.tangent, 1.0);
    EXPECT_EQ(r.stress, 0.5);
    r = Concrete07::trilinearTransition(0.5, 1, 0, -1, 0, 1, 1);
    EXPECT_EQ(r.tangent, 1.0);
    EXPECT_EQ(r.stress, -0.5);
}

TEST(Concrete07, GapClosingCurveBranches) {
    // Power curve: Es = 1, R = 2, A = 1, on both sides of the start.
    auto r = Concrete07::gapClosingCurve(0.5, 0, 1, 1, 3);
    EXPECT_TRUE(closeTo(r.stress, 0.125, 1e-15));
    EXPECT_TRUE(closeTo(r.tangent, 0.75, 1e-15));
    r = Concrete07::gapClosingCurve(-0.5, 0, 1, 1, 3);
    EXPECT_TRUE(closeTo(r.stress, -0.125, 1e-15));
    EXPECT_TRUE(closeTo(r.tangent, 0.75, 1e-15));
    // End points within 0.01 % of each other: R = 0, the secant.
    r = Concrete07::gapClosingCurve(1.00002, 1, 1.00005, 1, 5);
    EXPECT_TRUE(closeTo(r.tangent, 1 / 0.00005, 1e-9));
    EXPECT_TRUE(closeTo(r.stress, 0.00002 / 0.00005, 1e-9));
    // R = 199 > 100: three segments from slope Es/4 = 0.25.
    r = Concrete07::gapClosingCurve(0.2, 0, 1, 1, 200);
    EXPECT_TRUE(closeTo(r.stress, 0.05, 1e-15));
    EXPECT_EQ(r.tangent, 0.25);
    // R = 90 over a gap of 1e-4: A overflows past 1e300, three segments again.
    r = Concrete07::gapClosingCurve(1e-5, 0, 1e-4, 1e-4, 91);
    EXPECT_TRUE(closeTo(r.stress, 2.5e-6, 1e-15));
    EXPECT_EQ(r.tangent, 0.25);
}

// ---- the whole table of rules ---------------------------------------------------------------

TEST(Concrete07, CyclicHistoryVisitsEveryRule) {
    Concrete07 m = dialogDefaults();
    std::set<int> seen;
    bool crackedBefore = false;
    for (double strain : cyclicHistory()) {
        m.applyTrialStrain(strain, 0.0);
        ASSERT_TRUE(std::isfinite(m.currentStress())) << "strain " << strain;
        ASSERT_TRUE(std::isfinite(m.currentTangent())) << "strain " << strain;
        seen.insert(m.currentRule());
        if (crackedBefore) {
            EXPECT_TRUE(m.isCracked()) << "the crack flag was cleared at strain " << strain;
        }
        crackedBefore = m.isCracked();
        m.commit();
    }
    const std::set<int> table = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 71, 711, 81, 811};
    EXPECT_EQ(seen, table);
}

// ---- trial / commit protocol ----------------------------------------------------------------

TEST(Concrete07, SecondTrialBeforeCommitActsAlone) {
    const std::vector<double> history = cyclicHistory();
    Concrete07 plain = dialogDefaults();
    Concrete07 retried = dialogDefaults();
    for (std::size_t i = 0; i < history.size(); ++i) {
        plain.applyTrialStrain(history[i], 0.0);
        retried.applyTrialStrain(i % 2 ? history[i] + 0.0004 : history[i] - 0.003, 0.0);
        retried.applyTrialStrain(history[i], 0.0);
        ASSERT_EQ((Response{retried.currentStress(), retried.currentTangent(),
                            retried.currentRule()}),
                  (Response{plain.currentStress(), plain.currentTangent(), plain.currentRule()}))
            << "step " << i + 1;
        plain.commit();
        retried.commit();
    }
}

// The tangent is not reloaded by a trial: a trial without effective increment keeps the
// tangent of the trial before it, unless revertToCommitted restored the committed one.
TEST(Concrete07, NoIncrementKeepsTheTrialTangent) {
    Concrete07 m = dialogDefaults();
    expectRuleSteps(m, {{-0.001, -18.9953, 11307.11, 1}}, 3e-6);
    const double committedStress = m.currentStress();
    const double committedTangent = m.currentTangent();
    m.applyTrialStrain(-0.0025, 0.0);
    const double trialTangent = m.currentTangent();
    ASSERT_NE(trialTangent, committedTangent);
    m.applyTrialStrain(-0.001, 0.0);
    EXPECT_EQ(m.currentStress(), committedStress);
    EXPECT_EQ(m.currentTangent(), trialTangent);
    EXPECT_EQ(m.currentRule(), 1);
    m.revertToCommitted();
    m.applyTrialStrain(-0.001, 0.0);
    EXPECT_EQ(m.currentTangent(), committedTangent);
}

TEST(Concrete07, RevertToInitialRepeatsTheFirstRun) {
    const std::vector<double> history = cyclicHistory();
    Concrete07 m = dialogDefaults();
    const std::vector<Response> first = run(m, history);
    m.revertToInitial();
    EXPECT_EQ(m.currentRule(), 0);
    EXPECT_EQ(m.currentLoadDirection(), 0);
    EXPECT_FALSE(m.isCracked());
    EXPECT_EQ(m.currentTangent(), 27000.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(run(m, history), first);
}

TEST(Concrete07, RespondWritesBothOutputsAndMatchesApplyTrialStrain) {
    const std::vector<double> history = cyclicHistory();
    Concrete07 plain = dialogDefaults();
    Concrete07 responding = dialogDefaults();
    for (std::size_t i = 0; i < history.size(); ++i) {
        double stress = -1e9;
        double tangent = -1e9;
        EXPECT_EQ(responding.applyTrialStrainAndRespond(history[i], stress, tangent, 0.0), 0);
        plain.applyTrialStrain(history[i], 0.0);
        ASSERT_EQ(stress, responding.currentStress()) << "step " << i + 1;
        ASSERT_EQ(tangent, responding.currentTangent()) << "step " << i + 1;
        ASSERT_EQ(stress, plain.currentStress()) << "step " << i + 1;
        ASSERT_EQ(tangent, plain.currentTangent()) << "step " << i + 1;
        ASSERT_EQ(responding.currentRule(), plain.currentRule()) << "step " << i + 1;
        plain.commit();
        responding.commit();
    }
}

// Both state copies travel: a clone made with a trial under way commits that trial and then
// answers every later step exactly as the original.
TEST(Concrete07, CloneInMidHistoryAnswersLikeTheOriginal) {
    const std::vector<double> history = cyclicHistory();
    for (std::size_t cut : {std::size_t{40}, std::size_t{100}, std::size_t{160}}) {
        Concrete07 original(7, -24.0, -0.002, 27000, 3, 0.00008, 2, 2.3, 2.7);
        original.name = "named";
        for (std::size_t i = 0; i < cut; ++i) {
            original.applyTrialStrain(history[i], 0.0);
            original.commit();
        }
        original.applyTrialStrain(history[cut], 0.0); // trial under way, not committed
        const std::unique_ptr<UniaxialMaterial> copy = original.clone();
        auto& clone = dynamic_cast<Concrete07&>(*copy);
        EXPECT_TRUE(clone.name.empty());
        EXPECT_EQ(clone.materialTag(), 7);
        EXPECT_EQ(clone.currentStress(), original.currentStress());
        EXPECT_EQ(clone.currentRule(), original.currentRule());
        original.commit();
        clone.commit();
        for (std::size_t i = cut + 1; i < history.size(); ++i) {
            original.applyTrialStrain(history[i], 0.0);
            clone.applyTrialStrain(history[i], 0.0);
            ASSERT_EQ((Response{clone.currentStress(), clone.currentTangent(), clone.currentRule()}),
                      (Response{original.currentStress(), original.currentTangent(),
                                original.currentRule()}))
                << "cut " << cut << ", step " << i + 1;
            ASSERT_EQ(clone.isCracked(), original.isCracked());
            original.commit();
            clone.commit();
        }
    }
}

// ---- catalogue hooks ------------------------------------------------------------------------

TEST(Concrete07, ParameterCheck) {
    const ParameterValues defaults = {-24.0, -0.002, 27000, 3, 0.00008, 2, 2.3, 2.7};
    struct Case {
        int index;
        double value;
        const char* refusedName; // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {0, 0.0, "fc"},
        {1, 0.0, "ec"},
        {2, 0.0, "Ec"},
        {3, 0.0, "ft"},
        {4, 0.0, "et"},
        {7, 1.0, "r"},
        // Negative shape factors Ec·ec/fc and Ec·et/ft: Tsai's denominator has a zero below
        // the peak.
        {0, 24.0, "fc"},
        {3, -3.0, "ft"},
        {2, -27000.0, "Ec"},
        // Negative strain ratios raised to the non-integer power r.
        {1, 0.001, "ec"},
        {5, -1.0, "xp"},
        {6, -2.0, "xn"},
        // 0/0 (r = 0) or infinite over infinite (r < 0) at zero strain.
        {7, 0.0, "r"},
        {7, -2.7, "r"},
        {5, 0.0, nullptr},
        {6, 0.0, nullptr},
        {7, 2.0, nullptr},
        {7, 1.0000001, nullptr},
        {7, 0.5, nullptr},
    };
    EXPECT_EQ(checkConcrete07Parameters(defaults), "");
    for (const Case& c : cases) {
        ParameterValues v = defaults;
        v[c.index] = c.value;
        const std::string message = checkConcrete07Parameters(v);
        if (c.refusedName == nullptr) {
            EXPECT_EQ(message, "") << "parameter " << c.index << " = " << c.value;
        } else {
            const std::string prefix = std::string(c.refusedName) + " = ";
            EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
            EXPECT_NE(message.find("is refused: "), std::string::npos) << message;
        }
    }
    // The first offending parameter is named.
    ParameterValues two = defaults;
    two[4] = 0.0;
    two[7] = 1.0;
    EXPECT_EQ(checkConcrete07Parameters(two).rfind("et = ", 0), 0u);
    // An integer r has a power for negative ratios too.
    ParameterValues integerPower = defaults;
    integerPower[1] = 0.002;
    integerPower[0] = 24.0; // keeps Ec·ec/fc positive
    integerPower[6] = -2.0;
    integerPower[7] = 3.0;
    EXPECT_EQ(checkConcrete07Parameters(integerPower), "");
}

TEST(Concrete07, MakeUsesCatalogueOrder) {
    const std::unique_ptr<UniaxialMaterial> m =
        makeConcrete07(3, {-30.0, -0.0025, 30000, 2.5, 0.0001, 2.5, 2.0, 2.0});
    auto& c = dynamic_cast<Concrete07&>(*m);
    EXPECT_EQ(c.materialTag(), 3);
    EXPECT_EQ(c.initialTangent(), 30000.0);
    EXPECT_EQ(c.compressionN(), 30000 * -0.0025 / -30.0);
    EXPECT_EQ(c.tensionN(), 30000 * 0.0001 / 2.5);
    c.applyTrialStrain(-0.0025, 0.0);
    EXPECT_TRUE(closeTo(c.currentStress(), -30.0, 1e-14)); // the peak is (ec, fc)
    c.applyTrialStrain(0.0001, 0.0);
    EXPECT_TRUE(closeTo(c.currentStress(), 2.5, 1e-14)); // and (et, ft)
}
