#include "materials/steel/Steel4.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace looplab;

namespace {

// Parameter positions in constructor order (after the tag).
enum : std::size_t {
    iFy = 0,
    iE = 1,
    iBk = 2,
    iR0 = 3,
    iR1 = 4,
    iR2 = 5,
    iBkc = 6,
    iR0c = 7,
    iR1c = 8,
    iR2c = 9,
    iBi = 10,
    iRhoI = 11,
    iBl = 12,
    iRi = 13,
    iLyp = 14,
    iBic = 15,
    iRhoIc = 16,
    iRic = 18,
    iFu = 19,
    iRu = 20,
    iFuc = 21,
    iRuc = 22,
    iCycNum = 23,
    iSigInit = 24
};

// The dialog defaults: Fy 300, E 200000, so εy0 = 0.0015 and 2·Fy/E = 0.003.
ParameterValues defaults() {
    return {300.0, 200000.0, 0.0, 50.0, 0.1, 0.15, 0.0,   50.0, 0.1,   0.15, 0.0,  1.0, 0.0,
            50.0,  0.0,      0.0, 1.0,  0.0, 50.0, 5.0e8, 50.0, 5.0e8, 50.0, 50.0, 0.0};
}

ParameterValues with(std::initializer_list<std::pair<std::size_t, double>> changes) {
    ParameterValues v = defaults();
    for (const auto& [index, value] : changes) {
        v[index] = value;
    }
    return v;
}

std::unique_ptr<Steel4> build(const ParameterValues& v) {
    std::unique_ptr<UniaxialMaterial> m = makeSteel4(0, v);
    return std::unique_ptr<Steel4>(static_cast<Steel4*>(m.release()));
}

// Isotropic hardening in both sets: the elastic range widens to about 2·1.85·Fy after the first
// cycle, so an inner branch can move more than 2·Fy/E and still be elastic.
ParameterValues isotropic(double cycNum) {
    return with({{iBi, 0.05}, {iBic, 0.05}, {iCycNum, cycNum}});
}

// A committed step checked against absolute tolerances, as the examples state them (the
// tangent is a backward difference, so its tolerance is looser than the stress's).
struct Step {
    double strain;
    double stress;
    double stressTol;
    double tangent;
    double tangentTol;
};

void expectStepsWithin(Steel4& m, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        EXPECT_EQ(m.applyTrialStrain(s.strain, 0.0), 0);
        EXPECT_NEAR(m.currentStress(), s.stress, s.stressTol) << "step " << i + 1;
        EXPECT_NEAR(m.currentTangent(), s.tangent, s.tangentTol) << "step " << i + 1;
        EXPECT_EQ(m.commit(), 0);
    }
}

void drive(Steel4& m, const std::vector<double>& strains) {
    for (const double e : strains) {
        m.applyTrialStrain(e, 0.0);
        m.commit();
    }
}

} // namespace

TEST(Steel4, FirstBranchFromRest) {
    auto a = build(defaults());
    EXPECT_EQ(a->classTag, 87);
    EXPECT_EQ(a->initialTangent(), 200000.0);
    expectStepsWithin(*a, {{0.001, 200.0, 1e-6, 200000.0, 0.01}});
    EXPECT_EQ(a->loadState(), 1);

    auto b = build(defaults());
    b->applyTrialStrain(0.002, 0.0);
    EXPECT_NEAR(b->currentStress(), 300.0, 1e-5);
    EXPECT_LT(b->currentTangent(), 1.0);
    EXPECT_GT(b->currentTangent(), 0.0);

    // The first compression branch mirrors it.
    auto c = build(defaults());
    expectStepsWithin(*c, {{-0.001, -200.0, 1e-6, 200000.0, 0.01}});
    EXPECT_EQ(c->loadState(), 2);
    c->applyTrialStrain(-0.002, 0.0);
    EXPECT_NEAR(c->currentStress(), -300.0, 1e-5);
    EXPECT_LT(c->currentTangent(), 1.0);
}

TEST(Steel4, UnloadingStartsElasticallyAtTheCommittedPoint) {
    auto s = build(defaults());
    expectStepsWithin(*s, {{0.01, 300.0, 1e-9, 0.0, 1e-3},
                           {0.009, 100.0, 1e-9, 200000.0, 0.01},
                           {0.0085, 0.0, 1e-9, 200000.0, 0.01}});
    EXPECT_EQ(s->loadState(), 2);
}

TEST(Steel4, ReversalOvershootStillStartsAtTheCommittedPoint) {
    // One step from 0.01 to −0.01 reaches the compression plateau, not the old tension branch.
    auto s = build(defaults());
    expectStepsWithin(*s, {{0.01, 300.0, 1e-9, 0.0, 1e-3}, {-0.01, -300.0, 1e-9, 0.0, 1e-3}});
}

TEST(Steel4, AnyOppositeIncrementStartsANewBranch) {
    auto s = build(defaults());
    drive(*s, {0.01});
    s->applyTrialStrain(0.01 - 1e-12, 0.0);
    EXPECT_EQ(s->loadState(), 2);
    EXPECT_NEAR(s->currentStress(), 300.0 - 200000.0 * 1e-12, 1e-9);
}

TEST(Steel4, ZeroIncrementKeepsTheBranch) {
    auto s = build(defaults());
    drive(*s, {0.004});
    const double tension = s->currentStress();
    s->applyTrialStrain(0.004, 0.0);
    EXPECT_EQ(s->loadState(), 1);
    EXPECT_EQ(s->currentStress(), tension);
    s->commit();

    drive(*s, {0.003});
    const double compression = s->currentStress();
    s->applyTrialStrain(0.003, 0.0);
    EXPECT_EQ(s->loadState(), 2);
    EXPECT_EQ(s->currentStress(), compression);
}

TEST(Steel4, RestAtTheStartPointUntilAnIncrementOfTenEpsilon) {
    auto s = build(defaults());
    expectStepsWithin(*s, {{0.0, 0.0, 0.0, 200000.0, 0.0}});
    EXPECT_EQ(s->loadState(), 3);
    // Below 10·2⁻⁵² the material stays at rest; at it the first branch begins.
    s->applyTrialStrain(2.2e-15, 0.0);
    EXPECT_EQ(s->loadState(), 3);
    EXPECT_EQ(s->currentStress(), 0.0);
    s->applyTrialStrain(2.220446049250313e-15, 0.0);
    EXPECT_EQ(s->loadState(), 1);
    // The next real step starts the first branch at (0, 0).
    expectStepsWithin(*s, {{0.001, 200.0, 1e-6, 200000.0, 0.01}});
}

TEST(Steel4, InitialStressIsCarriedAsAStrainOffset) {
    auto s = build(with({{iSigInit, 100.0}}));
    // Before any step the trial copies hold the initial state.
    EXPECT_EQ(s->currentStress(), 100.0);
    EXPECT_EQ(s->currentStrain(), 0.0005);
    EXPECT_EQ(s->currentTangent(), 200000.0);

    s->applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(s->currentStress(), 100.0);
    EXPECT_EQ(s->currentStrain(), 0.0005);
    EXPECT_EQ(s->currentTangent(), 200000.0);
    EXPECT_EQ(s->loadState(), 3);
    s->commit();
    // The first branch still starts at (0, 0): strain 0.0005 + 0.0005 lies at 2/3 of εy0.
    expectStepsWithin(*s, {{0.0005, 200.0, 1e-6, 200000.0, 0.01}});

    s->revertToInitial();
    s->applyTrialStrain(0.0, 0.0);
    EXPECT_EQ(s->currentStress(), 100.0);
    EXPECT_EQ(s->currentStrain(), 0.0005);
}

TEST(Steel4, KinematicHardeningFollowsTheAsymptote) {
    // The line 300 + 2000·(ε − 0.0015).
    auto s = build(with({{iBk, 0.01}}));
    expectStepsWithin(*s, {{0.005, 307.0, 1e-9, 2000.0, 1e-3}, {0.05, 397.0, 1e-9, 2000.0, 1e-3}});
}

TEST(Steel4, UltimateStrengthCapsTheStress) {
    auto s = build(with({{iBk, 0.01}, {iFu, 320.0}}));
    expectStepsWithin(*s, {{0.005, 307.0, 1e-9, 2000.0, 1e-3}, {0.02, 320.0, 1e-6, 0.0, 1e-3}});
    for (double e = 0.02; e < 0.5; e += 0.005) {
        s->applyTrialStrain(e, 0.0);
        EXPECT_LE(s->currentStress(), 320.0 + 1e-9) << "strain " << e;
        s->commit();
    }

    // The compression cap −f_uc mirrors it.
    auto c = build(with({{iBkc, 0.01}, {iFuc, 320.0}}));
    expectStepsWithin(*c, {{-0.005, -307.0, 1e-9, 2000.0, 1e-3}, {-0.02, -320.0, 1e-6, 0.0, 1e-3}});
}

TEST(Steel4, KinematicShiftKeepsTheTensionBoundOnOneLine) {
    // b_k = 0.01, b_kc = 0: after the reversal at 0.02 (337) the compression bound stays at
    // −300 and the reloading branch rejoins the tension line 300 + 2000·(ε − 0.0015).
    auto s = build(with({{iBk, 0.01}, {iCycNum, 0.0}}));
    expectStepsWithin(*s, {{0.01, 317.0, 1e-6, 2000.0, 1e-3},
                           {0.02, 337.0, 1e-6, 2000.0, 1e-3},
                           {-0.01, -300.0, 1e-6, 0.0, 1e-3},
                           {-0.02, -300.0, 1e-6, 0.0, 1e-3},
                           {0.01, 317.0, 1e-6, 2000.0, 1e-3},
                           {0.03, 357.0, 1e-6, 2000.0, 1e-3}});
}

TEST(Steel4, StrainBeyondTheLimitDoesNotShiftTheOppositeBound) {
    // With f_u = 320 the tension asymptote reaches 320 at 0.0115; the 0.0085 swept beyond it
    // before the reversal at 0.02 adds no kinematic shift, so the compression bound is −300.
    auto s = build(with({{iBk, 0.01}, {iFu, 320.0}, {iCycNum, 0.0}}));
    expectStepsWithin(*s, {{0.02, 320.0, 1e-6, 0.0, 1e-3}, {-0.01, -300.0, 1e-6, 0.0, 1e-3}});
}

TEST(Steel4, IsotropicShiftRecentresTheElasticRange) {
    // Only the tension set hardens (b_i = 0.05): at 0.01 the excursion 0.0085 (y = 17/3)
    // raises the bound to 300·(1 + 0.05·y) = 385 with slope 0.05·E. The reversal shifts the
    // compression side by ΔI = 85, so it yields at −385. Reloading after P = 0.02465 shifts by
    // ΔI = 85 − 300·gT(P) = −161.4997, gT(P) = 0.8216658, while the tension bound saturates at
    // 2·Fy: 600 − 161.4997.
    auto s = build(with({{iBi, 0.05}, {iCycNum, 0.0}}));
    expectStepsWithin(*s, {{0.01, 385.0, 1e-9, 10000.0, 1e-2},
                           {-0.01, -385.0, 1e-6, 0.0, 1e-3},
                           {0.02, 438.5002677, 1e-6, 0.0, 1e-3}});
}

TEST(Steel4, RespondForwardsWithoutWritingItsOutputs) {
    auto s = build(defaults());
    double stress = -1.0, tangent = -1.0;
    EXPECT_EQ(s->applyTrialStrainAndRespond(0.001, stress, tangent, 0.0), 0);
    EXPECT_EQ(stress, -1.0);
    EXPECT_EQ(tangent, -1.0);
    EXPECT_NEAR(s->currentStress(), 200.0, 1e-6);
}

// --- load-history memory ---

TEST(Steel4, MemoryOffKeepsNoTable) {
    // The history below falls back onto a remembered branch at −0.006 when the memory is on
    // (see FallBackOntoTheRememberedBranch); without it the current branch answers.
    auto s = build(with({{iCycNum, 0.0}}));
    EXPECT_EQ(s->memoryTableLength(), 0u);
    drive(*s, {0.01, -0.01, -0.0065, -0.007});
    s->applyTrialStrain(-0.006, 0.0);
    EXPECT_NEAR(s->currentStress(), 300.0, 1e-9);
    EXPECT_NEAR(s->currentTangent(), 0.0, 1e-3);
    EXPECT_EQ(s->memoryEntryCount(), 0);
    EXPECT_EQ(s->memoryTableLength(), 0u);
}

TEST(Steel4, MonotonicTensionRecordsTheFirstBranchOnce) {
    auto s = build(defaults());
    EXPECT_EQ(s->memoryTableLength(), 52u);
    // Recorded only once the strain has moved more than 0.003 from the start at 0.
    const std::vector<std::pair<double, int>> countAfterCommit{
        {0.0005, 0}, {0.001, 0},  {0.0015, 0}, {0.002, 0}, {0.0025, 0},
        {0.003, 0},  {0.0035, 1}, {0.004, 1},  {0.005, 1}, {0.006, 1}};
    for (const auto& [strain, count] : countAfterCommit) {
        s->applyTrialStrain(strain, 0.0);
        s->commit();
        EXPECT_EQ(s->memoryEntryCount(), count) << "strain " << strain;
    }
    const Steel4::MemoryEntry& first = s->memoryEntry(1);
    EXPECT_EQ(first.direction, 1);
    EXPECT_EQ(first.isotropicShift, 0.0);
    EXPECT_EQ(first.kinematicShift, 0.0);
    EXPECT_EQ(first.tension.startStrain, 0.0);
    EXPECT_EQ(first.tension.startStress, 0.0);
    EXPECT_EQ(first.tension.baseStrain, 0.0);
    EXPECT_EQ(first.tension.baseStress, 0.0);
    EXPECT_EQ(first.compression.startStrain, 0.0);
    EXPECT_EQ(first.compression.baseStress, 0.0);
    EXPECT_EQ(s->memoryEntry(2).direction, 0);
    EXPECT_EQ(s->memoryTableLength(), 52u);
}

TEST(Steel4, ReversalBranchesAreRecordedOnceTheyMoveTwiceTheYieldStrain) {
    auto s = build(defaults());
    const std::vector<std::pair<double, int>> countAfterCommit{
        {0.005, 1},   // first branch, 0.005 from 0
        {0.0025, 1},  // compression from 0.005: 0.0025 moved
        {0.001, 2},   // 0.004 moved
        {0.002, 2},   // tension from 0.001: 0.001 moved
        {0.0045, 3}}; // 0.0035 moved
    double stressAtSecondReversal = 0.0;
    for (const auto& [strain, count] : countAfterCommit) {
        s->applyTrialStrain(strain, 0.0);
        if (strain == 0.001) {
            stressAtSecondReversal = s->currentStress();
        }
        s->commit();
        EXPECT_EQ(s->memoryEntryCount(), count) << "strain " << strain;
    }
    const Steel4::MemoryEntry& compression = s->memoryEntry(2);
    EXPECT_EQ(compression.direction, 2);
    EXPECT_EQ(compression.tension.startStrain, 0.0);
    EXPECT_EQ(compression.compression.startStrain, 0.005);
    EXPECT_NEAR(compression.compression.startStress, 300.0, 1e-9);

    const Steel4::MemoryEntry& tension = s->memoryEntry(3);
    EXPECT_EQ(tension.direction, 1);
    EXPECT_EQ(tension.tension.startStrain, 0.001);
    EXPECT_EQ(tension.tension.startStress, stressAtSecondReversal);
    EXPECT_EQ(tension.compression.startStrain, 0.005);
}

TEST(Steel4, TableGrowsByCycNumWhenFull) {
    auto s = build(with({{iCycNum, 1.0}}));
    EXPECT_EQ(s->memoryTableLength(), 3u);
    // Each full swing is recorded; the third and later recordings each grow the table by 1.
    const std::vector<std::tuple<double, int, std::size_t>> afterCommit{
        {0.01, 1, 3}, {-0.01, 2, 3}, {0.01, 3, 4}, {-0.01, 4, 5}, {0.01, 5, 6}};
    for (const auto& [strain, count, length] : afterCommit) {
        s->applyTrialStrain(strain, 0.0);
        s->commit();
        EXPECT_EQ(s->memoryEntryCount(), count) << "strain " << strain;
        EXPECT_EQ(s->memoryTableLength(), length) << "strain " << strain;
    }
    EXPECT_EQ(s->memoryEntry(4).direction, 2);
    EXPECT_EQ(s->memoryEntry(5).direction, 1);
    EXPECT_EQ(s->memoryEntry(5).tension.startStrain, -0.01);

    s->revertToInitial();
    EXPECT_EQ(s->memoryEntryCount(), 0);
    EXPECT_EQ(s->memoryTableLength(), 3u);
}

TEST(Steel4, FallBackOntoTheRememberedBranch) {
    // Tension from −0.01 (recorded as entry 3), an inner unloading from −0.0065 to −0.007
    // (0.0005, not recorded), and a reload that overshoots entry 3's branch at −0.006.
    auto s = build(defaults());
    drive(*s, {0.01, -0.01, -0.0065, -0.007});
    EXPECT_EQ(s->memoryEntryCount(), 3);
    EXPECT_EQ(s->memoryEntry(3).tension.startStrain, -0.01);

    s->applyTrialStrain(-0.006, 0.0);
    // Entry 3's branch: from (−0.01, −300) with target (−0.007, 300), at ξ = 4/3 and the
    // current branch's exponent R = 50·(1 − 0.1·q/(0.15 + q)) = 45.06726, q = 10.99996:
    // −300 + 600·ξ/(ξ^R + 1)^(1/R). The current branch alone would give 300 − 6e-14.
    EXPECT_NEAR(s->currentStress(), 299.9999688368, 1e-9);
    EXPECT_NEAR(s->currentTangent(), 0.35131, 1e-4);
    EXPECT_EQ(s->memoryEntryCount(), 3);
    s->commit();
    EXPECT_EQ(s->memoryEntryCount(), 3);
    // The taken-over branch starts elsewhere than the latest tension start: never recorded.
    drive(*s, {-0.002, 0.0, 0.005});
    EXPECT_EQ(s->memoryEntryCount(), 3);
}

TEST(Steel4, FallBackLowersTheCountEvenWithoutCommit) {
    auto s = build(isotropic(50));
    auto noMemory = build(isotropic(0));
    const std::vector<std::pair<double, int>> countAfterCommit{
        {0.01, 1}, {-0.01, 2}, {-0.006, 3}, {-0.004, 3}, {-0.0075, 4}};
    for (const auto& [strain, count] : countAfterCommit) {
        s->applyTrialStrain(strain, 0.0);
        noMemory->applyTrialStrain(strain, 0.0);
        EXPECT_EQ(s->currentStress(), noMemory->currentStress()) << "strain " << strain;
        s->commit();
        noMemory->commit();
        EXPECT_EQ(s->memoryEntryCount(), count) << "strain " << strain;
    }
    EXPECT_EQ(s->memoryEntry(4).direction, 2);

    // The reload from −0.0075 falls back onto entry 3, the newest tension entry.
    s->applyTrialStrain(-0.003, 0.0);
    noMemory->applyTrialStrain(-0.003, 0.0);
    EXPECT_LT(s->currentStress(), noMemory->currentStress());
    EXPECT_EQ(s->memoryEntryCount(), 3);
    const double fallBackStress = s->currentStress();

    // Dropping the trial does not restore the count; entry 4 stays in the table, dead.
    s->revertToCommitted();
    EXPECT_EQ(s->memoryEntryCount(), 3);
    EXPECT_EQ(s->memoryEntry(4).compression.startStrain, -0.004);
    s->applyTrialStrain(-0.003, 0.0);
    EXPECT_EQ(s->currentStress(), fallBackStress);
    s->commit();
    EXPECT_EQ(s->memoryEntryCount(), 3);

    // The next recording overwrites the dead entry.
    drive(*s, {-0.008});
    EXPECT_EQ(s->memoryEntryCount(), 4);
    EXPECT_EQ(s->memoryEntry(4).compression.startStrain, -0.003);
}

// --- trial/commit protocol, reset and clone ---

TEST(Steel4, SecondTrialReplacesTheFirst) {
    auto once = build(defaults());
    auto twice = build(defaults());
    drive(*once, {0.01, -0.004});
    drive(*twice, {0.01, -0.004});
    once->applyTrialStrain(-0.006, 0.0);
    twice->applyTrialStrain(0.02, 0.0);
    twice->applyTrialStrain(-0.006, 0.0);
    EXPECT_EQ(twice->currentStress(), once->currentStress());
    EXPECT_EQ(twice->currentTangent(), once->currentTangent());
    EXPECT_EQ(twice->loadState(), once->loadState());
    once->commit();
    twice->commit();
    for (const double e : {0.003, -0.012}) {
        once->applyTrialStrain(e, 0.0);
        twice->applyTrialStrain(e, 0.0);
        EXPECT_EQ(twice->currentStress(), once->currentStress());
        once->commit();
        twice->commit();
    }
}

TEST(Steel4, RevertToCommittedDropsTheTrialExactly) {
    // Isotropic hardening makes the next reversal depend on the committed excursion strain,
    // so a dropped plastic trial must leave no trace once the step is committed.
    auto dropped = build(isotropic(50));
    auto plain = build(isotropic(50));
    drive(*dropped, {0.01, -0.01, 0.004});
    drive(*plain, {0.01, -0.01, 0.004});
    const double committedStress = dropped->currentStress();
    dropped->applyTrialStrain(0.012, 0.0);
    EXPECT_EQ(dropped->revertToCommitted(), 0);
    EXPECT_EQ(dropped->currentStress(), committedStress);
    EXPECT_EQ(dropped->currentStrain(), 0.004);
    dropped->commit();
    for (const double e : {-0.006, -0.012, 0.008}) {
        dropped->applyTrialStrain(e, 0.0);
        plain->applyTrialStrain(e, 0.0);
        EXPECT_EQ(dropped->currentStress(), plain->currentStress()) << "strain " << e;
        EXPECT_EQ(dropped->currentTangent(), plain->currentTangent()) << "strain " << e;
        dropped->commit();
        plain->commit();
    }
}

TEST(Steel4, RevertToInitialRepeatsARunWithFallBacks) {
    auto s = build(isotropic(1));
    std::vector<double> strains{0.01, -0.01, -0.006, -0.004, -0.0075, -0.003, -0.008, -0.012};
    for (int cycle = 1; cycle <= 6; ++cycle) {
        const double amplitude = 0.004 * cycle;
        for (double e = -0.012; e < amplitude; e += 0.0015) {
            strains.push_back(e);
        }
        strains.push_back(amplitude - 0.0045);
        strains.push_back(amplitude);
        for (double e = amplitude; e > -amplitude; e -= 0.0015) {
            strains.push_back(e);
        }
    }

    std::vector<double> stresses, tangents;
    std::vector<int> counts;
    int fallBacks = 0;
    for (const double e : strains) {
        const int before = s->memoryEntryCount();
        s->applyTrialStrain(e, 0.0);
        fallBacks += s->memoryEntryCount() < before ? 1 : 0;
        stresses.push_back(s->currentStress());
        tangents.push_back(s->currentTangent());
        s->commit();
        counts.push_back(s->memoryEntryCount());
    }
    ASSERT_GT(fallBacks, 0);
    ASSERT_GT(s->memoryTableLength(), 3u);

    s->revertToInitial();
    EXPECT_EQ(s->memoryEntryCount(), 0);
    EXPECT_EQ(s->memoryTableLength(), 3u);
    for (std::size_t i = 0; i < strains.size(); ++i) {
        s->applyTrialStrain(strains[i], 0.0);
        EXPECT_EQ(s->currentStress(), stresses[i]) << "step " << i;
        EXPECT_EQ(s->currentTangent(), tangents[i]) << "step " << i;
        s->commit();
        EXPECT_EQ(s->memoryEntryCount(), counts[i]) << "step " << i;
    }
}

TEST(Steel4, CloneCopiesBothStateCopiesAndTheMemory) {
    ParameterValues v = isotropic(1);
    auto s = std::make_unique<Steel4>(9, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9],
                                      v[10], v[11], v[12], v[13], v[14], v[15], v[16], v[17], v[18],
                                      v[19], v[20], v[21], v[22], 1, v[24]);
    s->name = "S";
    drive(*s, {0.01, -0.01, -0.006, -0.004, -0.0075});
    ASSERT_EQ(s->memoryTableLength(), 5u);
    // A pending trial: the clone must hold it as well as the committed state.
    s->applyTrialStrain(-0.0077, 0.0);

    std::unique_ptr<UniaxialMaterial> copy = s->clone();
    auto* c = dynamic_cast<Steel4*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->materialTag(), 9);
    EXPECT_TRUE(c->name.empty());
    EXPECT_EQ(c->currentStrain(), s->currentStrain());
    EXPECT_EQ(c->currentStress(), s->currentStress());
    EXPECT_EQ(c->currentTangent(), s->currentTangent());
    EXPECT_EQ(c->memoryEntryCount(), s->memoryEntryCount());
    ASSERT_EQ(c->memoryTableLength(), s->memoryTableLength());
    for (std::size_t row = 0; row < s->memoryTableLength(); ++row) {
        EXPECT_EQ(c->memoryEntry(row).direction, s->memoryEntry(row).direction);
        EXPECT_EQ(c->memoryEntry(row).tension.startStrain, s->memoryEntry(row).tension.startStrain);
        EXPECT_EQ(c->memoryEntry(row).compression.baseStress,
                  s->memoryEntry(row).compression.baseStress);
    }

    // Committing the pending trial on both, then a step that falls back onto the memory and
    // steps that record new branches: the clone answers exactly as the original.
    s->commit();
    c->commit();
    for (const double e : {-0.003, -0.008, -0.012, 0.004, -0.004, 0.006}) {
        s->applyTrialStrain(e, 0.0);
        c->applyTrialStrain(e, 0.0);
        EXPECT_EQ(c->currentStress(), s->currentStress()) << "strain " << e;
        EXPECT_EQ(c->currentTangent(), s->currentTangent()) << "strain " << e;
        EXPECT_EQ(c->memoryEntryCount(), s->memoryEntryCount()) << "strain " << e;
        s->commit();
        c->commit();
        EXPECT_EQ(c->memoryEntryCount(), s->memoryEntryCount()) << "strain " << e;
        EXPECT_EQ(c->memoryTableLength(), s->memoryTableLength()) << "strain " << e;
    }
}

TEST(Steel4, ParameterCheck) {
    EXPECT_EQ(checkSteel4Parameters(defaults()), "");

    struct Refused {
        ParameterValues values;
        const char* prefix;
    };
    const std::vector<Refused> refused{
        {with({{iFy, 0.0}}), "Fy = 0 is refused: "},
        {with({{iE, 0.0}}), "E = 0 is refused: "},
        {with({{iBk, 1.0}}), "b_k = 1 is refused: "},
        {with({{iR0, 0.0}}), "R_0 = 0 is refused: "},
        {with({{iR2, 0.0}}), "r_2 = 0 is refused: "},
        {with({{iBkc, 1.0}}), "b_kc = 1 is refused: "},
        {with({{iR0c, 0.0}}), "R_0c = 0 is refused: "},
        {with({{iR2c, 0.0}}), "r_2c = 0 is refused: "},
        {with({{iBi, -0.1}, {iRi, 3.0}}), "b_i = -0.1 is refused: "},
        {with({{iBi, 0.1}, {iRhoI, -1.0}, {iRi, 2.5}}), "b_i = 0.1 is refused: "},
        {with({{iRhoI, 0.0}}), "rho_i = 0 is refused: "},
        // b_l = 0, rho_i = 1: the hardening tends to exactly -1 and the elastic range to 0.
        {with({{iBi, -0.1}, {iRi, 50.0}}), "b_i = -0.1 is refused: "},
        {with({{iBic, -0.1}, {iRic, 50.0}}), "b_ic = -0.1 is refused: "},
        {with({{iRi, 0.0}}), "R_i = 0 is refused: "},
        {with({{iRi, -5.0}}), "R_i = -5 is refused: "},
        {with({{iBic, -0.1}, {iRic, 49.5}}), "b_ic = -0.1 is refused: "},
        {with({{iRhoIc, 0.0}}), "rho_ic = 0 is refused: "},
        {with({{iRic, 0.0}}), "R_ic = 0 is refused: "},
        {with({{iRic, -5.0}}), "R_ic = -5 is refused: "},
        // A negative yield strain Fy/E.
        {with({{iFy, -300.0}}), "Fy = -300 is refused: "},
        {with({{iE, -200000.0}}), "Fy = 300 is refused: "},
        // A bend exponent that can fall below zero.
        {with({{iR0, -20.0}}), "R_0 = -20 is refused: "},
        {with({{iR1, 1.5}}), "r_1 = 1.5 is refused: "},
        {with({{iR2, -0.15}}), "r_2 = -0.15 is refused: "},
        {with({{iR0c, -20.0}}), "R_0c = -20 is refused: "},
        {with({{iR1c, 2.0}}), "r_1c = 2 is refused: "},
        {with({{iR2c, -0.15}}), "r_2c = -0.15 is refused: "},
        {with({{iFu, 0.0}}), "f_u = 0 is refused: "},
        // So small beside Fy that Fy - f_u rounds to Fy: the capped target is back at 0.
        {with({{iFu, 1e-101}}), "f_u = 1e-101 is refused: "},
        {with({{iRu, 0.0}}), "Ru = 0 is refused: "},
        {with({{iRu, -10.0}}), "Ru = -10 is refused: "},
        {with({{iFuc, 0.0}}), "f_uc = 0 is refused: "},
        {with({{iFuc, 1.5e-101}}), "f_uc = 1.5e-101 is refused: "},
        {with({{iRuc, 0.0}}), "Ruc = 0 is refused: "},
        {with({{iRuc, -10.0}}), "Ruc = -10 is refused: "},
        {with({{iCycNum, -1.0}}), "cycNum = -1 is refused: "},
        {with({{iCycNum, 1000001.0}}), "cycNum = 1000001 is refused: "},
        // The first offending parameter in constructor order is named.
        {with({{iE, 0.0}, {iR0, 0.0}}), "E = 0 is refused: "},
    };
    for (const Refused& r : refused) {
        const std::string message = checkSteel4Parameters(r.values);
        EXPECT_EQ(message.rfind(r.prefix, 0), 0u) << r.prefix << " got: " << message;
    }

    // Unusual values that compute are passed on as typed.
    const std::vector<ParameterValues> accepted{
        with({{iCycNum, 0.0}}),
        with({{iCycNum, 1000000.0}}),
        with({{iFy, -300.0}, {iE, -200000.0}}), // the yield strain stays positive
        with({{iBk, 1.5}}),
        with({{iR1, 0.0}}),
        with({{iR1, 1.0}}), // R falls towards 0 but stays positive
        with({{iR1, -0.5}}),
        // An even exponent keeps the power defined, and rho_i 0.5 keeps the elastic range
        // above 1 - 0.5 of its initial size.
        with({{iBi, -0.1}, {iRi, 50.0}, {iRhoI, 0.5}}),
        with({{iBi, -0.1}, {iRi, 50.0}, {iBl, 0.01}}),
        with({{iBi, 0.1}, {iRi, -5.0}}),
        with({{iBl, -0.5}}),
        with({{iLyp, -1.0}}),
        with({{iFu, -300.0}}),
        with({{iFu, 100.0}}), // a cap below Fy still leaves the target at 100/E
        with({{iFuc, 1.0}}),
        with({{iSigInit, -250.0}}),
    };
    for (const ParameterValues& v : accepted) {
        EXPECT_EQ(checkSteel4Parameters(v), "");
    }
}
