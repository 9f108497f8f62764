// Capabilities, the fixed state of the frame buffer, and the attribute stack.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
// What glBlendFunc takes in OpenGL 1.1 for the source and the destination.
bool sourceFactor(GLenum factor) {
    switch (factor) {
        case GL_ZERO:
        case GL_ONE:
        case GL_DST_COLOR:
        case GL_ONE_MINUS_DST_COLOR:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
        case GL_SRC_ALPHA_SATURATE:
            return true;
        default:
            return false;
    }
}

bool destinationFactor(GLenum factor) {
    switch (factor) {
        case GL_ZERO:
        case GL_ONE:
        case GL_SRC_COLOR:
        case GL_ONE_MINUS_SRC_COLOR:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
            return true;
        default:
            return false;
    }
}

// The buffers glClear names: colour, depth, stencil, and the accumulation
// buffer the window does not have.
const GLbitfield kClearBits =
    GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
}  // namespace

void Context::enable(GLenum cap, bool on) {
    if (refusedInBegin()) {
        return;
    }
    // Without evaluators their capabilities are never on: refused where
    // given, in a list or not.
    if (evaluatorCapability(cap)) {
        if (on) {
            refuse(Refused::Evaluators);
        }
        return;
    }
    if (cap == GL_TEXTURE_2D) {
        surface().textured.set(on);
        return;
    }
    if (kept([=](Context& c) { c.enable(cap, on); })) {
        return;
    }
    bool* flag = enableFlag(state_, cap);
    if (flag == nullptr) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // The material takes the colour it stood for when tracking starts and ends.
    if (cap == GL_COLOR_MATERIAL) {
        trackColor();
    }
    if (*flag != on) {
        renderStateChanging();
        *flag = on;
    }
    if (cap == GL_COLOR_MATERIAL) {
        trackColor();
    }
}

bool Context::isEnabled(GLenum cap) {
    if (refusedInBeginNow()) {
        return false;
    }
    if (cap == GL_TEXTURE_2D) {
        return state_.surface.textured.value;
    }
    if (const bool* flag = enableFlag(state_, cap)) {
        return *flag;
    }
    if (const bool* flag = arrays_.flag(cap)) {
        return *flag;
    }
    if (!evaluatorCapability(cap)) {
        setErrorNow(GL_INVALID_ENUM);
    }
    return false;
}

void Context::frontFace(GLenum mode) {
    if (refusedInBegin()) {
        return;
    }
    if (mode != GL_CW && mode != GL_CCW) {
        setError(GL_INVALID_ENUM);
        return;
    }
    surface().clockwise.set(mode == GL_CW);
}

void Context::depthMask(GLboolean flag) {
    if (refusedInBegin()) {
        return;
    }
    surface().depthMask.set(flag != GL_FALSE);
}

void Context::blendFunc(GLenum source, GLenum destination) {
    if (refusedInBegin() || kept([=](Context& c) { c.blendFunc(source, destination); })) {
        return;
    }
    if (!sourceFactor(source) || !destinationFactor(destination)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.colorBuffer.blendSource = source;
    state_.colorBuffer.blendDestination = destination;
}

void Context::clearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    if (refusedInBegin() || kept([=](Context& c) { c.clearColor(r, g, b, a); })) {
        return;
    }
    const float rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        state_.colorBuffer.clearColor[i] = std::min(1.0f, std::max(0.0f, rgba[i]));
    }
}

void Context::clear(GLbitfield mask) {
    if (refusedInBegin() || kept([=](Context& c) { c.clear(mask); })) {
        return;
    }
    if ((mask & ~kClearBits) != 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    flush();
    // The colour and stencil masks and the scissor box apply as they are now.
    sendRenderState();
    vglClear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT),
             state_.colorBuffer.clearColor, state_.depth.clear, state_.stencil.clear,
             word(state_.surface.depthMask.value));
}

void Context::pushAttrib(GLbitfield mask) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        compilation_.attributes.emplace_back(mask, compilation_.surface);
        return;
    }
    if (attributes_.size() >= kMaxAttributeDepth) {
        setError(GL_STACK_OVERFLOW);
        return;
    }
    trackColor();
    pushAttributes(mask, state_);
}

void Context::pushAttributes(GLbitfield mask, const ServerState& state) {
    attributes_.emplace_back(mask, state);
    TextureGroup& texture = attributes_.back().second.texture;
    texture.parameters = textures_.object(state.surface.texture.value).parameters;
    texture.lineParameters = textures_.object(boundTexture(GL_TEXTURE_1D)).parameters;
}

void Context::popAttrib() {
    if (refusedInBegin()) {
        return;
    }
    // Attributes pushed before the list's part are popped where it is
    // called: what it restores is not known here.
    if (compiling_ && compilation_.attributes.empty()) {
        keep([](Context& c) { c.popAttrib(); });
        compilation_.surface = compilation_.surface.unknownCopy();
        return;
    }
    if (compiling_) {
        const auto& [mask, saved] = compilation_.attributes.back();
        restoreGroups(compilation_.surface, saved, mask);
        compilation_.attributes.pop_back();
        return;
    }
    if (attributes_.empty()) {
        setError(GL_STACK_UNDERFLOW);
        return;
    }
    renderStateChanging();
    const auto& [mask, saved] = attributes_.back();
    const ViewportGroup viewport = state_.viewport;
    restoreGroups(state_, saved, mask);
    // The bound texture's parameters come back with GL_TEXTURE_BIT, on the
    // texture bound when they were pushed.
    if ((mask & GL_TEXTURE_BIT) != 0) {
        setParameters(saved.surface.texture.value, saved.texture.parameters);
        setParameters(boundTexture(GL_TEXTURE_1D), saved.texture.lineParameters);
    }
    if (!std::equal(viewport.rect, viewport.rect + 4, state_.viewport.rect)) {
        const GLint* rect = state_.viewport.rect;
        vglViewport(rect[0], rect[1], rect[2], rect[3]);
    }
    attributes_.pop_back();
}

}  // namespace vgl
