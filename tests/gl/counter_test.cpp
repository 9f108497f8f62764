#include "models/counter.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "light/material.h"
#include "support/gl_capture.h"
#include "support/polygon_planes.h"
#include "support/shaded_capture.h"

namespace {

const float kTol = 1e-3f;
const float kExtent = 20.0f;
const int kX = 0, kY = 1, kZ = 2;

std::array<float, 17> floatsOfRecord(const Material& m) {
    std::array<float, 17> f{};
    for (int i = 0; i < 4; ++i) {
        f[i] = m.ambient[i];
        f[4 + i] = m.diffuse[i];
        f[8 + i] = m.specular[i];
        f[12 + i] = m.emission[i];
    }
    f[16] = m.shininess;
    return f;
}

float distance(const Vec3& a, const Vec3& b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Distance from p to the rail's axis: along z = 0 from x 0 to 16, then along
// x = 16 from z 0 to -8, at 0.1 below the top.
float distanceToRailAxis(const Vec3& p) {
    const float alongMain = std::fmin(16.0f, std::fmax(0.0f, p[kX]));
    const float alongReturn = std::fmin(0.0f, std::fmax(-8.0f, p[kZ]));
    return std::fmin(distance(p, {alongMain, 3.9f, 0.0f}), distance(p, {16.0f, 3.9f, alongReturn}));
}

// The counter's polygons sorted by piece: the black top and strips, and the
// wooden rail (with its corner sphere) and front panels.
struct CounterPieces {
    std::vector<Polygon> top, strips, rail, panels, other;
};

CounterPieces captureCounter() {
    CounterPieces pieces;
    for (const ShadedPolygon& s : captureShadedPolygons(drawCounter, kExtent)) {
        const Polygon& p = s.vertices;
        const bool black = hasDiffuseOf(s, blackGlossMaterial.diffuse);
        AxisPlane plane{};
        const bool flat = axisPlaneOf(p, &plane);
        if (black && flat && plane.axis == kY) {
            pieces.top.push_back(p);
        } else if (black && flat) {
            pieces.strips.push_back(p);
        } else if (!black && boundsOf({p}).min[kY] > 3.6f) {
            pieces.rail.push_back(p);
        } else if (flat && hasDiffuseOf(s, woodMaterial.diffuse)) {
            pieces.panels.push_back(p);
        } else {
            pieces.other.push_back(p);
        }
    }
    return pieces;
}

class CounterTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
};

TEST_F(CounterTest, EveryPolygonBelongsToAPiece) {
    const CounterPieces pieces = captureCounter();
    EXPECT_TRUE(pieces.other.empty()) << pieces.other.size() << " polygons of no piece";
    EXPECT_FALSE(pieces.top.empty());
    EXPECT_FALSE(pieces.strips.empty());
    EXPECT_FALSE(pieces.rail.empty());
    EXPECT_FALSE(pieces.panels.empty());
}

TEST_F(CounterTest, TopIsOneLayerOverTheLAtHeight4) {
    const auto top = captureCounter().top;
    ASSERT_FALSE(top.empty());
    float area = 0;
    for (const Polygon& p : top) {
        EXPECT_TRUE(liesIn(p, kY, 4.0f));
        area += areaAcross(p, kY);
    }
    EXPECT_NEAR(area, 16 * 2 + 2 * 6, 0.01f);
    const Bounds b = boundsOf(top);
    EXPECT_NEAR(b.min[kX], 0.0f, kTol);
    EXPECT_NEAR(b.max[kX], 16.0f, kTol);
    EXPECT_NEAR(b.min[kZ], -8.0f, kTol);
    EXPECT_NEAR(b.max[kZ], 0.0f, kTol);

    // Points of the main run, its far corner, the return, and the open inside of the L.
    struct Probe {
        float x, z;
        int layers;
    };
    for (const Probe& probe : {Probe{5.5f, -1.5f, 1}, Probe{15.5f, -0.5f, 1},
                               Probe{14.5f, -6.5f, 1}, Probe{13.5f, -3.5f, 0}}) {
        int layers = 0;
        for (const Polygon& p : top) {
            layers += coversAcross(p, kY, probe.x, probe.z) ? 1 : 0;
        }
        EXPECT_EQ(layers, probe.layers) << "at x " << probe.x << ", z " << probe.z;
    }
}

TEST_F(CounterTest, RailFollowsTheOuterEdgesBetween3_7And4_1) {
    const auto rail = captureCounter().rail;
    ASSERT_FALSE(rail.empty());
    const Bounds b = boundsOf(rail);
    EXPECT_NEAR(b.min[kY], 3.7f, kTol);
    EXPECT_NEAR(b.max[kY], 4.1f, kTol);
    EXPECT_NEAR(b.min[kX], 0.0f, kTol);
    EXPECT_NEAR(b.min[kZ], -8.0f, kTol);
    EXPECT_LE(b.max[kX], 16.2f + kTol);
    EXPECT_LE(b.max[kZ], 0.2f + kTol);

    // Tubes of radius 0.2 round the axis; the rings of the main tube every
    // 1 unit (16 stacks), of the return every 8/6 (6 stacks), 10 slices each.
    std::set<long> mainRings, returnRings, sliceAtX5;
    for (const Polygon& p : rail) {
        for (const Vec3& v : p) {
            EXPECT_LE(distanceToRailAxis(v), 0.2f + kTol);
            if (v[kX] < 15.5f) {
                mainRings.insert(std::lround(v[kX] * 1000));
            }
            if (v[kZ] < -0.5f) {
                returnRings.insert(std::lround(v[kZ] * 1000));
            }
            if (std::fabs(v[kX] - 5.0f) < kTol) {
                sliceAtX5.insert(std::lround(v[kY] * 1000) * 10000 + std::lround(v[kZ] * 1000));
            }
        }
    }
    EXPECT_EQ(mainRings.size(), 16u);   // x = 0 .. 15
    EXPECT_EQ(returnRings.size(), 6u);  // z = -1.33 .. -8
    EXPECT_EQ(returnRings.count(-8000), 1u);
    EXPECT_EQ(sliceAtX5.size(), 10u);
}

TEST_F(CounterTest, CornerSphereIsCentredWhereTheRailTurns) {
    const Vec3 corner{16.0f, 3.9f, 0.0f};
    std::vector<Polygon> sphere;
    for (const Polygon& p : captureCounter().rail) {
        bool near = true;
        for (const Vec3& v : p) {
            near = near && distance(v, corner) <= 0.2f + kTol;
        }
        if (near) {
            sphere.push_back(p);
        }
    }
    const auto alone = capturePolygons([] { glutSolidSphere(0.2, 10, 5); }, kExtent);
    ASSERT_FALSE(alone.empty());
    EXPECT_EQ(sphere.size(), alone.size());
    for (const Polygon& p : sphere) {
        for (const Vec3& v : p) {
            EXPECT_NEAR(distance(v, corner), 0.2f, kTol);
        }
    }
    const Bounds b = boundsOf(sphere);
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR((b.min[a] + b.max[a]) / 2, corner[a], kTol) << "axis " << a;
    }
}

TEST_F(CounterTest, FrontPanelsStandOneBackUnderTheTop) {
    float mainArea = 0, returnArea = 0;
    std::vector<Polygon> mainPanel, returnPanel;
    for (const Polygon& p : captureCounter().panels) {
        if (liesIn(p, kZ, -1.0f)) {
            mainPanel.push_back(p);
            mainArea += areaAcross(p, kZ);
        } else if (liesIn(p, kX, 15.0f)) {
            returnPanel.push_back(p);
            returnArea += areaAcross(p, kX);
        } else {
            ADD_FAILURE() << "wooden panel outside the planes z = -1 and x = 15";
        }
    }
    ASSERT_FALSE(mainPanel.empty());
    ASSERT_FALSE(returnPanel.empty());
    EXPECT_NEAR(mainArea, 15 * 4, 0.01f);
    EXPECT_NEAR(returnArea, 7 * 4, 0.01f);
    const Bounds m = boundsOf(mainPanel);
    EXPECT_NEAR(m.min[kX], 0.0f, kTol);
    EXPECT_NEAR(m.max[kX], 15.0f, kTol);
    EXPECT_NEAR(m.min[kY], 0.0f, kTol);
    EXPECT_NEAR(m.max[kY], 4.0f, kTol);
    const Bounds r = boundsOf(returnPanel);
    EXPECT_NEAR(r.min[kZ], -8.0f, kTol);
    EXPECT_NEAR(r.max[kZ], -1.0f, kTol);
    EXPECT_NEAR(r.min[kY], 0.0f, kTol);
    EXPECT_NEAR(r.max[kY], 4.0f, kTol);
}

TEST_F(CounterTest, EdgeStripsHangUnderTheInnerEdges) {
    std::vector<Polygon> mainStrip, returnStrip;
    for (const Polygon& p : captureCounter().strips) {
        if (liesIn(p, kZ, -2.0f)) {
            mainStrip.push_back(p);
        } else if (liesIn(p, kX, 14.0f)) {
            returnStrip.push_back(p);
        } else {
            ADD_FAILURE() << "black strip outside the planes z = -2 and x = 14";
        }
    }
    ASSERT_FALSE(mainStrip.empty());
    ASSERT_FALSE(returnStrip.empty());
    const Bounds m = boundsOf(mainStrip);
    EXPECT_NEAR(m.min[kX], 0.0f, kTol);
    EXPECT_NEAR(m.max[kX], 14.0f, kTol);
    EXPECT_NEAR(m.min[kY], 3.8f, kTol);
    EXPECT_NEAR(m.max[kY], 4.0f, kTol);
    const Bounds r = boundsOf(returnStrip);
    EXPECT_NEAR(r.min[kZ], -8.0f, kTol);
    EXPECT_NEAR(r.max[kZ], -2.0f, kTol);
    EXPECT_NEAR(r.min[kY], 3.8f, kTol);
    EXPECT_NEAR(r.max[kY], 4.0f, kTol);
}

TEST_F(CounterTest, ListRestoresMatrixAndEndsOnBlackGloss) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    drawCounter();
    glEndList();

    setMaterial(&whiteMaterial);
    const int depth = modelviewDepth();
    glCallList(list);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(currentMaterial(), floatsOfRecord(blackGlossMaterial));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(list, 1);
}

}  // namespace
