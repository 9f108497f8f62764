// The layer's C entry for the platform's window.
#include "window.h"

#include "backend.h"
#include "context.h"

int vglCreateWindow(int width, int height, int stencil) {
    if (vglCreateContext(width, height, stencil) == 0) {
        return 0;
    }
    vgl::context().windowCreated(width, height);
    return 1;
}
