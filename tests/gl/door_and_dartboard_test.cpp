#include "models/door_and_dartboard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <string>

#include "app/window.h"
#include "light/material.h"
#include "support/gl_capture.h"
#include "texture/textures.h"

namespace {

class DoorAndDartboardTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
};

bool flatAtZ(const Polygon& p, float z) {
    for (const Vec3& v : p) {
        if (std::fabs(v[2] - z) > 5e-5f) {
            return false;
        }
    }
    return true;
}

std::vector<Polygon> flatAt(const std::vector<Polygon>& polygons, float z) {
    std::vector<Polygon> flat;
    for (const Polygon& p : polygons) {
        if (flatAtZ(p, z)) {
            flat.push_back(p);
        }
    }
    return flat;
}

// Total area of polygons lying in a z plane.
float areaInZPlane(const std::vector<Polygon>& polygons) {
    float total = 0;
    for (const Polygon& p : polygons) {
        float twice = 0;
        for (size_t k = 0; k < p.size(); ++k) {
            const Vec3& a = p[k];
            const Vec3& b = p[(k + 1) % p.size()];
            twice += a[0] * b[1] - b[0] * a[1];
        }
        total += std::fabs(twice) / 2;
    }
    return total;
}

Vec3 meanVertex(const std::vector<Polygon>& polygons) {
    Vec3 sum{0, 0, 0};
    int n = 0;
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            for (int a = 0; a < 3; ++a) {
                sum[a] += v[a];
            }
            ++n;
        }
    }
    return Vec3{sum[0] / n, sum[1] / n, sum[2] / n};
}

float distance(const Vec3& a, const Vec3& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

void expectBounds2D(const std::vector<Polygon>& polygons, float x0, float y0, float x1, float y1) {
    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.min[0], x0, 1e-4f);
    EXPECT_NEAR(b.min[1], y0, 1e-4f);
    EXPECT_NEAR(b.max[0], x1, 1e-4f);
    EXPECT_NEAR(b.max[1], y1, 1e-4f);
}

TEST_F(DoorAndDartboardTest, DoorPanelLiesInFrontOfItsWiderFrame) {
    const auto polygons = capturePolygons(drawDoor, 10);
    const auto panel = flatAt(polygons, 0.0f);
    EXPECT_NEAR(areaInZPlane(panel), 32.0f, 1e-3f);
    expectBounds2D(panel, 0, 0, 4, 8);
    // The frame is 0.0005 further from the viewer on the -z side.
    const auto frame = flatAt(polygons, 0.0005f);
    ASSERT_FALSE(frame.empty());
    EXPECT_NEAR(areaInZPlane(frame), 4.1f * 8.1f, 1e-3f);
    expectBounds2D(frame, -0.05f, -0.05f, 4.05f, 8.05f);
}

// The bar's end points, 0.45 down a 45-degree line from (x, 3.5, 0) on the panel.
const float kBarDrop = 0.45f * std::sqrt(0.5f);

TEST_F(DoorAndDartboardTest, PushBarStandsOutFromThePanelOnItsBrackets) {
    const auto polygons = capturePolygons(drawDoor, 10);
    const Vec3 leftEnd{0.25f, 3.5f - kBarDrop, -kBarDrop};
    const Vec3 rightEnd{3.75f, 3.5f - kBarDrop, -kBarDrop};

    // The bar's middle: clear of both ends' balls and brackets.
    std::vector<Polygon> bar, leftBracket, rightBracket;
    for (const Polygon& p : polygons) {
        bool middle = true, nearLeft = true, nearRight = true, pastBall = false;
        for (const Vec3& v : p) {
            middle = middle && v[0] > 0.4f && v[0] < 3.6f && v[2] < -0.01f;
            nearLeft = nearLeft && std::fabs(v[0] - 0.25f) < 0.15f;
            nearRight = nearRight && std::fabs(v[0] - 3.75f) < 0.15f;
            pastBall = pastBall || std::min(distance(v, leftEnd), distance(v, rightEnd)) > 0.06f;
        }
        if (middle) {
            bar.push_back(p);
        } else if (nearLeft && pastBall) {
            leftBracket.push_back(p);
        } else if (nearRight && pastBall) {
            rightBracket.push_back(p);
        }
    }
    ASSERT_FALSE(bar.empty());
    const Vec3 axis = meanVertex(bar);
    EXPECT_NEAR(axis[1], 3.1818f, 1e-3f);
    EXPECT_NEAR(axis[2], -0.3182f, 1e-3f);
    for (const Polygon& p : bar) {
        for (const Vec3& v : p) {
            EXPECT_NEAR(std::hypot(v[1] - axis[1], v[2] - axis[2]), 0.05f, 1e-4f);
        }
    }
    // Each bracket runs from its bar end to the panel at height 3.5: its vertices
    // centre on the midpoint of that line.
    ASSERT_FALSE(leftBracket.empty());
    ASSERT_FALSE(rightBracket.empty());
    for (const auto& [bracket, end] :
         {std::make_pair(leftBracket, leftEnd), std::make_pair(rightBracket, rightEnd)}) {
        const Vec3 mid = meanVertex(bracket);
        EXPECT_NEAR(2 * mid[0] - end[0], end[0], 1e-3f);
        EXPECT_NEAR(2 * mid[1] - end[1], 3.5f, 1e-3f);
        EXPECT_NEAR(2 * mid[2] - end[2], 0.0f, 1e-3f);
    }
}

TEST_F(DoorAndDartboardTest, DartboardFaceRimAndBack) {
    const auto unit = capturePolygons([] { drawDartboard(1, 1, 1); }, 10);
    const Bounds all = boundsOf(unit);
    EXPECT_NEAR(all.min[2], 0.0f, 1e-4f);
    EXPECT_NEAR(all.max[2], 0.2f, 1e-4f);
    expectBounds2D(flatAt(unit, 0.2f), -1, -1, 1, 1);
    expectBounds2D(flatAt(unit, 0.0f), -1, -1, 1, 1);

    // Scaled, the face follows sz and the disk stretches along x and y.
    const auto scaled = capturePolygons([] { drawDartboard(0.5f, 2, 3); }, 10);
    EXPECT_NEAR(boundsOf(scaled).max[2], 0.6f, 1e-4f);
    expectBounds2D(flatAt(scaled, 0.6f), -0.5f, -2, 0.5f, 2);
    expectBounds2D(flatAt(scaled, 0.0f), -0.5f, -2, 0.5f, 2);
}

void expectMaterial(const Material& expected) {
    const auto m = currentMaterial();
    const float* e = &expected.ambient[0];
    for (int i = 0; i < 17; ++i) {
        EXPECT_FLOAT_EQ(m[i], e[i]) << "component " << i;
    }
}

TEST_F(DoorAndDartboardTest, RoutinesRestoreMatrixAndLeaveTheirMaterial) {
    const int depth = modelviewDepth();
    drawDoor();
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    expectMaterial(chromeMaterial);

    drawDartboard(1, 1, 1);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    expectMaterial(woodMaterial);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A front view (looking along -z) of x -1.5..1.5, y -1..1, lit by one white
// light from the viewer. Restores the projection and lighting on destruction.
class FrontView {
   public:
    FrontView() {
        glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.5, 1.5, -1, 1, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        for (GLenum light = GL_LIGHT1; light <= GL_LIGHT6; ++light) {
            glDisable(light);
        }
        const GLfloat position[] = {0, 0, 1, 0};
        const GLfloat white[] = {1, 1, 1, 1};
        const GLfloat black[] = {0, 0, 0, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, black);
        glLightfv(GL_LIGHT0, GL_AMBIENT, black);
        glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180);
        glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1);
        glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0);
        glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0);
        glEnable(GL_LIGHT0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    ~FrontView() {
        glPopAttrib();
        reshape(windowWidth, windowHeight);
        glLoadIdentity();
    }
    std::array<unsigned char, 3> at(float x, float y) const {
        const float perUnit = static_cast<float>(windowHeight) / 2.0f;
        return readPixel(static_cast<int>((x + 1.5f) * perUnit),
                         static_cast<int>((y + 1.0f) * perUnit));
    }
};

// Swaps a texture name into textures[3] for one test and puts the old one back.
class DartboardTexture {
   public:
    explicit DartboardTexture(GLuint name) : saved_(textures[3]) {
        textures[3] = name;
    }
    ~DartboardTexture() {
        textures[3] = saved_;
    }

   private:
    GLuint saved_;
};

TEST_F(DoorAndDartboardTest, DartboardTurnLaysTheImageAlongTheWall) {
    ASSERT_EQ(windowWidth * 2, windowHeight * 3) << "the view assumes a 3:2 window";
    // A 2 by 2 image: bottom row red, green; top row blue, white.
    const unsigned char texels[] = {255, 0, 0,   255, 0,   255, 0,   255,
                                    0,   0, 255, 255, 255, 255, 255, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    {
        DartboardTexture swap(name);
        FrontView view;
        drawDartboard(1, 1, 1);
        // The image's horizontal runs along +y, its vertical along -x.
        const auto red = view.at(0.5f, -0.5f);
        const auto green = view.at(0.5f, 0.5f);
        const auto blue = view.at(-0.5f, -0.5f);
        const auto white = view.at(-0.5f, 0.5f);
        EXPECT_GT(red[0], 200);
        EXPECT_LT(red[1], 50);
        EXPECT_LT(red[2], 50);
        EXPECT_GT(green[1], 200);
        EXPECT_LT(green[0], 50);
        EXPECT_LT(green[2], 50);
        EXPECT_GT(blue[2], 200);
        EXPECT_LT(blue[0], 50);
        EXPECT_LT(blue[1], 50);
        EXPECT_GT(white[0], 200);
        EXPECT_GT(white[1], 200);
        EXPECT_GT(white[2], 200);
    }
    glDeleteTextures(1, &name);
}

TEST_F(DoorAndDartboardTest, DartboardFaceShowsTheDartboardImage) {
    const std::string assets = VELLMOOR_ASSETS_DIR;
    if (access((assets + "/dartboard.tga").c_str(), R_OK) != 0) {
        GTEST_SKIP() << "no " << assets << "/dartboard.tga to load";
    }
    ASSERT_EQ(windowWidth * 2, windowHeight * 3) << "the view assumes a 3:2 window";
    DartboardTexture swap(0);
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(assets.c_str()), 0);
    loadTGA("dartboard.tga", 3);
    ASSERT_EQ(chdir(cwd), 0);
    ASSERT_NE(textures[3], 0u);

    // A lit white face with no image is one flat colour; the image varies it.
    FrontView view;
    drawDartboard(1, 1, 1);
    int lowest = 255 * 3, highest = 0;
    for (float x = -0.7f; x <= 0.7f; x += 0.1f) {
        for (float y = -0.7f; y <= 0.7f; y += 0.1f) {
            const auto rgb = view.at(x, y);
            lowest = std::min(lowest, rgb[0] + rgb[1] + rgb[2]);
            highest = std::max(highest, rgb[0] + rgb[1] + rgb[2]);
        }
    }
    EXPECT_GT(highest - lowest, 60) << "the face shows no image";
    glDeleteTextures(1, &textures[3]);
}

}  // namespace
