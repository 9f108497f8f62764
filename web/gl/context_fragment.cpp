// Per-fragment operations: the alpha test, the scissor box, the stencil and depth tests and
// their buffers' clear values, the depth range and the colour mask. Each is
// state every draw shares, so drawing waits for none of it; a display list
// keeps each call to run again where it is called.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {

// The comparisons glDepthFunc and glStencilFunc take.
bool comparison(GLenum func) {
    return func >= GL_NEVER && func <= GL_ALWAYS;
}

// What glStencilOp takes for each outcome.
bool stencilAction(GLenum op) {
    switch (op) {
        case GL_KEEP:
        case GL_ZERO:
        case GL_REPLACE:
        case GL_INCR:
        case GL_DECR:
        case GL_INVERT:
            return true;
        default:
            return false;
    }
}

float clamped(GLclampd value) {
    return static_cast<float>(std::min(1.0, std::max(0.0, value)));
}

}  // namespace

void Context::alphaFunc(GLenum func, GLclampf ref) {
    if (refusedInBegin() || kept([=](Context& c) { c.alphaFunc(func, ref); })) {
        return;
    }
    if (!comparison(func)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.colorBuffer.alphaFunc = func;
    state_.colorBuffer.alphaRef = clamped(ref);
}

void Context::depthFunc(GLenum func) {
    if (refusedInBegin() || kept([=](Context& c) { c.depthFunc(func); })) {
        return;
    }
    if (!comparison(func)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.depth.func = func;
}

void Context::depthRange(GLclampd zNear, GLclampd zFar) {
    if (refusedInBegin() || kept([=](Context& c) { c.depthRange(zNear, zFar); })) {
        return;
    }
    renderStateChanging();
    state_.viewport.depthRange[0] = clamped(zNear);
    state_.viewport.depthRange[1] = clamped(zFar);
}

void Context::clearDepth(GLclampd depth) {
    if (refusedInBegin() || kept([=](Context& c) { c.clearDepth(depth); })) {
        return;
    }
    state_.depth.clear = clamped(depth);
}

void Context::colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    if (refusedInBegin() || kept([=](Context& c) { c.colorMask(r, g, b, a); })) {
        return;
    }
    renderStateChanging();
    const GLboolean rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        state_.colorBuffer.writeMask[i] = rgba[i] != GL_FALSE;
    }
}

void Context::scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (refusedInBegin() || kept([=](Context& c) { c.scissor(x, y, width, height); })) {
        return;
    }
    if (width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    renderStateChanging();
    const GLint box[4] = {x, y, width, height};
    std::copy_n(box, 4, state_.scissor.box);
}

void Context::stencilFunc(GLenum func, GLint ref, GLuint mask) {
    if (refusedInBegin() || kept([=](Context& c) { c.stencilFunc(func, ref, mask); })) {
        return;
    }
    if (!comparison(func)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.stencil.func = func;
    state_.stencil.ref = std::min(std::max(ref, 0), (1 << limits_.stencilBits) - 1);
    state_.stencil.valueMask = mask;
}

void Context::stencilOp(GLenum fail, GLenum depthFail, GLenum depthPass) {
    if (refusedInBegin() || kept([=](Context& c) { c.stencilOp(fail, depthFail, depthPass); })) {
        return;
    }
    if (!stencilAction(fail) || !stencilAction(depthFail) || !stencilAction(depthPass)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.stencil.fail = fail;
    state_.stencil.depthFail = depthFail;
    state_.stencil.depthPass = depthPass;
}

void Context::stencilMask(GLuint mask) {
    if (refusedInBegin() || kept([=](Context& c) { c.stencilMask(mask); })) {
        return;
    }
    renderStateChanging();
    state_.stencil.writeMask = mask;
}

void Context::clearStencil(GLint s) {
    if (refusedInBegin() || kept([=](Context& c) { c.clearStencil(s); })) {
        return;
    }
    state_.stencil.clear = s;
}

}  // namespace vgl
