#include "support/shaded_capture.h"

#include <cmath>

namespace {

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
    const auto captured = captureFeedback(GL_3D_COLOR, draw, extent);
    glPopAttrib();

    std::vector<ShadedPolygon> polygons;
    for (const FeedbackPolygon& fp : captured) {
        ShadedPolygon p{};
        if (!fp.empty()) {
            p.colour = {fp[0].extra[0], fp[0].extra[1], fp[0].extra[2], fp[0].extra[3]};
        }
        for (const FeedbackVertex& v : fp) {
            p.vertices.push_back(v.position);
        }
        polygons.push_back(p);
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
