#include "picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace differential {

namespace {

// Corners closer than this in window coordinates (pixels, and depth in [0, 1]) are one.
const double kNear = 1e-3;

double areaOf(const Polygon& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Corner& a = polygon[i];
        const Corner& b = polygon[(i + 1) % polygon.size()];
        twice += a[0] * b[1] - b[0] * a[1];
    }
    return std::fabs(twice) / 2.0;
}

// Its longest side, in pixels.
double longestSide(const Polygon& polygon) {
    double longest = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Corner& a = polygon[i];
        const Corner& b = polygon[(i + 1) % polygon.size()];
        longest = std::max(longest, std::hypot(b[0] - a[0], b[1] - a[1]));
    }
    return longest;
}

double rounded(double value) {
    return std::round(value / kNear) * kNear;
}

std::string text(const Corner& corner) {
    char out[96];
    std::snprintf(out, sizeof out, "(%.3f, %.3f, %.4f)", corner[0], corner[1], corner[2]);
    return out;
}

}  // namespace

Picture pictureOf(const std::vector<Polygon>& polygons) {
    Picture picture;
    for (const Polygon& polygon : polygons) {
        const double area = areaOf(polygon);
        // Points and line segments count by their ends alone. A polygon
        // thinner across than two corners can be apart is seen edge on, and
        // OpenGL may leave it out: a float's rounding can give it an area.
        if (polygon.size() >= 3 && area < kNear * std::max(1.0, longestSide(polygon))) {
            continue;
        }
        picture.area += area;
        for (const Corner& corner : polygon) {
            picture.corners.push_back({rounded(corner[0]), rounded(corner[1]), rounded(corner[2])});
        }
    }
    std::sort(picture.corners.begin(), picture.corners.end());
    picture.corners.erase(std::unique(picture.corners.begin(), picture.corners.end(),
                                      [](const Corner& a, const Corner& b) {
                                          return std::fabs(a[0] - b[0]) <= kNear &&
                                                 std::fabs(a[1] - b[1]) <= kNear &&
                                                 std::fabs(a[2] - b[2]) <= kNear;
                                      }),
                          picture.corners.end());
    return picture;
}

std::string differs(const Picture& layer, const Picture& opengl) {
    if (!layer.comparable || !opengl.comparable) {
        return {};
    }
    const auto missing = [](const Picture& from, const Picture& in) -> std::string {
        for (const Corner& corner : from.corners) {
            const bool found =
                std::any_of(in.corners.begin(), in.corners.end(), [&](const Corner& c) {
                    return std::fabs(c[0] - corner[0]) <= 2 * kNear &&
                           std::fabs(c[1] - corner[1]) <= 2 * kNear &&
                           std::fabs(c[2] - corner[2]) <= 2 * kNear;
                });
            if (!found) {
                return text(corner);
            }
        }
        return {};
    };
    const std::string onlyLayer = missing(layer, opengl);
    if (!onlyLayer.empty()) {
        return "the layer drew a corner at " + onlyLayer + " that OpenGL did not";
    }
    const std::string onlyOpenGL = missing(opengl, layer);
    if (!onlyOpenGL.empty()) {
        return "OpenGL drew a corner at " + onlyOpenGL + " that the layer did not";
    }
    if (std::fabs(layer.area - opengl.area) > 1e-2 * std::max(1.0, opengl.area)) {
        char out[96];
        std::snprintf(out, sizeof out, "the layer covered %.3f square pixels, OpenGL %.3f",
                      layer.area, opengl.area);
        return out;
    }
    return {};
}

}  // namespace differential
