#pragma once

// Vertex arrays as the program describes them: client state, read when a
// command draws from them (or is compiled into a display list).

#include <GL/gl.h>

namespace vgl {

struct ClientArray {
    bool enabled = false;
    GLint size = 4;  // components per element
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;  // bytes between elements; 0 for packed
    const void* pointer = nullptr;
};

// The arrays glEnableClientState names, with OpenGL's initial sizes.
struct ClientArrays {
    ClientArray vertex;
    ClientArray normal{false, 3, GL_FLOAT, 0, nullptr};
    ClientArray color;
    ClientArray texCoord;
    // Colour indices: described and enabled, never drawn, as there are no
    // colour-index windows.
    ClientArray index{false, 1, GL_FLOAT, 0, nullptr};
    ClientArray edgeFlag{false, 1, GL_UNSIGNED_BYTE, 0, nullptr};  // GLboolean flags

    // The array `name` (GL_VERTEX_ARRAY ...) has, or null; edge flags'
    // enable through `flag`.
    ClientArray* array(GLenum name);
    bool* flag(GLenum name);
};

// The bytes a component of `type` takes; 0 for a type no array takes.
int componentBytes(GLenum type);

// Element `index` of an array, its components as floats: colours and
// normals given as integers normalised as OpenGL normalises them, the rest
// taken as numbers. Reads size components into out.
void readElement(const ClientArray& array, GLint index, bool normalise, float* out);

}  // namespace vgl
