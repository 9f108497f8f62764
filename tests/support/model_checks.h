#pragma once

// Small geometric and state helpers for tests of the modelling routines.

#include <GL/gl.h>

#include <array>
#include <cmath>

#include "light/material.h"
#include "support/gl_capture.h"

inline Vec3 centroidOf(const Polygon& p) {
    Vec3 c{0.0f, 0.0f, 0.0f};
    for (const Vec3& v : p) {
        for (int a = 0; a < 3; ++a) {
            c[a] += v[a] / static_cast<float>(p.size());
        }
    }
    return c;
}

// Distance from p to the segment a..b.
inline float distanceToSegment(const Vec3& p, const Vec3& a, const Vec3& b) {
    float ab2 = 0.0f, apab = 0.0f;
    for (int i = 0; i < 3; ++i) {
        ab2 += (b[i] - a[i]) * (b[i] - a[i]);
        apab += (p[i] - a[i]) * (b[i] - a[i]);
    }
    float t = ab2 > 0.0f ? apab / ab2 : 0.0f;
    t = std::fmin(1.0f, std::fmax(0.0f, t));
    float d2 = 0.0f;
    for (int i = 0; i < 3; ++i) {
        const float q = a[i] + t * (b[i] - a[i]) - p[i];
        d2 += q * q;
    }
    return std::sqrt(d2);
}

// The 17 floats of a material record, in the order currentMaterial() reads them.
inline std::array<float, 17> floatsOf(const Material& m) {
    std::array<float, 17> f{};
    for (int i = 0; i < 4; ++i) {
        f[i] = m.ambient[i];
        f[4 + i] = m.diffuse[i];
        f[8 + i] = m.specular[i];
        f[12 + i] = m.emission[i];
    }
    f[16] = m.shininess;
    return f;
}

inline std::array<float, 4> currentColor() {
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

inline GLint boundTexture2D() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

inline GLint frontFace() {
    GLint mode = 0;
    glGetIntegerv(GL_FRONT_FACE, &mode);
    return mode;
}
