#include "context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vgl {

namespace {

const std::size_t kMaxAttributeDepth = 16;
// Immediate geometry is drawn at the latest when this many vertices wait.
const std::size_t kImmediateLimit = 1 << 20;

void copy4(float* to, const float* from) {
    std::copy_n(from, 4, to);
}

bool isLight(GLenum cap) {
    return cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights;
}

std::int32_t word(bool flag) {
    return flag ? 1 : 0;
}

void packMaterial(const FaceMaterial& material, float* out) {
    std::fill_n(out, 20, 0.0f);
    copy4(out, material.ambient);
    copy4(out + 4, material.diffuse);
    copy4(out + 8, material.specular);
    copy4(out + 12, material.emission);
    out[16] = material.shininess;
}

}  // namespace

ServerState::ServerState() {
    // Light 0 is the one white light OpenGL starts with.
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    copy4(lights[0].diffuse, white);
    copy4(lights[0].specular, white);
}

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

bool Context::refusedInList(const char* call) {
    if (!compiling_) {
        return false;
    }
    if (refusalsReported_.insert(call).second) {
        std::fprintf(stderr,
                     "vellmoor: %s inside a display list is not supported on WebGL; ignored\n",
                     call);
    }
    setError(GL_INVALID_OPERATION);
    return true;
}

void Context::unsupported(const char* call) {
    if (refusalsReported_.insert(call).second) {
        std::fprintf(stderr, "vellmoor: %s is not supported on WebGL; ignored\n", call);
    }
    setError(GL_INVALID_ENUM);
}

Surface& Context::surface() {
    return compiling_ ? compilation_.surface : state_.surface;
}

MatrixStack& Context::currentStack() {
    if (compiling_) {
        return compilation_.matrices;
    }
    return state_.matrixMode == GL_PROJECTION ? projection_ : modelview_;
}

void Context::renderStateChanging() {
    flush();
    renderStateDirty_ = true;
}

void Context::windowCreated(int width, int height) {
    maxTextureSize_ = vglMaxTextureSize();
    viewport_[2] = width;
    viewport_[3] = height;
}

// --- Primitives --------------------------------------------------------------

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
    const Matrix& modelview = modelview_.top();
    if (!modelview.isAffine() || !immediateFrame_.isIdentity()) {
        // Drawn in object space with this matrix, on its own.
        flush();
        immediateFrame_ = modelview;
        recordPrimitive(immediate_, primitive, source_, state_.surface, Matrix::identity(),
                        materials_);
        flush();
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
    begin(GL_POLYGON);
    vertex(x1, y1, 0.0f);
    vertex(x2, y1, 0.0f);
    vertex(x2, y2, 0.0f);
    vertex(x1, y2, 0.0f);
    end();
}

// --- Matrices ----------------------------------------------------------------

void Context::matrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (mode != GL_MODELVIEW && refusedInList("glMatrixMode(GL_PROJECTION)")) {
        return;
    }
    state_.matrixMode = mode;
}

void Context::loadMatrix(const Matrix& matrix) {
    if (refusedInList("glLoadIdentity or glLoadMatrix")) {
        return;
    }
    if (state_.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    currentStack().top() = matrix;
}

void Context::multiply(const Matrix& matrix) {
    if (compiling_ && !matrix.isAffine()) {
        refusedInList("a projective glMultMatrix");
        return;
    }
    if (!compiling_ && state_.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    MatrixStack& stack = currentStack();
    stack.top() = stack.top() * matrix;
}

void Context::pushMatrix() {
    if (!currentStack().push()) {
        setError(GL_STACK_OVERFLOW);
    }
}

void Context::popMatrix() {
    if (!compiling_ && state_.matrixMode == GL_PROJECTION) {
        renderStateChanging();
    }
    if (!currentStack().pop()) {
        setError(GL_STACK_UNDERFLOW);
    }
}

void Context::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
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

// --- Display lists -------------------------------------------------------------

GLuint Context::genLists(GLsizei range) {
    if (range < 0) {
        setError(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) {
        return 0;
    }
    const GLuint first = nextList_;
    for (GLsizei i = 0; i < range; ++i) {
        lists_[first + i];
    }
    nextList_ += range;
    return first;
}

void Context::newList(GLuint list, GLenum mode) {
    if (list == 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (compiling_ || inBegin_) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    compiling_ = true;
    compilation_ = Compilation();
    compilation_.name = list;
    compilation_.mode = mode;
    compilation_.surface = state_.surface.unknownCopy();
}

void Context::endList() {
    if (!compiling_ || inBegin_) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    compiling_ = false;
    if (compilation_.matrices.depth() != 1 || !compilation_.attributes.empty()) {
        std::fprintf(stderr,
                     "vellmoor: display list %u leaves matrices or attributes pushed; "
                     "they are popped at its end on WebGL\n",
                     compilation_.name);
    }
    DisplayList& list = lists_[compilation_.name];
    if (list.mesh != 0) {
        vglDeleteMesh(list.mesh);
    }
    list = std::move(compilation_.list);
    list.end = compilation_.surface;
    while (compilation_.matrices.pop()) {
    }
    list.matrix = compilation_.matrices.top();
    const Recording& recording = list.recording;
    list.mesh =
        recording.empty()
            ? 0
            : vglCreateMesh(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                            recording.indices.data(), static_cast<int>(recording.indices.size()));
    nextList_ = std::max(nextList_, compilation_.name + 1);
    if (compilation_.mode == GL_COMPILE_AND_EXECUTE) {
        callList(compilation_.name);
    }
    compilation_ = Compilation();
}

void Context::callList(GLuint name) {
    const auto found = lists_.find(name);
    if (found == lists_.end()) {
        return;  // calling a name with no list does nothing
    }
    const DisplayList& list = found->second;
    if (compiling_) {
        Compilation& c = compilation_;
        recordCall(c.list.recording, list.recording, c.surface, c.matrices.top(), materials_);
        applyKnown(c.surface, list.end);
        c.matrices.top() = c.matrices.top() * list.matrix;
        return;
    }
    callCompiled(list);
}

void Context::callCompiled(const DisplayList& list) {
    flush();
    drawRecording(list.recording, list.mesh, modelview_.top());
    applyKnown(state_.surface, list.end);
    if (!list.matrix.isIdentity()) {
        modelview_.top() = modelview_.top() * list.matrix;
    }
}

bool Context::isList(GLuint list) const {
    const auto found = lists_.find(list);
    return found != lists_.end() && found->second.mesh != 0;
}

void Context::deleteLists(GLuint list, GLsizei range) {
    if (range < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < range; ++i) {
        const auto found = lists_.find(list + i);
        if (found != lists_.end()) {
            if (found->second.mesh != 0) {
                vglDeleteMesh(found->second.mesh);
            }
            lists_.erase(found);
        }
    }
}

// --- Drawing -----------------------------------------------------------------

void Context::flush() {
    if (immediate_.empty()) {
        return;
    }
    vglUpdateStream(immediate_.vertices.data(), static_cast<int>(immediate_.vertices.size()),
                    immediate_.indices.data(), static_cast<int>(immediate_.indices.size()));
    drawRecording(immediate_, 0, immediateFrame_);
    immediate_.clear();
    immediateFrame_ = Matrix::identity();
}

void Context::drawRecording(const Recording& recording, int mesh, const Matrix& modelview) {
    if (recording.empty()) {
        return;
    }
    sendMaterials();
    sendRenderState();
    const Surface& current = state_.surface;
    DrawParameters parameters{};
    std::copy(modelview.m.begin(), modelview.m.end(), parameters.modelview);
    const std::array<float, 9> normals = normalMatrix(modelview);
    std::copy(normals.begin(), normals.end(), parameters.normalMatrix);
    packMaterial(current.material[0], parameters.material[0]);
    packMaterial(current.material[1], parameters.material[1]);
    parameters.flat = word(current.flat.value);
    parameters.textured = word(current.textured.value);
    for (const Batch& batch : recording.batches) {
        parameters.firstIndex = static_cast<std::int32_t>(batch.firstIndex);
        parameters.indexCount = static_cast<std::int32_t>(batch.indexCount);
        const GLuint texture = batch.texture.known ? batch.texture.value : current.texture.value;
        parameters.texture = batch.textured ? static_cast<std::int32_t>(texture) : 0;
        parameters.depthMask =
            word(batch.depthMask.known ? batch.depthMask.value : current.depthMask.value);
        parameters.clockwise = word(!batch.windingKnown && current.clockwise.value);
        vglDraw(mesh, &parameters);
    }
}

void Context::sendMaterials() {
    if (materials_.version() == sentMaterials_) {
        return;
    }
    const std::vector<FaceMaterial>& all = materials_.materials();
    std::vector<float> packed(all.size() * 20);
    for (std::size_t i = 0; i < all.size(); ++i) {
        packMaterial(all[i], &packed[i * 20]);
    }
    vglSetMaterials(packed.data(), static_cast<int>(all.size()));
    sentMaterials_ = materials_.version();
}

void Context::sendRenderState() {
    if (!renderStateDirty_) {
        return;
    }
    RenderState& r = renderState_;
    const Matrix& projection = projection_.top();
    std::copy(projection.m.begin(), projection.m.end(), r.projection);
    r.lightMask = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        const Light& light = state_.lights[i];
        float* out = r.lights[i];
        copy4(out, light.ambient);
        copy4(out + 4, light.diffuse);
        copy4(out + 8, light.specular);
        copy4(out + 12, light.position);
        std::copy_n(light.spotDirection, 3, out + 16);
        out[19] = light.spotExponent;
        const double kDegrees = 3.14159265358979323846 / 180.0;
        out[20] = light.spotCutoff == 180.0f
                      ? -2.0f
                      : static_cast<float>(std::cos(light.spotCutoff * kDegrees));
        std::copy_n(light.attenuation, 3, out + 21);
        if (light.enabled) {
            r.lightMask |= 1 << i;
        }
    }
    copy4(r.sceneAmbient, state_.sceneAmbient);
    r.lighting = word(state_.lighting);
    r.twoSide = word(state_.twoSide);
    r.normalize = word(state_.normalize);
    r.depthTest = word(state_.depthTest);
    r.blend = word(state_.blend);
    r.blendSource = static_cast<std::int32_t>(state_.blendSource);
    r.blendDestination = static_cast<std::int32_t>(state_.blendDestination);
    r.textureReplace = word(state_.textureEnvMode == GL_REPLACE);
    vglSetState(&r);
    renderStateDirty_ = false;
}

// --- Lighting ------------------------------------------------------------------

Light* Context::lightFor(GLenum light) {
    if (!isLight(light)) {
        setError(GL_INVALID_ENUM);
        return nullptr;
    }
    return &state_.lights[light - GL_LIGHT0];
}

void Context::light(GLenum which, GLenum pname, const GLfloat* params, int count) {
    if (refusedInList("glLight")) {
        return;
    }
    Light* light = lightFor(which);
    if (light == nullptr) {
        return;
    }
    const bool vector = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR ||
                        pname == GL_POSITION || pname == GL_SPOT_DIRECTION;
    if (vector && count == 1) {
        setError(GL_INVALID_ENUM);  // glLightf takes only the single-valued parameters
        return;
    }
    renderStateChanging();
    const Matrix& modelview = modelview_.top();
    switch (pname) {
        case GL_AMBIENT:
            copy4(light->ambient, params);
            break;
        case GL_DIFFUSE:
            copy4(light->diffuse, params);
            break;
        case GL_SPECULAR:
            copy4(light->specular, params);
            break;
        case GL_POSITION: {
            // Kept where the modelview matrix puts it now, as OpenGL does.
            const auto eye = transformVector4(modelview, params);
            std::copy(eye.begin(), eye.end(), light->position);
            break;
        }
        case GL_SPOT_DIRECTION: {
            const float direction[4] = {params[0], params[1], params[2], 0.0f};
            const auto eye = transformVector4(modelview, direction);
            std::copy_n(eye.begin(), 3, light->spotDirection);
            break;
        }
        case GL_SPOT_EXPONENT:
            if (params[0] < 0.0f || params[0] > 128.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->spotExponent = params[0];
            break;
        case GL_SPOT_CUTOFF:
            if ((params[0] < 0.0f || params[0] > 90.0f) && params[0] != 180.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->spotCutoff = params[0];
            break;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            if (params[0] < 0.0f) {
                setError(GL_INVALID_VALUE);
                return;
            }
            light->attenuation[pname - GL_CONSTANT_ATTENUATION] = params[0];
            break;
        default:
            setError(GL_INVALID_ENUM);
            break;
    }
}

void Context::lightModel(GLenum pname, const GLfloat* params) {
    if (refusedInList("glLightModel")) {
        return;
    }
    switch (pname) {
        case GL_LIGHT_MODEL_TWO_SIDE:
            renderStateChanging();
            state_.twoSide = params[0] != 0.0f;
            break;
        case GL_LIGHT_MODEL_AMBIENT:
            renderStateChanging();
            copy4(state_.sceneAmbient, params);
            break;
        case GL_LIGHT_MODEL_LOCAL_VIEWER:
            if (params[0] != 0.0f) {
                unsupported("a local viewer");
            }
            break;
        default:
            setError(GL_INVALID_ENUM);
            break;
    }
}

void Context::material(GLenum face, GLenum pname, const GLfloat* params) {
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
        setError(GL_INVALID_ENUM);
        return;
    }
    Surface& current = surface();
    for (int side = 0; side < 2; ++side) {
        const GLenum sideFace = side == 0 ? GL_FRONT : GL_BACK;
        if (face != GL_FRONT_AND_BACK && face != sideFace) {
            continue;
        }
        if (!setMaterialPart(current.material[side], current.materialParts[side], pname, params)) {
            setError(GL_INVALID_ENUM);
            return;
        }
    }
}

void Context::shadeModel(GLenum mode) {
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        setError(GL_INVALID_ENUM);
        return;
    }
    surface().flat.set(mode == GL_FLAT);
}

// --- State ---------------------------------------------------------------------

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

// --- Queries -------------------------------------------------------------------

GLenum Context::takeError() {
    const GLenum error = error_;
    error_ = GL_NO_ERROR;
    return error;
}

void Context::getIntegers(GLenum pname, GLint* params) {
    if (isPixelStoreName(pname)) {
        const GLint* setting = pixelStoreSetting(pname);
        params[0] = setting != nullptr ? *setting : 0;
        return;
    }
    switch (pname) {
        case GL_MAX_TEXTURE_SIZE:
            params[0] = maxTextureSize_;
            return;
        case GL_MAX_LIGHTS:
            params[0] = kMaxLights;
            return;
        case GL_MATRIX_MODE:
            params[0] = static_cast<GLint>(state_.matrixMode);
            return;
        case GL_MODELVIEW_STACK_DEPTH:
            params[0] = static_cast<GLint>(modelview_.depth());
            return;
        case GL_PROJECTION_STACK_DEPTH:
            params[0] = static_cast<GLint>(projection_.depth());
            return;
        case GL_ATTRIB_STACK_DEPTH:
            params[0] = static_cast<GLint>(attributes_.size());
            return;
        case GL_VIEWPORT:
            std::copy_n(viewport_, 4, params);
            return;
        case GL_SHADE_MODEL:
            params[0] = state_.surface.flat.value ? GL_FLAT : GL_SMOOTH;
            return;
        case GL_FRONT_FACE:
            params[0] = state_.surface.clockwise.value ? GL_CW : GL_CCW;
            return;
        case GL_DEPTH_WRITEMASK:
            params[0] = word(state_.surface.depthMask.value);
            return;
        case GL_TEXTURE_BINDING_2D:
            params[0] = static_cast<GLint>(state_.surface.texture.value);
            return;
        case GL_LIST_INDEX:
            params[0] = compiling_ ? static_cast<GLint>(compilation_.name) : 0;
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::getFloats(GLenum pname, GLfloat* params) {
    switch (pname) {
        case GL_MODELVIEW_MATRIX:
            std::copy(modelview_.top().m.begin(), modelview_.top().m.end(), params);
            return;
        case GL_PROJECTION_MATRIX:
            std::copy(projection_.top().m.begin(), projection_.top().m.end(), params);
            return;
        case GL_CURRENT_COLOR:
            copy4(params, state_.surface.color);
            return;
        case GL_CURRENT_NORMAL:
            std::copy_n(state_.surface.normal, 3, params);
            return;
        case GL_COLOR_CLEAR_VALUE:
            copy4(params, state_.clearColor);
            return;
        case GL_LIGHT_MODEL_AMBIENT:
            copy4(params, state_.sceneAmbient);
            return;
        default: {
            GLint integers[4] = {0, 0, 0, 0};
            getIntegers(pname, integers);
            const int count = pname == GL_VIEWPORT ? 4 : 1;
            for (int i = 0; i < count; ++i) {
                params[i] = static_cast<GLfloat>(integers[i]);
            }
            return;
        }
    }
}

const GLubyte* Context::getString(GLenum name) {
    const char* text = nullptr;
    switch (name) {
        case GL_VENDOR:
            text = "Vellmoor";
            break;
        case GL_RENDERER:
            text = "Vellmoor OpenGL 1.1 on WebGL 2";
            break;
        case GL_VERSION:
            text = "1.1 Vellmoor";
            break;
        case GL_EXTENSIONS:
            text = "GL_EXT_bgra";
            break;
        default:
            setError(GL_INVALID_ENUM);
            return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

void Context::getLight(GLenum light, GLenum pname, GLfloat* params) {
    const Light* found = lightFor(light);
    if (found == nullptr) {
        return;
    }
    switch (pname) {
        case GL_AMBIENT:
            copy4(params, found->ambient);
            return;
        case GL_DIFFUSE:
            copy4(params, found->diffuse);
            return;
        case GL_SPECULAR:
            copy4(params, found->specular);
            return;
        case GL_POSITION:
            copy4(params, found->position);
            return;
        case GL_SPOT_DIRECTION:
            std::copy_n(found->spotDirection, 3, params);
            return;
        case GL_SPOT_EXPONENT:
            params[0] = found->spotExponent;
            return;
        case GL_SPOT_CUTOFF:
            params[0] = found->spotCutoff;
            return;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            params[0] = found->attenuation[pname - GL_CONSTANT_ATTENUATION];
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::getMaterial(GLenum face, GLenum pname, GLfloat* params) {
    if (face != GL_FRONT && face != GL_BACK) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (!getMaterialPart(state_.surface.material[face == GL_FRONT ? 0 : 1], pname, params)) {
        setError(GL_INVALID_ENUM);
    }
}

// --- Textures and pixels ---------------------------------------------------------

void Context::genTextures(GLsizei n, GLuint* textures) {
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < n; ++i) {
        while (textures_.count(nextTexture_) != 0) {
            ++nextTexture_;
        }
        textures[i] = nextTexture_;
        textures_[nextTexture_++];
    }
}

void Context::deleteTextures(GLsizei n, const GLuint* textures) {
    if (n < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    flush();
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] != 0 && textures_.erase(textures[i]) != 0) {
            vglDeleteTexture(textures[i]);
            // Deleting the bound texture binds the default one.
            if (state_.surface.texture.value == textures[i]) {
                state_.surface.texture.set(0);
            }
        }
    }
}

void Context::bindTexture(GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    textures_[texture];
    surface().texture.set(texture);
}

void Context::texParameter(GLenum target, GLenum pname, GLint param) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (refusedInList("glTexParameter")) {
        return;
    }
    switch (pname) {
        case GL_TEXTURE_MIN_FILTER:
        case GL_TEXTURE_MAG_FILTER:
        case GL_TEXTURE_WRAP_S:
        case GL_TEXTURE_WRAP_T:
            flush();
            vglTexParameter(state_.surface.texture.value, pname, param);
            return;
        default:
            setError(GL_INVALID_ENUM);
            return;
    }
}

void Context::texEnv(GLenum target, GLenum pname, GLint param) {
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (param != GL_MODULATE && param != GL_REPLACE) {
        unsupported("a texture environment other than GL_MODULATE and GL_REPLACE");
        return;
    }
    if (refusedInList("glTexEnv")) {
        return;
    }
    renderStateChanging();
    state_.textureEnvMode = static_cast<GLenum>(param);
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const GLvoid* pixels) {
    if (target != GL_TEXTURE_2D && target != GL_PROXY_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (type != GL_UNSIGNED_BYTE || bytesPerPixel(format) == 0 ||
        !knownInternalFormat(internalFormat)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    const int levelSize = maxTextureSize_ >> std::max(level, 0);
    const bool fits = level >= 0 && width >= 0 && height >= 0 && width <= levelSize &&
                      height <= levelSize && border == 0;
    if (target == GL_PROXY_TEXTURE_2D) {
        // A proxy only answers whether the image would fit.
        proxy_ = fits ? Texture{width, height} : Texture{};
        return;
    }
    if (!fits) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (refusedInList("glTexImage2D")) {
        return;
    }
    flush();
    const GLuint name = state_.surface.texture.value;
    if (level == 0) {
        textures_[name] = Texture{width, height};
    }
    std::vector<std::uint8_t> rgba;
    if (pixels != nullptr) {
        rgba = unpackRgba(pixels, width, height, format, unpack_, keepsAlpha(internalFormat));
    } else {
        rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    }
    vglTexImage(name, level, width, height, rgba.data());
}

void Context::texLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params) {
    const Texture* texture = nullptr;
    if (target == GL_PROXY_TEXTURE_2D) {
        texture = &proxy_;
    } else if (target == GL_TEXTURE_2D && level == 0) {
        texture = &textures_[state_.surface.texture.value];
    }
    if (texture == nullptr || (pname != GL_TEXTURE_WIDTH && pname != GL_TEXTURE_HEIGHT)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    params[0] = pname == GL_TEXTURE_WIDTH ? texture->width : texture->height;
}

bool Context::isPixelStoreName(GLenum pname) {
    return (pname >= GL_UNPACK_SWAP_BYTES && pname <= GL_UNPACK_ALIGNMENT) ||
           (pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT) ||
           pname == GL_UNPACK_SKIP_IMAGES || pname == GL_UNPACK_IMAGE_HEIGHT ||
           pname == GL_PACK_SKIP_IMAGES || pname == GL_PACK_IMAGE_HEIGHT;
}

GLint* Context::pixelStoreSetting(GLenum pname) {
    const bool unpack = pname >= GL_UNPACK_SWAP_BYTES && pname <= GL_UNPACK_ALIGNMENT;
    const bool pack = pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT;
    if (!unpack && !pack) {
        return nullptr;
    }
    PixelStore& store = unpack ? unpack_ : pack_;
    // The pack names lie as far above GL_PACK_SWAP_BYTES as the unpack names above theirs.
    switch (unpack ? pname : pname - GL_PACK_SWAP_BYTES + GL_UNPACK_SWAP_BYTES) {
        case GL_UNPACK_ALIGNMENT:
            return &store.alignment;
        case GL_UNPACK_ROW_LENGTH:
            return &store.rowLength;
        case GL_UNPACK_SKIP_ROWS:
            return &store.skipRows;
        case GL_UNPACK_SKIP_PIXELS:
            return &store.skipPixels;
        default:
            return nullptr;
    }
}

void Context::pixelStore(GLenum pname, GLint param) {
    if (!isPixelStoreName(pname)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    GLint* setting = pixelStoreSetting(pname);
    if (setting == nullptr) {
        return;  // byte order, bit order and 3D images do not apply to byte images
    }
    const bool alignment = setting == &unpack_.alignment || setting == &pack_.alignment;
    if (alignment && param != 1 && param != 2 && param != 4 && param != 8) {
        setError(GL_INVALID_VALUE);
        return;
    }
    *setting = alignment ? param : std::max(param, 0);
}

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, GLvoid* pixels) {
    if (width < 0 || height < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    flush();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    vglReadPixels(x, y, width, height, rgba.data());
    packRgba(rgba, width, height, format, pack_, pixels);
}

}  // namespace vgl
