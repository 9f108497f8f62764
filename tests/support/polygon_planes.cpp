#include "support/polygon_planes.h"

#include <cmath>

namespace {
// The two axes other than axis, in increasing order.
void otherAxes(int axis, int* u, int* v) {
    *u = axis == 0 ? 1 : 0;
    *v = axis == 2 ? 1 : 2;
}
}  // namespace

bool liesIn(const Polygon& p, int axis, float at, float tolerance) {
    for (const Vec3& vertex : p) {
        if (std::fabs(vertex[axis] - at) > tolerance) {
            return false;
        }
    }
    return !p.empty();
}

bool axisPlaneOf(const Polygon& p, AxisPlane* plane, float tolerance) {
    for (int axis = 0; axis < 3 && !p.empty(); ++axis) {
        if (liesIn(p, axis, p[0][axis], tolerance)) {
            *plane = AxisPlane{axis, p[0][axis]};
            return true;
        }
    }
    return false;
}

float areaAcross(const Polygon& p, int axis) {
    int u = 0, v = 0;
    otherAxes(axis, &u, &v);
    float twice = 0.0f;
    for (size_t k = 0; k < p.size(); ++k) {
        const Vec3& a = p[k];
        const Vec3& b = p[(k + 1) % p.size()];
        twice += a[u] * b[v] - b[u] * a[v];
    }
    return std::fabs(twice) / 2.0f;
}

bool coversAcross(const Polygon& p, int axis, float pu, float pv) {
    int u = 0, v = 0;
    otherAxes(axis, &u, &v);
    // Even-odd rule: count the edges crossed by a ray from the point toward +u.
    bool inside = false;
    for (size_t k = 0, j = p.size() - 1; k < p.size(); j = k++) {
        const Vec3& a = p[k];
        const Vec3& b = p[j];
        if ((a[v] > pv) != (b[v] > pv)) {
            const float crossing = a[u] + (pv - a[v]) * (b[u] - a[u]) / (b[v] - a[v]);
            if (pu < crossing) {
                inside = !inside;
            }
        }
    }
    return inside;
}
