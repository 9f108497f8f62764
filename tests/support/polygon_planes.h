#pragma once

#include "support/gl_capture.h"

// Measures of captured polygons that lie in a plane perpendicular to an axis.

// An axis-aligned plane: axis 0, 1 or 2 (x, y or z) held at one coordinate.
struct AxisPlane {
    int axis;
    float at;
};

// Finds the axis along which every vertex of p has the same coordinate (within
// tolerance); false when p is not perpendicular to any axis.
bool axisPlaneOf(const Polygon& p, AxisPlane* plane, float tolerance = 1e-4f);

// Whether p lies in the plane axis = at.
bool liesIn(const Polygon& p, int axis, float at, float tolerance = 1e-4f);

// Area of p measured in the plane perpendicular to axis.
float areaAcross(const Polygon& p, int axis);

// Whether p, projected along axis, covers the point (u, v) of the two other
// axes taken in order (for axis y: u = x, v = z).
bool coversAcross(const Polygon& p, int axis, float u, float v);
