#pragma once

// Small helpers the context's files share.

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "backend.h"
#include "material_table.h"

namespace vgl {

inline void copy4(float* to, const float* from) {
    std::copy_n(from, 4, to);
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
