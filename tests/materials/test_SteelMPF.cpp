#include "materials/steel/SteelMPF.h"

#include "tests/materials/StepTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace looplab;
using looplab::test::closeTo;
using looplab::test::ExpectedStep;
using looplab::test::expectSteps;

namespace looplab {
// Reads the branch state that the interface does not expose.
struct SteelMPFProbe {
    static const SteelMPF::History& committed(const SteelMPF& m) { return m.committed; }
    static const SteelMPF::History& trial(const SteelMPF& m) { return m.trial; }

    static bool sameBranch(const SteelMPF::Branch& a, const SteelMPF::Branch& b) {
        return a.reversalStrain == b.reversalStrain && a.reversalStress == b.reversalStress &&
               a.asymptoteStrain == b.asymptoteStrain && a.asymptoteStress == b.asymptoteStress &&
               a.curvature == b.curvature;
    }

    static bool sameHistory(const SteelMPF::History& a, const SteelMPF::History& b) {
        return a.loadingDirection == b.loadingDirection && sameBranch(a.tension, b.tension) &&
               sameBranch(a.compression, b.compression) &&
               sameBranch(a.previousTension, b.previousTension) &&
               sameBranch(a.previousCompression, b.previousCompression) &&
               a.tensionRejoinBlocked == b.tensionRejoinBlocked &&
               a.compressionRejoinBlocked == b.compressionRejoinBlocked &&
               a.minStrain == b.minStrain && a.maxStrain == b.maxStrain &&
               a.reversalCount == b.reversalCount;
    }
};
} // namespace looplab

namespace {

using Probe = looplab::SteelMPFProbe;

struct Parameters {
    double fyp = 340, fyn = 340, E0 = 200000, bp = 0.002, bn = 0.002, R0 = 20, cR1 = 0.925,
           cR2 = 0.15, a1 = 0.0, a2 = 1.0, a3 = 0.0, a4 = 1.0;

    SteelMPF make(int tag = 0) const {
        return SteelMPF(tag, fyp, fyn, E0, bp, bn, R0, cR1, cR2, a1, a2, a3, a4);
    }
    ParameterValues values() const { return {fyp, fyn, E0, bp, bn, R0, cR1, cR2, a1, a2, a3, a4}; }
};

const Parameters defaults{};

// Growing cycles with uneven steps, reversals in both directions and small inner cycles.
std::vector<double> cyclicHistory() {
    std::vector<double> strains;
    for (int i = 1; i <= 240; ++i) {
        const double amplitude = 0.0005 + 0.012 * i / 240.0;
        strains.push_back(amplitude * std::sin(0.21 * i) + 0.0008 * std::sin(1.7 * i));
    }
    return strains;
}

std::vector<double> stressesAlong(UniaxialMaterial& m, const std::vector<double>& strains) {
    std::vector<double> stresses;
    for (double e : strains) {
        m.applyTrialStrain(e, 0.0);
        stresses.push_back(m.currentStress());
        m.commit();
    }
    return stresses;
}

void applyAndCommit(UniaxialMaterial& m, const std::vector<double>& strains) {
    for (double e : strains) {
        m.applyTrialStrain(e, 0.0);
        m.commit();
    }
}

// ---------------------------------------------------------------------------------------------
// Worked examples with the dialog defaults. Tolerances follow the printed digits.

TEST(SteelMPFExamples, FirstStepFromVirginState) {
    struct Case {
        ExpectedStep step;
        double stressTol; ///< half a unit of the last printed digit, relative
        double tangentTol;
    };
    const std::vector<Case> cases = {
        {{0.001, 199.9998, 199994.8}, 2.5e-7, 2.5e-7},
        {{0.002, 339.475, 6718.5}, 1.5e-6, 7.5e-6},
        {{-0.001, -199.9998, 199994.8}, 2.5e-7, 2.5e-7},
    };
    for (const Case& c : cases) {
        SteelMPF m = defaults.make();
        m.applyTrialStrain(c.step.strain, 0.0);
        EXPECT_TRUE(closeTo(m.currentStress(), c.step.stress, c.stressTol)) << c.step.strain;
        EXPECT_TRUE(closeTo(m.currentTangent(), c.step.tangent, c.tangentTol)) << c.step.strain;
    }
    SteelMPF m = defaults.make();
    m.applyTrialStrain(-0.001, 0.0);
    EXPECT_EQ(Probe::trial(m).loadingDirection, -1);
    EXPECT_EQ(Probe::trial(m).reversalCount, 1);
}

TEST(SteelMPFExamples, ZeroStrainAtZeroRateIsSkipped) {
    SteelMPF m = defaults.make();
    // The step to 0.0 keeps the response of 0.001; the step to 0.0005 then reverses from the
    // state committed at 0.001 (a fresh start from the origin would give 100.0000).
    expectSteps(
        m, {{0.001, 199.9998, 199994.8}, {0.0, 199.9998, 199994.8}, {0.0005, 99.9998, 200000.0}},
        5e-7);
    EXPECT_EQ(m.currentStrain(), 0.0005);
    EXPECT_EQ(Probe::committed(m).reversalCount, 2);
    EXPECT_EQ(Probe::committed(m).compression.reversalStrain, 0.001);
}

TEST(SteelMPFExamples, SkippedStepKeepsCurrentStrainAndResponse) {
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.001});
    const double stress = m.currentStress();
    const double tangent = m.currentTangent();
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.currentStrain(), 0.001);
    EXPECT_EQ(m.currentStress(), stress);
    EXPECT_EQ(m.currentTangent(), tangent);
}

TEST(SteelMPFExamples, SkippedStepDropsUncommittedHistoryButKeepsItsResponse) {
    SteelMPF m = defaults.make();
    m.applyTrialStrain(0.001, 0.0); // not committed
    const double uncommittedStress = m.currentStress();
    m.applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(m.currentStress(), uncommittedStress);
    EXPECT_EQ(Probe::trial(m).loadingDirection, 0);
    m.commit();
    // Still never loaded: the next step is a first loading from the origin.
    m.applyTrialStrain(0.0005, 0.0);
    SteelMPF fresh = defaults.make();
    fresh.applyTrialStrain(0.0005, 0.0);
    EXPECT_EQ(m.currentStress(), fresh.currentStress());
    EXPECT_EQ(m.currentTangent(), fresh.currentTangent());
}

TEST(SteelMPFExamples, ZeroStrainWithNonZeroRateIsApplied) {
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.001});
    m.applyTrialStrain(0.0, 1e-3);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_NEAR(m.currentStress(), 0.0, 1e-3); // nearly elastic unloading by E0·0.001
    EXPECT_EQ(Probe::trial(m).loadingDirection, -1);
    EXPECT_EQ(Probe::trial(m).reversalCount, 2);
}

TEST(SteelMPFExamples, FirstLoadingAtZeroStrainStartsNoBranch) {
    SteelMPF m = defaults.make();
    // At rate 0 the step is skipped: the initial response stays and nothing is loaded.
    expectSteps(m, {{0.0, 0.0, 200000.0}});
    EXPECT_EQ(Probe::committed(m).loadingDirection, 0);
    m.applyTrialStrain(0.0, 1.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_TRUE(closeTo(m.currentTangent(), 200000.0, 1e-12));
    EXPECT_EQ(Probe::trial(m).loadingDirection, 1);
    EXPECT_EQ(Probe::trial(m).reversalCount, 0);
    m.commit();
    applyAndCommit(m, {0.001});
    // First reversal with one branch started: the excursion is measured from the new
    // asymptote strain itself, so the curvature stays R0.
    m.applyTrialStrain(0.0005, 0.0);
    EXPECT_EQ(Probe::trial(m).reversalCount, 1);
    EXPECT_EQ(Probe::trial(m).compression.curvature, 20.0);
}

TEST(SteelMPFExamples, FirstReversalTowardsCompression) {
    SteelMPF m = defaults.make();
    expectSteps(m, {{0.01, 343.32, 400.0}, {0.009, 150.776, 178109.0}}, 2.8e-6);
    const auto& h = Probe::committed(m);
    EXPECT_EQ(h.loadingDirection, -1);
    EXPECT_EQ(h.reversalCount, 2);
    EXPECT_EQ(h.compression.reversalStrain, 0.01);
    EXPECT_NEAR(h.compression.reversalStress, 343.32, 5e-9);
    EXPECT_NEAR(h.compression.asymptoteStrain, 0.0066, 5e-12);
    EXPECT_NEAR(h.compression.asymptoteStress, -336.68, 5e-9);
    EXPECT_NEAR(h.compression.curvature, 2.0514, 5e-5); // ξ ≈ 4.882
    EXPECT_EQ(h.maxStrain, 0.01);
    // The previous compression branch is the virgin one.
    EXPECT_TRUE(Probe::sameBranch(h.previousCompression, {0.0, 0.0, -0.0017, -340.0, 20.0}));
}

TEST(SteelMPFExamples, IsotropicHardeningRaisesTheOppositeYieldLevel) {
    Parameters p;
    p.a1 = 0.5;
    SteelMPF m = p.make();
    applyAndCommit(m, {0.01, 0.009});
    // Yield level −340 − 830 = −1170.
    EXPECT_NEAR(Probe::committed(m).compression.asymptoteStrain, 0.00245, 5e-6);
    EXPECT_NEAR(Probe::committed(m).compression.asymptoteStress, -1166.68, 5e-3);

    // The mirror image with a3 on a first loading into compression.
    Parameters q;
    q.a3 = 0.5;
    SteelMPF n = q.make();
    applyAndCommit(n, {-0.01, -0.009});
    EXPECT_EQ(Probe::committed(n).minStrain, -0.01);
    EXPECT_NEAR(Probe::committed(n).tension.asymptoteStrain, -0.00245, 5e-6);
    EXPECT_NEAR(Probe::committed(n).tension.asymptoteStress, 1166.68, 5e-3);
}

TEST(SteelMPFExamples, IsotropicShiftScalesWithTheOtherSidesYieldStrain) {
    // Unequal strengths: εyp = 0.0015, εyn = 0.0017. Compression: h = 340·0.5·(0.01/εyp − 1)
    // = 963.33, y = −1303.33, from the reversal point (0.01, 303.4).
    Parameters p;
    p.fyp = 300;
    p.a1 = 0.5;
    SteelMPF m = p.make();
    applyAndCommit(m, {0.01, 0.009});
    EXPECT_NEAR(Probe::committed(m).compression.reversalStress, 303.4, 1e-9);
    EXPECT_NEAR(Probe::committed(m).compression.asymptoteStrain, 0.0019833333333333, 1e-12);
    EXPECT_NEAR(Probe::committed(m).compression.asymptoteStress, -1299.9333333333, 1e-8);

    // Tension: h = 300·0.5·(0.01/εyn − 1) = 732.35, y = 1032.35, from (−0.01, −343.32).
    Parameters q;
    q.fyp = 300;
    q.a3 = 0.5;
    SteelMPF n = q.make();
    applyAndCommit(n, {-0.01, -0.009});
    EXPECT_NEAR(Probe::committed(n).tension.asymptoteStrain, -0.0031382352941176, 1e-12);
    EXPECT_NEAR(Probe::committed(n).tension.asymptoteStress, 1029.0329411765, 1e-8);
}

TEST(SteelMPFExamples, IsotropicShiftIsZeroWhenNotActive) {
    const std::vector<double> strains = cyclicHistory();
    SteelMPF reference = defaults.make();
    const std::vector<double> expected = stressesAlong(reference, strains);

    // Zero amplitudes: the thresholds do not matter.
    Parameters zeroAmplitude;
    zeroAmplitude.a2 = -3.0;
    zeroAmplitude.a4 = 7.0;
    SteelMPF m = zeroAmplitude.make();
    EXPECT_EQ(stressesAlong(m, strains), expected);

    // A threshold above every excursion gives a negative shift, clipped to 0.
    Parameters highThreshold;
    highThreshold.a1 = 0.5;
    highThreshold.a3 = 0.5;
    highThreshold.a2 = 1000.0;
    highThreshold.a4 = 1000.0;
    SteelMPF n = highThreshold.make();
    EXPECT_EQ(stressesAlong(n, strains), expected);
}

TEST(SteelMPFExamples, NoIsotropicShiftBeforeTheYieldStrain) {
    // a2 < 0 would give a positive shift, but the reversal strain is below εyp.
    Parameters p;
    p.a1 = 0.5;
    p.a2 = -1.0;
    SteelMPF shifted = p.make();
    SteelMPF plain = defaults.make();
    applyAndCommit(shifted, {0.0015, 0.001});
    applyAndCommit(plain, {0.0015, 0.001});
    EXPECT_EQ(shifted.currentStress(), plain.currentStress());
    EXPECT_EQ(Probe::committed(shifted).compression.asymptoteStrain,
              Probe::committed(plain).compression.asymptoteStrain);

    // Beyond εyp the same parameters do shift the level.
    SteelMPF beyond = p.make();
    applyAndCommit(beyond, {0.002, 0.0019});
    SteelMPF plainBeyond = defaults.make();
    applyAndCommit(plainBeyond, {0.002, 0.0019});
    EXPECT_LT(Probe::committed(beyond).compression.asymptoteStress,
              Probe::committed(plainBeyond).compression.asymptoteStress);
}

// ---------------------------------------------------------------------------------------------
// Previous branches, rejoin flags and curvature.

TEST(SteelMPFBranches, PreviousBranchEqualsCurrentBeforeFirstReversal) {
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.001, 0.003, 0.003, 0.006});
    const auto& h = Probe::committed(m);
    EXPECT_EQ(h.loadingDirection, 1);
    EXPECT_EQ(h.reversalCount, 1);
    EXPECT_TRUE(Probe::sameBranch(h.tension, {0.0, 0.0, 0.0017, 340.0, 20.0}));
    EXPECT_TRUE(Probe::sameBranch(h.previousTension, h.tension));
    EXPECT_TRUE(Probe::sameBranch(h.previousCompression, h.compression));
    EXPECT_EQ(h.tensionRejoinBlocked, 1);
    EXPECT_EQ(h.compressionRejoinBlocked, 1);
    // Equal strain to the committed one continues on the same branch.
    SteelMPF fresh = defaults.make();
    applyAndCommit(fresh, {0.006});
    EXPECT_EQ(m.currentStress(), fresh.currentStress());
}

TEST(SteelMPFBranches, RejoinFlagSetByStrictComparisonAtReversal) {
    // With equal yield strengths the reversal point lies exactly on the virgin curve of the
    // new direction continued past the origin: not beyond it, so the flag is cleared.
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.01, 0.009});
    EXPECT_EQ(Probe::committed(m).compressionRejoinBlocked, 0);
    EXPECT_EQ(Probe::committed(m).tensionRejoinBlocked, 1); // untouched by this reversal
    SteelMPF mirror = defaults.make();
    applyAndCommit(mirror, {-0.01, -0.009});
    EXPECT_EQ(Probe::committed(mirror).tensionRejoinBlocked, 0);
    EXPECT_EQ(Probe::committed(mirror).compressionRejoinBlocked, 1);

    // A stronger opposite side puts the reversal point beyond that curve.
    Parameters strongCompression;
    strongCompression.fyn = 400;
    SteelMPF n = strongCompression.make();
    applyAndCommit(n, {0.01, 0.009});
    EXPECT_EQ(Probe::committed(n).compressionRejoinBlocked, 1);
    Parameters strongTension;
    strongTension.fyp = 400;
    SteelMPF t = strongTension.make();
    applyAndCommit(t, {-0.01, -0.009});
    EXPECT_EQ(Probe::committed(t).tensionRejoinBlocked, 1);
}

// With sign = −1 the mirror image: an inner cycle rejoining the previous tension branch.
void expectInnerCycleRejoin(double sign) {
    const auto scaled = [sign](std::vector<double> strains) {
        for (double& e : strains) {
            e *= sign;
        }
        return strains;
    };
    // Without the inner cycle: one branch from ±0.01.
    SteelMPF outer = defaults.make();
    const std::vector<double> direct =
        stressesAlong(outer, scaled({0.01, 0.0001, -0.002, -0.005, -0.006}));

    // With an inner cycle ±0.0001 → ±0.002 → back: the new branch starts inside the one from
    // ±0.01, crosses it between ∓0.002 and ∓0.005, and from there follows it.
    SteelMPF inner = defaults.make();
    const std::vector<double> cycled =
        stressesAlong(inner, scaled({0.01, 0.0001, 0.002, -0.002, -0.005, -0.006}));
    EXPECT_GT(sign * cycled[3], sign * direct[2]); // still on the inner branch at ∓0.002
    EXPECT_EQ(cycled[4], direct[3]);
    EXPECT_EQ(cycled[5], direct[4]);

    SteelMPF reference = defaults.make();
    applyAndCommit(reference, scaled({0.01, 0.0001}));
    const auto& h = Probe::committed(inner);
    const auto& r = Probe::committed(reference);
    if (sign > 0) {
        EXPECT_TRUE(Probe::sameBranch(h.compression, r.compression));
        EXPECT_EQ(h.compressionRejoinBlocked, 0);
    } else {
        EXPECT_TRUE(Probe::sameBranch(h.tension, r.tension));
        EXPECT_EQ(h.tensionRejoinBlocked, 0);
    }
    EXPECT_EQ(h.reversalCount, 4);
}

TEST(SteelMPFBranches, InnerCycleRejoinsThePreviousCompressionBranch) {
    expectInnerCycleRejoin(1.0);
}

TEST(SteelMPFBranches, InnerCycleRejoinsThePreviousTensionBranch) {
    expectInnerCycleRejoin(-1.0);
}

TEST(SteelMPFBranches, RejoinHappensOnTheReversalStepToo) {
    // Straight from the inner reversal at 0.002 to −0.005: the new branch is already below
    // the previous one, so the reversal step itself answers on the previous branch.
    SteelMPF outer = defaults.make();
    const std::vector<double> direct = stressesAlong(outer, {0.01, 0.0001, -0.005});
    SteelMPF inner = defaults.make();
    const std::vector<double> cycled = stressesAlong(inner, {0.01, 0.0001, 0.002, -0.005});
    EXPECT_EQ(cycled[3], direct[2]);
}

TEST(SteelMPFBranches, CurvatureFromLastExcursionNeverRises) {
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.01, 0.009});
    const double firstCompressionCurvature = Probe::committed(m).compression.curvature;
    // Third branch: the excursion runs from the compression reversal strain 0.01.
    applyAndCommit(m, {0.0095});
    EXPECT_NEAR(Probe::committed(m).tension.curvature, 17.63624344784167, 1e-9);
    EXPECT_EQ(Probe::committed(m).reversalCount, 3);
    // The small excursion would give R ≈ 3.25; the committed 2.0514 is kept.
    m.applyTrialStrain(0.0094, 0.0);
    EXPECT_EQ(Probe::trial(m).compression.curvature, firstCompressionCurvature);
    EXPECT_EQ(Probe::trial(m).previousCompression.curvature, firstCompressionCurvature);
}

// ---------------------------------------------------------------------------------------------
// Trial / commit protocol.

TEST(SteelMPFProtocol, StateBeforeFirstStep) {
    SteelMPF m = defaults.make(7);
    EXPECT_EQ(m.classTag, 91);
    EXPECT_EQ(m.materialTag(), 7);
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 200000.0);
    EXPECT_EQ(m.initialTangent(), 200000.0);
}

TEST(SteelMPFProtocol, SecondTrialBeforeCommitEqualsSecondAlone) {
    for (double second : {0.0095, 0.011, 0.002}) {
        SteelMPF twice = defaults.make();
        SteelMPF once = defaults.make();
        applyAndCommit(twice, {0.01, 0.009});
        applyAndCommit(once, {0.01, 0.009});
        twice.applyTrialStrain(0.0085, 0.0);
        twice.applyTrialStrain(second, 0.0);
        once.applyTrialStrain(second, 0.0);
        EXPECT_EQ(twice.currentStress(), once.currentStress());
        EXPECT_EQ(twice.currentTangent(), once.currentTangent());
        EXPECT_TRUE(Probe::sameHistory(Probe::trial(twice), Probe::trial(once)));
    }
}

TEST(SteelMPFProtocol, RevertToCommittedDropsTheTrial) {
    SteelMPF m = defaults.make();
    applyAndCommit(m, {0.01});
    const double stress = m.currentStress();
    const double tangent = m.currentTangent();
    m.applyTrialStrain(0.009, 0.0);
    m.revertToCommitted();
    EXPECT_EQ(m.currentStrain(), 0.01);
    EXPECT_EQ(m.currentStress(), stress);
    EXPECT_EQ(m.currentTangent(), tangent);
    EXPECT_TRUE(Probe::sameHistory(Probe::trial(m), Probe::committed(m)));
}

TEST(SteelMPFProtocol, RevertToInitialRepeatsTheFirstRun) {
    const std::vector<double> strains = cyclicHistory();
    SteelMPF m = defaults.make();
    const std::vector<double> first = stressesAlong(m, strains);
    m.applyTrialStrain(0.003, 0.0); // leave a pending trial too
    m.revertToInitial();
    EXPECT_EQ(m.currentStrain(), 0.0);
    EXPECT_EQ(m.currentStress(), 0.0);
    EXPECT_EQ(m.currentTangent(), 200000.0);
    EXPECT_EQ(Probe::committed(m).loadingDirection, 0);
    EXPECT_EQ(Probe::trial(m).reversalCount, 0);
    EXPECT_EQ(stressesAlong(m, strains), first);
    for (double s : first) {
        ASSERT_FALSE(std::isnan(s));
    }
}

TEST(SteelMPFProtocol, CloneCopiesCommittedAndTrialState) {
    const std::vector<double> strains = cyclicHistory();
    SteelMPF m = defaults.make(3);
    m.name = "bar";
    stressesAlong(m, std::vector<double>(strains.begin(), strains.begin() + 120));
    m.applyTrialStrain(strains[120], 0.0); // pending trial

    std::unique_ptr<UniaxialMaterial> copy = m.clone();
    auto& c = dynamic_cast<SteelMPF&>(*copy);
    EXPECT_TRUE(c.name.empty());
    EXPECT_EQ(c.materialTag(), 3);
    EXPECT_EQ(c.currentStrain(), m.currentStrain());
    EXPECT_EQ(c.currentStress(), m.currentStress());
    EXPECT_EQ(c.currentTangent(), m.currentTangent());
    EXPECT_TRUE(Probe::sameHistory(Probe::trial(c), Probe::trial(m)));
    EXPECT_TRUE(Probe::sameHistory(Probe::committed(c), Probe::committed(m)));

    // Committing the copied trial and going on answers exactly as the original.
    m.commit();
    c.commit();
    const std::vector<double> rest(strains.begin() + 121, strains.end());
    EXPECT_EQ(stressesAlong(c, rest), stressesAlong(m, rest));
}

TEST(SteelMPFProtocol, RespondWritesOutputsUnlessTheStepIsSkipped) {
    SteelMPF m = defaults.make();
    double stress = -1.0;
    double tangent = -2.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, m.currentStress());
    EXPECT_EQ(tangent, m.currentTangent());
    m.commit();

    stress = -1.0;
    tangent = -2.0;
    EXPECT_EQ(m.applyTrialStrainAndRespond(0.0, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, -1.0);
    EXPECT_EQ(tangent, -2.0);

    EXPECT_EQ(m.applyTrialStrainAndRespond(0.0, stress, tangent, 0.5), 0);
    EXPECT_EQ(stress, m.currentStress());
    EXPECT_EQ(tangent, m.currentTangent());
    EXPECT_NE(stress, -1.0);
}

// ---------------------------------------------------------------------------------------------
// Catalogue hooks.

TEST(SteelMPFCatalogue, MakePassesValuesInConstructorOrder) {
    Parameters p;
    p.fyp = 300;
    p.E0 = 150000;
    std::unique_ptr<UniaxialMaterial> m = makeSteelMPF(4, p.values());
    EXPECT_EQ(m->materialTag(), 4);
    EXPECT_EQ(m->classTag, SteelMPF::classTagValue);
    EXPECT_EQ(m->initialTangent(), 150000.0);
    SteelMPF direct = p.make();
    const std::vector<double> strains = cyclicHistory();
    EXPECT_EQ(stressesAlong(*m, strains), stressesAlong(direct, strains));
}

TEST(SteelMPFCatalogue, ParameterCheck) {
    struct Case {
        int index;
        double value;
        std::string refusedName; ///< empty when accepted
        const char* reasonWord;  ///< a word the reason must contain
    };
    constexpr const char* power = "negative strain ratio";
    const std::vector<Case> cases = {
        {0, 0.0, "fyp", "divide"},
        {1, 0.0, "fyn", "divide"},
        {2, 0.0, "E0", "divide"},
        {3, 1.0, "bp", "divide"},
        {4, 1.0, "bn", "divide"},
        {5, 0.0, "R0", "divide"},
        {0, -0.0, "fyp", "divide"},
        // Negative yield strains, or a modulus that turns the fall-back comparisons around.
        {0, -340.0, "fyp", power},
        {1, -340.0, "fyn", power},
        {2, -200000.0, "E0", power},
        // A curvature R that can reach zero or below.
        {5, -20.0, "R0", power},
        {6, 1.5, "cR1", power},
        {7, -0.15, "cR2", power},
        // xi = 0 at a reversal from the elastic range.
        {7, 0.0, "cR2", "0/0"},
        {3, 0.0, "", ""},
        {4, 0.99, "", ""},
        {5, 2.5, "", ""},
        {6, 1.0, "", ""},
        {6, 0.0, "", ""},
        {8, 0.5, "", ""},
        {9, 0.0, "", ""},
        {10, 0.5, "", ""},
        {11, 0.0, "", ""},
    };
    EXPECT_EQ(checkSteelMPFParameters(defaults.values()), "");
    for (const Case& c : cases) {
        ParameterValues v = defaults.values();
        v[c.index] = c.value;
        const std::string message = checkSteelMPFParameters(v);
        if (c.refusedName.empty()) {
            EXPECT_EQ(message, "") << "parameter " << c.index << " = " << c.value;
        } else {
            EXPECT_EQ(message.rfind(c.refusedName + " = ", 0), 0u) << message;
            EXPECT_NE(message.find("is refused: "), std::string::npos) << message;
            EXPECT_NE(message.find(c.reasonWord), std::string::npos) << message;
        }
    }
    EXPECT_EQ(checkSteelMPFParameters({340, 340, 200000, 1.0, 0.002, 20, 0.925, 0.15, 0, 1, 0, 1}),
              "bp = 1 is refused: a reversal towards tension divides by (1 - bp)*E0, which is "
              "then zero.");
    // The first offending parameter is named.
    EXPECT_EQ(checkSteelMPFParameters({340, 340, 0.0, 1.0, 1.0, 0, 0.925, 0.15, 0, 1, 0, 1})
                  .rfind("E0 = 0", 0),
              0u);
    // Fyp and fyn of any size with a positive modulus, and a curvature that stays R0.
    EXPECT_EQ(checkSteelMPFParameters({5, 900, 200000, 0.002, 0.002, 20, 0.0, 0.15, 0, 1, 0, 1}),
              "");
}

} // namespace
