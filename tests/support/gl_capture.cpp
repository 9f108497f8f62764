#include "support/gl_capture.h"

#include "app/init_scene.h"
#include "app/start_scene.h"
#include "scene/display_lists.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {
const int kViewportSize = 2000;
}

std::vector<FeedbackPolygon> captureFeedback(GLenum type, const std::function<void()>& draw,
                                             float extent) {
    const int floatsPerVertex = type == GL_3D_COLOR_TEXTURE ? 11 : type == GL_3D_COLOR ? 7 : 3;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, kViewportSize, kViewportSize);

    std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);

    // Window coordinates back to the coordinates draw issued.
    const float half = kViewportSize / 2.0f;
    auto vertexAt = [&](const GLfloat* v) {
        FeedbackVertex vertex{{(v[0] / half - 1.0f) * extent, (v[1] / half - 1.0f) * extent,
                               -(v[2] * 2.0f - 1.0f) * extent},
                              {}};
        std::copy(v + 3, v + floatsPerVertex, vertex.extra.begin());
        return vertex;
    };
    std::vector<FeedbackPolygon> polygons;
    for (GLint i = 0; i < count;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<GLint>(buffer[i++]);
            FeedbackPolygon p;
            for (GLint k = 0; k < n; ++k, i += floatsPerVertex) {
                p.push_back(vertexAt(&buffer[i]));
            }
            polygons.push_back(p);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            i += floatsPerVertex;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 2 * floatsPerVertex;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        }
    }
    return polygons;
}

std::vector<Polygon> capturePolygons(const std::function<void()>& draw, float extent) {
    std::vector<Polygon> polygons;
    for (const FeedbackPolygon& fp : captureFeedback(GL_3D, draw, extent)) {
        Polygon p;
        for (const FeedbackVertex& v : fp) {
            p.push_back(v.position);
        }
        polygons.push_back(p);
    }
    return polygons;
}

Bounds boundsOf(const std::vector<Polygon>& polygons) {
    const float inf = std::numeric_limits<float>::infinity();
    Bounds b{{inf, inf, inf}, {-inf, -inf, -inf}};
    for (const Polygon& p : polygons) {
        for (const Vec3& v : p) {
            for (int a = 0; a < 3; ++a) {
                b.min[a] = std::min(b.min[a], v[a]);
                b.max[a] = std::max(b.max[a], v[a]);
            }
        }
    }
    return b;
}

int modelviewDepth() {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

std::array<unsigned char, 3> readPixel(int x, int y) {
    std::array<unsigned char, 3> rgb{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

std::array<float, 17> currentMaterial() {
    std::array<float, 17> m{};
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, &m[0]);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, &m[4]);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, &m[8]);
    glGetMaterialfv(GL_FRONT, GL_EMISSION, &m[12]);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &m[16]);
    return m;
}

void lightOnlyFrom(float x, float y, float z) {
    for (GLenum light = GL_LIGHT0; light <= GL_LIGHT7; ++light) {
        glDisable(light);
    }
    const GLfloat direction[4] = {x, y, z, 0.0f};
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
    glEnable(GL_LIGHT0);
}

void resetSceneState() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Start-up's own state, less the textures and lists...
    setFixedState();
    renormaliseNormals();
    // ...and what start-up leaves at OpenGL's defaults, which tests change.
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glFrontFace(GL_CCW);
}

void compileSceneOnce() {
    static bool compiled = false;
    if (!compiled) {
        compileRoomList();
        compileSceneLists();
        compiled = true;
    }
}
