#include "light/lamp_animation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// The lamps lit after each of the 45 calls of one period, in call order.
const char* const kPeriod[45] = {
    "RG", "RGB", "B",  "RGB", "G",  "RB", "RGB", "GB",  "R",  // calls 1 to 9
    "G",  "RGB", "RB", "GB",  "RG", "B",  "RGB", "RGB", "",   // 10 to 18
    "RG", "GB",  "RB", "RGB", "G",  "RB", "GB",  "RGB", "R",  // 19 to 27
    "G",  "RGB", "B",  "RGB", "RG", "B",  "RGB", "GB",  "R",  // 28 to 36
    "RG", "GB",  "RB", "GB",  "RG", "RB", "GB",  "RGB", "",   // 37 to 45
};

std::string litAt(float angle) {
    std::string lit;
    if (lampLit(redLampRule, angle)) {
        lit += 'R';
    }
    if (lampLit(greenLampRule, angle)) {
        lit += 'G';
    }
    if (lampLit(blueLampRule, angle)) {
        lit += 'B';
    }
    return lit;
}

TEST(LampAnimation, FirstPeriodFollowsTheTable) {
    float angle = 0.0f;
    int red = 0, green = 0, blue = 0, all = 0;
    for (int call = 1; call <= 45; ++call) {
        angle = nextMirrorBallAngle(angle);
        EXPECT_EQ(angle, static_cast<float>(2 * call)) << "after call " << call;
        const std::string lit = litAt(angle);
        EXPECT_EQ(lit, kPeriod[call - 1]) << "after call " << call;
        red += lit.find('R') != std::string::npos;
        green += lit.find('G') != std::string::npos;
        blue += lit.find('B') != std::string::npos;
        all += lit == "RGB";
    }
    EXPECT_EQ(red, 27);
    EXPECT_EQ(green, 30);
    EXPECT_EQ(blue, 30);
    EXPECT_EQ(all, 12);
}

TEST(LampAnimation, RemainderEqualToThresholdCountsAsDark) {
    // fmod(6, 5) = 1 sits exactly on red's threshold and fmod(2, 9) = 2 on blue's.
    EXPECT_FALSE(lampLit(redLampRule, 6.0f));
    EXPECT_TRUE(lampLit(redLampRule, 8.0f));
    EXPECT_FALSE(lampLit(blueLampRule, 2.0f));
    EXPECT_TRUE(lampLit(blueLampRule, 4.0f));
    // A whole turn is a multiple of every divisor, so 0 behaves like 360.
    EXPECT_EQ(litAt(0.0f), litAt(360.0f));
    EXPECT_EQ(litAt(0.0f), "");
}

TEST(LampAnimation, AllDarkExactlyAfterCalls18And45OfEachPeriod) {
    float angle = 0.0f;
    for (int call = 1; call <= 45 * 8; ++call) {
        angle = nextMirrorBallAngle(angle);
        const bool dark = litAt(angle).empty();
        EXPECT_EQ(dark, call % 45 == 18 || call % 45 == 0) << "after call " << call;
    }
}

TEST(LampAnimation, AngleWrapsAtAFullTurnWithoutLosingThePattern) {
    // 180 calls make a full turn: the angle comes back to 0, not 360.
    float angle = 0.0f;
    for (int call = 1; call <= 180; ++call) {
        angle = nextMirrorBallAngle(angle);
    }
    EXPECT_EQ(angle, 0.0f);
    EXPECT_EQ(nextMirrorBallAngle(358.0f), 0.0f);
    EXPECT_EQ(nextMirrorBallAngle(356.0f), 358.0f);
}

TEST(LampAnimation, KeepsTurningAndSwitchingFarBeyondFloatPrecision) {
    // Past 2^24 calls an unwrapped float angle would stop growing and the
    // lamps would freeze; the wrapped angle keeps exact steps all the way.
    const std::int64_t calls = (std::int64_t{1} << 24) * 2 + 1000;
    float angle = 0.0f;
    bool inRange = true;
    bool exact = true;
    for (std::int64_t call = 1; call <= calls; ++call) {
        angle = nextMirrorBallAngle(angle);
        inRange = inRange && angle >= 0.0f && angle < 360.0f;
        exact = exact && angle == static_cast<float>((2 * call) % 360);
    }
    EXPECT_TRUE(inRange);
    EXPECT_TRUE(exact);

    // Another two periods from there still run through the whole table.
    for (std::int64_t call = calls + 1; call <= calls + 90; ++call) {
        angle = nextMirrorBallAngle(angle);
        EXPECT_EQ(litAt(angle), kPeriod[(call - 1) % 45]) << "after call " << call;
    }
}

TEST(LampAnimation, SavedLensesHoldTheInitialColours) {
    const float emission[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
    for (int lamp = 0; lamp < 3; ++lamp) {
        const Material& saved = savedLensMaterials[lamp];
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(saved.emission[c], emission[lamp][c]) << "lamp " << lamp;
            const float black = c == 3 ? 1.0f : 0.0f;
            EXPECT_EQ(saved.ambient[c], black);
            EXPECT_EQ(saved.diffuse[c], black);
            EXPECT_EQ(saved.specular[c], black);
        }
        EXPECT_EQ(saved.shininess, 100.0f);
    }
}

TEST(LampAnimation, SteadyLampsAreShownLitAtEveryAngleAndOnlyWhenAsked) {
    const LampRule* rules[3] = {&redLampRule, &greenLampRule, &blueLampRule};
    steadyLamps = true;
    for (int call = 1; call <= 45; ++call) {
        for (const LampRule* rule : rules) {
            EXPECT_TRUE(lampShown(*rule, static_cast<float>(2 * call))) << "after call " << call;
        }
    }
    steadyLamps = false;
    for (int call = 1; call <= 45; ++call) {
        for (const LampRule* rule : rules) {
            const float angle = static_cast<float>(2 * call);
            EXPECT_EQ(lampShown(*rule, angle), lampLit(*rule, angle));
        }
    }
}

}  // namespace
