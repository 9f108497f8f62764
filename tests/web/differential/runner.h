#pragma once

// Runs a sequence on whichever OpenGL the program is linked with, reading the
// error after every call where OpenGL lets it be read.

#include <functional>
#include <string>
#include <vector>

#include "script.h"

namespace differential {

struct Outcome {
    bool checked = false;  // the error was read after the call
    unsigned error = 0;
    Values values;        // what the call answered
    std::string skipped;  // why the call was not issued, if it was not
    int substitute = -1;  // the departure whose calls were issued in its place
};

struct Hooks {
    // Before a call: true when it is not to be issued; `outcome` then says why
    // and holds the error it stands for.
    std::function<bool(std::size_t, const Call&, Outcome&)> instead;
    // Before a call that is to be issued: true when it issued other calls
    // in its place, whose answer stands for the call's.
    std::function<bool(const Call&, Outcome&)> substitute;
    // After a call was issued.
    std::function<void(std::size_t, const Call&, Outcome&)> after;
};

// The sequence's outcomes, then those of the state probe.
std::vector<Outcome> run(const Sequence& sequence, const Hooks& hooks);

// Whether the sequence ends inside glBegin/glEnd, where nothing is drawn yet.
bool endsInPrimitive(const Sequence& sequence);

// Whether a line loop in it sets an attribute after one of its vertices:
// Mesa 22.3 can then lose that vertex from what it draws (where the
// attribute is new to the loop's vertices); or has no vertices, which Mesa
// draws a point for where the loop is compiled into a display list.
bool loopSetsAttributeAfterVertex(const Sequence& sequence);

// The sequence up to its first call that may draw while a list compiled
// with GL_COMPILE_AND_EXECUTE is open (a primitive, an array drawn, a list
// called): Mesa 22.3 draws such a primitive only when the list ends, and
// refuses the calls after it until then, as if still inside it.
Sequence drawingNotExecuted(const Sequence& sequence);

// Whether it turns a user clip plane on.
bool enablesClipPlane(const Sequence& sequence);

// Whether it draws GL_QUADS.
bool drawsQuads(const Sequence& sequence);

// Whether it may draw a strip or fan with polygons as points or lines and
// the edge flag off.
bool unfilledStripsWithoutEdges(const Sequence& sequence);

}  // namespace differential
