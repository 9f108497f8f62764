#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "backend.h"
#include "surface.h"
#include "textures.h"

namespace vgl {

struct Light {
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};  // eye coordinates
    float spotDirection[3] = {0.0f, 0.0f, -1.0f};  // eye coordinates
    float spotExponent = 0.0f;
    float spotCutoff = 180.0f;
    float attenuation[3] = {1.0f, 0.0f, 0.0f};  // constant, linear, quadratic
    bool enabled = false;
};

// The server state in glPushAttrib's groups. What travels with recorded
// geometry is the surface's (the current vertex attributes, materials and
// shade model, the depth mask, the texture binding and GL_TEXTURE_2D, the
// front face); each group below holds the rest of its bit. An enable flag
// lives in its own group, and GL_ENABLE_BIT saves it too.

// GL_LIGHTING_BIT, with the surface's materials and shade model.
struct LightingGroup {
    LightingGroup();

    Light lights[kMaxLights];
    float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    bool enabled = false;  // GL_LIGHTING
    bool twoSide = false;
    bool localViewer = false;
    // The material parameter the current colour stands for, on these faces.
    bool colorMaterial = false;  // GL_COLOR_MATERIAL
    GLenum colorMaterialFace = GL_FRONT_AND_BACK;
    GLenum colorMaterialParameter = GL_AMBIENT_AND_DIFFUSE;
};

// GL_DEPTH_BUFFER_BIT, with the surface's depth mask.
struct DepthGroup {
    bool test = false;
    GLenum func = GL_LESS;
    float clear = 1.0f;
};

// GL_COLOR_BUFFER_BIT.
struct ColorBufferGroup {
    bool blend = false;
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    float clearColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    bool writeMask[4] = {true, true, true, true};  // glColorMask
    bool dither = true;
    bool alphaTest = false;  // GL_ALPHA_TEST
    GLenum alphaFunc = GL_ALWAYS;
    float alphaRef = 0.0f;  // clamped to [0, 1]
    // Logic operations: GL_COPY, the one WebGL has, is all they may do here.
    bool colorLogicOp = false;  // GL_COLOR_LOGIC_OP
    bool indexLogicOp = false;  // GL_INDEX_LOGIC_OP
    GLenum logicOp = GL_COPY;
    // What colour-index windows would use: kept and answered, used by none.
    GLuint indexMask = ~0u;
    float clearIndex = 0.0f;
    GLenum drawBuffer = GL_BACK;
};

// GL_FOG_BIT.
struct FogGroup {
    bool enabled = false;  // GL_FOG
    GLenum mode = GL_EXP;
    float density = 1.0f;
    float start = 0.0f;
    float end = 1.0f;
    float index = 0.0f;
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // clamped to [0, 1]
};

// GL_STENCIL_BUFFER_BIT. The masks start as ones in each of the 8 bits a
// stencil buffer has here.
struct StencilGroup {
    bool test = false;
    GLenum func = GL_ALWAYS;
    GLint ref = 0;  // clamped to what the buffer holds
    GLuint valueMask = 0xFF;
    GLenum fail = GL_KEEP;
    GLenum depthFail = GL_KEEP;
    GLenum depthPass = GL_KEEP;
    GLuint writeMask = 0xFF;
    GLint clear = 0;
};

// GL_SCISSOR_BIT; the box is the window's until glScissor.
struct ScissorGroup {
    bool test = false;
    GLint box[4] = {0, 0, 0, 0};
};

// GL_TRANSFORM_BIT.
struct TransformGroup {
    GLenum matrixMode = GL_MODELVIEW;
    bool normalize = false;
    // The user clip planes in eye space; a point is kept where
    // (a, b, c, d) . (x, y, z, w) >= 0 for every plane that is on.
    double clipPlanes[kMaxClipPlanes][4] = {};
    bool clipping[kMaxClipPlanes] = {};
};

// GL_TEXTURE_BIT, with the surface's binding and GL_TEXTURE_2D.
struct TextureGroup {
    GLenum envMode = GL_MODULATE;
    float envColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // clamped to [0, 1]
    bool line = false;       // GL_TEXTURE_1D, drawn where GL_TEXTURE_2D is off
    GLuint lineTexture = 0;  // GL_TEXTURE_BINDING_1D
    // The bound textures' parameters when pushed.
    TextureParameters parameters;
    TextureParameters lineParameters;
};

// GL_TEXTURE_BIT's texture coordinate generation, for s, t, r and q.
struct TexGenCoordinate {
    bool enabled = false;  // GL_TEXTURE_GEN_S ...
    GLenum mode = GL_EYE_LINEAR;
    float objectPlane[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float eyePlane[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // in eye space
};
struct TexGenGroup {
    TexGenGroup();
    TexGenCoordinate coordinates[4];
};

// GL_POINT_BIT.
struct PointGroup {
    float size = 1.0f;
    bool smooth = false;  // GL_POINT_SMOOTH
};

// GL_LINE_BIT.
struct LineGroup {
    float width = 1.0f;
    bool smooth = false;   // GL_LINE_SMOOTH
    bool stipple = false;  // GL_LINE_STIPPLE
    GLushort pattern = 0xFFFF;
    GLint repeat = 1;
};

// GL_POLYGON_BIT, with the surface's front face.
struct PolygonGroup {
    bool cull = false;  // GL_CULL_FACE
    GLenum cullFace = GL_BACK;
    GLenum mode[2] = {GL_FILL, GL_FILL};  // front, back: GL_POINT, GL_LINE or GL_FILL
    bool smooth = false;                  // GL_POLYGON_SMOOTH, which Mesa draws aliased
    bool stipple = false;                 // GL_POLYGON_STIPPLE
    // glPolygonOffset, and the modes it applies to (GL_POLYGON_OFFSET_FILL,
    // _LINE and _POINT).
    float offsetFactor = 0.0f;
    float offsetUnits = 0.0f;
    bool offsetFill = false;
    bool offsetLine = false;
    bool offsetPoint = false;
};

// GL_POLYGON_STIPPLE_BIT: 32 rows from the bottom, bit i of a row its
// column i; all set at first.
struct PolygonStippleGroup {
    std::uint32_t rows[32] = {~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u,
                              ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u,
                              ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u};
};

// GL_VIEWPORT_BIT.
struct ViewportGroup {
    GLint rect[4] = {0, 0, 0, 0};
    float depthRange[2] = {0.0f, 1.0f};  // glDepthRange's near and far
};

// GL_HINT_BIT: each hint GL_DONT_CARE, GL_FASTEST or GL_NICEST.
struct HintGroup {
    GLenum perspectiveCorrection = GL_DONT_CARE;
    GLenum pointSmooth = GL_DONT_CARE;
    GLenum lineSmooth = GL_DONT_CARE;
    GLenum polygonSmooth = GL_DONT_CARE;
    GLenum fog = GL_DONT_CARE;
};

// GL_LIST_BIT: what glCallLists adds to each name.
struct ListGroup {
    GLuint base = 0;
};

// GL_PIXEL_MODE_BIT's buffer that pixels are read from.
struct ReadBufferGroup {
    GLenum buffer = GL_BACK;
};

// GL_CURRENT_BIT's colour index, which has no colour-index window to draw in.
struct CurrentIndexGroup {
    float index = 1.0f;
};

// The state outside display lists, as glPushAttrib saves it.
struct ServerState {
    Surface surface;
    LightingGroup lighting;
    DepthGroup depth;
    ColorBufferGroup colorBuffer;
    StencilGroup stencil;
    ScissorGroup scissor;
    TransformGroup transform;
    TextureGroup texture;
    ViewportGroup viewport;
    PointGroup point;
    LineGroup line;
    PolygonGroup polygon;
    PolygonStippleGroup polygonStipple;
    TexGenGroup texGen;
    FogGroup fog;
    PixelTransfer pixelMode;  // GL_PIXEL_MODE_BIT
    ReadBufferGroup readBuffer;
    HintGroup hints;
    ListGroup list;
    CurrentIndexGroup current;
};

// The flag glEnable sets for `cap` in the server state, GL_TEXTURE_2D (the
// surface's) aside; null for a capability it does not have.
bool* enableFlag(ServerState& state, GLenum cap);
// The evaluators' capabilities: the maps of one and two dimensions, and
// GL_AUTO_NORMAL. Without evaluators they are never on.
bool evaluatorCapability(GLenum cap);

// Restores the groups of glPushAttrib's mask: of a surface alone (a display
// list keeps no more), or of the whole server state.
void restoreGroups(Surface& surface, const Surface& saved, GLbitfield mask);
void restoreGroups(ServerState& state, const ServerState& saved, GLbitfield mask);

}  // namespace vgl
