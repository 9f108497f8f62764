#pragma once

#include <cstdint>
#include <vector>

namespace vgl {

// The primitives the layer fills; points and lines are not drawn.
enum class Primitive { Triangles, TriangleStrip, TriangleFan, Quads, QuadStrip, Polygon, None };

// The primitive a glBegin mode names (None for points, lines and unknown modes).
Primitive primitiveFor(unsigned mode);

// Appends the triangles that fill a primitive of `count` vertices numbered
// from `first`, three indices each. Every triangle keeps the winding its
// vertices have in the primitive and lists last the vertex whose colour OpenGL
// 1.1 gives the whole primitive under flat shading (the first vertex of a
// polygon, the last of every other primitive), which is the vertex WebGL 2
// takes a flat value from. Quads are split on the diagonal that ends there.
// With `clockwise` the front faces of the primitive wind clockwise: each
// triangle is listed reversed, so that it is front-facing under the
// counter-clockwise rule, still ending on the same vertex.
void appendTriangles(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                     std::vector<std::uint32_t>& indices);

}  // namespace vgl
