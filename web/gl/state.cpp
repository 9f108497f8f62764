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

// GL_ENABLE_BIT: every group's enable flags, the rest of each group kept.
void takeEnables(ServerState& to, const ServerState& from) {
    to.lighting.enabled = from.lighting.enabled;
    for (int i = 0; i < kMaxLights; ++i) {
        to.lighting.lights[i].enabled = from.lighting.lights[i].enabled;
    }
    to.depth.test = from.depth.test;
    to.colorBuffer.blend = from.colorBuffer.blend;
    to.colorBuffer.dither = from.colorBuffer.dither;
    to.stencil.test = from.stencil.test;
    to.scissor.test = from.scissor.test;
    to.transform.normalize = from.transform.normalize;
    to.texture.line = from.texture.line;
}

struct Group {
    GLbitfield bit;
    void (*surface)(Surface&, const Surface&);         // its part of the surface, if any
    void (*server)(ServerState&, const ServerState&);  // the rest, if any
};

const Group kGroups[] = {
    {GL_CURRENT_BIT,
     take<&Surface::color, &Surface::normal, &Surface::texCoord, &Surface::colorSet,
          &Surface::normalSet, &Surface::texCoordSet>,
     nullptr},
    {GL_LIGHTING_BIT, take<&Surface::material, &Surface::materialParts, &Surface::flat>,
     take<&ServerState::lighting>},
    {GL_DEPTH_BUFFER_BIT, take<&Surface::depthMask>, take<&ServerState::depth>},
    {GL_COLOR_BUFFER_BIT, nullptr, take<&ServerState::colorBuffer>},
    {GL_STENCIL_BUFFER_BIT, nullptr, take<&ServerState::stencil>},
    {GL_SCISSOR_BIT, nullptr, take<&ServerState::scissor>},
    {GL_TRANSFORM_BIT, nullptr, take<&ServerState::transform>},
    {GL_TEXTURE_BIT, take<&Surface::texture, &Surface::textured>, take<&ServerState::texture>},
    {GL_POLYGON_BIT, take<&Surface::clockwise>, nullptr},
    {GL_ENABLE_BIT, take<&Surface::textured>, takeEnables},
    {GL_VIEWPORT_BIT, nullptr, take<&ServerState::viewport>},
};
}  // namespace

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
