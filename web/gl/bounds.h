#pragma once

#include <limits>

#include "matrix.h"

namespace vgl {

// An axis-aligned box, empty until a point is added.
struct Box {
    float min[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                    std::numeric_limits<float>::max()};
    float max[3] = {-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                    -std::numeric_limits<float>::max()};

    bool empty() const {
        return min[0] > max[0];
    }
    void add(const float* point);
    void add(const Box& box);
    // The longest side.
    float extent() const;
};

// A ball that holds a box; carried by a matrix it stays as tight, where the
// box carried into other axes would grow.
struct Sphere {
    float centre[3];
    float radius;
};
Sphere boundingSphere(const Box& box);
// The ball that holds `sphere` carried by the affine `matrix`.
Sphere carriedSphere(const Sphere& sphere, const Matrix& matrix);

// The box that holds `box` carried by the affine `matrix`.
Box carriedBox(const Box& box, const Matrix& matrix);

// Whether the box lies wholly outside the view volume of `clip` (projection
// x modelview): all eight corners beyond one of its six planes. A box that
// only straddles the volume's edges is kept, so nothing visible is left out.
bool outsideView(const Box& box, const Matrix& clip);

}  // namespace vgl
