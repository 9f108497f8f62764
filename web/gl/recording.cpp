#include "recording.h"

#include <algorithm>
#include <cmath>

namespace vgl {

namespace {

std::uint8_t colorByte(float value) {
    const float clamped = std::min(1.0f, std::max(0.0f, value));
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

std::uint16_t materialNumber(const Surface& surface, int face, MaterialTable& table) {
    return surface.materialParts[face] != 0 ? table.intern(surface.material[face])
                                            : kCurrentMaterial;
}

// Whether a batch can take more triangles drawn with this state.
bool fits(const Batch& batch, const Batch& piece) {
    if (batch.mode != piece.mode || batch.offset != piece.offset ||
        batch.homogeneous != piece.homogeneous || batch.depthMask.known != piece.depthMask.known ||
        (piece.depthMask.known && batch.depthMask.value != piece.depthMask.value) ||
        batch.windingKnown != piece.windingKnown) {
        return false;
    }
    if (!piece.textured || !batch.textured) {
        return true;
    }
    return batch.texture.known == piece.texture.known &&
           (!piece.texture.known || batch.texture.value == piece.texture.value);
}

// Appends the elements indices[from, end) as a piece drawn with `piece`'s
// state, into the last batch where it fits.
void closePiece(Recording& recording, std::size_t from, Batch piece) {
    const auto count = static_cast<std::uint32_t>(recording.indices.size() - from);
    if (count == 0) {
        return;
    }
    if (!recording.batches.empty() && fits(recording.batches.back(), piece)) {
        Batch& batch = recording.batches.back();
        if (piece.textured && !batch.textured) {
            batch.textured = true;
            batch.texture = piece.texture;
        }
        batch.indexCount += count;
        return;
    }
    piece.firstIndex = static_cast<std::uint32_t>(from);
    piece.indexCount = count;
    recording.batches.push_back(piece);
}

std::uint32_t settingFlags(const Setting<bool>& setting, std::uint32_t on,
                           std::uint32_t fromState) {
    return setting.known ? (setting.value ? on : 0u) : fromState;
}

// Whether the recording keeps homogeneous parts, as it does from the first
// vertex that `needs` them on: then every vertex has one, w 1, r 0 and q 1
// for those before.
bool holdParts(Recording& recording, bool needs) {
    if (needs) {
        recording.homogeneous.resize(recording.vertices.size());
    }
    return needs || !recording.homogeneous.empty();
}

// A vertex carried by `matrix`, with its w where it has one (`part`).
Vertex carried(const Vertex& vertex, HomogeneousPart* part, const Matrix& matrix,
               const std::array<float, 9>& normals) {
    Vertex out = vertex;
    if (part != nullptr) {
        const float place[4] = {vertex.position[0], vertex.position[1], vertex.position[2],
                                part->w};
        const auto position = transformVector4(matrix, place);
        std::copy_n(position.begin(), 3, out.position);
        part->w = position[3];
    } else {
        const auto position = transformPoint(matrix, vertex.position);
        std::copy(position.begin(), position.end(), out.position);
    }
    const auto normal = transformNormal(normals, vertex.normal);
    std::copy(normal.begin(), normal.end(), out.normal);
    return out;
}

bool homogeneous(const SourceVertex& in) {
    return in.position[3] != 1.0f || in.texCoord[2] != 0.0f || in.texCoord[3] != 1.0f;
}

// A called list's vertex in the caller: what it took from the state where
// drawn now comes from the compiling list wherever that list knows it.
Vertex resolved(Vertex vertex, const Surface& surface, MaterialTable& table) {
    for (int face = 0; face < 2; ++face) {
        if (vertex.material[face] == kCurrentMaterial) {
            vertex.material[face] = materialNumber(surface, face, table);
        }
    }
    if ((vertex.flags & kShadeFromState) != 0 && surface.flat.known) {
        vertex.flags =
            (vertex.flags & ~(kShadeFromState | kFlat)) | (surface.flat.value ? kFlat : 0u);
    }
    if ((vertex.flags & kTextureFromState) != 0 && surface.textured.known) {
        vertex.flags = (vertex.flags & ~(kTextureFromState | kTextured)) |
                       (surface.textured.value ? kTextured : 0u);
    }
    return vertex;
}

}  // namespace

void Recording::clear() {
    vertices.clear();
    indices.clear();
    batches.clear();
    edges.clear();
    homogeneous.clear();
}

std::array<float, 4> Recording::position(std::uint32_t i) const {
    const float* p = vertices[i].position;
    return {p[0], p[1], p[2], homogeneous.empty() ? 1.0f : homogeneous[i].w};
}

void recordPrimitive(Recording& recording, Primitive primitive,
                     const std::vector<SourceVertex>& source, const Surface& surface,
                     const Matrix& matrix, MaterialTable& table,
                     const std::vector<MaterialSpan>& spans) {
    std::vector<std::uint32_t> elements;
    std::vector<std::uint8_t> shown;
    std::vector<std::uint8_t> flags(source.size());
    std::transform(source.begin(), source.end(), flags.begin(),
                   [](const SourceVertex& in) { return in.edge ? 1 : 0; });
    const bool clockwise = surface.clockwise.known && surface.clockwise.value;
    const bool smooth = surface.flat.known && !surface.flat.value;
    appendElements(primitive, 0, static_cast<std::uint32_t>(source.size()), clockwise, elements,
                   smooth, {&shown, flags.data()});
    if (elements.empty()) {
        return;  // too few vertices to draw anything
    }
    const std::array<float, 9> normals = normalMatrix(matrix);
    std::uint16_t front = materialNumber(surface, 0, table);
    std::uint16_t back = materialNumber(surface, 1, table);
    auto span = spans.begin();
    const std::uint32_t vertexFlags = settingFlags(surface.flat, kFlat, kShadeFromState) |
                                      settingFlags(surface.textured, kTextured, kTextureFromState);
    const bool parts = std::any_of(source.begin(), source.end(), homogeneous);
    const bool held = holdParts(recording, parts);
    std::vector<Vertex> vertices;
    std::vector<HomogeneousPart> partsOf;  // where the recording holds parts
    for (const SourceVertex& in : source) {
        // The next span's materials from its first vertex on.
        if (span != spans.end() && span->from == vertices.size()) {
            Surface spanned = surface;
            for (int face = 0; face < 2; ++face) {
                spanned.material[face] = span->material[face];
                spanned.materialParts[face] = span->parts[face];
            }
            front = materialNumber(spanned, 0, table);
            back = materialNumber(spanned, 1, table);
            ++span;
        }
        Vertex vertex{};
        std::copy_n(in.position, 3, vertex.position);
        std::copy_n(in.normal, 3, vertex.normal);
        std::copy_n(in.texCoord, 2, vertex.texCoord);
        HomogeneousPart part{in.position[3], in.texCoord[2], in.texCoord[3]};
        vertex = carried(vertex, parts ? &part : nullptr, matrix, normals);
        if (held) {
            partsOf.push_back(part);
        }
        for (int i = 0; i < 4; ++i) {
            vertex.color[i] = colorByte(in.color[i]);
        }
        vertex.material[0] = front;
        vertex.material[1] = back;
        vertex.flags = vertexFlags;
        vertices.push_back(vertex);
    }

    const std::size_t from = recording.indices.size();
    Batch piece;
    piece.mode = drawnAs(primitive);
    piece.homogeneous = parts;
    if (piece.mode == GL_LINES) {
        // Each segment has its own two vertices, one after the other, so that
        // wide lines can be drawn a segment at a time from the vertices alone.
        for (const std::uint32_t element : elements) {
            recording.indices.push_back(static_cast<std::uint32_t>(recording.vertices.size()));
            recording.vertices.push_back(vertices[element]);
            if (held) {
                recording.homogeneous.push_back(partsOf[element]);
            }
        }
    } else {
        const auto first = static_cast<std::uint32_t>(recording.vertices.size());
        recording.vertices.insert(recording.vertices.end(), vertices.begin(), vertices.end());
        if (held) {
            recording.homogeneous.insert(recording.homogeneous.end(), partsOf.begin(),
                                         partsOf.end());
        }
        for (const std::uint32_t element : elements) {
            recording.indices.push_back(first + element);
        }
    }
    recording.edges.insert(recording.edges.end(), shown.begin(), shown.end());
    piece.textured = !surface.textured.known || surface.textured.value;
    piece.texture = surface.texture;
    piece.depthMask = surface.depthMask;
    piece.windingKnown = surface.clockwise.known;
    closePiece(recording, from, piece);
}

void recordCall(Recording& recording, const Recording& called, const Surface& surface,
                const Matrix& matrix, MaterialTable& table) {
    const auto base = static_cast<std::uint32_t>(recording.vertices.size());
    const std::array<float, 9> normals = normalMatrix(matrix);
    const bool parts = !called.homogeneous.empty();
    const bool held = holdParts(recording, parts);
    for (std::size_t i = 0; i < called.vertices.size(); ++i) {
        HomogeneousPart part = parts ? called.homogeneous[i] : HomogeneousPart{};
        recording.vertices.push_back(resolved(
            carried(called.vertices[i], parts ? &part : nullptr, matrix, normals), surface, table));
        if (held) {
            recording.homogeneous.push_back(part);
        }
    }
    for (Batch piece : called.batches) {
        // Triangles whose winding the caller decides, and the caller knows it.
        const bool reverse = piece.mode == GL_TRIANGLES && !piece.windingKnown &&
                             surface.clockwise.known && surface.clockwise.value;
        const std::size_t from = recording.indices.size();
        for (std::uint32_t i = piece.firstIndex; i < piece.firstIndex + piece.indexCount; ++i) {
            recording.indices.push_back(base + called.indices[i]);
            recording.edges.push_back(called.edges[i]);
            if (reverse && (i - piece.firstIndex) % 3 == 2) {
                // b, a, c listed for a, b, c: the corners' edges b -> a,
                // a -> c and c -> b.
                auto* corner = &recording.indices.end()[-3];
                auto* edge = &recording.edges.end()[-3];
                std::swap(corner[0], corner[1]);
                std::swap(edge[1], edge[2]);
            }
        }
        if (!piece.windingKnown && surface.clockwise.known) {
            piece.windingKnown = true;
        }
        if (!piece.texture.known && surface.texture.known) {
            piece.texture = surface.texture;
        }
        if (!piece.depthMask.known && surface.depthMask.known) {
            piece.depthMask = surface.depthMask;
        }
        closePiece(recording, from, piece);
    }
}

}  // namespace vgl
