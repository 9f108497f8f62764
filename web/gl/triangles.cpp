#include "triangles.h"

#include <GL/gl.h>

namespace vgl {

Primitive primitiveFor(unsigned mode) {
    switch (mode) {
        case GL_TRIANGLES:
            return Primitive::Triangles;
        case GL_TRIANGLE_STRIP:
            return Primitive::TriangleStrip;
        case GL_TRIANGLE_FAN:
            return Primitive::TriangleFan;
        case GL_QUADS:
            return Primitive::Quads;
        case GL_QUAD_STRIP:
            return Primitive::QuadStrip;
        case GL_POLYGON:
            return Primitive::Polygon;
        default:
            return Primitive::None;
    }
}

void appendTriangles(Primitive primitive, std::uint32_t first, std::uint32_t count, bool clockwise,
                     std::vector<std::uint32_t>& indices) {
    // a, b, c in the primitive's winding, c the flat-shading vertex.
    const auto triangle = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        indices.push_back(first + (clockwise ? b : a));
        indices.push_back(first + (clockwise ? a : b));
        indices.push_back(first + c);
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
                triangle(i, i + 1, i + 3);
                triangle(i + 1, i + 2, i + 3);
            }
            break;
        case Primitive::QuadStrip:
            // Quad i: vertices 2i, 2i+1, 2i+3, 2i+2 in order round it,
            // flat-shaded from 2i+3.
            for (std::uint32_t i = 0; i + 4 <= count; i += 2) {
                triangle(i + 2, i, i + 3);
                triangle(i, i + 1, i + 3);
            }
            break;
        case Primitive::Polygon:
            // A fan about vertex 0, which flat shading takes the colour from.
            for (std::uint32_t i = 1; i + 2 <= count; ++i) {
                triangle(i, i + 1, 0);
            }
            break;
        case Primitive::None:
            break;
    }
}

}  // namespace vgl
