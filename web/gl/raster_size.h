#pragma once

namespace vgl {

// The sizes points and lines are drawn at, as Mesa's llvmpipe draws them.
// A size set beyond the largest is kept as set (glGet answers it) and drawn
// at the largest.
constexpr float kLargestRasterSize = 255.0f;
// What glGet answers for GL_POINT_SIZE_RANGE and GL_LINE_WIDTH_RANGE, and
// for their granularity: the sizes smooth points and lines are drawn at.
constexpr float kRasterSizeRange[2] = {1.0f, kLargestRasterSize};
constexpr float kRasterSizeGranularity = 0.1f;

// The size the renderer draws a point at: an aliased point's pixels across,
// a smooth point's diameter (never under 2: a smooth point reaches a pixel
// from its centre at least).
float drawnPointSize(float size, bool smooth);
// The width the renderer draws a line at: an aliased line's pixels across,
// a smooth line's width (at least 1), which its coverage fades out across
// half a pixel either side of.
float drawnLineWidth(float width, bool smooth);

}  // namespace vgl
