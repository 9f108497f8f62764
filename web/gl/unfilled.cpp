#include "unfilled.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace vgl {

namespace {

// The depth buffer's smallest step, by which glPolygonOffset's units count.
constexpr double kDepthStep = 1.0 / 16777215.0;

// A triangle's corners in clip space.
using Corners = std::array<std::array<float, 4>, 3>;

// Its area's sign in the window: that of the determinant of the corners'
// (x, y, w), which is also the sign of the part in front of the eye when a
// corner lies behind it.
double facingArea(const Corners& c) {
    const auto det = [&](int i, int j, int k) {
        return static_cast<double>(c[i][0]) *
               (static_cast<double>(c[j][1]) * c[k][3] - static_cast<double>(c[j][3]) * c[k][1]);
    };
    return det(0, 1, 2) - det(1, 0, 2) + det(2, 0, 1);
}

// glPolygonOffset's offset for a triangle, in clip-space z per unit w: its
// window depth's largest slope times the factor, plus the units.
float depthOffset(const Corners& c, const PolygonRaster& raster) {
    const double range = static_cast<double>(raster.depthRange[1]) - raster.depthRange[0];
    if (range == 0.0) {
        return 0.0f;
    }
    double slope = 0.0;
    if (std::all_of(c.begin(), c.end(), [](const auto& p) { return p[3] > 0.0f; })) {
        std::array<std::array<double, 3>, 3> w{};
        for (int i = 0; i < 3; ++i) {
            w[i] = {(c[i][0] / c[i][3] + 1.0) * raster.viewport[2] / 2.0,
                    (c[i][1] / c[i][3] + 1.0) * raster.viewport[3] / 2.0,
                    (c[i][2] / c[i][3] + 1.0) * range / 2.0};
        }
        const double ex = w[0][0] - w[2][0], ey = w[0][1] - w[2][1], ez = w[0][2] - w[2][2];
        const double fx = w[1][0] - w[2][0], fy = w[1][1] - w[2][1], fz = w[1][2] - w[2][2];
        const double det = ex * fy - ey * fx;
        if (det != 0.0) {
            slope = std::max(std::fabs((ey * fz - ez * fy) / det),
                             std::fabs((ez * fx - ex * fz) / det));
        }
    }
    const double window = raster.offsetFactor * slope + raster.offsetUnits * kDepthStep;
    return static_cast<float>(2.0 * window / range);
}

// The offset in a vertex's flags' upper bits.
std::uint32_t offsetBits(float offset) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &offset, sizeof bits);
    return bits & ~kFlagBits;
}

bool flatShaded(const Vertex& vertex, const PolygonRaster& raster) {
    return (vertex.flags & kShadeFromState) != 0 ? raster.flat : (vertex.flags & kFlat) != 0;
}

// The triangles of one batch, drawn as `raster` says into `out`.
class BatchDrawing {
   public:
    BatchDrawing(const Recording& in, const Batch& batch, const PolygonRaster& raster,
                 Recording& out)
        : in_(in), batch_(batch), raster_(raster), out_(out) {}

    void draw() {
        for (std::uint32_t i = batch_.firstIndex; i + 3 <= batch_.firstIndex + batch_.indexCount;
             i += 3) {
            triangle(i);
        }
        close(fill_, GL_TRIANGLES, false);
        close(lines_, GL_LINES, lineOffset_);
        close(points_, GL_POINTS, pointOffset_);
    }

   private:
    void triangle(std::uint32_t first) {
        Corners corners;
        for (int k = 0; k < 3; ++k) {
            corners[k] = transformVector4(raster_.clip, clipInput(first + k).data());
        }
        // Triangles of a known winding are recorded counterclockwise. One with
        // no area in the window winds clockwise, as Mesa takes it: it faces
        // the front where glFrontFace makes that clockwise.
        const bool clockwise = !batch_.windingKnown && raster_.clockwise;
        const bool flat = raster_.viewport[2] == 0.0f || raster_.viewport[3] == 0.0f;
        const double area = flat ? 0.0 : facingArea(corners);
        const bool front = area == 0.0 ? raster_.clockwise : clockwise ? area < 0.0 : area > 0.0;
        const GLenum face = front ? GL_FRONT : GL_BACK;
        if (raster_.culled == face || raster_.culled == GL_FRONT_AND_BACK) {
            return;
        }
        const GLenum mode = raster_.mode[front ? 0 : 1];
        if (mode == GL_FILL) {
            for (int k = 0; k < 3; ++k) {
                fill_.push_back(in_.indices[first + k]);
                fillEdges_.push_back(in_.edges[first + k]);
            }
            return;
        }
        const bool offsetOn = mode == GL_LINE ? raster_.offsetLine : raster_.offsetPoint;
        const std::uint32_t offset = offsetOn ? offsetBits(depthOffset(corners, raster_)) : 0;
        (mode == GL_LINE ? lineOffset_ : pointOffset_) |= offsetOn;
        const Vertex& provoking = in_.vertices[in_.indices[first + 2]];
        const auto corner = [&](int k) {
            Vertex v = in_.vertices[in_.indices[first + k]];
            if (flatShaded(v, raster_)) {
                std::copy_n(provoking.normal, 3, v.normal);
                std::copy_n(provoking.color, 4, v.color);
                std::copy_n(provoking.material, 2, v.material);
            }
            v.flags = (v.flags & kFlagBits) | offset;
            return v;
        };
        const auto shown = [&](int k) { return (in_.edges[first + k] & kEdgeShown) != 0; };
        if (mode == GL_LINE) {
            std::uint8_t goesOn = (in_.edges[first] & kStippleRestarts) != 0 ? 0 : 1;
            for (const int k : {2, 0, 1}) {
                if (shown(k)) {
                    append(lines_, corner(k), first + k);
                    append(lines_, corner((k + 1) % 3), first + (k + 1) % 3);
                    linesGoOn_.insert(linesGoOn_.end(), 2, goesOn);
                    goesOn = 1;
                }
            }
        } else {
            for (int k = 0; k < 3; ++k) {
                if (shown(k)) {
                    append(points_, corner(k), first + k);
                    pointEdges_.push_back(0);
                }
            }
        }
    }

    std::array<float, 4> clipInput(std::uint32_t index) const {
        return in_.position(in_.indices[index]);
    }

    // A corner, with the homogeneous part of the vertex at index `from`.
    void append(std::vector<std::uint32_t>& indices, const Vertex& vertex, std::uint32_t from) {
        indices.push_back(static_cast<std::uint32_t>(out_.vertices.size()));
        out_.vertices.push_back(vertex);
        if (!in_.homogeneous.empty()) {
            out_.homogeneous.push_back(in_.homogeneous[in_.indices[from]]);
        }
    }

    void close(std::vector<std::uint32_t>& indices, unsigned mode, bool offset) {
        if (indices.empty()) {
            return;
        }
        Batch piece = batch_;
        piece.mode = mode;
        piece.offset = offset;
        piece.firstIndex = static_cast<std::uint32_t>(out_.indices.size());
        piece.indexCount = static_cast<std::uint32_t>(indices.size());
        out_.indices.insert(out_.indices.end(), indices.begin(), indices.end());
        const std::vector<std::uint8_t>& edges = mode == GL_TRIANGLES ? fillEdges_
                                                 : mode == GL_LINES   ? linesGoOn_
                                                                      : pointEdges_;
        out_.edges.insert(out_.edges.end(), edges.begin(), edges.end());
        out_.batches.push_back(piece);
    }

    const Recording& in_;
    const Batch& batch_;
    const PolygonRaster& raster_;
    Recording& out_;
    std::vector<std::uint32_t> fill_;
    std::vector<std::uint8_t> fillEdges_;
    std::vector<std::uint8_t> linesGoOn_;
    std::vector<std::uint8_t> pointEdges_;
    std::vector<std::uint32_t> lines_;
    std::vector<std::uint32_t> points_;
    bool lineOffset_ = false;
    bool pointOffset_ = false;
};

}  // namespace

bool unfilled(const GLenum (&mode)[2]) {
    return mode[0] != GL_FILL || mode[1] != GL_FILL;
}

Recording unfilledDrawing(const Recording& recording, const PolygonRaster& raster) {
    Recording out;
    out.vertices = recording.vertices;
    out.homogeneous = recording.homogeneous;
    for (const Batch& batch : recording.batches) {
        if (batch.mode == GL_TRIANGLES) {
            BatchDrawing(recording, batch, raster, out).draw();
            continue;
        }
        Batch piece = batch;
        piece.firstIndex = static_cast<std::uint32_t>(out.indices.size());
        const auto from = recording.indices.begin() + batch.firstIndex;
        out.indices.insert(out.indices.end(), from, from + batch.indexCount);
        out.edges.insert(out.edges.end(), batch.indexCount, 0);
        out.batches.push_back(piece);
    }
    return out;
}

}  // namespace vgl
