#pragma once

#include <cstdint>
#include <vector>

namespace vgl {

// The ten primitives of glBegin, in the order of their modes.
enum class Primitive {
    Points,
    Lines,
    LineLoop,
    LineStrip,
    Triangles,
    TriangleStrip,
    TriangleFan,
    Quads,
    QuadStrip,
    Polygon,
    None
};

// The primitive a glBegin mode names (None for an unknown mode).
Primitive primitiveFor(unsigned mode);

// What a primitive is drawn as: GL_POINTS, GL_LINES or GL_TRIANGLES; and the
// indices each of those takes.
unsigned drawnAs(Primitive primitive);
std::uint32_t indicesPer(unsigned drawn);

// The pixels across of an aliased point or line of this size or width, as
// OpenGL 1.1 draws it: rounded, at least one; and whether lines that wide
// are made of triangles, WebGL 2 drawing lines one pixel wide.
float rasterSize(float size);
bool wideLines(float width);

// Which edges of the triangles appended are drawn where polygons are drawn
// as lines or points: `shown` gets one entry per index appended, with bit 0
// (kEdgeShown) where the edge from that corner to the next of its triangle
// is drawn, and bit 1 (kStippleRestarts) on the first corner of a triangle
// at which the line stipple starts again (every separate triangle, each
// quad's first, a strip's, fan's or polygon's first alone), as Mesa has it. That is a
// boundary edge of the primitive (every edge of a strip's or fan's
// triangles; not a quad's or polygon's diagonals) whose first vertex, in the
// primitive's order, has its edge flag set in `flags` (one per vertex of
// the primitive; null for all set). Flags apply to separate triangles,
// quads and polygons alone. A segment's two entries are 1 where it goes on
// from the one before in a strip or loop (so does its stipple); points get 0.
constexpr std::uint8_t kEdgeShown = 1;
constexpr std::uint8_t kStippleRestarts = 2;

struct TriangleEdges {
    std::vector<std::uint8_t>* shown = nullptr;
    const std::uint8_t* flags = nullptr;
};

// Appends the indices that draw a primitive of `count` vertices numbered from
// `first`: single points, the two ends of each line segment, or the
// triangles below. A segment lists last the vertex whose colour OpenGL 1.1
// gives it under flat shading, as WebGL 2 takes it: its second end, and
// for the segment that closes a loop, the first vertex.
void appendElements(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                    std::vector<std::uint32_t>& indices, bool smooth = false,
                    const TriangleEdges& edges = {});

// Appends the triangles that fill a primitive of `count` vertices numbered
// from `first`, three indices each. Every triangle keeps the winding its
// vertices have in the primitive and lists last the vertex whose colour OpenGL
// 1.1 gives the whole primitive under flat shading (the first vertex of a
// polygon, the last of every other primitive), which is the vertex WebGL 2
// takes a flat value from. Quads are split on the diagonal that ends there,
// unless they are known to be `smooth`: then on the diagonal from their first
// vertex, as Mesa splits them, which blends their corners' colours alike.
// With `clockwise` the front faces of the primitive wind clockwise: each
// triangle is listed reversed, so that it is front-facing under the
// counter-clockwise rule, still ending on the same vertex.
void appendTriangles(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                     std::vector<std::uint32_t>& indices, bool smooth = false,
                     const TriangleEdges& edges = {});

}  // namespace vgl
