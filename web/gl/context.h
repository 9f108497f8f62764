#pragma once

#include <GL/gl.h>

#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "arrays.h"
#include "backend.h"
#include "light_selection.h"
#include "list_source.h"
#include "list_store.h"
#include "material_table.h"
#include "matrix.h"
#include "recording.h"
#include "refusals.h"
#include "state.h"
#include "stipple.h"
#include "surface.h"
#include "textures.h"

namespace vgl {

constexpr std::size_t kMaxMatrixDepth = 32;
constexpr std::size_t kMaxAttributeDepth = 16;
constexpr std::size_t kMaxTextureDepth = 10;
constexpr std::size_t kMaxClientAttributeDepth = 16;
// How deep lists call lists: OpenGL's least, as a list is recorded whole.
constexpr int kMaxListNesting = 64;
// The name stack selection would use: OpenGL's least depth.
constexpr int kMaxNameStackDepth = 64;

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
    // A vertex or texture coordinates of four components: drawn where w and
    // q are 1 (r is not used without three-dimensional textures).
    void vertex4(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
    void texCoord4(GLfloat s, GLfloat t, GLfloat r, GLfloat q);
    void normal(GLfloat x, GLfloat y, GLfloat z);
    void texCoord(GLfloat s, GLfloat t);
    void color(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
    void edgeFlag(bool flag);
    void rect(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2);

    // Matrices
    void matrixMode(GLenum mode);
    void loadMatrix(const Matrix& matrix);
    void multiply(const Matrix& matrix);
    void pushMatrix();
    void popMatrix();
    void ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar);
    void frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                 GLdouble zFar);
    void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void clipPlane(GLenum plane, const GLdouble* equation);
    void getClipPlane(GLenum plane, GLdouble* equation);

    // Rasterisation
    void pointSize(GLfloat size);
    void lineWidth(GLfloat width);
    void lineStipple(GLint factor, GLushort pattern);
    void cullFace(GLenum mode);
    void polygonMode(GLenum face, GLenum mode);
    // glTexGen: `count` values, 1 or 4.
    void texGen(GLenum coord, GLenum pname, const GLdouble* params, int count);
    // glGetTexGen: false where nothing was answered.
    bool getTexGen(GLenum coord, GLenum pname, GLdouble* params);
    void polygonOffset(GLfloat factor, GLfloat units);
    void polygonStipple(const GLubyte* mask);
    void getPolygonStipple(GLubyte* mask);
    // Fog's parameters: `count` values, 4 for the colour from the vector calls.
    void fog(GLenum pname, const GLfloat* params, int count);
    void alphaFunc(GLenum func, GLclampf ref);
    void colorMaterial(GLenum face, GLenum mode);

    // Vertex arrays: `name` is GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY
    // or GL_TEXTURE_COORD_ARRAY.
    void arrayPointer(GLenum name, GLint size, GLenum type, GLsizei stride, const void* pointer);
    void enableClientState(GLenum name, bool on);
    void arrayElement(GLint index);
    void drawArrays(GLenum mode, GLint first, GLsizei count);
    void drawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
    const void* arrayPointerOf(GLenum pname);
    void edgeFlagPointer(GLsizei stride, const void* pointer);
    void interleavedArrays(GLenum format, GLsizei stride, const void* pointer);
    // GL_CLIENT_VERTEX_ARRAY_BIT and GL_CLIENT_PIXEL_STORE_BIT: the arrays,
    // and the pixel store for reading and writing.
    void pushClientAttrib(GLbitfield mask);
    void popClientAttrib();

    // Display lists
    GLuint genLists(GLsizei range);
    void newList(GLuint list, GLenum mode);
    void endList();
    void callList(GLuint name);
    bool isList(GLuint list);
    void deleteLists(GLuint list, GLsizei range);
    void listBase(GLuint base);
    // glCallLists' names, read by listNames (list_store.h), or the error
    // reading them gave.
    void callListNames(const std::vector<GLuint>& names, GLenum error);

    // Lighting
    void light(GLenum which, GLenum pname, const GLfloat* params, int count);
    // `count`: the values the entry point passes, 1 for the scalar ones.
    void lightModel(GLenum pname, const GLfloat* params, int count);
    void material(GLenum face, GLenum pname, const GLfloat* params, int count);
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

    // Per-fragment operations (context_fragment.cpp)
    void depthFunc(GLenum func);
    void depthRange(GLclampd zNear, GLclampd zFar);
    void clearDepth(GLclampd depth);
    void colorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a);
    void scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void stencilFunc(GLenum func, GLint ref, GLuint mask);
    void stencilOp(GLenum fail, GLenum depthFail, GLenum depthPass);
    void stencilMask(GLuint mask);
    void clearStencil(GLint s);

    // Hints, logic operations, the buffers drawn to and read from, the state
    // of colour-index windows, and the render mode (context_framebuffer.cpp)
    void hint(GLenum target, GLenum mode);
    void logicOp(GLenum op);
    void indexMask(GLuint mask);
    void clearIndex(GLfloat index);
    void index(GLfloat index);
    void drawBuffer(GLenum buffer);
    void readBuffer(GLenum buffer);
    GLint renderMode(GLenum mode);
    // glInitNames, glLoadName, glPushName, glPopName and glPassThrough.
    void nameStack();

    // Queries
    GLenum takeError();
    void getBooleans(GLenum pname, GLboolean* params);
    void getDoubles(GLenum pname, GLdouble* params);
    bool isTexture(GLuint name);
    void getIntegers(GLenum pname, GLint* params);
    void getFloats(GLenum pname, GLfloat* params);
    const GLubyte* getString(GLenum name);
    // false, with the error set, for what they do not answer
    bool getLight(GLenum light, GLenum pname, GLfloat* params);
    bool getMaterial(GLenum face, GLenum pname, GLfloat* params);

    // Textures and pixels
    void genTextures(GLsizei n, GLuint* textures);
    void deleteTextures(GLsizei n, const GLuint* textures);
    void bindTexture(GLenum target, GLuint texture);
    // A texture's parameters: `count` values, 4 for the border colour from the vector calls.
    void texParameter(GLenum target, GLenum pname, const GLfloat* params, int count);
    // The environment's parameters: `count` values, 4 for the colour from the vector calls.
    void texEnv(GLenum target, GLenum pname, const GLfloat* params, int count);
    void prioritizeTextures(GLsizei n, const GLuint* textures, const GLclampf* priorities);
    GLboolean areTexturesResident(GLsizei n, const GLuint* textures, GLboolean* residences);
    void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const GLvoid* pixels);
    // glTexImage2D's image read from client memory laid out as `unpack` says.
    void texImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels,
                  const PixelStore& unpack);
    void texSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                       GLenum format, GLenum type, const GLvoid* pixels);
    void texSubImage(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                     GLenum format, GLenum type, const GLvoid* pixels, const PixelStore& unpack);
    // The same from the window's pixels, read where the call runs.
    void copyTexImage2D(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                        GLsizei width, GLsizei height, GLint border);
    void copyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                           GLint y, GLsizei width, GLsizei height);
    void copyTexImage1D(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                        GLsizei width, GLint border);
    void copyTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLint x, GLint y,
                           GLsizei width);
    // A level's image as the texture keeps it, border and all.
    void getTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels);
    // The texture queries, answered as floats or integers (the other pointer null).
    void texLevelParameter(GLenum target, GLint level, GLenum pname, GLfloat* floats,
                           GLint* integers);
    void getTexParameter(GLenum target, GLenum pname, GLfloat* floats, GLint* integers);
    void getTexEnv(GLenum target, GLenum pname, GLfloat* floats, GLint* integers);
    void pixelStore(GLenum pname, GLint param);
    void pixelTransfer(GLenum pname, GLfloat param);
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    GLvoid* pixels);
    // A call the layer refuses whatever its arguments (1D and 3D textures);
    // `atOnce`: one run at once in a display list too (a proxy's).
    void unsupported(Refused which, bool atOnce);
    // The refusal the last calls met, if any, and forgets it.
    const Refusal* takeRefusal();

    // The window's context was made: what it has and allows is known now.
    void windowCreated(int width, int height);
    // The renderer lost its context and has a new one: every list's mesh is
    // uploaded again, the rest sent again before the next draw.
    void rendererRestored();

    // A list compiled with GL_COMPILE_AND_EXECUTE: each call it holds is run
    // at once as well, through runNow.
    // How many calls have been refused so far.
    std::size_t refusals() const {
        return refusals_;
    }
    bool compilingAndExecuting() const {
        return compiling_ && compilation_.execute;
    }
    bool compiling() const {
        return compiling_;
    }
    // A call the program made, kept in the source of the list being compiled.
    void keepSource(SourceCall call) {
        compilation_.source.push_back(std::move(call));
    }
    // What a call reading client memory read, kept as a call in the source
    // (made only then).
    template <typename F>
    void noteSource(const F& call) {
        if (compiling_ && sourceOpen_) {
            keepSource(SourceCall(call));
        }
    }
    // While a call that reads client memory is compiled, what it reads is
    // kept in the list's source as the call's own parts give it: the calls
    // it keeps (keep()), or those it notes.
    void openSource(bool open) {
        sourceOpen_ = open && compiling_;
    }
    template <typename F>
    void runNow(F run) {
        compiling_ = false;
        run();
        compiling_ = true;
    }

   private:
    // A primitive's vertices as they are given, up to glEnd.
    struct Building {
        GLenum mode = GL_POINTS;
        std::vector<SourceVertex> vertices;
        std::vector<MaterialSpan> materials;  // where materials change between them
    };
    // Notes the materials in force from vertex `from` on, a material having
    // changed between a primitive's vertices.
    void noteMaterials(std::size_t from);
    struct Compilation {
        GLuint name = 0;
        bool execute = false;  // GL_COMPILE_AND_EXECUTE
        bool inBegin = false;  // inside a primitive begun in the list
        Building building;
        // The part being recorded, up to the next call the list keeps.
        DisplayList list;
        Surface surface;
        MatrixStack matrices{kMaxMatrixDepth};
        std::vector<std::pair<GLbitfield, Surface>> attributes;
        // The matrix a glMatrixMode the list keeps selects where it is run;
        // 0 while the list has kept none.
        GLenum selected = 0;
        // glCallLists' base as the list has it: the caller's, until the
        // list sets its own.
        GLuint listBase = 0;
        bool listBaseSet = false;
        // The parts before, with the calls kept between them; whether there are any.
        DisplayList whole;
        bool cut = false;
        // The calls it is compiled from, and the lists deleted meanwhile
        // (first name, count).
        ListSource source;
        std::vector<std::pair<GLuint, GLsizei>> deleted;
        // The lists that call it, directly or through others.
        std::set<GLuint> callers;
        // Whether it is compiled again from its source, and what was
        // refused in it then.
        bool again = false;
        std::optional<Refused> refused;
    };
    // Starts compiling list `name`; and ends it, keeping what it is compiled
    // from where it must (list_store.h).
    void startCompiling(GLuint name, bool execute);
    void finishCompiling();
    // Lists calling those `changed` names, directly or not, are compiled
    // again from their source, each after the lists it calls.
    template <typename Changed>
    void compileCallersAgain(Changed changed);
    void compileAgain(GLuint name);
    // Whether a list's compiled geometry stands for it where it is called now.
    bool compiledServes(const DisplayList& list) const;
    // An error of a call a display list holds: while one is compiled, the
    // list's, given where it is called.
    void setError(GLenum error);
    // An error of a call that is run at once, in a display list or not.
    void setErrorNow(GLenum error);
    // Says once that it is not supported on WebGL, and sets its error.
    void refuse(Refused which);
    // Whether a call is being compiled into a display list that runs it again
    // where the list is called, with the values it has now: then it is kept,
    // cutting the list's geometry there.
    template <typename F>
    bool kept(F call) {
        if (!compiling_) {
            return false;
        }
        keep(std::function<void(Context&)>(std::move(call)));
        return true;
    }
    void keep(std::function<void(Context&)> call);
    // Ends the list's part being recorded: uploaded, and placed after the
    // parts and kept calls before it.
    void finishPart();
    // Whether matrix calls compiled now are kept rather than recorded: a
    // matrix other than the modelview is selected.
    bool keepsMatrices() const {
        return compiling_ && compilation_.selected != 0 && compilation_.selected != GL_MODELVIEW;
    }
    // Whether a call OpenGL forbids between glBegin and glEnd comes there:
    // then it is an invalid operation. A list compiled from the call is
    // inside a primitive it began; otherwise, the call runs inside one.
    bool refusedInBegin();
    // The same for a call a list does not hold but runs at once.
    bool refusedInBeginNow();
    bool primitiveOpen() const {
        return compiling_ ? compilation_.inBegin : inBegin_;
    }
    Building& building() {
        return compiling_ ? compilation_.building : building_;
    }
    // The state geometry is recorded with: the list's when compiling one.
    Surface& surface();
    MatrixStack& currentStack();
    // A matrix call compiled into a list before it selects the modelview
    // matrix moves the one selected where the list is called.
    void transforming();
    // State that every draw shares changed: what was drawn before goes first.
    void renderStateChanging();
    void drawRecording(const Recording& recording, const std::vector<Chunk>& chunks, int mesh,
                       const Matrix& modelview);
    void drawBatches(const Recording& recording, const std::vector<Chunk>& chunks, int mesh,
                     const Matrix& modelview);
    // Draws the waiting immediate geometry, which `frame` carries into eye space.
    void drawImmediate(const Matrix& frame);
    void sendRenderState();
    void packSharedState(RenderState& r) const;
    // A point size or line width, refused unless above 0.
    void setPixelSize(float& setting, GLfloat size);
    void setPolygonStipple(const StipplePattern& pattern);
    // Whether a draw from the arrays is refused: its count, its mode, or
    // where it comes.
    bool arrayDrawRefused(GLenum mode, GLsizei count);
    // The program key's bits for the local viewer, the alpha test and fog.
    ProgramKey sharedKey() const;
    // With GL_COLOR_MATERIAL, the material parameter the current colour
    // stands for takes it. Drawing reads the colour from each vertex, so the
    // material is brought up to date only where it is read or kept (queries,
    // glPushAttrib) and where tracking starts, ends or changes: as many
    // colours as a program gives never become as many materials.
    // tracksColor: whether the colour stands for parameter pname of a face
    // (0 front, 1 back).
    void trackColor();
    bool tracksColor(int face, GLenum pname) const;
    void sendMaterials();
    // A list's parts and kept calls, run in order; `part` runs a part.
    template <typename F>
    void runParts(const DisplayList& list, F part);
    void callCompiled(const DisplayList& list);
    void callInPrimitive(const DisplayList& list);
    // A list called in the list being compiled becomes part of it.
    void compileCall(const DisplayList& list);
    // A called list's placement, and the matrices it leaves pushed, on `stack`.
    void placeCall(const DisplayList& list, MatrixStack& stack);
    // Pushes `state`'s groups in `mask`, with the bound texture's parameters.
    void pushAttributes(GLbitfield mask, const ServerState& state);
    // Whether glTexImage takes these for an image's level, format, size and border.
    bool imageValid(GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border) const;
    // The window's pixels from (x, y) as tightly packed RGBA bytes, rows
    // from the bottom; none for a size no texture image has.
    std::vector<std::uint8_t> windowPixels(GLint x, GLint y, GLsizei width, GLsizei height);
    // glCopyTexImage1D and 2D: the window's pixels as a level's image, one
    // row for GL_TEXTURE_1D; and glCopyTexSubImage1D and 2D.
    // Their targets are checked already: 0 for one the call does not take.
    void copyTexImage(GLenum target, GLint level, GLint internalFormat, GLint x, GLint y,
                      GLsizei width, GLsizei height, GLint border);
    void copyTexSubImage(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y,
                         GLsizei width, GLsizei height);
    // The texture bound to GL_TEXTURE_1D or GL_TEXTURE_2D, by the name it is
    // kept under (kLineDefault for the default one-dimensional one).
    GLuint boundTexture(GLenum target) const;
    // The surface immediate geometry is drawn with: where GL_TEXTURE_2D is
    // off and GL_TEXTURE_1D on, textured with the one-dimensional texture.
    Surface drawnSurface() const;
    // Gives texture `texture` these parameters, and the renderer those that change.
    void setParameters(GLuint texture, const TextureParameters& parameters);
    // The state glGet reads: its values and how many, none for a name glGet
    // does not take. `mapped`: colours and normals, which integers read
    // mapped linearly from [-1, 1].
    int readState(GLenum pname, double (&values)[16], bool& mapped);
    // The same as glGet answers it, with its errors: 0 values where it gives one.
    int getState(GLenum pname, double (&values)[16], bool& mapped);
    Light* lightFor(GLenum light);

    ServerState state_;
    std::vector<std::pair<GLbitfield, ServerState>> attributes_;
    MatrixStack modelview_{kMaxMatrixDepth};
    MatrixStack projection_{kMaxMatrixDepth};
    MatrixStack texture_{kMaxTextureDepth};
    GLenum error_ = GL_NO_ERROR;

    bool inBegin_ = false;  // inside glBegin/glEnd as run, not as compiled
    Building building_;
    Recording immediate_;

    ListStore lists_;
    bool compiling_ = false;
    Compilation compilation_;

    MaterialTable materials_;
    unsigned sentMaterials_ = 0;
    bool renderStateDirty_ = true;
    ContextLimits limits_{};
    ClientArrays arrays_;
    struct ClientAttributes {
        GLbitfield mask;
        ClientArrays arrays;
        PixelStore pack;
        PixelStore unpack;
    };
    std::vector<ClientAttributes> clientAttributes_;
    LightSelection lightSelection_;

    TextureObjects textures_;
    std::set<Refused> refusalsReported_;
    const Refusal* lastRefusal_ = nullptr;
    std::size_t refusals_ = 0;
    bool sourceOpen_ = false;
};

// The program's one context.
Context& context();

// A call a display list may hold: compiled into the list being compiled,
// and with GL_COMPILE_AND_EXECUTE run at once as well; otherwise run.
// Compiled, it is kept in the list's source with its values
// (list_source.h).
template <typename... Params, typename... Args>
void listed(void (Context::*call)(Params...), Args... args) {
    Context& c = context();
    const std::size_t refusals = c.refusals();
    (c.*call)(args...);
    // A call refused as it is compiled is neither kept nor run.
    if (!c.compiling() || c.refusals() != refusals) {
        return;
    }
    c.keepSource(Sourced<Params...>::of(call, static_cast<Params>(args)...));
    if (c.compilingAndExecuting()) {
        c.runNow([&] { (c.*call)(args...); });
    }
}

// The same for a call that reads client memory (pixels, arrays): compiled,
// it keeps in the list's source what it reads.
template <typename... Params, typename... Args>
void listedReading(void (Context::*call)(Params...), Args... args) {
    Context& c = context();
    const std::size_t refusals = c.refusals();
    c.openSource(true);
    (c.*call)(args...);
    c.openSource(false);
    if (c.compilingAndExecuting() && c.refusals() == refusals) {
        c.runNow([&] { (c.*call)(args...); });
    }
}

}  // namespace vgl
