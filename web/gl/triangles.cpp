#include "triangles.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace vgl {

static_assert(GL_POINTS == 0 && GL_LINES == 1 && GL_LINE_LOOP == 2 && GL_LINE_STRIP == 3 &&
                  GL_TRIANGLES == 4 && GL_POLYGON == 9,
              "glBegin's modes number the primitives in order");

Primitive primitiveFor(unsigned mode) {
    return mode <= GL_POLYGON ? static_cast<Primitive>(mode) : Primitive::None;
}

unsigned drawnAs(Primitive primitive) {
    switch (primitive) {
        case Primitive::Points:
            return GL_POINTS;
        case Primitive::Lines:
        case Primitive::LineLoop:
        case Primitive::LineStrip:
            return GL_LINES;
        default:
            return GL_TRIANGLES;
    }
}

std::uint32_t indicesPer(unsigned drawn) {
    return drawn == GL_POINTS ? 1 : drawn == GL_LINES ? 2 : 3;
}

float rasterSize(float size) {
    return std::max(1.0f, std::round(size));
}

bool wideLines(float width) {
    return rasterSize(width) > 1.0f;
}

void appendElements(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                    std::vector<std::uint32_t>& indices, bool smooth, const TriangleEdges& edges) {
    const auto segment = [&](std::uint32_t a, std::uint32_t b) {
        indices.push_back(first + a);
        indices.push_back(first + b);
        if (edges.shown != nullptr) {
            const std::uint8_t goesOn = primitive != Primitive::Lines && a != 0 ? 1 : 0;
            edges.shown->insert(edges.shown->end(), 2, goesOn);
        }
    };
    switch (primitive) {
        case Primitive::Points:
            for (std::uint32_t i = 0; i < count; ++i) {
                indices.push_back(first + i);
            }
            break;
        case Primitive::Lines:
            for (std::uint32_t i = 0; i + 2 <= count; i += 2) {
                segment(i, i + 1);
            }
            break;
        case Primitive::LineStrip:
        case Primitive::LineLoop:
            for (std::uint32_t i = 0; i + 2 <= count; ++i) {
                segment(i, i + 1);
            }
            if (primitive == Primitive::LineLoop && count >= 2) {
                segment(count - 1, 0);
            }
            break;
        default:
            appendTriangles(primitive, first, count, clockwise, indices, smooth, edges);
            return;
    }
    if (primitive == Primitive::Points && edges.shown != nullptr) {
        edges.shown->insert(edges.shown->end(), count, 0);
    }
}

void appendTriangles(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                     std::vector<std::uint32_t>& indices, bool smooth, const TriangleEdges& edges) {
    const bool flagged = edges.flags != nullptr &&
                         (primitive == Primitive::Triangles || primitive == Primitive::Quads ||
                          primitive == Primitive::Polygon);
    // Whether edge from -> to, in the primitive's order, is drawn, given
    // whether it is a boundary edge.
    const auto shown = [&](bool boundary, std::uint32_t from) -> std::uint8_t {
        return boundary && (!flagged || edges.flags[from] != 0) ? 1 : 0;
    };
    // a, b, c in the primitive's winding, c the flat-shading vertex; ab, bc
    // and ca say which of its edges are boundary edges.
    std::uint32_t triangles = 0;
    const auto triangle = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c, bool ab = true,
                              bool bc = true, bool ca = true) {
        ++triangles;
        const bool restarts =
            triangles == 1 || primitive == Primitive::Triangles ||
            ((primitive == Primitive::Quads || primitive == Primitive::QuadStrip) &&
             triangles % 2 == 1);
        indices.push_back(first + (clockwise ? b : a));
        indices.push_back(first + (clockwise ? a : b));
        indices.push_back(first + c);
        if (edges.shown != nullptr) {
            // Listed b, a, c the corners' edges are b -> a, a -> c and c -> b.
            const std::uint8_t e[3] = {shown(ab, a), shown(bc, b), shown(ca, c)};
            edges.shown->push_back(
                static_cast<std::uint8_t>(e[0] | (restarts ? kStippleRestarts : 0)));
            edges.shown->push_back(clockwise ? e[2] : e[1]);
            edges.shown->push_back(clockwise ? e[1] : e[2]);
        }
    };
    switch (primitive) {
        case Primitive::Triangles:
            for (std::uint32_t i = 0; i + 3 <= count; i += 3) {
                triangle(i, i + 1, i + 2);
            }
            break;
        case Primitive::TriangleStrip:
            // Every other triangle of a strip runs the other way round.
            for (std::uint32_t i = 0; i + 3 <= count; ++i) {
                if (i % 2 == 0) {
                    triangle(i, i + 1, i + 2);
                } else {
                    triangle(i + 1, i, i + 2);
                }
            }
            break;
        case Primitive::TriangleFan:
            for (std::uint32_t i = 1; i + 2 <= count; ++i) {
                triangle(0, i, i + 1);
            }
            break;
        case Primitive::Quads:
            // Quad a b c d, flat-shaded from d.
            for (std::uint32_t i = 0; i + 4 <= count; i += 4) {
                if (smooth) {
                    triangle(i, i + 1, i + 2, true, true, false);
                    triangle(i, i + 2, i + 3, false, true, true);
                } else {
                    triangle(i, i + 1, i + 3, true, false, true);
                    triangle(i + 1, i + 2, i + 3, true, true, false);
                }
            }
            break;
        case Primitive::QuadStrip:
            // Quad i: vertices 2i, 2i+1, 2i+3, 2i+2 in order round it,
            // flat-shaded from 2i+3.
            for (std::uint32_t i = 0; i + 4 <= count; i += 2) {
                triangle(i + 2, i, i + 3, true, false, true);
                triangle(i, i + 1, i + 3, true, true, false);
            }
            break;
        case Primitive::Polygon:
            // A fan about vertex 0, which flat shading takes the colour from.
            for (std::uint32_t i = 1; i + 2 <= count; ++i) {
                triangle(i, i + 1, 0, true, i + 2 == count, i == 1);
            }
            break;
        default:
            break;
    }
}

}  // namespace vgl
