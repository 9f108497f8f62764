#include "models/chair.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "light/material.h"
#include "support/gl_capture.h"
#include "support/model_checks.h"
#include "texture/textures.h"

namespace {

class ChairTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
};

std::vector<Polygon> chairPolygons(float sx = 1, float sy = 1, float sz = 1) {
    return capturePolygons([&] { drawChair(sx, sy, sz); }, 10.0f);
}

// Newell's normal of a polygon: its direction follows the vertex order, so it
// points to the side from which the vertices run counter-clockwise.
Vec3 windingNormal(const Polygon& p) {
    Vec3 n{0, 0, 0};
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3& a = p[i];
        const Vec3& b = p[(i + 1) % p.size()];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return n;
}

float dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Legs are the polygons whose centre is below the seat; keyed by the signs of
// x and z of their centre: bit 0 for +x, bit 1 for +z.
std::map<int, std::vector<Polygon>> legsByCorner(const std::vector<Polygon>& polygons) {
    std::map<int, std::vector<Polygon>> legs;
    for (const Polygon& p : polygons) {
        const Vec3 c = centroidOf(p);
        if (c[1] < 1.5f) {
            legs[(c[0] > 0 ? 1 : 0) + (c[2] > 0 ? 2 : 0)].push_back(p);
        }
    }
    return legs;
}

TEST_F(ChairTest, BoundsAtScaleOne) {
    const auto polygons = chairPolygons();
    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.min[0], -1.207f, 2e-3f);  // back of the leaning panel
    EXPECT_NEAR(b.max[0], 0.9f, 1e-3f);     // front edge of the seat
    EXPECT_NEAR(b.min[1], -0.078f, 2e-3f);  // splayed legs end just below the floor
    EXPECT_NEAR(b.max[1], 4.381f, 2e-3f);   // top of the panel
    EXPECT_NEAR(b.min[2], -0.9f, 1e-3f);
    EXPECT_NEAR(b.max[2], 0.9f, 1e-3f);

    // The seat's upper face: a 1.8 square at y = 1.95.
    int seatTop = 0;
    for (const Polygon& p : polygons) {
        bool flat = true;
        for (const Vec3& v : p) {
            flat = flat && std::fabs(v[1] - 1.95f) < 1e-3f;
        }
        if (flat) {
            ++seatTop;
            const Bounds f = boundsOf({p});
            EXPECT_GE(f.min[0], -0.9f - 1e-3f);
            EXPECT_LE(f.max[0], 0.9f + 1e-3f);
            EXPECT_GE(f.min[2], -0.9f - 1e-3f);
            EXPECT_LE(f.max[2], 0.9f + 1e-3f);
        }
    }
    EXPECT_GT(seatTop, 0);
}

TEST_F(ChairTest, BackrestStandsOnTheMinusXSide) {
    // Everything above the posts' tops is panel, behind the seat's mid-line.
    int panel = 0;
    for (const Polygon& p : chairPolygons()) {
        if (centroidOf(p)[1] > 2.8f) {
            ++panel;
            const Bounds f = boundsOf({p});
            EXPECT_LE(f.max[0], -0.59f);
            EXPECT_GE(f.min[0], -1.21f);
            EXPECT_GE(f.min[2], -0.75f - 1e-3f);
            EXPECT_LE(f.max[2], 0.75f + 1e-3f);
        }
    }
    EXPECT_GT(panel, 0);
}

TEST_F(ChairTest, OneLegSplayedIntoEachCorner) {
    const auto legs = legsByCorner(chairPolygons());
    ASSERT_EQ(legs.size(), 4u);
    for (const auto& [corner, polygons] : legs) {
        SCOPED_TRACE(corner);
        const Bounds b = boundsOf(polygons);
        EXPECT_NEAR(std::fmin(std::fabs(b.min[0]), std::fabs(b.max[0])), 0.367f, 2e-3f);
        EXPECT_NEAR(std::fmax(std::fabs(b.min[0]), std::fabs(b.max[0])), 0.863f, 2e-3f);
        EXPECT_NEAR(std::fmin(std::fabs(b.min[2]), std::fabs(b.max[2])), 0.367f, 2e-3f);
        EXPECT_NEAR(std::fmax(std::fabs(b.min[2]), std::fabs(b.max[2])), 0.863f, 2e-3f);
        EXPECT_NEAR(b.min[1], -0.078f, 2e-3f);
    }
}

TEST_F(ChairTest, TwoLegsAreMirroredAndWoundTheOtherWay) {
    const auto polygons = chairPolygons();

    // Reference: the seat's top and bottom faces, whose outside is up and down.
    int seatSign = 0;
    for (const Polygon& p : polygons) {
        const Vec3 c = centroidOf(p);
        const Bounds f = boundsOf({p});
        if (f.max[1] - f.min[1] < 1e-4f && std::fabs(std::fabs(c[1] - 1.8f) - 0.15f) < 1e-3f) {
            const float s = dot(windingNormal(p), Vec3{0, c[1] - 1.8f, 0});
            ASSERT_NE(s, 0.0f);
            const int sign = s > 0 ? 1 : -1;
            if (seatSign == 0) {
                seatSign = sign;
            }
            EXPECT_EQ(sign, seatSign);
        }
    }
    ASSERT_NE(seatSign, 0);

    // Each leg's faces are wound consistently; the legs reached through one
    // negative scale factor (toward -x -z and +x +z) are wound opposite to the seat.
    for (const auto& [corner, legPolygons] : legsByCorner(polygons)) {
        SCOPED_TRACE(corner);
        const Bounds b = boundsOf(legPolygons);
        const Vec3 centre{(b.min[0] + b.max[0]) / 2, (b.min[1] + b.max[1]) / 2,
                          (b.min[2] + b.max[2]) / 2};
        const bool mirrored = corner == 0 || corner == 3;
        for (const Polygon& p : legPolygons) {
            const Vec3 c = centroidOf(p);
            const Vec3 out{c[0] - centre[0], c[1] - centre[1], c[2] - centre[2]};
            const int sign = dot(windingNormal(p), out) > 0 ? 1 : -1;
            EXPECT_EQ(sign, mirrored ? -seatSign : seatSign);
        }
    }
}

// Renders the chair seen from the front right, below the seat, lit only by a
// white light from the viewer's side, and returns the mean brightness (0..765)
// of a patch at the middle of each leg, keyed like legsByCorner.
std::map<int, float> legBrightnessFacingTheLight() {
    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.5, 1.5, -1.0, 1.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, 600, 400);

    // A light along the line of sight, set in eye coordinates.
    lightOnlyFrom(0, 0, 1);

    // 30 degrees round from +x toward +z, so the four legs stand apart on screen.
    gluLookAt(5 * std::cos(0.5236), 0.8, 5 * std::sin(0.5236), 0, 0.8, 0, 0, 1, 0);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawChair(1, 1, 1);

    // Each leg's axis passes (+-0.625, 0.8, +-0.625), 1 below the seat's mid-plane.
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::map<int, float> brightness;
    for (int corner = 0; corner < 4; ++corner) {
        const double x = corner & 1 ? 0.625 : -0.625;
        const double z = corner & 2 ? 0.625 : -0.625;
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(x, 0.8, z, model, projection, viewport, &wx, &wy, &wz);
        float sum = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const auto rgb = readPixel(static_cast<int>(wx) + dx, static_cast<int>(wy) + dy);
                sum += static_cast<float>(rgb[0] + rgb[1] + rgb[2]);
            }
        }
        brightness[corner] = sum / 25;
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return brightness;
}

TEST_F(ChairTest, AllFourLegsAreLitAlike) {
    const auto legs = legBrightnessFacingTheLight();
    ASSERT_EQ(legs.size(), 4u);
    float brightest = 0;
    for (const auto& leg : legs) {
        brightest = std::fmax(brightest, leg.second);
    }
    EXPECT_GT(brightest, 100.0f);
    for (const auto& [corner, brightness] : legs) {
        EXPECT_GT(brightness, 0.85f * brightest) << "leg toward " << (corner & 1 ? "+x" : "-x")
                                                 << (corner & 2 ? " +z" : " -z") << " is dark";
    }
}

TEST_F(ChairTest, StretchesWithItsScale) {
    const Bounds unit = boundsOf(chairPolygons());
    const Vec3 s{1.5f, 0.8f, 2.0f};
    const Bounds scaled = boundsOf(chairPolygons(s[0], s[1], s[2]));
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(scaled.min[a], unit.min[a] * s[a], 2e-3f) << "axis " << a;
        EXPECT_NEAR(scaled.max[a], unit.max[a] * s[a], 2e-3f) << "axis " << a;
    }
}

TEST_F(ChairTest, LeavesTheStatePromised) {
    const GLuint saved = textures[1];
    GLuint wood = 0;
    glGenTextures(1, &wood);
    textures[1] = wood;

    const int depth = modelviewDepth();
    drawChair(1, 1, 1);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(currentMaterial(), floatsOf(woodMaterial));
    EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(boundTexture2D(), static_cast<GLint>(wood));
    EXPECT_EQ(frontFace(), GL_CCW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    textures[1] = saved;
    glDeleteTextures(1, &wood);
}

TEST_F(ChairTest, CompiledListLeavesTheModelviewUnchanged) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    drawChair(1, 1, 1);
    glEndList();

    glTranslatef(-4.0f, 1.0f, 2.0f);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    glCallList(list);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(after[i], before[i]) << "element " << i;
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glDeleteLists(list, 1);
    glLoadIdentity();
}

}  // namespace
