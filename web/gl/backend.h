#pragma once

// What the layer asks of the renderer (web/js/renderer.js in the browser).
// Structures are handed over by address and read in 32-bit words at offsets
// generated from these declarations (web/gl/layout), so the renderer follows
// any change to them.

#include <cstddef>
#include <cstdint>

namespace vgl {

constexpr int kMaxLights = 8;
constexpr int kMaxClipPlanes = 6;

// One light as the shaders read it, in eye coordinates: six four-word groups.
struct PackedLight {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float position[4];
    float spotDirection[3];
    float spotExponent;
    float spotCosCutoff;   // below -1 for no cutoff
    float attenuation[3];  // constant, linear, quadratic
};
constexpr int kLightWords = sizeof(PackedLight) / 4;

// The state every draw shares, sent again only when it changes. Which lights
// are on and how each is lit travels with each draw, as its program key.
struct RenderState {
    float projection[16];
    PackedLight lights[kMaxLights];
    float sceneAmbient[4];
    float lightOn[kMaxLights];  // 1 for a light that is on, else 0
    std::int32_t normalize;
    std::int32_t depthTest;
    std::int32_t blend;
    std::int32_t blendSource;
    std::int32_t blendDestination;
    std::int32_t textureReplace;  // GL_REPLACE rather than GL_MODULATE
    // The texture environment's mode and colour, for draws whose program
    // key has kKeyTextureFunction.
    std::int32_t textureEnvMode;
    float textureEnvColor[4];
    // Per-fragment operations, as OpenGL's enumerants where they name one.
    std::int32_t depthFunc;
    float depthRange[2];
    std::int32_t colorMask[4];
    std::int32_t dither;
    std::int32_t scissorTest;
    std::int32_t scissor[4];  // x, y, width, height
    std::int32_t stencilTest;
    std::int32_t stencilFunc;
    std::int32_t stencilRef;
    std::uint32_t stencilValueMask;
    std::int32_t stencilFail;
    std::int32_t stencilDepthFail;
    std::int32_t stencilDepthPass;
    std::uint32_t stencilWriteMask;
    // Rasterisation: points' size and lines' width in whole pixels, and
    // the faces culled (GL_FRONT, GL_BACK, GL_FRONT_AND_BACK; 0 for none).
    float pointSize;
    float lineWidth;
    std::int32_t cullFace;
    // The offset of filled polygons' depth (factor and units as
    // glPolygonOffset takes them; 0, 0 where off), and the polygon stipple,
    // 32 rows from the bottom, which applies where the program key says so.
    float polygonOffset[2];
    std::uint32_t polygonStipple[32];
    // The line stipple's pattern and repeat factor, which apply where the
    // program key says so.
    std::int32_t lineStipple[2];
    // The planes s, t and q are generated from, in object or eye space as
    // the program key says.
    float texGenPlanes[3][4];
    // The alpha test's comparison (its reference in [0, 1]), and fog: its
    // density, start, end and colour. Whether each applies is in the program key.
    std::int32_t alphaFunc;
    float alphaRef;
    float fogDensity;
    float fogStart;
    float fogEnd;
    float fogColor[4];
    // Carries texture coordinates (s, t, 0, 1); applies where the program
    // key says so.
    float textureMatrix[16];
    // The user clip planes in eye space; those that are on are in the key.
    float clipPlanes[kMaxClipPlanes][4];
};

// Words per material: ambient, diffuse, specular, emission, shininess and
// three unused words.
constexpr int kMaterialWords = 20;

// One draw call's own state.
struct DrawParameters {
    std::int32_t mode;  // GL_POINTS, GL_LINES or GL_TRIANGLES
    float modelview[16];
    float normalMatrix[9];
    // The material current where drawn, for vertices that take it: front
    // then back.
    float material[2][kMaterialWords];
    std::int32_t firstIndex;
    std::int32_t indexCount;
    std::int32_t firstVertex;  // of a segment's: lines' vertices run in order
    std::int32_t texture;      // 0: none
    std::int32_t depthMask;
    std::int32_t clockwise;  // front faces wind clockwise
    std::int32_t flat;       // shading for vertices that take it from the state
    std::int32_t textured;   // texturing for vertices that take it from the state
    // The texture's base format, GL_ALPHA ... GL_RGBA.
    std::int32_t textureBase;
    // How the shader samples the texture where the program key has
    // kKeyTextureEdges: level 0's sides without their border, the border (0
    // or 1), 1 for a one-dimensional texture, the wraps of s and t and the
    // minification and magnification filters (OpenGL's enumerants), and the
    // border colour.
    std::int32_t textureSize[2];
    std::int32_t textureBorder;
    std::int32_t textureLine;
    std::int32_t textureWrap[2];
    std::int32_t textureFilter[2];
    float textureBorderColor[4];
    // The program that lights these triangles (light_selection.h), low word first.
    std::uint32_t programKey[2];
    // 1 where the vertices have homogeneous parts (HomogeneousPart in
    // recording.h), which the program then reads: the program's key beyond
    // its two words.
    std::int32_t homogeneous;
};

// What the window's context has, as OpenGL's implementation-dependent state
// answers it; the renderer fills it in.
struct ContextLimits {
    std::int32_t colorBits[4];  // red, green, blue, alpha
    std::int32_t depthBits;
    std::int32_t stencilBits;
    std::int32_t subpixelBits;
    std::int32_t maxViewport[2];
    std::int32_t maxTextureSize;
};

// The renderer reads these structures by the offsets web/gl/layout generates
// for it; words must stay words.
static_assert(sizeof(PackedLight) % 16 == 0, "a light is whole four-word groups");
static_assert(sizeof(RenderState) % 4 == 0 && sizeof(DrawParameters) % 4 == 0 &&
                  sizeof(ContextLimits) % 4 == 0,
              "the renderer reads 32-bit words");

}  // namespace vgl

extern "C" {
// Makes the WebGL 2 context for a window of this size, with a stencil buffer
// if asked; 0 when there is none.
int vglCreateContext(int width, int height, int stencil);
void vglContextLimits(vgl::ContextLimits* limits);
// A mesh holds vertices (Vertex in recording.h), their homogeneous parts
// (HomogeneousPart, one per vertex, or none: null) and 32-bit indices of the
// points, segments and triangles its draws name. Static
// meshes are uploaded once; the stream mesh (number 0) again at every update.
int vglCreateMesh(const void* vertices, int vertexCount, const void* indices, int indexCount,
                  const void* parts);
void vglUpdateStream(const void* vertices, int vertexCount, const void* indices, int indexCount,
                     const void* parts);
void vglDeleteMesh(int mesh);
// count materials of kMaterialWords floats each, laid out as in DrawParameters::material.
void vglSetMaterials(const float* materials, int count);
// Makes the program for this key ready, so no draw waits for it later.
void vglPrepareProgram(unsigned keyLow, unsigned keyHigh);
void vglSetState(const vgl::RenderState* state);
void vglDraw(int mesh, const vgl::DrawParameters* parameters);
// Where the line stipple stands at each line segment's first vertex, one
// float per vertex of the mesh the next stippled lines are drawn from.
void vglLineStipple(const float* counts, int vertexCount);
// Clears the buffers of glClear's mask (GL_COLOR_BUFFER_BIT and the rest)
// through the masks and scissor of the last state sent, and the depth mask.
void vglClear(unsigned mask, const float* clearColor, float clearDepth, int clearStencil,
              int depthMask);
void vglViewport(int x, int y, int width, int height);
// Texture `name`'s level from tightly packed RGBA bytes.
void vglTexImage(unsigned name, int level, int width, int height, const void* rgba);
// Replaces the part of texture `name`'s level from (x, y) with tightly packed RGBA bytes.
void vglTexSubImage(unsigned name, int level, int x, int y, int width, int height,
                    const void* rgba);
void vglTexParameter(unsigned name, unsigned pname, int value);
void vglDeleteTexture(unsigned name);
// RGBA bytes, rows from the bottom, as glReadPixels gives them.
void vglReadPixels(int x, int y, int width, int height, void* rgba);
}
