#pragma once

#include <GL/gl.h>

// OpenGL's error flag as start-up left it, read by the test runner right after
// it and before anything else could set or clear it.
extern GLenum errorAfterStartUp;
