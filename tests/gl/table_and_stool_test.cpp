#include "models/table_and_stool.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "light/material.h"
#include "support/gl_capture.h"
#include "support/gl_texcoord_capture.h"
#include "support/model_checks.h"
#include "texture/textures.h"

namespace {

const float kEps = 1e-3f;

class TableAndStoolTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
};

// Polygons whose every vertex has y within kEps of the given height.
std::vector<Polygon> flatAt(const std::vector<Polygon>& polygons, float y) {
    std::vector<Polygon> flat;
    for (const Polygon& p : polygons) {
        bool all = true;
        for (const Vec3& v : p) {
            all = all && std::fabs(v[1] - y) < kEps;
        }
        if (all) {
            flat.push_back(p);
        }
    }
    return flat;
}

float horizontalRadius(const Vec3& v) {
    return std::hypot(v[0], v[2]);
}

// Expects the bounds of a draw at scale s to be those at scale 1 stretched by s
// along each axis: the lift is in sy units, so nothing slides off the floor.
void expectScaledBounds(const Bounds& unit, const Bounds& scaled, const Vec3& s) {
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(scaled.min[a], unit.min[a] * s[a], 2e-3f) << "axis " << a;
        EXPECT_NEAR(scaled.max[a], unit.max[a] * s[a], 2e-3f) << "axis " << a;
    }
}

// Temporarily gives textures[index] a real texture name, so the binding that a
// routine leaves behind can be told apart from the default texture.
class ScopedTextureName {
   public:
    explicit ScopedTextureName(int index) : index_(index), saved_(textures[index]) {
        glGenTextures(1, &name_);
        textures[index_] = name_;
    }
    ~ScopedTextureName() {
        textures[index_] = saved_;
        glDeleteTextures(1, &name_);
    }
    GLuint name() const {
        return name_;
    }

   private:
    int index_;
    GLuint saved_;
    GLuint name_ = 0;
};

// ---- Round table ----

TEST_F(TableAndStoolTest, RoundTableTopAtSceneScale) {
    const auto polygons = capturePolygons([] { drawRoundTable(1.25f, 1.25f, 1.25f); }, 10.0f);
    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.max[1], 2.625f, kEps);

    // The upper face and the underside 0.25 below it are disks of radius 2.5.
    for (float y : {2.625f, 2.375f}) {
        const auto face = flatAt(polygons, y);
        ASSERT_FALSE(face.empty()) << "no face at y = " << y;
        float outer = 0.0f;
        for (const Polygon& p : face) {
            for (const Vec3& v : p) {
                outer = std::fmax(outer, horizontalRadius(v));
            }
        }
        EXPECT_NEAR(outer, 2.5f, kEps) << "face at y = " << y;
    }

    // The column's surface (radius 0.25) runs from the underside down to 0.375.
    float columnLow = 100.0f, columnHigh = -100.0f;
    for (const Polygon& p : polygons) {
        bool onColumn = true;
        for (const Vec3& v : p) {
            onColumn = onColumn && std::fabs(horizontalRadius(v) - 0.25f) < kEps;
        }
        if (onColumn) {
            for (const Vec3& v : p) {
                columnLow = std::fmin(columnLow, v[1]);
                columnHigh = std::fmax(columnHigh, v[1]);
            }
        }
    }
    EXPECT_NEAR(columnLow, 0.375f, kEps);
    EXPECT_NEAR(columnHigh, 2.375f, kEps);
}

TEST_F(TableAndStoolTest, RoundTableFeetPointTowardMinusZAndRepeatEvery120Degrees) {
    const auto polygons = capturePolygons([] { drawRoundTable(1.25f, 1.25f, 1.25f); }, 10.0f);

    // The vertices near the floor belong to the three foot ends.
    std::vector<Vec3> low;
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            if (v[1] < 0.15f) {
                low.push_back(v);
            }
        }
    }
    ASSERT_FALSE(low.empty());

    // Each lies within a few degrees of one foot's direction, measured from -z
    // toward +x: 0 for the first foot, +120 and -120 for the others.
    int perFoot[3] = {0, 0, 0};
    int astray = 0;
    for (const Vec3& v : low) {
        const double angle = std::atan2(v[0], -v[2]) * 180.0 / M_PI;
        const double targets[3] = {0.0, 120.0, -120.0};
        bool matched = false;
        for (int f = 0; f < 3; ++f) {
            if (std::fabs(angle - targets[f]) < 5.0) {
                ++perFoot[f];
                matched = true;
            }
        }
        astray += matched ? 0 : 1;
    }
    EXPECT_EQ(astray, 0) << "low vertices off the three foot directions";
    EXPECT_GT(perFoot[0], 0);
    EXPECT_GT(perFoot[1], 0);
    EXPECT_GT(perFoot[2], 0);

    // The first foot's ball reaches furthest toward -z, on the x = 0 line,
    // about (2 sin 80 + 0.1) x 1.25 from the axis.
    const Bounds b = boundsOf(polygons);
    EXPECT_NEAR(b.min[2], -2.587f, 0.01f);
    EXPECT_NEAR(b.min[1], -0.0592f, 0.015f);

    // A turn of 120 degrees about y carries every low vertex onto another one.
    const float c = std::cos(2.0f * static_cast<float>(M_PI) / 3.0f);
    const float s = std::sin(2.0f * static_cast<float>(M_PI) / 3.0f);
    for (const Vec3& v : low) {
        const Vec3 turned{c * v[0] + s * v[2], v[1], -s * v[0] + c * v[2]};
        float nearest = 100.0f;
        for (const Vec3& w : low) {
            nearest = std::fmin(nearest,
                                std::hypot(turned[0] - w[0], turned[1] - w[1], turned[2] - w[2]));
        }
        ASSERT_LT(nearest, 2e-3f);
    }
}

TEST_F(TableAndStoolTest, RoundTableStretchesWithItsScaleAndKeepsTopAtLift) {
    const Bounds unit = boundsOf(capturePolygons([] { drawRoundTable(1, 1, 1); }, 10.0f));
    EXPECT_NEAR(unit.max[1], 2.1f, kEps);
    EXPECT_NEAR(unit.max[2], 2.0f, kEps);
    const Vec3 scale{1.5f, 2.0f, 0.5f};
    const Bounds scaled =
        boundsOf(capturePolygons([&] { drawRoundTable(scale[0], scale[1], scale[2]); }, 10.0f));
    EXPECT_NEAR(scaled.max[1], 4.2f, kEps);
    expectScaledBounds(unit, scaled, scale);
}

// ---- Stool ----

TEST_F(TableAndStoolTest, StoolSeatTopAndFloorCapsForSeveralScales) {
    const Vec3 scales[] = {{0.75f, 0.75f, 0.75f}, {1, 1, 1}, {1.2f, 1.6f, 0.9f}, {2, 0.5f, 1}};
    for (const Vec3& s : scales) {
        SCOPED_TRACE(testing::Message() << "scale " << s[0] << ", " << s[1] << ", " << s[2]);
        const auto polygons = capturePolygons([&] { drawStool(s[0], s[1], s[2]); }, 10.0f);
        const Bounds b = boundsOf(polygons);
        EXPECT_NEAR(b.max[1], 4.04f * s[1], kEps);
        EXPECT_NEAR(b.min[1], 0.0f, kEps);
        EXPECT_FALSE(flatAt(polygons, 4.04f * s[1]).empty());

        // Cap disks on the floor, under the four lower legs at (+-0.77, +-0.77).
        const auto caps = flatAt(polygons, 0.0f);
        std::set<int> corners;
        for (const Polygon& p : caps) {
            const Vec3 c = centroidOf(p);
            const float cx = c[0] > 0 ? 0.77f : -0.77f;
            const float cz = c[2] > 0 ? 0.77f : -0.77f;
            for (const Vec3& v : p) {
                EXPECT_LE(std::hypot(v[0] / s[0] - cx, v[2] / s[2] - cz), 0.15f + kEps);
            }
            corners.insert((c[0] > 0 ? 1 : 0) + (c[2] > 0 ? 2 : 0));
        }
        EXPECT_EQ(corners.size(), 4u);
    }
}

TEST_F(TableAndStoolTest, StoolStretchesWithItsScale) {
    const Bounds unit = boundsOf(capturePolygons([] { drawStool(1, 1, 1); }, 10.0f));
    const Vec3 scale{0.5f, 1.5f, 2.0f};
    const Bounds scaled =
        boundsOf(capturePolygons([&] { drawStool(scale[0], scale[1], scale[2]); }, 10.0f));
    expectScaledBounds(unit, scaled, scale);
}

TEST_F(TableAndStoolTest, StoolLegPiecesFollowTheirAxes) {
    const auto polygons = capturePolygons([] { drawStool(1, 1, 1); }, 10.0f);

    // Axis segments of the three pieces of the leg in each corner (signs of x, z).
    struct Band {
        const char* name;
        float low;
        float high;
        Vec3 top;
        Vec3 bottom;
    };
    const Band bands[] = {
        // Only the upper vertical pieces lie between the foot ring and the seat.
        {"upper", 2.43f, 3.63f, {0.5f, 3.64f, 0.5f}, {0.5f, 2.14f, 0.5f}},
        // Only the splayed pieces lie between the lower pieces and the foot ring.
        {"splayed", 1.51f, 2.05f, {0.4532f, 2.3392f, 0.4532f}, {0.7520f, 1.4329f, 0.7520f}},
        {"lower", -0.01f, 1.49f, {0.77f, 1.5f, 0.77f}, {0.77f, 0.0f, 0.77f}},
    };
    for (const Band& band : bands) {
        SCOPED_TRACE(band.name);
        std::set<int> corners;
        for (const Polygon& p : polygons) {
            bool inside = true;
            for (const Vec3& v : p) {
                inside = inside && v[1] > band.low && v[1] < band.high;
            }
            if (!inside) {
                continue;
            }
            const Vec3 c = centroidOf(p);
            const float sx = c[0] > 0 ? 1.0f : -1.0f;
            const float sz = c[2] > 0 ? 1.0f : -1.0f;
            const Vec3 top{sx * band.top[0], band.top[1], sz * band.top[2]};
            const Vec3 bottom{sx * band.bottom[0], band.bottom[1], sz * band.bottom[2]};
            EXPECT_LE(distanceToSegment(c, top, bottom), 0.15f + kEps)
                << "centroid " << c[0] << ", " << c[1] << ", " << c[2];
            corners.insert((sx > 0 ? 1 : 0) + (sz > 0 ? 2 : 0));
        }
        EXPECT_EQ(corners.size(), 4u);
    }
}

TEST_F(TableAndStoolTest, StoolFootRingIsFlatAtItsHeight) {
    const auto polygons = capturePolygons([] { drawStool(1, 1, 1); }, 10.0f);
    // Along +x the legs (on the diagonals) are out of the way: below the seat,
    // anything there is the ring, whose tube (radius 0.18) is centred 0.7 out
    // at height 2.24.
    float outer = 0.0f;
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            if (std::fabs(v[2]) < 0.05f && v[0] > 0.3f && v[1] < 3.6f) {
                EXPECT_LE(std::hypot(std::hypot(v[0], v[2]) - 0.7f, v[1] - 2.24f), 0.18f + kEps);
                outer = std::fmax(outer, v[0]);
            }
        }
    }
    EXPECT_NEAR(outer, 0.88f, 2e-3f);
}

// ---- Both routines ----

struct Routine {
    const char* name;
    void (*draw)(float, float, float);
    float scale;
    int woodTexture;
    float top;     // upper face of the wooden part
    float bottom;  // its underside
    float radius;  // its radius
};
const Routine kRoutines[] = {
    {"round table", drawRoundTable, 1.25f, 2, 2.625f, 2.375f, 2.5f},
    {"stool", drawStool, 0.75f, 1, 3.03f, 2.73f, 0.75f},
};

TEST_F(TableAndStoolTest, RoutinesLeaveTheStatePromised) {
    for (const Routine& r : kRoutines) {
        SCOPED_TRACE(r.name);
        resetSceneState();
        const ScopedTextureName wood(r.woodTexture);
        glPushMatrix();
        const int depth = modelviewDepth();
        r.draw(r.scale, r.scale, r.scale);
        EXPECT_EQ(modelviewDepth(), depth);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(currentMaterial(), floatsOf(chromeMaterial));
        EXPECT_EQ(currentColor(), (std::array<float, 4>{1, 1, 1, 1}));
        EXPECT_EQ(boundTexture2D(), static_cast<GLint>(wood.name()));
        EXPECT_EQ(frontFace(), GL_CCW);
        glPopMatrix();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(TableAndStoolTest, CompiledListsLeaveTheModelviewUnchanged) {
    for (const Routine& r : kRoutines) {
        SCOPED_TRACE(r.name);
        resetSceneState();
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        r.draw(r.scale, r.scale, r.scale);
        glEndList();

        glTranslatef(3.0f, -2.0f, 5.0f);
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
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
}

TEST_F(TableAndStoolTest, WoodenPartsCarryTextureCoordinates) {
    for (const Routine& r : kRoutines) {
        SCOPED_TRACE(r.name);
        glTexCoord2f(0.25f, 0.75f);
        const auto polygons =
            captureTexturedPolygons([&] { r.draw(r.scale, r.scale, r.scale); }, 10.0f);
        // Upper face, underside and edge: each must show texture coordinates
        // varying across it, not one coordinate left over from before.
        std::set<std::pair<float, float>> top, bottom, edge;
        for (const TexturedPolygon& p : polygons) {
            bool atTop = true, atBottom = true, onEdge = true;
            for (const TexturedVertex& v : p) {
                atTop = atTop && std::fabs(v.position[1] - r.top) < kEps;
                atBottom = atBottom && std::fabs(v.position[1] - r.bottom) < kEps;
                onEdge = onEdge && std::fabs(horizontalRadius(v.position) - r.radius) < kEps &&
                         v.position[1] > r.bottom - kEps && v.position[1] < r.top + kEps;
            }
            for (const TexturedVertex& v : p) {
                const std::pair<float, float> st{v.s, v.t};
                if (atTop) {
                    top.insert(st);
                } else if (atBottom) {
                    bottom.insert(st);
                } else if (onEdge) {
                    edge.insert(st);
                }
            }
        }
        EXPECT_GT(top.size(), 30u);
        EXPECT_GT(bottom.size(), 30u);
        EXPECT_GT(edge.size(), 30u);
    }
}

// ---- Pixels of the textured table top ----

// Draws the table at the scene's scale, seen straight from above in a 400 x 400
// viewport under one white light shining down, and returns the summed RGB of
// the central 200 x 200 pixels, all of which lie on the top.
std::vector<int> tableTopFromAbove() {
    glPushAttrib(GL_LIGHTING_BIT | GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
    for (GLenum light = GL_LIGHT1; light <= GL_LIGHT6; ++light) {
        glDisable(light);
    }
    glEnable(GL_LIGHT0);
    const GLfloat black[] = {0, 0, 0, 1};
    const GLfloat white[] = {1, 1, 1, 1};
    const GLfloat down[] = {0, 0, 1, 0};
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, black);
    glViewport(0, 0, 400, 400);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-3, 3, -3, 3, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Eye-space +z is toward the viewer; the turn below makes that world up.
    glLightfv(GL_LIGHT0, GL_POSITION, down);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    drawRoundTable(1.25f, 1.25f, 1.25f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    std::vector<unsigned char> rgb(200 * 200 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(100, 100, 200, 200, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPopAttrib();

    std::vector<int> sums;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        sums.push_back(rgb[i] + rgb[i + 1] + rgb[i + 2]);
    }
    return sums;
}

double meanOf(const std::vector<int>& v) {
    double sum = 0;
    for (int x : v) {
        sum += x;
    }
    return sum / static_cast<double>(v.size());
}

double deviationOf(const std::vector<int>& v) {
    const double mean = meanOf(v);
    double sum = 0;
    for (int x : v) {
        sum += (x - mean) * (x - mean);
    }
    return std::sqrt(sum / static_cast<double>(v.size()));
}

// The share of values equal to the most frequent one.
double commonestShare(const std::vector<int>& v) {
    std::map<int, int> counts;
    int most = 0;
    for (int x : v) {
        most = std::max(most, ++counts[x]);
    }
    return most / static_cast<double>(v.size());
}

TEST_F(TableAndStoolTest, WoodTextureShowsOnTheTableTop) {
    const std::string assets = VELLMOOR_ASSETS_DIR;
    if (access((assets + "/wood1.tga").c_str(), R_OK) != 0) {
        GTEST_SKIP() << assets << "/wood1.tga is missing: the textured table top is not checked";
    }
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(assets.c_str()), 0);
    const GLuint saved = textures[2];
    loadTGA("wood1.tga", 2);
    ASSERT_EQ(chdir(cwd), 0);
    const GLuint loaded = textures[2];
    ASSERT_NE(loaded, 0u) << "loadTGA gave the table-top wood no texture name";

    const std::vector<int> textured = tableTopFromAbove();
    // Texture name 0 is the default texture, which holds no image: the same
    // top is then drawn in plain lit wood.
    textures[2] = 0;
    const std::vector<int> plain = tableTopFromAbove();
    glDeleteTextures(1, &loaded);
    textures[2] = saved;

    // Plain wood under a light from straight above is one flat colour; the
    // grain makes the textured top vary from pixel to pixel. (The renderer may
    // leave a stray pixel or two, so flatness is judged by the commonest value.)
    EXPECT_GT(meanOf(plain), 50.0) << "the plain top is not lit";
    EXPECT_GT(commonestShare(plain), 0.99);
    EXPECT_LT(commonestShare(textured), 0.5);
    EXPECT_GT(deviationOf(textured), deviationOf(plain) + 3.0);
    EXPECT_GT(std::fabs(meanOf(textured) - meanOf(plain)), 1.0);
}

}  // namespace
