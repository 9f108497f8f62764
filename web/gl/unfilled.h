#pragma once

#include <GL/gl.h>

#include "matrix.h"
#include "recording.h"

namespace vgl {

// What decides how a recording's triangles are drawn when a face is drawn
// as points or lines: the state in force where it is drawn.
struct PolygonRaster {
    Matrix clip;          // the recording's frame to clip space
    float viewport[4];    // x, y, width, height
    float depthRange[2];  // near, far
    GLenum mode[2];       // front, back: GL_POINT, GL_LINE or GL_FILL
    GLenum culled;        // GL_FRONT, GL_BACK, GL_FRONT_AND_BACK, or 0
    bool clockwise;       // front faces wind clockwise, where triangles leave it open
    bool flat;            // flat shading, for vertices that take it from the state
    float offsetFactor;   // glPolygonOffset, for the modes it applies to
    float offsetUnits;
    bool offsetLine;
    bool offsetPoint;
};

// Whether either face is drawn as points or lines.
bool unfilled(const GLenum (&mode)[2]);

// The recording as drawn under `raster`: each triangle is culled, filled,
// or replaced by its shown edges (GL_LINE) or the corners they start from
// (GL_POINT) by the face it shows in the window. Edges and corners take
// the colour of their triangle under flat shading, and its depth offset
// where one applies; they are drawn edge from the last corner first, as Mesa
// draws them. Points and lines pass unchanged.
Recording unfilledDrawing(const Recording& recording, const PolygonRaster& raster);

}  // namespace vgl
