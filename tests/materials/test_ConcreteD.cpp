#include "materials/concrete/ConcreteD.h"

#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {

// Dialog defaults (constructor order): fc −27.6, epsc −0.002, ft 3, epst 0.0001, Ec 35000,
// alphac 1, alphat 0.1, cesp 0.25, etap 1.15; rho_c = 0.394286, n_c = 1.650943, rho_t =
// 0.857143, n_t = 7.
ConcreteD makeDefault(double cesp = 0.25, int tag = 0) {
    return ConcreteD(tag, -27.6, -0.002, 3.0, 0.0001, 35000.0, 1.0, 0.1, cesp, 1.15);
}

std::vector<double> stressesAlong(UniaxialMaterial& m, const std::vector<double>& strains) {
    std::vector<double> out;
    for (double s : strains) {
        m.applyTrialStrain(s, 0.0);
        out.push_back(m.currentStress());
        out.push_back(m.currentTangent());
        m.commit();
    }
    return out;
}

constexpr double printedDigits = 5e-5; // the examples print five to six significant digits
constexpr double derived = 1e-9;       // values worked out by hand to ten digits

const std::vector<double> mixedHistory = {-0.001,  -0.002, -0.003,  -0.002, -0.0005,
                                          0.0002,  0.0001, 0.00025, -0.002, -0.001,
                                          -0.0035, 0.0,    0.0003,  -0.0004};

} // namespace

TEST(ConcreteDCompression, DamageBranch) {
    ConcreteD m = makeDefault();
    expectSteps(m,
                {{-0.001, -23.5028, 10756.72},
                 {-0.002, -27.6, 0.0}, // the peak: dc = 1 − rho_c
                 {-0.003, -23.6571, -5632.65}},
                printedDigits);
}

TEST(ConcreteDCompression, SecantToThePlasticStrainThenTensileDamage) {
    // Plastic strain of the −0.003 step: −0.00107782; back at −0.002 the flag turns 1 and the
    // stress follows the secant; −0.0005 lies above the plastic strain and is a tensile damage
    // step measured from it (dt 0.893672).
    ConcreteD m = makeDefault();
    expectSteps(
        m,
        {{-0.003, -23.6571, -5632.65}, {-0.002, -11.3497, 12307.45}, {-0.0005, 0.48449, 2546.141}},
        printedDigits);
}

TEST(ConcreteDCompression, DamageStepOverwritesTheMinimumStrain) {
    // Straight from a tensile damage branch into compression, the damage is recomputed from the
    // new, less compressive strain: dc 0.605714, plastic strain −0.00050336, which the next
    // secant step reveals.
    ConcreteD m = makeDefault();
    expectSteps(m,
                {{-0.003, -23.65714286, -5632.653061},
                 {-0.0005, 0.4844856859, 2546.141092},
                 {0.0002, 0.3240812241, 717.6155411},
                 {-0.002, -27.6, 0.0},
                 {-0.001, -9.15872044, 18441.27956}},
                derived);
}

TEST(ConcreteDTension, DamageBranch) {
    ConcreteD m = makeDefault();
    expectSteps(m, {{0.00005, 1.74772, 34636.31}, {0.0001, 3.0, 0.0}, {0.0002, 2.85714, -2040.82}},
                printedDigits);
}

TEST(ConcreteDTension, UnloadAndReloadInsideThenRejoin) {
    ConcreteD m = makeDefault();
    expectSteps(m,
                {{0.0001, 3.0, 0.0},
                 {0.00005, 1.5, 30000.0},              // flag 1: secant (1 − d)·Ec with d = 1/7
                 {0.00008, 2.4, 30000.0},              // still inside the largest tensile strain
                 {0.00012, 2.990033223, -910.5859759}, // past it: back on the damage branch
                 {-0.0001, -3.462166386, 34003.80411},
                 {-0.00005, -1.725653409, 34730.25953},
                 {-0.00015, -5.140292967, 33086.38438}},
                derived);
}

TEST(ConcreteDBoundary, StrainAtThePlasticStrainIsADamageStepOnTheTensileSide) {
    // With cesp = 0 the plastic strain stays at zero. Stepping down to exactly 0 from a tensile
    // damage branch is a damage step (compressive side for the flag), evaluated on the tensile
    // side: the compressive damage of −0.001 survives and reduces the next tensile step by
    // 1 − dc. Had the step been taken on the compressive side, dc would be recomputed to 0.
    ConcreteD m = makeDefault(0.0);
    expectSteps(m,
                {{-0.001, -23.5027856038, 10756.7212172},
                 {0.00005, 1.17361114068, 34740.8250199},
                 {0.0, 0.0, 35000.0},
                 {0.00002, 0.470054709292, 34999.5743601}},
                derived);

    ConcreteD fresh = makeDefault(0.0);
    expectSteps(fresh, {{0.00002, 0.69999850667, 34999.4026691}}, derived);
}

TEST(ConcreteDBoundary, UnchangedStrainKeepsCommittedState) {
    ConcreteD m = makeDefault();
    // Before any state determination the trial tangent reads 0.
    EXPECT_EQ(m.currentTangent(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    // An increment below 2^-52 only reloads the committed copies: tangent Ec.
    m.applyTrialStrain(1e-17, 0.0);
    EXPECT_EQ(m.currentStrain(), 1e-17);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 35000.0);
}

TEST(ConcreteDProtocol, RevertToCommittedKeepsTheTrialStrain) {
    ConcreteD m = makeDefault();
    stressesAlong(m, {-0.001});
    m.applyTrialStrain(-0.003, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStrain(), -0.003);
    EXPECT_TRUE(closeTo(m.currentStress(), -23.5028, printedDigits));
    EXPECT_TRUE(closeTo(m.currentTangent(), 10756.72, printedDigits));
}

TEST(ConcreteDProtocol, SecondTrialReplacesFirst) {
    ConcreteD a = makeDefault();
    ConcreteD b = makeDefault();
    stressesAlong(a, {-0.003, -0.0005});
    stressesAlong(b, {-0.003, -0.0005});
    a.applyTrialStrain(-0.004, 0.0); // a damage step that would move the plastic strain
    a.applyTrialStrain(0.0002, 0.0);
    b.applyTrialStrain(0.0002, 0.0);
    EXPECT_EQ(a.currentStress(), b.currentStress());
    EXPECT_EQ(a.currentTangent(), b.currentTangent());
    a.commit();
    b.commit();
    EXPECT_EQ(stressesAlong(a, {-0.002, -0.001}), stressesAlong(b, {-0.002, -0.001}));
}

TEST(ConcreteDProtocol, RevertToInitialResetsOnlyCommittedCopies) {
    ConcreteD m = makeDefault();
    const std::vector<double> first = stressesAlong(m, mixedHistory);
    m.applyTrialStrain(-0.005, 0.0);
    const double trialStress = m.currentStress();
    m.revertToInitial();
    // The trial copies are left as they were.
    EXPECT_EQ(m.currentStrain(), -0.005);
    EXPECT_EQ(m.currentStress(), trialStress);
    EXPECT_EQ(stressesAlong(m, mixedHistory), first);
}

TEST(ConcreteDProtocol, CloneCopiesCommittedStateOnly) {
    ConcreteD m = makeDefault(0.25, 9);
    m.name = "CD";
    stressesAlong(m, {-0.003, -0.002});
    m.applyTrialStrain(-0.0005, 0.0); // uncommitted: not part of the copy

    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->materialTag(), 9);
    EXPECT_EQ(copy->classTag, 0);
    // The copy's trial copies keep their constructed values.
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), 0.0);

    // With the committed flag 1 and plastic strain copied, the copy answers like the original.
    m.revertToCommitted();
    const std::vector<double> next = {-0.0015, -0.0005, 0.0002, -0.0025, -0.004};
    EXPECT_EQ(stressesAlong(*copy, next), stressesAlong(m, next));
}

TEST(ConcreteDInterface, InitialTangentAndBaseSlots) {
    ConcreteD m = makeDefault();
    EXPECT_EQ(m.initialTangent(), 35000.0);
    double stress = 1.0, tangent = 2.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(0.0001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, 1.0);
    EXPECT_EQ(tangent, 2.0);
    EXPECT_TRUE(closeTo(m.currentStress(), 3.0, 1e-12));
}

TEST(ConcreteDParameters, CheckRefusesDegenerateValues) {
    const ParameterValues defaults = {-27.6, -0.002, 3.0, 0.0001, 35000.0, 1.0, 0.1, 0.25, 1.15};
    EXPECT_EQ(checkConcreteDParameters(defaults), "");

    struct Case {
        std::size_t index;
        double value;
        std::string refusedName; ///< empty when the value is accepted
    };
    const Case cases[] = {
        {0, -70.0, "fc"},
        {0, 0.0, ""},
        {1, 0.0, "epsc"},
        {1, -0.003, ""},
        {1, 0.002, "epsc"},
        {3, -0.0001, "epst"},
        {2, 0.0, "ft"},
        {2, 1.0, ""},
        {3, 0.0, "epst"},
        {3, 0.0002, ""},
        {4, 0.0, "Ec"},
        {5, 0.0, ""},
        {6, 0.0, ""},
        {7, 0.0, ""},
        {8, 0.0, ""},
        // rho = fc/(Ec·epsc) or ft/(Ec·epst) outside 0 … 1: the damage curve's slope is
        // infinite at zero strain (fc 27.6: rho_c < 0; Ec 20000: rho_t = 1.5; ft -3: rho_t < 0).
        {0, 27.6, "fc"},
        {4, 20000.0, "ft"},
        {2, -3.0, "ft"},
        // rho_t so small that the tensile exponent 1/(1 - rho_t) rounds to 1, as for ft = 0.
        {2, 1e-300, "ft"},
        // cesp and etap of opposite signs put the plastic strain on the tension side.
        {7, -0.25, "cesp"},
        {8, -1.15, "cesp"},
    };
    for (const Case& c : cases) {
        ParameterValues v = defaults;
        v[c.index] = c.value;
        const std::string message = checkConcreteDParameters(v);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "index " << c.index << " value " << c.value;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
            EXPECT_NE(message.find("is refused"), std::string::npos) << message;
        }
    }

    // A negative epst computes only with an exactly integer exponent: ft = Ec·epst/2 gives
    // rho_t = 0.5 and n_t = 2; the default magnitudes give n_t = 7 only up to rounding.
    ParameterValues negativePeak = defaults;
    negativePeak[3] = -0.0001;
    negativePeak[2] = 0.5 * (negativePeak[4] * negativePeak[3]);
    EXPECT_EQ(checkConcreteDParameters(negativePeak), "");
    negativePeak[2] = -3.0;
    EXPECT_EQ(checkConcreteDParameters(negativePeak).rfind("epst = ", 0), 0u);

    // Opposite signs of cesp and etap put the plastic strain on the tension side; with fc = 0
    // the compressive exponent is exactly 1 and the curve divides by zero at a zero strain ratio.
    ParameterValues tensilePlastic = defaults;
    tensilePlastic[0] = 0.0;
    tensilePlastic[7] = -0.25;
    EXPECT_EQ(checkConcreteDParameters(tensilePlastic).rfind("cesp = -0.25 is refused: ", 0), 0u);
    tensilePlastic[7] = 0.25;
    EXPECT_EQ(checkConcreteDParameters(tensilePlastic), "");

    // ft equal to Ec·epst makes rho_t exactly 1.
    ParameterValues unitTensileRatio = defaults;
    unitTensileRatio[2] = unitTensileRatio[4] * unitTensileRatio[3];
    EXPECT_EQ(checkConcreteDParameters(unitTensileRatio).rfind("ft = ", 0), 0u);
}

TEST(ConcreteDParameters, MakeUsesCatalogueOrderWithEcFifth) {
    const ParameterValues v = {-27.6, -0.002, 3.0, 0.0001, 35000.0, 1.0, 0.1, 0.25, 1.15};
    std::unique_ptr<UniaxialMaterial> m = makeConcreteD(4, v);
    EXPECT_EQ(m->materialTag(), 4);
    EXPECT_EQ(m->initialTangent(), 35000.0);
    ConcreteD reference = makeDefault();
    EXPECT_EQ(stressesAlong(*m, mixedHistory), stressesAlong(reference, mixedHistory));
}
