#pragma once

// What a sequence drew, as both sides can tell without rasterising: the
// corners of its polygons, the ends of its lines and its points, in window
// coordinates.

#include <array>
#include <string>
#include <vector>

namespace differential {

using Corner = std::array<double, 3>;
using Polygon = std::vector<Corner>;  // one corner for a point, two for a line

// The polygons drawn, told apart from how each side cuts them into
// triangles: the corners of every polygon with an area, once each, and the
// area they cover together.
struct Picture {
    bool comparable = true;
    std::string why;  // when not comparable
    std::vector<Corner> corners;
    double area = 0.0;
};

Picture pictureOf(const std::vector<Polygon>& polygons);
// The first way two pictures differ; empty when they agree.
std::string differs(const Picture& layer, const Picture& opengl);

}  // namespace differential
