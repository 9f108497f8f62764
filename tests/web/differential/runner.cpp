#include "runner.h"

#include <GL/gl.h>

#include <algorithm>

namespace differential {

std::vector<Outcome> run(const Sequence& sequence, const Hooks& hooks) {
    Sequence calls = sequence;
    calls.insert(calls.end(), stateProbe().begin(), stateProbe().end());
    std::vector<Outcome> outcomes(calls.size());
    bool open = false;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const Call& call = calls[i];
        Outcome& outcome = outcomes[i];
        const bool opens = opensPrimitive(call);
        // Between glBegin and glEnd reading the error is itself one: the
        // errors there are read after glEnd.
        const bool readable = closesPrimitive(call) || (!open && !opens);
        if (hooks.instead && hooks.instead(i, call, outcome)) {
            outcome.checked = readable;
        } else {
            if (!hooks.substitute || !hooks.substitute(call, outcome)) {
                call.op->issue(call.args.data(), outcome.values);
            }
            if (readable) {
                outcome.error = glGetError();
                outcome.checked = true;
            }
            if (hooks.after) {
                hooks.after(i, call, outcome);
            }
        }
        open = (open || opens) && !closesPrimitive(call);
    }
    return outcomes;
}

Sequence drawingNotExecuted(const Sequence& sequence) {
    bool executing = false;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const Call& call = sequence[i];
        const std::string name = call.op->name;
        if (name == "glNewList") {
            executing = executing || call.args[1] == GL_COMPILE_AND_EXECUTE;
        } else if (name == "glEndList") {
            executing = false;
        } else if (executing && (opensPrimitive(call) || name.rfind("glRect", 0) == 0 ||
                                 name == "glCallList" || name == "glArrayElement" ||
                                 name == "glDrawArrays" || name == "glDrawElements")) {
            return Sequence(sequence.begin(), sequence.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return sequence;
}

bool endsInPrimitive(const Sequence& sequence) {
    bool open = false;
    for (const Call& call : sequence) {
        open = (open || opensPrimitive(call)) && !closesPrimitive(call);
    }
    return open;
}

bool loopSetsAttributeAfterVertex(const Sequence& sequence) {
    bool open = false;
    bool loop = false;
    bool vertexSeen = false;
    bool attributeAfterVertex = false;
    for (const Call& call : sequence) {
        const std::string name = call.op->name;
        if (opensPrimitive(call)) {
            if (!open) {  // a glBegin inside a primitive is an error, and ignored
                open = true;
                loop = call.args[0] == GL_LINE_LOOP;
                vertexSeen = false;
                attributeAfterVertex = false;
            }
        } else if (closesPrimitive(call)) {
            if (loop && (attributeAfterVertex || !vertexSeen)) {
                return true;
            }
            open = false;
            loop = false;
        } else if (name.rfind("glVertex", 0) == 0) {
            vertexSeen = true;
        } else if (name.rfind("glNormal", 0) == 0 || name.rfind("glColor", 0) == 0 ||
                   name.rfind("glTexCoord", 0) == 0 || name.rfind("glMaterial", 0) == 0) {
            attributeAfterVertex = attributeAfterVertex || vertexSeen;
        }
    }
    return false;
}

bool enablesClipPlane(const Sequence& sequence) {
    return std::any_of(sequence.begin(), sequence.end(), [](const Call& call) {
        return std::string(call.op->name) == "glEnable" && call.args[0] >= GL_CLIP_PLANE0 &&
               call.args[0] < GL_CLIP_PLANE0 + 6;
    });
}

bool drawsQuads(const Sequence& sequence) {
    return std::any_of(sequence.begin(), sequence.end(), [](const Call& call) {
        return opensPrimitive(call) && call.args[0] == GL_QUADS;
    });
}

bool unfilledStripsWithoutEdges(const Sequence& sequence) {
    const auto named = [](const Call& call, const char* name) {
        return std::string(call.op->name) == name;
    };
    const auto any = [&](auto holds) {
        return std::any_of(sequence.begin(), sequence.end(), holds);
    };
    return any([&](const Call& c) { return named(c, "glPolygonMode") && c.args[1] != GL_FILL; }) &&
           any([&](const Call& c) {
               return (named(c, "glEdgeFlag") || named(c, "glEdgeFlagv")) && c.args[0] == 0;
           }) &&
           any([&](const Call& c) {
               return opensPrimitive(c) &&
                      (c.args[0] == GL_TRIANGLE_STRIP || c.args[0] == GL_TRIANGLE_FAN ||
                       c.args[0] == GL_QUAD_STRIP);
           });
}

}  // namespace differential
