#include "scene/room.h"

#include <gtest/gtest.h>

#include <cmath>

#include "light/material.h"
#include "scene/tiles.h"
#include "support/gl_capture.h"

namespace {

class RoomTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
};

bool near(float a, float b) {
    return std::fabs(a - b) < 1e-3f;
}

// Classifies a polygon by the plane it lies in: 'x', 'y' or 'z' and its coordinate.
struct Plane {
    char axis;
    float at;
};
bool planeOf(const Polygon& p, Plane* plane) {
    for (int a = 0; a < 3; ++a) {
        bool flat = true;
        for (const Vec3& v : p) {
            flat = flat && near(v[a], p[0][a]);
        }
        if (flat) {
            *plane = Plane{"xyz"[a], p[0][a]};
            return true;
        }
    }
    return false;
}

TEST_F(RoomTest, ShellCoversExactlyTheRoomPlanes) {
    // Each tile rectangle becomes two triangles or one quad-polygon in feedback.
    const auto polygons = capturePolygons(drawRoom);
    ASSERT_FALSE(polygons.empty());
    float floorArea = 0, ceilingArea = 0, frontArea = 0, backArea = 0, leftArea = 0, rightArea = 0;
    for (const Polygon& p : polygons) {
        Plane plane{};
        ASSERT_TRUE(planeOf(p, &plane)) << "polygon not axis-aligned";
        // Area of a planar polygon in its plane (shoelace over the other two axes).
        const int u = plane.axis == 'x' ? 1 : 0;
        const int v = plane.axis == 'z' ? 1 : 2;
        float area = 0;
        for (size_t k = 0; k < p.size(); ++k) {
            const Vec3& a = p[k];
            const Vec3& b = p[(k + 1) % p.size()];
            area += a[u] * b[v] - b[u] * a[v];
        }
        area = std::fabs(area) / 2;
        if (plane.axis == 'y' && near(plane.at, 0)) {
            floorArea += area;
        } else if (plane.axis == 'y' && near(plane.at, 10)) {
            ceilingArea += area;
        } else if (plane.axis == 'z' && near(plane.at, 0)) {
            frontArea += area;
        } else if (plane.axis == 'z' && near(plane.at, -56)) {
            backArea += area;
        } else if (plane.axis == 'x' && near(plane.at, 0)) {
            leftArea += area;
        } else if (plane.axis == 'x' && near(plane.at, 41)) {
            rightArea += area;
        } else {
            ADD_FAILURE() << "polygon in an unexpected plane " << plane.axis << "=" << plane.at;
        }
    }
    EXPECT_NEAR(floorArea, 41 * 56, 0.5);
    EXPECT_NEAR(ceilingArea, 41 * 56, 0.5);
    EXPECT_NEAR(frontArea, 42 * 10, 0.5);
    EXPECT_NEAR(backArea, 42 * 10, 0.5);
    EXPECT_NEAR(leftArea, 56 * 10, 0.5);
    EXPECT_NEAR(rightArea, 56 * 10, 0.5);

    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.min[0], 0, 1e-3);
    EXPECT_NEAR(b.max[0], 42, 1e-3);
    EXPECT_NEAR(b.min[1], 0, 1e-3);
    EXPECT_NEAR(b.max[1], 10, 1e-3);
    EXPECT_NEAR(b.min[2], -56, 1e-3);
    EXPECT_NEAR(b.max[2], 0, 1e-3);
}

TEST_F(RoomTest, ListLeavesMatrixStackAndEndsOnWhite) {
    compileRoomList();
    ASSERT_NE(listRoom, 0u);
    const int depth = modelviewDepth();
    glCallList(listRoom);
    EXPECT_EQ(modelviewDepth(), depth);
    const auto m = currentMaterial();
    EXPECT_FLOAT_EQ(m[4], whiteMaterial.diffuse[0]);
    EXPECT_FLOAT_EQ(m[8], whiteMaterial.specular[0]);
}

}  // namespace
