#pragma once

// Small helpers the context's files share.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

#include "backend.h"
#include "material_table.h"

namespace vgl {

inline void copy4(float* to, const float* from) {
    std::copy_n(from, 4, to);
}

// A call's values kept for a display list: as many as parameter pname takes
// (`vectors`: those that take 3 or 4), at most the `count` the entry point
// passes, at least 1: a vector call's array holds only those. Copied while a
// list is compiled only.
struct Vector {
    GLenum pname;
    int size;
};
template <std::size_t N>
std::array<float, 4> copied(const float* values, int count, GLenum pname,
                            const Vector (&vectors)[N]) {
    int size = 1;
    for (const Vector& vector : vectors) {
        size = vector.pname == pname ? vector.size : size;
    }
    std::array<float, 4> kept{};
    std::copy_n(values, std::min(size, count), kept.data());
    return kept;
}

inline bool isLight(GLenum cap) {
    return cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights;
}

// A flag as the renderer reads it.
inline std::int32_t word(bool flag) {
    return flag ? 1 : 0;
}

// A material as the renderer reads it: kMaterialWords words, ambient,
// diffuse, specular, emission, shininess and three unused words.
inline void packMaterial(const FaceMaterial& material, float* out) {
    std::fill_n(out, kMaterialWords, 0.0f);
    copy4(out, material.ambient);
    copy4(out + 4, material.diffuse);
    copy4(out + 8, material.specular);
    copy4(out + 12, material.emission);
    out[16] = material.shininess;
}

// A value as an integer, rounded; the integers' ends stand for what lies
// beyond them (a mask of 32 ones).
inline GLint roundedInteger(double value) {
    return static_cast<GLint>(
        std::lround(std::min<double>(INT_MAX, std::max<double>(INT_MIN, value))));
}

// A colour or normal component as an integer: [-1, 1] mapped linearly onto
// the integers, which bound what lies beyond.
inline GLint mappedInteger(double value) {
    if (value >= 1.0) {
        return INT_MAX;
    }
    if (value <= -1.0) {
        return INT_MIN;
    }
    return static_cast<GLint>(value * 2147483647.0);
}

// Gives `count` values as a query's float or integer form takes them (the
// other pointer null): integers rounded, or mapped where `mapped`.
inline void answer(const double* values, int count, bool mapped, GLfloat* floats, GLint* integers) {
    for (int i = 0; i < count; ++i) {
        if (floats != nullptr) {
            floats[i] = static_cast<GLfloat>(values[i]);
        } else {
            integers[i] = mapped ? mappedInteger(values[i]) : roundedInteger(values[i]);
        }
    }
}

// An enumerant given as a float; 0, which names nothing here, for a value
// that is no enumerant.
inline GLenum enumerantOf(GLfloat value) {
    return value >= 0.0f && value < 1e9f ? static_cast<GLenum>(value) : 0;
}

}  // namespace vgl
