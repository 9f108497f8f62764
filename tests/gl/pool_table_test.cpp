#include "models/pool_table.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/window.h"
#include "light/material.h"
#include "support/gl_capture.h"
#include "support/polygon_planes.h"
#include "support/shaded_capture.h"

namespace {

const float kTol = 1e-3f;
const float kExtent = 10.0f;  // the table fits well inside +-10
const int kX = 0, kY = 1, kZ = 2;

class PoolTableTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
};

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

void expectBounds(const Bounds& b, const Vec3& min, const Vec3& max) {
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(b.min[a], min[a], kTol) << "axis " << a;
        EXPECT_NEAR(b.max[a], max[a], kTol) << "axis " << a;
    }
}

Vec3 centreOf(const Bounds& b) {
    return {(b.min[0] + b.max[0]) / 2, (b.min[1] + b.max[1]) / 2, (b.min[2] + b.max[2]) / 2};
}

// Which quarter (0..3) a polygon lies in, from the signs of its centre in x and z.
int quarterOf(const Polygon& p) {
    const Vec3 c = centreOf(boundsOf({p}));
    return (c[kX] < 0 ? 1 : 0) + (c[kZ] < 0 ? 2 : 0);
}

std::vector<Polygon> withDiffuse(const std::vector<ShadedPolygon>& all, const Material& m) {
    std::vector<Polygon> out;
    for (const ShadedPolygon& p : all) {
        if (hasDiffuseOf(p, m.diffuse)) {
            out.push_back(p.vertices);
        }
    }
    return out;
}

TEST_F(PoolTableTest, TableSpansItsFullBox) {
    const auto polygons = capturePolygons(drawPoolTable, kExtent);
    ASSERT_FALSE(polygons.empty());
    expectBounds(boundsOf(polygons), {-5.1f, 0.0f, -2.77f}, {5.1f, 2.6f, 2.77f});
}

TEST_F(PoolTableTest, EveryPieceIsWoodFeltOrBlack) {
    const auto all = captureShadedPolygons(drawPoolTable, kExtent);
    ASSERT_FALSE(all.empty());
    for (const ShadedPolygon& p : all) {
        EXPECT_TRUE(hasDiffuseOf(p, woodMaterial.diffuse) ||
                    hasDiffuseOf(p, feltMaterial.diffuse) || hasDiffuseOf(p, blackMaterial.diffuse))
            << "colour " << p.colour[0] << ", " << p.colour[1] << ", " << p.colour[2];
    }
}

TEST_F(PoolTableTest, QuarterCoversOnlyPositiveXAndZ) {
    setMaterial(&woodMaterial);
    const auto polygons = capturePolygons(drawPoolTableQuarter, kExtent);
    ASSERT_FALSE(polygons.empty());
    expectBounds(boundsOf(polygons), {0.0f, 0.0f, 0.0f}, {5.1f, 2.6f, 2.77f});
}

TEST_F(PoolTableTest, FeltTopLiesAt2_5OverThePlayingAreaWithCushionStepsAtItsEdges) {
    const auto felt = withDiffuse(captureShadedPolygons(drawPoolTable, kExtent), feltMaterial);
    ASSERT_FALSE(felt.empty());
    std::vector<Polygon> top;
    float endCushionArea = 0, sideCushionArea = 0;
    for (const Polygon& p : felt) {
        AxisPlane plane{};
        ASSERT_TRUE(axisPlaneOf(p, &plane)) << "felt polygon not axis-aligned";
        if (plane.axis == kY) {
            EXPECT_NEAR(plane.at, 2.5f, 1e-4f);
            top.push_back(p);
            continue;
        }
        // A cushion: a 0.1 step from the felt up to the rail at the felt's edge.
        const Bounds b = boundsOf({p});
        EXPECT_NEAR(b.min[kY], 2.5f, kTol);
        EXPECT_NEAR(b.max[kY], 2.6f, kTol);
        if (plane.axis == kX) {
            EXPECT_NEAR(std::fabs(plane.at), 4.67f, kTol);
            endCushionArea += areaAcross(p, kX);
        } else {
            EXPECT_NEAR(std::fabs(plane.at), 2.33f, kTol);
            sideCushionArea += areaAcross(p, kZ);
        }
    }
    expectBounds(boundsOf(top), {-4.67f, 2.5f, -2.33f}, {4.67f, 2.5f, 2.33f});
    float topArea = 0;
    for (const Polygon& p : top) {
        topArea += areaAcross(p, kY);
    }
    // Exactly one layer of felt over the whole rectangle.
    EXPECT_NEAR(topArea, 9.34f * 4.66f, 0.01f);
    // The cushions leave gaps at the pockets: 2.04 of each half end, 4.14 of each half side.
    EXPECT_NEAR(endCushionArea, 4 * 2.04f * 0.1f, 0.005f);
    EXPECT_NEAR(sideCushionArea, 4 * 4.14f * 0.1f, 0.005f);
}

TEST_F(PoolTableTest, FourSquareLegsStandAtTheQuarterCentres) {
    const auto wood = withDiffuse(captureShadedPolygons(drawPoolTable, kExtent), woodMaterial);
    std::vector<Polygon> legs[4];
    for (const Polygon& p : wood) {
        // Only the legs reach below the skirt's lower edge at 1.6.
        if (boundsOf({p}).max[kY] <= 2.0f + kTol) {
            legs[quarterOf(p)].push_back(p);
        }
    }
    const float sx[4] = {1, -1, 1, -1};
    const float sz[4] = {1, 1, -1, -1};
    for (int q = 0; q < 4; ++q) {
        SCOPED_TRACE(q);
        ASSERT_FALSE(legs[q].empty());
        const Bounds b = boundsOf(legs[q]);
        const Vec3 c = centreOf(b);
        EXPECT_NEAR(c[kX], sx[q] * 3.83f, kTol);
        EXPECT_NEAR(c[kZ], sz[q] * 1.5f, kTol);
        EXPECT_NEAR(b.max[kX] - b.min[kX], 1.0f, kTol);
        EXPECT_NEAR(b.max[kZ] - b.min[kZ], 1.0f, kTol);
        EXPECT_NEAR(b.min[kY], 0.0f, kTol);
        EXPECT_NEAR(b.max[kY], 2.0f, kTol);
        // Four uncapped sides of 1 by 2.
        float area = 0;
        for (const Polygon& p : legs[q]) {
            AxisPlane plane{};
            ASSERT_TRUE(axisPlaneOf(p, &plane));
            EXPECT_NE(plane.axis, kY) << "a leg has a cap";
            area += areaAcross(p, plane.axis);
        }
        EXPECT_NEAR(area, 8.0f, 0.01f);
    }
}

TEST_F(PoolTableTest, PocketsAreAlikeInEveryCornerAndMeetAtTheMiddleOfTheLongSides) {
    const auto black = withDiffuse(captureShadedPolygons(drawPoolTable, kExtent), blackMaterial);
    std::vector<Polygon> corner[4], middle[2];
    for (const Polygon& p : black) {
        const Vec3 c = centreOf(boundsOf({p}));
        if (std::fabs(c[kX]) > 4.0f) {
            corner[quarterOf(p)].push_back(p);
        } else {
            ASSERT_LT(std::fabs(c[kX]), 0.3f) << "black polygon neither at a corner nor mid-side";
            middle[c[kZ] < 0 ? 1 : 0].push_back(p);
        }
    }
    const float sx[4] = {1, -1, 1, -1};
    const float sz[4] = {1, 1, -1, -1};
    for (int q = 0; q < 4; ++q) {
        SCOPED_TRACE(q);
        ASSERT_FALSE(corner[q].empty());
        const Bounds b = boundsOf(corner[q]);
        EXPECT_NEAR(std::fmin(sx[q] * b.min[kX], sx[q] * b.max[kX]), 4.37f, kTol);
        EXPECT_NEAR(std::fmax(sx[q] * b.min[kX], sx[q] * b.max[kX]), 5.0f, kTol);
        EXPECT_NEAR(std::fmin(sz[q] * b.min[kZ], sz[q] * b.max[kZ]), 2.04f, kTol);
        EXPECT_NEAR(std::fmax(sz[q] * b.min[kZ], sz[q] * b.max[kZ]), 2.7f, kTol);
        EXPECT_NEAR(b.min[kY], 2.5f, kTol);
        EXPECT_NEAR(b.max[kY], 2.6f, kTol);
        // The bottom floats 0.001 over the felt it overlaps, and its area is the same everywhere.
        float bottomArea = 0;
        for (const Polygon& p : corner[q]) {
            if (liesIn(p, kY, 2.501f)) {
                bottomArea += areaAcross(p, kY);
            }
        }
        // The pentagon (4.67, 2.04) (5, 2.04) (5, 2.7) (4.37, 2.7) (4.37, 2.33).
        EXPECT_NEAR(bottomArea, 0.33f * 0.66f + 0.3f * 0.37f + 0.3f * 0.29f / 2, 0.002f);
    }
    for (int side = 0; side < 2; ++side) {
        SCOPED_TRACE(side);
        ASSERT_FALSE(middle[side].empty());
        const Bounds b = boundsOf(middle[side]);
        const float s = side == 0 ? 1.0f : -1.0f;
        EXPECT_NEAR(b.min[kX], -0.23f, kTol);
        EXPECT_NEAR(b.max[kX], 0.23f, kTol);
        EXPECT_NEAR(std::fmin(s * b.min[kZ], s * b.max[kZ]), 2.33f, kTol);
        EXPECT_NEAR(std::fmax(s * b.min[kZ], s * b.max[kZ]), 2.67f, kTol);
        EXPECT_NEAR(b.min[kY], 2.5f, kTol);
        EXPECT_NEAR(b.max[kY], 2.6f, kTol);
    }
}

TEST_F(PoolTableTest, ListRestoresMatrixAndWindingAndEndsOnWood) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    drawPoolTable();
    glEndList();

    setMaterial(&whiteMaterial);
    const int depth = modelviewDepth();
    glCallList(list);
    EXPECT_EQ(modelviewDepth(), depth);
    GLint winding = 0;
    glGetIntegerv(GL_FRONT_FACE, &winding);
    EXPECT_EQ(winding, GL_CCW);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(currentMaterial(), floatsOfRecord(woodMaterial));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(list, 1);
}

TEST_F(PoolTableTest, QuarterKeepsTheWoodItWasGiven) {
    setMaterial(&woodMaterial);
    const int depth = modelviewDepth();
    drawPoolTableQuarter();
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(currentMaterial(), floatsOfRecord(woodMaterial));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Draws the table looked at straight down, +x to the right and -z up the
// screen, lit only by a directional light from straight above.
class PoolTableFromAbove : public PoolTableTest {
   protected:
    void SetUp() override {
        PoolTableTest::SetUp();
        glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        width_ = viewport[2];
        height_ = viewport[3];
        halfHeight_ = kHalfWidth * height_ / width_;

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-kHalfWidth, kHalfWidth, -halfHeight_, halfHeight_, 0.0, 20.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0.0, 10.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);

        lightOnlyFrom(0.0f, 1.0f, 0.0f);

        // A blue background, so that a hole shows differently from a black pocket.
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawPoolTable();
    }

    void TearDown() override {
        glPopAttrib();
        reshape(windowWidth, windowHeight);
        glLoadIdentity();
    }

    // The pixel showing table point (x, z), or its mirror image in x and/or z.
    std::array<unsigned char, 3> pixel(float x, float z, bool mirrorX, bool mirrorZ) const {
        int column = static_cast<int>((x + kHalfWidth) / (2 * kHalfWidth) * width_);
        int row = static_cast<int>((halfHeight_ - z) / (2 * halfHeight_) * height_);
        if (mirrorX) {
            column = width_ - 1 - column;
        }
        if (mirrorZ) {
            row = height_ - 1 - row;
        }
        return readPixel(column, row);
    }

    // The same point in each quarter; index 0 is the unmirrored quarter.
    std::array<std::array<unsigned char, 3>, 4> inEveryQuarter(float x, float z) const {
        return {pixel(x, z, false, false), pixel(x, z, true, false), pixel(x, z, false, true),
                pixel(x, z, true, true)};
    }

    static constexpr float kHalfWidth = 6.0f;
    int width_ = 0;
    int height_ = 0;
    float halfHeight_ = 0;
};

void expectAlike(const std::array<std::array<unsigned char, 3>, 4>& quarters) {
    for (int q = 1; q < 4; ++q) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_LE(std::abs(quarters[q][c] - quarters[0][c]), 2)
                << "quarter " << q << " channel " << c;
        }
    }
}

TEST_F(PoolTableFromAbove, FeltIsTheSameGreenInEveryQuarter) {
    for (const auto& at : {std::array<float, 2>{2.0f, 1.0f}, {4.0f, 0.3f}, {0.3f, 2.0f}}) {
        SCOPED_TRACE(testing::Message() << at[0] << ", " << at[1]);
        const auto felt = inEveryQuarter(at[0], at[1]);
        EXPECT_LT(felt[0][0], 10);
        EXPECT_GT(felt[0][1], 100);
        EXPECT_LT(felt[0][2], 40);
        expectAlike(felt);
    }
}

TEST_F(PoolTableFromAbove, RailIsTheSameWoodInEveryQuarter) {
    // On the end rail, on the side rail, and between the corner pocket and the outer corner.
    for (const auto& at : {std::array<float, 2>{4.9f, 1.0f}, {2.0f, 2.55f}, {5.05f, 2.72f}}) {
        SCOPED_TRACE(testing::Message() << at[0] << ", " << at[1]);
        const auto rail = inEveryQuarter(at[0], at[1]);
        EXPECT_GT(rail[0][0], 150);
        EXPECT_GT(rail[0][1], 100);
        EXPECT_LT(rail[0][2], 40);
        expectAlike(rail);
    }
}

TEST_F(PoolTableFromAbove, PocketsShowBlackIncludingOverTheFeltCorner) {
    // In a corner pocket, over the felt's corner that the pocket bottom covers,
    // and in a middle pocket.
    for (const auto& at : {std::array<float, 2>{4.8f, 2.5f}, {4.6f, 2.25f}, {0.1f, 2.5f}}) {
        SCOPED_TRACE(testing::Message() << at[0] << ", " << at[1]);
        for (const auto& rgb : inEveryQuarter(at[0], at[1])) {
            EXPECT_LT(rgb[0], 10);
            EXPECT_LT(rgb[1], 10);
            EXPECT_LT(rgb[2], 10);
        }
    }
}

}  // namespace
