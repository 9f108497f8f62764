// The OpenGL side of the differential test: runs the sequences it is sent,
// each in a new Mesa context, and answers what OpenGL observed. Where Mesa
// departs from OpenGL 1.1, the call is not issued and the answer is OpenGL
// 1.1's, with the departure named.
//
// In:  a sequence's lines, then "skip I J ..." (calls the other side refused
//      and so are left out here too), then "run".
// Out: "ready MAX" and the departures at start; per run a "call" line for
//      every call and query, the feedback buffer's polygons, and "end".
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "runner.h"
#include "script.h"

namespace {

using differential::Call;
using differential::integerArgument;
using differential::validArgument;

// Whether every argument but those listed is among its valid values: where
// a call has another fault, the error Mesa gives for it stands.
bool otherwiseValid(const Call& call, std::initializer_list<std::size_t> except) {
    for (std::size_t i = 0; i < call.op->args.size(); ++i) {
        if (std::find(except.begin(), except.end(), i) == except.end() && !validArgument(call, i)) {
            return false;
        }
    }
    return true;
}

GLenum argument(const Call& call, std::size_t index) {
    return static_cast<GLenum>(call.args[index]);
}

bool among(GLenum value, std::initializer_list<GLenum> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool startsWith(const std::string& name, const char* prefix) {
    return name.rfind(prefix, 0) == 0;
}

// A command that sets a current attribute, of any type and form.
bool setsAttribute(const std::string& name) {
    return startsWith(name, "glNormal") || startsWith(name, "glColor3") ||
           startsWith(name, "glColor4") || startsWith(name, "glTexCoord") ||
           startsWith(name, "glEdgeFlag");
}

// Issues the call, a colour without alpha or texture coordinates without r
// and q given whole, as OpenGL completes them: alpha the type's largest value
// (1 once converted), r 0 and q 1; an edge flag as GL_TRUE or GL_FALSE.
void issueWhole(const Call& call) {
    const std::string name = call.op->name;
    differential::Values unused;
    if (startsWith(name, "glColor3")) {
        const std::string form = name.substr(8);  // "ub", "fv", ...
        static const std::map<std::string, double> kLargest = {
            {"b", 127}, {"s", 32767}, {"i", 2147483647.0}, {"f", 1},
            {"d", 1},   {"ub", 255},  {"us", 65535},       {"ui", 4294967295.0}};
        differential::Values args = call.args;
        args.push_back(kLargest.at(form.substr(0, form.find('v'))));
        differential::op("glColor4" + form).issue(args.data(), unused);
    } else if (startsWith(name, "glTexCoord1") || startsWith(name, "glTexCoord2")) {
        const auto part = [&](std::size_t i) {
            return i < call.args.size() ? static_cast<GLfloat>(call.args[i]) : 0.0f;
        };
        glTexCoord4f(part(0), part(1), 0.0f, 1.0f);
    } else if (startsWith(name, "glEdgeFlag")) {
        glEdgeFlag(call.args[0] != 0 ? GL_TRUE : GL_FALSE);  // as OpenGL takes a flag
    } else {
        call.op->issue(call.args.data(), unused);
    }
}

// The pixel types OpenGL 1.2 added, which OpenGL 1.1 does not know.
bool packedType(GLenum type) {
    return among(
        type,
        {GL_UNSIGNED_BYTE_3_3_2, GL_UNSIGNED_BYTE_2_3_3_REV, GL_UNSIGNED_SHORT_5_6_5,
         GL_UNSIGNED_SHORT_5_6_5_REV, GL_UNSIGNED_SHORT_4_4_4_4, GL_UNSIGNED_SHORT_4_4_4_4_REV,
         GL_UNSIGNED_SHORT_5_5_5_1, GL_UNSIGNED_SHORT_1_5_5_5_REV, GL_UNSIGNED_INT_8_8_8_8,
         GL_UNSIGNED_INT_8_8_8_8_REV, GL_UNSIGNED_INT_10_10_10_2, GL_UNSIGNED_INT_2_10_10_10_REV});
}

// The formats OpenGL 1.1 reads pixels in, with the BGR ones of EXT_bgra.
bool readFormat(GLenum format) {
    return among(format,
                 {GL_COLOR_INDEX, GL_STENCIL_INDEX, GL_DEPTH_COMPONENT, GL_RED, GL_GREEN, GL_BLUE,
                  GL_ALPHA, GL_RGB, GL_RGBA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_BGR, GL_BGRA});
}

// glGet's names for colours and normals, read as integers mapped from [-1, 1].
bool mapped(GLenum pname) {
    return among(
        pname, {GL_CURRENT_COLOR, GL_CURRENT_NORMAL, GL_COLOR_CLEAR_VALUE, GL_LIGHT_MODEL_AMBIENT});
}

GLint mappedInteger(GLfloat value) {
    if (value >= 1.0f) {
        return 2147483647;
    }
    if (value <= -1.0f) {
        return -2147483647 - 1;
    }
    return static_cast<GLint>(static_cast<double>(value) * 2147483647.0);
}

const GLint kUnwritten = -7777;

// The departures Deferred and Popped make good.
// Whether Mesa is between glBegin and glEnd now, where no query may be made.
bool primitiveOpenNow = false;
// glCallLists' base, as last read where it could be.
GLuint listBaseNow = 0;

// The lists a call runs: glCallList's one, or glCallLists' names (1 and 2,
// as the table gives them) after the base.
std::vector<GLuint> calledLists(const Call& call) {
    const std::string name = call.op->name;
    if (name == "glCallList") {
        return {static_cast<GLuint>(call.args[0])};
    }
    if (name != "glCallLists" || !differential::validArgument(call, 1) || call.args[0] < 0) {
        return {};
    }
    std::vector<GLuint> lists;
    for (GLuint i = 1; i <= static_cast<GLuint>(call.args[0]); ++i) {
        lists.push_back(listBaseNow + i);
    }
    return lists;
}

// The material parameter GL_COLOR_MATERIAL tracks given the current colour:
// what Mesa leaves stale when it takes a colour in without a change it sees.
void trackedAgain() {
    GLint face = 0;
    GLint parameter = 0;
    GLfloat color[4];
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &parameter);
    glGetFloatv(GL_CURRENT_COLOR, color);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(static_cast<GLenum>(face), static_cast<GLenum>(parameter), color);
    glEnable(GL_COLOR_MATERIAL);
}

constexpr int kLostAttributes = 0;
constexpr int kPoppedState = 1;
constexpr int kLoneVertex = 2;

// The current vertex attributes and the materials, which Mesa keeps as
// vertex attributes: read outside glBegin/glEnd, and set again.
struct Current {
    GLfloat color[4];
    GLfloat normal[3];
    GLfloat texCoord[4];
    GLfloat materials[2][5][4];  // front, back; ambient to shininess

    static constexpr GLenum kFaces[2] = {GL_FRONT, GL_BACK};
    static constexpr GLenum kParts[5] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION,
                                         GL_SHININESS};

    static Current now() {
        Current current{};
        glGetFloatv(GL_CURRENT_COLOR, current.color);
        glGetFloatv(GL_CURRENT_NORMAL, current.normal);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, current.texCoord);
        for (int face = 0; face < 2; ++face) {
            for (int part = 0; part < 5; ++part) {
                glGetMaterialfv(kFaces[face], kParts[part], current.materials[face][part]);
            }
        }
        return current;
    }

    void setAttributes() const {
        glColor4fv(color);
        glNormal3fv(normal);
        glTexCoord4fv(texCoord);
    }

    void setMaterials() const {
        for (int face = 0; face < 2; ++face) {
            for (int part = 0; part < 5; ++part) {
                glMaterialfv(kFaces[face], kParts[part], materials[face][part]);
            }
        }
    }
};

// What Mesa's glPopAttrib does not restore: the lights' enables with
// GL_ENABLE_BIT alone (it does with GL_LIGHTING_BIT), the per-fragment state
// (Fragment) once another group was pushed and popped after it was set, the
// current attributes
// with GL_CURRENT_BIT and the materials with GL_LIGHTING_BIT, which it
// restores but whose stale copies come back with the next one set. Kept
// here as pushed, and set again after the pop. A list cannot change the
// enables (the layer refuses glEnable in lists): the pushes it leaves for
// later are pushed where it is run.
class Popped {
   public:
    // After a call that was issued: in a list being compiled, or run, inside
    // glBegin/glEnd or not.
    void issued(const Call& call, differential::Outcome& outcome, bool compiling, bool executing,
                bool inBegin) {
        const std::string name = call.op->name;
        const auto mask = static_cast<GLbitfield>(call.args.empty() ? 0 : call.args[0]);
        if (compiling) {
            std::vector<GLbitfield>& left = compiled_;
            if (name == "glPushAttrib") {
                left.push_back(mask);
            } else if (name == "glPopAttrib" && !left.empty()) {
                left.pop_back();
            } else {
                for (const GLuint list : calledLists(call)) {
                    const auto& called = left_[list];
                    left.insert(left.end(), called.begin(), called.end());
                }
            }
            if (!executing) {
                return;
            }
        }
        // Between glBegin and glEnd Mesa refuses them; it keeps 16.
        if (inBegin) {
            return;
        }
        const std::size_t kDepth = 16;
        if (name == "glPushAttrib" && pushed_.size() < kDepth) {
            pushed_.push_back(now(mask));
        } else if (!calledLists(call).empty()) {
            for (const GLuint list : calledLists(call)) {
                for (const GLbitfield left : left_[list]) {
                    if (pushed_.size() < kDepth) {
                        pushed_.push_back(now(left));
                    }
                }
            }
        } else if (name == "glPopAttrib" && !pushed_.empty()) {
            restore(pushed_.back(), outcome);
            pushed_.pop_back();
        }
    }
    // A list compiled from here on, or none.
    void compiling(GLuint list) {
        if (list != list_) {
            if (list_ != 0) {
                left_[list_] = compiled_;
            }
            compiled_.clear();
            list_ = list;
        }
    }

   private:
    // The per-fragment and rasterisation state in its groups, read and set
    // again as a whole.
    struct Fragment {
        GLint depthFunc, stencilFunc, stencilRef, stencilValueMask, stencilFail, stencilDepthFail,
            stencilDepthPass, stencilWriteMask, stencilClear, scissorBox[4], stippleRepeat,
            stipplePattern, cullFaceMode, alphaFunc, fogMode, polygonMode[2];
        GLfloat depthClear, depthRange[2], pointSize, lineWidth, alphaRef, fogDensity, fogStart,
            fogEnd, fogIndex, fogColor[4], offsetFactor, offsetUnits;
        GLboolean colorMask[4], stencilTest, scissorTest, dither, pointSmooth, lineSmooth,
            lineStipple, cullFace, alphaTest, fog, offsetFill, offsetLine, offsetPoint,
            polygonStipple, polygonSmooth;

        static Fragment now() {
            Fragment f{};
            const std::pair<GLenum, GLint*> integers[] = {
                {GL_DEPTH_FUNC, &f.depthFunc},
                {GL_STENCIL_FUNC, &f.stencilFunc},
                {GL_STENCIL_REF, &f.stencilRef},
                {GL_STENCIL_VALUE_MASK, &f.stencilValueMask},
                {GL_STENCIL_FAIL, &f.stencilFail},
                {GL_STENCIL_PASS_DEPTH_FAIL, &f.stencilDepthFail},
                {GL_STENCIL_PASS_DEPTH_PASS, &f.stencilDepthPass},
                {GL_STENCIL_WRITEMASK, &f.stencilWriteMask},
                {GL_STENCIL_CLEAR_VALUE, &f.stencilClear},
                {GL_SCISSOR_BOX, f.scissorBox},
                {GL_LINE_STIPPLE_REPEAT, &f.stippleRepeat},
                {GL_LINE_STIPPLE_PATTERN, &f.stipplePattern},
                {GL_CULL_FACE_MODE, &f.cullFaceMode},
                {GL_POLYGON_MODE, f.polygonMode},
                {GL_ALPHA_TEST_FUNC, &f.alphaFunc},
                {GL_FOG_MODE, &f.fogMode}};
            for (const auto& [pname, to] : integers) {
                glGetIntegerv(pname, to);
            }
            // The masks in full: as integers, Mesa clamps those above 2^31 - 1.
            const std::pair<GLenum, GLint*> masks[] = {{GL_STENCIL_VALUE_MASK, &f.stencilValueMask},
                                                       {GL_STENCIL_WRITEMASK, &f.stencilWriteMask}};
            for (const auto& [pname, to] : masks) {
                GLdouble mask = 0.0;
                glGetDoublev(pname, &mask);
                *to = static_cast<GLint>(static_cast<GLuint>(mask));
            }
            glGetFloatv(GL_DEPTH_CLEAR_VALUE, &f.depthClear);
            glGetFloatv(GL_DEPTH_RANGE, f.depthRange);
            glGetBooleanv(GL_COLOR_WRITEMASK, f.colorMask);
            f.stencilTest = glIsEnabled(GL_STENCIL_TEST);
            f.scissorTest = glIsEnabled(GL_SCISSOR_TEST);
            f.dither = glIsEnabled(GL_DITHER);
            glGetFloatv(GL_POINT_SIZE, &f.pointSize);
            glGetFloatv(GL_LINE_WIDTH, &f.lineWidth);
            f.pointSmooth = glIsEnabled(GL_POINT_SMOOTH);
            f.lineSmooth = glIsEnabled(GL_LINE_SMOOTH);
            f.lineStipple = glIsEnabled(GL_LINE_STIPPLE);
            f.cullFace = glIsEnabled(GL_CULL_FACE);
            f.offsetFill = glIsEnabled(GL_POLYGON_OFFSET_FILL);
            f.offsetLine = glIsEnabled(GL_POLYGON_OFFSET_LINE);
            f.offsetPoint = glIsEnabled(GL_POLYGON_OFFSET_POINT);
            f.polygonStipple = glIsEnabled(GL_POLYGON_STIPPLE);
            f.polygonSmooth = glIsEnabled(GL_POLYGON_SMOOTH);
            glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &f.offsetFactor);
            glGetFloatv(GL_POLYGON_OFFSET_UNITS, &f.offsetUnits);
            const std::pair<GLenum, GLfloat*> floats[] = {
                {GL_ALPHA_TEST_REF, &f.alphaRef}, {GL_FOG_DENSITY, &f.fogDensity},
                {GL_FOG_START, &f.fogStart},      {GL_FOG_END, &f.fogEnd},
                {GL_FOG_INDEX, &f.fogIndex},      {GL_FOG_COLOR, f.fogColor}};
            for (const auto& [pname, to] : floats) {
                glGetFloatv(pname, to);
            }
            f.alphaTest = glIsEnabled(GL_ALPHA_TEST);
            f.fog = glIsEnabled(GL_FOG);
            return f;
        }
        void set(GLbitfield mask) const {
            const auto enable = [](GLenum cap, GLboolean on) { (on ? glEnable : glDisable)(cap); };
            if ((mask & GL_DEPTH_BUFFER_BIT) != 0) {
                glDepthFunc(static_cast<GLenum>(depthFunc));
                glClearDepth(depthClear);
            }
            if ((mask & GL_VIEWPORT_BIT) != 0) {
                glDepthRange(depthRange[0], depthRange[1]);
            }
            if ((mask & GL_COLOR_BUFFER_BIT) != 0) {
                glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);
                glAlphaFunc(static_cast<GLenum>(alphaFunc), alphaRef);
            }
            if ((mask & GL_FOG_BIT) != 0) {
                glFogi(GL_FOG_MODE, fogMode);
                glFogf(GL_FOG_DENSITY, fogDensity);
                glFogf(GL_FOG_START, fogStart);
                glFogf(GL_FOG_END, fogEnd);
                glFogf(GL_FOG_INDEX, fogIndex);
                glFogfv(GL_FOG_COLOR, fogColor);
            }
            if ((mask & GL_STENCIL_BUFFER_BIT) != 0) {
                glStencilFunc(static_cast<GLenum>(stencilFunc), stencilRef,
                              static_cast<GLuint>(stencilValueMask));
                glStencilOp(static_cast<GLenum>(stencilFail), static_cast<GLenum>(stencilDepthFail),
                            static_cast<GLenum>(stencilDepthPass));
                glStencilMask(static_cast<GLuint>(stencilWriteMask));
                glClearStencil(stencilClear);
            }
            if ((mask & GL_SCISSOR_BIT) != 0) {
                glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
            }
            if ((mask & (GL_ENABLE_BIT | GL_STENCIL_BUFFER_BIT)) != 0) {
                enable(GL_STENCIL_TEST, stencilTest);
            }
            if ((mask & (GL_ENABLE_BIT | GL_SCISSOR_BIT)) != 0) {
                enable(GL_SCISSOR_TEST, scissorTest);
            }
            if ((mask & (GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT)) != 0) {
                enable(GL_DITHER, dither);
            }
            if ((mask & GL_POINT_BIT) != 0) {
                glPointSize(pointSize);
            }
            if ((mask & GL_LINE_BIT) != 0) {
                glLineWidth(lineWidth);
                glLineStipple(stippleRepeat, static_cast<GLushort>(stipplePattern));
            }
            if ((mask & GL_POLYGON_BIT) != 0) {
                glCullFace(static_cast<GLenum>(cullFaceMode));
                glPolygonMode(GL_FRONT, static_cast<GLenum>(polygonMode[0]));
                glPolygonMode(GL_BACK, static_cast<GLenum>(polygonMode[1]));
                glPolygonOffset(offsetFactor, offsetUnits);
            }
            if ((mask & (GL_ENABLE_BIT | GL_POINT_BIT)) != 0) {
                enable(GL_POINT_SMOOTH, pointSmooth);
            }
            if ((mask & (GL_ENABLE_BIT | GL_LINE_BIT)) != 0) {
                enable(GL_LINE_SMOOTH, lineSmooth);
                enable(GL_LINE_STIPPLE, lineStipple);
            }
            if ((mask & (GL_ENABLE_BIT | GL_POLYGON_BIT)) != 0) {
                enable(GL_CULL_FACE, cullFace);
                enable(GL_POLYGON_OFFSET_FILL, offsetFill);
                enable(GL_POLYGON_OFFSET_LINE, offsetLine);
                enable(GL_POLYGON_OFFSET_POINT, offsetPoint);
                enable(GL_POLYGON_STIPPLE, polygonStipple);
                enable(GL_POLYGON_SMOOTH, polygonSmooth);
            }
            if ((mask & (GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT)) != 0) {
                enable(GL_ALPHA_TEST, alphaTest);
            }
            if ((mask & (GL_ENABLE_BIT | GL_FOG_BIT)) != 0) {
                enable(GL_FOG, fog);
            }
        }
    };

    struct Saved {
        GLbitfield mask;
        bool lights[8];
        Fragment fragment;
        Current current;
    };

    static Saved now(GLbitfield mask) {
        Saved saved{mask, {}, Fragment::now(), Current::now()};
        for (int i = 0; i < 8; ++i) {
            saved.lights[i] = glIsEnabled(GL_LIGHT0 + i) == GL_TRUE;
        }
        return saved;
    }

    static void restore(const Saved& saved, differential::Outcome& outcome) {
        if ((saved.mask & GL_ENABLE_BIT) != 0 && (saved.mask & GL_LIGHTING_BIT) == 0) {
            for (int i = 0; i < 8; ++i) {
                (saved.lights[i] ? glEnable : glDisable)(GL_LIGHT0 + i);
            }
            outcome.substitute = kPoppedState;
        }
        constexpr GLbitfield kFragmentGroups = GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT |
                                               GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT |
                                               GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_POINT_BIT |
                                               GL_LINE_BIT | GL_POLYGON_BIT | GL_FOG_BIT;
        if ((saved.mask & kFragmentGroups) != 0) {
            saved.fragment.set(saved.mask);
            outcome.substitute = kPoppedState;
        }
        if ((saved.mask & GL_CURRENT_BIT) != 0) {
            saved.current.setAttributes();
            outcome.substitute = kPoppedState;
        }
        if ((saved.mask & GL_LIGHTING_BIT) != 0) {
            saved.current.setMaterials();
            outcome.substitute = kPoppedState;
        }
        // The material the colour stands for is the colour again.
        if ((saved.mask & (GL_LIGHTING_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT)) != 0 &&
            glIsEnabled(GL_COLOR_MATERIAL)) {
            trackedAgain();
            outcome.substitute = kPoppedState;
        }
    }

    std::vector<Saved> pushed_;
    std::map<GLuint, std::vector<GLbitfield>> left_;  // pushes each list leaves
    std::vector<GLbitfield> compiled_;
    GLuint list_ = 0;
};

// The list being compiled, and what Mesa's lists lose.
class Deferred {
   public:
    // Where the error can be read: the list being compiled now.
    void seen() {
        GLint now = 0;
        glGetIntegerv(GL_LIST_INDEX, &now);
        const auto compiling = static_cast<GLuint>(now);
        GLint mode = 0;
        glGetIntegerv(GL_LIST_MODE, &mode);
        executing_ = compiling != 0 && mode == GL_COMPILE_AND_EXECUTE;
        GLint base = 0;
        glGetIntegerv(GL_LIST_BASE, &base);
        listBaseNow = static_cast<GLuint>(base);
        if (compiling != compiling_) {
            if (compiling_ != 0) {
                settings_[compiling_] = setting_;
            }
            setting_.clear();
            compiling_ = compiling;
            wasList_ = nextWasList_;
        }
    }
    // Before glCallList outside glBegin/glEnd, and outside any list.
    void beforeCall() {
        before_ = Current::now();
    }
    // Before a call inside glBegin/glEnd: nothing can be read.
    void forget() {
        before_.reset();
    }
    // Before glNewList: whether its name is a list already.
    void beforeNewList(GLuint name) {
        nextWasList_ = glIsList(name) == GL_TRUE;
    }
    bool compiling() const {
        return compiling_ != 0;
    }
    // Whether the list being compiled is run at once too (GL_COMPILE_AND_EXECUTE).
    bool executing() const {
        return executing_;
    }
    GLuint list() const {
        return compiling_;
    }
    // Whether `name` is being compiled and was no list before.
    bool newlyCompiled(GLuint name) const {
        return compiling_ == name && name != 0 && !wasList_;
    }
    // A call left out of the list being compiled, as a departure, gives its
    // error where the list is run: a call Mesa compiles and gives it for
    // stands in its place.
    static void leftOut(GLenum error) {
        if (error == GL_INVALID_ENUM) {
            glEnable(0);
        } else if (error == GL_INVALID_VALUE) {
            glViewport(0, 0, -1, -1);
        }
    }
    // After a call was issued, with the error read after it.
    void issued(const Call& call, differential::Outcome& outcome) {
        const std::string name = call.op->name;
        const auto list = static_cast<GLuint>(call.args.empty() ? 0 : call.args[0]);
        const std::vector<GLuint> lists = calledLists(call);
        // A list called in a list sets what it sets where the list is run.
        if (compiling() && (setsCurrent(call) || (!lists.empty() && outcome.skipped.empty()))) {
            setting_.push_back(call);
        }
        called(lists, outcome);
        if (!lists.empty()) {
            if ((!compiling() || executing()) && !primitiveOpenNow &&
                glIsEnabled(GL_COLOR_MATERIAL)) {
                trackedAgain();
                outcome.substitute = kLostAttributes;
            }
        }
        // glGenLists may give the name being compiled, which is then a list.
        if (name == "glGenLists" && !outcome.values.empty() && outcome.values[0] > 0 &&
            compiling_ >= outcome.values[0] && compiling_ < outcome.values[0] + call.args[0]) {
            wasList_ = true;
        }
        if (name == "glDeleteLists" && outcome.checked && outcome.error == GL_NO_ERROR) {
            for (GLuint i = 0; i < static_cast<GLuint>(std::max(call.args[1], 0.0)); ++i) {
                settings_.erase(list + i);
            }
        }
    }

    // The calls that set current attributes and materials (materials with
    // valid arguments only, as the others are errors), and the pushes and
    // pops that take them back.
    static bool setsCurrent(const Call& call) {
        const std::string name = call.op->name;
        if (setsAttribute(name) || name == "glPushAttrib" || name == "glPopAttrib") {
            return true;
        }
        if (!material(call)) {
            return false;
        }
        const GLenum pname = argument(call, 1);
        const bool vector = name == "glMaterialfv" || name == "glMaterialiv";
        // An integer form's shininess is the integer it is given.
        const double shininess = name == "glMateriali" || name == "glMaterialiv"
                                     ? std::trunc(call.args[2])
                                     : call.args[2];
        return among(argument(call, 0), {GL_FRONT, GL_BACK, GL_FRONT_AND_BACK}) &&
               (pname == GL_SHININESS
                    ? shininess >= 0 && shininess <= 128
                    : vector && among(pname, {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION,
                                              GL_AMBIENT_AND_DIFFUSE}));
    }

   private:
    static bool material(const Call& call) {
        return std::string(call.op->name).rfind("glMaterial", 0) == 0;
    }

    // What a list's settings come to: those a pop in it took back left out.
    static std::vector<Call> net(const std::vector<Call>& settings) {
        std::vector<Call> out;
        std::vector<std::pair<GLbitfield, std::size_t>> pushed;
        for (const Call& call : settings) {
            const std::string name = call.op->name;
            if (name == "glPushAttrib") {
                pushed.emplace_back(static_cast<GLbitfield>(call.args[0]), out.size());
            } else if (name == "glPopAttrib") {
                if (pushed.empty()) {
                    continue;
                }
                const auto [mask, from] = pushed.back();
                pushed.pop_back();
                const auto taken = [&](const Call& set) {
                    return material(set) ? (mask & GL_LIGHTING_BIT) != 0
                                         : (mask & GL_CURRENT_BIT) != 0;
                };
                out.erase(std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(),
                                         taken),
                          out.end());
            } else {
                out.push_back(call);
            }
        }
        return out;
    }

    // A list's settings with those of the lists it calls, as they are now
    // (as deep as lists may call lists).
    std::vector<Call> expanded(const std::vector<Call>& settings, int depth = 0) const {
        std::vector<Call> out;
        for (const Call& call : settings) {
            const std::vector<GLuint> lists = calledLists(call);
            if (lists.empty()) {
                out.push_back(call);
                continue;
            }
            for (const GLuint each : lists) {
                const auto found = settings_.find(each);
                if (found != settings_.end() && depth < 64) {
                    const std::vector<Call> inner = expanded(found->second, depth + 1);
                    out.insert(out.end(), inner.begin(), inner.end());
                }
            }
        }
        return out;
    }

    // Mesa loses what a list sets after a primitive's last vertex, and what a
    // pop in it takes back comes back: the state before the lists are run is
    // set again, and what they set, one after the other, after they are run.
    void called(const std::vector<GLuint>& lists, differential::Outcome& outcome) {
        if (compiling() && !executing()) {
            return;
        }
        bool known = false;
        std::vector<Call> settings;
        for (const GLuint list : lists) {
            const auto found = settings_.find(list);
            if (found != settings_.end()) {
                known = true;
                settings.insert(settings.end(), found->second.begin(), found->second.end());
            }
        }
        if (!known) {
            return;
        }
        if (before_) {
            before_->setAttributes();
            before_->setMaterials();
        }
        // Whole, as the three-part calls' last parts may not come back either.
        for (const Call& again : net(expanded(settings))) {
            issueWhole(again);
        }
        outcome.substitute = kLostAttributes;
    }

    GLuint compiling_ = 0;
    bool executing_ = false;
    std::optional<Current> before_;  // the state before a list now run
    std::vector<Call> setting_;
    std::map<GLuint, std::vector<Call>> settings_;
    bool wasList_ = false;
    bool nextWasList_ = false;
};

// The run's, for departures that ask it.
const Deferred* tracked = nullptr;

// Where Mesa departs from OpenGL 1.1: a call it takes, or takes otherwise,
// that OpenGL 1.1 refuses with `error` (where it is run: in a list being
// compiled, where the list is called), or a query it answers otherwise,
// OpenGL 1.1's answer then being read with the calls `answer` issues.
struct Departure {
    const char* call;
    const char* rule;
    GLenum error;
    bool (*applies)(const Call& call, bool compiling);
    void (*answer)(const Call& call, differential::Values& values) = nullptr;
};

// The calls OpenGL takes between glBegin and glEnd; the others are invalid
// operations there, in Mesa as in OpenGL 1.1.
bool allowedInBegin(const Call& call) {
    const std::string name = call.op->name;
    return setsAttribute(name) || startsWith(name, "glVertex") || startsWith(name, "glMaterial") ||
           name == "glCallList" || name == "glCallLists" || name == "glEnd" || name == "glIndexf" ||
           name == "glIndexfv" || name == "glIndexub" || name == "glIndexubv";
}

// Whether a call runs at once while a list is compiled, not compiled into it.
bool runsAtOnce(const Call& call) {
    const std::string name = call.op->name;
    static const std::set<std::string> kAtOnce = {
        "glGenLists",       "glDeleteLists",         "glGenTextures",
        "glDeleteTextures", "glPixelStorei",         "glPixelStoref",
        "glIndexPointer",   "glEnableClientState",   "glDisableClientState",
        "glReadPixels",     "glAreTexturesResident", "glFlush",
        "glFinish"};
    return startsWith(name, "glGet") || startsWith(name, "glIs") || kAtOnce.count(name) != 0 ||
           (name == "glTexImage2D" && argument(call, 0) == GL_PROXY_TEXTURE_2D) ||
           (name == "glTexImage1D" && argument(call, 0) == GL_PROXY_TEXTURE_1D);
}

// Whether a call names, among its first `count` names from argument
// `first` on, one that no glBindTexture has made a texture (glGenTextures
// only reserves a name): Mesa takes those as textures.
bool namesNoTexture(const Call& c, std::size_t first) {
    const auto count = static_cast<std::size_t>(std::max(0, integerArgument(c.args[0])));
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 2); ++i) {
        if (glIsTexture(static_cast<GLuint>(c.args[first + i])) == GL_FALSE) {
            return true;
        }
    }
    return false;
}

// What is not compared of the levels given images, by target, texture and
// level. Mesa strips borders: it keeps only the image inside, so what it
// answers of those levels' sides and texels is not OpenGL 1.1's. And the
// layer's side draws no pixels here, so texels copied from the window are
// not its.
enum LevelFlag : unsigned { kBordered = 1, kCopied = 2 };
std::map<std::tuple<GLenum, GLint, GLint>, unsigned> levelFlags;

std::tuple<GLenum, GLint, GLint> levelOf(GLenum target, GLint level) {
    GLint name = 0;
    glGetIntegerv(target == GL_TEXTURE_1D ? GL_TEXTURE_BINDING_1D : GL_TEXTURE_BINDING_2D, &name);
    return {target, name, level};
}

// The images each list makes where it is called: target, level, its flags
// and whether they replace the level's (a whole image) or add to them (a part).
struct ListImage {
    GLenum target;
    GLint level;
    unsigned flags;
    bool whole;
};
std::map<GLuint, std::vector<ListImage>> listImages;

void imageMadeAt(const ListImage& image) {
    unsigned& flags = levelFlags[levelOf(image.target, image.level)];
    flags = image.whole ? image.flags : flags | image.flags;
}

// Notes an image made, or a part of one, at once or where the list it is
// compiled into is called.
void imageMade(const Call& call, const differential::Outcome& outcome, GLuint compiling,
               bool executing, bool inBegin) {
    // Per call, the argument that gives the border (none for a part), and
    // whether it copies from the window.
    static const std::map<std::string, std::pair<std::size_t, bool>> kImages = {
        {"glTexImage1D", {4, false}},       {"glTexImage2D", {5, false}},
        {"glCopyTexImage1D", {6, true}},    {"glCopyTexImage2D", {7, true}},
        {"glCopyTexSubImage1D", {0, true}}, {"glCopyTexSubImage2D", {0, true}}};
    const std::string name = call.op->name;
    if (inBegin) {
        return;
    }
    if (name == "glNewList") {
        listImages.erase(static_cast<GLuint>(call.args[0]));
        return;
    }
    if (name == "glCallList" && (compiling == 0 || executing)) {
        for (const ListImage& image : listImages[static_cast<GLuint>(call.args[0])]) {
            imageMadeAt(image);
        }
        return;
    }
    const auto found = kImages.find(name);
    if (found == kImages.end() || (outcome.checked && outcome.error != GL_NO_ERROR)) {
        return;
    }
    const GLenum target = argument(call, 0);
    if (target != GL_TEXTURE_1D && target != GL_TEXTURE_2D) {
        return;
    }
    const auto [borderArgument, copied] = found->second;
    const bool whole = borderArgument != 0;
    const unsigned flags =
        (whole && call.args[borderArgument] == 1 ? kBordered : 0U) | (copied ? kCopied : 0U);
    const ListImage image{target, integerArgument(call.args[1]), flags, whole};
    if (compiling != 0) {
        listImages[compiling].push_back(image);
    }
    if (compiling == 0 || executing) {
        imageMadeAt(image);
    }
}

// Whether the level a query names has `flag`.
bool levelHas(const Call& c, unsigned flag) {
    const GLenum target = argument(c, 0);
    if (primitiveOpenNow || (target != GL_TEXTURE_1D && target != GL_TEXTURE_2D)) {
        return false;
    }
    const auto found = levelFlags.find(levelOf(target, integerArgument(c.args[1])));
    return found != levelFlags.end() && (found->second & flag) != 0;
}

const Departure kDepartures[] = {
    // kLostAttributes, kPoppedState and kLoneVertex: made good by the run,
    // never applying to a call alone.
    {"glCallList",
     "the current attributes and materials after a list are the last it set, and the material "
     "GL_COLOR_MATERIAL tracks is the current colour (Mesa loses those set after a primitive's "
     "last vertex, and the colour's material; they are set again after it)",
     GL_NO_ERROR, [](const Call&, bool) { return false; }},
    {"glPopAttrib",
     "GL_ENABLE_BIT restores each light's enable, each group its per-fragment and rasterisation "
     "state, "
     "GL_CURRENT_BIT the current attributes and GL_LIGHTING_BIT the materials, the one the "
     "colour stands for being the colour, for good (Mesa "
     "restores the enables only with GL_LIGHTING_BIT, that state not once another "
     "group was pushed and popped after it was set, and stale attributes and materials come "
     "back; they are set again after it)",
     GL_NO_ERROR, [](const Call&, bool) { return false; }},
    {"glVertex*",
     "a vertex outside glBegin/glEnd is undefined and left out (Mesa can spoil its memory on "
     "it)",
     GL_NO_ERROR, [](const Call&, bool) { return false; }},
    {"glTexImage2D",
     "a texture side that is not a power of two is GL_INVALID_VALUE (Mesa takes it, as "
     "OpenGL 2.0 does)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) {
         // A side is a power of two and twice the border.
         const auto side = [&](double size) {
             const GLint inner = integerArgument(size) - 2 * integerArgument(c.args[5]);
             return size == 0 || (inner > 0 && (inner & (inner - 1)) == 0);
         };
         return otherwiseValid(c, {3, 4, 5}) && (c.args[5] == 0 || c.args[5] == 1) &&
                c.args[3] >= 0 && c.args[4] >= 0 && (!side(c.args[3]) || !side(c.args[4]));
     }},
    {"glTexImage2D",
     "GL_DEPTH_COMPONENT is no texture format, and OpenGL 1.2's packed pixel types are no "
     "types: GL_INVALID_ENUM (Mesa gives GL_INVALID_OPERATION or takes them)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         return argument(c, 6) == GL_DEPTH_COMPONENT || packedType(argument(c, 7));
     }},
    {"glTexSubImage2D",
     "GL_DEPTH_COMPONENT is no pixel format, and OpenGL 1.2's packed pixel types are no types: "
     "GL_INVALID_ENUM where there is an image to replace a part of (Mesa gives "
     "GL_INVALID_OPERATION or takes them)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         if (primitiveOpenNow || !otherwiseValid(c, {6, 7}) ||
             (argument(c, 6) != GL_DEPTH_COMPONENT && !packedType(argument(c, 7)))) {
             return false;
         }
         GLint width = 0;
         glGetTexLevelParameteriv(GL_TEXTURE_2D, integerArgument(c.args[1]), GL_TEXTURE_WIDTH,
                                  &width);
         return width > 0;
     }},
    {"glTexImage1D",
     "a texture side that is not a power of two is GL_INVALID_VALUE (Mesa takes it, as "
     "OpenGL 2.0 does)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) {
         const GLint inner = integerArgument(c.args[3]) - 2 * integerArgument(c.args[4]);
         return otherwiseValid(c, {3, 4}) && (c.args[4] == 0 || c.args[4] == 1) && c.args[3] > 0 &&
                (inner <= 0 || (inner & (inner - 1)) != 0);
     }},
    {"glTexImage1D",
     "GL_DEPTH_COMPONENT is no texture format, and OpenGL 1.2's packed pixel types are no "
     "types: GL_INVALID_ENUM (Mesa gives GL_INVALID_OPERATION or takes them)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         return argument(c, 5) == GL_DEPTH_COMPONENT || packedType(argument(c, 6));
     }},
    {"glTexSubImage1D",
     "GL_DEPTH_COMPONENT is no pixel format, and OpenGL 1.2's packed pixel types are no types: "
     "GL_INVALID_ENUM where there is an image to replace a part of (Mesa gives "
     "GL_INVALID_OPERATION or takes them)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         if (primitiveOpenNow || !otherwiseValid(c, {4, 5}) ||
             (argument(c, 4) != GL_DEPTH_COMPONENT && !packedType(argument(c, 5)))) {
             return false;
         }
         GLint width = 0;
         glGetTexLevelParameteriv(GL_TEXTURE_1D, integerArgument(c.args[1]), GL_TEXTURE_WIDTH,
                                  &width);
         return width > 0;
     }},
    {"glCopyTexImage2D",
     "a texture side that is not a power of two is GL_INVALID_VALUE (Mesa takes it, as "
     "OpenGL 2.0 does)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) {
         const auto side = [&](double size) {
             const GLint inner = integerArgument(size) - 2 * integerArgument(c.args[7]);
             return size == 0 || (inner > 0 && (inner & (inner - 1)) == 0);
         };
         return otherwiseValid(c, {5, 6, 7}) && (c.args[7] == 0 || c.args[7] == 1) &&
                c.args[5] >= 0 && c.args[6] >= 0 && (!side(c.args[5]) || !side(c.args[6]));
     }},
    {"glCopyTexImage1D",
     "a texture side that is not a power of two is GL_INVALID_VALUE (Mesa takes it, as "
     "OpenGL 2.0 does)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) {
         const GLint inner = integerArgument(c.args[5]) - 2 * integerArgument(c.args[6]);
         return otherwiseValid(c, {5, 6}) && (c.args[6] == 0 || c.args[6] == 1) && c.args[5] > 0 &&
                (inner <= 0 || (inner & (inner - 1)) != 0);
     }},
    {"glCopyTexImage2D glCopyTexImage1D",
     "an internal format that is none, 1 to 4 among them, is GL_INVALID_VALUE (Mesa gives "
     "GL_INVALID_ENUM, as later OpenGL does)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) {
         const GLenum target =
             std::string(c.op->name) == "glCopyTexImage1D" ? GL_TEXTURE_1D : GL_TEXTURE_2D;
         return argument(c, 0) == target && (!validArgument(c, 2) || c.args[2] <= 4);
     }},
    {"glTexParameteriv",
     "the border colour compiled into a display list keeps its four values (Mesa keeps the "
     "first, the others 0; given as floats)",
     GL_NO_ERROR,
     [](const Call& c, bool compiling) {
         return compiling && argument(c, 1) == GL_TEXTURE_BORDER_COLOR;
     },
     [](const Call& c, differential::Values&) {
         GLfloat colour[4];
         for (int i = 0; i < 4; ++i) {
             colour[i] = static_cast<GLfloat>((2.0 * c.args[2 + i] + 1.0) / 4294967295.0);
         }
         glTexParameterfv(argument(c, 0), GL_TEXTURE_BORDER_COLOR, colour);
     }},
    {"glGetTexImage",
     "GL_COLOR_INDEX and GL_DEPTH_COMPONENT are no formats it reads, and OpenGL 1.2's packed "
     "pixel types are no types: GL_INVALID_ENUM (Mesa takes them or gives GL_INVALID_OPERATION)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         return !primitiveOpenNow && otherwiseValid(c, {2, 3}) &&
                (among(argument(c, 2), {GL_COLOR_INDEX, GL_DEPTH_COMPONENT}) ||
                 packedType(argument(c, 3)));
     }},
    {"glReadPixels",
     "a format OpenGL 1.1 does not read in, or one of OpenGL 1.2's packed pixel types, is "
     "GL_INVALID_ENUM (Mesa gives GL_INVALID_OPERATION or takes them)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) { return !readFormat(argument(c, 4)) || packedType(argument(c, 5)); }},
    {"glBlendFunc",
     "GL_SRC_COLOR and GL_ONE_MINUS_SRC_COLOR are no source factors, GL_DST_COLOR, "
     "GL_ONE_MINUS_DST_COLOR and GL_SRC_ALPHA_SATURATE no destination factors (Mesa takes "
     "them, as later OpenGL does)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         return otherwiseValid(c, {}) &&
                (among(argument(c, 0), {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR}) ||
                 among(argument(c, 1),
                       {GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR, GL_SRC_ALPHA_SATURATE}));
     }},
    {"glBegin", "modes after GL_POLYGON are no primitives (Mesa takes OpenGL 3.2's)",
     GL_INVALID_ENUM, [](const Call& c, bool) { return c.args[0] > GL_POLYGON && c.args[0] < 15; }},
    {"glCallList",
     "calling list 0, which is never a list, is ignored (Mesa gives GL_INVALID_VALUE)", GL_NO_ERROR,
     [](const Call& c, bool) { return c.args[0] == 0; }},
    {"glLightf glLighti glMaterialf glMateriali glTexEnvf glTexEnvi glLightModelf glLightModeli "
     "glFogf glFogi glTexGeni glTexGenf glTexGend",
     "the scalar calls take only the parameters of one value (Mesa takes a vector's, the rest 0)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) {
         const std::string name = c.op->name;
         const GLenum pname = argument(c, 1);
         if (name == "glLightf" || name == "glLighti") {
             return among(pname,
                          {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION, GL_SPOT_DIRECTION});
         }
         if (name == "glLightModelf" || name == "glLightModeli") {
             return argument(c, 0) == GL_LIGHT_MODEL_AMBIENT;
         }
         if (name == "glFogf" || name == "glFogi") {
             return argument(c, 0) == GL_FOG_COLOR;
         }
         if (name.rfind("glTexGen", 0) == 0) {
             return among(pname, {GL_OBJECT_PLANE, GL_EYE_PLANE});
         }
         if (name == "glMaterialf" || name == "glMateriali") {
             return among(
                 pname, {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION, GL_AMBIENT_AND_DIFFUSE});
         }
         return pname == 0x2201;  // GL_TEXTURE_ENV_COLOR
     }},
    {"glTexEnvf glTexEnvi", "GL_ADD is no texture environment (Mesa takes it, as OpenGL 1.3 does)",
     GL_INVALID_ENUM,
     [](const Call& c, bool) { return otherwiseValid(c, {2}) && c.args[2] == 0x0104; }},
    {"glEnable",
     "GL_COLOR_MATERIAL: the material takes the current colour from the moment tracking starts "
     "(Mesa only at the next colour; the material is given it after)",
     GL_NO_ERROR,
     [](const Call& c, bool compiling) {
         return !compiling && !primitiveOpenNow && argument(c, 0) == GL_COLOR_MATERIAL;
     },
     [](const Call&, differential::Values&) {
         glEnable(GL_COLOR_MATERIAL);
         trackedAgain();
     }},
    {"glColorMaterial",
     "the material the colour stood for has taken it before tracking moves (Mesa takes in a "
     "colour given since for the new parameter only; it is taken in first)",
     GL_NO_ERROR,
     [](const Call&, bool compiling) {
         return !compiling && !primitiveOpenNow && glIsEnabled(GL_COLOR_MATERIAL);
     },
     [](const Call& c, differential::Values&) {
         GLfloat color[4];
         glGetFloatv(GL_CURRENT_COLOR, color);
         glColorMaterial(argument(c, 0), argument(c, 1));
     }},
    {"glClipPlane",
     "the plane is carried by the inverse of the modelview matrix (Mesa's inverse of a matrix "
     "that only turns, scales or moves x and y keeps the rest of an inverse before it; the "
     "identity's is made first)",
     GL_NO_ERROR, [](const Call&, bool compiling) { return !compiling && !primitiveOpenNow; },
     [](const Call& c, differential::Values&) {
         GLint mode = 0;
         GLfloat modelview[16];
         glGetIntegerv(GL_MATRIX_MODE, &mode);
         glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
         glMatrixMode(GL_MODELVIEW);
         glLoadIdentity();
         // Plane 7, which no sequence names, has Mesa invert the identity.
         const GLdouble unused[4] = {0.0, 0.0, 0.0, 0.0};
         glClipPlane(GL_CLIP_PLANE0 + 7, unused);
         glLoadMatrixf(modelview);
         glMatrixMode(static_cast<GLenum>(mode));
         glClipPlane(argument(c, 0), c.args.data() + 1);
     }},
    {"glEdgeFlag glEdgeFlagv",
     "a flag that is not GL_FALSE is GL_TRUE (Mesa takes one above 1 as GL_FALSE; GL_TRUE is "
     "given)",
     GL_NO_ERROR, [](const Call& c, bool) { return c.args[0] > 1; },
     [](const Call&, differential::Values&) { glEdgeFlag(GL_TRUE); }},
    {"glShadeModel",
     "an invalid mode compiled into a display list is an error where the list is called (Mesa "
     "leaves the call out)",
     GL_INVALID_ENUM,
     [](const Call& c, bool compiling) {
         return compiling && !among(argument(c, 0), {GL_FLAT, GL_SMOOTH});
     }},
    {"glGetIntegerv",
     "a matrix read as integers is rounded element by element (Mesa maps it as it maps colours)",
     GL_NO_ERROR,
     [](const Call& c, bool) {
         return among(argument(c, 0),
                      {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX, GL_TEXTURE_MATRIX});
     },
     [](const Call& c, differential::Values& values) {
         GLfloat elements[16];
         std::fill_n(elements, 16, static_cast<GLfloat>(kUnwritten));
         glGetFloatv(argument(c, 0), elements);
         for (const GLfloat element : elements) {
             values.push_back(std::lround(element));
         }
     }},
    {"glGetIntegerv",
     "colours and normals read as integers map [-1, 1] linearly onto them, the integers "
     "bounding what lies beyond (Mesa's conversion overflows above 1)",
     GL_NO_ERROR, [](const Call& c, bool) { return mapped(argument(c, 0)); },
     [](const Call& c, differential::Values& values) {
         GLfloat components[4];
         std::fill_n(components, 4, static_cast<GLfloat>(kUnwritten));
         glGetFloatv(argument(c, 0), components);
         const int count = argument(c, 0) == GL_CURRENT_NORMAL ? 3 : 4;
         for (int i = 0; i < count; ++i) {
             const bool unwritten = components[i] == static_cast<GLfloat>(kUnwritten);
             values.push_back(unwritten ? kUnwritten : mappedInteger(components[i]));
         }
     }},
    {"glGetIntegerv glGetFloatv glGetDoublev glGetBooleanv",
     "the depth mask is a boolean, 1 for any flag that is not 0 (Mesa answers the flag given)",
     GL_NO_ERROR, [](const Call& c, bool) { return argument(c, 0) == GL_DEPTH_WRITEMASK; },
     [](const Call& c, differential::Values& values) {
         GLint mask = kUnwritten;
         glGetIntegerv(GL_DEPTH_WRITEMASK, &mask);
         // A boolean's stand-in for nothing written is the integer's low byte.
         const double unwritten = std::string(c.op->name) == "glGetBooleanv"
                                      ? static_cast<GLboolean>(kUnwritten)
                                      : kUnwritten;
         values.push_back(mask == kUnwritten ? unwritten : static_cast<GLint>(mask != 0));
     }},
    {"glColor3* glTexCoord1* glTexCoord2*",
     "a colour without alpha has alpha 1, texture coordinates without r and q have 0 and 1 "
     "(Mesa can keep what a longer call set before; they are given whole)",
     GL_NO_ERROR, [](const Call&, bool) { return true; },
     [](const Call& c, differential::Values&) { issueWhole(c); }},
    {"glIsList", "a name is a list from glEndList on (Mesa answers GL_TRUE from glNewList on)",
     GL_NO_ERROR, [](const Call&, bool compiling) { return compiling; },
     [](const Call& c, differential::Values& values) {
         const auto name = static_cast<GLuint>(c.args[0]);
         const GLboolean answer = glIsList(name);
         values.push_back(tracked->newlyCompiled(name) ? GL_FALSE : answer);
     }},
    {"glAreTexturesResident",
     "a name that glGenTextures gave but no glBindTexture made a texture is GL_INVALID_VALUE "
     "(Mesa takes it as a texture)",
     GL_INVALID_VALUE,
     [](const Call& c, bool) { return !primitiveOpenNow && namesNoTexture(c, 1); }},
    {"glPrioritizeTextures",
     "a name that glGenTextures gave but no glBindTexture made a texture is passed over (Mesa "
     "gives its texture the priority; only the textures are given theirs)",
     GL_NO_ERROR,
     [](const Call& c, bool compiling) {
         return !compiling && !primitiveOpenNow && c.args[0] >= 0 && namesNoTexture(c, 1);
     },
     [](const Call& c, differential::Values&) {
         GLuint names[2];
         GLclampf priorities[2];
         GLsizei n = 0;
         for (std::size_t i = 0; i < std::min<std::size_t>(integerArgument(c.args[0]), 2); ++i) {
             const auto name = static_cast<GLuint>(c.args[1 + i]);
             if (glIsTexture(name) == GL_TRUE) {
                 names[n] = name;
                 priorities[n++] = static_cast<GLclampf>(c.args[3 + i]);
             }
         }
         glPrioritizeTextures(n, names, priorities);
     }},
    {"glPrioritizeTextures",
     "a negative count compiled into a display list is GL_INVALID_VALUE where the list is called "
     "(Mesa leaves the call out)",
     GL_INVALID_VALUE, [](const Call& c, bool compiling) { return compiling && c.args[0] < 0; }},
    {"glIndexPointer", "a call given a negative stride changes nothing (Mesa takes its type)",
     GL_INVALID_VALUE, [](const Call& c, bool) { return c.args[1] < 0; }},
    {"glGetLightiv glGetMaterialiv",
     "a value read as an integer is rounded, and a colour beyond [-1, 1] is the integers' end "
     "(Mesa truncates, and its conversion of such a colour overflows)",
     GL_NO_ERROR, [](const Call&, bool) { return true; },
     [](const Call& c, differential::Values& values) {
         GLfloat read[4];
         std::fill_n(read, 4, static_cast<GLfloat>(kUnwritten));
         const GLenum pname = argument(c, 1);
         if (std::string(c.op->name) == "glGetLightiv") {
             glGetLightfv(argument(c, 0), pname, read);
         } else {
             glGetMaterialfv(argument(c, 0), pname, read);
         }
         const bool colour = among(pname, {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION});
         for (int i = 0; i < differential::countOf(pname); ++i) {
             const double v = read[i];
             values.push_back(v == kUnwritten ? kUnwritten
                              : !colour
                                  ? std::min(2147483647.0, std::max(-2147483648.0, std::round(v)))
                              : v >= 1.0  ? 2147483647.0
                              : v <= -1.0 ? -2147483648.0
                                          : std::trunc(v * 2147483647.0));
         }
     }},
    {"glGetTexParameteriv",
     "a priority read as an integer is rounded (Mesa maps it as it maps colours)", GL_NO_ERROR,
     [](const Call& c, bool) { return argument(c, 1) == GL_TEXTURE_PRIORITY; },
     [](const Call& c, differential::Values& values) {
         GLfloat priority = static_cast<GLfloat>(kUnwritten);
         glGetTexParameterfv(argument(c, 0), GL_TEXTURE_PRIORITY, &priority);
         values.push_back(priority == static_cast<GLfloat>(kUnwritten) ? kUnwritten
                                                                       : std::lround(priority));
     }},
    {"glGetTexLevelParameteriv",
     "a level with a border counts it in its sides and answers GL_TEXTURE_BORDER 1 (Mesa strips "
     "borders; not compared)",
     GL_NO_ERROR,
     [](const Call& c, bool) {
         return otherwiseValid(c, {}) && levelHas(c, kBordered) &&
                among(argument(c, 2), {GL_TEXTURE_WIDTH, GL_TEXTURE_HEIGHT, GL_TEXTURE_BORDER});
     }},
    {"glGetTexImage",
     "a level with a border is read back with it (Mesa strips borders; not compared)", GL_NO_ERROR,
     [](const Call& c, bool) { return otherwiseValid(c, {}) && levelHas(c, kBordered); }},
    {"glGetTexImage",
     "luminance read as unsigned integers reads 1 as the largest (Mesa converts it through a "
     "float that overflows to 0; not compared)",
     GL_NO_ERROR,
     [](const Call& c, bool) {
         return !primitiveOpenNow && otherwiseValid(c, {}) && argument(c, 3) == GL_UNSIGNED_INT &&
                among(argument(c, 2), {GL_LUMINANCE, GL_LUMINANCE_ALPHA});
     }},
    {"glGetTexImage",
     "a level copied from the window is read back as the window was (not compared: the "
     "layer's side here draws nothing)",
     GL_NO_ERROR,
     [](const Call& c, bool) { return otherwiseValid(c, {}) && levelHas(c, kCopied); }},
    {"glGetTexLevelParameteriv",
     "a level with no image has the internal format 1 (Mesa answers GL_RGBA, as OpenGL 3 does)",
     GL_NO_ERROR, [](const Call& c, bool) { return argument(c, 2) == GL_TEXTURE_INTERNAL_FORMAT; },
     [](const Call& c, differential::Values& values) {
         const GLenum target = argument(c, 0);
         const GLint level = integerArgument(c.args[1]);
         GLint width = kUnwritten;
         GLint format = kUnwritten;
         glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &width);
         glGetTexLevelParameteriv(target, level, GL_TEXTURE_INTERNAL_FORMAT, &format);
         GLint height = kUnwritten;
         glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &height);
         values.push_back(width == 0 && height == 0 ? 1 : format);
     }},
};

bool names(const Departure& departure, const Call& call) {
    std::istringstream calls(departure.call);
    std::string name;
    while (calls >> name) {
        // "glColor3*": every command whose name begins so.
        const bool family = name.back() == '*';
        if (family ? startsWith(call.op->name, name.substr(0, name.size() - 1).c_str())
                   : name == call.op->name) {
            return true;
        }
    }
    return false;
}

const Departure* departureFor(const Call& call, bool compiling) {
    for (const Departure& departure : kDepartures) {
        if (names(departure, call) && departure.applies(call, compiling)) {
            return &departure;
        }
    }
    return nullptr;
}

// GL_3D feedback: each polygon's vertices in window coordinates.
std::string polygons(const std::vector<GLfloat>& buffer, GLint count) {
    std::ostringstream out;
    int polygonCount = 0;
    std::ostringstream list;
    for (GLint i = 0; i < count;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        int vertices = 0;
        switch (token) {
            case GL_POLYGON_TOKEN:
                vertices = static_cast<int>(buffer[i++]);
                break;
            case GL_POINT_TOKEN:
            case GL_BITMAP_TOKEN:
            case GL_DRAW_PIXEL_TOKEN:
            case GL_COPY_PIXEL_TOKEN:
                vertices = 1;
                break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN:
                vertices = 2;
                break;
            default:  // GL_PASS_THROUGH_TOKEN
                ++i;
                continue;
        }
        ++polygonCount;
        list << ' ' << vertices;
        for (int v = 0; v < vertices * 3; ++v) {
            list << ' ' << buffer[i++];
        }
    }
    out << polygonCount << list.str();
    return out.str();
}

class Mesa {
   public:
    Mesa() {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            throw std::runtime_error("no X display");
        }
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, GLX_STENCIL_SIZE, 8,
                            None};
        visual_ = glXChooseVisual(display_, DefaultScreen(display_), attributes);
        if (visual_ == nullptr) {
            throw std::runtime_error("no GLX visual");
        }
        const Window root = RootWindow(display_, visual_->screen);
        XSetWindowAttributes window{};
        window.colormap = XCreateColormap(display_, root, visual_->visual, AllocNone);
        // The size the layer's window is given too: the first viewport.
        window_ = XCreateWindow(display_, root, 0, 0, 64, 48, 0, visual_->depth, InputOutput,
                                visual_->visual, CWColormap, &window);
    }

    // Runs `body` in a new context.
    template <typename Body>
    void inNewContext(Body body) {
        GLXContext context = glXCreateContext(display_, visual_, nullptr, True);
        glXMakeCurrent(display_, window_, context);
        body();
        glXMakeCurrent(display_, None, nullptr);
        glXDestroyContext(display_, context);
    }

   private:
    Display* display_;
    XVisualInfo* visual_;
    Window window_;
};

// Whether a primitive of `mode` with `count` vertices leaves some unused.
bool incomplete(GLenum mode, int count) {
    switch (mode) {
        case GL_TRIANGLES:
            return count % 3 != 0;
        case GL_QUADS:
            return count % 4 != 0;
        case GL_QUAD_STRIP:
            return count % 2 != 0 || count == 2;
        default:  // strips, fans and polygons
            return count > 0 && count < 3;
    }
}

// Mesa's display lists draw some of a primitive's unused vertices, lose a
// primitive where an attribute the list has not used before comes after its
// first vertex, and part of a rectangle after a primitive: where a list holds
// any of these, what is drawn is not compared.
class Incomplete {
   public:
    void compiled(const Call& call, GLuint list) {
        if (list != list_) {
            list_ = list;
            used_.clear();
            drawn_ = false;
            count_ = 0;
        }
        const std::string name = call.op->name;
        const std::string attribute = name.substr(0, name.find_first_of("0123456789"));
        if (differential::opensPrimitive(call)) {
            mode_ = argument(call, 0);
            count_ = 0;
            drawn_ = true;
        } else if (startsWith(name, "glRect")) {
            found_ = found_ || drawn_;
            drawn_ = true;
        } else if (name.rfind("glVertex", 0) == 0) {
            ++count_;
        } else if (differential::closesPrimitive(call)) {
            found_ = found_ || incomplete(mode_, count_);
        } else if (among(attribute, {"glNormal", "glColor", "glTexCoord", "glMaterialf"})) {
            found_ = found_ || (count_ > 0 && used_.count(attribute) == 0);
            used_.insert(attribute);
        }
    }
    bool found() const {
        return found_;
    }

   private:
    static bool among(const std::string& name, std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* each) { return name == each; });
    }

    GLuint list_ = 0;
    std::set<std::string> used_;
    bool drawn_ = false;  // a primitive in the list
    GLenum mode_ = GL_TRIANGLES;
    int count_ = 0;
    bool found_ = false;
};

// Gives Mesa this error at once, where a call not issued stood and its error
// is not read after it: the first error is then read where it would be.
// Calls that change nothing else, run at once even while a list is compiled.
void raise(GLenum error, bool compiling) {
    const GLfloat values[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    GLint unused[4];
    switch (error) {
        case GL_INVALID_ENUM:
            if (compiling) {
                glGetIntegerv(0, unused);
            } else {
                glMaterialfv(0x1234, GL_DIFFUSE, values);  // between glBegin and glEnd too
            }
            break;
        case GL_INVALID_VALUE:
            if (compiling) {
                glGenLists(-1);
            } else {
                glMaterialf(GL_FRONT, GL_SHININESS, 200.0f);
            }
            break;
        case GL_INVALID_OPERATION:
            if (compiling) {
                glNewList(1, GL_COMPILE);
            } else {
                glEndList();
            }
            break;
        default:
            break;
    }
}

void stands(GLenum error, bool readable, bool compiling, differential::Outcome& outcome) {
    outcome.error = error;
    if (!readable) {
        raise(error, compiling);
    }
}

void runOne(const std::string& text, const std::map<std::size_t, GLenum>& skip) {
    const differential::Sequence sequence = differential::parse(text);
    static std::vector<GLfloat> feedback(std::size_t{1} << 20);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
    glRenderMode(GL_FEEDBACK);
    Deferred deferred;
    Popped popped;
    Incomplete unused;
    bool open = false;     // by the calls' names, as the errors are read
    bool inBegin = false;  // Mesa's own, where no query may be made
    primitiveOpenNow = false;
    levelFlags.clear();
    listImages.clear();
    bool compiledOpen = false;  // a primitive begun in the list being compiled
    differential::Hooks hooks;
    hooks.instead = [&](std::size_t i, const Call& call, differential::Outcome& outcome) {
        const bool opens = differential::opensPrimitive(call);
        const bool readable = differential::closesPrimitive(call) || (!open && !opens);
        deferred.forget();
        primitiveOpenNow = inBegin;
        if (!inBegin) {
            deferred.seen();
            if (std::string(call.op->name) == "glNewList") {
                deferred.beforeNewList(static_cast<GLuint>(call.args[0]));
            }
            if (!calledLists(call).empty() && (!deferred.compiling() || deferred.executing())) {
                deferred.beforeCall();
            }
        }
        open = (open || opens) && !differential::closesPrimitive(call);
        // A vertex run outside glBegin/glEnd is undefined; Mesa can spoil
        // its memory on one, and the layer leaves it out. Compiled alone, it
        // is the primitive's the list is called in.
        const bool inPrimitive = inBegin || (deferred.compiling() && compiledOpen);
        const bool runs = !deferred.compiling() || deferred.executing();
        if (std::string(call.op->name).rfind("glVertex", 0) == 0 && !inPrimitive && runs) {
            outcome.skipped = std::to_string(kLoneVertex);
            return true;
        }
        const auto refusal = skip.find(i);
        if (refusal != skip.end()) {
            outcome.skipped = "refused";
            stands(refusal->second, readable, deferred.compiling(), outcome);
            return true;
        }
        // Between glBegin and glEnd the error is Mesa's, OpenGL's for calls there.
        const Departure* departure = departureFor(call, deferred.compiling());
        if (departure == nullptr || departure->answer != nullptr ||
            (inBegin && !allowedInBegin(call))) {
            return false;
        }
        outcome.skipped = std::to_string(departure - kDepartures);
        if (deferred.compiling() && !runsAtOnce(call)) {
            deferred.leftOut(departure->error);
            // With GL_COMPILE_AND_EXECUTE Mesa runs the stand-in at once
            // too: its error is the call's.
            if (deferred.executing() && readable) {
                outcome.error = glGetError();
            }
            return true;
        }
        stands(departure->error, readable, deferred.compiling(), outcome);
        return true;
    };
    hooks.substitute = [&](const Call& call, differential::Outcome& outcome) {
        const Departure* departure = departureFor(call, deferred.compiling());
        if (departure == nullptr || departure->answer == nullptr) {
            return false;
        }
        departure->answer(call, outcome.values);
        outcome.substitute = static_cast<int>(departure - kDepartures);
        return true;
    };
    hooks.after = [&](std::size_t, const Call& call, differential::Outcome& outcome) {
        if (deferred.compiling()) {
            unused.compiled(call, deferred.list());
        }
        deferred.issued(call, outcome);
        popped.issued(call, outcome, deferred.compiling(), deferred.executing(), inBegin);
        imageMade(call, outcome, deferred.compiling() ? deferred.list() : 0, deferred.executing(),
                  inBegin);
        // Mesa runs glBegin of a primitive's mode outside a list being
        // compiled, and compiles it into one.
        const bool primitive = differential::opensPrimitive(call) && call.args[0] <= GL_POLYGON;
        if (primitive) {
            (deferred.compiling() ? compiledOpen : inBegin) = true;
        } else if (differential::closesPrimitive(call)) {
            (deferred.compiling() ? compiledOpen : inBegin) = false;
        }
        if (!inBegin) {
            deferred.seen();
            popped.compiling(deferred.list());
        }
    };
    tracked = &deferred;
    const auto outcomes = differential::run(sequence, hooks);
    for (const auto& outcome : outcomes) {
        std::cout << "call " << outcome.checked << ' ' << outcome.error << ' '
                  << (outcome.skipped.empty() ? "-" : outcome.skipped) << ' ' << outcome.substitute
                  << ' ' << outcome.values.size();
        for (const double value : outcome.values) {
            std::cout << ' ' << value;
        }
        std::cout << '\n';
    }
    const GLint count = glRenderMode(GL_RENDER);
    if (glGetError() != GL_NO_ERROR || unused.found()) {
        std::cout << "feedback none\n";
    } else if (count < 0) {
        std::cout << "feedback overflow\n";
    } else {
        std::cout << "feedback " << polygons(feedback, count) << '\n';
    }
    // Mesa spoils the next context's memory where one is destroyed while it
    // compiles a list: what is open is closed first.
    if (inBegin || compiledOpen) {
        glEnd();
    }
    glEndList();
    std::cout << "end" << std::endl;
}

}  // namespace

int main() {
    // Enough digits for every answer (32-bit integers too) to read back the same.
    std::cout.precision(17);
    // Each sequence has a new context: its vertices are taken through the
    // software renderer's interpreter rather than compiled again for each.
    setenv("DRAW_USE_LLVM", "0", 0);
    try {
        for (std::size_t i = 0; i < std::size(kDepartures); ++i) {
            std::cout << "departure " << i << ' ' << kDepartures[i].call << ": "
                      << kDepartures[i].rule << '\n';
        }
        Mesa mesa;
        mesa.inNewContext([] {
            GLint size = 0;
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
            differential::setMaxTextureSize(size);
            std::cout << "ready " << size << std::endl;
        });
        std::string text;
        std::map<std::size_t, GLenum> skip;
        std::string line;
        while (std::getline(std::cin, line)) {
            if (line == "run") {
                mesa.inNewContext([&] { runOne(text, skip); });
                text.clear();
                skip.clear();
            } else if (line.rfind("skip", 0) == 0) {
                std::istringstream indices(line.substr(4));
                std::size_t index = 0;
                GLenum error = GL_NO_ERROR;
                while (indices >> index >> error) {
                    skip[index] = error;
                }
            } else {
                text += line + '\n';
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "mesa_runner: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
