#include "support/gl_texcoord_capture.h"

#include <GL/gl.h>

namespace {
const int kViewportSize = 2000;
// GL_3D_COLOR_TEXTURE in RGBA mode: position (3), colour (4), texture (4).
const int kVertexFloats = 11;
}  // namespace

std::vector<TexturedPolygon> captureTexturedPolygons(const std::function<void()>& draw,
                                                     float extent) {
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

    std::vector<GLfloat> buffer(1 << 24);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
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
        const Vec3 p{(v[0] / half - 1.0f) * extent, (v[1] / half - 1.0f) * extent,
                     -(v[2] * 2.0f - 1.0f) * extent};
        const float q = v[10] != 0.0f ? v[10] : 1.0f;
        return TexturedVertex{p, v[7] / q, v[8] / q};
    };
    std::vector<TexturedPolygon> polygons;
    for (GLint i = 0; i < count;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<GLint>(buffer[i++]);
            TexturedPolygon p;
            for (GLint k = 0; k < n; ++k, i += kVertexFloats) {
                p.push_back(vertexAt(&buffer[i]));
            }
            polygons.push_back(p);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            i += kVertexFloats;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 2 * kVertexFloats;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        }
    }
    return polygons;
}
