// Vertex arrays: where the program's arrays are, and drawing from them. A
// draw issues, for each element, the calls glArrayElement stands for, so it
// is drawn, or compiled into a display list, as those calls would be.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {

// What each array takes: its sizes and component types.
struct ArrayRule {
    GLenum name;
    GLint minSize;
    GLint maxSize;
    bool (*type)(GLenum);
};

bool coordinateType(GLenum type) {
    return type == GL_SHORT || type == GL_INT || type == GL_FLOAT || type == GL_DOUBLE;
}
bool normalType(GLenum type) {
    return type == GL_BYTE || coordinateType(type);
}
bool colorType(GLenum type) {
    return componentBytes(type) != 0;
}
bool indexType(GLenum type) {
    return type == GL_UNSIGNED_BYTE || coordinateType(type);
}

const ArrayRule kArrayRules[] = {
    {GL_VERTEX_ARRAY, 2, 4, coordinateType}, {GL_NORMAL_ARRAY, 3, 3, normalType},
    {GL_COLOR_ARRAY, 3, 4, colorType},       {GL_TEXTURE_COORD_ARRAY, 1, 4, coordinateType},
    {GL_INDEX_ARRAY, 1, 1, indexType},
};

}  // namespace

void Context::arrayPointer(GLenum name, GLint size, GLenum type, GLsizei stride,
                           const void* pointer) {
    if (refusedInBeginNow()) {
        return;
    }
    const ArrayRule* rule = nullptr;
    for (const ArrayRule& candidate : kArrayRules) {
        if (candidate.name == name) {
            rule = &candidate;
        }
    }
    if (size < rule->minSize || size > rule->maxSize || stride < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    if (!rule->type(type)) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    ClientArray& array = *arrays_.array(name);
    array.size = size;
    array.type = type;
    array.stride = stride;
    array.pointer = pointer;
}

void Context::enableClientState(GLenum name, bool on) {
    if (refusedInBeginNow()) {
        return;
    }
    bool* flag = arrays_.flag(name);
    if (flag == nullptr) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    *flag = on;
}

namespace {

// One element as the arrays that are on give it.
struct Element {
    bool texCoord = false;
    bool color = false;
    bool edgeFlag = false;
    bool normal = false;
    bool vertex = false;
    float t[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float c[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float n[3] = {};
    float v[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    bool edge = true;
};

Element elementAt(const ClientArrays& arrays, GLint index) {
    const auto used = [](const ClientArray& array) {
        return array.enabled && array.pointer != nullptr;
    };
    Element e;
    e.texCoord = used(arrays.texCoord);
    if (e.texCoord) {
        float v[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        readElement(arrays.texCoord, index, false, v);
        const GLint size = arrays.texCoord.size;
        const float t[4] = {v[0], size > 1 ? v[1] : 0.0f, size > 2 ? v[2] : 0.0f,
                            size > 3 ? v[3] : 1.0f};
        std::copy_n(t, 4, e.t);
    }
    e.color = used(arrays.color);
    if (e.color) {
        readElement(arrays.color, index, true, e.c);
    }
    e.edgeFlag = used(arrays.edgeFlag);
    if (e.edgeFlag) {
        const GLsizei stride = arrays.edgeFlag.stride != 0 ? arrays.edgeFlag.stride : 1;
        const auto* flags = static_cast<const GLboolean*>(arrays.edgeFlag.pointer);
        e.edge = flags[static_cast<std::ptrdiff_t>(index) * stride] != 0;
    }
    e.normal = used(arrays.normal);
    if (e.normal) {
        float v[4] = {};
        readElement(arrays.normal, index, true, v);
        std::copy_n(v, 3, e.n);
    }
    e.vertex = used(arrays.vertex);
    if (e.vertex) {
        readElement(arrays.vertex, index, false, e.v);
    }
    return e;
}

// The calls glArrayElement stands for, in the order OpenGL gives them.
void issue(Context& c, const Element& e) {
    if (e.texCoord) {
        c.texCoord4(e.t[0], e.t[1], e.t[2], e.t[3]);
    }
    if (e.color) {
        c.color(e.c[0], e.c[1], e.c[2], e.c[3]);
    }
    if (e.edgeFlag) {
        c.edgeFlag(e.edge);
    }
    if (e.normal) {
        c.normal(e.n[0], e.n[1], e.n[2]);
    }
    if (e.vertex) {
        c.vertex4(e.v[0], e.v[1], e.v[2], e.v[3]);
    }
}

// Runs a call a draw from the arrays stands for: a list compiled from the
// draw keeps the call, with the values read, in its source.
template <typename F>
void issued(Context& c, F call) {
    c.noteSource(call);
    call(c);
}

}  // namespace

void Context::arrayElement(GLint index) {
    if (index < 0) {
        return;  // no element: OpenGL leaves it undefined
    }
    issued(*this, [element = elementAt(arrays_, index)](Context& c) { issue(c, element); });
}

bool Context::arrayDrawRefused(GLenum mode, GLsizei count) {
    if (count < 0) {
        setError(GL_INVALID_VALUE);
        return true;
    }
    if (mode > GL_POLYGON) {
        setError(GL_INVALID_ENUM);
        return true;
    }
    return refusedInBegin();
}

void Context::drawArrays(GLenum mode, GLint first, GLsizei count) {
    if (arrayDrawRefused(mode, count)) {
        return;
    }
    issued(*this, [mode](Context& c) { c.begin(mode); });
    for (GLsizei i = 0; i < count; ++i) {
        arrayElement(first + i);
    }
    issued(*this, [](Context& c) { c.end(); });
}

void Context::drawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (arrayDrawRefused(mode, count)) {
        return;
    }
    const auto* at = static_cast<const unsigned char*>(indices);
    const int bytes = componentBytes(type);
    issued(*this, [mode](Context& c) { c.begin(mode); });
    for (GLsizei i = 0; i < count; ++i, at += bytes) {
        std::uint32_t index = 0;
        if (type == GL_UNSIGNED_BYTE) {
            index = *at;
        } else if (type == GL_UNSIGNED_SHORT) {
            std::uint16_t value;
            std::memcpy(&value, at, sizeof value);
            index = value;
        } else {
            std::memcpy(&index, at, sizeof index);
        }
        arrayElement(static_cast<GLint>(index & 0x7fffffffu));
    }
    issued(*this, [](Context& c) { c.end(); });
}

const void* Context::arrayPointerOf(GLenum pname) {
    switch (pname) {
        case GL_VERTEX_ARRAY_POINTER:
            return arrays_.vertex.pointer;
        case GL_NORMAL_ARRAY_POINTER:
            return arrays_.normal.pointer;
        case GL_COLOR_ARRAY_POINTER:
            return arrays_.color.pointer;
        case GL_TEXTURE_COORD_ARRAY_POINTER:
            return arrays_.texCoord.pointer;
        case GL_EDGE_FLAG_ARRAY_POINTER:
            return arrays_.edgeFlag.pointer;
        case GL_INDEX_ARRAY_POINTER:
            return arrays_.index.pointer;
        default:
            setErrorNow(GL_INVALID_ENUM);
            return nullptr;
    }
}

void Context::edgeFlagPointer(GLsizei stride, const void* pointer) {
    if (refusedInBeginNow()) {
        return;
    }
    if (stride < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    arrays_.edgeFlag.stride = stride;
    arrays_.edgeFlag.pointer = pointer;
}

namespace {

// glInterleavedArrays' formats, as OpenGL 1.1 lays them out: the sizes of
// the texture coordinates, colour and vertex (0 for none; the colour's
// type), whether there is a normal, and the offsets of colour, normal and
// vertex and the whole element's size in bytes.
struct Interleaving {
    GLenum format;
    GLint texCoords, colors;
    GLenum colorType;
    GLint vertices;
    bool normals;
    int colorAt, normalAt, vertexAt, size;
};
constexpr int kF = sizeof(GLfloat);
constexpr int kC = 4;  // four unsigned bytes
const Interleaving kInterleavings[] = {
    {GL_V2F, 0, 0, GL_FLOAT, 2, false, 0, 0, 0, 2 * kF},
    {GL_V3F, 0, 0, GL_FLOAT, 3, false, 0, 0, 0, 3 * kF},
    {GL_C4UB_V2F, 0, 4, GL_UNSIGNED_BYTE, 2, false, 0, 0, kC, kC + 2 * kF},
    {GL_C4UB_V3F, 0, 4, GL_UNSIGNED_BYTE, 3, false, 0, 0, kC, kC + 3 * kF},
    {GL_C3F_V3F, 0, 3, GL_FLOAT, 3, false, 0, 0, 3 * kF, 6 * kF},
    {GL_N3F_V3F, 0, 0, GL_FLOAT, 3, true, 0, 0, 3 * kF, 6 * kF},
    {GL_C4F_N3F_V3F, 0, 4, GL_FLOAT, 3, true, 0, 4 * kF, 7 * kF, 10 * kF},
    {GL_T2F_V3F, 2, 0, GL_FLOAT, 3, false, 0, 0, 2 * kF, 5 * kF},
    {GL_T4F_V4F, 4, 0, GL_FLOAT, 4, false, 0, 0, 4 * kF, 8 * kF},
    {GL_T2F_C4UB_V3F, 2, 4, GL_UNSIGNED_BYTE, 3, false, 2 * kF, 0, kC + 2 * kF, kC + 5 * kF},
    {GL_T2F_C3F_V3F, 2, 3, GL_FLOAT, 3, false, 2 * kF, 0, 5 * kF, 8 * kF},
    {GL_T2F_N3F_V3F, 2, 0, GL_FLOAT, 3, true, 0, 2 * kF, 5 * kF, 8 * kF},
    {GL_T2F_C4F_N3F_V3F, 2, 4, GL_FLOAT, 3, true, 2 * kF, 6 * kF, 9 * kF, 12 * kF},
    {GL_T4F_C4F_N3F_V4F, 4, 4, GL_FLOAT, 4, true, 4 * kF, 8 * kF, 11 * kF, 15 * kF},
};

}  // namespace

void Context::interleavedArrays(GLenum format, GLsizei stride, const void* pointer) {
    if (refusedInBeginNow()) {
        return;
    }
    const Interleaving* layout = nullptr;
    for (const Interleaving& candidate : kInterleavings) {
        if (candidate.format == format) {
            layout = &candidate;
        }
    }
    if (layout == nullptr) {
        setErrorNow(GL_INVALID_ENUM);
        return;
    }
    if (stride < 0) {
        setErrorNow(GL_INVALID_VALUE);
        return;
    }
    const GLsizei step = stride != 0 ? stride : layout->size;
    const auto* base = static_cast<const unsigned char*>(pointer);
    arrays_.edgeFlag.enabled = false;
    arrays_.index.enabled = false;
    arrays_.texCoord.enabled = layout->texCoords != 0;
    if (arrays_.texCoord.enabled) {
        arrayPointer(GL_TEXTURE_COORD_ARRAY, layout->texCoords, GL_FLOAT, step, base);
    }
    arrays_.color.enabled = layout->colors != 0;
    if (arrays_.color.enabled) {
        arrayPointer(GL_COLOR_ARRAY, layout->colors, layout->colorType, step,
                     base + layout->colorAt);
    }
    arrays_.normal.enabled = layout->normals;
    if (layout->normals) {
        arrayPointer(GL_NORMAL_ARRAY, 3, GL_FLOAT, step, base + layout->normalAt);
    }
    arrays_.vertex.enabled = true;
    arrayPointer(GL_VERTEX_ARRAY, layout->vertices, GL_FLOAT, step, base + layout->vertexAt);
}

void Context::pushClientAttrib(GLbitfield mask) {
    if (refusedInBeginNow()) {
        return;
    }
    if (clientAttributes_.size() >= kMaxClientAttributeDepth) {
        setErrorNow(GL_STACK_OVERFLOW);
        return;
    }
    clientAttributes_.push_back({mask, arrays_, textures_.pack(), textures_.unpack()});
}

void Context::popClientAttrib() {
    if (refusedInBeginNow()) {
        return;
    }
    if (clientAttributes_.empty()) {
        setErrorNow(GL_STACK_UNDERFLOW);
        return;
    }
    const ClientAttributes& saved = clientAttributes_.back();
    if ((saved.mask & GL_CLIENT_VERTEX_ARRAY_BIT) != 0) {
        arrays_ = saved.arrays;
    }
    if ((saved.mask & GL_CLIENT_PIXEL_STORE_BIT) != 0) {
        textures_.restoreStores(saved.pack, saved.unpack);
    }
    clientAttributes_.pop_back();
}

}  // namespace vgl
