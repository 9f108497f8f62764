// Capabilities, the fixed state of the frame buffer, and the attribute stack.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
const std::size_t kMaxAttributeDepth = 16;
}  // namespace

void Context::enable(GLenum cap, bool on) {
    if (cap == GL_TEXTURE_2D) {
        surface().textured.set(on);
        return;
    }
    bool* flag = nullptr;
    switch (cap) {
        case GL_LIGHTING:
            flag = &state_.lighting;
            break;
        case GL_DEPTH_TEST:
            flag = &state_.depthTest;
            break;
        case GL_BLEND:
            flag = &state_.blend;
            break;
        case GL_NORMALIZE:
            flag = &state_.normalize;
            break;
        default:
            if (isLight(cap)) {
                flag = &state_.lights[cap - GL_LIGHT0].enabled;
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
    switch (cap) {
        case GL_TEXTURE_2D:
            return state_.surface.textured.value;
        case GL_LIGHTING:
            return state_.lighting;
        case GL_DEPTH_TEST:
            return state_.depthTest;
        case GL_BLEND:
            return state_.blend;
        case GL_NORMALIZE:
            return state_.normalize;
        default:
            if (isLight(cap)) {
                return state_.lights[cap - GL_LIGHT0].enabled;
            }
            setError(GL_INVALID_ENUM);
            return false;
    }
}

void Context::frontFace(GLenum mode) {
    if (mode != GL_CW && mode != GL_CCW) {
        setError(GL_INVALID_ENUM);
        return;
    }
    surface().clockwise.set(mode == GL_CW);
}

void Context::depthMask(GLboolean flag) {
    surface().depthMask.set(flag != GL_FALSE);
}

void Context::blendFunc(GLenum source, GLenum destination) {
    if (refusedInList("glBlendFunc")) {
        return;
    }
    renderStateChanging();
    state_.blendSource = source;
    state_.blendDestination = destination;
}

void Context::clearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    if (refusedInList("glClearColor")) {
        return;
    }
    const float rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        state_.clearColor[i] = std::min(1.0f, std::max(0.0f, rgba[i]));
    }
}

void Context::clear(GLbitfield mask) {
    if (refusedInList("glClear")) {
        return;
    }
    flush();
    vglClear(word((mask & GL_COLOR_BUFFER_BIT) != 0), word((mask & GL_DEPTH_BUFFER_BIT) != 0),
             state_.clearColor, word(state_.surface.depthMask.value));
}

void Context::pushAttrib(GLbitfield mask) {
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
    restoreGroups(state_.surface, saved.surface, mask);
    if ((mask & (GL_LIGHTING_BIT | GL_ENABLE_BIT)) != 0) {
        state_.lighting = saved.lighting;
        for (int i = 0; i < kMaxLights; ++i) {
            state_.lights[i].enabled = saved.lights[i].enabled;
        }
    }
    if ((mask & GL_LIGHTING_BIT) != 0) {
        for (int i = 0; i < kMaxLights; ++i) {
            const bool enabled = state_.lights[i].enabled;
            state_.lights[i] = saved.lights[i];
            state_.lights[i].enabled = enabled;
        }
        copy4(state_.sceneAmbient, saved.sceneAmbient);
        state_.twoSide = saved.twoSide;
    }
    if ((mask & (GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT)) != 0) {
        state_.depthTest = saved.depthTest;
    }
    if ((mask & (GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT)) != 0) {
        state_.blend = saved.blend;
    }
    if ((mask & (GL_TRANSFORM_BIT | GL_ENABLE_BIT)) != 0) {
        state_.normalize = saved.normalize;
    }
    if ((mask & GL_COLOR_BUFFER_BIT) != 0) {
        state_.blendSource = saved.blendSource;
        state_.blendDestination = saved.blendDestination;
        copy4(state_.clearColor, saved.clearColor);
    }
    if ((mask & GL_TEXTURE_BIT) != 0) {
        state_.textureEnvMode = saved.textureEnvMode;
    }
    if ((mask & GL_TRANSFORM_BIT) != 0) {
        state_.matrixMode = saved.matrixMode;
    }
    attributes_.pop_back();
}

}  // namespace vgl
