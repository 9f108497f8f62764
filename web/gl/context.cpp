// The context: its state, errors, and what a list may not hold; primitives and matrices.
#include "context.h"

#include <algorithm>
#include <array>
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

namespace {
void keepFirst(GLenum& flag, GLenum error) {
    if (flag == GL_NO_ERROR) {
        flag = error;
    }
}
}  // namespace

void Context::setError(GLenum error) {
    if (compiling_) {
        keepFirst(compilation_.list.error, error);
        keepFirst(compilation_.list.errorInPrimitive, error);
        return;
    }
    keepFirst(error_, error);
}

void Context::setErrorNow(GLenum error) {
    keepFirst(error_, error);
}

void Context::refuse(Refused which) {
    // A list compiled again, for a list it calls that changed, is refused
    // where it is called.
    if (compiling_ && compilation_.again) {
        if (!compilation_.refused) {
            compilation_.refused = which;
        }
        return;
    }
    const Refusal& refused = refusal(which);
    if (refusalsReported_.insert(which).second) {
        std::fprintf(stderr, "vellmoor: %s is not supported on WebGL; ignored\n", refused.what);
    }
    lastRefusal_ = &refused;
    ++refusals_;
    setErrorNow(refused.error);
}

const Refusal* Context::takeRefusal() {
    const Refusal* refused = lastRefusal_;
    lastRefusal_ = nullptr;
    return refused;
}

void Context::keep(std::function<void(Context&)> call) {
    noteSource(call);
    Compilation& c = compilation_;
    finishPart();
    c.whole.steps.push_back({std::move(call), DisplayList()});
    c.cut = true;
}

void Context::finishPart() {
    Compilation& c = compilation_;
    DisplayList part = std::move(c.list);
    part.end = c.surface;
    // What it leaves pushed is pushed again where it is called.
    MatrixStack& matrices = c.matrices;
    while (matrices.depth() > 1) {
        part.pushedMatrices.insert(part.pushedMatrices.begin(), matrices.top());
        matrices.pop();
    }
    part.matrix = matrices.top();
    part.pushedAttributes = std::move(c.attributes);
    part.chunks = chunksOf(part.recording);
    part.mesh = uploadMesh(part.recording);
    if (c.cut) {
        c.whole.calls.insert(part.calls.begin(), part.calls.end());
        part.calls.clear();
        c.whole.steps.back().after = std::move(part);
    } else {
        c.whole = std::move(part);
    }
    // The next part starts where this one's calls leave the caller's state.
    c.list = DisplayList();
    c.matrices = MatrixStack{kMaxMatrixDepth};
    c.attributes.clear();
}

bool Context::refusedInBegin() {
    if (primitiveOpen()) {
        setError(GL_INVALID_OPERATION);
        return true;
    }
    if (compiling_) {
        keepFirst(compilation_.list.errorInPrimitive, GL_INVALID_OPERATION);
    }
    return false;
}

bool Context::refusedInBeginNow() {
    if (!inBegin_) {
        return false;
    }
    setErrorNow(GL_INVALID_OPERATION);
    return true;
}

void Context::unsupported(Refused which, bool atOnce) {
    // Refused, the call is no list's: the primitive it comes in is the one
    // run, or, compiled, the list's own.
    const bool inPrimitive = atOnce ? inBegin_ : primitiveOpen();
    if (inPrimitive) {
        atOnce ? setErrorNow(GL_INVALID_OPERATION) : setError(GL_INVALID_OPERATION);
        return;
    }
    refuse(which);
}

Surface& Context::surface() {
    return compiling_ ? compilation_.surface : state_.surface;
}

MatrixStack& Context::currentStack() {
    if (compiling_) {
        return compilation_.matrices;
    }
    switch (state_.transform.matrixMode) {
        case GL_PROJECTION:
            return projection_;
        case GL_TEXTURE:
            return texture_;
        default:
            return modelview_;
    }
}

void Context::renderStateChanging() {
    flush();
    renderStateDirty_ = true;
}

void Context::windowCreated(int width, int height) {
    vglContextLimits(&limits_);
    textures_.maxSize = limits_.maxTextureSize;
    state_.viewport.rect[2] = width;
    state_.viewport.rect[3] = height;
    state_.scissor.box[2] = width;
    state_.scissor.box[3] = height;
}

void Context::begin(GLenum mode) {
    if (compiling_) {
        compilation_.list.holdsPrimitiveCalls = true;
        compilation_.list.beginsPrimitives = true;
    }
    if (primitiveOpen()) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    if (mode > GL_POLYGON) {
        setError(GL_INVALID_ENUM);
        return;
    }
    (compiling_ ? compilation_.inBegin : inBegin_) = true;
    building().mode = mode;
    building().vertices.clear();
    building().materials.clear();
}

void Context::end() {
    if (compiling_) {
        compilation_.list.holdsPrimitiveCalls = true;
        compilation_.list.holdsLooseCalls |= !compilation_.inBegin;
    }
    if (!primitiveOpen()) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    const Primitive primitive = primitiveFor(building().mode);
    const std::vector<SourceVertex>& source = building().vertices;
    if (compiling_) {
        compilation_.inBegin = false;
        recordPrimitive(compilation_.list.recording, primitive, source, compilation_.surface,
                        compilation_.matrices.top(), materials_, building().materials);
        return;
    }
    inBegin_ = false;
    // Immediate geometry is kept in eye space; under a modelview matrix that is
    // not affine, or where texture coordinates are generated from object
    // coordinates, it stays in object space and is drawn on its own with it.
    const Matrix& modelview = modelview_.top();
    const auto fromObject = [](const TexGenCoordinate& c) {
        return c.enabled && c.mode == GL_OBJECT_LINEAR;
    };
    if (!modelview.isAffine() || std::any_of(std::begin(state_.texGen.coordinates),
                                             std::end(state_.texGen.coordinates), fromObject)) {
        flush();
        recordPrimitive(immediate_, primitive, source, drawnSurface(), Matrix::identity(),
                        materials_, building().materials);
        drawImmediate(modelview);
        return;
    }
    recordPrimitive(immediate_, primitive, source, drawnSurface(), modelview, materials_,
                    building().materials);
    if (immediate_.vertices.size() >= kImmediateLimit) {
        flush();
    }
}

void Context::noteMaterials(std::size_t from) {
    std::vector<MaterialSpan>& spans = building().materials;
    if (!spans.empty() && spans.back().from == from) {
        spans.pop_back();
    }
    const Surface& current = surface();
    MaterialSpan span;
    span.from = from;
    for (int face = 0; face < 2; ++face) {
        span.material[face] = current.material[face];
        span.parts[face] = current.materialParts[face];
    }
    spans.push_back(span);
}

void Context::vertex(GLfloat x, GLfloat y, GLfloat z) {
    vertex4(x, y, z, 1.0f);
}

void Context::vertex4(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    if (compiling_) {
        compilation_.list.holdsPrimitiveCalls = true;
        compilation_.list.holdsLooseCalls |= !compilation_.inBegin;
    }
    if (!primitiveOpen()) {
        return;  // outside glBegin/glEnd a vertex means nothing
    }
    const Surface& current = surface();
    SourceVertex v{};
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = w;
    std::copy_n(current.normal, 3, v.normal);
    std::copy_n(current.texCoord, 4, v.texCoord);
    copy4(v.color, current.color);
    v.edge = current.edgeFlag;
    building().vertices.push_back(v);
}

void Context::normal(GLfloat x, GLfloat y, GLfloat z) {
    Surface& current = surface();
    current.normal[0] = x;
    current.normal[1] = y;
    current.normal[2] = z;
    current.normalSet = true;
}

void Context::texCoord4(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
    Surface& current = surface();
    current.texCoord[0] = s;
    current.texCoord[1] = t;
    current.texCoord[2] = r;
    current.texCoord[3] = q;
    current.texCoordSet = true;
}

void Context::texCoord(GLfloat s, GLfloat t) {
    texCoord4(s, t, 0.0f, 1.0f);
}

void Context::color(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    // Kept as given: colours are clamped where they are drawn.
    Surface& current = surface();
    const float rgba[4] = {r, g, b, a};
    copy4(current.color, rgba);
    current.colorSet = true;
}

void Context::edgeFlag(bool flag) {
    Surface& current = surface();
    current.edgeFlag = flag;
    current.edgeFlagSet = true;
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
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (compiling_) {
        // Selecting the modelview matrix travels with the geometry unless
        // the list selected another before.
        if (mode == GL_MODELVIEW && !keepsMatrices()) {
            compilation_.list.selectsModelview = true;
        } else {
            keep([mode](Context& c) { c.matrixMode(mode); });
        }
        compilation_.selected = mode;
        return;
    }
    state_.transform.matrixMode = mode;
}

void Context::transforming() {
    if (compiling_ && compilation_.selected != GL_MODELVIEW) {
        compilation_.list.transformsSelected = true;
    }
}

void Context::loadMatrix(const Matrix& matrix) {
    if (refusedInBegin() || kept([matrix](Context& c) { c.loadMatrix(matrix); })) {
        return;
    }
    if (state_.transform.matrixMode != GL_MODELVIEW) {
        renderStateChanging();
    }
    currentStack().top() = matrix;
}

void Context::multiply(const Matrix& matrix) {
    if (refusedInBegin()) {
        return;
    }
    // The geometry of a list is carried by an affine modelview matrix.
    if ((!matrix.isAffine() || keepsMatrices()) &&
        kept([matrix](Context& c) { c.multiply(matrix); })) {
        return;
    }
    transforming();
    if (!compiling_ && state_.transform.matrixMode != GL_MODELVIEW) {
        renderStateChanging();
    }
    MatrixStack& stack = currentStack();
    stack.top() = stack.top() * matrix;
}

void Context::ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar) {
    if (refusedInBegin()) {
        return;
    }
    if (left == right || bottom == top || zNear == zFar) {
        setError(GL_INVALID_VALUE);
        return;
    }
    multiply(orthographic(left, right, bottom, top, zNear, zFar));
}

void Context::frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                      GLdouble zFar) {
    if (refusedInBegin()) {
        return;
    }
    if (zNear <= 0.0 || zFar <= 0.0 || left == right || bottom == top || zNear == zFar) {
        setError(GL_INVALID_VALUE);
        return;
    }
    multiply(perspective(left, right, bottom, top, zNear, zFar));
}

void Context::pushMatrix() {
    if (refusedInBegin() || (keepsMatrices() && kept([](Context& c) { c.pushMatrix(); }))) {
        return;
    }
    transforming();
    if (!currentStack().push()) {
        setError(GL_STACK_OVERFLOW);
    }
}

void Context::popMatrix() {
    if (refusedInBegin()) {
        return;
    }
    // A matrix pushed before the list's part is popped where it is called.
    const bool beyondPart = compiling_ && compilation_.matrices.depth() == 1;
    if ((keepsMatrices() || beyondPart) && kept([](Context& c) { c.popMatrix(); })) {
        return;
    }
    transforming();
    if (!compiling_ && state_.transform.matrixMode != GL_MODELVIEW) {
        renderStateChanging();
    }
    if (!currentStack().pop()) {
        setError(GL_STACK_UNDERFLOW);
    }
}

void Context::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (refusedInBegin() || kept([=](Context& c) { c.viewport(x, y, width, height); })) {
        return;
    }
    if (width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    flush();
    const GLint rect[4] = {x, y, width, height};
    std::copy_n(rect, 4, state_.viewport.rect);
    vglViewport(x, y, width, height);
}

// A plane is kept in eye space, as the modelview matrix carries it when given.
void Context::clipPlane(GLenum plane, const GLdouble* equation) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        std::array<double, 4> kept{};
        std::copy_n(equation, 4, kept.begin());
        keep([plane, kept](Context& c) { c.clipPlane(plane, kept.data()); });
        return;
    }
    if (plane < GL_CLIP_PLANE0 || plane >= GL_CLIP_PLANE0 + kMaxClipPlanes) {
        setError(GL_INVALID_ENUM);
        return;
    }
    renderStateChanging();
    const std::array<double, 4> eye = planeInEye(modelview_.top(), equation);
    std::copy(eye.begin(), eye.end(), state_.transform.clipPlanes[plane - GL_CLIP_PLANE0]);
}

void Context::getClipPlane(GLenum plane, GLdouble* equation) {
    if (refusedInBeginNow()) {
        return;
    }
    if (plane < GL_CLIP_PLANE0 || plane >= GL_CLIP_PLANE0 + kMaxClipPlanes) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    std::copy_n(state_.transform.clipPlanes[plane - GL_CLIP_PLANE0], 4, equation);
}

}  // namespace vgl
