// The context: its state, errors, and what a list may not hold; primitives and matrices.
#include "context.h"

#include <algorithm>
#include <cstdio>

#include "context_helpers.h"

namespace vgl {

namespace {
// Immediate geometry is drawn at the latest when this many vertices wait.
const std::size_t kImmediateLimit = 1 << 20;
}  // namespace

Context::Context() {
    compilation_.surface = state_.surface.unknownCopy();
}

Context& context() {
    static Context instance;
    return instance;
}

void Context::setError(GLenum error) {
    if (error_ == GL_NO_ERROR) {
        error_ = error;
    }
}

void Context::refuse(const std::string& what, GLenum error) {
    if (refusalsReported_.insert(what).second) {
        std::fprintf(stderr, "vellmoor: %s is not supported on WebGL; ignored\n", what.c_str());
    }
    setError(error);
}

bool Context::refusedInList(const char* call) {
    if (!compiling_) {
        return false;
    }
    refuse(std::string(call) + " inside a display list", GL_INVALID_OPERATION);
    return true;
}

bool Context::refusedInBegin() {
    if (!inBegin_) {
        return false;
    }
    setError(GL_INVALID_OPERATION);
    return true;
}

void Context::unsupported(const char* call) {
    if (refusedInBegin()) {
        return;
    }
    refuse(call, GL_INVALID_ENUM);
}

Surface& Context::surface() {
    return compiling_ ? compilation_.surface : state_.surface;
}

MatrixStack& Context::currentStack() {
    if (compiling_) {
        return compilation_.matrices;
    }
    return state_.transform.matrixMode == GL_PROJECTION ? projection_ : modelview_;
}

void Context::renderStateChanging() {
    flush();
    renderStateDirty_ = true;
}

void Context::windowCreated(int width, int height) {
    textures_.maxSize = vglMaxTextureSize();
    viewport_[2] = width;
    viewport_[3] = height;
}

void Context::begin(GLenum mode) {
    if (inBegin_) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    if (mode > GL_POLYGON) {
        setError(GL_INVALID_ENUM);
        return;
    }
    inBegin_ = true;
    beginMode_ = mode;
    source_.clear();
}

void Context::end() {
    if (!inBegin_) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    inBegin_ = false;
    const Primitive primitive = primitiveFor(beginMode_);
    if (primitive == Primitive::None) {
        unsupported("drawing points or lines");
        return;
    }
    if (compiling_) {
        recordPrimitive(compilation_.list.recording, primitive, source_, compilation_.surface,
                        compilation_.matrices.top(), materials_);
        return;
    }
    // Immediate geometry is kept in eye space; under a modelview matrix that is
    // not affine it stays in object space and is drawn on its own with it.
    const Matrix& modelview = modelview_.top();
    if (!modelview.isAffine()) {
        flush();
        recordPrimitive(immediate_, primitive, source_, state_.surface, Matrix::identity(),
                        materials_);
        drawImmediate(modelview);
        return;
    }
    recordPrimitive(immediate_, primitive, source_, state_.surface, modelview, materials_);
    if (immediate_.vertices.size() >= kImmediateLimit) {
        flush();
    }
}

void Context::vertex(GLfloat x, GLfloat y, GLfloat z) {
    if (!inBegin_) {
        return;  // outside glBegin/glEnd a vertex means nothing
    }
    const Surface& current = surface();
    SourceVertex v{};
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    std::copy_n(current.normal, 3, v.normal);
    std::copy_n(current.texCoord, 2, v.texCoord);
    copy4(v.color, current.color);
    source_.push_back(v);
}

void Context::normal(GLfloat x, GLfloat y, GLfloat z) {
    Surface& current = surface();
    current.normal[0] = x;
    current.normal[1] = y;
    current.normal[2] = z;
    current.normalSet = true;
}

void Context::texCoord(GLfloat s, GLfloat t) {
    Surface& current = surface();
    current.texCoord[0] = s;
    current.texCoord[1] = t;
    current.texCoordSet = true;
}

void Context::color(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    Surface& current = surface();
    const float rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        current.color[i] = std::min(1.0f, std::max(0.0f, rgba[i]));
    }
    current.colorSet = true;
}

void Context::rect(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
    if (refusedInBegin()) {
        return;
    }
    begin(GL_POLYGON);
    vertex(x1, y1, 0.0f);
    vertex(x2, y1, 0.0f);
    vertex(x2, y2, 0.0f);
    vertex(x1, y2, 0.0f);
    end();
}

// --- Matrices ----------------------------------------------------------------

void Context::matrixMode(GLenum mode) {
    if (refusedInBegin()) {
        return;
    }
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (mode != GL_MODELVIEW && refusedInList("glMatrixMode(GL_PROJECTION)")) {
        return;
    }
    state_.transform.matrixMode = mode;
}

void Context::loadMatrix(const Matrix& matrix) {
    if (refusedInBegin() || refusedInList("glLoadIdentity or glLoadMatrix")) {
        return;
    }
    if (state_.transform.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    currentStack().top() = matrix;
}

void Context::multiply(const Matrix& matrix) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_ && !matrix.isAffine()) {
        refusedInList("a projective glMultMatrix");
        return;
    }
    if (!compiling_ && state_.transform.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    MatrixStack& stack = currentStack();
    stack.top() = stack.top() * matrix;
}

void Context::pushMatrix() {
    if (refusedInBegin()) {
        return;
    }
    if (!currentStack().push()) {
        setError(GL_STACK_OVERFLOW);
    }
}

void Context::popMatrix() {
    if (refusedInBegin()) {
        return;
    }
    if (!compiling_ && state_.transform.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    if (!currentStack().pop()) {
        setError(GL_STACK_UNDERFLOW);
    }
}

void Context::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (refusedInBegin()) {
        return;
    }
    if (width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (refusedInList("glViewport")) {
        return;
    }
    flush();
    viewport_[0] = x;
    viewport_[1] = y;
    viewport_[2] = width;
    viewport_[3] = height;
    vglViewport(x, y, width, height);
}

}  // namespace vgl
