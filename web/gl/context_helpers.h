#pragma once

// Small helpers the context's files share.

#include <GL/gl.h>

#include <algorithm>
#include <array>
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

}  // namespace vgl
