#include "view/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CameraKeys, WalkAndStrafeFromTheStartStoreFloats) {
    Camera w;
    EXPECT_EQ(applyKey(w, 'w'), KeyAction::Redraw);
    EXPECT_EQ(w.eyeX, 5.0000024f);
    EXPECT_EQ(w.eyeZ, -6.0f);
    EXPECT_EQ(w.eyeHeight, 5.0f);

    Camera a;
    applyKey(a, 'a');  // one unit to the viewer's left
    EXPECT_EQ(a.eyeX, 4.0f);
    EXPECT_EQ(a.eyeZ, -5.0000038f);

    Camera d;
    applyKey(d, 'd');
    EXPECT_EQ(d.eyeX, 6.0f);
    EXPECT_EQ(d.eyeZ, -4.9999962f);

    Camera s;
    applyKey(s, 's');
    EXPECT_EQ(s.eyeX, 4.9999976f);
    EXPECT_EQ(s.eyeZ, -4.0f);
}

TEST(CameraKeys, WalkingIgnoresPitch) {
    Camera level;
    Camera tilted;
    tilted.pitch = 1.2f;
    applyKey(level, 'w');
    applyKey(tilted, 'w');
    EXPECT_EQ(level.eyeX, tilted.eyeX);
    EXPECT_EQ(level.eyeZ, tilted.eyeZ);
    EXPECT_EQ(tilted.eyeHeight, 5.0f);
}

TEST(CameraKeys, RiseSinkAndTheCrouchToggle) {
    Camera cam;
    applyKey(cam, 'x');
    EXPECT_EQ(cam.eyeHeight, 2.5f);
    applyKey(cam, 'x');
    EXPECT_EQ(cam.eyeHeight, 5.0f);

    Camera high;
    applyKey(high, 'r');
    applyKey(high, 'r');
    EXPECT_EQ(high.eyeHeight, 7.0f);
    applyKey(high, 'x');
    EXPECT_EQ(high.eyeHeight, 2.5f);

    Camera low;
    applyKey(low, 'f');
    EXPECT_EQ(low.eyeHeight, 4.0f);
    applyKey(low, 'x');
    EXPECT_EQ(low.eyeHeight, 5.0f);

    Camera below;
    for (int i = 0; i < 6; ++i) {
        applyKey(below, 'f');
    }
    EXPECT_EQ(below.eyeHeight, -1.0f);  // nothing stops the eye at the floor
}

TEST(CameraKeys, EscapeQuitsAndOtherKeysOnlyRedraw) {
    Camera cam;
    EXPECT_EQ(applyKey(cam, 27), KeyAction::Quit);
    for (int key : {int('W'), int('A'), int('1'), int('\r'), int(' '), int('q'), 200}) {
        Camera other;
        EXPECT_EQ(applyKey(other, static_cast<unsigned char>(key)), KeyAction::Redraw) << key;
        EXPECT_EQ(other.eyeX, 5.0f);
        EXPECT_EQ(other.eyeZ, -5.0f);
        EXPECT_EQ(other.yaw, 3.14159f);
        EXPECT_EQ(other.eyeHeight, 5.0f);
        EXPECT_EQ(other.pitch, 0.0f);
    }
}

TEST(MouseLook, ColumnZonesOfA600PixelWindow) {
    const float start = Camera().yaw;
    for (int x : {0, 100, 197}) {
        Camera cam;
        EXPECT_TRUE(lookHorizontally(cam, x, 600)) << x;
        EXPECT_GT(cam.yaw, start) << x;  // left of centre turns left
    }
    for (int x : {199, 300, 396}) {
        Camera cam;
        EXPECT_FALSE(lookHorizontally(cam, x, 600)) << x;
        EXPECT_EQ(cam.yaw, start) << x;
    }
    for (int x : {397, 599}) {
        Camera cam;
        EXPECT_TRUE(lookHorizontally(cam, x, 600)) << x;
        EXPECT_LT(cam.yaw, start) << x;
    }
}

TEST(MouseLook, RowZonesOfA400PixelWindow) {
    for (int y : {0, 99}) {
        Camera cam;
        EXPECT_TRUE(lookVertically(cam, y, 400)) << y;
        EXPECT_GT(cam.pitch, 0.0f) << y;  // above the centre looks up
    }
    for (int y : {100, 200, 300}) {
        Camera cam;
        EXPECT_FALSE(lookVertically(cam, y, 400)) << y;
        EXPECT_EQ(cam.pitch, 0.0f) << y;
    }
    for (int y : {301, 399}) {
        Camera cam;
        EXPECT_TRUE(lookVertically(cam, y, 400)) << y;
        EXPECT_LT(cam.pitch, 0.0f) << y;
    }
}

TEST(MouseLook, TurnIsProportionalToTheDistanceFromCentre) {
    Camera edge;
    lookHorizontally(edge, 0, 600);
    EXPECT_NEAR(edge.yaw - 3.14159f, 0.0981746875, 1e-6);

    Camera nearZone;
    lookHorizontally(nearZone, 197, 600);
    EXPECT_NEAR(nearZone.yaw - 3.14159f, (300.0 - 197.0) / 600.0 * 0.196349375, 1e-6);

    // An odd width halves to a fraction: column 0 of 601 is 300.5 from the centre.
    Camera odd;
    lookHorizontally(odd, 0, 601);
    EXPECT_NEAR(odd.yaw - 3.14159f, 300.5 / 601.0 * 0.196349375, 1e-6);
}

TEST(MouseLook, PitchStopsJustShortOfAQuarterTurn) {
    Camera cam;
    for (int i = 0; i < 40; ++i) {
        lookVertically(cam, 0, 400);
    }
    EXPECT_EQ(cam.pitch, 1.56298f);
    applyKey(cam, 'e');
    EXPECT_EQ(cam.pitch, 0.0f);
    EXPECT_EQ(cam.yaw, 3.14159f);

    for (int i = 0; i < 40; ++i) {
        lookVertically(cam, 399, 400);
    }
    EXPECT_EQ(cam.pitch, -1.56298f);
}

TEST(MouseLook, PositionsOutsideTheWindowAreIgnoredAxisByAxis) {
    Camera cam;
    EXPECT_FALSE(lookHorizontally(cam, -1, 600));
    EXPECT_FALSE(lookHorizontally(cam, 600, 600));
    EXPECT_FALSE(lookHorizontally(cam, 5000, 600));
    EXPECT_EQ(cam.yaw, 3.14159f);
    // The other axis of the same event still acts.
    EXPECT_TRUE(lookVertically(cam, 0, 400));
    EXPECT_FALSE(lookVertically(cam, -3, 400));
    EXPECT_FALSE(lookVertically(cam, 400, 400));
}

TEST(MouseLook, AnEmptyWindowTurnsNothing) {
    Camera cam;
    EXPECT_FALSE(lookHorizontally(cam, 0, 0));
    EXPECT_FALSE(lookVertically(cam, 0, 0));
    EXPECT_EQ(cam.yaw, 3.14159f);
    EXPECT_EQ(cam.pitch, 0.0f);
}

TEST(LookAt, CentreIsOneUnitAlongTheLookDirection) {
    const LookAt start = lookAtFrom(Camera());
    EXPECT_DOUBLE_EQ(start.eye[0], 5.0);
    EXPECT_DOUBLE_EQ(start.eye[1], 5.0);
    EXPECT_DOUBLE_EQ(start.eye[2], -5.0);
    EXPECT_NEAR(start.centre[0], 5.0000025, 1e-7);
    EXPECT_DOUBLE_EQ(start.centre[1], 5.0);
    EXPECT_NEAR(start.centre[2], -6.0, 1e-9);

    Camera up;
    up.pitch = 1.56298f;
    up.yaw = 0.7f;
    const LookAt steep = lookAtFrom(up);
    double length = 0;
    for (int i = 0; i < 3; ++i) {
        length += (steep.centre[i] - steep.eye[i]) * (steep.centre[i] - steep.eye[i]);
    }
    EXPECT_NEAR(std::sqrt(length), 1.0, 1e-12);
    EXPECT_GT(steep.centre[1] - steep.eye[1], 0.9999);
}

}  // namespace
