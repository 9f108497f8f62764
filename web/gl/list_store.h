#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "chunks.h"
#include "list_source.h"
#include "matrix.h"
#include "recording.h"
#include "refusals.h"
#include "surface.h"

namespace vgl {

class Context;
struct ListStep;

// A compiled display list: its geometry in its own frame, uploaded once, and
// what it leaves behind in the state where it is called. A list that holds
// calls geometry cannot carry (state every draw shares, matrices other than
// the modelview) is cut there: the calls are run again where it is called,
// each followed by the geometry up to the next.
struct DisplayList {
    Recording recording;
    std::vector<Chunk> chunks;  // the recording's, culled and lit apart
    Surface end = Surface().unknownCopy();
    Matrix matrix = Matrix::identity();  // multiplied onto the modelview matrix
    int mesh = 0;                        // the renderer's, 0 while there is none
    // The first error its calls give where it is called; between glBegin and
    // glEnd, where calls other than materials and vertex attributes are
    // invalid operations too.
    GLenum error = GL_NO_ERROR;
    GLenum errorInPrimitive = GL_NO_ERROR;
    // Whether it holds glBegin, glEnd or vertices, which would be its
    // caller's primitive's there; and whether it holds glEnd or vertices
    // outside a primitive it begins, meant for its caller's.
    bool holdsPrimitiveCalls = false;
    bool holdsLooseCalls = false;
    bool beginsPrimitives = false;  // it holds glBegin
    // Whether it selects the modelview matrix, and whether it moves a matrix
    // before it does: the one selected where it is called.
    bool selectsModelview = false;
    bool transformsSelected = false;
    // Matrices and attributes it pushes and leaves pushed, in its own frame
    // and from the bottom up; its matrix is the one below them.
    std::vector<Matrix> pushedMatrices;
    std::vector<std::pair<GLbitfield, Surface>> pushedAttributes;
    // The names of the lists it called, taken as they were then.
    std::set<GLuint> calls;
    // Whether its glCallLists named lists by the base where it is called,
    // and the base they were taken with.
    bool namesByBase = false;
    GLuint namesBase = 0;
    // Where it is cut, in order; empty for a list of geometry alone.
    std::vector<ListStep> steps;
    // The calls it was compiled from, where it keeps them (list_source.h);
    // and what calling it is refused as, where compiling it again met a
    // refusal.
    std::shared_ptr<const ListSource> source;
    std::optional<Refused> refused;

    // Calls `each` on this list's geometry and on every step's after it.
    template <typename F>
    void forEachPart(F each);
    template <typename F>
    void forEachPart(F each) const;
    // Whether `holds` is true of a part.
    template <typename F>
    bool anyPart(F holds) const;
    // The lists its parts call.
    std::set<GLuint> allCalls() const;
};

// A call a display list runs again where it is called, and the geometry
// that follows it up to the next (whose own steps are empty).
struct ListStep {
    std::function<void(Context&)> call;
    DisplayList after;
};

template <typename F>
void DisplayList::forEachPart(F each) {
    each(*this);
    for (ListStep& step : steps) {
        each(step.after);
    }
}

template <typename F>
void DisplayList::forEachPart(F each) const {
    each(*this);
    for (const ListStep& step : steps) {
        each(step.after);
    }
}

template <typename F>
bool DisplayList::anyPart(F holds) const {
    bool any = false;
    forEachPart([&](const DisplayList& part) { any = any || holds(part); });
    return any;
}

// The renderer's mesh of a recording; 0 for an empty one.
int uploadMesh(const Recording& recording);

// The display lists by name, and which names are taken.
class ListStore {
   public:
    // Takes `range` names for empty lists after every name used so far; the first.
    GLuint generate(GLsizei range);
    // The list named `name`, made empty where there is none.
    DisplayList& at(GLuint name);
    // The list named `name`; null where there is none.
    const DisplayList* find(GLuint name) const;
    // Deletes the lists first ... first + range - 1, with their meshes.
    void remove(GLuint first, GLsizei range);
    // The names of the lists that call a list `changed` names, directly or
    // through others.
    template <typename Changed>
    std::set<GLuint> callersOf(Changed changed) const;
    // The renderer has a new, empty context: every list with a mesh gets a
    // new one, uploaded from its recording.
    void uploadAgain();

   private:
    std::map<GLuint, DisplayList> lists_;
    GLuint highest_ = 0;  // the largest name used, deleted or not
};

template <typename Changed>
std::set<GLuint> ListStore::callersOf(Changed changed) const {
    std::set<GLuint> callers;
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [name, list] : lists_) {
            if (callers.count(name) != 0) {
                continue;
            }
            const std::set<GLuint> calls = list.allCalls();
            if (std::any_of(calls.begin(), calls.end(), [&](GLuint called) {
                    return changed(called) || callers.count(called) != 0;
                })) {
                callers.insert(name);
                grew = true;
            }
        }
    }
    return callers;
}

// glCallLists' names as its type reads them: n of them, or GL_INVALID_VALUE
// for a negative n and GL_INVALID_ENUM for a type it does not take.
GLenum listNames(GLsizei n, GLenum type, const void* lists, std::vector<GLuint>& names);

}  // namespace vgl
