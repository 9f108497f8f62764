#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/display.h"
#include "app/window.h"
#include "light/material.h"
#include "scene/tiles.h"
#include "support/gl_capture.h"
#include "view/camera.h"

namespace {

std::array<GLdouble, 16> matrix(GLenum which) {
    std::array<GLdouble, 16> m{};
    glGetDoublev(which, m.data());
    return m;
}

// Transforms a point by a column-major matrix.
std::array<double, 3> apply(const std::array<GLdouble, 16>& m, double x, double y, double z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

class FrameTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        camera = Camera();
    }
    void TearDown() override {
        camera = Camera();
        reshape(600, 400);
    }
};

TEST_F(FrameTest, ReshapeSetsViewportProjectionAndRecordsTheSize) {
    reshape(800, 300);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 300);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 300);
    const auto p = matrix(GL_PROJECTION_MATRIX);
    const double focal = 1.0 / std::tan(27.5 * M_PI / 180.0);  // 55 degrees vertical
    EXPECT_NEAR(p[5], focal, 1e-6);
    EXPECT_NEAR(p[0], focal * 300.0 / 800.0, 1e-6);  // a real quotient, not 800 / 300 = 2
    // Near plane 1 and far plane 75.
    EXPECT_NEAR(p[10], -(75.0 + 1.0) / (75.0 - 1.0), 1e-6);
    EXPECT_NEAR(p[14], -2.0 * 75.0 * 1.0 / (75.0 - 1.0), 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(FrameTest, ReshapeToNothingKeepsAFiniteProjection) {
    reshape(600, 400);
    const auto before = matrix(GL_PROJECTION_MATRIX);
    for (auto [w, h] : {std::array<int, 2>{600, 0}, {0, 400}, {0, 0}}) {
        reshape(w, h);
        EXPECT_EQ(windowWidth, w);
        EXPECT_EQ(windowHeight, h);
        EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), before);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(FrameTest, ViewLooksFromTheEyeAlongTheHeading) {
    drawFrame();
    const auto view = matrix(GL_MODELVIEW_MATRIX);
    const auto eye = apply(view, 5, 5, -5);
    const auto ahead = apply(view, 5.0000025, 5, -6);
    const auto right = apply(view, 6, 5, -5);  // +x is to the viewer's right
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(eye[i], 0, 1e-5);
    }
    EXPECT_NEAR(ahead[2], -1, 1e-5);
    EXPECT_NEAR(right[0], 1, 1e-5);
}

TEST_F(FrameTest, FrameRestoresTheStateItChanges) {
    while (glGetError() != GL_NO_ERROR) {
    }
    compileSceneOnce();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "compiling the scene";
    const int depth = modelviewDepth();
    for (float pitch : {0.0f, 1.56298f, -1.56298f}) {
        camera.pitch = pitch;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFrame();
        EXPECT_EQ(modelviewDepth(), depth);
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        const auto view = matrix(GL_MODELVIEW_MATRIX);
        for (double v : view) {
            EXPECT_TRUE(std::isfinite(v));
        }
    }
}

TEST(MaterialTest, EveryRecordIsAppliedToFrontAndBack) {
    const Material* all[] = {&woodMaterial,       &chromeMaterial,      &feltMaterial,
                             &blackMaterial,      &greenShadeMaterial,  &glowMaterial,
                             &redBallMaterial,    &yellowBallMaterial,  &orangeBallMaterial,
                             &blackGlossMaterial, &whiteGlossMaterial,  &whiteMaterial,
                             &mirrorMaterial,     &greyMaterial,        &blueLensMaterial,
                             &redLensMaterial,    &greenLensMaterial,   &greenGlassMaterial,
                             &clearGlassMaterial, &smokedGlassMaterial, &blueGlassMaterial};
    for (const Material* m : all) {
        setMaterial(m);
        for (GLenum face : {GL_FRONT, GL_BACK}) {
            GLfloat read[17];
            glGetMaterialfv(face, GL_AMBIENT, &read[0]);
            glGetMaterialfv(face, GL_DIFFUSE, &read[4]);
            glGetMaterialfv(face, GL_SPECULAR, &read[8]);
            glGetMaterialfv(face, GL_EMISSION, &read[12]);
            glGetMaterialfv(face, GL_SHININESS, &read[16]);
            const GLfloat* expected = &m->ambient[0];
            for (int i = 0; i < 17; ++i) {
                EXPECT_FLOAT_EQ(read[i], expected[i]) << "float " << i;
            }
        }
    }
}

TEST(MaterialTest, AListKeepsTheValuesItWasCompiledWith) {
    const Material saved = redLensMaterial;
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    setMaterial(&redLensMaterial);
    glEndList();

    redLensMaterial = blackMaterial;
    setMaterial(&whiteMaterial);
    glCallList(list);
    EXPECT_FLOAT_EQ(currentMaterial()[12], 1.0f);  // red emission from compile time

    // Applied directly, outside a list, the record's new contents count.
    setMaterial(&redLensMaterial);
    EXPECT_FLOAT_EQ(currentMaterial()[12], 0.0f);

    redLensMaterial = saved;
    glDeleteLists(list, 1);
}

TEST(TiledSurfaceTest, CheckerboardRestoresTheMaterialAndTileKeepsIt) {
    resetSceneState();
    setMaterial(&woodMaterial);
    const auto before = currentMaterial();
    const auto tiles =
        capturePolygons([] { checkerRect(16, 16, 1, blackGlossMaterial, whiteGlossMaterial); });
    EXPECT_EQ(currentMaterial(), before);
    EXPECT_GE(tiles.size(), 256u);

    tileRect(3, 3, 1);
    EXPECT_EQ(currentMaterial(), before);
    GLfloat normal[4];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_FLOAT_EQ(normal[2], 1.0f);
}

TEST(TiledSurfaceTest, TilesFaceUpTheLocalZAxisCounterClockwise) {
    resetSceneState();
    const auto polygons = capturePolygons([] { tileRect(2, 1, 1); });
    ASSERT_FALSE(polygons.empty());
    double area = 0;  // signed area seen from +z: positive when counter-clockwise
    for (const Polygon& p : polygons) {
        for (size_t k = 0; k < p.size(); ++k) {
            const Vec3& a = p[k];
            const Vec3& b = p[(k + 1) % p.size()];
            area += a[0] * b[1] - b[0] * a[1];
            EXPECT_NEAR(a[2], 0, 1e-4);
        }
    }
    EXPECT_NEAR(area / 2, 2.0, 1e-3);
}

}  // namespace
