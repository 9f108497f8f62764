// Writes the renderer's view of the layer's structures (backend.h,
// recording.h, light_selection.h) as an emscripten JavaScript library,
// $VGLLayout: word offsets of every field the renderer reads, the vertex's
// byte layout and its homogeneous part's, the vertex flags, the program key's bits, the context's
// states (window.h) and the OpenGL enumerants the renderer reads from the
// layer (GL/gl.h). Built and run at build time, so a field moved in C++
// moves for the renderer too.
//
//   generate_layout OUT_FILE
#include <GL/gl.h>

#include <cstddef>
#include <cstdio>
#include <sstream>
#include <string>

#include "gl/backend.h"
#include "gl/light_selection.h"
#include "gl/recording.h"
#include "gl/window.h"

namespace {

using namespace vgl;

struct Field {
    const char* name;
    std::size_t value;
};

// One object of the library: name: {field: value, ...}.
template <std::size_t N>
std::string object(const char* name, const Field (&fields)[N], std::size_t divisor) {
    std::ostringstream out;
    out << "    " << name << ": {";
    for (std::size_t i = 0; i < N; ++i) {
        out << (i == 0 ? "" : ", ") << fields[i].name << ": " << fields[i].value / divisor;
    }
    out << "},\n";
    return out.str();
}

#define FIELD(type, member) \
    { #member, offsetof(type, member) }

std::string layout() {
    // In 32-bit words from the structure's start.
    const Field state[] = {FIELD(RenderState, projection),
                           FIELD(RenderState, lights),
                           FIELD(RenderState, sceneAmbient),
                           FIELD(RenderState, lightOn),
                           FIELD(RenderState, normalize),
                           FIELD(RenderState, depthTest),
                           FIELD(RenderState, blend),
                           FIELD(RenderState, blendSource),
                           FIELD(RenderState, blendDestination),
                           FIELD(RenderState, textureReplace),
                           FIELD(RenderState, textureEnvMode),
                           FIELD(RenderState, textureEnvColor),
                           FIELD(RenderState, depthFunc),
                           FIELD(RenderState, depthRange),
                           FIELD(RenderState, colorMask),
                           FIELD(RenderState, dither),
                           FIELD(RenderState, scissorTest),
                           FIELD(RenderState, scissor),
                           FIELD(RenderState, stencilTest),
                           FIELD(RenderState, stencilFunc),
                           FIELD(RenderState, stencilRef),
                           FIELD(RenderState, stencilValueMask),
                           FIELD(RenderState, stencilFail),
                           FIELD(RenderState, stencilDepthFail),
                           FIELD(RenderState, stencilDepthPass),
                           FIELD(RenderState, stencilWriteMask),
                           FIELD(RenderState, pointSize),
                           FIELD(RenderState, lineWidth),
                           FIELD(RenderState, cullFace),
                           FIELD(RenderState, polygonOffset),
                           FIELD(RenderState, polygonStipple),
                           FIELD(RenderState, lineStipple),
                           FIELD(RenderState, texGenPlanes),
                           FIELD(RenderState, alphaFunc),
                           FIELD(RenderState, alphaRef),
                           FIELD(RenderState, fogDensity),
                           FIELD(RenderState, fogStart),
                           FIELD(RenderState, fogEnd),
                           FIELD(RenderState, fogColor),
                           FIELD(RenderState, textureMatrix),
                           FIELD(RenderState, clipPlanes)};
    // In words from the light's start.
    const Field light[] = {FIELD(PackedLight, ambient),       FIELD(PackedLight, diffuse),
                           FIELD(PackedLight, specular),      FIELD(PackedLight, position),
                           FIELD(PackedLight, spotDirection), FIELD(PackedLight, spotExponent),
                           FIELD(PackedLight, spotCosCutoff), FIELD(PackedLight, attenuation)};
    const Field draw[] = {
        FIELD(DrawParameters, mode),          FIELD(DrawParameters, modelview),
        FIELD(DrawParameters, normalMatrix),  FIELD(DrawParameters, material),
        FIELD(DrawParameters, firstIndex),    FIELD(DrawParameters, indexCount),
        FIELD(DrawParameters, firstVertex),   FIELD(DrawParameters, texture),
        FIELD(DrawParameters, depthMask),     FIELD(DrawParameters, clockwise),
        FIELD(DrawParameters, flat),          FIELD(DrawParameters, textured),
        FIELD(DrawParameters, textureBase),   FIELD(DrawParameters, programKey),
        FIELD(DrawParameters, textureSize),   FIELD(DrawParameters, textureBorder),
        FIELD(DrawParameters, textureLine),   FIELD(DrawParameters, textureWrap),
        FIELD(DrawParameters, textureFilter), FIELD(DrawParameters, textureBorderColor),
        FIELD(DrawParameters, homogeneous)};
    const Field limits[] = {
        FIELD(ContextLimits, colorBits),   FIELD(ContextLimits, depthBits),
        FIELD(ContextLimits, stencilBits), FIELD(ContextLimits, subpixelBits),
        FIELD(ContextLimits, maxViewport), FIELD(ContextLimits, maxTextureSize)};
    // In bytes.
    const Field vertex[] = {{"stride", sizeof(Vertex)}, FIELD(Vertex, position),
                            FIELD(Vertex, normal),      FIELD(Vertex, texCoord),
                            FIELD(Vertex, color),       FIELD(Vertex, material),
                            FIELD(Vertex, flags)};
    const Field part[] = {{"stride", sizeof(HomogeneousPart)}, FIELD(HomogeneousPart, w)};
    const Field flags[] = {{"flat", kFlat},
                           {"shadeFromState", kShadeFromState},
                           {"textured", kTextured},
                           {"textureFromState", kTextureFromState},
                           {"mask", kFlagBits}};
    // Light i's bits start at bit bitsPerLight * i of the low word; lighting
    // and twoSide are bits of the high word.
    const Field key[] = {{"bitsPerLight", kKeyBitsPerLight},
                         {"on", kKeyLightOn},
                         {"positional", kKeyPositional},
                         {"spot", kKeySpot},
                         {"attenuated", kKeyAttenuated},
                         {"lighting", kKeyLighting >> 32},
                         {"twoSide", kKeyTwoSide >> 32},
                         {"points", kKeyPoints >> 32},
                         {"wideLines", kKeyWideLines >> 32},
                         {"localViewer", kKeyLocalViewer >> 32},
                         {"alphaTest", kKeyAlphaTest >> 32},
                         {"fogShift", kKeyFogShift - 32},
                         {"fogLinear", kKeyFogLinear},
                         {"fogExp", kKeyFogExp},
                         {"fogExp2", kKeyFogExp2},
                         {"colorMaterialShift", kKeyColorMaterialShift - 32},
                         {"textureMatrix", kKeyTextureMatrix >> 32},
                         {"clipShift", kKeyClipShift - 32},
                         {"depthOffset", kKeyDepthOffset >> 32},
                         {"polygonStipple", kKeyPolygonStipple >> 32},
                         {"lineStipple", kKeyLineStipple >> 32},
                         {"texGenShift", kKeyTexGenShift - 32},
                         {"texGenObject", kKeyTexGenObject},
                         {"texGenEye", kKeyTexGenEye},
                         {"texGenSphere", kKeyTexGenSphere},
                         {"textureFunction", kKeyTextureFunction >> 32},
                         {"smooth", kKeySmooth >> 32},
                         {"textureEdges", kKeyTextureEdges >> 32}};
    const Field sizes[] = {{"lights", kMaxLights},
                           {"clipPlanes", kMaxClipPlanes},
                           {"lightWords", kLightWords},
                           {"materialWords", kMaterialWords},
                           {"currentMaterial", kCurrentMaterial}};
    // What vglContextState answers.
    const Field contextState[] = {
        {"lost", kVglContextLost}, {"ready", kVglContextReady}, {"renewed", kVglContextNew}};
    // Texture parameters as the layer passes them on: the filters that
    // decide whether a texture needs its mipmaps, and OpenGL 1.1's clamp,
    // which WebGL does not have; and the texture functions' names.
    const Field gl[] = {{"TEXTURE_MIN_FILTER", GL_TEXTURE_MIN_FILTER},
                        {"NEAREST", GL_NEAREST},
                        {"LINEAR", GL_LINEAR},
                        {"NEAREST_MIPMAP_LINEAR", GL_NEAREST_MIPMAP_LINEAR},
                        {"CLAMP", GL_CLAMP},
                        {"REPEAT", GL_REPEAT},
                        {"CLAMP_TO_EDGE", GL_CLAMP_TO_EDGE},
                        {"NEAREST_MIPMAP_NEAREST", GL_NEAREST_MIPMAP_NEAREST},
                        {"LINEAR_MIPMAP_NEAREST", GL_LINEAR_MIPMAP_NEAREST},
                        {"LINEAR_MIPMAP_LINEAR", GL_LINEAR_MIPMAP_LINEAR},
                        {"MODULATE", GL_MODULATE},
                        {"REPLACE", GL_REPLACE},
                        {"DECAL", GL_DECAL},
                        {"BLEND", GL_BLEND},
                        {"ALPHA", GL_ALPHA},
                        {"LUMINANCE", GL_LUMINANCE},
                        {"LUMINANCE_ALPHA", GL_LUMINANCE_ALPHA},
                        {"INTENSITY", GL_INTENSITY},
                        {"RGB", GL_RGB},
                        {"RGBA", GL_RGBA}};

    std::ostringstream out;
    out << "// Generated at build time by web/gl/layout/generate_layout.cpp from the\n"
           "// layer's headers: do not edit.\n\n"
           "var LibraryVellmoorLayout = {\n"
           "  $VGLLayout: {\n"
        << object("state", state, 4) << object("light", light, 4) << object("draw", draw, 4)
        << object("limits", limits, 4) << object("vertex", vertex, 1) << object("part", part, 1)
        << object("flags", flags, 1) << object("key", key, 1) << object("sizes", sizes, 1)
        << object("contextState", contextState, 1) << object("gl", gl, 1)
        << "  },\n"
           "};\n\n"
           "mergeInto(LibraryManager.library, LibraryVellmoorLayout);\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_layout OUT_FILE\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const std::string text = layout();
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written ? 0 : 1;
}
