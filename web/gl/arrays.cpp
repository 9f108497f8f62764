#include "arrays.h"

#include <cstdint>
#include <cstring>

#include "components.h"

namespace vgl {

namespace {

template <typename T>
float component(const unsigned char* at, bool normalise) {
    T value;
    std::memcpy(&value, at, sizeof value);  // the program's array need not be aligned
    return normalise ? normalised(value) : static_cast<float>(value);
}

}  // namespace

ClientArray* ClientArrays::array(GLenum name) {
    switch (name) {
        case GL_VERTEX_ARRAY:
            return &vertex;
        case GL_NORMAL_ARRAY:
            return &normal;
        case GL_COLOR_ARRAY:
            return &color;
        case GL_TEXTURE_COORD_ARRAY:
            return &texCoord;
        case GL_INDEX_ARRAY:
            return &index;
        default:
            return nullptr;
    }
}

bool* ClientArrays::flag(GLenum name) {
    if (ClientArray* found = array(name)) {
        return &found->enabled;
    }
    return name == GL_EDGE_FLAG_ARRAY ? &edgeFlag.enabled : nullptr;
}

int componentBytes(GLenum type) {
    switch (type) {
        case GL_BYTE:
        case GL_UNSIGNED_BYTE:
            return 1;
        case GL_SHORT:
        case GL_UNSIGNED_SHORT:
            return 2;
        case GL_INT:
        case GL_UNSIGNED_INT:
        case GL_FLOAT:
            return 4;
        case GL_DOUBLE:
            return 8;
        default:
            return 0;
    }
}

void readElement(const ClientArray& array, GLint index, bool normalise, float* out) {
    const int bytes = componentBytes(array.type);
    const std::ptrdiff_t stride = array.stride != 0 ? array.stride : array.size * bytes;
    const auto* at = static_cast<const unsigned char*>(array.pointer) + index * stride;
    for (int i = 0; i < array.size; ++i, at += bytes) {
        switch (array.type) {
            case GL_BYTE:
                out[i] = component<GLbyte>(at, normalise);
                break;
            case GL_UNSIGNED_BYTE:
                out[i] = component<GLubyte>(at, normalise);
                break;
            case GL_SHORT:
                out[i] = component<GLshort>(at, normalise);
                break;
            case GL_UNSIGNED_SHORT:
                out[i] = component<GLushort>(at, normalise);
                break;
            case GL_INT:
                out[i] = component<GLint>(at, normalise);
                break;
            case GL_UNSIGNED_INT:
                out[i] = component<GLuint>(at, normalise);
                break;
            case GL_DOUBLE:
                out[i] = component<GLdouble>(at, normalise);
                break;
            default:
                out[i] = component<GLfloat>(at, normalise);
                break;
        }
    }
}

}  // namespace vgl
