#pragma once

#include <array>
#include <functional>
#include <vector>

#include "support/gl_capture.h"

// A captured polygon with the colour lighting gave its first vertex.
struct ShadedPolygon {
    Polygon vertices;
    std::array<float, 4> colour;
};

// Like capturePolygons, but in GL_3D_COLOR feedback and with the lights
// replaced, for the duration of the draw, by six white directional lights
// along +x, -x, +y, -y, +z and -z that have no ambient or specular part. A face
// whose normal lies along an axis is then lit by exactly one of them at full
// strength, on its front and its back alike, so its colour is the diffuse
// colour of its material: pieces can be told apart by material. The lighting
// and enable state is restored afterwards.
std::vector<ShadedPolygon> captureShadedPolygons(const std::function<void()>& draw,
                                                 float extent = 100.0f);

// Whether a colour matches a material's diffuse colour (red, green, blue).
bool hasDiffuseOf(const ShadedPolygon& polygon, const GLfloat (&diffuse)[4]);
