#pragma once

#include <functional>
#include <vector>

#include "support/gl_capture.h"

// A polygon vertex with the texture coordinates OpenGL assigned to it.
struct TexturedVertex {
    Vec3 position;
    float s;
    float t;
};
using TexturedPolygon = std::vector<TexturedVertex>;

// Like capturePolygons, but also reports each vertex's texture coordinates
// (s, t), whether or not texturing is enabled while draw runs.
std::vector<TexturedPolygon> captureTexturedPolygons(const std::function<void()>& draw,
                                                     float extent = 100.0f);
