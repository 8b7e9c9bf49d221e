#include "materials/concrete/Concrete04.h"

#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {

// Dialog defaults: fc −24, ec −0.002, ecu −0.005, Ec 20000 (Esec 12000, exponent 2.5).
Concrete04 makeDefault(double fct = 0.0, double et = 0.0, double beta = 0.1) {
    return Concrete04(0, -24.0, -0.002, -0.005, 20000.0, fct, et, beta);
}

// Tension on: fct 3, et 0.001, beta 0.1, so the cracking strain is 0.00015.
Concrete04 makeWithTension() {
    return makeDefault(3.0, 0.001, 0.1);
}

// The end strain the unloading line reaches after a peak at exactly ec (eta = 1), evaluated in
// the model's order so that the boundary can be hit exactly.
double endStrainAfterPeak() {
    const double ec = -0.002;
    const double eta = ec / ec;
    const double ratio = 0.145 * (eta * eta) + 0.13 * eta;
    const double endStrain = ratio * ec;
    const double strainToEnd = ec - endStrain;
    return ec - strainToEnd;
}

void applyAndCommit(UniaxialMaterial& m, const std::vector<double>& strains) {
    for (double s : strains) {
        m.applyTrialStrain(s, 0.0);
        m.commit();
    }
}

constexpr double printedDigits = 5e-5; // the examples print four to five significant digits

} // namespace

TEST(Concrete04Backbone, SingleStepsFromInitialState) {
    struct Case {
        double strain, stress, tangent;
    };
    const Case cases[] = {
        {-0.001, -17.891, 13175.88},
        {-0.002, -24.0, 0.0},        // the peak: tangent exactly 0
        {-0.005, -13.179, -3085.20}, // the crushing strain itself is still on the curve
        {-0.0051, 0.0, 0.0},         // beyond crushing
    };
    for (const Case& c : cases) {
        Concrete04 m = makeDefault();
        expectSteps(m, {{c.strain, c.stress, c.tangent}}, printedDigits);
    }
}

TEST(Concrete04Backbone, PeakSetsEndStrainAndUnloadingSlope) {
    Concrete04 m = makeDefault();
    // Unloading line after the peak: end strain −0.00055, slope −24/−0.00145 = 16551.72.
    expectSteps(m,
                {{-0.002, -24.0, 0.0},
                 {-0.001, -7.448, 16551.72},
                 {-0.00055 - 0.0001, -0.0001 * 16551.72, 16551.72},
                 {-0.0005, 0.0, 0.0}},
                printedDigits);
}

TEST(Concrete04Backbone, CrushingLeavesNoCompressionCapacity) {
    Concrete04 m = makeDefault();
    expectSteps(m, {{-0.0051, 0.0, 0.0},
                    {-0.003, 0.0, 0.0},
                    {-0.0049, 0.0, 0.0},
                    {-0.006, 0.0, 0.0},
                    {-0.004, 0.0, 0.0}});
}

TEST(Concrete04Tension, OffWhenStrengthIsZero) {
    Concrete04 m = makeDefault();
    expectSteps(m, {{0.001, 0.0, 0.0}, {0.001, 0.0, 0.0}, {0.0005, 0.0, 0.0}, {0.002, 0.0, 0.0}});
}

TEST(Concrete04Tension, ZeroStrengthTestPrecedesTheUnchangedStrainTest) {
    // A positive strain within 2^-52 of the committed strain would otherwise keep the
    // committed tangent Ec.
    Concrete04 m = makeDefault();
    m.applyTrialStrain(1e-17, 0.0);
    EXPECT_EQ(m.currentStrain(), 1e-17);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 0.0);
}

TEST(Concrete04Tension, TinyStrainIncrementKeepsCommittedState) {
    Concrete04 m = makeWithTension();
    m.applyTrialStrain(-1e-17, 0.0);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 20000.0);
}

TEST(Concrete04Tension, NegativeStrengthIsTakenAsZero) {
    Concrete04 m = makeDefault(-3.0, 0.001, 0.1);
    expectSteps(m, {{0.0001, 0.0, 0.0}, {-0.001, -17.891, 13175.88}, {0.0002, 0.0, 0.0}},
                printedDigits);
    Concrete04 fresh = makeDefault(-3.0, 0.001, 0.1);
    fresh.applyTrialStrain(1e-17, 0.0);
    EXPECT_EQ(fresh.currentTangent(), 0.0);
}

TEST(Concrete04Tension, SofteningAndSecantHistory) {
    Concrete04 m = makeWithTension();
    expectSteps(m,
                {
                    {0.0001, 2.0, 20000.0},
                    {0.0005, 1.1624, -3148.86},
                    {0.0002, 0.46496, 2324.81},  // on the secant through the origin
                    {0.0006, 0.88656, -2401.63}, // past the largest excursion: softening again
                    {0.0012, 0.0, 0.0},          // beyond et; the secant becomes 0
                    {0.0008, 0.0, 0.0},
                    {-0.001, -17.891, 13175.88}, // compression history is untouched by tension
                    {-0.002, -24.0, 0.0},
                    {-0.001, -7.448, 16551.72},
                    {-0.0003, 0.0, 0.0}, // past the end strain −0.00055
                    {0.0001, 0.0, 0.0},  // back in tension on the zero secant
                    {-0.0006, -0.8276, 16551.72},
                },
                printedDigits);
}

TEST(Concrete04Tension, CrackingAndUltimateStrainsAreInclusive) {
    Concrete04 atCracking = makeWithTension();
    expectSteps(atCracking, {{3.0 / 20000.0, 3.0, 20000.0}});

    // At et the softening curve still applies: fct·beta = 0.3, slope 0.3·ln(0.1)/0.00085.
    Concrete04 atUltimate = makeWithTension();
    expectSteps(atUltimate, {{0.001, 0.3, -812.677092}}, 1e-9);

    Concrete04 beyond = makeWithTension();
    expectSteps(beyond, {{0.0010001, 0.0, 0.0}});
}

TEST(Concrete04Tension, ReentryReloadsAlongTensionSecant) {
    Concrete04 m = makeWithTension();
    // Tension secant 2324.81 from the 0.0005 excursion survives a compression cycle.
    expectSteps(m,
                {{0.0005, 1.1624, -3148.86},
                 {-0.002, -24.0, 0.0},
                 {-0.001, -7.448, 16551.72},
                 {0.0002, 0.46496, 2324.81},
                 {0.0001, 0.23248, 2324.81}},
                printedDigits);
}

TEST(Concrete04Tension, ZeroStrainFromCompressionStartsTheTensionLine) {
    // Reaching exactly 0 from below is a new tensile excursion at zero strain: slope Ec.
    for (double fct : {0.0, 3.0}) {
        Concrete04 m = makeDefault(fct, 0.001, 0.1);
        expectSteps(m, {{-0.001, -17.891, 13175.88}, {0.0, 0.0, 20000.0}}, printedDigits);
    }
}

TEST(Concrete04EndStrain, BoundaryDependsOnDirection) {
    const double endStrain = endStrainAfterPeak();
    ASSERT_TRUE(closeTo(endStrain, -0.00055, 1e-15));

    // Moving towards tension, the end strain is still on the unloading line.
    Concrete04 up = makeDefault();
    expectSteps(up, {{-0.002, -24.0, 0.0}, {endStrain, 0.0, 16551.72}}, printedDigits);

    // Moving towards compression, it carries nothing.
    Concrete04 down = makeDefault();
    expectSteps(down, {{-0.002, -24.0, 0.0}, {-0.0003, 0.0, 0.0}, {endStrain, 0.0, 0.0}});
}

TEST(Concrete04Protocol, SecondTrialReplacesFirst) {
    Concrete04 a = makeWithTension();
    Concrete04 b = makeWithTension();
    applyAndCommit(a, {0.0005, -0.002});
    applyAndCommit(b, {0.0005, -0.002});
    a.applyTrialStrain(-0.003, 0.0);
    a.applyTrialStrain(-0.001, 0.0);
    b.applyTrialStrain(-0.001, 0.0);
    EXPECT_EQ(a.currentStress(), b.currentStress());
    EXPECT_EQ(a.currentTangent(), b.currentTangent());
    a.commit();
    b.commit();
    a.applyTrialStrain(-0.0025, 0.0);
    b.applyTrialStrain(-0.0025, 0.0);
    EXPECT_EQ(a.currentStress(), b.currentStress());
}

TEST(Concrete04Protocol, RevertToCommittedDropsTrial) {
    Concrete04 m = makeWithTension();
    applyAndCommit(m, {-0.002});
    m.applyTrialStrain(-0.004, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStrain(), -0.002);
    EXPECT_EQ(m.currentStress(), -24.0);
    // The minimum is still −0.002, so −0.001 lies on the peak's unloading line.
    m.applyTrialStrain(-0.001, 0.0);
    EXPECT_TRUE(closeTo(m.currentStress(), -7.448, printedDigits));
}

TEST(Concrete04Protocol, RevertToInitialRepeatsFirstRun) {
    const std::vector<double> history = {0.0001, 0.0005, 0.0002,  -0.001,  -0.002, -0.001,
                                         0.0003, 0.0007, -0.0006, -0.0052, -0.001};
    Concrete04 m = makeWithTension();
    std::vector<double> first;
    for (double s : history) {
        m.applyTrialStrain(s, 0.0);
        first.push_back(m.currentStress());
        m.commit();
    }
    m.applyTrialStrain(-0.003, 0.0); // an uncommitted trial is dropped as well
    m.revertToInitial();
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 20000.0);
    for (std::size_t i = 0; i < history.size(); ++i) {
        m.applyTrialStrain(history[i], 0.0);
        EXPECT_EQ(m.currentStress(), first[i]) << "step " << i + 1;
        m.commit();
    }
}

TEST(Concrete04Protocol, CloneCopiesCommittedStateOnly) {
    Concrete04 m(7, -24.0, -0.002, -0.005, 20000.0, 3.0, 0.001, 0.1);
    m.name = "C04";
    applyAndCommit(m, {0.0005, -0.002});
    m.applyTrialStrain(-0.0015, 0.0); // uncommitted: not part of the copy

    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->materialTag(), 7);
    EXPECT_EQ(copy->classTag, 30);
    // The copy's trial state is the initial one until its next state determination.
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), 20000.0);

    // The committed history travels: both unload along the peak's line and reload on the
    // tension secant.
    m.revertToCommitted();
    for (double s : {-0.001, 0.0002, -0.0008}) {
        m.applyTrialStrain(s, 0.0);
        copy->applyTrialStrain(s, 0.0);
        EXPECT_EQ(copy->currentStress(), m.currentStress()) << "strain " << s;
        EXPECT_EQ(copy->currentTangent(), m.currentTangent()) << "strain " << s;
        m.commit();
        copy->commit();
    }
}

TEST(Concrete04Protocol, CloneKeepsClampedTensileStrength) {
    Concrete04 m = makeDefault(-3.0, 0.001, 0.1);
    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    copy->applyTrialStrain(1e-17, 0.0);
    EXPECT_EQ(copy->currentTangent(), 0.0);
}

TEST(Concrete04Interface, BaseSlotsAndInitialTangent) {
    Concrete04 m = makeWithTension();
    EXPECT_EQ(m.initialTangent(), 20000.0);
    double stress = 123.0, tangent = 456.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(-0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, 123.0);
    EXPECT_EQ(tangent, 456.0);
    EXPECT_TRUE(closeTo(m.currentStress(), -17.891, printedDigits));
    EXPECT_EQ(m.currentStrainRate(), 0.0);
}

TEST(Concrete04Parameters, CheckRefusesDegenerateValues) {
    const ParameterValues defaults = {-24.0, -0.002, -0.005, 20000.0, 0.0, 0.0, 0.1};
    EXPECT_EQ(checkConcrete04Parameters(defaults), "");

    struct Case {
        std::size_t index;
        double value;
        std::string refusedName; ///< empty when the value is accepted
    };
    const Case cases[] = {
        {0, 0.0, "fc"}, {0, -1e-20, "fc"}, {0, 24.0, "fc"},   {1, 0.0, "ec"}, {1, 0.002, "ec"},
        {2, 0.0, ""},   {3, 0.0, "Ec"},    {3, 5000.0, ""},   {4, -3.0, ""},  {4, 3.0, ""},
        {5, 0.0, ""},   {6, 0.0, "beta"},  {6, -0.1, "beta"}, {6, 1.0, ""},   {6, 2.0, ""},
    };
    for (const Case& c : cases) {
        ParameterValues v = defaults;
        v[c.index] = c.value;
        const std::string message = checkConcrete04Parameters(v);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "index " << c.index << " value " << c.value;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
            EXPECT_NE(message.find("is refused"), std::string::npos) << message;
        }
    }

    // A positive ec computes only when the exponent is an integer: fc 24, ec 0.001 give a
    // secant of 24000 ≥ Ec, hence the capped exponent 400.
    ParameterValues positivePeak = defaults;
    positivePeak[0] = 24.0;
    positivePeak[1] = 0.001;
    EXPECT_EQ(checkConcrete04Parameters(positivePeak), "");
    positivePeak[1] = 0.002; // exponent 2.5
    EXPECT_EQ(checkConcrete04Parameters(positivePeak).rfind("ec = ", 0), 0u);

    // fc 24 with ec -0.002 gives the exponent 20000/32000 = 0.625 < 1, whose denominator
    // vanishes at the strain ratio 0.375^1.6 ≈ 0.208: refused while ecu lies beyond that strain
    // (-0.000416), accepted when the material crushes before reaching it.
    ParameterValues pole = defaults;
    pole[0] = 24.0;
    pole[2] = -0.0005;
    EXPECT_EQ(checkConcrete04Parameters(pole).rfind("fc = 24 is refused: ", 0), 0u);
    pole[2] = -0.0004;
    EXPECT_EQ(checkConcrete04Parameters(pole), "");
}

TEST(Concrete04Parameters, MakeUsesCatalogueOrder) {
    const ParameterValues v = {-24.0, -0.002, -0.005, 20000.0, 3.0, 0.001, 0.1};
    std::unique_ptr<UniaxialMaterial> m = makeConcrete04(3, v);
    EXPECT_EQ(m->materialTag(), 3);
    EXPECT_EQ(m->initialTangent(), 20000.0);
    expectSteps(*m, {{0.0005, 1.1624, -3148.86}, {-0.001, -17.891, 13175.88}}, printedDigits);
}
