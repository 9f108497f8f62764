// The OpenGL entry points: each hands its call to the context. Those that
// specify a vertex or its attributes are in vertex_entry.cpp.
#include <GL/gl.h>

#include <algorithm>

#include "components.h"
#include "context.h"

using vgl::context;

extern "C" {

void glBegin(GLenum mode) {
    context().begin(mode);
}
void glEnd(void) {
    context().end();
}
void glMatrixMode(GLenum mode) {
    context().matrixMode(mode);
}
void glLoadIdentity(void) {
    context().loadMatrix(vgl::Matrix::identity());
}
void glLoadMatrixf(const GLfloat* m) {
    vgl::Matrix matrix{};
    std::copy(m, m + 16, matrix.m.begin());
    context().loadMatrix(matrix);
}
void glLoadMatrixd(const GLdouble* m) {
    context().loadMatrix(vgl::fromDoubles(m));
}
void glMultMatrixf(const GLfloat* m) {
    vgl::Matrix matrix{};
    std::copy(m, m + 16, matrix.m.begin());
    context().multiply(matrix);
}
void glMultMatrixd(const GLdouble* m) {
    context().multiply(vgl::fromDoubles(m));
}
void glPushMatrix(void) {
    context().pushMatrix();
}
void glPopMatrix(void) {
    context().popMatrix();
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    context().multiply(vgl::translation(x, y, z));
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    context().multiply(
        vgl::translation(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    context().multiply(vgl::rotation(angle, x, y, z));
}
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    context().multiply(vgl::rotation(static_cast<float>(angle), static_cast<float>(x),
                                     static_cast<float>(y), static_cast<float>(z)));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    context().multiply(vgl::scaling(x, y, z));
}
void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    context().multiply(
        vgl::scaling(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
    context().ortho(left, right, bottom, top, zNear, zFar);
}
void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar) {
    context().frustum(left, right, bottom, top, zNear, zFar);
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    context().viewport(x, y, width, height);
}

GLuint glGenLists(GLsizei range) {
    return context().genLists(range);
}
void glNewList(GLuint list, GLenum mode) {
    context().newList(list, mode);
}
void glEndList(void) {
    context().endList();
}
void glCallList(GLuint list) {
    context().callList(list);
}
GLboolean glIsList(GLuint list) {
    return context().isList(list) ? GL_TRUE : GL_FALSE;
}
void glDeleteLists(GLuint list, GLsizei range) {
    context().deleteLists(list, range);
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
    context().light(light, pname, &param, 1);
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    context().light(light, pname, params, 4);
}
void glLightModeli(GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    context().lightModel(pname, &value, 1);
}
void glLightModelfv(GLenum pname, const GLfloat* params) {
    context().lightModel(pname, params, 4);
}
void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    context().material(face, pname, &param, 1);
}
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    context().material(face, pname, params, 4);
}
void glShadeModel(GLenum mode) {
    context().shadeModel(mode);
}

void glEnable(GLenum cap) {
    context().enable(cap, true);
}
void glDisable(GLenum cap) {
    context().enable(cap, false);
}
GLboolean glIsEnabled(GLenum cap) {
    return context().isEnabled(cap) ? GL_TRUE : GL_FALSE;
}
void glFrontFace(GLenum mode) {
    context().frontFace(mode);
}
void glCullFace(GLenum mode) {
    context().cullFace(mode);
}
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    context().arrayPointer(GL_VERTEX_ARRAY, size, type, stride, pointer);
}
void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    context().arrayPointer(GL_NORMAL_ARRAY, 3, type, stride, pointer);
}
void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    context().arrayPointer(GL_COLOR_ARRAY, size, type, stride, pointer);
}
void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    context().arrayPointer(GL_TEXTURE_COORD_ARRAY, size, type, stride, pointer);
}
void glEnableClientState(GLenum array) {
    context().enableClientState(array, true);
}
void glDisableClientState(GLenum array) {
    context().enableClientState(array, false);
}
void glArrayElement(GLint i) {
    context().arrayElement(i);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    context().drawArrays(mode, first, count);
}
void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    context().drawElements(mode, count, type, indices);
}
void glGetPointerv(GLenum pname, GLvoid** params) {
    *params = const_cast<GLvoid*>(context().arrayPointerOf(pname));
}
void glColorMaterial(GLenum face, GLenum mode) {
    context().colorMaterial(face, mode);
}
void glAlphaFunc(GLenum func, GLclampf ref) {
    context().alphaFunc(func, ref);
}
void glFogf(GLenum pname, GLfloat param) {
    context().fog(pname, &param, 1);
}
void glFogi(GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    context().fog(pname, &value, 1);
}
void glFogfv(GLenum pname, const GLfloat* params) {
    context().fog(pname, params, pname == GL_FOG_COLOR ? 4 : 1);
}
void glFogiv(GLenum pname, const GLint* params) {
    // A colour's integers map onto [-1, 1] as colours do; the other values
    // are taken as they are.
    GLfloat values[4] = {static_cast<GLfloat>(params[0]), 0.0f, 0.0f, 0.0f};
    if (pname == GL_FOG_COLOR) {
        for (int i = 0; i < 4; ++i) {
            values[i] = vgl::normalised(params[i]);
        }
    }
    context().fog(pname, values, pname == GL_FOG_COLOR ? 4 : 1);
}
void glPointSize(GLfloat size) {
    context().pointSize(size);
}
void glLineWidth(GLfloat width) {
    context().lineWidth(width);
}
void glLineStipple(GLint factor, GLushort pattern) {
    context().lineStipple(factor, pattern);
}
void glDepthMask(GLboolean flag) {
    context().depthMask(flag);
}
void glDepthFunc(GLenum func) {
    context().depthFunc(func);
}
void glDepthRange(GLclampd zNear, GLclampd zFar) {
    context().depthRange(zNear, zFar);
}
void glClearDepth(GLclampd depth) {
    context().clearDepth(depth);
}
void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    context().colorMask(red, green, blue, alpha);
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    context().scissor(x, y, width, height);
}
void glStencilFunc(GLenum func, GLint ref, GLuint mask) {
    context().stencilFunc(func, ref, mask);
}
void glStencilOp(GLenum fail, GLenum zfail, GLenum zpass) {
    context().stencilOp(fail, zfail, zpass);
}
void glStencilMask(GLuint mask) {
    context().stencilMask(mask);
}
void glClearStencil(GLint s) {
    context().clearStencil(s);
}
void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    context().blendFunc(sfactor, dfactor);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    context().clearColor(r, g, b, a);
}
void glClear(GLbitfield mask) {
    context().clear(mask);
}
void glPushAttrib(GLbitfield mask) {
    context().pushAttrib(mask);
}
void glPopAttrib(void) {
    context().popAttrib();
}
void glFlush(void) {
    context().flush();
}
void glFinish(void) {
    context().flush();
}

GLenum glGetError(void) {
    return context().takeError();
}
void glGetIntegerv(GLenum pname, GLint* params) {
    context().getIntegers(pname, params);
}
void glGetFloatv(GLenum pname, GLfloat* params) {
    context().getFloats(pname, params);
}
const GLubyte* glGetString(GLenum name) {
    return context().getString(name);
}
void glGetLightfv(GLenum light, GLenum pname, GLfloat* params) {
    context().getLight(light, pname, params);
}
void glGetMaterialfv(GLenum face, GLenum pname, GLfloat* params) {
    context().getMaterial(face, pname, params);
}

void glGenTextures(GLsizei n, GLuint* textures) {
    context().genTextures(n, textures);
}
void glDeleteTextures(GLsizei n, const GLuint* textures) {
    context().deleteTextures(n, textures);
}
void glBindTexture(GLenum target, GLuint texture) {
    context().bindTexture(target, texture);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    context().texParameter(target, pname, param);
}
void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    context().texEnv(target, pname, static_cast<GLint>(param));
}
void glTexEnvi(GLenum target, GLenum pname, GLint param) {
    context().texEnv(target, pname, param);
}
void glTexImage1D(GLenum target, GLint, GLint, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {
    context().unsupported(vgl::Refused::LineTextures, target == GL_PROXY_TEXTURE_1D);
}
void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    context().texImage2D(target, level, internalformat, width, height, border, format, type,
                         pixels);
}
void glTexImage3D(GLenum target, GLint, GLint, GLsizei, GLsizei, GLsizei, GLint, GLenum, GLenum,
                  const GLvoid*) {
    context().unsupported(vgl::Refused::VolumeTextures, target == GL_PROXY_TEXTURE_3D);
}
void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    context().texLevelParameter(target, level, pname, params);
}
void glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    context().getTexParameter(target, pname, params);
}
void glPixelStorei(GLenum pname, GLint param) {
    context().pixelStore(pname, param);
}
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
    context().readPixels(x, y, width, height, format, type, pixels);
}

}  // extern "C"
