#pragma once

#include <GL/gl.h>

// OpenGL's error flag as initScene left it, read by the test runner right after
// the start-up and before anything else could set or clear it.
extern GLenum errorAfterStartUp;
