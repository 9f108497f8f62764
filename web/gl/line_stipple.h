#pragma once

#include <vector>

#include "matrix.h"
#include "recording.h"

namespace vgl {

// Where the line stipple stands at the start of each segment of the
// recording's lines drawn through `clip` (the recording's frame to clip
// space) into `viewport` (x, y, width, height): one value per vertex, the
// count of fragments before the segment along its primitive, read at its
// first vertex. The count starts again at each primitive (each segment of
// GL_LINES) and grows by each segment's length along its major axis in the
// window, rounded up to whole fragments, as Mesa counts it; a smooth line's
// by its length itself, rounded up.
std::vector<float> stippleCounts(const Recording& recording, const Matrix& clip,
                                 const float (&viewport)[4], bool smooth = false);

}  // namespace vgl
