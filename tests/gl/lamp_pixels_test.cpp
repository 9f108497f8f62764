#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/display.h"
#include "app/window.h"
#include "light/lamp_animation.h"
#include "light/material.h"
#include "support/gl_capture.h"
#include "view/camera.h"

namespace {

const double kPi = 3.14159265358979323846;
const float kTilt = 40.0f;  // every spot lamp leans 40 degrees down

// Draws whole frames through the real lists; restores the camera and
// everything the lamp animation writes afterwards.
class LampPixels : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        reshape(600, 400);
        compileSceneOnce();
        savedCamera_ = camera;
        savedAngle_ = mirrorBallAngle;
        savedLenses_[0] = redLensMaterial;
        savedLenses_[1] = greenLensMaterial;
        savedLenses_[2] = blueLensMaterial;
    }
    void TearDown() override {
        camera = savedCamera_;
        mirrorBallAngle = savedAngle_;
        redLensMaterial = savedLenses_[0];
        greenLensMaterial = savedLenses_[1];
        blueLensMaterial = savedLenses_[2];
        resetSceneState();
    }

    // Runs one idle call from the given angle, then draws a frame.
    static void idleFromAngleAndDraw(float angle) {
        mirrorBallAngle = angle;
        idle();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFrame();
    }

    // The pixel a world point lands on in the frame just drawn (drawFrame
    // leaves the view as the modelview matrix).
    static std::array<unsigned char, 3> pixelAt(double x, double y, double z) {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        EXPECT_GT(wx, 0);
        EXPECT_LT(wx, viewport[2]);
        EXPECT_GT(wy, 0);
        EXPECT_LT(wy, viewport[3]);
        return readPixel(static_cast<int>(wx), static_cast<int>(wy));
    }

   private:
    Camera savedCamera_;
    float savedAngle_ = 0.0f;
    Material savedLenses_[3]{};
};

// A spot lamp as the frame hangs it: at (x, 9.5, z), turned about y, leaning down.
struct SpotLamp {
    const char* name;
    float x, z, turn;
    int channel;  // the lens colour: 0 red, 1 green, 2 blue
};

// After one idle call from angle 0 (call 1) red and green are lit and blue
// dark; from angle 4 (call 3) only blue is lit.
const float kRedGreenLit = 0.0f;
const float kOnlyBlueLit = 4.0f;

const SpotLamp kLamps[3] = {
    {"blue", 40.0f, -1.0f, -135.0f, 2},
    {"red", 40.0f, -15.0f, -45.0f, 0},
    {"green", 26.0f, -1.0f, 135.0f, 1},
};

// Puts the camera 4 in front of the lamp's lens on the lens axis, looking back into it.
// Returns the lens centre.
std::array<double, 3> lookIntoLens(const SpotLamp& lamp) {
    const double turn = lamp.turn * kPi / 180.0;
    const double tilt = kTilt * kPi / 180.0;
    // The lamp's +z after leaning down and turning.
    const double axis[3] = {std::cos(tilt) * std::sin(turn), -std::sin(tilt),
                            std::cos(tilt) * std::cos(turn)};
    const std::array<double, 3> lens = {lamp.x + 0.9 * axis[0], 9.5 + 0.9 * axis[1],
                                        lamp.z + 0.9 * axis[2]};
    camera.eyeX = static_cast<float>(lens[0] + 4.0 * axis[0]);
    camera.eyeHeight = static_cast<float>(lens[1] + 4.0 * axis[1]);
    camera.eyeZ = static_cast<float>(lens[2] + 4.0 * axis[2]);
    // Looking along -axis: pitch up by the tilt, heading turned half round.
    camera.pitch = static_cast<float>(tilt);
    camera.yaw = static_cast<float>(turn + kPi);
    return lens;
}

bool lensColour(const std::array<unsigned char, 3>& rgb, int channel) {
    for (int c = 0; c < 3; ++c) {
        if (c == channel ? rgb[c] < 250 : rgb[c] > 5) {
            return false;
        }
    }
    return true;
}

bool black(const std::array<unsigned char, 3>& rgb) {
    return rgb[0] <= 5 && rgb[1] <= 5 && rgb[2] <= 5;
}

TEST_F(LampPixels, LensGlowsInItsColourWhenLitAndIsBlackWhenDark) {
    for (const SpotLamp& lamp : kLamps) {
        SCOPED_TRACE(lamp.name);
        const auto lens = lookIntoLens(lamp);
        const bool blue = lamp.channel == 2;

        idleFromAngleAndDraw(blue ? kOnlyBlueLit : kRedGreenLit);
        const auto lit = pixelAt(lens[0], lens[1], lens[2]);
        EXPECT_TRUE(lensColour(lit, lamp.channel))
            << int(lit[0]) << " " << int(lit[1]) << " " << int(lit[2]);

        idleFromAngleAndDraw(blue ? kRedGreenLit : kOnlyBlueLit);
        const auto dark = pixelAt(lens[0], lens[1], lens[2]);
        EXPECT_TRUE(black(dark)) << int(dark[0]) << " " << int(dark[1]) << " " << int(dark[2]);
    }
}

TEST_F(LampPixels, RedPoolOfLightOnTheChequeredFloorFollowsTheRedLamp) {
    // Above the spot where the red axis meets the floor, the centre of a white
    // tile, looking down at it from the front of the room.
    camera.eyeX = 30.5f;
    camera.eyeZ = -1.0f;
    camera.eyeHeight = 5.0f;
    camera.yaw = static_cast<float>(kPi);
    camera.pitch = static_cast<float>(-std::atan2(5.0, 4.5));

    idleFromAngleAndDraw(kRedGreenLit);
    const auto lit = pixelAt(30.5, 0.0, -5.5);
    EXPECT_GT(lit[0], 100) << "red " << int(lit[0]);
    EXPECT_GT(lit[0], lit[1] + 80);
    EXPECT_GT(lit[0], lit[2] + 60);

    idleFromAngleAndDraw(kOnlyBlueLit);
    const auto dark = pixelAt(30.5, 0.0, -5.5);
    // Only the faint pool lamps, far away, reach it now.
    EXPECT_LT(dark[0], 40) << "red " << int(dark[0]);
    EXPECT_LT(dark[0], lit[0] / 3);
}

}  // namespace
