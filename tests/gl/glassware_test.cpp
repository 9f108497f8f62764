#include "models/glassware.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "app/window.h"
#include "light/material.h"
#include "support/gl_capture.h"
#include "texture/textures.h"

namespace {

const float kPi = 3.14159265f;

class GlasswareTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
};

// How far inside its true radius a circle of the given slices may be reached.
float sliceTolerance(float radius, int slices) {
    return radius * (1.0f - std::cos(kPi / static_cast<float>(slices))) + 1e-4f;
}

float radiusOf(const Vec3& v) {
    return std::hypot(v[0], v[2]);
}

// The distinct radii (to 1e-4) of every vertex at height y.
std::set<long> radiiAtHeight(const std::vector<Polygon>& polygons, float y) {
    std::set<long> radii;
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            if (std::fabs(v[1] - y) < 1e-4f) {
                radii.insert(std::lround(radiusOf(v) * 1e4f));
            }
        }
    }
    return radii;
}

float maxRadius(const std::vector<Polygon>& polygons) {
    float r = 0;
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            r = std::max(r, radiusOf(v));
        }
    }
    return r;
}

// Checks height (y from 0) and half-widths across x and z of a 30-slice object.
void expectExtent(const std::vector<Polygon>& polygons, float height, float rx, float rz) {
    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.min[1], 0.0f, 1e-4f);
    EXPECT_NEAR(b.max[1], height, 1e-4f);
    EXPECT_NEAR(b.max[0], rx, sliceTolerance(rx, 30));
    EXPECT_NEAR(-b.min[0], rx, sliceTolerance(rx, 30));
    EXPECT_NEAR(b.max[2], rz, sliceTolerance(rz, 30));
    EXPECT_NEAR(-b.min[2], rz, sliceTolerance(rz, 30));
}

TEST_F(GlasswareTest, BottleScaleTakesHeightFromTheThirdArgument) {
    expectExtent(capturePolygons([] { drawBottle(0.15f, 0.15f, 0.24f); }, 2), 1.152f, 0.15f, 0.15f);
    // Unequal first and second arguments: the second scales depth (z), the third height.
    expectExtent(capturePolygons([] { drawBottle(0.1f, 0.2f, 0.24f); }, 2), 1.152f, 0.1f, 0.2f);
    expectExtent(capturePolygons([] { drawLabelBottle(0.1f, 0.2f, 0.24f); }, 2), 1.152f, 0.1f,
                 0.2f);
}

TEST_F(GlasswareTest, DecanterAndGlassAtTheSceneArguments) {
    expectExtent(capturePolygons([] { drawDecanter(0.15f, 0.15f, 0.21f); }, 2), 0.903f, 0.15f,
                 0.15f);
    // The glass is widest at its foot, 1.5 across-units.
    const auto glass = capturePolygons([] { drawGlass(0.15f, 0.15f, 0.24f); }, 2);
    expectExtent(glass, 0.888f, 0.225f, 0.225f);
    EXPECT_NEAR(maxRadius(glass), 0.225f, 1e-4f);
}

TEST_F(GlasswareTest, BottleLipRingIsFlushWithBothMouths) {
    for (auto draw : {drawBottle, drawLabelBottle}) {
        const auto polygons = capturePolygons([&] { draw(1, 1, 1); }, 10);
        EXPECT_NEAR(boundsOf(polygons).max[1], 4.8f, 1e-4f);
        // At the mouth only the two run ends meet, joined by the ring's 5 loops.
        const auto mouth = radiiAtHeight(polygons, 4.8f);
        ASSERT_EQ(mouth.size(), 6u);
        EXPECT_EQ(*mouth.begin(), 1035);
        EXPECT_EQ(*mouth.rbegin(), 1979);
        EXPECT_NEAR(maxRadius(polygons), 1.0f, 1e-4f);
    }
}

TEST_F(GlasswareTest, DecanterHasWaistLiquidAndFlushLip) {
    const auto polygons = capturePolygons([] { drawDecanter(1, 1, 1); }, 10);
    EXPECT_NEAR(boundsOf(polygons).max[1], 4.3f, 1e-4f);
    // The lip ring with 10 loops between the two mouths.
    const auto mouth = radiiAtHeight(polygons, 4.3f);
    ASSERT_EQ(mouth.size(), 11u);
    EXPECT_EQ(*mouth.begin(), 1144);
    EXPECT_EQ(*mouth.rbegin(), 2138);
    // Outer waist 0.7 at height 1, inner waist 0.595 at height 1 too.
    EXPECT_EQ(radiiAtHeight(polygons, 1.0f), (std::set<long>{5950, 7000}));
    // At height 2 the outer wall (1), the inner wall (0.85) and the liquid surface disk,
    // whose 20 loops put rings every 0.0425 from the centre.
    const auto atTwo = radiiAtHeight(polygons, 2.0f);
    EXPECT_EQ(atTwo.count(0), 1u);
    EXPECT_EQ(atTwo.count(425), 1u);
    EXPECT_EQ(atTwo.count(8500), 1u);
    EXPECT_EQ(atTwo.count(10000), 1u);
}

TEST_F(GlasswareTest, GlassIsOneOpenSurfaceFromFootToRim) {
    const auto polygons = capturePolygons([] { drawGlass(1, 1, 1); }, 10);
    EXPECT_NEAR(boundsOf(polygons).max[1], 3.7f, 1e-4f);
    // The rim is open: only the last bowl segment's top ring is there.
    EXPECT_EQ(radiiAtHeight(polygons, 3.7f), (std::set<long>{10833}));
    // The stem's thinnest point is where the bowl begins.
    EXPECT_EQ(radiiAtHeight(polygons, 2.5f), (std::set<long>{218}));
    // The foot disk's 5 loops and the stem's first cone from its edge.
    EXPECT_EQ(radiiAtHeight(polygons, 0.0f), (std::set<long>{0, 3000, 6000, 9000, 12000, 15000}));
    EXPECT_EQ(radiiAtHeight(polygons, 0.25f), (std::set<long>{10000}));
}

void expectMaterial(const Material& expected) {
    const auto m = currentMaterial();
    const float* e = &expected.ambient[0];
    for (int i = 0; i < 17; ++i) {
        EXPECT_FLOAT_EQ(m[i], e[i]) << "component " << i;
    }
}

TEST_F(GlasswareTest, RoutinesRestoreMatrixAndTexturingAndEndOnTheirGlass) {
    struct Case {
        void (*draw)(float, float, float);
        const Material* glass;
    };
    for (const Case c :
         {Case{drawBottle, &greenGlassMaterial}, Case{drawLabelBottle, &greenGlassMaterial},
          Case{drawDecanter, &smokedGlassMaterial}, Case{drawGlass, &clearGlassMaterial}}) {
        setMaterial(&whiteMaterial);
        glDepthMask(GL_FALSE);
        const int depth = modelviewDepth();
        c.draw(0.15f, 0.15f, 0.24f);
        EXPECT_EQ(modelviewDepth(), depth);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        GLboolean depthWrites = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_EQ(depthWrites, GL_FALSE);
        expectMaterial(*c.glass);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    glDepthMask(GL_TRUE);
}

// An orthographic front view (looking along -z) of x -0.9..0.9, y -0.1..1.1 in
// the translucent pass, lit by one white light from the viewer. Restores the
// projection and the lighting, blending and depth state on destruction.
class TranslucentView {
   public:
    TranslucentView() {
        glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.9, 0.9, -0.1, 1.1, -5, 5);
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
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    ~TranslucentView() {
        glPopAttrib();
        reshape(windowWidth, windowHeight);
        glLoadIdentity();
    }
    // Clears to a grey level and enters the pass with depth writes off.
    void clear(float grey) {
        glDepthMask(GL_TRUE);
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDepthMask(GL_FALSE);
    }
    // The pixel showing the point (x, y) of the z = 0 plane.
    std::array<unsigned char, 3> at(float x, float y) const {
        const float perUnit = static_cast<float>(windowHeight) / 1.2f;
        return readPixel(static_cast<int>((x + 0.9f) * perUnit),
                         static_cast<int>((y + 0.1f) * perUnit));
    }
};

bool differ(const std::array<unsigned char, 3>& a, const std::array<unsigned char, 3>& b) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a[i] - b[i]) > 2) {
            return true;
        }
    }
    return false;
}

TEST_F(GlasswareTest, GlassInFrontOfBottleShowsBoth) {
    ASSERT_EQ(windowWidth * 2, windowHeight * 3) << "the view assumes a 3:2 window";
    TranslucentView view;
    // At height 0.8 both the bottle's shoulder and the glass's bowl cover x = 0.02.
    auto drawGlassInFront = [] {
        glPushMatrix();
        glTranslatef(0, 0, 0.5f);
        drawGlass(0.15f, 0.15f, 0.24f);
        glPopMatrix();
    };
    view.clear(0.5f);
    const auto background = view.at(0.02f, 0.8f);
    drawBottle(0.15f, 0.15f, 0.24f);
    const auto bottle = view.at(0.02f, 0.8f);
    view.clear(0.5f);
    drawGlassInFront();
    const auto glass = view.at(0.02f, 0.8f);
    view.clear(0.5f);
    drawBottle(0.15f, 0.15f, 0.24f);
    drawGlassInFront();
    const auto both = view.at(0.02f, 0.8f);

    EXPECT_TRUE(differ(bottle, background));
    EXPECT_TRUE(differ(glass, background));
    EXPECT_TRUE(differ(both, bottle));
    EXPECT_TRUE(differ(both, glass));
}

TEST_F(GlasswareTest, LabelBandHidesWhatIsBehindIt) {
    ASSERT_EQ(windowWidth * 2, windowHeight * 3) << "the view assumes a 3:2 window";
    TranslucentView view;
    // Mid-height of the body, 0.36 up, just off the axis.
    const float x = 0.02f, y = 0.36f;

    // The band alone, as an opaque chrome cylinder with the label's texture.
    view.clear(0.5f);
    GLUquadric* quadric = gluNewQuadric();
    glPushMatrix();
    glScalef(0.15f, 0.24f, 0.15f);
    glRotatef(-90, 1, 0, 0);
    setMaterial(&chromeMaterial);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glEnable(GL_TEXTURE_2D);
    gluQuadricTexture(quadric, GL_TRUE);
    gluCylinder(quadric, 1, 1, 3, 30, 30);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    gluDeleteQuadric(quadric);
    const auto band = view.at(x, y);

    // The labelled bottle on two backgrounds: its inner skin and far side,
    // drawn after the band, and the background both stay hidden.
    view.clear(0.5f);
    drawLabelBottle(0.15f, 0.15f, 0.24f);
    const auto onGrey = view.at(x, y);
    view.clear(1.0f);
    drawLabelBottle(0.15f, 0.15f, 0.24f);
    const auto onWhite = view.at(x, y);
    EXPECT_FALSE(differ(onGrey, band));
    EXPECT_FALSE(differ(onWhite, band));

    // A plain bottle shows its background through the same point.
    view.clear(0.5f);
    drawBottle(0.15f, 0.15f, 0.24f);
    const auto plainOnGrey = view.at(x, y);
    view.clear(1.0f);
    drawBottle(0.15f, 0.15f, 0.24f);
    EXPECT_TRUE(differ(plainOnGrey, view.at(x, y)));
}

}  // namespace
