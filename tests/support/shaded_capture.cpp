#include "support/shaded_capture.h"

#include <cmath>

namespace {
const int kViewportSize = 2000;
const int kFloatsPerVertex = 7;  // x, y, z, r, g, b, a

// Six lights along the axes, each only diffuse, and nothing else lighting the scene.
void lightFromEveryAxis() {
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat directions[6][4] = {{1, 0, 0, 0},  {-1, 0, 0, 0}, {0, 1, 0, 0},
                                      {0, -1, 0, 0}, {0, 0, 1, 0},  {0, 0, -1, 0}};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    GLint maxLights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (GLint i = 0; i < maxLights; ++i) {
        const GLenum light = GL_LIGHT0 + static_cast<GLenum>(i);
        if (i >= 6) {
            glDisable(light);
            continue;
        }
        glEnable(light);
        glLightfv(light, GL_POSITION, directions[i]);
        glLightfv(light, GL_AMBIENT, none);
        glLightfv(light, GL_DIFFUSE, white);
        glLightfv(light, GL_SPECULAR, none);
        glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    }
    glPopMatrix();
}
}  // namespace

std::vector<ShadedPolygon> captureShadedPolygons(const std::function<void()>& draw, float extent) {
    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_VIEWPORT_BIT);
    lightFromEveryAxis();
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, kViewportSize, kViewportSize);

    std::vector<GLfloat> buffer(1 << 24);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();

    // Window coordinates back to the coordinates draw issued.
    const float half = kViewportSize / 2.0f;
    auto unproject = [&](const GLfloat* v) {
        return Vec3{(v[0] / half - 1.0f) * extent, (v[1] / half - 1.0f) * extent,
                    -(v[2] * 2.0f - 1.0f) * extent};
    };
    std::vector<ShadedPolygon> polygons;
    for (GLint i = 0; i < count;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<GLint>(buffer[i++]);
            ShadedPolygon p{};
            for (GLint k = 0; k < n; ++k, i += kFloatsPerVertex) {
                if (k == 0) {
                    p.colour = {buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
                }
                p.vertices.push_back(unproject(&buffer[i]));
            }
            polygons.push_back(p);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            i += kFloatsPerVertex;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 2 * kFloatsPerVertex;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        }
    }
    return polygons;
}

bool hasDiffuseOf(const ShadedPolygon& polygon, const GLfloat (&diffuse)[4]) {
    for (int c = 0; c < 3; ++c) {
        if (std::fabs(polygon.colour[c] - diffuse[c]) > 0.01f) {
            return false;
        }
    }
    return true;
}
