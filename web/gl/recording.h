#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "material_table.h"
#include "matrix.h"
#include "surface.h"
#include "triangles.h"

namespace vgl {

// Vertex flags: how a vertex is shaded and whether it is textured, either
// fixed when recorded or taken from the state in force when drawn.
constexpr std::uint32_t kFlat = 1;
constexpr std::uint32_t kShadeFromState = 2;
constexpr std::uint32_t kTextured = 4;
constexpr std::uint32_t kTextureFromState = 8;
// The flags' bits. Above them, the vertices of a polygon drawn as points or
// lines carry its depth offset (clip-space z per unit of w) as a float's
// bits, the last four cleared, for a program keyed kKeyDepthOffset.
constexpr std::uint32_t kFlagBits = 15;

// One vertex as the shaders read it (44 bytes; the layout is the renderer's).
struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
    std::uint8_t color[4];
    std::uint16_t material[2];  // front, back: MaterialTable numbers or kCurrentMaterial
    std::uint32_t flags;
};
static_assert(sizeof(Vertex) == 44, "the renderer reads 44-byte vertices");

// What a vertex has beyond x, y, z, s and t: its w and its texture
// coordinates' r and q. A recording keeps them, one per vertex, only where
// some vertex has w other than 1, r other than 0 or q other than 1; the
// renderer reads them from a buffer of their own, for batches marked
// homogeneous, so that other vertices stay as they are.
struct HomogeneousPart {
    float w = 1.0f;
    float r = 0.0f;
    float q = 1.0f;
};
static_assert(sizeof(HomogeneousPart) == 12, "the renderer reads 12-byte homogeneous parts");

// A run of points, line segments or triangles drawn with one WebGL draw call:
// the state that cannot travel with the vertices is the same for all of them.
struct Batch {
    std::uint32_t firstIndex = 0;
    std::uint32_t indexCount = 0;
    bool textured = false;       // some vertices may be textured
    Setting<GLuint> texture{0};  // the texture those vertices show
    Setting<bool> depthMask{true};
    bool windingKnown = true;  // false: glFrontFace where drawn decides
    bool offset = false;       // its vertices carry a depth offset (kFlagBits)
    bool homogeneous = false;  // its vertices have parts (Recording::homogeneous)
    // GL_POINTS, GL_LINES or GL_TRIANGLES. Each line segment has two vertices
    // of its own, one after the other: a batch's segments run over
    // consecutive vertices from its first index's.
    unsigned mode = GL_TRIANGLES;
};

// Points, lines and triangles with their vertices and batches: a display list's, or the
// immediate-mode geometry waiting to be drawn.
struct Recording {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<Batch> batches;
    // Per index: for a triangle's corner, 1 where its edge to the next
    // corner is drawn when polygons are drawn as lines or points; for a
    // segment's ends, 1 where it goes on from the segment before
    // (TriangleEdges in triangles.h).
    std::vector<std::uint8_t> edges;
    // Per vertex, or empty where no batch is homogeneous.
    std::vector<HomogeneousPart> homogeneous;

    bool empty() const {
        return batches.empty();
    }
    void clear();
    // Vertex i's x, y, z and w.
    std::array<float, 4> position(std::uint32_t i) const;
    // The homogeneous parts as the renderer takes them: null for none.
    const HomogeneousPart* parts() const {
        return homogeneous.empty() ? nullptr : homogeneous.data();
    }
};

// A vertex as glVertex gives it, with the attributes current then.
struct SourceVertex {
    float position[4];
    float normal[3];
    float texCoord[4];
    float color[4];
    bool edge;  // the edge flag
};

// The materials of a primitive's vertices from vertex `from` on, where
// glMaterial comes between them; the first span starts at vertex 0.
struct MaterialSpan {
    std::size_t from = 0;
    FaceMaterial material[2];
    std::uint8_t parts[2] = {0, 0};  // the parts known, as a surface has them
};

// Adds a primitive drawn with `surface` in a frame that `matrix` carries into
// the recording's frame (eye space for immediate mode, the list's own frame in
// a display list). Materials are numbered in `table`.
// Its vertices take the surface's materials, or those of `spans` where there
// are any.
void recordPrimitive(Recording& recording, Primitive primitive,
                     const std::vector<SourceVertex>& source, const Surface& surface,
                     const Matrix& matrix, MaterialTable& table,
                     const std::vector<MaterialSpan>& spans = {});

// Adds a recorded display list, called in a list being compiled: its
// geometry carried by `matrix`, and what it left to the caller's state taken
// from `surface`, the state in force in the compiling list.
void recordCall(Recording& recording, const Recording& called, const Surface& surface,
                const Matrix& matrix, MaterialTable& table);

}  // namespace vgl
