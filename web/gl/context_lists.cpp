// Display lists: compiled into their own recording, uploaded once, called by
// drawing it; the calls a recording cannot carry are kept between its parts
// and run again where the list is called.
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
    // A list that calls this one holds it as it is now.
    if (lists_.called(list, 1)) {
        refuse(Refused::RedefineCalledList);
        return;
    }
    compiling_ = true;
    compilation_ = Compilation();
    compilation_.name = list;
    compilation_.execute = mode == GL_COMPILE_AND_EXECUTE;
    compilation_.surface = state_.surface.unknownCopy();
    compilation_.listBase = state_.list.base;
}

void Context::listBase(GLuint base) {
    if (refusedInBegin()) {
        return;
    }
    if (compiling_) {
        compilation_.listBase = base;
        compilation_.listBaseSet = true;
        kept([=](Context& c) { c.listBase(base); });
        return;
    }
    state_.list.base = base;
}

void Context::callLists(GLsizei n, GLenum type, const void* lists) {
    std::vector<GLuint> names;
    const GLenum error = listNames(n, type, lists, names);
    if (error != GL_NO_ERROR) {
        setError(error);
        return;
    }
    // A list holds the lists as they are, and as its base names them, when
    // it is compiled.
    const GLuint base = compiling_ ? compilation_.listBase : state_.list.base;
    if (compiling_ && !compilation_.listBaseSet) {
        compilation_.list.namesByBase = true;
        compilation_.list.namesBase = base;
    }
    for (const GLuint name : names) {
        callList(base + name);
    }
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
    finishPart();
    compiling_ = false;
    DisplayList& list = lists_.at(compilation_.name);
    list.forEachPart([](DisplayList& part) {
        if (part.mesh != 0) {
            vglDeleteMesh(part.mesh);
        }
    });
    list = std::move(compilation_.whole);
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
    const auto anyPart = [&list](auto holds) {
        return holds(list) || std::any_of(list.steps.begin(), list.steps.end(),
                                          [&](const ListStep& step) { return holds(step.after); });
    };
    if (primitiveOpen()) {
        if (anyPart([](const DisplayList& part) { return part.holdsPrimitiveCalls; })) {
            refuse(Refused::CallListWithVerticesInPrimitive);
        } else {
            runParts(list, [this](const DisplayList& part) { callInPrimitive(part); });
        }
        return;
    }
    // Its glCallLists took the lists they name by the base then in force.
    const GLuint base = compiling_ ? compilation_.listBase : state_.list.base;
    if (anyPart([base](const DisplayList& part) {
            return part.namesByBase && part.namesBase != base;
        })) {
        refuse(Refused::CallListsBaseChanged);
        return;
    }
    const bool transformsSelected =
        anyPart([](const DisplayList& part) { return part.transformsSelected; });
    if (!compiling_ && transformsSelected && state_.transform.matrixMode != GL_MODELVIEW) {
        refuse(Refused::CallListSelectingProjection);
        return;
    }
    if (compiling_) {
        runParts(list, [this](const DisplayList& part) { compileCall(part); });
        return;
    }
    runParts(list, [this](const DisplayList& part) {
        if (part.error != GL_NO_ERROR) {
            setError(part.error);
        }
        callCompiled(part);
    });
}

// Each kept call runs as it would from the program: compiled into the list
// being compiled, or run.
template <typename F>
void Context::runParts(const DisplayList& list, F part) {
    part(list);
    for (const ListStep& step : list.steps) {
        step.call(*this);
        part(step.after);
    }
}

// Between glBegin and glEnd a list may set materials and the current vertex
// attributes; its other calls are invalid operations there, as OpenGL has it.
// A list that draws there, or sets a material after a vertex, is refused.
void Context::callInPrimitive(const DisplayList& list) {
    if (list.errorInPrimitive != GL_NO_ERROR) {
        setError(list.errorInPrimitive);
    }
    if (compiling_) {
        compilation_.list.calls.insert(list.calls.begin(), list.calls.end());
    }
    // Materials it sets between the primitive's vertices are those of the
    // vertices after it.
    const bool between = !building().vertices.empty() &&
                         (list.end.materialParts[0] | list.end.materialParts[1]) != 0;
    if (between && building().materials.empty()) {
        noteMaterials(0);
    }
    applyCurrent(surface(), list.end);
    if (between) {
        noteMaterials(building().vertices.size());
    }
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
    if (list.namesByBase && !c.listBaseSet) {
        into.namesByBase = true;
        into.namesBase = list.namesBase;
    }
    into.transformsSelected =
        into.transformsSelected || (list.transformsSelected && c.selected != GL_MODELVIEW);
    if (list.selectsModelview) {
        into.selectsModelview = true;
        c.selected = GL_MODELVIEW;
    }
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
    // The texture it leaves bound is made, two-dimensional, where it is first bound.
    Texture& bound = textures_.object(state_.surface.texture.value);
    if (bound.target == 0 && state_.surface.texture.value != 0) {
        bound.target = GL_TEXTURE_2D;
    }
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
    const auto compiledCalls = [&](const std::set<GLuint>& calls) {
        const auto call = calls.lower_bound(list);
        return compiling_ && call != calls.end() && *call - list < static_cast<GLuint>(range);
    };
    if (lists_.called(list, range) || compiledCalls(compilation_.list.calls) ||
        compiledCalls(compilation_.whole.calls)) {
        refuse(Refused::RedefineCalledList);
        return;
    }
    lists_.remove(list, range);
}

}  // namespace vgl
