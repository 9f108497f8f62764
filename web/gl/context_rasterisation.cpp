// Rasterisation: the size of points, the width and stipple of lines, the
// faces culled and how polygons are drawn. Each is state every draw shares, kept in display lists
// as the per-fragment operations are.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"
#include "stipple.h"

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
    renderStateChanging();
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

void Context::polygonMode(GLenum face, GLenum mode) {
    if (refusedInBegin() || kept([=](Context& c) { c.polygonMode(face, mode); })) {
        return;
    }
    if ((face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) ||
        (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    if (face != GL_BACK) {
        state_.polygon.mode[0] = mode;
    }
    if (face != GL_FRONT) {
        state_.polygon.mode[1] = mode;
    }
}

void Context::polygonOffset(GLfloat factor, GLfloat units) {
    if (refusedInBegin() || kept([=](Context& c) { c.polygonOffset(factor, units); })) {
        return;
    }
    renderStateChanging();
    state_.polygon.offsetFactor = factor;
    state_.polygon.offsetUnits = units;
}

// The pattern is read from client memory when the call is made, compiled
// into a list or not.
void Context::polygonStipple(const GLubyte* mask) {
    if (refusedInBegin()) {
        return;
    }
    setPolygonStipple(unpackStipple(mask, textures_.unpack()));
}

void Context::setPolygonStipple(const StipplePattern& pattern) {
    if (refusedInBegin() || kept([pattern](Context& c) { c.setPolygonStipple(pattern); })) {
        return;
    }
    renderStateChanging();
    std::copy(pattern.begin(), pattern.end(), state_.polygonStipple.rows);
}

void Context::getPolygonStipple(GLubyte* mask) {
    if (refusedInBeginNow()) {
        return;
    }
    StipplePattern pattern;
    std::copy_n(state_.polygonStipple.rows, pattern.size(), pattern.begin());
    packStipple(pattern, textures_.pack(), mask);
}

}  // namespace vgl
