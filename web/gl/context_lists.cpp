// Display lists: compiled into their own recording, uploaded once, called by drawing it.
#include <algorithm>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

GLuint Context::genLists(GLsizei range) {
    if (refusedInBeginNow()) {
        return 0;
    }
    if (range < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) {
        return 0;
    }
    return lists_.generate(range);
}

void Context::newList(GLuint list, GLenum mode) {
    if (compiling_ || inBegin_) {
        setErrorNow(GL_INVALID_OPERATION);
        return;
    }
    if (list == 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    if (mode == GL_COMPILE_AND_EXECUTE) {
        refuse(Refused::CompileAndExecute);
        return;
    }
    // A list that calls this one holds it as it is now.
    if (lists_.called(list, 1)) {
        refuse(Refused::RedefineCalledList);
        return;
    }
    compiling_ = true;
    compilation_ = Compilation();
    compilation_.name = list;
    compilation_.surface = state_.surface.unknownCopy();
}

void Context::endList() {
    if (!compiling_) {
        setErrorNow(GL_INVALID_OPERATION);
        return;
    }
    if (compilation_.inBegin) {
        refuse(Refused::EndListInPrimitive);
        return;
    }
    compiling_ = false;
    DisplayList& list = lists_.at(compilation_.name);
    if (list.mesh != 0) {
        vglDeleteMesh(list.mesh);
    }
    list = std::move(compilation_.list);
    list.end = compilation_.surface;
    // What it leaves pushed is pushed again where it is called.
    MatrixStack& matrices = compilation_.matrices;
    while (matrices.depth() > 1) {
        list.pushedMatrices.insert(list.pushedMatrices.begin(), matrices.top());
        matrices.pop();
    }
    list.matrix = matrices.top();
    list.pushedAttributes = std::move(compilation_.attributes);
    const Recording& recording = list.recording;
    list.chunks = chunksOf(recording);
    list.mesh =
        recording.empty()
            ? 0
            : vglCreateMesh(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                            recording.indices.data(), static_cast<int>(recording.indices.size()));
    compilation_ = Compilation();
}

void Context::callList(GLuint name) {
    if (compiling_) {
        if (name == compilation_.name) {
            refuse(Refused::CallListBeingCompiled);
            return;
        }
        compilation_.list.calls.insert(name);
    }
    const DisplayList* found = lists_.find(name);
    if (found == nullptr) {
        return;  // calling a name with no list does nothing
    }
    const DisplayList& list = *found;
    if (primitiveOpen()) {
        callInPrimitive(list);
        return;
    }
    if (!compiling_ && list.transformsSelected && state_.transform.matrixMode != GL_MODELVIEW) {
        refuse(Refused::CallListSelectingProjection);
        return;
    }
    if (compiling_) {
        compileCall(list);
        return;
    }
    if (list.error != GL_NO_ERROR) {
        setError(list.error);
    }
    callCompiled(list);
}

// Between glBegin and glEnd a list may set materials and the current vertex
// attributes; its other calls are invalid operations there, as OpenGL has it.
void Context::callInPrimitive(const DisplayList& list) {
    if (list.holdsPrimitiveCalls) {
        refuse(Refused::CallListWithVerticesInPrimitive);
        return;
    }
    const bool setsMaterial = (list.end.materialParts[0] | list.end.materialParts[1]) != 0;
    if (setsMaterial && !source_.empty()) {
        refuse(Refused::CallListWithMaterialBetweenVertices);
        return;
    }
    if (list.errorInPrimitive != GL_NO_ERROR) {
        setError(list.errorInPrimitive);
    }
    if (compiling_) {
        compilation_.list.calls.insert(list.calls.begin(), list.calls.end());
    }
    applyCurrent(surface(), list.end);
}

void Context::compileCall(const DisplayList& list) {
    Compilation& c = compilation_;
    DisplayList& into = c.list;
    // Its errors are the compiled list's where they come in it.
    if (into.error == GL_NO_ERROR) {
        into.error = list.error;
    }
    if (into.errorInPrimitive == GL_NO_ERROR) {
        into.errorInPrimitive = list.errorInPrimitive;
    }
    into.holdsPrimitiveCalls = into.holdsPrimitiveCalls || list.holdsPrimitiveCalls;
    into.transformsSelected =
        into.transformsSelected || (list.transformsSelected && !into.selectsModelview);
    into.selectsModelview = into.selectsModelview || list.selectsModelview;
    into.calls.insert(list.calls.begin(), list.calls.end());
    recordCall(into.recording, list.recording, c.surface, c.matrices.top(), materials_);
    const Surface before = c.surface;
    applyKnown(c.surface, list.end);
    placeCall(list, c.matrices);
    for (const auto& [mask, saved] : list.pushedAttributes) {
        Surface pushed = before;
        applyKnown(pushed, saved);
        c.attributes.emplace_back(mask, pushed);
    }
}

void Context::callCompiled(const DisplayList& list) {
    // What waits is drawn first; not flush(), which a list called between
    // glBegin and glEnd may not.
    drawImmediate(Matrix::identity());
    drawRecording(list.recording, list.chunks, list.mesh, modelview_.top());
    const ServerState before = state_;
    applyKnown(state_.surface, list.end);
    textures_.object(state_.surface.texture.value);
    if (!list.matrix.isIdentity() || !list.pushedMatrices.empty()) {
        placeCall(list, modelview_);
    }
    for (const auto& [mask, saved] : list.pushedAttributes) {
        if (attributes_.size() >= kMaxAttributeDepth) {
            setError(GL_STACK_OVERFLOW);
            continue;
        }
        attributes_.emplace_back(mask, before);
        applyKnown(attributes_.back().second.surface, saved);
    }
    if (list.selectsModelview) {
        state_.transform.matrixMode = GL_MODELVIEW;
    }
}

void Context::placeCall(const DisplayList& list, MatrixStack& stack) {
    const Matrix caller = stack.top();
    stack.top() = caller * list.matrix;
    for (const Matrix& pushed : list.pushedMatrices) {
        if (!stack.push()) {
            setError(GL_STACK_OVERFLOW);
            continue;
        }
        stack.top() = caller * pushed;
    }
}

bool Context::isList(GLuint list) {
    if (refusedInBeginNow()) {
        return false;
    }
    return lists_.find(list) != nullptr;
}

void Context::deleteLists(GLuint list, GLsizei range) {
    if (refusedInBeginNow()) {
        return;
    }
    if (range < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    const std::set<GLuint>& compiledCalls = compilation_.list.calls;
    const auto compiledCall = compiledCalls.lower_bound(list);
    if (lists_.called(list, range) || (compiling_ && compiledCall != compiledCalls.end() &&
                                       *compiledCall - list < static_cast<GLuint>(range))) {
        refuse(Refused::RedefineCalledList);
        return;
    }
    lists_.remove(list, range);
}

}  // namespace vgl
