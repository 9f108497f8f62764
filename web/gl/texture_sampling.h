#pragma once

#include "backend.h"
#include "light_selection.h"
#include "textures.h"

namespace vgl {

// Whether the shader samples `texture` itself, texel by texel
// (kKeyTextureEdges): WebGL has no borders and no GL_CLAMP, whose linear
// filter blends the image's edge with its border. Nearest filters never
// reach the border, and WebGL's GL_CLAMP_TO_EDGE samples those the same.
bool sampledByTexel(const Texture& texture);

// The key bit for drawing with `texture` (kKeyTextureEdges or 0), with
// what the shader needs for it put in `parameters`. `line`: a
// one-dimensional texture, which has no t to wrap.
ProgramKey textureSampling(const Texture& texture, bool line, DrawParameters& parameters);

}  // namespace vgl
