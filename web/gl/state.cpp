// Which parts of the state each glPushAttrib bit saves, in one table.
#include "state.h"

#include <algorithm>
#include <cstddef>

namespace vgl {

LightingGroup::LightingGroup() {
    // Light 0 is the one white light OpenGL starts with.
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    std::copy_n(white, 4, lights[0].diffuse);
    std::copy_n(white, 4, lights[0].specular);
}

TexGenGroup::TexGenGroup() {
    // s and t start as x and y; r and q as 0.
    for (int i = 0; i < 2; ++i) {
        coordinates[i].objectPlane[i] = 1.0f;
        coordinates[i].eyePlane[i] = 1.0f;
    }
}

namespace {

template <typename T>
void assign(T& to, const T& from) {
    to = from;
}

template <typename T, std::size_t N>
void assign(T (&to)[N], const T (&from)[N]) {
    std::copy_n(from, N, to);
}

// Copies the named members of a state.
template <auto... Members, typename State>
void take(State& to, const State& from) {
    (assign(to.*Members, from.*Members), ...);
}

// Every capability glEnable sets in the server state, by where its flag lives.
struct Enable {
    GLenum cap;
    bool& (*flag)(ServerState&);
};

#define VGL_ENABLE(cap, member)                               \
    {                                                         \
        cap, [](ServerState& s) -> bool& { return s.member; } \
    }
const Enable kEnables[] = {
    VGL_ENABLE(GL_LIGHTING, lighting.enabled),
    VGL_ENABLE(GL_DEPTH_TEST, depth.test),
    VGL_ENABLE(GL_BLEND, colorBuffer.blend),
    VGL_ENABLE(GL_DITHER, colorBuffer.dither),
    VGL_ENABLE(GL_STENCIL_TEST, stencil.test),
    VGL_ENABLE(GL_SCISSOR_TEST, scissor.test),
    VGL_ENABLE(GL_NORMALIZE, transform.normalize),
    VGL_ENABLE(GL_TEXTURE_1D, texture.line),
    VGL_ENABLE(GL_POINT_SMOOTH, point.smooth),
    VGL_ENABLE(GL_LINE_SMOOTH, line.smooth),
    VGL_ENABLE(GL_LINE_STIPPLE, line.stipple),
    VGL_ENABLE(GL_CULL_FACE, polygon.cull),
    VGL_ENABLE(GL_POLYGON_SMOOTH, polygon.smooth),
    VGL_ENABLE(GL_POLYGON_STIPPLE, polygon.stipple),
    VGL_ENABLE(GL_POLYGON_OFFSET_FILL, polygon.offsetFill),
    VGL_ENABLE(GL_POLYGON_OFFSET_LINE, polygon.offsetLine),
    VGL_ENABLE(GL_POLYGON_OFFSET_POINT, polygon.offsetPoint),
    VGL_ENABLE(GL_ALPHA_TEST, colorBuffer.alphaTest),
    VGL_ENABLE(GL_FOG, fog.enabled),
    VGL_ENABLE(GL_COLOR_MATERIAL, lighting.colorMaterial),
    VGL_ENABLE(GL_COLOR_LOGIC_OP, colorBuffer.colorLogicOp),
    VGL_ENABLE(GL_INDEX_LOGIC_OP, colorBuffer.indexLogicOp),
    VGL_ENABLE(GL_TEXTURE_GEN_S, texGen.coordinates[0].enabled),
    VGL_ENABLE(GL_TEXTURE_GEN_T, texGen.coordinates[1].enabled),
    VGL_ENABLE(GL_TEXTURE_GEN_R, texGen.coordinates[2].enabled),
    VGL_ENABLE(GL_TEXTURE_GEN_Q, texGen.coordinates[3].enabled),
};
#undef VGL_ENABLE

// GL_ENABLE_BIT: every group's enable flags, the rest of each group kept.
void takeEnables(ServerState& to, const ServerState& from) {
    auto& source = const_cast<ServerState&>(from);
    for (const Enable& enable : kEnables) {
        enable.flag(to) = enable.flag(source);
    }
    for (int i = 0; i < kMaxLights; ++i) {
        to.lighting.lights[i].enabled = from.lighting.lights[i].enabled;
    }
    assign(to.transform.clipping, from.transform.clipping);
}

struct Group {
    GLbitfield bit;
    void (*surface)(Surface&, const Surface&);         // its part of the surface, if any
    void (*server)(ServerState&, const ServerState&);  // the rest, if any
};

const Group kGroups[] = {
    {GL_CURRENT_BIT,
     take<&Surface::color, &Surface::normal, &Surface::texCoord, &Surface::edgeFlag,
          &Surface::colorSet, &Surface::normalSet, &Surface::texCoordSet, &Surface::edgeFlagSet>,
     take<&ServerState::current>},
    {GL_LIGHTING_BIT, take<&Surface::material, &Surface::materialParts, &Surface::flat>,
     take<&ServerState::lighting>},
    {GL_DEPTH_BUFFER_BIT, take<&Surface::depthMask>, take<&ServerState::depth>},
    {GL_COLOR_BUFFER_BIT, nullptr, take<&ServerState::colorBuffer>},
    {GL_STENCIL_BUFFER_BIT, nullptr, take<&ServerState::stencil>},
    {GL_SCISSOR_BIT, nullptr, take<&ServerState::scissor>},
    {GL_TRANSFORM_BIT, nullptr, take<&ServerState::transform>},
    {GL_TEXTURE_BIT, take<&Surface::texture, &Surface::textured>, take<&ServerState::texture>},
    {GL_TEXTURE_BIT, nullptr, take<&ServerState::texGen>},
    {GL_POLYGON_BIT, take<&Surface::clockwise>, take<&ServerState::polygon>},
    {GL_POLYGON_STIPPLE_BIT, nullptr, take<&ServerState::polygonStipple>},
    {GL_POINT_BIT, nullptr, take<&ServerState::point>},
    {GL_LINE_BIT, nullptr, take<&ServerState::line>},
    {GL_FOG_BIT, nullptr, take<&ServerState::fog>},
    {GL_ENABLE_BIT, take<&Surface::textured>, takeEnables},
    {GL_VIEWPORT_BIT, nullptr, take<&ServerState::viewport>},
    {GL_PIXEL_MODE_BIT, nullptr, take<&ServerState::pixelMode, &ServerState::readBuffer>},
    {GL_HINT_BIT, nullptr, take<&ServerState::hints>},
    {GL_LIST_BIT, nullptr, take<&ServerState::list>},
};
}  // namespace

bool* enableFlag(ServerState& state, GLenum cap) {
    for (const Enable& enable : kEnables) {
        if (enable.cap == cap) {
            return &enable.flag(state);
        }
    }
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) {
        return &state.lighting.lights[cap - GL_LIGHT0].enabled;
    }
    if (cap >= GL_CLIP_PLANE0 && cap < GL_CLIP_PLANE0 + kMaxClipPlanes) {
        return &state.transform.clipping[cap - GL_CLIP_PLANE0];
    }
    return nullptr;
}

bool evaluatorCapability(GLenum cap) {
    return cap == GL_AUTO_NORMAL || (cap >= GL_MAP1_COLOR_4 && cap <= GL_MAP1_VERTEX_4) ||
           (cap >= GL_MAP2_COLOR_4 && cap <= GL_MAP2_VERTEX_4);
}

void restoreGroups(Surface& surface, const Surface& saved, GLbitfield mask) {
    for (const Group& group : kGroups) {
        if ((mask & group.bit) != 0 && group.surface != nullptr) {
            group.surface(surface, saved);
        }
    }
}

void restoreGroups(ServerState& state, const ServerState& saved, GLbitfield mask) {
    restoreGroups(state.surface, saved.surface, mask);
    for (const Group& group : kGroups) {
        if ((mask & group.bit) != 0 && group.server != nullptr) {
            group.server(state, saved);
        }
    }
}

}  // namespace vgl
