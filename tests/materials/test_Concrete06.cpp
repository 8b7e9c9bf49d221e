#include "materials/concrete/Concrete06.h"

#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace {

// Dialog defaults: E0 = 24000, Et0 = 37500, initial minimum stress −0.00024.
Concrete06 makeDefault(int tag = 0) {
    return Concrete06(tag, -24.0, -0.002, 2.0, 1.0, 0.32, 3.0, 0.00008, 4.0, 0.08);
}

std::vector<double> stressesAlong(UniaxialMaterial& m, const std::vector<double>& strains) {
    std::vector<double> stresses;
    for (double s : strains) {
        m.applyTrialStrain(s, 0.0);
        stresses.push_back(m.currentStress());
        stresses.push_back(m.currentTangent());
        m.commit();
    }
    return stresses;
}

constexpr double printedDigits = 5e-5; // the examples print four to six significant digits
constexpr double derived = 1e-9;       // values worked out by hand to ten digits

const std::vector<double> mixedHistory = {-0.001, -0.002, 0.0003,  0.0001,  -0.001,  -0.0015,
                                          0.0002, 0.0004, -0.003,  -0.0025, -0.0012, -0.0028,
                                          0.0001, 0.0,    -0.0031, 0.00005};

} // namespace

TEST(Concrete06Compression, BackboneThenUnloading) {
    Concrete06 m = makeDefault();
    expectSteps(m,
                {
                    {-0.001, -19.2, 11520.0},
                    {-0.002, -24.0, 0.0},
                    {-0.003, -22.1538, -2840.24},
                    {-0.0025, -10.1538, 24000.0}, // elastic predictor between the bounds
                    {-0.002, -1.4592, 1704.0},    // shallow line, slope 0.071·E0
                    {-0.0012, -0.0960, 1704.0},
                },
                printedDigits);
}

TEST(Concrete06Compression, ReloadingFollowsTheLineThroughTheMinimum) {
    // After unloading onto the shallow line, a reload past the minimum-point line takes that
    // line: slope is the unloading slope 11934.09 of the −0.003 extreme.
    Concrete06 m = makeDefault();
    expectSteps(m,
                {{-0.003, -22.15384615, -2840.236686},
                 {-0.0012, -0.09602069891, 1704.0},
                 {-0.0028, -19.76702858, 11934.08789}},
                derived);
}

TEST(Concrete06Compression, PlasticStrainIsTheZeroOfTheShallowLine) {
    // Plastic strain of the −0.001 extreme: −0.00014786; the shallow line passes through it.
    Concrete06 m = makeDefault();
    expectSteps(m, {{-0.001, -19.2, 11520.0}, {-0.0002, -0.0888530164, 1704.0}}, derived);
}

TEST(Concrete06Compression, StrainWithinToleranceAboveMinimumIsANewExtreme) {
    // On the backbone at the peak the tangent is ≈ 0; in the cycle region it would be E0.
    Concrete06 within = makeDefault();
    expectSteps(within, {{-0.002, -24.0, 0.0}});
    within.applyTrialStrain(-0.002 + 1e-16, 0.0);
    EXPECT_TRUE(closeTo(within.currentStress(), -24.0, 1e-12));
    EXPECT_TRUE(closeTo(within.currentTangent(), 0.0, 1e-6));

    Concrete06 beyond = makeDefault();
    expectSteps(beyond, {{-0.002, -24.0, 0.0}});
    beyond.applyTrialStrain(-0.002 + 3e-16, 0.0);
    EXPECT_EQ(beyond.currentTangent(), 24000.0);
}

TEST(Concrete06Compression, PeakStrainUsesThePostPeakShape) {
    // With k = 3 the two shapes differ only in the tangent's k factor: at e0 the pre-peak
    // shape gives 0, the post-peak one (fc/e0)·(n/2 − k·n²/4) = 12000·(1 − 3) = −24000.
    Concrete06 m(0, -24.0, -0.002, 2.0, 3.0, 0.32, 3.0, 0.00008, 4.0, 0.08);
    expectSteps(m, {{-0.002, -24.0, -24000.0}});
}

TEST(Concrete06Tension, BackboneAndUnloading) {
    Concrete06 m = makeDefault();
    expectSteps(m,
                {
                    {0.00004, 1.5, 37500.0},
                    {0.00008, 3.0, -150000.0}, // the power branch starts at ecr
                    {0.0002, 0.0768, -1536.0},
                    {0.0001, 0.029898, 469.02}, // unloading line, plastic strain 3.625e-5
                },
                printedDigits);
}

TEST(Concrete06Tension, ZeroStrainFirstStepIsOnTheTensionLine) {
    Concrete06 m = makeDefault();
    expectSteps(m, {{0.0, 0.0, 37500.0}});
}

TEST(Concrete06Tension, AfterCompressionTensionIsMeasuredFromThePlasticStrain) {
    // Detached after −0.002: the tension backbone sees 0.0003 − (−0.000547702); the new
    // tensile extreme attaches the zero strain, so compressive reloading uses the reload slope
    // 11550.93 through the minimum point (the unloading slope would be 16525.5).
    Concrete06 m = makeDefault();
    expectSteps(m,
                {{-0.002, -24.0, 0.0},
                 {0.0003, 0.0002379625003, -1.122859312},
                 {0.0001, 2.381864903e-05, 1.070719256},
                 {-0.001, -12.44906864, 11550.93136},
                 {-0.0015, -18.22453432, 11550.93136},
                 {0.0002, 0.0001308905747, 1.070719256},
                 {0.0004, 0.0001523330544, -0.6429576651}},
                derived);
}

TEST(Concrete06Parameters, PositiveStrengthAndPeakStrainAreNegated) {
    Concrete06 typedNegative = makeDefault();
    Concrete06 typedPositive(0, 24.0, 0.002, 2.0, 1.0, 0.32, 3.0, 0.00008, 4.0, 0.08);
    EXPECT_EQ(stressesAlong(typedPositive, mixedHistory),
              stressesAlong(typedNegative, mixedHistory));
    EXPECT_EQ(typedPositive.initialTangent(), 24000.0);
}

TEST(Concrete06Parameters, OnlyStrengthAndPeakStrainAreNegated) {
    // A negative tensile strength stays negative: Et0 = −37500 and the first step is −1.5.
    Concrete06 m(0, -24.0, -0.002, 2.0, 1.0, 0.32, -3.0, 0.00008, 4.0, 0.08);
    expectSteps(m, {{0.00004, -1.5, -37500.0}});
}

TEST(Concrete06Protocol, SecondTrialReplacesFirst) {
    Concrete06 a = makeDefault();
    Concrete06 b = makeDefault();
    stressesAlong(a, {-0.002, 0.0003});
    stressesAlong(b, {-0.002, 0.0003});
    a.applyTrialStrain(-0.004, 0.0); // would move the minimum
    a.applyTrialStrain(-0.001, 0.0);
    b.applyTrialStrain(-0.001, 0.0);
    EXPECT_EQ(a.currentStress(), b.currentStress());
    EXPECT_EQ(a.currentTangent(), b.currentTangent());
    a.commit();
    b.commit();
    EXPECT_EQ(stressesAlong(a, {-0.0018, -0.0025}), stressesAlong(b, {-0.0018, -0.0025}));
}

TEST(Concrete06Protocol, RevertToInitialRepeatsFirstRun) {
    Concrete06 m = makeDefault();
    const std::vector<double> first = stressesAlong(m, mixedHistory);
    m.applyTrialStrain(-0.01, 0.0);
    m.revertToInitial();
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 24000.0);
    EXPECT_EQ(stressesAlong(m, mixedHistory), first);
}

TEST(Concrete06Protocol, CloneCopiesCommittedStateOnly) {
    Concrete06 m = makeDefault(5);
    m.name = "C06";
    stressesAlong(m, {-0.003, -0.0012});
    m.applyTrialStrain(-0.0028, 0.0); // uncommitted: not part of the copy

    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->materialTag(), 5);
    EXPECT_EQ(copy->classTag, 34);
    EXPECT_EQ(copy->currentStrain(), 0.0);
    EXPECT_EQ(copy->currentStress(), 0.0);
    EXPECT_EQ(copy->currentTangent(), 24000.0);

    // The compressive cycle rule also reads the committed strain and stress, so the copy
    // answers the next steps exactly as the original.
    m.revertToCommitted();
    EXPECT_EQ(stressesAlong(*copy, {-0.0028, -0.002, 0.0001, -0.0032}),
              stressesAlong(m, {-0.0028, -0.002, 0.0001, -0.0032}));
}

TEST(Concrete06Interface, InitialTangentAndBaseSlots) {
    Concrete06 m = makeDefault();
    EXPECT_EQ(m.initialTangent(), 24000.0);
    double stress = 1.0, tangent = 2.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(-0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, 1.0);
    EXPECT_EQ(tangent, 2.0);
    EXPECT_TRUE(closeTo(m.currentStress(), -19.2, 1e-12));
}

TEST(Concrete06Parameters, CheckRefusesDegenerateValues) {
    const ParameterValues defaults = {-24.0, -0.002, 2.0, 1.0, 0.32, 3.0, 0.00008, 4.0, 0.08};
    EXPECT_EQ(checkConcrete06Parameters(defaults), "");

    struct Case {
        std::size_t index;
        double value;
        std::string refusedName; ///< empty when the value is accepted
    };
    const Case cases[] = {
        {0, 0.0, "fc"},       {0, 24.0, ""},     {1, 0.0, "e0"},
        {1, 0.002, ""},       {2, 1.0, "n"},     {2, 0.0, "n"},
        {2, 1.5, ""},         {2, 3.0, ""},      {3, 0.0, ""},
        {2, 0.5, "n"},        {2, -1.0, "n"},    {3, -1.0, ""},
        {4, 0.0, ""},         {5, 0.0, "fcr"},   {5, 2.0, ""},
        {6, 0.0, "ecr"},      {6, 1e-17, "ecr"}, {6, 2.220446049250313e-16, "ecr"},
        {6, -0.00008, "ecr"}, {6, 1e-6, ""},     {7, 0.0, ""},
        {8, 0.0, ""},
    };
    for (const Case& c : cases) {
        ParameterValues v = defaults;
        v[c.index] = c.value;
        const std::string message = checkConcrete06Parameters(v);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "index " << c.index << " value " << c.value;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
            EXPECT_NE(message.find("is refused"), std::string::npos) << message;
        }
    }
    // Below 1, n makes the compression curve's denominator n - 1 + (strain/e0)^(n*k) vanish
    // at some strain, unless k = 0 keeps it at n.
    ParameterValues flat = defaults;
    flat[2] = 0.5;
    flat[3] = 0.0;
    EXPECT_EQ(checkConcrete06Parameters(flat), "");
}

TEST(Concrete06Parameters, MakeUsesCatalogueOrder) {
    const ParameterValues v = {-24.0, -0.002, 2.0, 1.0, 0.32, 3.0, 0.00008, 4.0, 0.08};
    std::unique_ptr<UniaxialMaterial> m = makeConcrete06(2, v);
    EXPECT_EQ(m->materialTag(), 2);
    expectSteps(*m, {{-0.001, -19.2, 11520.0}});
    Concrete06 reference = makeDefault();
    std::unique_ptr<UniaxialMaterial> fresh = makeConcrete06(0, v);
    EXPECT_EQ(stressesAlong(*fresh, mixedHistory), stressesAlong(reference, mixedHistory));
}
