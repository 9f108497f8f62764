#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <vector>

// Test helpers that read OpenGL back from the window the GL test runner opens.

using Vec3 = std::array<float, 3>;
using Polygon = std::vector<Vec3>;

// One vertex as feedback mode reports it: the position in the draw's own
// coordinates, then whatever else the feedback type carries (RGBA colour for
// GL_3D_COLOR; colour and s, t, r, q for GL_3D_COLOR_TEXTURE).
struct FeedbackVertex {
    Vec3 position;
    std::array<float, 8> extra;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

// Runs draw in feedback mode of the given type (GL_3D, GL_3D_COLOR or
// GL_3D_COLOR_TEXTURE) with identity view and an orthographic box of half-size
// extent, and returns every polygon it produced.
std::vector<FeedbackPolygon> captureFeedback(GLenum type, const std::function<void()>& draw,
                                             float extent);

// Runs draw in feedback mode with identity view and an orthographic box of
// half-size extent, and returns every polygon it produced in the coordinates
// the draw issued them in (so after draw's own transforms only). Geometry
// outside [-extent, extent] on any axis is clipped away.
std::vector<Polygon> capturePolygons(const std::function<void()>& draw, float extent = 100.0f);

// The bounding box of a set of polygons.
struct Bounds {
    Vec3 min;
    Vec3 max;
};
Bounds boundsOf(const std::vector<Polygon>& polygons);

// Depth of the modelview matrix stack.
int modelviewDepth();

// Leaves one light on, GL_LIGHT0: white, directional, shining from the direction
// (x, y, z) of the current modelview's coordinates, with no ambient part. The
// caller saves and restores the lighting state around it.
void lightOnlyFrom(float x, float y, float z);

// Reads one RGB pixel of the back buffer, (x, y) from the lower-left corner.
std::array<unsigned char, 3> readPixel(int x, int y);

// Reads a 17-float material of the front face back from OpenGL, in Material's order.
std::array<float, 17> currentMaterial();

// Compiles the room and every scene list once per test run (textures are not
// loaded), so that drawFrame() calls real lists.
void compileSceneOnce();

// Resets the OpenGL state the scene relies on to what start-up leaves (without
// textures or lists): lighting with seven lights, depth test, two-sided lighting,
// normals renormalised, modelview selected and identity, blending off, depth
// writes on.
void resetSceneState();
