#pragma once

#include <GL/gl.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "backend.h"
#include "light_selection.h"
#include "list_store.h"
#include "material_table.h"
#include "matrix.h"
#include "recording.h"
#include "state.h"
#include "surface.h"
#include "textures.h"

namespace vgl {

// OpenGL 1.1 as the program uses it, over the renderer in backend.h. Geometry
// is recorded with the state that can travel with it (materials, shading,
// texturing) and drawn in batches: a display list once uploaded, immediate-mode
// primitives collected until some other state changes.
class Context {
   public:
    Context();

    // Primitives
    void begin(GLenum mode);
    void end();
    void vertex(GLfloat x, GLfloat y, GLfloat z);
    void normal(GLfloat x, GLfloat y, GLfloat z);
    void texCoord(GLfloat s, GLfloat t);
    void color(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
    void rect(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2);

    // Matrices
    void matrixMode(GLenum mode);
    void loadMatrix(const Matrix& matrix);
    void multiply(const Matrix& matrix);
    void pushMatrix();
    void popMatrix();
    void viewport(GLint x, GLint y, GLsizei width, GLsizei height);

    // Display lists
    GLuint genLists(GLsizei range);
    void newList(GLuint list, GLenum mode);
    void endList();
    void callList(GLuint name);
    bool isList(GLuint list);
    void deleteLists(GLuint list, GLsizei range);

    // Lighting
    void light(GLenum which, GLenum pname, const GLfloat* params, int count);
    void lightModel(GLenum pname, const GLfloat* params);
    void material(GLenum face, GLenum pname, const GLfloat* params);
    void shadeModel(GLenum mode);

    // State
    void enable(GLenum cap, bool on);
    bool isEnabled(GLenum cap);
    void frontFace(GLenum mode);
    void depthMask(GLboolean flag);
    void blendFunc(GLenum source, GLenum destination);
    void clearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
    void clear(GLbitfield mask);
    void pushAttrib(GLbitfield mask);
    void popAttrib();
    // Draws whatever immediate-mode geometry is waiting (glFlush, glFinish).
    void flush();

    // Queries
    GLenum takeError();
    void getIntegers(GLenum pname, GLint* params);
    void getFloats(GLenum pname, GLfloat* params);
    const GLubyte* getString(GLenum name);
    void getLight(GLenum light, GLenum pname, GLfloat* params);
    void getMaterial(GLenum face, GLenum pname, GLfloat* params);

    // Textures and pixels
    void genTextures(GLsizei n, GLuint* textures);
    void deleteTextures(GLsizei n, const GLuint* textures);
    void bindTexture(GLenum target, GLuint texture);
    void texParameter(GLenum target, GLenum pname, GLint param);
    void texEnv(GLenum target, GLenum pname, GLint param);
    void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const GLvoid* pixels);
    void texLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params);
    void pixelStore(GLenum pname, GLint param);
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    GLvoid* pixels);
    // An entry point that exists for GLU's sake but which the layer does not
    // draw with (1D and 3D textures).
    void unsupported(const char* call);

    // The window's context was made: what the renderer allows is known now.
    void windowCreated(int width, int height);
    // The renderer lost its context and has a new one: every list's mesh is
    // uploaded again, the rest sent again before the next draw.
    void rendererRestored();

   private:
    struct Compilation {
        GLuint name = 0;
        GLenum mode = GL_COMPILE;
        DisplayList list;
        Surface surface;
        MatrixStack matrices{32};
        std::vector<std::pair<GLbitfield, Surface>> attributes;
    };
    void setError(GLenum error);
    // Says once that `what` is not supported on WebGL, and sets `error`.
    void refuse(const std::string& what, GLenum error);
    // Whether a call that changes state the layer keeps out of display lists
    // is being compiled into one: then it is refused with a message.
    bool refusedInList(const char* call);
    // Whether a call OpenGL forbids between glBegin and glEnd comes there:
    // then it is an invalid operation.
    bool refusedInBegin();
    // The state geometry is recorded with: the list's when compiling one.
    Surface& surface();
    MatrixStack& currentStack();
    // State that every draw shares changed: what was drawn before goes first.
    void renderStateChanging();
    void drawRecording(const Recording& recording, const std::vector<Chunk>& chunks, int mesh,
                       const Matrix& modelview);
    // Draws the waiting immediate geometry, which `frame` carries into eye space.
    void drawImmediate(const Matrix& frame);
    void sendRenderState();
    void sendMaterials();
    void callCompiled(const DisplayList& list);
    Light* lightFor(GLenum light);

    ServerState state_;
    std::vector<std::pair<GLbitfield, ServerState>> attributes_;
    MatrixStack modelview_{32};
    MatrixStack projection_{32};
    GLint viewport_[4] = {0, 0, 0, 0};
    GLenum error_ = GL_NO_ERROR;

    bool inBegin_ = false;
    GLenum beginMode_ = GL_POINTS;
    std::vector<SourceVertex> source_;
    Recording immediate_;

    ListStore lists_;
    bool compiling_ = false;
    Compilation compilation_;

    MaterialTable materials_;
    unsigned sentMaterials_ = 0;
    bool renderStateDirty_ = true;
    LightSelection lightSelection_;

    TextureObjects textures_;
    std::set<std::string> refusalsReported_;
};

// The program's one context.
Context& context();

}  // namespace vgl
