#include "bounds.h"

#include <algorithm>
#include <cmath>

namespace vgl {

void Box::add(const float* point) {
    for (int i = 0; i < 3; ++i) {
        min[i] = std::min(min[i], point[i]);
        max[i] = std::max(max[i], point[i]);
    }
}

void Box::add(const Box& box) {
    if (!box.empty()) {
        add(box.min);
        add(box.max);
    }
}

float Box::extent() const {
    return empty() ? 0.0f : std::max({max[0] - min[0], max[1] - min[1], max[2] - min[2]});
}

Sphere boundingSphere(const Box& box) {
    Sphere sphere{};
    float radius2 = 0.0f;
    for (int i = 0; i < 3; ++i) {
        sphere.centre[i] = 0.5f * (box.min[i] + box.max[i]);
        const float half = 0.5f * (box.max[i] - box.min[i]);
        radius2 += half * half;
    }
    sphere.radius = std::sqrt(radius2);
    return sphere;
}

Sphere carriedSphere(const Sphere& sphere, const Matrix& matrix) {
    Sphere out{};
    const auto centre = transformPoint(matrix, sphere.centre);
    std::copy(centre.begin(), centre.end(), out.centre);
    // Stretched by the longest of the matrix's axes.
    float longest2 = 0.0f;
    for (int col = 0; col < 3; ++col) {
        float length2 = 0.0f;
        for (int row = 0; row < 3; ++row) {
            length2 += matrix.at(row, col) * matrix.at(row, col);
        }
        longest2 = std::max(longest2, length2);
    }
    out.radius = sphere.radius * std::sqrt(longest2);
    return out;
}

Box carriedBox(const Box& box, const Matrix& matrix) {
    if (box.empty()) {
        return box;
    }
    // The centre is carried as a point; each half-side spreads over the
    // axes as far as the matrix's columns reach.
    Box out;
    for (int row = 0; row < 3; ++row) {
        float centre = matrix.at(row, 3);
        float half = 0.0f;
        for (int col = 0; col < 3; ++col) {
            centre += matrix.at(row, col) * 0.5f * (box.min[col] + box.max[col]);
            half += std::fabs(matrix.at(row, col)) * 0.5f * (box.max[col] - box.min[col]);
        }
        out.min[row] = centre - half;
        out.max[row] = centre + half;
    }
    return out;
}

bool outsideView(const Box& box, const Matrix& clip) {
    if (box.empty()) {
        return true;
    }
    // Bit 2p: beyond the plane where clip coordinate p exceeds w; bit 2p+1:
    // below -w. Outside when every corner lies beyond one same plane.
    unsigned common = 0x3f;
    for (int corner = 0; corner < 8 && common != 0; ++corner) {
        const float p[3] = {(corner & 1) != 0 ? box.max[0] : box.min[0],
                            (corner & 2) != 0 ? box.max[1] : box.min[1],
                            (corner & 4) != 0 ? box.max[2] : box.min[2]};
        float c[4];
        for (int row = 0; row < 4; ++row) {
            c[row] = clip.at(row, 0) * p[0] + clip.at(row, 1) * p[1] + clip.at(row, 2) * p[2] +
                     clip.at(row, 3);
        }
        unsigned outcode = 0;
        for (int axis = 0; axis < 3; ++axis) {
            outcode |= (c[axis] > c[3] ? 1u : 0u) << (2 * axis);
            outcode |= (c[axis] < -c[3] ? 1u : 0u) << (2 * axis + 1);
        }
        common &= outcode;
    }
    return common != 0;
}

}  // namespace vgl
