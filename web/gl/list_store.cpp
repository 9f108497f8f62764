// Display list names, and the lists' meshes freed with them.
#include "list_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "backend.h"

namespace vgl {

int uploadMesh(const Recording& recording) {
    if (recording.empty()) {
        return 0;
    }
    return vglCreateMesh(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                         recording.indices.data(), static_cast<int>(recording.indices.size()),
                         recording.parts());
}

GLuint ListStore::generate(GLsizei range) {
    const GLuint first = highest_ + 1;
    for (GLsizei i = 0; i < range; ++i) {
        at(first + i);
    }
    return first;
}

DisplayList& ListStore::at(GLuint name) {
    highest_ = std::max(highest_, name);
    return lists_[name];
}

const DisplayList* ListStore::find(GLuint name) const {
    const auto found = lists_.find(name);
    return found != lists_.end() ? &found->second : nullptr;
}

void ListStore::remove(GLuint first, GLsizei range) {
    for (GLsizei i = 0; i < range; ++i) {
        const auto found = lists_.find(first + i);
        if (found != lists_.end()) {
            found->second.forEachPart([](DisplayList& part) {
                if (part.mesh != 0) {
                    vglDeleteMesh(part.mesh);
                }
            });
            lists_.erase(found);
        }
    }
}

std::set<GLuint> DisplayList::allCalls() const {
    std::set<GLuint> all;
    forEachPart(
        [&all](const DisplayList& part) { all.insert(part.calls.begin(), part.calls.end()); });
    return all;
}

void ListStore::uploadAgain() {
    for (auto& named : lists_) {
        named.second.forEachPart([](DisplayList& part) {
            if (part.mesh != 0) {
                part.mesh = uploadMesh(part.recording);
            }
        });
    }
}

namespace {

// A name of `bytes` bytes, the most significant first (GL_2_BYTES ...).
GLuint bytesName(const GLubyte* from, int bytes) {
    GLuint name = 0;
    for (int i = 0; i < bytes; ++i) {
        name = (name << 8) | from[i];
    }
    return name;
}

template <typename T>
GLuint readName(const void* lists, GLsizei i) {
    T value{};
    std::memcpy(&value, static_cast<const GLubyte*>(lists) + i * sizeof(T), sizeof(T));
    if constexpr (std::is_floating_point_v<T>) {
        // Whole numbers as the integers they are; what no integer holds names no list.
        const double whole = std::trunc(static_cast<double>(value));
        return whole >= 0.0 && whole < 4294967296.0 ? static_cast<GLuint>(whole)
               : whole < 0.0 && whole >= -2147483648.0
                   ? static_cast<GLuint>(static_cast<GLint>(whole))
                   : 0u;
    } else {
        return static_cast<GLuint>(value);
    }
}

}  // namespace

GLenum listNames(GLsizei n, GLenum type, const void* lists, std::vector<GLuint>& names) {
    if (n < 0) {
        return GL_INVALID_VALUE;
    }
    GLuint (*read)(const void*, GLsizei) = nullptr;
    int bytes = 0;
    switch (type) {
        case GL_BYTE:
            read = readName<GLbyte>;
            break;
        case GL_UNSIGNED_BYTE:
            read = readName<GLubyte>;
            break;
        case GL_SHORT:
            read = readName<GLshort>;
            break;
        case GL_UNSIGNED_SHORT:
            read = readName<GLushort>;
            break;
        case GL_INT:
            read = readName<GLint>;
            break;
        case GL_UNSIGNED_INT:
            read = readName<GLuint>;
            break;
        case GL_FLOAT:
            read = readName<GLfloat>;
            break;
        case GL_2_BYTES:
        case GL_3_BYTES:
        case GL_4_BYTES:
            bytes = static_cast<int>(type - GL_2_BYTES) + 2;
            break;
        default:
            return GL_INVALID_ENUM;
    }
    names.resize(static_cast<std::size_t>(n));
    for (GLsizei i = 0; i < n; ++i) {
        names[static_cast<std::size_t>(i)] =
            read != nullptr ? read(lists, i)
                            : bytesName(static_cast<const GLubyte*>(lists) +
                                            static_cast<std::ptrdiff_t>(i) * bytes,
                                        bytes);
    }
    return GL_NO_ERROR;
}

}  // namespace vgl
