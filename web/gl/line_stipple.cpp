#include "line_stipple.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace vgl {

namespace {

// A vertex in the window, x and y.
std::array<double, 2> window(const std::array<float, 4>& position, const Matrix& clip,
                             const float (&viewport)[4]) {
    const std::array<float, 4> c = transformVector4(clip, position.data());
    const double w = c[3] != 0.0f ? c[3] : 1.0;
    return {(c[0] / w + 1.0) * viewport[2] / 2.0, (c[1] / w + 1.0) * viewport[3] / 2.0};
}

}  // namespace

std::vector<float> stippleCounts(const Recording& recording, const Matrix& clip,
                                 const float (&viewport)[4], bool smooth) {
    std::vector<float> counts(recording.vertices.size(), 0.0f);
    float count = 0.0f;
    for (const Batch& batch : recording.batches) {
        if (batch.mode != GL_LINES) {
            continue;
        }
        for (std::uint32_t i = batch.firstIndex; i + 1 < batch.firstIndex + batch.indexCount;
             i += 2) {
            const std::uint32_t a = recording.indices[i];
            const std::uint32_t b = recording.indices[i + 1];
            if (recording.edges[i] == 0) {
                count = 0.0f;
            }
            counts[a] = count;
            const auto from = window(recording.position(a), clip, viewport);
            const auto to = window(recording.position(b), clip, viewport);
            // Whole fragments: a segment counts its length rounded up.
            const double dx = std::fabs(to[0] - from[0]);
            const double dy = std::fabs(to[1] - from[1]);
            count += static_cast<float>(std::ceil(smooth ? std::hypot(dx, dy) : std::max(dx, dy)));
        }
    }
    return counts;
}

}  // namespace vgl
