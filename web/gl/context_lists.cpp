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
    startCompiling(list, mode == GL_COMPILE_AND_EXECUTE);
}

void Context::startCompiling(GLuint name, bool execute) {
    compiling_ = true;
    compilation_ = Compilation();
    compilation_.name = name;
    compilation_.execute = execute;
    compilation_.surface = state_.surface.unknownCopy();
    compilation_.listBase = state_.list.base;
    compilation_.callers = lists_.callersOf([name](GLuint called) { return called == name; });
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

void Context::callListNames(const std::vector<GLuint>& names, GLenum error) {
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
    const GLuint name = compilation_.name;
    const std::vector<std::pair<GLuint, GLsizei>> deleted = compilation_.deleted;
    finishCompiling();
    // The lists that call it, or a list deleted while it was compiled, now
    // call them as they are.
    compileCallersAgain([&](GLuint called) {
        return called == name ||
               std::any_of(deleted.begin(), deleted.end(), [called](const auto& range) {
                   return called - range.first < static_cast<GLuint>(range.second);
               });
    });
}

void Context::finishCompiling() {
    finishPart();
    compiling_ = false;
    sourceOpen_ = false;
    DisplayList& list = lists_.at(compilation_.name);
    list.forEachPart([](DisplayList& part) {
        if (part.mesh != 0) {
            vglDeleteMesh(part.mesh);
        }
    });
    list = std::move(compilation_.whole);
    list.refused = compilation_.refused;
    // What it was compiled from is kept where its geometry may come to
    // stand for it no longer: it calls lists, it is meant for its caller's
    // primitive, or it moves the matrix selected where it is called and
    // draws nothing (a projection's list, say).
    const bool keepsSource = !list.allCalls().empty() || list.anyPart([](const DisplayList& part) {
        return part.holdsLooseCalls || part.namesByBase;
    }) || (list.anyPart([](const DisplayList& part) {
        return part.transformsSelected;
    }) && !list.anyPart([](const DisplayList& part) { return !part.recording.empty(); }));
    if (keepsSource) {
        list.source = std::make_shared<const ListSource>(std::move(compilation_.source));
    }
    compilation_ = Compilation();
}

template <typename Changed>
void Context::compileCallersAgain(Changed changed) {
    std::set<GLuint> callers = lists_.callersOf(changed);
    if (callers.empty()) {
        return;
    }
    // A list being compiled goes on after them.
    const bool wasCompiling = compiling_;
    Compilation saved = std::move(compilation_);
    while (!callers.empty()) {
        // One that calls none of those still to be compiled again; there is
        // one, as no list calls itself (callList).
        const auto next = std::find_if(callers.begin(), callers.end(), [&](GLuint name) {
            const std::set<GLuint> calls = lists_.find(name)->allCalls();
            return std::none_of(calls.begin(), calls.end(),
                                [&](GLuint called) { return callers.count(called) != 0; });
        });
        if (next == callers.end()) {
            break;
        }
        compileAgain(*next);
        callers.erase(next);
    }
    compilation_ = std::move(saved);
    compiling_ = wasCompiling;
}

void Context::compileAgain(GLuint name) {
    const std::shared_ptr<const ListSource> source = lists_.at(name).source;
    if (source == nullptr) {
        return;
    }
    startCompiling(name, false);
    compilation_.again = true;
    for (const SourceCall& call : *source) {
        call(*this);
    }
    finishCompiling();
    lists_.at(name).source = source;
}

void Context::callList(GLuint name) {
    if (compiling_) {
        // A list that calls the list being compiled, directly or through
        // others, would be called by it without end.
        if (name == compilation_.name || compilation_.callers.count(name) != 0) {
            refuse(Refused::ListCallingItself);
            return;
        }
        if (compilation_.inBegin && lists_.find(name) == nullptr) {
            refuse(Refused::CallUnknownListInPrimitive);
            return;
        }
        compilation_.list.calls.insert(name);
    }
    const DisplayList* found = lists_.find(name);
    if (found == nullptr) {
        return;  // calling a name with no list does nothing
    }
    const DisplayList& list = *found;
    if (list.refused) {
        refuse(*list.refused);
        return;
    }
    // Inside the caller's primitive, a primitive of its own would begin where
    // OpenGL gives an error for glBegin; Mesa leaves the list out there.
    const auto begins = [](const DisplayList& part) { return part.beginsPrimitives; };
    if (primitiveOpen() && list.anyPart(begins)) {
        refuse(Refused::CallListWithVerticesInPrimitive);
        return;
    }
    // Where its geometry cannot stand for it, it runs its calls again, as
    // OpenGL runs a list.
    if (list.source != nullptr && !compiledServes(list)) {
        const std::shared_ptr<const ListSource> source = list.source;
        for (const SourceCall& call : *source) {
            call(*this);
        }
        return;
    }
    if (primitiveOpen()) {
        runParts(list, [this](const DisplayList& part) { callInPrimitive(part); });
        return;
    }
    if (!compiling_ && state_.transform.matrixMode != GL_MODELVIEW &&
        list.anyPart([](const DisplayList& part) { return part.transformsSelected; })) {
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

bool Context::compiledServes(const DisplayList& list) const {
    // Inside the caller's primitive, its vertices are the caller's.
    if (primitiveOpen()) {
        return !list.anyPart([](const DisplayList& part) { return part.holdsPrimitiveCalls; });
    }
    // Its glCallLists took the lists they name by the base then in force.
    const GLuint base = compiling_ ? compilation_.listBase : state_.list.base;
    if (list.anyPart([base](const DisplayList& part) {
            return part.namesByBase && part.namesBase != base;
        })) {
        return false;
    }
    // Its matrix calls were compiled for the modelview matrix.
    return compiling_ || state_.transform.matrixMode == GL_MODELVIEW ||
           !list.anyPart([](const DisplayList& part) { return part.transformsSelected; });
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
    lists_.remove(list, range);
    // The list being compiled takes them as deleted when it ends; the lists
    // that call them call nothing there from now on.
    if (compiling_) {
        compilation_.deleted.emplace_back(list, range);
    }
    compileCallersAgain(
        [list, range](GLuint called) { return called - list < static_cast<GLuint>(range); });
}

}  // namespace vgl
