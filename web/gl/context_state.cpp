// Capabilities, the fixed state of the frame buffer, and the attribute stack.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
const std::size_t kMaxAttributeDepth = 16;
}  // namespace

void Context::enable(GLenum cap, bool on) {
    if (refusedInBegin()) {
        return;
    }
    if (cap == GL_TEXTURE_2D) {
        surface().textured.set(on);
        return;
    }
    bool* flag = nullptr;
    switch (cap) {
        case GL_LIGHTING:
            flag = &state_.lighting.enabled;
            break;
        case GL_DEPTH_TEST:
            flag = &state_.depth.test;
            break;
        case GL_BLEND:
            flag = &state_.colorBuffer.blend;
            break;
        case GL_NORMALIZE:
            flag = &state_.transform.normalize;
            break;
        default:
            if (isLight(cap)) {
                flag = &state_.lighting.lights[cap - GL_LIGHT0].enabled;
            }
            break;
    }
    if (flag == nullptr) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (refusedInList(on ? "glEnable" : "glDisable")) {
        return;
    }
    if (*flag != on) {
        renderStateChanging();
        *flag = on;
    }
}

bool Context::isEnabled(GLenum cap) {
    if (refusedInBegin()) {
        return false;
    }
    switch (cap) {
        case GL_TEXTURE_2D:
            return state_.surface.textured.value;
        case GL_LIGHTING:
            return state_.lighting.enabled;
        case GL_DEPTH_TEST:
            return state_.depth.test;
        case GL_BLEND:
            return state_.colorBuffer.blend;
        case GL_NORMALIZE:
            return state_.transform.normalize;
        default:
            if (isLight(cap)) {
                return state_.lighting.lights[cap - GL_LIGHT0].enabled;
            }
            setError(GL_INVALID_ENUM);
            return false;
    }
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
    if (refusedInBegin() || refusedInList("glBlendFunc")) {
        return;
    }
    renderStateChanging();
    state_.colorBuffer.blendSource = source;
    state_.colorBuffer.blendDestination = destination;
}

void Context::clearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    if (refusedInBegin() || refusedInList("glClearColor")) {
        return;
    }
    const float rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        state_.colorBuffer.clearColor[i] = std::min(1.0f, std::max(0.0f, rgba[i]));
    }
}

void Context::clear(GLbitfield mask) {
    if (refusedInBegin() || refusedInList("glClear")) {
        return;
    }
    flush();
    vglClear(word((mask & GL_COLOR_BUFFER_BIT) != 0), word((mask & GL_DEPTH_BUFFER_BIT) != 0),
             state_.colorBuffer.clearColor, word(state_.surface.depthMask.value));
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
    attributes_.emplace_back(mask, state_);
}

void Context::popAttrib() {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        if (compilation_.attributes.empty()) {
            setError(GL_STACK_UNDERFLOW);
            return;
        }
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
    restoreGroups(state_, saved, mask);
    attributes_.pop_back();
}

}  // namespace vgl
