#pragma once

// Sequences of OpenGL calls written as text, and the one table of entry points
// they may name with the values each argument takes. This file is compiled
// twice: against Mesa and against the web layer, each through its own gl.h,
// so the same text issues the same calls to both.

#include <GL/gl.h>

#include <string>
#include <utility>
#include <vector>

namespace differential {

using Values = std::vector<double>;

// An argument value with the name it is written with (enumerants, limits).
struct Named {
    double value;
    const char* name;
};

// What an argument takes: the values OpenGL accepts, and its edges (the
// values it refuses or that sit on a limit). An argument of several numbers
// (a vector) draws each from these; a matrix is drawn whole from `wholes`.
struct Domain {
    Domain(std::vector<Named> validValues, std::vector<Named> edgeValues, int numbers = 1,
           std::vector<Values> wholeValues = {})
        : valid(std::move(validValues)),
          edges(std::move(edgeValues)),
          count(numbers),
          wholes(std::move(wholeValues)) {}

    std::vector<Named> valid;
    std::vector<Named> edges;
    int count = 1;
    std::vector<Values> wholes;
};

enum class Group { Primitives, Matrices, Lists, Lighting, State, Queries, Textures };
const char* groupName(Group group);

struct Op {
    const char* name;
    Group group;
    std::vector<const Domain*> args;
    // Issues the call, its arguments flattened, adding what it answers.
    void (*issue)(const double* args, Values& answer);
    int weight;  // how often generated sequences name it
    // What a state probe asks: the op with every valid value of its arguments.
    bool probes = false;
};

const std::vector<Op>& ops();
const Op& op(const std::string& name);

struct Call {
    const Op* op;
    Values args;
};
using Sequence = std::vector<Call>;

std::string format(const Call& call);
std::string format(const Sequence& sequence);
// One call a line, "* N" after it for N of them, '#' starts a comment;
// throws std::runtime_error naming the line.
Sequence parse(const std::string& text);

// An integer argument, "max" and the like resolved.
GLint integerArgument(double value);

// Whether argument `index` of the call (its numbers) is among its valid values.
bool validArgument(const Call& call, std::size_t index);

// How many values a query of `pname` answers.
int countOf(GLenum pname);

// The queries that read back every piece of state the table names.
const Sequence& stateProbe();

// The limit that symbolic arguments ("max", "maxlevel") stand for: the
// context's largest texture side, read when a run starts.
void setMaxTextureSize(int size);

// Whether a call may be inside glBegin/glEnd, where glGetError is itself an
// error: from a glBegin to the next glEnd, by name alone, so both sides of a
// comparison check the error after the same calls.
bool opensPrimitive(const Call& call);
bool closesPrimitive(const Call& call);

}  // namespace differential
