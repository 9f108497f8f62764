#include "support/gl_texcoord_capture.h"

#include <GL/gl.h>

std::vector<TexturedPolygon> captureTexturedPolygons(const std::function<void()>& draw,
                                                     float extent) {
    std::vector<TexturedPolygon> polygons;
    for (const FeedbackPolygon& fp : captureFeedback(GL_3D_COLOR_TEXTURE, draw, extent)) {
        TexturedPolygon p;
        for (const FeedbackVertex& v : fp) {
            // After the RGBA colour come s, t, r and q.
            const float q = v.extra[7] != 0.0f ? v.extra[7] : 1.0f;
            p.push_back(TexturedVertex{v.position, v.extra[4] / q, v.extra[5] / q});
        }
        polygons.push_back(p);
    }
    return polygons;
}
