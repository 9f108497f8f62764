// Vertices and their attributes: glVertex, glNormal, glColor, glTexCoord and glRect in
// every type and form OpenGL 1.1 gives them, each handed to the context as
// floats. Coordinates are taken as numbers; colour and normal components
// given as integers are normalised as OpenGL says (components.h).
#include <GL/gl.h>

#include "components.h"
#include "context.h"

using vgl::Context;
using vgl::listed;
using vgl::normalised;

namespace {

template <typename T>
float number(T value) {
    return static_cast<float>(value);
}

}  // namespace

// The two forms of each command, one taking its components as arguments, the
// other (suffix v) from an array.
#define VGL_VERTEX(type, T)                                                                \
    void glVertex2##type(T x, T y) {                                                       \
        listed(&Context::vertex, number(x), number(y), 0.0f);                              \
    }                                                                                      \
    void glVertex2##type##v(const T* v) {                                                  \
        listed(&Context::vertex, number(v[0]), number(v[1]), 0.0f);                        \
    }                                                                                      \
    void glVertex3##type(T x, T y, T z) {                                                  \
        listed(&Context::vertex, number(x), number(y), number(z));                         \
    }                                                                                      \
    void glVertex3##type##v(const T* v) {                                                  \
        listed(&Context::vertex, number(v[0]), number(v[1]), number(v[2]));                \
    }                                                                                      \
    void glVertex4##type(T x, T y, T z, T w) {                                             \
        listed(&Context::vertex4, number(x), number(y), number(z), number(w));             \
    }                                                                                      \
    void glVertex4##type##v(const T* v) {                                                  \
        listed(&Context::vertex4, number(v[0]), number(v[1]), number(v[2]), number(v[3])); \
    }

#define VGL_NORMAL(type, T)                                                             \
    void glNormal3##type(T x, T y, T z) {                                               \
        listed(&Context::normal, normalised(x), normalised(y), normalised(z));          \
    }                                                                                   \
    void glNormal3##type##v(const T* v) {                                               \
        listed(&Context::normal, normalised(v[0]), normalised(v[1]), normalised(v[2])); \
    }

#define VGL_COLOR(type, T)                                                                   \
    void glColor3##type(T r, T g, T b) {                                                     \
        listed(&Context::color, normalised(r), normalised(g), normalised(b), 1.0f);          \
    }                                                                                        \
    void glColor3##type##v(const T* v) {                                                     \
        listed(&Context::color, normalised(v[0]), normalised(v[1]), normalised(v[2]), 1.0f); \
    }                                                                                        \
    void glColor4##type(T r, T g, T b, T a) {                                                \
        listed(&Context::color, normalised(r), normalised(g), normalised(b), normalised(a)); \
    }                                                                                        \
    void glColor4##type##v(const T* v) {                                                     \
        listed(&Context::color, normalised(v[0]), normalised(v[1]), normalised(v[2]),        \
               normalised(v[3]));                                                            \
    }

#define VGL_TEX_COORD(type, T)                                                               \
    void glTexCoord1##type(T s) {                                                            \
        listed(&Context::texCoord, number(s), 0.0f);                                         \
    }                                                                                        \
    void glTexCoord1##type##v(const T* v) {                                                  \
        listed(&Context::texCoord, number(v[0]), 0.0f);                                      \
    }                                                                                        \
    void glTexCoord2##type(T s, T t) {                                                       \
        listed(&Context::texCoord, number(s), number(t));                                    \
    }                                                                                        \
    void glTexCoord2##type##v(const T* v) {                                                  \
        listed(&Context::texCoord, number(v[0]), number(v[1]));                              \
    }                                                                                        \
    void glTexCoord3##type(T s, T t, T r) {                                                  \
        listed(&Context::texCoord4, number(s), number(t), number(r), 1.0f);                  \
    }                                                                                        \
    void glTexCoord3##type##v(const T* v) {                                                  \
        listed(&Context::texCoord4, number(v[0]), number(v[1]), number(v[2]), 1.0f);         \
    }                                                                                        \
    void glTexCoord4##type(T s, T t, T r, T q) {                                             \
        listed(&Context::texCoord4, number(s), number(t), number(r), number(q));             \
    }                                                                                        \
    void glTexCoord4##type##v(const T* v) {                                                  \
        listed(&Context::texCoord4, number(v[0]), number(v[1]), number(v[2]), number(v[3])); \
    }

// A colour index: kept as the current index, which no colour-index window uses.
#define VGL_INDEX(type, T)                     \
    void glIndex##type(T c) {                  \
        listed(&Context::index, number(c));    \
    }                                          \
    void glIndex##type##v(const T* c) {        \
        listed(&Context::index, number(c[0])); \
    }

#define VGL_RECT(type, T)                                                                   \
    void glRect##type(T x1, T y1, T x2, T y2) {                                             \
        listed(&Context::rect, number(x1), number(y1), number(x2), number(y2));             \
    }                                                                                       \
    void glRect##type##v(const T* v1, const T* v2) {                                        \
        listed(&Context::rect, number(v1[0]), number(v1[1]), number(v2[0]), number(v2[1])); \
    }

extern "C" {

VGL_VERTEX(s, GLshort)
VGL_VERTEX(i, GLint)
VGL_VERTEX(f, GLfloat)
VGL_VERTEX(d, GLdouble)

VGL_NORMAL(b, GLbyte)
VGL_NORMAL(s, GLshort)
VGL_NORMAL(i, GLint)
VGL_NORMAL(f, GLfloat)
VGL_NORMAL(d, GLdouble)

VGL_COLOR(b, GLbyte)
VGL_COLOR(s, GLshort)
VGL_COLOR(i, GLint)
VGL_COLOR(f, GLfloat)
VGL_COLOR(d, GLdouble)
VGL_COLOR(ub, GLubyte)
VGL_COLOR(us, GLushort)
VGL_COLOR(ui, GLuint)

VGL_TEX_COORD(s, GLshort)
VGL_TEX_COORD(i, GLint)
VGL_TEX_COORD(f, GLfloat)
VGL_TEX_COORD(d, GLdouble)

VGL_INDEX(s, GLshort)
VGL_INDEX(i, GLint)
VGL_INDEX(f, GLfloat)
VGL_INDEX(d, GLdouble)
VGL_INDEX(ub, GLubyte)

VGL_RECT(s, GLshort)
VGL_RECT(i, GLint)
VGL_RECT(f, GLfloat)
VGL_RECT(d, GLdouble)

}  // extern "C"
