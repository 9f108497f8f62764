#include "models/exponential_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

void expectTops(const ConeStack& stack, const std::vector<double>& expected) {
    ASSERT_EQ(stack.segments.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_NEAR(stack.segments[k].top, expected[k], 0.5e-4) << "segment " << k;
    }
}

TEST(ExponentialRuns, BottleShouldersNarrowToTheirMouths) {
    const ConeStack outer = exponentialCones(outerShoulderRun, 1.0f);
    expectTops(outer,
               {1.0000, 0.8353, 0.6977, 0.5827, 0.4868, 0.4066, 0.3396, 0.2837, 0.2369, 0.1979});
    EXPECT_NEAR(outer.endRadius, std::exp(-1.62), 1e-6);

    const ConeStack inner = exponentialCones(innerShoulderRun, 0.85f);
    expectTops(inner,
               {0.8500, 0.6727, 0.5323, 0.4213, 0.3334, 0.2638, 0.2088, 0.1652, 0.1307, 0.1035});
    EXPECT_NEAR(inner.endRadius, 0.1035, 0.5e-4);
}

TEST(ExponentialRuns, DecanterNecksNarrowToTheirMouths) {
    const ConeStack outer = exponentialCones(outerNeckRun, 1.0f);
    expectTops(outer, {1.0000, 0.7733, 0.5979, 0.4624, 0.3575, 0.2765, 0.2138});
    EXPECT_NEAR(outer.endRadius, 0.2138, 0.5e-4);

    const ConeStack inner = exponentialCones(innerNeckRun, 0.85f);
    expectTops(inner, {0.8500, 0.6085, 0.4356, 0.3118, 0.2232, 0.1598, 0.1144});
    EXPECT_NEAR(inner.endRadius, 0.1144, 0.5e-4);
}

TEST(ExponentialRuns, GlassStemAndBowl) {
    const ConeStack stem = exponentialCones(stemRun, 1.5f);
    expectTops(stem,
               {1.0000, 0.6538, 0.4274, 0.2794, 0.1827, 0.1194, 0.0781, 0.0510, 0.0334, 0.0218});
    EXPECT_NEAR(stem.endRadius, std::exp(-3.825), 1e-6);
    // The foot's rise: a cone from the foot's edge to radius 1.
    EXPECT_EQ(stem.segments[0].base, 1.5f);

    const ConeStack bowl = exponentialCones(bowlRun, stem.endRadius);
    expectTops(bowl,
               {0.3679, 0.4148, 0.4677, 0.5273, 0.5945, 0.6703, 0.7558, 0.8521, 0.9608, 1.0833});
    EXPECT_NEAR(bowl.endRadius, std::exp(0.08), 1e-6);
    // The bowl's floor widens from the stem's tip.
    EXPECT_EQ(bowl.segments[0].base, stem.endRadius);
}

TEST(ExponentialRuns, BottleAndDecanterRunsStartStraight) {
    for (const ExponentialRun* run : {&outerShoulderRun, &outerNeckRun}) {
        const ConeStack s = exponentialCones(*run, 1.0f);
        EXPECT_EQ(s.segments[0].base, 1.0f);
        EXPECT_DOUBLE_EQ(s.segments[0].top, 1.0);
    }
    for (const ExponentialRun* run : {&innerShoulderRun, &innerNeckRun}) {
        const ConeStack s = exponentialCones(*run, 0.85f);
        EXPECT_EQ(s.segments[0].base, 0.85f);
        EXPECT_DOUBLE_EQ(s.segments[0].top, 0.85);
    }
}

// Each segment's base is the previous top rounded to float, while the top
// itself stays in double; x advances as a float, so a top is R at a float x.
TEST(ExponentialRuns, TopsStayDoubleAndBasesAreRoundedToFloat) {
    const ConeStack neck = exponentialCones(innerNeckRun, 0.85f);
    float x = 0.0f;
    for (size_t k = 0; k < neck.segments.size(); ++k) {
        EXPECT_EQ(neck.segments[k].top, 0.85 * std::exp(1.3 * static_cast<double>(x)));
        if (k > 0) {
            EXPECT_EQ(neck.segments[k].base, static_cast<float>(neck.segments[k - 1].top));
        }
        x = static_cast<float>(x - 1.8 / 7);
    }
    EXPECT_EQ(neck.endRadius, static_cast<float>(neck.segments.back().top));
    // The unrounded double differs from its float rounding: the top is not pre-rounded.
    EXPECT_NE(neck.segments.back().top, static_cast<double>(neck.endRadius));
}

}  // namespace
