#pragma once

#include <GL/gl.h>

#include <map>
#include <vector>

#include "chunks.h"
#include "matrix.h"
#include "recording.h"
#include "surface.h"

namespace vgl {

// A compiled display list: its geometry in its own frame, uploaded once, and
// what it leaves behind in the state where it is called.
struct DisplayList {
    Recording recording;
    std::vector<Chunk> chunks;  // the recording's, culled and lit apart
    Surface end;
    Matrix matrix = Matrix::identity();  // multiplied onto the modelview matrix
    int mesh = 0;                        // the renderer's, 0 while there is none
};

// The display lists by name, and which names are taken.
class ListStore {
   public:
    // Takes `range` unused names for empty lists; the first of them.
    GLuint generate(GLsizei range);
    // The list named `name`, made empty where there is none.
    DisplayList& at(GLuint name);
    // The list named `name`; null where there is none.
    const DisplayList* find(GLuint name) const;
    // Deletes the lists first ... first + range - 1, with their meshes.
    void remove(GLuint first, GLsizei range);
    // The renderer has a new, empty context: every list with a mesh gets a
    // new one, uploaded from its recording.
    void uploadAgain();

   private:
    std::map<GLuint, DisplayList> lists_;
    GLuint next_ = 1;
};

}  // namespace vgl
