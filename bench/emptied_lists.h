#pragma once

#include <GL/gl.h>

// While one of these lives, every scene display-list handle names one empty
// list, so a frame draws everything but the lists' contents. The handles are
// restored when it goes out of scope.
class EmptiedLists {
   public:
    EmptiedLists();
    ~EmptiedLists();
    EmptiedLists(const EmptiedLists&) = delete;
    EmptiedLists& operator=(const EmptiedLists&) = delete;

   private:
    static const int kHandles = 20;
    GLuint emptyList_;
    GLuint saved_[kHandles];
};
