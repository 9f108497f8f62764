// The OpenGL entry points: each hands its call to the context. A call a
// display list may hold goes through listed(), which also runs it at once in
// a list compiled with GL_COMPILE_AND_EXECUTE; the calls OpenGL runs at once
// even then (queries, names, client state, pixel storage) go straight to it.
// Those that specify a vertex or its attributes are in vertex_entry.cpp.
#include <GL/gl.h>

#include <algorithm>

#include "components.h"
#include "context.h"
#include "context_helpers.h"

using vgl::Context;
using vgl::context;
using vgl::listed;
using vgl::listedReading;

namespace {

// glTexGen's values as doubles: one for its mode, four for a plane (as many
// as the vector forms read).
template <typename T>
void texGen(GLenum coord, GLenum pname, const T* params, int count) {
    GLdouble values[4] = {};
    if (pname == GL_OBJECT_PLANE || pname == GL_EYE_PLANE) {
        std::copy_n(params, count, values);
    } else {
        values[0] = static_cast<GLdouble>(params[0]);
    }
    listed(&Context::texGen, coord, pname, static_cast<const GLdouble*>(values), count);
}
template <typename T>
void getTexGen(GLenum coord, GLenum pname, T* params) {
    GLdouble values[4];
    if (context().getTexGen(coord, pname, values)) {
        std::copy_n(values, pname == GL_TEXTURE_GEN_MODE ? 1 : 4, params);
    }
}
// The images of one and two dimensions go one way, one row for the first:
// each command's target, the other's being none (0) to it.
GLenum planeTarget(GLenum target) {
    return target == GL_TEXTURE_1D || target == GL_PROXY_TEXTURE_1D ? 0 : target;
}
GLenum lineTarget(GLenum target) {
    return target == GL_TEXTURE_2D || target == GL_PROXY_TEXTURE_2D ? 0 : target;
}

// The integer forms of glLight, glLightModel and glMaterial and their
// queries: a colour's integers map onto [-1, 1] as colours do, the other
// values are numbers.
bool colourParameter(GLenum pname) {
    return pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR ||
           pname == GL_EMISSION || pname == GL_AMBIENT_AND_DIFFUSE ||
           pname == GL_LIGHT_MODEL_AMBIENT;
}
int valueCount(GLenum pname) {
    if (colourParameter(pname) || pname == GL_POSITION) {
        return 4;
    }
    return pname == GL_SPOT_DIRECTION || pname == GL_COLOR_INDEXES ? 3 : 1;
}
// Values given as integers, `count` of them: a colour's map onto [-1, 1] as
// colours do, the others are taken as numbers.
struct FromIntegers {
    GLfloat values[4] = {};
    FromIntegers(const GLint* params, int count, bool colour) {
        for (int i = 0; i < count; ++i) {
            values[i] = colour ? vgl::normalised(params[i]) : static_cast<GLfloat>(params[i]);
        }
    }
    // A lighting parameter's.
    FromIntegers(GLenum pname, const GLint* params)
        : FromIntegers(params, valueCount(pname), colourParameter(pname)) {}
};
void toIntegers(GLenum pname, const GLfloat* values, GLint* params) {
    for (int i = 0; i < valueCount(pname); ++i) {
        params[i] =
            colourParameter(pname) ? vgl::mappedInteger(values[i]) : vgl::roundedInteger(values[i]);
    }
}
}  // namespace

extern "C" {

void glBegin(GLenum mode) {
    listed(&Context::begin, mode);
}
void glEnd(void) {
    listed(&Context::end);
}
void glMatrixMode(GLenum mode) {
    listed(&Context::matrixMode, mode);
}
void glLoadIdentity(void) {
    listed(&Context::loadMatrix, vgl::Matrix::identity());
}
void glLoadMatrixf(const GLfloat* m) {
    vgl::Matrix matrix{};
    std::copy(m, m + 16, matrix.m.begin());
    listed(&Context::loadMatrix, matrix);
}
void glLoadMatrixd(const GLdouble* m) {
    listed(&Context::loadMatrix, vgl::fromDoubles(m));
}
void glMultMatrixf(const GLfloat* m) {
    vgl::Matrix matrix{};
    std::copy(m, m + 16, matrix.m.begin());
    listed(&Context::multiply, matrix);
}
void glMultMatrixd(const GLdouble* m) {
    listed(&Context::multiply, vgl::fromDoubles(m));
}
void glPushMatrix(void) {
    listed(&Context::pushMatrix);
}
void glPopMatrix(void) {
    listed(&Context::popMatrix);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    listed(&Context::multiply, vgl::translation(x, y, z));
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    listed(&Context::multiply,
           vgl::translation(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    listed(&Context::multiply, vgl::rotation(angle, x, y, z));
}
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    listed(&Context::multiply, vgl::rotation(static_cast<float>(angle), static_cast<float>(x),
                                             static_cast<float>(y), static_cast<float>(z)));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    listed(&Context::multiply, vgl::scaling(x, y, z));
}
void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    listed(&Context::multiply,
           vgl::scaling(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
    listed(&Context::ortho, left, right, bottom, top, zNear, zFar);
}
void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar) {
    listed(&Context::frustum, left, right, bottom, top, zNear, zFar);
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    listed(&Context::viewport, x, y, width, height);
}
void glClipPlane(GLenum plane, const GLdouble* equation) {
    listed(&Context::clipPlane, plane, equation);
}
void glGetClipPlane(GLenum plane, GLdouble* equation) {
    context().getClipPlane(plane, equation);
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
    listed(&Context::callList, list);
}
GLboolean glIsList(GLuint list) {
    return context().isList(list) ? GL_TRUE : GL_FALSE;
}
void glDeleteLists(GLuint list, GLsizei range) {
    context().deleteLists(list, range);
}
void glListBase(GLuint base) {
    listed(&Context::listBase, base);
}
void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) {
    std::vector<GLuint> names;
    const GLenum error = vgl::listNames(n, type, lists, names);
    listed(&Context::callListNames, std::move(names), error);
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
    listed(&Context::light, light, pname, &param, 1);
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    listed(&Context::light, light, pname, params, valueCount(pname));
}
void glLighti(GLenum light, GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::light, light, pname, &value, 1);
}
void glLightiv(GLenum light, GLenum pname, const GLint* params) {
    const FromIntegers values(pname, params);
    listed(&Context::light, light, pname, static_cast<const GLfloat*>(values.values),
           valueCount(pname));
}
void glLightModelf(GLenum pname, GLfloat param) {
    listed(&Context::lightModel, pname, &param, 1);
}
void glLightModeliv(GLenum pname, const GLint* params) {
    const FromIntegers values(pname, params);
    listed(&Context::lightModel, pname, static_cast<const GLfloat*>(values.values),
           valueCount(pname));
}
void glLightModeli(GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::lightModel, pname, &value, 1);
}
void glLightModelfv(GLenum pname, const GLfloat* params) {
    listed(&Context::lightModel, pname, params, valueCount(pname));
}
void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    listed(&Context::material, face, pname, &param, 1);
}
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    listed(&Context::material, face, pname, params, valueCount(pname));
}
void glMateriali(GLenum face, GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::material, face, pname, &value, 1);
}
void glMaterialiv(GLenum face, GLenum pname, const GLint* params) {
    const FromIntegers values(pname, params);
    listed(&Context::material, face, pname, static_cast<const GLfloat*>(values.values),
           valueCount(pname));
}
void glShadeModel(GLenum mode) {
    listed(&Context::shadeModel, mode);
}

void glEnable(GLenum cap) {
    listed(&Context::enable, cap, true);
}
void glDisable(GLenum cap) {
    listed(&Context::enable, cap, false);
}
GLboolean glIsEnabled(GLenum cap) {
    return context().isEnabled(cap) ? GL_TRUE : GL_FALSE;
}
void glFrontFace(GLenum mode) {
    listed(&Context::frontFace, mode);
}
void glCullFace(GLenum mode) {
    listed(&Context::cullFace, mode);
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
void glEdgeFlagPointer(GLsizei stride, const GLvoid* pointer) {
    context().edgeFlagPointer(stride, pointer);
}
void glInterleavedArrays(GLenum format, GLsizei stride, const GLvoid* pointer) {
    context().interleavedArrays(format, stride, pointer);
}
void glEnableClientState(GLenum array) {
    context().enableClientState(array, true);
}
void glDisableClientState(GLenum array) {
    context().enableClientState(array, false);
}
void glArrayElement(GLint i) {
    listedReading(&Context::arrayElement, i);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    listedReading(&Context::drawArrays, mode, first, count);
}
void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    listedReading(&Context::drawElements, mode, count, type, indices);
}
void glPushClientAttrib(GLbitfield mask) {
    context().pushClientAttrib(mask);
}
void glPopClientAttrib(void) {
    context().popClientAttrib();
}
void glEdgeFlag(GLboolean flag) {
    listed(&Context::edgeFlag, flag != GL_FALSE);
}
void glEdgeFlagv(const GLboolean* flag) {
    listed(&Context::edgeFlag, *flag != GL_FALSE);
}
void glGetPointerv(GLenum pname, GLvoid** params) {
    *params = const_cast<GLvoid*>(context().arrayPointerOf(pname));
}
void glColorMaterial(GLenum face, GLenum mode) {
    listed(&Context::colorMaterial, face, mode);
}
void glAlphaFunc(GLenum func, GLclampf ref) {
    listed(&Context::alphaFunc, func, ref);
}
void glFogf(GLenum pname, GLfloat param) {
    listed(&Context::fog, pname, &param, 1);
}
void glFogi(GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::fog, pname, &value, 1);
}
void glFogfv(GLenum pname, const GLfloat* params) {
    listed(&Context::fog, pname, params, pname == GL_FOG_COLOR ? 4 : 1);
}
void glFogiv(GLenum pname, const GLint* params) {
    const bool colour = pname == GL_FOG_COLOR;
    const FromIntegers values(params, colour ? 4 : 1, colour);
    listed(&Context::fog, pname, static_cast<const GLfloat*>(values.values), colour ? 4 : 1);
}
void glPointSize(GLfloat size) {
    listed(&Context::pointSize, size);
}
void glLineWidth(GLfloat width) {
    listed(&Context::lineWidth, width);
}
void glLineStipple(GLint factor, GLushort pattern) {
    listed(&Context::lineStipple, factor, pattern);
}
void glPolygonMode(GLenum face, GLenum mode) {
    listed(&Context::polygonMode, face, mode);
}
void glPolygonOffset(GLfloat factor, GLfloat units) {
    listed(&Context::polygonOffset, factor, units);
}
void glPolygonStipple(const GLubyte* mask) {
    listedReading(&Context::polygonStipple, mask);
}
void glGetPolygonStipple(GLubyte* mask) {
    context().getPolygonStipple(mask);
}
void glDepthMask(GLboolean flag) {
    listed(&Context::depthMask, flag);
}
void glDepthFunc(GLenum func) {
    listed(&Context::depthFunc, func);
}
void glDepthRange(GLclampd zNear, GLclampd zFar) {
    listed(&Context::depthRange, zNear, zFar);
}
void glClearDepth(GLclampd depth) {
    listed(&Context::clearDepth, depth);
}
void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    listed(&Context::colorMask, red, green, blue, alpha);
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    listed(&Context::scissor, x, y, width, height);
}
void glStencilFunc(GLenum func, GLint ref, GLuint mask) {
    listed(&Context::stencilFunc, func, ref, mask);
}
void glStencilOp(GLenum fail, GLenum zfail, GLenum zpass) {
    listed(&Context::stencilOp, fail, zfail, zpass);
}
void glStencilMask(GLuint mask) {
    listed(&Context::stencilMask, mask);
}
void glClearStencil(GLint s) {
    listed(&Context::clearStencil, s);
}
void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    listed(&Context::blendFunc, sfactor, dfactor);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    listed(&Context::clearColor, r, g, b, a);
}
void glClear(GLbitfield mask) {
    listed(&Context::clear, mask);
}
void glPushAttrib(GLbitfield mask) {
    listed(&Context::pushAttrib, mask);
}
void glPopAttrib(void) {
    listed(&Context::popAttrib);
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
void glGetLightiv(GLenum light, GLenum pname, GLint* params) {
    GLfloat values[4];
    if (context().getLight(light, pname, values)) {
        toIntegers(pname, values, params);
    }
}
void glGetMaterialiv(GLenum face, GLenum pname, GLint* params) {
    GLfloat values[4];
    if (context().getMaterial(face, pname, values)) {
        toIntegers(pname, values, params);
    }
}
void glGetBooleanv(GLenum pname, GLboolean* params) {
    context().getBooleans(pname, params);
}
void glGetDoublev(GLenum pname, GLdouble* params) {
    context().getDoubles(pname, params);
}
GLboolean glIsTexture(GLuint texture) {
    return context().isTexture(texture) ? GL_TRUE : GL_FALSE;
}
void glHint(GLenum target, GLenum mode) {
    listed(&Context::hint, target, mode);
}
void glLogicOp(GLenum opcode) {
    listed(&Context::logicOp, opcode);
}
void glIndexMask(GLuint mask) {
    listed(&Context::indexMask, mask);
}
void glClearIndex(GLfloat c) {
    listed(&Context::clearIndex, c);
}
void glDrawBuffer(GLenum mode) {
    listed(&Context::drawBuffer, mode);
}
void glReadBuffer(GLenum mode) {
    listed(&Context::readBuffer, mode);
}
void glIndexPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    context().arrayPointer(GL_INDEX_ARRAY, 1, type, stride, pointer);
}

void glGenTextures(GLsizei n, GLuint* textures) {
    context().genTextures(n, textures);
}
void glDeleteTextures(GLsizei n, const GLuint* textures) {
    context().deleteTextures(n, textures);
}
void glBindTexture(GLenum target, GLuint texture) {
    listed(&Context::bindTexture, target, texture);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::texParameter, target, pname, &value, 1);
}
void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    listed(&Context::texParameter, target, pname, &param, 1);
}
void glTexParameterfv(GLenum target, GLenum pname, const GLfloat* params) {
    listed(&Context::texParameter, target, pname, params, pname == GL_TEXTURE_BORDER_COLOR ? 4 : 1);
}
void glTexParameteriv(GLenum target, GLenum pname, const GLint* params) {
    const bool colour = pname == GL_TEXTURE_BORDER_COLOR;
    const FromIntegers values(params, colour ? 4 : 1, colour);
    listed(&Context::texParameter, target, pname, static_cast<const GLfloat*>(values.values),
           colour ? 4 : 1);
}
void glGetTexParameterfv(GLenum target, GLenum pname, GLfloat* params) {
    context().getTexParameter(target, pname, params, nullptr);
}
void glPrioritizeTextures(GLsizei n, const GLuint* textures, const GLclampf* priorities) {
    listedReading(&Context::prioritizeTextures, n, textures, priorities);
}
GLboolean glAreTexturesResident(GLsizei n, const GLuint* textures, GLboolean* residences) {
    return context().areTexturesResident(n, textures, residences);
}
void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    listed(&Context::texEnv, target, pname, &param, 1);
}
void glTexEnvi(GLenum target, GLenum pname, GLint param) {
    const GLfloat value = static_cast<GLfloat>(param);
    listed(&Context::texEnv, target, pname, &value, 1);
}
void glTexGeni(GLenum coord, GLenum pname, GLint param) {
    texGen(coord, pname, &param, 1);
}
void glTexGenf(GLenum coord, GLenum pname, GLfloat param) {
    texGen(coord, pname, &param, 1);
}
void glTexGend(GLenum coord, GLenum pname, GLdouble param) {
    texGen(coord, pname, &param, 1);
}
void glTexGeniv(GLenum coord, GLenum pname, const GLint* params) {
    texGen(coord, pname, params, 4);
}
void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
    texGen(coord, pname, params, 4);
}
void glTexGendv(GLenum coord, GLenum pname, const GLdouble* params) {
    texGen(coord, pname, params, 4);
}
void glGetTexGeniv(GLenum coord, GLenum pname, GLint* params) {
    getTexGen(coord, pname, params);
}
void glGetTexGenfv(GLenum coord, GLenum pname, GLfloat* params) {
    getTexGen(coord, pname, params);
}
void glGetTexGendv(GLenum coord, GLenum pname, GLdouble* params) {
    getTexGen(coord, pname, params);
}
void glTexEnvfv(GLenum target, GLenum pname, const GLfloat* params) {
    listed(&Context::texEnv, target, pname, params, pname == GL_TEXTURE_ENV_COLOR ? 4 : 1);
}
void glTexEnviv(GLenum target, GLenum pname, const GLint* params) {
    const bool colour = pname == GL_TEXTURE_ENV_COLOR;
    const FromIntegers values(params, colour ? 4 : 1, colour);
    listed(&Context::texEnv, target, pname, static_cast<const GLfloat*>(values.values),
           colour ? 4 : 1);
}
void glGetTexEnvfv(GLenum target, GLenum pname, GLfloat* params) {
    context().getTexEnv(target, pname, params, nullptr);
}
void glGetTexEnviv(GLenum target, GLenum pname, GLint* params) {
    context().getTexEnv(target, pname, nullptr, params);
}
void glTexImage1D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels) {
    listedReading(&Context::texImage2D, lineTarget(target), level, internalformat, width, 1, border,
                  format, type, pixels);
}
void glTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLsizei width, GLenum format,
                     GLenum type, const GLvoid* pixels) {
    listedReading(&Context::texSubImage2D, lineTarget(target), level, xoffset, 0, width, 1, format,
                  type, pixels);
}
void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    listedReading(&Context::texImage2D, planeTarget(target), level, internalformat, width, height,
                  border, format, type, pixels);
}
void glTexImage3D(GLenum target, GLint, GLint, GLsizei, GLsizei, GLsizei, GLint, GLenum, GLenum,
                  const GLvoid*) {
    context().unsupported(vgl::Refused::VolumeTextures, target == GL_PROXY_TEXTURE_3D);
}
void glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                     GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    listedReading(&Context::texSubImage2D, planeTarget(target), level, xoffset, yoffset, width,
                  height, format, type, pixels);
}
void glCopyTexImage2D(GLenum target, GLint level, GLenum internalformat, GLint x, GLint y,
                      GLsizei width, GLsizei height, GLint border) {
    listed(&Context::copyTexImage2D, target, level, static_cast<GLint>(internalformat), x, y, width,
           height, border);
}
void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y,
                         GLsizei width, GLsizei height) {
    listed(&Context::copyTexSubImage2D, target, level, xoffset, yoffset, x, y, width, height);
}
void glCopyTexImage1D(GLenum target, GLint level, GLenum internalformat, GLint x, GLint y,
                      GLsizei width, GLint border) {
    listed(&Context::copyTexImage1D, target, level, static_cast<GLint>(internalformat), x, y, width,
           border);
}
void glCopyTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLint x, GLint y,
                         GLsizei width) {
    listed(&Context::copyTexSubImage1D, target, level, xoffset, x, y, width);
}
void glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
    context().getTexImage(target, level, format, type, pixels);
}
void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    context().texLevelParameter(target, level, pname, nullptr, params);
}
void glGetTexLevelParameterfv(GLenum target, GLint level, GLenum pname, GLfloat* params) {
    context().texLevelParameter(target, level, pname, params, nullptr);
}
void glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    context().getTexParameter(target, pname, nullptr, params);
}
void glPixelStorei(GLenum pname, GLint param) {
    context().pixelStore(pname, param);
}
void glPixelStoref(GLenum pname, GLfloat param) {
    // The byte-order flags are true for any value but zero; the rest round.
    const bool flag = pname == GL_PACK_SWAP_BYTES || pname == GL_PACK_LSB_FIRST ||
                      pname == GL_UNPACK_SWAP_BYTES || pname == GL_UNPACK_LSB_FIRST;
    context().pixelStore(pname, flag ? (param != 0.0f ? 1 : 0) : vgl::roundedInteger(param));
}
void glPixelTransferf(GLenum pname, GLfloat param) {
    listed(&Context::pixelTransfer, pname, param);
}
void glPixelTransferi(GLenum pname, GLint param) {
    listed(&Context::pixelTransfer, pname, static_cast<GLfloat>(param));
}
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
    context().readPixels(x, y, width, height, format, type, pixels);
}

}  // extern "C"
