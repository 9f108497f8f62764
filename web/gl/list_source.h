#pragma once

// The calls a display list is compiled from, as the program made them. A
// list that calls other lists keeps them, to be compiled again when a list
// it calls is redefined or deleted; a list whose compiled geometry cannot
// stand for it where it is called (inside a primitive, under another
// glListBase, with the projection matrix selected) is run from them there.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <functional>
#include <type_traits>
#include <vector>

namespace vgl {

class Context;

using SourceCall = std::function<void(Context&)>;
using ListSource = std::vector<SourceCall>;

// A call as a list's source keeps it: with its values, and with the values
// its pointer parameters point to copied. Calls that read client memory
// by other rules (pixels, arrays) keep what they read themselves
// (Context::noteSource).
template <typename... Params>
struct Sourced {
    static_assert(!(std::is_pointer_v<Params> || ...),
                  "a call that reads client memory keeps what it reads itself");
    static SourceCall of(void (Context::*call)(Params...), Params... args) {
        return [=](Context& c) { (c.*call)(args...); };
    }
};

namespace detail {
// The `count` values a call reads from `values` (at most 4), copied.
template <typename T>
std::array<T, 4> copiedValues(const T* values, int count) {
    std::array<T, 4> kept{};
    std::copy_n(values, std::clamp(count, 0, 4), kept.begin());
    return kept;
}
}  // namespace detail

// glLight, glMaterial, glTexParameter and glTexEnv: `count` values, at most 4.
template <>
struct Sourced<GLenum, GLenum, const GLfloat*, int> {
    static SourceCall of(void (Context::*call)(GLenum, GLenum, const GLfloat*, int), GLenum target,
                         GLenum pname, const GLfloat* values, int count) {
        return [=, kept = detail::copiedValues(values, count)](Context& c) {
            (c.*call)(target, pname, kept.data(), count);
        };
    }
};

// glLightModel and glFog.
template <>
struct Sourced<GLenum, const GLfloat*, int> {
    static SourceCall of(void (Context::*call)(GLenum, const GLfloat*, int), GLenum pname,
                         const GLfloat* values, int count) {
        return [=, kept = detail::copiedValues(values, count)](Context& c) {
            (c.*call)(pname, kept.data(), count);
        };
    }
};

// glTexGen.
template <>
struct Sourced<GLenum, GLenum, const GLdouble*, int> {
    static SourceCall of(void (Context::*call)(GLenum, GLenum, const GLdouble*, int), GLenum coord,
                         GLenum pname, const GLdouble* values, int count) {
        return [=, kept = detail::copiedValues(values, count)](Context& c) {
            (c.*call)(coord, pname, kept.data(), count);
        };
    }
};

// glClipPlane: the plane's four coefficients.
template <>
struct Sourced<GLenum, const GLdouble*> {
    static SourceCall of(void (Context::*call)(GLenum, const GLdouble*), GLenum plane,
                         const GLdouble* equation) {
        return [=, kept = detail::copiedValues(equation, 4)](Context& c) {
            (c.*call)(plane, kept.data());
        };
    }
};

}  // namespace vgl
