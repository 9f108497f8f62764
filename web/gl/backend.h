#pragma once

// What the layer asks of the renderer (web/js/renderer.js in the browser).
// Structures are handed over by address and read at fixed offsets in 32-bit
// words, so their layout is part of this interface.

#include <cstddef>
#include <cstdint>

namespace vgl {

constexpr int kMaxLights = 8;
constexpr int kLightWords = 24;

// The state every draw shares, sent again only when it changes.
struct RenderState {
    float projection[16];
    // Per light, in eye coordinates: ambient, diffuse, specular, position,
    // spot direction with the spot exponent, and the cosine of the spot
    // cutoff (below -1 for no cutoff) with the three attenuation factors.
    float lights[kMaxLights][kLightWords];
    float sceneAmbient[4];
    std::int32_t lightMask;  // bit i: light i enabled
    std::int32_t lighting;
    std::int32_t twoSide;
    std::int32_t normalize;
    std::int32_t depthTest;
    std::int32_t blend;
    std::int32_t blendSource;
    std::int32_t blendDestination;
    std::int32_t textureReplace;  // GL_REPLACE rather than GL_MODULATE
};
static_assert(offsetof(RenderState, sceneAmbient) == 208 * 4, "renderer reads at word 208");
static_assert(offsetof(RenderState, textureReplace) == 220 * 4, "renderer reads at word 220");

// One draw call's own state.
struct DrawParameters {
    float modelview[16];
    float normalMatrix[9];
    // The material current where drawn, for vertices that take it: front
    // then back, each ambient, diffuse, specular, emission, shininess and
    // three unused words.
    float material[2][20];
    std::int32_t firstIndex;
    std::int32_t indexCount;
    std::int32_t texture;  // 0: none
    std::int32_t depthMask;
    std::int32_t clockwise;  // front faces wind clockwise
    std::int32_t flat;       // shading for vertices that take it from the state
    std::int32_t textured;   // texturing for vertices that take it from the state
};
static_assert(offsetof(DrawParameters, firstIndex) == 65 * 4, "renderer reads at word 65");
static_assert(offsetof(DrawParameters, textured) == 71 * 4, "renderer reads at word 71");

}  // namespace vgl

extern "C" {
// Makes the WebGL 2 context for a window of this size; 0 when there is none.
int vglCreateContext(int width, int height);
int vglMaxTextureSize(void);
// A mesh holds vertices (44 bytes each) and 32-bit triangle indices. Static
// meshes are uploaded once; the stream mesh (number 0) again at every update.
int vglCreateMesh(const void* vertices, int vertexCount, const void* indices, int indexCount);
void vglUpdateStream(const void* vertices, int vertexCount, const void* indices, int indexCount);
void vglDeleteMesh(int mesh);
// count materials of 20 floats each, laid out as in DrawParameters::material.
void vglSetMaterials(const float* materials, int count);
void vglSetState(const vgl::RenderState* state);
void vglDraw(int mesh, const vgl::DrawParameters* parameters);
void vglClear(int colorBuffer, int depthBuffer, const float* clearColor, int depthMask);
void vglViewport(int x, int y, int width, int height);
// Texture `name`'s level from tightly packed RGBA bytes.
void vglTexImage(unsigned name, int level, int width, int height, const void* rgba);
void vglTexParameter(unsigned name, unsigned pname, int value);
void vglDeleteTexture(unsigned name);
// RGBA bytes, rows from the bottom, as glReadPixels gives them.
void vglReadPixels(int x, int y, int width, int height, void* rgba);
}
