// Display lists: compiled into their own recording, uploaded once, called by drawing it.
#include <algorithm>
#include <cstdio>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

GLuint Context::genLists(GLsizei range) {
    if (refusedInBegin()) {
        return 0;
    }
    if (range < 0) {
        setError(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) {
        return 0;
    }
    return lists_.generate(range);
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
    DisplayList& list = lists_.at(compilation_.name);
    if (list.mesh != 0) {
        vglDeleteMesh(list.mesh);
    }
    list = std::move(compilation_.list);
    list.end = compilation_.surface;
    while (compilation_.matrices.pop()) {
    }
    list.matrix = compilation_.matrices.top();
    const Recording& recording = list.recording;
    list.chunks = chunksOf(recording);
    list.mesh =
        recording.empty()
            ? 0
            : vglCreateMesh(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                            recording.indices.data(), static_cast<int>(recording.indices.size()));
    if (compilation_.mode == GL_COMPILE_AND_EXECUTE) {
        callList(compilation_.name);
    }
    compilation_ = Compilation();
}

void Context::callList(GLuint name) {
    const DisplayList* found = lists_.find(name);
    if (found == nullptr) {
        return;  // calling a name with no list does nothing
    }
    const DisplayList& list = *found;
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
    // What waits is drawn first; not flush(), which a list called between
    // glBegin and glEnd may not.
    drawImmediate(Matrix::identity());
    drawRecording(list.recording, list.chunks, list.mesh, modelview_.top());
    applyKnown(state_.surface, list.end);
    if (!list.matrix.isIdentity()) {
        modelview_.top() = modelview_.top() * list.matrix;
    }
}

bool Context::isList(GLuint list) {
    if (refusedInBegin()) {
        return false;
    }
    const DisplayList* found = lists_.find(list);
    return found != nullptr && found->mesh != 0;
}

void Context::deleteLists(GLuint list, GLsizei range) {
    if (refusedInBegin()) {
        return;
    }
    if (range < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    lists_.remove(list, range);
}

}  // namespace vgl
