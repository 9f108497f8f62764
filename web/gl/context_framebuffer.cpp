// The framebuffer's modes that have little or nothing to draw here: hints,
// logic operations, the buffers drawn to and read from, the state a
// colour-index window would use, and the render mode with the name stack
// that selection uses.
#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {

GLenum* hintOf(HintGroup& hints, GLenum target) {
    switch (target) {
        case GL_PERSPECTIVE_CORRECTION_HINT:
            return &hints.perspectiveCorrection;
        case GL_POINT_SMOOTH_HINT:
            return &hints.pointSmooth;
        case GL_LINE_SMOOTH_HINT:
            return &hints.lineSmooth;
        case GL_POLYGON_SMOOTH_HINT:
            return &hints.polygonSmooth;
        case GL_FOG_HINT:
            return &hints.fog;
        default:
            return nullptr;
    }
}

// The buffers a double-buffered window without stereo or auxiliary buffers
// has, and of those the one WebGL draws to and reads from: the back buffer.
bool colourBuffer(GLenum buffer) {
    switch (buffer) {
        case GL_NONE:
        case GL_FRONT_LEFT:
        case GL_FRONT_RIGHT:
        case GL_BACK_LEFT:
        case GL_BACK_RIGHT:
        case GL_FRONT:
        case GL_BACK:
        case GL_LEFT:
        case GL_RIGHT:
        case GL_FRONT_AND_BACK:
            return true;
        default:
            return buffer >= GL_AUX0 && buffer <= GL_AUX3;
    }
}
bool missingBuffer(GLenum buffer) {
    return buffer == GL_FRONT_RIGHT || buffer == GL_BACK_RIGHT || buffer == GL_RIGHT ||
           (buffer >= GL_AUX0 && buffer <= GL_AUX3);
}
bool backBuffer(GLenum buffer) {
    return buffer == GL_BACK || buffer == GL_BACK_LEFT;
}

}  // namespace

void Context::hint(GLenum target, GLenum mode) {
    if (refusedInBegin() || (compiling_ && kept([=](Context& c) { c.hint(target, mode); }))) {
        return;
    }
    GLenum* hint = hintOf(state_.hints, target);
    if (hint == nullptr || (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    *hint = mode;
}

void Context::logicOp(GLenum op) {
    // Refused where it is given, in a list or not.
    if (refusedInBegin()) {
        return;
    }
    if (op >= GL_CLEAR && op <= GL_SET && op != GL_COPY) {
        refuse(Refused::LogicOperations);
        return;
    }
    if (compiling_ && kept([=](Context& c) { c.logicOp(op); })) {
        return;
    }
    if (op != GL_COPY) {
        setError(GL_INVALID_ENUM);
        return;
    }
    state_.colorBuffer.logicOp = op;
}

void Context::indexMask(GLuint mask) {
    if (refusedInBegin() || (compiling_ && kept([=](Context& c) { c.indexMask(mask); }))) {
        return;
    }
    state_.colorBuffer.indexMask = mask;
}

void Context::clearIndex(GLfloat index) {
    if (refusedInBegin() || (compiling_ && kept([=](Context& c) { c.clearIndex(index); }))) {
        return;
    }
    state_.colorBuffer.clearIndex = index;
}

void Context::index(GLfloat index) {
    // Between a list's glBegin and glEnd it would cut the primitive it
    // colours nothing in: there it is dropped.
    if (compiling_ && (compilation_.inBegin || kept([=](Context& c) { c.index(index); }))) {
        return;
    }
    state_.current.index = index;
}

void Context::drawBuffer(GLenum buffer) {
    if (refusedInBegin()) {
        return;
    }
    if (colourBuffer(buffer) && !missingBuffer(buffer) && !backBuffer(buffer)) {
        refuse(Refused::OtherBuffers);
        return;
    }
    if (compiling_ && kept([=](Context& c) { c.drawBuffer(buffer); })) {
        return;
    }
    if (!colourBuffer(buffer)) {
        setError(GL_INVALID_ENUM);
    } else if (missingBuffer(buffer)) {
        setError(GL_INVALID_OPERATION);
    } else {
        state_.colorBuffer.drawBuffer = buffer;
    }
}

void Context::readBuffer(GLenum buffer) {
    if (refusedInBegin()) {
        return;
    }
    const bool named = colourBuffer(buffer) && buffer != GL_NONE && buffer != GL_FRONT_AND_BACK;
    if (named && !missingBuffer(buffer) && !backBuffer(buffer)) {
        refuse(Refused::OtherBuffers);
        return;
    }
    if (compiling_ && kept([=](Context& c) { c.readBuffer(buffer); })) {
        return;
    }
    if (!named) {
        setError(GL_INVALID_ENUM);
    } else if (missingBuffer(buffer)) {
        setError(GL_INVALID_OPERATION);
    } else {
        state_.readBuffer.buffer = buffer;
    }
}

GLint Context::renderMode(GLenum mode) {
    if (refusedInBeginNow()) {
        return 0;
    }
    if (mode == GL_SELECT || mode == GL_FEEDBACK) {
        unsupported(Refused::RenderModes, true);
    } else if (mode != GL_RENDER) {
        setErrorNow(GL_INVALID_ENUM);
    }
    return 0;  // leaving GL_RENDER, which records nothing
}

void Context::nameStack() {
    // Outside GL_SELECT (and glPassThrough outside GL_FEEDBACK) these do
    // nothing, and the window is never in either.
    if (refusedInBegin()) {
        return;
    }
}

}  // namespace vgl
