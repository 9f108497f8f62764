#include "models/lamps.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "light/material.h"
#include "support/gl_capture.h"

namespace {

class LampsTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
    void TearDown() override {
        resetSceneState();
    }
};

float distance(const Vec3& a, const Vec3& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

bool allOf(const Polygon& p, bool (*test)(const Vec3&)) {
    for (const Vec3& v : p) {
        if (!test(v)) {
            return false;
        }
    }
    return true;
}

void expectMaterial(const Material& expected) {
    const auto read = currentMaterial();
    const GLfloat* want = &expected.ambient[0];
    for (int i = 0; i < 17; ++i) {
        EXPECT_FLOAT_EQ(read[i], want[i]) << "material float " << i;
    }
}

TEST_F(LampsTest, SpotLampCanLensAndRodsHaveTheirExtents) {
    const auto polygons = capturePolygons([] { drawSpotLamp(redLensMaterial); });
    ASSERT_FALSE(polygons.empty());
    const Bounds box = boundsOf(polygons);
    EXPECT_NEAR(box.min[0], -0.35f, 1e-4f);
    EXPECT_NEAR(box.max[0], 0.35f, 1e-4f);
    EXPECT_NEAR(box.min[1], -0.35f, 1e-4f);
    EXPECT_NEAR(box.max[1], 2.0f, 1e-4f);
    EXPECT_NEAR(box.min[2], 0.0f, 1e-4f);
    EXPECT_NEAR(box.max[2], 1.0f, 1e-4f);

    // Two disks: the closed back at z 0 and the lens at z 0.9, both of radius 0.35.
    int backFaces = 0, lensFaces = 0;
    float lensRadius = 0.0f;
    for (const Polygon& p : polygons) {
        if (allOf(p, [](const Vec3& v) { return std::fabs(v[2]) < 1e-4f; })) {
            ++backFaces;
        } else if (allOf(p, [](const Vec3& v) { return std::fabs(v[2] - 0.9f) < 1e-4f; })) {
            ++lensFaces;
            for (const Vec3& v : p) {
                lensRadius = std::fmax(lensRadius, std::hypot(v[0], v[1]));
            }
        }
    }
    EXPECT_GT(backFaces, 0);
    EXPECT_GT(lensFaces, 0);
    EXPECT_NEAR(lensRadius, 0.35f, 1e-4f);

    // Above the can only the rods: radius 0.05 round x = +-0.15 at z = 0.4, up to y = 2.
    int rodVertices[2] = {0, 0};
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            if (v[1] > 0.36f) {
                const int rod = v[0] < 0.0f ? 0 : 1;
                const float axisX = rod == 0 ? -0.15f : 0.15f;
                EXPECT_NEAR(std::hypot(v[0] - axisX, v[2] - 0.4f), 0.05f, 1e-4f);
                ++rodVertices[rod];
            }
        }
    }
    EXPECT_GT(rodVertices[0], 0);
    EXPECT_GT(rodVertices[1], 0);
}

TEST_F(LampsTest, SpotLampRodsRiseFromTheCanAxis) {
    const auto polygons = capturePolygons([] { drawSpotLamp(redLensMaterial); });
    // The rods are the thin polygons round x = +-0.15, z = 0.4; they start at y = 0,
    // on the can's axis, and leave the can through its wall.
    float rodBottom = 1e9f;
    for (const Polygon& p : polygons) {
        bool thin = true;
        for (const Vec3& v : p) {
            thin = thin && std::hypot(std::fabs(v[0]) - 0.15f, v[2] - 0.4f) < 0.051f;
        }
        if (thin) {
            for (const Vec3& v : p) {
                rodBottom = std::fmin(rodBottom, v[1]);
            }
        }
    }
    EXPECT_NEAR(rodBottom, 0.0f, 1e-4f);
}

TEST_F(LampsTest, SpotLampLeavesBlackGlossAndTheMatrixStack) {
    const int depth = modelviewDepth();
    drawSpotLamp(greenLensMaterial);
    EXPECT_EQ(modelviewDepth(), depth);
    expectMaterial(blackGlossMaterial);
}

TEST_F(LampsTest, ShadeIsAnOpenConeWideningDownward) {
    const auto polygons = capturePolygons([] { drawShade(greenShadeMaterial); });
    ASSERT_FALSE(polygons.empty());
    int top = 0, bottom = 0;
    for (const Polygon& p : polygons) {
        // No disk closes either end: no polygon lies flat.
        EXPECT_FALSE(allOf(p, [](const Vec3& v) { return std::fabs(v[1]) < 1e-4f; }));
        EXPECT_FALSE(allOf(p, [](const Vec3& v) { return std::fabs(v[1] + 1.0f) < 1e-4f; }));
        for (const Vec3& v : p) {
            // Radius grows linearly from 0.25 at y 0 to 1.5 at y -1.
            EXPECT_NEAR(std::hypot(v[0], v[2]), 0.25f - 1.25f * v[1], 1e-4f);
            top += std::fabs(v[1]) < 1e-4f;
            bottom += std::fabs(v[1] + 1.0f) < 1e-4f;
        }
    }
    EXPECT_GT(top, 0);
    EXPECT_GT(bottom, 0);
    const Bounds box = boundsOf(polygons);
    EXPECT_NEAR(box.min[1], -1.0f, 1e-4f);
    EXPECT_NEAR(box.max[1], 0.0f, 1e-4f);
}

TEST_F(LampsTest, ShadeLeavesItsOwnMaterial) {
    const int depth = modelviewDepth();
    drawShade(orangeBallMaterial);
    EXPECT_EQ(modelviewDepth(), depth);
    expectMaterial(orangeBallMaterial);
}

TEST_F(LampsTest, BulbTopTouchesTheOriginAndItsCordEndsInside) {
    const auto polygons = capturePolygons(drawBulb);
    ASSERT_FALSE(polygons.empty());
    const Vec3 centre{0.0f, -0.2f, 0.0f};
    float ballTop = -1e9f, ballBottom = 1e9f, cordTop = -1e9f, cordBottom = 1e9f;
    for (const Polygon& p : polygons) {
        bool onBall = true, onCord = true;
        for (const Vec3& v : p) {
            onBall = onBall && std::fabs(distance(v, centre) - 0.2f) < 1e-4f;
            onCord = onCord && std::fabs(std::hypot(v[0], v[2]) - 0.05f) < 1e-4f;
        }
        ASSERT_TRUE(onBall || onCord) << "a polygon on neither the ball nor the cord";
        for (const Vec3& v : p) {
            if (onBall) {
                ballTop = std::fmax(ballTop, v[1]);
                ballBottom = std::fmin(ballBottom, v[1]);
            } else {
                cordTop = std::fmax(cordTop, v[1]);
                cordBottom = std::fmin(cordBottom, v[1]);
            }
        }
    }
    EXPECT_NEAR(ballTop, 0.0f, 1e-4f);
    EXPECT_NEAR(ballBottom, -0.4f, 1e-4f);
    EXPECT_NEAR(cordTop, 1.8f, 1e-4f);
    EXPECT_NEAR(cordBottom, -0.2f, 1e-4f);
}

TEST_F(LampsTest, BulbLeavesBlackGlossAndTheMatrixStack) {
    const int depth = modelviewDepth();
    drawBulb();
    EXPECT_EQ(modelviewDepth(), depth);
    expectMaterial(blackGlossMaterial);
}

}  // namespace
