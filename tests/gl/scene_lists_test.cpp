#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "light/material.h"
#include "models/glassware.h"
#include "models/table_and_stool.h"
#include "scene/display_lists.h"
#include "scene/scene_pieces.h"
#include "support/gl_capture.h"
#include "support/model_checks.h"

namespace {

class SceneListsTest : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
    }
    void TearDown() override {
        resetSceneState();
    }
};

const double kPi = 3.14159265358979323846;

float distance(const Vec3& a, const Vec3& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

std::vector<Vec3> verticesOf(const std::vector<Polygon>& polygons) {
    std::vector<Vec3> all;
    for (const Polygon& p : polygons) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// Area of a polygon projected onto the plane of axes u and v.
float projectedArea(const Polygon& p, int u, int v) {
    float area = 0.0f;
    for (size_t k = 0; k < p.size(); ++k) {
        const Vec3& a = p[k];
        const Vec3& b = p[(k + 1) % p.size()];
        area += a[u] * b[v] - b[u] * a[v];
    }
    return std::fabs(area) / 2.0f;
}

bool horizontal(const Polygon& p) {
    for (const Vec3& v : p) {
        if (std::fabs(v[1] - p[0][1]) > 1e-4f) {
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

// The balls in the world, placed as the frame places them on the table at z -31.
std::vector<Polygon> ballsOnFirstTable() {
    return capturePolygons([] {
        glTranslatef(12.5f, 0.0f, -31.0f);
        drawPoolBalls();
    });
}

TEST_F(SceneListsTest, EveryPoolBallRestsOnTheFeltOfTheFirstTable) {
    const Vec3 centres[4] = {{13.5f, 2.66f, -30.0f},
                             {13.5f, 2.66f, -29.0f},
                             {11.5f, 2.66f, -32.0f},
                             {10.5f, 2.66f, -32.0f}};
    const auto polygons = ballsOnFirstTable();
    ASSERT_FALSE(polygons.empty());

    // Sort every vertex to the ball it lies on.
    std::vector<Vec3> onBall[4];
    for (const Vec3& v : verticesOf(polygons)) {
        int nearest = 0;
        for (int b = 1; b < 4; ++b) {
            if (distance(v, centres[b]) < distance(v, centres[nearest])) {
                nearest = b;
            }
        }
        EXPECT_NEAR(distance(v, centres[nearest]), 0.16f, 1e-4f);
        onBall[nearest].push_back(v);
    }

    // Ten slices round the polar (z) axis: the lowest vertex is on the equator
    // at sin 72 degrees of the radius below the centre; the sphere itself
    // reaches 0.16 below it, exactly to the felt.
    const float lowestVertex = 2.66f - 0.16f * static_cast<float>(std::sin(72.0 * kPi / 180.0));
    for (int b = 0; b < 4; ++b) {
        SCOPED_TRACE(b);
        ASSERT_FALSE(onBall[b].empty());
        const Bounds box = boundsOf({onBall[b]});
        const float radius = (box.max[2] - box.min[2]) / 2.0f;
        const float centreY = (box.max[1] + box.min[1]) / 2.0f;
        EXPECT_NEAR(radius, 0.16f, 1e-4f);
        EXPECT_NEAR(centreY - radius, 2.5f, 1e-4f);
        EXPECT_NEAR(box.min[1], lowestVertex, 1e-4f);
        EXPECT_NEAR((box.max[0] + box.min[0]) / 2.0f, centres[b][0], 1e-4f);
        EXPECT_NEAR((box.max[2] + box.min[2]) / 2.0f, centres[b][2], 1e-4f);
    }

    // All on the felt of the table at z -31 (x 7.83..17.17, z -33.33..-28.67),
    // nowhere near the table at z -46.
    const Bounds all = boundsOf(polygons);
    EXPECT_GT(all.min[0], 7.83f);
    EXPECT_LT(all.max[0], 17.17f);
    EXPECT_GT(all.min[2], -33.33f);
    EXPECT_LT(all.max[2], -28.67f);
    EXPECT_GT(all.min[2], -46.0f + 2.77f);
}

TEST_F(SceneListsTest, MirrorBallIsAUnitSphereWithFortySlicesRoundTheVertical) {
    const auto polygons = capturePolygons(drawMirrorBall);
    ASSERT_FALSE(polygons.empty());
    std::set<long> longitudes;
    for (const Vec3& v : verticesOf(polygons)) {
        EXPECT_NEAR(distance(v, Vec3{0, 0, 0}), 1.0f, 1e-4f);
        if (std::fabs(v[1]) < 0.999f) {
            longitudes.insert(std::lround(std::atan2(v[2], v[0]) * 180.0 / kPi * 10.0));
        }
    }
    // The poles are on the vertical axis; 40 meridians every 9 degrees.
    const Bounds box = boundsOf(polygons);
    EXPECT_NEAR(box.min[1], -1.0f, 1e-4f);
    EXPECT_NEAR(box.max[1], 1.0f, 1e-4f);
    std::set<long> wrapped;
    for (long tenths : longitudes) {
        wrapped.insert(((tenths % 3600) + 3600) % 3600);
    }
    EXPECT_EQ(wrapped.size(), 40u);
    for (long tenths : wrapped) {
        EXPECT_EQ(tenths % 90, 0) << tenths / 10.0 << " degrees";
    }
}

TEST_F(SceneListsTest, MirrorBallListRestoresShadingAndMaterial) {
    compileSceneOnce();
    setMaterial(&woodMaterial);
    glShadeModel(GL_SMOOTH);
    const int depth = modelviewDepth();
    glCallList(listMirrorBall);
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    expectMaterial(woodMaterial);
    EXPECT_EQ(modelviewDepth(), depth);
}

TEST_F(SceneListsTest, ShelfTopsAreAt4And5Point5And7AlongTheRightWall) {
    const auto polygons = capturePolygons([] {
        glTranslatef(33.0f, 0.0f, -56.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 4.0f, -7.0f);
        drawBackShelves();
    });
    ASSERT_FALSE(polygons.empty());
    // Horizontal area at each height, in tenths of a unit.
    std::map<long, float> areaAt;
    for (const Polygon& p : polygons) {
        if (horizontal(p)) {
            areaAt[std::lround(p[0][1] * 10.0f)] += projectedArea(p, 0, 2);
        }
    }
    const std::map<long, float> expected = {{39, 10.0f}, {40, 10.0f}, {54, 10.0f},
                                            {55, 10.0f}, {69, 10.0f}, {70, 10.0f}};
    ASSERT_EQ(areaAt.size(), expected.size());
    for (const auto& [tenths, area] : expected) {
        EXPECT_NEAR(areaAt[tenths], area, 1e-3f) << "at height " << tenths / 10.0;
    }
    // The planks are 1 deep from the right wall and 10 long from the back wall.
    const Bounds box = boundsOf(polygons);
    EXPECT_NEAR(box.min[0], 40.0f, 1e-4f);
    EXPECT_NEAR(box.max[0], 41.0f, 1e-4f);
    EXPECT_NEAR(box.min[2], -56.0f, 1e-4f);
    EXPECT_NEAR(box.max[2], -46.0f, 1e-4f);
    EXPECT_NEAR(box.min[1], 3.9f, 1e-4f);
    EXPECT_NEAR(box.max[1], 7.0f, 1e-4f);

    // Closed front edges face the room at x = 40 and ends at z = -46: 0.1 high each.
    float frontArea = 0.0f, endArea = 0.0f;
    for (const Polygon& p : polygons) {
        bool atFront = true, atEnd = true;
        for (const Vec3& v : p) {
            atFront = atFront && std::fabs(v[0] - 40.0f) < 1e-4f;
            atEnd = atEnd && std::fabs(v[2] + 46.0f) < 1e-4f;
        }
        if (atFront && !horizontal(p)) {
            frontArea += projectedArea(p, 1, 2);
        } else if (atEnd && !horizontal(p)) {
            endArea += projectedArea(p, 0, 1);
        }
    }
    EXPECT_NEAR(frontArea, 3.0f, 1e-3f);
    EXPECT_NEAR(endArea, 0.3f, 1e-3f);
}

TEST_F(SceneListsTest, PoolShadeIsAnOpenHoodBetweenItsTwoRims) {
    const auto polygons = capturePolygons(drawPoolShade);
    ASSERT_FALSE(polygons.empty());
    std::set<std::pair<long, long>> upperCorners, lowerCorners;
    for (const Vec3& v : verticesOf(polygons)) {
        const bool upper = std::fabs(v[1]) < 1e-4f;
        ASSERT_TRUE(upper || std::fabs(v[1] + 0.87f) < 1e-4f) << "y " << v[1];
        const float halfX = upper ? 1.25f : 1.75f;
        const float halfZ = upper ? 0.25f : 0.75f;
        // On the rim rectangle: inside it and on one of its edges.
        EXPECT_LE(std::fabs(v[0]), halfX + 1e-4f);
        EXPECT_LE(std::fabs(v[2]), halfZ + 1e-4f);
        const bool onEdge = std::fabs(std::fabs(v[0]) - halfX) < 1e-4f ||
                            std::fabs(std::fabs(v[2]) - halfZ) < 1e-4f;
        EXPECT_TRUE(onEdge) << v[0] << ", " << v[2];
        if (std::fabs(std::fabs(v[0]) - halfX) < 1e-4f &&
            std::fabs(std::fabs(v[2]) - halfZ) < 1e-4f) {
            (upper ? upperCorners : lowerCorners)
                .insert({std::lround(v[0] * 100), std::lround(v[2] * 100)});
        }
    }
    EXPECT_EQ(upperCorners.size(), 4u);
    EXPECT_EQ(lowerCorners.size(), 4u);

    // The sides cover their trapezoids once, with neither gaps nor overlaps:
    // long sides (2.5 + 3.5) / 2 * 0.87 seen along z, ends (0.5 + 1.5) / 2 * 0.87 along x.
    float sideArea = 0.0f, endArea = 0.0f;
    for (const Polygon& p : polygons) {
        sideArea += projectedArea(p, 0, 1);
        endArea += projectedArea(p, 1, 2);
    }
    EXPECT_NEAR(sideArea, 2 * 2.61f, 1e-3f);
    EXPECT_NEAR(endArea, 2 * 0.87f, 1e-3f);
}

TEST_F(SceneListsTest, PoolShadeListLeavesTheShadeMaterial) {
    compileSceneOnce();
    setMaterial(&woodMaterial);
    glCallList(listPoolShade);
    expectMaterial(greenShadeMaterial);
    GLfloat back[4];
    glGetMaterialfv(GL_BACK, GL_DIFFUSE, back);
    EXPECT_FLOAT_EQ(back[3], 0.5f);
}

// Glowing-ball vertices around a bulb centre and the highest of them.
float topOfBallAround(const std::vector<Polygon>& polygons, const Vec3& centre, float radius) {
    float top = -1e9f;
    int count = 0;
    for (const Vec3& v : verticesOf(polygons)) {
        if (std::fabs(distance(v, centre) - radius) < 1e-4f) {
            top = std::fmax(top, v[1]);
            ++count;
        }
    }
    EXPECT_GT(count, 0);
    return top;
}

TEST_F(SceneListsTest, PoolLampHasItsSphereAndTwoBulbsBelowTheSuspension) {
    const auto polygons = capturePolygons(drawPoolLamp);
    ASSERT_FALSE(polygons.empty());
    // The glowing sphere is centred 0.25 below; its poles lie along z.
    const Vec3 sphereCentre{0.0f, -0.25f, 0.0f};
    float sphereFar = 0.0f;
    for (const Vec3& v : verticesOf(polygons)) {
        if (std::fabs(distance(v, sphereCentre) - 0.2f) < 1e-4f && std::fabs(v[0]) < 0.21f) {
            sphereFar = std::fmax(sphereFar, std::fabs(v[2]));
        }
    }
    EXPECT_NEAR(sphereFar, 0.2f, 1e-4f);
    // Bulbs hang 0.8 to either side with their tops at -0.05, cords to 1.75.
    EXPECT_NEAR(topOfBallAround(polygons, {-0.8f, -0.25f, 0.0f}, 0.2f), -0.05f, 1e-4f);
    EXPECT_NEAR(topOfBallAround(polygons, {0.8f, -0.25f, 0.0f}, 0.2f), -0.05f, 1e-4f);
    const Bounds box = boundsOf(polygons);
    EXPECT_NEAR(box.max[1], 1.75f, 1e-4f);
    EXPECT_NEAR(box.min[1], -0.45f, 1e-4f);
}

TEST_F(SceneListsTest, TableBulbsAndShadesHangOverTheRoundTables) {
    const auto bulbs = capturePolygons(drawTableBulbs);
    EXPECT_NEAR(topOfBallAround(bulbs, {7.0f, 7.8f, -7.0f}, 0.2f), 8.0f, 1e-4f);
    EXPECT_NEAR(topOfBallAround(bulbs, {15.0f, 7.8f, -15.0f}, 0.2f), 8.0f, 1e-4f);

    const auto shades = capturePolygons(drawTableShades);
    ASSERT_FALSE(shades.empty());
    const Vec3 hangs[2] = {{7.0f, 8.0f, -7.0f}, {15.0f, 8.0f, -15.0f}};
    int rimVertices[2][2] = {{0, 0}, {0, 0}};
    for (const Vec3& v : verticesOf(shades)) {
        const int s = distance(v, hangs[0]) < distance(v, hangs[1]) ? 0 : 1;
        const float across = std::hypot(v[0] - hangs[s][0], v[2] - hangs[s][2]);
        if (std::fabs(v[1] - 8.0f) < 1e-4f) {
            EXPECT_NEAR(across, 0.25f, 1e-4f);
            ++rimVertices[s][0];
        } else if (std::fabs(v[1] - 7.0f) < 1e-4f) {
            EXPECT_NEAR(across, 1.5f, 1e-4f);
            ++rimVertices[s][1];
        }
    }
    for (int s = 0; s < 2; ++s) {
        EXPECT_GT(rimVertices[s][0], 0);
        EXPECT_GT(rimVertices[s][1], 0);
    }
}

// A marker for one glassware list: a right triangle at the origin whose legs
// along x and y are `size` long, so kind and turn can be read back.
GLuint markerList(float size) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(size, 0.0f, 0.0f);
    glVertex3f(0.0f, size, 0.0f);
    glEnd();
    glEndList();
    return list;
}

enum GlasswareKind { Bottle = 1, Label, Glass, Decanter };
struct PlacedGlassware {
    Vec3 at;     // the object's origin in the world
    Vec3 along;  // the object's own +x, as a world direction of length 1
    int kind;
};

// Draws drawBottleGroups with a marker in place of each glassware list and
// reads back where and how each of them was placed, in drawing order.
std::vector<PlacedGlassware> placedGlassware() {
    GLuint* handles[4] = {&listBottle, &listLabelBottle, &listGlass, &listDecanter};
    GLuint saved[4];
    for (int k = 0; k < 4; ++k) {
        saved[k] = *handles[k];
        *handles[k] = markerList(0.1f * static_cast<float>(k + 1));
    }
    const int depth = modelviewDepth();
    const auto polygons = capturePolygons(drawBottleGroups);
    EXPECT_EQ(modelviewDepth(), depth);
    for (int k = 0; k < 4; ++k) {
        glDeleteLists(*handles[k], 1);
        *handles[k] = saved[k];
    }

    std::vector<PlacedGlassware> placed;
    for (const Polygon& p : polygons) {
        EXPECT_EQ(p.size(), 3u);
        const float size = distance(p[0], p[1]);
        EXPECT_NEAR(p[2][1] - p[0][1], size, 1e-4f);  // markers stay upright
        const Vec3 along{(p[1][0] - p[0][0]) / size, (p[1][1] - p[0][1]) / size,
                         (p[1][2] - p[0][2]) / size};
        placed.push_back({p[0], along, static_cast<int>(std::lround(size / 0.1f))});
    }
    return placed;
}

TEST_F(SceneListsTest, BottleGroupsPlaceFifteenObjectsAtTheirSpots) {
    const auto placed = placedGlassware();

    struct Placed {
        Vec3 at;
        GlasswareKind kind;
    };
    const Placed expected[15] = {
        {{34, 4, -45}, Label},           {{34.3f, 4, -49}, Decanter},
        {{33.9f, 4, -52}, Glass},        {{33.9f, 4, -54}, Bottle},
        {{40.5f, 4, -47}, Label},        {{40.5f, 4, -48}, Label},
        {{40.5f, 5.5f, -48}, Glass},     {{40.5f, 5.5f, -48.75f}, Glass},
        {{40.5f, 5.5f, -49.5f}, Glass},  {{40.5f, 5.5f, -50.25f}, Glass},
        {{40.5f, 7, -54.25f}, Bottle},   {{7, 2.625f, -7}, Label},
        {{7.9f, 2.625f, -7}, Decanter},  {{14.9f, 2.625f, -14.5f}, Glass},
        {{13.9f, 2.625f, -14.5f}, Bottle},
    };
    ASSERT_EQ(placed.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(i);
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(placed[i].at[a], expected[i].at[a], 1e-4f);
        }
        EXPECT_EQ(placed[i].kind, expected[i].kind);
        // Only the second labelled bottle on the shelves is turned, 80 degrees about y.
        const double turn = i == 5 ? 80.0 * kPi / 180.0 : 0.0;
        EXPECT_NEAR(placed[i].along[0], std::cos(turn), 1e-4f);
        EXPECT_NEAR(placed[i].along[2], -std::sin(turn), 1e-4f);
    }
}

TEST_F(SceneListsTest, GlasswareAtTheRoundTablesStandsOnTheirTops) {
    // Where the groups put each object's origin, read back through markers,
    // plus how far below its origin the object itself reaches. (The objects are
    // drawn directly: Mesa's feedback mode fails on replaying their compiled lists.)
    const auto placed = placedGlassware();
    ASSERT_EQ(placed.size(), 15u);
    const float lowest[] = {
        0,
        boundsOf(capturePolygons([] { drawBottle(0.15f, 0.15f, 0.24f); }, 2)).min[1],
        boundsOf(capturePolygons([] { drawLabelBottle(0.15f, 0.15f, 0.24f); }, 2)).min[1],
        boundsOf(capturePolygons([] { drawGlass(0.15f, 0.15f, 0.24f); }, 2)).min[1],
        boundsOf(capturePolygons([] { drawDecanter(0.15f, 0.15f, 0.21f); }, 2)).min[1]};
    const float tableTop =
        boundsOf(capturePolygons([] { drawRoundTable(1.25f, 1.25f, 1.25f); }, 5)).max[1];

    // The last four objects are the round-table group.
    for (size_t i = 11; i < 15; ++i) {
        EXPECT_NEAR(placed[i].at[1] + lowest[placed[i].kind], tableTop, 1e-4f) << "object " << i;
    }
}

TEST_F(SceneListsTest, NoPieceOrListChangesTheMatrixStack) {
    const std::function<void()> pieces[] = {drawPoolLamp,    drawTableBulbs,  drawPoolBalls,
                                            drawMirrorBall,  drawBackShelves, drawPoolShade,
                                            drawTableShades, drawBottleGroups};
    // Drawn straight to the back buffer: Mesa's feedback mode cannot replay
    // the compiled glassware lists that drawBottleGroups calls.
    for (const auto& piece : pieces) {
        const int depth = modelviewDepth();
        piece();
        EXPECT_EQ(modelviewDepth(), depth);
    }
    compileSceneOnce();
    const GLuint lists[] = {listPoolTable,   listPoolLamp,    listTableBulbs,  listRoundTable,
                            listStool,       listPoolBalls,   listMirrorBall,  listCounter,
                            listBackShelves, listDoor,        listDartboard,   listChair,
                            listBottle,      listLabelBottle, listGlass,       listDecanter,
                            listPoolShade,   listTableShades, listBottleGroups};
    for (GLuint list : lists) {
        EXPECT_TRUE(glIsList(list)) << list;
        const int depth = modelviewDepth();
        glCallList(list);
        EXPECT_EQ(modelviewDepth(), depth) << list;
    }
}

TEST_F(SceneListsTest, CompilingLeavesBlendingOffAndDepthWritesOnAndDrawsNothing) {
    // Start from a different blend function and a cleared, known back buffer.
    glBlendFunc(GL_ONE, GL_ZERO);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const auto before = readPixel(300, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    compileRoomList();
    compileSceneLists();

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(readPixel(300, 200), before);
    glClearColor(0.0f, 0.0f, 0.8f, 0.0f);
}

}  // namespace
