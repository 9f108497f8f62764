// Rasterisation: the size of points, the width and stipple of lines, and the
// faces culled. Each is state every draw shares, kept in display lists as
// the per-fragment operations are.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

void Context::pointSize(GLfloat size) {
    if (refusedInBegin() || kept([size](Context& c) { c.pointSize(size); })) {
        return;
    }
    setPixelSize(state_.point.size, size);
}

void Context::lineWidth(GLfloat width) {
    if (refusedInBegin() || kept([width](Context& c) { c.lineWidth(width); })) {
        return;
    }
    setPixelSize(state_.line.width, width);
}

void Context::setPixelSize(float& setting, GLfloat size) {
    if (!(size > 0.0f)) {
        setError(GL_INVALID_VALUE);
        return;
    }
    renderStateChanging();
    setting = size;
}

void Context::lineStipple(GLint factor, GLushort pattern) {
    if (refusedInBegin() || kept([=](Context& c) { c.lineStipple(factor, pattern); })) {
        return;
    }
    // The repeat factor is clamped to [1, 256].
    state_.line.repeat = std::min(256, std::max(1, factor));
    state_.line.pattern = pattern;
}

void Context::cullFace(GLenum mode) {
    if (refusedInBegin() || kept([=](Context& c) { c.cullFace(mode); })) {
        return;
    }
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    state_.polygon.cullFace = mode;
}

}  // namespace vgl
