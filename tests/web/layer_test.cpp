// The WebGL layer's own logic, run natively against a renderer that keeps
// what it is sent: how primitives become triangles, how display lists carry
// their state into few draws, and the state OpenGL keeps outside them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "fake_renderer.h"
#include "gl/light_selection.h"
#include "gl/matrix.h"
#include "gl/pixels.h"
#include "gl/texture_formats.h"
#include "gl/triangles.h"
#include "gl/window.h"

namespace {

using vgl::Primitive;

// Twice the signed area of triangle (a, b, c) of points on a plane.
float turn(const std::array<float, 2>& a, const std::array<float, 2>& b,
           const std::array<float, 2>& c) {
    return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
}

using Edge = std::pair<std::uint32_t, std::uint32_t>;  // from, to in the primitive's order

struct Case {
    Primitive primitive;
    std::vector<std::array<float, 2>> points;  // counter-clockwise as the primitive's rules go
    std::vector<std::uint32_t> flatVertices;   // per triangle, as OpenGL 1.1 names them
    std::vector<Edge> edges;                   // drawn as lines, every edge flag set
};

// The edges `shown` marks, each as (lower, higher) vertex, sorted.
std::vector<Edge> shownEdges(const std::vector<std::uint32_t>& indices,
                             const std::vector<std::uint8_t>& shown) {
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if ((shown[i] & vgl::kEdgeShown) != 0) {
            const std::uint32_t a = indices[i], b = indices[i - i % 3 + (i + 1) % 3];
            edges.emplace_back(std::min(a, b), std::max(a, b));
        }
    }
    std::sort(edges.begin(), edges.end());
    return edges;
}

TEST(Triangles, KeepWindingAndEndOnTheFlatShadingVertex) {
    const std::vector<Case> cases = {
        {Primitive::Triangles,
         {{0, 0}, {1, 0}, {0, 1}, {2, 0}, {3, 0}, {2, 1}},
         {2, 5},
         {{0, 1}, {1, 2}, {2, 0}, {3, 4}, {4, 5}, {5, 3}}},
        {Primitive::TriangleStrip,
         {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}},
         {2, 3, 4},
         {{0, 1}, {1, 2}, {2, 0}, {1, 3}, {3, 2}, {2, 1}, {2, 3}, {3, 4}, {4, 2}}},
        {Primitive::TriangleFan,
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
         {2, 3},
         {{0, 1}, {1, 2}, {2, 0}, {0, 2}, {2, 3}, {3, 0}}},
        {Primitive::Quads,
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {3, 0}, {3, 1}, {2, 1}},
         {3, 3, 7, 7},
         {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}}},
        {Primitive::QuadStrip,
         {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}},
         {3, 3, 5, 5},
         {{0, 1}, {1, 3}, {3, 2}, {2, 0}, {2, 3}, {3, 5}, {5, 4}, {4, 2}}},
        {Primitive::Polygon,
         {{0, 0}, {2, 0}, {3, 1}, {1, 2}, {-1, 1}},
         {0, 0, 0},
         {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}}},
    };
    for (const Case& c : cases) {
        for (const bool clockwise : {false, true}) {
            std::vector<std::uint32_t> indices;
            vgl::appendTriangles(c.primitive, 0, static_cast<std::uint32_t>(c.points.size()),
                                 clockwise, indices);
            ASSERT_EQ(indices.size(), c.flatVertices.size() * 3) << static_cast<int>(c.primitive);
            for (std::size_t t = 0; t < c.flatVertices.size(); ++t) {
                const std::uint32_t* tri = &indices[t * 3];
                EXPECT_EQ(tri[2], c.flatVertices[t])
                    << static_cast<int>(c.primitive) << " triangle " << t;
                const float area = turn(c.points[tri[0]], c.points[tri[1]], c.points[tri[2]]);
                EXPECT_GT(clockwise ? -area : area, 0.0f)
                    << static_cast<int>(c.primitive) << " triangle " << t
                    << (clockwise ? " (cw)" : "");
            }
            // Polygons drawn as lines show their boundary edges, less those
            // from vertex 1, whose edge flag is off, where flags apply.
            std::vector<std::uint8_t> flags(c.points.size(), 1);
            flags[1] = 0;
            const bool flagged = c.primitive == Primitive::Triangles ||
                                 c.primitive == Primitive::Quads ||
                                 c.primitive == Primitive::Polygon;
            std::vector<Edge> expected;
            for (const Edge& e : c.edges) {
                if (!flagged || e.first != 1) {
                    expected.emplace_back(std::min(e.first, e.second), std::max(e.first, e.second));
                }
            }
            std::sort(expected.begin(), expected.end());
            std::vector<std::uint8_t> shown;
            indices.clear();
            vgl::appendTriangles(c.primitive, 0, static_cast<std::uint32_t>(c.points.size()),
                                 clockwise, indices, false, {&shown, flags.data()});
            EXPECT_EQ(shownEdges(indices, shown), expected)
                << static_cast<int>(c.primitive) << (clockwise ? " (cw)" : "");
        }
    }
}

TEST(Matrices, StacksReportOverflowAndUnderflowAndKeepTheirTop) {
    vgl::MatrixStack stack(3);
    stack.top() = vgl::translation(1, 2, 3);
    EXPECT_TRUE(stack.push());
    EXPECT_TRUE(stack.push());
    EXPECT_FALSE(stack.push());
    stack.top() = vgl::scaling(2, 2, 2);
    EXPECT_TRUE(stack.pop());
    EXPECT_TRUE(stack.pop());
    EXPECT_FALSE(stack.pop());
    EXPECT_EQ(stack.top().m, vgl::translation(1, 2, 3).m);
}

TEST(Matrices, NormalsFollowTheInverseTransposeOfAStretch) {
    // Stretched twice as wide, a 45-degree slope's normal leans toward y.
    const float normal[3] = {1.0f, 1.0f, 0.0f};
    const auto n = vgl::transformNormal(vgl::normalMatrix(vgl::scaling(2, 1, 1)), normal);
    EXPECT_FLOAT_EQ(n[0], 0.5f);
    EXPECT_FLOAT_EQ(n[1], 1.0f);
    EXPECT_FLOAT_EQ(n[2], 0.0f);
}

// Client pixels as a texture keeps them: each type converted as OpenGL
// converts it, through the pixel transfer, and kept in its internal format's
// components and bits (luminance and intensity in red, green and blue;
// colour 1 for an alpha texture, alpha 1 for one without alpha).
struct Unpacked {
    const char* what;
    GLenum format;
    GLenum type;
    std::vector<std::uint8_t> bytes;  // two pixels, or one row padded as unpack says
    GLint internalFormat;
    std::vector<std::uint8_t> rgba;  // the two pixels kept
    vgl::PixelStore unpack;
    vgl::PixelTransfer transfer;
};

template <typename T>
std::vector<std::uint8_t> bytesOf(std::initializer_list<T> values) {
    std::vector<std::uint8_t> bytes(values.size() * sizeof(T));
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

TEST(Pixels, EveryTypeAndFormatIsKeptAsItsInternalFormatSays) {
    vgl::PixelStore swapped;
    swapped.swapBytes = 1;
    vgl::PixelStore secondRow;  // of rows of 6 bytes of BGR padded to 8
    secondRow.alignment = 8;
    secondRow.skipRows = 1;
    vgl::PixelTransfer scaled;
    scaled.set(GL_RED_SCALE, 2.0f);
    scaled.set(GL_ALPHA_BIAS, -0.5f);
    vgl::PixelTransfer mapped;
    mapped.set(GL_MAP_COLOR, 1.0f);
    // clang-format off
    const std::vector<Unpacked> cases = {
        {"BGR rows with their alignment", GL_BGR, GL_UNSIGNED_BYTE,
         {9, 9, 9, 9, 9, 9, 9, 9, 1, 2, 3, 4, 5, 6}, GL_RGB, {3, 2, 1, 255, 6, 5, 4, 255},
         secondRow, {}},
        {"signed shorts onto [-1, 1], clamped", GL_RED, GL_SHORT,
         bytesOf<std::int16_t>({-32768, 32767}), GL_RGBA, {0, 0, 0, 255, 255, 0, 0, 255}, {}, {}},
        {"unsigned shorts with their bytes swapped", GL_GREEN, GL_UNSIGNED_SHORT,
         bytesOf<std::uint16_t>({0x00FF, 0x8000}), GL_RGBA, {0, 254, 0, 255, 0, 0, 0, 255},
         swapped, {}},
        {"unsigned and signed integers", GL_LUMINANCE_ALPHA, GL_INT,
         bytesOf<std::int32_t>({2147483647, -1, 0, 2147483647}), GL_LUMINANCE_ALPHA,
         {255, 255, 255, 0, 0, 0, 0, 255}, {}, {}},
        {"floats into intensity", GL_LUMINANCE, GL_FLOAT, bytesOf<float>({0.5f, 2.0f}),
         GL_INTENSITY, {128, 128, 128, 128, 255, 255, 255, 255}, {}, {}},
        {"alpha keeps colour 1", GL_ALPHA, GL_UNSIGNED_INT, bytesOf<std::uint32_t>({0xFFFFFFFF, 0}),
         GL_ALPHA8, {255, 255, 255, 255, 255, 255, 255, 0}, {}, {}},
        {"luminance takes red alone, alpha 1", GL_RGBA, GL_BYTE,
         bytesOf<std::int8_t>({127, 0, -128, 0, 63, 127, 127, 127}), GL_LUMINANCE,
         {255, 255, 255, 255, 127, 127, 127, 255}, {}, {}},
        {"rounded to four bits", GL_RGBA, GL_UNSIGNED_BYTE, {100, 200, 8, 255, 0, 0, 0, 0},
         GL_RGBA4, {102, 204, 0, 255, 0, 0, 0, 0}, {}, {}},
        {"scaled and biased", GL_RGBA, GL_UNSIGNED_BYTE, {64, 64, 64, 255, 200, 0, 0, 64}, GL_RGBA,
         {128, 64, 64, 128, 255, 0, 0, 0}, {}, scaled},
        {"through the colour maps as they start", GL_RGB, GL_UNSIGNED_BYTE, {9, 9, 9, 9, 9, 9},
         GL_RGBA, {0, 0, 0, 0, 0, 0, 0, 0}, {}, mapped},
    };
    // clang-format on
    for (const Unpacked& c : cases) {
        const vgl::TextureFormat* internal = vgl::textureFormat(c.internalFormat);
        ASSERT_NE(internal, nullptr) << c.what;
        EXPECT_EQ(vgl::unpackRgba(c.bytes.data(), 2, 1, c.format, c.type, c.unpack, c.transfer,
                                  *internal),
                  c.rgba)
            << c.what;
    }
}

// --- Through the OpenGL entry points --------------------------------------------

class Layer : public ::testing::Test {
   protected:
    void SetUp() override {
        glFinish();
        fakeRenderer().draws.clear();
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    static void material(const float (&diffuse)[4]) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    }

    static void square() {
        glBegin(GL_QUADS);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(1.0f, 0.0f, 0.0f);
        glVertex3f(1.0f, 1.0f, 0.0f);
        glVertex3f(0.0f, 1.0f, 0.0f);
        glEnd();
    }

    static GLuint compile(void (*draw)()) {
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        draw();
        glEndList();
        return list;
    }

    // The diffuse colour of the material a drawn vertex has.
    static std::vector<float> diffuseOf(const vgl::Vertex& vertex,
                                        const vgl::DrawParameters& draw) {
        if (vertex.material[0] == vgl::kCurrentMaterial) {
            return {draw.material[0] + 4, draw.material[0] + 8};
        }
        const std::vector<float>& row = fakeRenderer().materials.at(vertex.material[0]);
        return {row.begin() + 4, row.begin() + 8};
    }
};

const float kRed[4] = {1.0f, 0.0f, 0.0f, 1.0f};
const float kBlue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
const float kGreen[4] = {0.0f, 1.0f, 0.0f, 1.0f};

TEST_F(Layer, AListsMaterialsAndPlacementsTravelWithItsVerticesInOneDraw) {
    const GLuint list = compile([] {
        material(kRed);
        glPushMatrix();
        glTranslatef(5.0f, 0.0f, 0.0f);
        square();
        glPopMatrix();
        material(kBlue);
        square();
    });
    glCallList(list);
    ASSERT_EQ(fakeRenderer().draws.size(), 1u);
    const FakeDraw& draw = fakeRenderer().draws[0];
    ASSERT_EQ(draw.vertices.size(), 12u);
    EXPECT_EQ(diffuseOf(draw.vertices[0], draw.parameters), std::vector<float>(kRed, kRed + 4));
    EXPECT_GE(draw.vertices[0].position[0], 5.0f);
    EXPECT_EQ(diffuseOf(draw.vertices[6], draw.parameters), std::vector<float>(kBlue, kBlue + 4));
    EXPECT_LE(draw.vertices[6].position[0], 1.0f);
    // What the list left set is the state after the call.
    GLfloat diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_EQ(std::vector<float>(diffuse, diffuse + 4), std::vector<float>(kBlue, kBlue + 4));
}

TEST_F(Layer, ATextureChangeInAListStartsANewDraw) {
    GLuint textures[2];
    glGenTextures(2, textures);
    static GLuint names[2];
    names[0] = textures[0];
    names[1] = textures[1];
    const GLuint list = compile([] {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, names[0]);
        square();
        glBindTexture(GL_TEXTURE_2D, names[1]);
        square();
        glDisable(GL_TEXTURE_2D);
    });
    glCallList(list);
    ASSERT_EQ(fakeRenderer().draws.size(), 2u);
    EXPECT_EQ(fakeRenderer().draws[0].parameters.texture, static_cast<int>(names[0]));
    EXPECT_EQ(fakeRenderer().draws[1].parameters.texture, static_cast<int>(names[1]));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// The texture function's program is asked for only where modulating by the
// texel, or replacing by it, is not the function: never for the room's
// modulated RGB textures.
TEST_F(Layer, OnlyTextureFunctionsBeyondModulationAskForTheirProgram) {
    struct Case {
        GLint internalFormat;
        GLenum mode;
        bool function;
    };
    const Case cases[] = {
        {GL_RGB8, GL_MODULATE, false},
        {GL_ALPHA, GL_MODULATE, false},
        {GL_LUMINANCE4, GL_MODULATE, false},
        {GL_RGBA, GL_REPLACE, false},
        {GL_INTENSITY, GL_REPLACE, false},
        {GL_LUMINANCE_ALPHA, GL_REPLACE, false},
        {GL_RGB, GL_REPLACE, true},
        {GL_ALPHA8, GL_REPLACE, true},
        {1, GL_REPLACE, true},
        {GL_RGBA, GL_DECAL, true},
        {GL_RGB5, GL_BLEND, true},
        {GL_INTENSITY, GL_BLEND, true},
    };
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    const std::uint8_t texels[16] = {};
    for (const Case& c : cases) {
        glTexImage2D(GL_TEXTURE_2D, 0, c.internalFormat, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(c.mode));
        fakeRenderer().draws.clear();
        square();
        glFinish();
        ASSERT_EQ(fakeRenderer().draws.size(), 1u) << c.internalFormat;
        const vgl::DrawParameters& drawn = fakeRenderer().draws[0].parameters;
        EXPECT_EQ((drawn.programKey[1] & (vgl::kKeyTextureFunction >> 32)) != 0, c.function)
            << std::hex << c.internalFormat << " under " << c.mode;
        EXPECT_EQ(static_cast<GLenum>(drawn.textureBase),
                  vgl::baseEnumerant(vgl::textureFormat(c.internalFormat)->base));
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &texture);
}

TEST_F(Layer, AListThatSetsNoMaterialTakesItsCallersEvenInsideAnotherList) {
    static GLuint plain;
    plain = compile(square);
    const GLuint green = compile([] {
        material(kGreen);
        glCallList(plain);
    });
    material(kRed);
    glCallList(plain);
    glCallList(green);
    ASSERT_EQ(fakeRenderer().draws.size(), 2u);
    const FakeDraw& alone = fakeRenderer().draws[0];
    const FakeDraw& nested = fakeRenderer().draws[1];
    EXPECT_EQ(diffuseOf(alone.vertices[0], alone.parameters), std::vector<float>(kRed, kRed + 4));
    EXPECT_EQ(diffuseOf(nested.vertices[0], nested.parameters),
              std::vector<float>(kGreen, kGreen + 4));
}

TEST_F(Layer, AttributesPushedInAListAreTheCallersAgainAfterIt) {
    glShadeModel(GL_SMOOTH);
    material(kRed);
    const GLuint list = compile([] {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glShadeModel(GL_FLAT);
        material(kGreen);
        glFrontFace(GL_CW);
        square();
        glPopAttrib();
    });
    glCallList(list);
    ASSERT_EQ(fakeRenderer().draws.size(), 1u);
    const FakeDraw& draw = fakeRenderer().draws[0];
    EXPECT_EQ(draw.vertices[0].flags & vgl::kFlat, vgl::kFlat);
    EXPECT_EQ(draw.parameters.clockwise, 0);
    GLint shading = 0;
    GLint winding = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    glGetIntegerv(GL_FRONT_FACE, &winding);
    EXPECT_EQ(shading, GL_SMOOTH);
    EXPECT_EQ(winding, GL_CCW);
    GLfloat diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_EQ(std::vector<float>(diffuse, diffuse + 4), std::vector<float>(kRed, kRed + 4));
}

TEST_F(Layer, ImmediateGeometryWaitsUntilTheLightsChange) {
    material(kRed);
    square();
    material(kBlue);
    square();
    EXPECT_TRUE(fakeRenderer().draws.empty());
    const float position[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    square();
    glFinish();
    ASSERT_EQ(fakeRenderer().draws.size(), 2u);
    EXPECT_EQ(fakeRenderer().draws[0].vertices.size(), 12u);
    EXPECT_EQ(fakeRenderer().draws[1].vertices.size(), 6u);
}

// Set at once or from a display list, which keeps the calls with their
// values (three for a spot direction, one for the two-sided model) and runs
// them under the matrix where it is called.
TEST_F(Layer, LightsArePlacedWhereTheModelviewMatrixPutsThem) {
    for (const bool listed : {false, true}) {
        SCOPED_TRACE(listed ? "from a list" : "at once");
        const float position[4] = {1.0f, 0.0f, 0.0f, 1.0f};
        const float direction[3] = {1.0f, 0.0f, 0.0f};
        const float twoSided = 1.0f;
        if (listed) {
            glNewList(1, GL_COMPILE);
        } else {
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            glTranslatef(1.0f, 2.0f, 3.0f);
        }
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glLightfv(GL_LIGHT1, GL_POSITION, position);
        glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
        glLightModelfv(GL_LIGHT_MODEL_TWO_SIDE, &twoSided);
        if (listed) {
            glEndList();
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            glTranslatef(1.0f, 2.0f, 3.0f);
            glCallList(1);
        }
        glPopMatrix();
        GLfloat eye[4];
        GLfloat spot[3];
        GLint twoSide = 0;
        glGetLightfv(GL_LIGHT1, GL_POSITION, eye);
        glGetLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, spot);
        glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
        // +x turned a quarter about y is -z; the direction is not moved.
        EXPECT_FLOAT_EQ(eye[0], 1.0f);
        EXPECT_FLOAT_EQ(eye[1], 2.0f);
        EXPECT_FLOAT_EQ(eye[2], 2.0f);
        EXPECT_NEAR(spot[0], 0.0f, 1e-6);
        EXPECT_FLOAT_EQ(spot[2], -1.0f);
        EXPECT_EQ(twoSide, 1);
        const float reset[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT1, GL_POSITION, reset);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

// glPopAttrib restores the groups pushed, whole; an enable flag comes back
// with its own group's bit or with GL_ENABLE_BIT.
TEST_F(Layer, PoppedAttributesRestoreTheirGroupsAndEachEnableFlagWithEither) {
    const auto diffuseOfLight3 = [] {
        GLfloat diffuse[4];
        glGetLightfv(GL_LIGHT3, GL_DIFFUSE, diffuse);
        return std::vector<float>(diffuse, diffuse + 4);
    };
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT3);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, kRed);
    glPopAttrib();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    EXPECT_EQ(diffuseOfLight3(), std::vector<float>(kRed, kRed + 4));

    glPushAttrib(GL_LIGHTING_BIT);
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, kBlue);
    glShadeModel(GL_FLAT);
    glPopAttrib();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(diffuseOfLight3(), std::vector<float>(kRed, kRed + 4));
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);

    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopAttrib();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glDisable(GL_DEPTH_TEST);
}

// Between glBegin and glEnd OpenGL takes vertices, their attributes,
// materials and list calls only; anything else is an invalid operation that
// changes nothing, and the primitive is still drawn.
TEST_F(Layer, CallsOpenGLForbidsBetweenBeginAndEndAreInvalidAndChangeNothing) {
    static GLfloat floats[16];
    static GLint integers[4];
    static GLuint name = 0;
    static GLubyte pixel[4];
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::copy_n(identity, 16, floats);
    const std::vector<void (*)()> forbidden = {
        [] { glEnable(GL_LIGHTING); },
        [] { glDisable(GL_DEPTH_TEST); },
        [] { glIsEnabled(GL_LIGHTING); },
        [] { glShadeModel(GL_FLAT); },
        [] { glFrontFace(GL_CW); },
        [] { glDepthMask(GL_FALSE); },
        [] { glBlendFunc(GL_ONE, GL_ONE); },
        [] { glClearColor(1, 1, 1, 1); },
        [] { glClear(GL_COLOR_BUFFER_BIT); },
        [] { glPushAttrib(GL_ALL_ATTRIB_BITS); },
        [] { glPopAttrib(); },
        [] { glFlush(); },
        [] { glFinish(); },
        [] { glMatrixMode(GL_PROJECTION); },
        [] { glLoadIdentity(); },
        [] { glLoadMatrixf(floats); },
        [] { glMultMatrixf(floats); },
        [] { glTranslatef(1, 0, 0); },
        [] { glPushMatrix(); },
        [] { glPopMatrix(); },
        [] { glViewport(0, 0, 1, 1); },
        [] { glRectf(0, 0, 1, 1); },
        [] { glBegin(GL_TRIANGLES); },
        [] { glGenLists(1); },
        [] { glNewList(1, GL_COMPILE); },
        [] { glEndList(); },
        [] { glIsList(1); },
        [] { glDeleteLists(1, 1); },
        [] { glLightfv(GL_LIGHT0, GL_DIFFUSE, floats); },
        [] { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1); },
        [] { glGetIntegerv(GL_VIEWPORT, integers); },
        [] { glGetFloatv(GL_CURRENT_COLOR, floats); },
        [] { glGetString(GL_VENDOR); },
        [] { glGetLightfv(GL_LIGHT0, GL_DIFFUSE, floats); },
        [] { glGetMaterialfv(GL_FRONT, GL_DIFFUSE, floats); },
        [] { glGenTextures(1, &name); },
        [] { glDeleteTextures(1, &name); },
        [] { glBindTexture(GL_TEXTURE_2D, 0); },
        [] { glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR); },
        [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); },
        [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel); },
        [] { glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, integers); },
        [] { glPixelStorei(GL_UNPACK_ALIGNMENT, 1); },
        [] { glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel); },
        [] { glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel); },
        [] { glGetError(); },
    };
    for (std::size_t i = 0; i < forbidden.size(); ++i) {
        glBegin(GL_TRIANGLES);
        glVertex3f(0.0f, 0.0f, 0.0f);
        forbidden[i]();
        glVertex3f(1.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 1.0f, 0.0f);
        glEnd();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION)) << "call " << i;
    }
    glFinish();
    EXPECT_EQ(fakeRenderer().draws.size(), 1u);
    EXPECT_EQ(fakeRenderer().draws[0].vertices.size(), 3 * forbidden.size());
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A material set inside a primitive before its first vertex is the whole
// primitive's; one set after a vertex is the material of the vertices after
// it, the earlier ones keeping theirs.
TEST_F(Layer, AMaterialBetweenVerticesIsTheVerticesAfterIt) {
    material(kRed);
    glBegin(GL_TRIANGLES);
    material(kGreen);
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    material(kBlue);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 1.0f, 0.0f);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glFinish();
    ASSERT_EQ(fakeRenderer().draws.size(), 1u);
    const FakeDraw& draw = fakeRenderer().draws[0];
    ASSERT_EQ(draw.vertices.size(), 3u);
    const float* expected[] = {kGreen, kBlue, kBlue};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(diffuseOf(draw.vertices[i], draw.parameters),
                  std::vector<float>(expected[i], expected[i] + 4))
            << "vertex " << i;
    }
}

TEST_F(Layer, MatrixStacksReportOverflowAndUnderflow) {
    glMatrixMode(GL_MODELVIEW);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    for (int i = depth; i < 32; ++i) {
        glPushMatrix();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glPushMatrix();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_STACK_OVERFLOW));
    for (int i = 1; i < 32; ++i) {
        glPopMatrix();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glPopMatrix();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_STACK_UNDERFLOW));
}

// A lost context: the renderer starts again with nothing, and the layer
// gives it every list's mesh, the materials and the state once more.
TEST_F(Layer, ANewContextGetsEveryListsMeshItsMaterialsAndTheStateAgain) {
    const GLuint list = compile([] {
        material(kGreen);
        square();
    });
    glCallList(list);
    FakeRenderer& fake = fakeRenderer();
    const FakeDraw before = fake.draws.back();
    const vgl::RenderState state = fake.state;
    fake.meshes.assign(1, FakeMesh());
    fake.materials.clear();
    fake.state = vgl::RenderState{};
    fake.draws.clear();

    vglRestore();
    ASSERT_GT(fake.meshes.size(), 1u) << "no mesh uploaded again";
    glCallList(list);
    ASSERT_EQ(fake.draws.size(), 1u);
    const FakeDraw& after = fake.draws[0];
    ASSERT_EQ(after.vertices.size(), before.vertices.size());
    EXPECT_EQ(std::memcmp(after.vertices.data(), before.vertices.data(),
                          before.vertices.size() * sizeof(vgl::Vertex)),
              0);
    EXPECT_EQ(diffuseOf(after.vertices[0], after.parameters),
              std::vector<float>(kGreen, kGreen + 4));
    EXPECT_EQ(std::memcmp(&fake.state, &state, sizeof state), 0) << "the state sent again";
}

// Wide lines are drawn a segment at a time from the mesh's vertices in
// order, not through its indices: every segment's ends must lie there one
// after the other, the second being the one flat shading takes, whatever
// came between the lines (here a primitive too short to draw, and a list).
TEST_F(Layer, LineSegmentsLieInOrderInTheMeshEndingOnTheirFlatShadingVertex) {
    const auto strip = [](GLenum mode, float y) {
        glBegin(mode);
        for (int i = 0; i < 3; ++i) {
            glColor3ub(static_cast<GLubyte>(10 * i + 10), 0, 0);
            glVertex2f(0.3f * static_cast<float>(i), y);
        }
        glEnd();
    };
    const GLuint list = compile([] {
        glBegin(GL_LINES);
        glVertex2f(0.0f, 0.6f);
        glColor3ub(40, 0, 0);
        glVertex2f(0.3f, 0.6f);
        glEnd();
    });
    glLineWidth(3.0f);
    strip(GL_LINE_STRIP, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glEnd();
    strip(GL_LINE_LOOP, 0.3f);
    glFlush();
    glCallList(list);
    // The flat-shading vertex of each segment: the strip's, the loop's (its
    // last segment closing on its first vertex) and the list's.
    const std::vector<int> flatReds = {20, 30, 20, 30, 10, 40};
    std::vector<int> reds;
    for (const FakeDraw& draw : fakeRenderer().draws) {
        ASSERT_EQ(draw.parameters.mode, GL_LINES);
        EXPECT_NE(draw.parameters.programKey[1] & (vgl::kKeyWideLines >> 32), 0u);
        const FakeMesh& mesh = fakeRenderer().meshes[static_cast<std::size_t>(draw.mesh)];
        for (std::size_t i = 0; i < draw.vertices.size(); ++i) {
            const vgl::Vertex& inOrder = mesh.vertices.at(draw.parameters.firstVertex + i);
            EXPECT_EQ(std::memcmp(&inOrder, &draw.vertices[i], sizeof inOrder), 0) << i;
            if (i % 2 == 1) {
                reds.push_back(draw.vertices[i].color[0]);
            }
        }
    }
    EXPECT_EQ(reds, flatReds);
}

// Smooth points, and smooth lines of any width, ask for their coverage (smooth
// lines as quads), at the size Mesa draws them: a smooth point no less than 2
// across, a smooth line no less than 1 wide, and anything no more than 255,
// aliased sizes rounded. Polygons ask for no coverage.
TEST_F(Layer, SmoothPointsAndLinesAskForCoverageAtTheSizesMesaDrawsThem) {
    using vgl::ProgramKey;
    const ProgramKey points = vgl::kKeyPoints, wide = vgl::kKeyWideLines;
    const ProgramKey smooth = vgl::kKeySmooth, stippled = vgl::kKeyLineStipple;
    const ProgramKey asked = points | wide | smooth | stippled;
    struct Smooth {
        GLenum mode;
        GLenum cap;  // enabled for the draw; GL_NORMALIZE for neither smooth cap
        float size;  // the point size and line width set
        bool stipple;
        ProgramKey key;  // of `asked`
        float drawn;     // the point size or line width sent
    };
    // clang-format off
    const Smooth cases[] = {
        {GL_POINTS, GL_POINT_SMOOTH, 1.0f, false, points | smooth, 2.0f},
        {GL_POINTS, GL_POINT_SMOOTH, 6.5f, false, points | smooth, 6.5f},
        {GL_POINTS, GL_POINT_SMOOTH, 300.0f, false, points | smooth, 255.0f},
        {GL_POINTS, GL_LINE_SMOOTH, 6.5f, false, points, 7.0f},
        {GL_POINTS, GL_NORMALIZE, 300.0f, false, points, 255.0f},
        {GL_LINES, GL_LINE_SMOOTH, 0.5f, false, wide | smooth, 1.0f},
        {GL_LINES, GL_LINE_SMOOTH, 2.5f, true, wide | smooth | stippled, 2.5f},
        {GL_LINES, GL_LINE_SMOOTH, 300.0f, false, wide | smooth, 255.0f},
        {GL_LINES, GL_POINT_SMOOTH, 1.0f, false, 0, 1.0f},
        {GL_LINES, GL_NORMALIZE, 300.0f, false, wide, 255.0f},
        {GL_TRIANGLES, GL_LINE_SMOOTH, 1.0f, false, 0, 1.0f},
        {GL_TRIANGLES, GL_POINT_SMOOTH, 1.0f, false, 0, 1.0f},
    };
    // clang-format on
    for (const Smooth& c : cases) {
        fakeRenderer().draws.clear();
        glEnable(c.cap);
        if (c.stipple) {
            glEnable(GL_LINE_STIPPLE);
        }
        glPointSize(c.size);
        glLineWidth(c.size);
        glBegin(c.mode);
        glVertex2f(0.0f, 0.0f);
        glVertex2f(0.5f, 0.2f);
        glVertex2f(0.1f, 0.6f);
        glEnd();
        glFinish();
        glDisable(c.cap);
        glDisable(GL_LINE_STIPPLE);
        ASSERT_EQ(fakeRenderer().draws.size(), 1u) << c.mode << " " << c.cap;
        const FakeDraw& draw = fakeRenderer().draws[0];
        const ProgramKey key =
            (ProgramKey{draw.parameters.programKey[1]} << 32) | draw.parameters.programKey[0];
        EXPECT_EQ(key & asked, c.key) << c.mode << " " << c.cap << " " << c.size;
        if (c.mode != GL_TRIANGLES) {
            EXPECT_EQ(c.mode == GL_POINTS ? draw.state.pointSize : draw.state.lineWidth, c.drawn)
                << c.mode << " " << c.cap << " " << c.size;
        }
    }
    glLineWidth(1.0f);
    glPointSize(1.0f);
}

}  // namespace

namespace {

// The shader samples a texture texel by texel only where WebGL's sampler
// cannot: a border, or GL_CLAMP with a linear filter that reaches the
// border colour. The room's repeated textures never ask for it.
TEST_F(Layer, OnlyBordersAndLinearGLClampAskForTexelSampling) {
    struct Case {
        GLint border;
        GLenum wrapS;
        GLenum wrapT;
        GLenum minFilter;
        GLenum magFilter;
        bool line;
        bool sampled;
    };
    const Case cases[] = {
        {0, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, false, false},
        {0, GL_REPEAT, GL_REPEAT, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, false, false},
        {0, GL_CLAMP, GL_REPEAT, GL_NEAREST, GL_NEAREST, false, false},
        {0, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, GL_LINEAR, GL_LINEAR, false, false},
        {0, GL_REPEAT, GL_CLAMP, GL_NEAREST, GL_LINEAR, false, true},
        {0, GL_CLAMP, GL_REPEAT, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST, false, true},
        {0, GL_CLAMP, GL_CLAMP, GL_NEAREST_MIPMAP_LINEAR, GL_NEAREST, false, false},
        {1, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false, true},
        {1, GL_CLAMP, GL_CLAMP, GL_LINEAR, GL_LINEAR, true, true},
        {0, GL_CLAMP, GL_CLAMP, GL_LINEAR, GL_LINEAR, true, true},
    };
    const float colour[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    const std::uint8_t texels[6 * 6 * 4] = {};
    for (const Case& c : cases) {
        const GLenum target = c.line ? GL_TEXTURE_1D : GL_TEXTURE_2D;
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(target, texture);
        if (c.line) {
            glTexImage1D(target, 0, GL_RGBA, 4 + 2 * c.border, c.border, GL_RGBA, GL_UNSIGNED_BYTE,
                         texels);
        } else {
            glTexImage2D(target, 0, GL_RGBA, 4 + 2 * c.border, 2 + 2 * c.border, c.border, GL_RGBA,
                         GL_UNSIGNED_BYTE, texels);
        }
        const std::pair<GLenum, GLenum> parameters[] = {{GL_TEXTURE_WRAP_S, c.wrapS},
                                                        {GL_TEXTURE_WRAP_T, c.wrapT},
                                                        {GL_TEXTURE_MIN_FILTER, c.minFilter},
                                                        {GL_TEXTURE_MAG_FILTER, c.magFilter}};
        for (const auto& [pname, value] : parameters) {
            glTexParameteri(target, pname, static_cast<GLint>(value));
        }
        glTexParameterfv(target, GL_TEXTURE_BORDER_COLOR, colour);
        glEnable(target);
        fakeRenderer().draws.clear();
        square();
        glFinish();
        glDisable(target);
        glDeleteTextures(1, &texture);
        ASSERT_EQ(fakeRenderer().draws.size(), 1u);
        const vgl::DrawParameters& drawn = fakeRenderer().draws[0].parameters;
        const bool sampled = (drawn.programKey[1] & (vgl::kKeyTextureEdges >> 32)) != 0;
        const auto shown = ::testing::Message()
                           << "border " << c.border << ", wraps " << c.wrapS << ' ' << c.wrapT
                           << ", filters " << c.minFilter << ' ' << c.magFilter;
        ASSERT_EQ(sampled, c.sampled) << shown;
        if (!sampled) {
            continue;
        }
        // The sides inside the border, and none in t for one dimension.
        const std::vector<int> shape = {drawn.textureSize[0], drawn.textureSize[1],
                                        drawn.textureBorder, drawn.textureLine};
        EXPECT_EQ(shape, (std::vector<int>{4, c.line ? 1 : 2, c.border, c.line ? 1 : 0})) << shown;
        const std::vector<int> modes = {drawn.textureWrap[0], drawn.textureWrap[1],
                                        drawn.textureFilter[0], drawn.textureFilter[1]};
        EXPECT_EQ(modes,
                  (std::vector<int>{static_cast<int>(c.wrapS), static_cast<int>(c.wrapT),
                                    static_cast<int>(c.minFilter), static_cast<int>(c.magFilter)}))
            << shown;
        EXPECT_EQ(std::vector<float>(drawn.textureBorderColor, drawn.textureBorderColor + 4),
                  std::vector<float>(colour, colour + 4))
            << shown;
    }
}

// An image keeps its border: its sides count it, and glGetTexImage reads it
// back whole, with a part replaced from offset -1, on the border (Mesa
// strips borders, so the differential runner cannot hold these to it).
TEST_F(Layer, AnImagesBorderIsKeptCountedAndReadBack) {
    struct Case {
        GLenum target;
        int width;
        int height;
    };
    for (const Case& c : {Case{GL_TEXTURE_2D, 4, 4}, Case{GL_TEXTURE_1D, 4, 1}}) {
        const bool line = c.target == GL_TEXTURE_1D;
        std::vector<std::uint8_t> image(static_cast<std::size_t>(c.width) * c.height);
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<std::uint8_t>(10 * i + 5);
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        if (line) {
            glTexImage1D(c.target, 0, GL_LUMINANCE, c.width, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                         image.data());
        } else {
            glTexImage2D(c.target, 0, GL_LUMINANCE, c.width, c.height, 1, GL_LUMINANCE,
                         GL_UNSIGNED_BYTE, image.data());
        }
        const std::uint8_t part[2] = {250, 251};
        if (line) {
            glTexSubImage1D(c.target, 0, -1, 2, GL_LUMINANCE, GL_UNSIGNED_BYTE, part);
        } else {
            glTexSubImage2D(c.target, 0, -1, -1, 2, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, part);
        }
        image[0] = part[0];
        image[1] = part[1];
        std::vector<std::uint8_t> read(image.size() + 1, 7);
        glGetTexImage(c.target, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, read.data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        image.push_back(7);  // nothing beyond the image is written
        EXPECT_EQ(read, image) << (line ? "one dimension" : "two");
        GLint sides[3] = {};
        glGetTexLevelParameteriv(c.target, 0, GL_TEXTURE_WIDTH, &sides[0]);
        glGetTexLevelParameteriv(c.target, 0, GL_TEXTURE_HEIGHT, &sides[1]);
        glGetTexLevelParameteriv(c.target, 0, GL_TEXTURE_BORDER, &sides[2]);
        EXPECT_EQ(std::vector<GLint>(sides, sides + 3), (std::vector<GLint>{c.width, c.height, 1}));
        // A part reaching past the border is outside the image.
        if (line) {
            glTexSubImage1D(c.target, 0, -2, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, part);
        } else {
            glTexSubImage2D(c.target, 0, 0, 3, 1, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, part);
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

// Alpha 1 read back as an unsigned integer is the largest one, where the
// luminance beside it goes through a float (Mesa's overflows to 0).
TEST_F(Layer, OneReadBackAsAnUnsignedIntegerIsTheLargest) {
    const std::uint8_t texel[3] = {255, 0, 0};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GLuint read[2] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_INT, read);
    EXPECT_EQ(std::vector<GLuint>(read, read + 2), (std::vector<GLuint>{0xFFFFFFFFu, 0xFFFFFFFFu}));
}

}  // namespace
