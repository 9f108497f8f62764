#include "light/lights.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "light/lamp_animation.h"
#include "light/material.h"
#include "support/gl_capture.h"

namespace {

struct ExpectedLight {
    GLenum light;
    std::array<float, 4> position;
    std::array<float, 3> direction;
    std::array<float, 4> colour;
    float cutoff;
    bool fades;  // only the pool lights have distance attenuation
};

const ExpectedLight kRig[7] = {
    {GL_LIGHT0, {12.5f, 8, -46, 1}, {0, -1, 0}, {1, 1, 1, 1}, 180, true},
    {GL_LIGHT1, {12.5f, 8, -31, 1}, {0, -1, 0}, {1, 1, 1, 1}, 180, true},
    {GL_LIGHT2, {40, 9.5f, -15, 1}, {-0.5f, -0.5f, 0.5f}, {1, 0, 0, 1}, 15, false},
    {GL_LIGHT3, {26, 9.5f, -1, 1}, {0.5f, -0.5f, -0.5f}, {0, 1, 0, 1}, 15, false},
    {GL_LIGHT4, {40, 9.5f, -1, 1}, {-0.5f, -0.5f, -0.5f}, {0, 0, 1, 1}, 15, false},
    {GL_LIGHT5, {7, 8, -7, 1}, {0, -1, 0}, {1, 1, 1, 1}, 25, false},
    {GL_LIGHT6, {15, 8, -15, 1}, {0, -1, 0}, {1, 1, 1, 1}, 25, false},
};

template <size_t N>
std::array<float, N> lightParam(GLenum light, GLenum param) {
    std::array<float, 4> v{};
    glGetLightfv(light, param, v.data());
    std::array<float, N> out{};
    std::memcpy(out.data(), v.data(), N * sizeof(float));
    return out;
}

float lightValue(GLenum light, GLenum param) {
    return lightParam<1>(light, param)[0];
}

TEST(LightRig, ParametersReadBackAsPlacedWithIdentityView) {
    resetSceneState();
    placeLights();
    for (const ExpectedLight& e : kRig) {
        SCOPED_TRACE(e.light - GL_LIGHT0);
        EXPECT_EQ((lightParam<4>(e.light, GL_POSITION)), e.position);
        EXPECT_EQ((lightParam<3>(e.light, GL_SPOT_DIRECTION)), e.direction);
        EXPECT_EQ((lightParam<4>(e.light, GL_AMBIENT)), e.colour);
        EXPECT_EQ((lightParam<4>(e.light, GL_DIFFUSE)), e.colour);
        EXPECT_EQ((lightParam<4>(e.light, GL_SPECULAR)), e.colour);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_SPOT_CUTOFF), e.cutoff);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_SPOT_EXPONENT), 5.0f);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_CONSTANT_ATTENUATION), 1.0f);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_LINEAR_ATTENUATION), e.fades ? 0.05f : 0.0f);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_QUADRATIC_ATTENUATION), e.fades ? 0.005f : 0.0f);
    }
}

TEST(LightRig, PlacedThroughTheViewAndLeavingEnablesAlone) {
    resetSceneState();
    // A view that moves the world by (-10, 0, 20): positions follow it,
    // directions (which ignore translation) do not.
    glTranslatef(-10.0f, 0.0f, 20.0f);
    glDisable(GL_LIGHT3);
    placeLights();
    EXPECT_EQ((lightParam<4>(GL_LIGHT2, GL_POSITION)), (std::array<float, 4>{30, 9.5f, 5, 1}));
    EXPECT_EQ((lightParam<3>(GL_LIGHT2, GL_SPOT_DIRECTION)),
              (std::array<float, 3>{-0.5f, -0.5f, 0.5f}));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT4, GL_LIGHT5, GL_LIGHT6}) {
        EXPECT_TRUE(glIsEnabled(light));
    }
    resetSceneState();
}

// Saves and restores everything the lamp animation writes, so that the other
// tests see the lamps as start-up leaves them.
class LampSwitching : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        savedAngle_ = mirrorBallAngle;
        savedRed_ = redLensMaterial;
        savedGreen_ = greenLensMaterial;
        savedBlue_ = blueLensMaterial;
    }
    void TearDown() override {
        mirrorBallAngle = savedAngle_;
        redLensMaterial = savedRed_;
        greenLensMaterial = savedGreen_;
        blueLensMaterial = savedBlue_;
        resetSceneState();
    }

   private:
    float savedAngle_ = 0.0f;
    Material savedRed_{};
    Material savedGreen_{};
    Material savedBlue_{};
};

bool sameMaterial(const Material& a, const Material& b) {
    return std::memcmp(&a, &b, sizeof(Material)) == 0;
}

struct Lamp {
    const char* name;
    const LampRule& rule;
    GLenum light;
    const Material& lens;
    const Material& saved;
};

TEST_F(LampSwitching, IdleSetsLightsAndLensesByTheRuleForAWholePeriod) {
    const Lamp lamps[3] = {
        {"red", redLampRule, GL_LIGHT2, redLensMaterial, savedLensMaterials[0]},
        {"green", greenLampRule, GL_LIGHT3, greenLensMaterial, savedLensMaterials[1]},
        {"blue", blueLampRule, GL_LIGHT4, blueLensMaterial, savedLensMaterials[2]},
    };
    mirrorBallAngle = 0.0f;
    int allDark = 0;
    for (int call = 1; call <= 45; ++call) {
        idle();
        ASSERT_EQ(mirrorBallAngle, static_cast<float>(2 * call));
        bool anyLit = false;
        for (const Lamp& lamp : lamps) {
            const bool lit = lampLit(lamp.rule, mirrorBallAngle);
            anyLit = anyLit || lit;
            EXPECT_EQ(glIsEnabled(lamp.light) == GL_TRUE, lit) << lamp.name << " call " << call;
            EXPECT_TRUE(sameMaterial(lamp.lens, lit ? lamp.saved : blackMaterial))
                << lamp.name << " call " << call;
        }
        allDark += !anyLit;
        // The lights idle never touches stay on.
        for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT5, GL_LIGHT6}) {
            EXPECT_TRUE(glIsEnabled(light));
        }
    }
    EXPECT_EQ(allDark, 2);
}

TEST_F(LampSwitching, LampOffThenOnAgainShowsExactlyItsFirstColour) {
    const Material firstRed = redLensMaterial;
    const Material firstGreen = greenLensMaterial;
    // Calls 3 to 7 (angles 6 to 14): red off, on, off, on, on; green on
    // through call 5, off after call 6 and on again after call 7.
    mirrorBallAngle = 4.0f;
    idle();
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
    EXPECT_TRUE(sameMaterial(redLensMaterial, blackMaterial));
    idle();
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    EXPECT_TRUE(sameMaterial(redLensMaterial, firstRed));
    idle();
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
    idle();
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    EXPECT_TRUE(sameMaterial(redLensMaterial, firstRed));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    EXPECT_TRUE(sameMaterial(greenLensMaterial, blackMaterial));
    // Red lit twice in a row: nothing changes and nothing accumulates.
    idle();
    EXPECT_TRUE(sameMaterial(redLensMaterial, firstRed));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    EXPECT_TRUE(sameMaterial(greenLensMaterial, firstGreen));
    EXPECT_EQ(redLensMaterial.emission[0], 1.0f);
    EXPECT_EQ(greenLensMaterial.emission[1], 1.0f);
}

TEST_F(LampSwitching, KeepsSwitchingAfterTheAngleWouldHaveStalled) {
    // An unwrapped angle stalls at 2^25 with red and green lit, blue dark.
    // Here the angle wraps and all three lamps keep cycling.
    mirrorBallAngle = 358.0f;
    idle();
    EXPECT_EQ(mirrorBallAngle, 0.0f);
    bool blueSeenLit = false;
    bool redSeenDark = false;
    for (int call = 0; call < 9; ++call) {
        idle();
        blueSeenLit = blueSeenLit || glIsEnabled(GL_LIGHT4);
        redSeenDark = redSeenDark || !glIsEnabled(GL_LIGHT2);
    }
    EXPECT_TRUE(blueSeenLit);
    EXPECT_TRUE(redSeenDark);
}

}  // namespace
