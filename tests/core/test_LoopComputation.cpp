#include "core/LoopComputation.h"

#include "FakeMaterial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace looplab;
using looplab::test::FakeMaterial;

namespace {
DispHistory historyOf(std::vector<double> values) {
    DispHistory h;
    h.values = std::move(values);
    return h;
}
} // namespace

TEST(DispHistory, StartsEmptyNamedDisp) {
    const DispHistory h;
    EXPECT_TRUE(h.values.empty());
    EXPECT_EQ(h.name, "Disp");
}

TEST(ComputeLoops, TwoMaterialsGiveTwoLoopsInOrderWithEveryPoint) {
    FakeMaterial a("A", 10.0), b("B", -1.0);
    const DispHistory h = historyOf({0.1, 0.2, -0.3});
    const LoopResult r = computeLoops({&a, &b}, {&h});
    ASSERT_EQ(r.loopCount(), 2);
    EXPECT_EQ(r.pointCount(), 3);
    EXPECT_EQ(r.loops[0].name, "A");
    EXPECT_EQ(r.loops[1].name, "B");
    EXPECT_EQ(r.strainsOf(r.loops[1]), h.values);
    // stress = k·strain + steps committed before this one
    EXPECT_EQ(r.loops[0].stresses, (std::vector<double>{10 * 0.1, 10 * 0.2 + 1, 10 * -0.3 + 2}));
    EXPECT_EQ(r.loops[1].stresses, (std::vector<double>{-0.1, -0.2 + 1, 0.3 + 2}));
    EXPECT_TRUE(r.loops[0].tangents.empty());
    EXPECT_EQ(a.lastRate, 0.0);
}

TEST(ComputeLoops, ResetsBeforeEachLoopAndCallsInProtocolOrder) {
    std::vector<std::string> log;
    FakeMaterial a("A", 1.0, &log);
    const DispHistory h = historyOf({1.0, 2.0});
    computeLoops({&a}, {&h});
    const LoopResult second = computeLoops({&a}, {&h});
    EXPECT_EQ(second.loops[0].stresses, (std::vector<double>{1.0, 3.0})) << "reset was missed";
    const std::vector<std::string> oneRun{"A:revert", "A:apply", "A:commit", "A:apply", "A:commit"};
    ASSERT_EQ(log.size(), 2 * oneRun.size());
    EXPECT_TRUE(std::equal(oneRun.begin(), oneRun.end(), log.begin()));
}

TEST(ComputeLoops, EmptyCases) {
    FakeMaterial a("A", 1.0);
    const DispHistory h = historyOf({1.0});
    const LoopResult none = computeLoops({}, {&h});
    EXPECT_EQ(none.loopCount(), 0);
    EXPECT_EQ(none.pointCount(), 0);

    const DispHistory empty;
    const LoopResult noSteps = computeLoops({&a}, {&empty});
    EXPECT_EQ(noSteps.loopCount(), 1);
    EXPECT_EQ(noSteps.pointCount(), 0);
}

TEST(ComputeLoops, OneLoopPerMaterialAndHistoryMaterialsOutermost) {
    FakeMaterial a("A", 1.0), b("B", 2.0);
    const DispHistory h1 = historyOf({1.0, 2.0});
    const DispHistory h2 = historyOf({5.0});
    const LoopResult r = computeLoops({&a, &b}, {&h1, &h2});
    ASSERT_EQ(r.loopCount(), 4);
    EXPECT_EQ(r.loops[0].name, "A");
    EXPECT_EQ(r.loops[0].history, 0u);
    EXPECT_EQ(r.loops[1].name, "A");
    EXPECT_EQ(r.loops[1].history, 1u);
    EXPECT_EQ(r.loops[2].name, "B");
    EXPECT_EQ(r.loops[1].stresses, (std::vector<double>{5.0}));
    EXPECT_EQ(r.pointCount(), 2);
}

TEST(ComputeLoops, TangentsAndNonFiniteSteps) {
    FakeMaterial a("A", 2.0);
    const double inf = std::numeric_limits<double>::infinity();
    const DispHistory h = historyOf({1.0, inf, 3.0});
    LoopOptions options;
    options.recordTangents = true;
    std::size_t lastDone = 0, lastTotal = 0;
    options.progress = [&](std::size_t done, std::size_t total) {
        lastDone = done;
        lastTotal = total;
    };
    const LoopResult r = computeLoops({&a}, {&h}, options);
    EXPECT_EQ(r.loops[0].tangents, (std::vector<double>{2.5, 2.5, 2.5}));
    EXPECT_EQ(r.loops[0].firstNonFiniteStep, 1);
    EXPECT_EQ(lastDone, 3u);
    EXPECT_EQ(lastTotal, 3u);
}

TEST(ComputeLoops, ResultIsACopyIndependentOfTheMaterialsAndHistory) {
    auto a = std::make_unique<FakeMaterial>("A", 1.0);
    DispHistory h = historyOf({1.0, 2.0});
    const LoopResult r = computeLoops({a.get()}, {&h});
    a.reset();
    h.values.clear();
    EXPECT_EQ(r.loops[0].name, "A");
    EXPECT_EQ(r.strains[0], (std::vector<double>{1.0, 2.0}));
}
