// The entry points of what the layer does not draw: raster positions and
// pixel rectangles, selection and feedback, evaluators and the accumulation
// buffer. Each says so once and sets its error, leaving the state as it was;
// the name stack and glPassThrough, which do nothing outside selection and
// feedback, do nothing.
#include <GL/gl.h>

#include "context.h"

using vgl::Context;
using vgl::context;
using vgl::listed;
using vgl::Refused;

namespace {

// A call a display list may hold, or one run at once (a query, or a call
// that is never compiled).
void refused(Refused which) {
    context().unsupported(which, false);
}
void refusedAtOnce(Refused which) {
    context().unsupported(which, true);
}

}  // namespace

// glRasterPos in every size and type, with its v form.
#define VGL_RASTER_POS(size, type, T, ...)      \
    void glRasterPos##size##type(__VA_ARGS__) { \
        refused(Refused::RasterPositions);      \
    }                                           \
    void glRasterPos##size##type##v(const T*) { \
        refused(Refused::RasterPositions);      \
    }
#define VGL_RASTER_POS_TYPE(type, T)    \
    VGL_RASTER_POS(2, type, T, T, T)    \
    VGL_RASTER_POS(3, type, T, T, T, T) \
    VGL_RASTER_POS(4, type, T, T, T, T, T)

// glEvalCoord of one and two dimensions in one type, with their v forms.
#define VGL_EVAL_COORD(type, T)                                                   \
    void glEvalCoord1##type(T) {                                                  \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glEvalCoord1##type##v(const T*) {                                        \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glEvalCoord2##type(T, T) {                                               \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glEvalCoord2##type##v(const T*) {                                        \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glMap1##type(GLenum, T, T, GLint, GLint, const T*) {                     \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glMap2##type(GLenum, T, T, GLint, GLint, T, T, GLint, GLint, const T*) { \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glMapGrid1##type(GLint, T, T) {                                          \
        refused(Refused::Evaluators);                                             \
    }                                                                             \
    void glMapGrid2##type(GLint, T, T, GLint, T, T) {                             \
        refused(Refused::Evaluators);                                             \
    }

extern "C" {

VGL_RASTER_POS_TYPE(s, GLshort)
VGL_RASTER_POS_TYPE(i, GLint)
VGL_RASTER_POS_TYPE(f, GLfloat)
VGL_RASTER_POS_TYPE(d, GLdouble)

void glBitmap(GLsizei, GLsizei, GLfloat, GLfloat, GLfloat, GLfloat, const GLubyte*) {
    refused(Refused::RasterPositions);
}
void glDrawPixels(GLsizei, GLsizei, GLenum, GLenum, const GLvoid*) {
    refused(Refused::RasterPositions);
}
void glCopyPixels(GLint, GLint, GLsizei, GLsizei, GLenum) {
    refused(Refused::RasterPositions);
}
void glPixelZoom(GLfloat, GLfloat) {
    refused(Refused::RasterPositions);
}
void glPixelMapfv(GLenum, GLsizei, const GLfloat*) {
    refused(Refused::RasterPositions);
}
void glPixelMapuiv(GLenum, GLsizei, const GLuint*) {
    refused(Refused::RasterPositions);
}
void glPixelMapusv(GLenum, GLsizei, const GLushort*) {
    refused(Refused::RasterPositions);
}
void glGetPixelMapfv(GLenum, GLfloat*) {
    refusedAtOnce(Refused::RasterPositions);
}
void glGetPixelMapuiv(GLenum, GLuint*) {
    refusedAtOnce(Refused::RasterPositions);
}
void glGetPixelMapusv(GLenum, GLushort*) {
    refusedAtOnce(Refused::RasterPositions);
}

GLint glRenderMode(GLenum mode) {
    return context().renderMode(mode);
}
void glSelectBuffer(GLsizei, GLuint*) {
    refusedAtOnce(Refused::RenderModes);
}
void glFeedbackBuffer(GLsizei, GLenum, GLfloat*) {
    refusedAtOnce(Refused::RenderModes);
}
void glInitNames(void) {
    listed(&Context::nameStack);
}
void glLoadName(GLuint) {
    listed(&Context::nameStack);
}
void glPushName(GLuint) {
    listed(&Context::nameStack);
}
void glPopName(void) {
    listed(&Context::nameStack);
}
void glPassThrough(GLfloat) {
    listed(&Context::nameStack);
}

VGL_EVAL_COORD(f, GLfloat)
VGL_EVAL_COORD(d, GLdouble)

void glEvalPoint1(GLint) {
    refused(Refused::Evaluators);
}
void glEvalPoint2(GLint, GLint) {
    refused(Refused::Evaluators);
}
void glEvalMesh1(GLenum, GLint, GLint) {
    refused(Refused::Evaluators);
}
void glEvalMesh2(GLenum, GLint, GLint, GLint, GLint) {
    refused(Refused::Evaluators);
}
void glGetMapfv(GLenum, GLenum, GLfloat*) {
    refusedAtOnce(Refused::Evaluators);
}
void glGetMapdv(GLenum, GLenum, GLdouble*) {
    refusedAtOnce(Refused::Evaluators);
}
void glGetMapiv(GLenum, GLenum, GLint*) {
    refusedAtOnce(Refused::Evaluators);
}

void glAccum(GLenum, GLfloat) {
    refused(Refused::Accumulation);
}
void glClearAccum(GLfloat, GLfloat, GLfloat, GLfloat) {
    refused(Refused::Accumulation);
}

}  // extern "C"
