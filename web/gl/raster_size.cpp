#include "raster_size.h"

#include <algorithm>

#include "triangles.h"

namespace vgl {

float drawnPointSize(float size, bool smooth) {
    const float clamped = std::min(size, kLargestRasterSize);
    return smooth ? std::max(2.0f, clamped) : rasterSize(clamped);
}

float drawnLineWidth(float width, bool smooth) {
    const float clamped = std::min(width, kLargestRasterSize);
    return smooth ? std::max(kRasterSizeRange[0], clamped) : rasterSize(clamped);
}

}  // namespace vgl
