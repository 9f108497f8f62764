#include "compare.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace differential {

namespace {

// How near two answers must be: integers (names, counts, enumerants) the
// same; values worked out in floating point, as near as its rounding lets
// them; a matrix element read as an integer, rounded, may round either way
// where it lies half way.
bool same(double a, double b) {
    return a == b;
}

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-5 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// Vectors worked out in floating point, each component as near as the
// rounding of the largest lets it be: a direction turned by a matrix carries
// its longest component's error into the others.
bool nearVectors(const Values& a, const Values& b) {
    double largest = 1.0;
    for (const double value : a) {
        largest = std::max(largest, std::fabs(value));
    }
    for (const double value : b) {
        largest = std::max(largest, std::fabs(value));
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::fabs(a[i] - b[i]) > 1e-5 * largest) {
            return false;
        }
    }
    return true;
}

bool nearRounded(double a, double b) {
    return std::fabs(a - b) <= 1.0;
}

// OpenGL 1.1 asks for at least six clip planes: the layer has six, Mesa more.
bool planesEnough(double ours, double theirs) {
    return ours == theirs || (ours >= 6 && ours <= theirs);
}

bool (*closeness(const Call& call))(double, double) {
    const std::string name = call.op->name;
    if ((name == "glGetIntegerv" || name == "glGetFloatv" || name == "glGetDoublev") &&
        call.args[0] == GL_MAX_CLIP_PLANES) {
        return planesEnough;
    }
    if (name == "glGetFloatv" || name == "glGetDoublev" || name == "glGetLightfv" ||
        name == "glGetLightiv" || name == "glGetMaterialiv" || name == "glGetMaterialfv" ||
        name == "glGetClipPlane" || name == "glGetTexGenfv" || name == "glGetTexGendv") {
        return near;
    }
    if (name == "glGetTexGeniv") {
        return nearRounded;  // an eye plane's rounding
    }
    if (name != "glGetIntegerv") {
        return same;
    }
    switch (static_cast<GLenum>(call.args[0])) {
        case GL_MODELVIEW_MATRIX:
        case GL_PROJECTION_MATRIX:
        case GL_TEXTURE_MATRIX:
            return nearRounded;
        case GL_CURRENT_COLOR:
        case GL_CURRENT_NORMAL:
        case GL_COLOR_CLEAR_VALUE:
        case GL_LIGHT_MODEL_AMBIENT:
        case GL_DEPTH_RANGE:
        case GL_DEPTH_CLEAR_VALUE:
        case GL_FOG_COLOR:
        case GL_ALPHA_TEST_REF:
            return near;  // mapped from floating point
        default:
            return same;
    }
}

std::string listed(const Values& values) {
    std::ostringstream out;
    out.precision(7);
    for (const double value : values) {
        out << ' ' << value;
    }
    return out.str();
}

// A refusal names an entry point, or a family of them by its stem
// (glRasterPos for glRasterPos2f, glPixelMap for glPixelMapfv).
bool names(const vgl::Refusal& refusal, const std::string& call) {
    std::istringstream calls(refusal.calls);
    std::string name;
    while (calls >> name) {
        if (call.compare(0, name.size(), name) == 0 &&
            call.find_first_not_of("1234bsifduv", name.size()) == std::string::npos) {
            return true;
        }
    }
    return false;
}

// Why the layer's refusal of call `call` is not one it lists; empty when it is.
std::string unlisted(const vgl::Refusal& refusal, const Call& call, const Outcome& outcome,
                     const std::string& said) {
    if (!names(refusal, call.op->name)) {
        return "the layer refused " + format(call) + " as \"" + refusal.what + "\", a refusal of " +
               refusal.calls + " only";
    }
    // A list called may give an error of its own before the call it refuses.
    const bool listCalled = std::string(call.op->name) == "glCallList";
    if (outcome.checked && outcome.error != refusal.error && !listCalled) {
        return "the layer refused " + format(call) + " with " + errorName(outcome.error) +
               ", not the " + errorName(refusal.error) + " its refusal gives";
    }
    const std::string message =
        std::string("vellmoor: ") + refusal.what + " is not supported on WebGL; ignored";
    if (said.find(message) == std::string::npos) {
        return "the layer refused " + format(call) + " without saying \"" + message + "\"";
    }
    return {};
}

}  // namespace

const char* errorName(unsigned error) {
    switch (error) {
        case GL_NO_ERROR:
            return "GL_NO_ERROR";
        case GL_INVALID_ENUM:
            return "GL_INVALID_ENUM";
        case GL_INVALID_VALUE:
            return "GL_INVALID_VALUE";
        case GL_INVALID_OPERATION:
            return "GL_INVALID_OPERATION";
        case GL_STACK_OVERFLOW:
            return "GL_STACK_OVERFLOW";
        case GL_STACK_UNDERFLOW:
            return "GL_STACK_UNDERFLOW";
        case GL_OUT_OF_MEMORY:
            return "GL_OUT_OF_MEMORY";
        default:
            return "an unknown error";
    }
}

Verdict compare(const Sequence& sequence, const LayerRun& layer, const MesaRun& opengl) {
    Verdict verdict;
    Sequence calls = sequence;
    calls.insert(calls.end(), stateProbe().begin(), stateProbe().end());
    if (layer.outcomes.size() != calls.size() || opengl.outcomes.size() != calls.size()) {
        verdict.difference = "the two sides answered for different numbers of calls";
        verdict.kind = "calls";
        return verdict;
    }
    for (const auto& [index, refusal] : layer.refusals) {
        verdict.refusals.push_back(refusal);
        const std::string why = unlisted(*refusal, calls[index], layer.outcomes[index], layer.said);
        if (!why.empty()) {
            verdict.difference = why;
            verdict.kind = std::string(calls[index].op->name) + " refused";
            return verdict;
        }
    }
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const Outcome& ours = layer.outcomes[i];
        const Outcome& theirs = opengl.outcomes[i];
        if (theirs.skipped == "refused") {
            continue;
        }
        const auto where = [&] {
            return (i < sequence.size() ? "call " + std::to_string(i + 1)
                                        : std::string("the state probe's")) +
                   " " + format(calls[i]) + ": ";
        };
        const std::string opengl11 =
            theirs.skipped.empty() && theirs.substitute < 0 ? "OpenGL" : "OpenGL 1.1";
        if (!theirs.skipped.empty()) {
            verdict.departures.push_back(std::stoi(theirs.skipped));
        }
        if (theirs.substitute >= 0) {
            verdict.departures.push_back(theirs.substitute);
        }
        if (ours.checked && ours.error != theirs.error) {
            verdict.kind = std::string(calls[i].op->name) + " error";
            verdict.difference = where() + "the layer gives " + errorName(ours.error) + ", " +
                                 opengl11 + " " + errorName(theirs.error);
            return verdict;
        }
        if (!theirs.skipped.empty()) {
            continue;
        }
        const auto close = closeness(calls[i]);
        const bool agree = ours.values.size() == theirs.values.size() &&
                           (close == near ? nearVectors(ours.values, theirs.values)
                                          : std::equal(ours.values.begin(), ours.values.end(),
                                                       theirs.values.begin(), close));
        if (!agree) {
            verdict.kind = format(calls[i]) + " answer";
            verdict.difference = where() + "the layer answers" + listed(ours.values) + ", " +
                                 opengl11 + listed(theirs.values);
            return verdict;
        }
    }
    const std::string drawn = differs(layer.picture, opengl.picture);
    if (!drawn.empty()) {
        verdict.difference = "what was drawn: " + drawn;
        verdict.kind = "drawn";
    }
    return verdict;
}

}  // namespace differential
