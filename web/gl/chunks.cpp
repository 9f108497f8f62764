#include "chunks.h"

namespace vgl {

namespace {

bool selectionOn = true;

Box triangleBox(const Recording& recording, std::uint32_t first) {
    Box box;
    for (std::uint32_t i = first; i < first + 3; ++i) {
        box.add(recording.vertices[recording.indices[i]].position);
    }
    return box;
}

}  // namespace

std::vector<Chunk> chunksOf(const Recording& recording, const ChunkLimits& limits) {
    std::vector<Chunk> chunks;
    for (std::uint32_t b = 0; b < recording.batches.size(); ++b) {
        const Batch& batch = recording.batches[b];
        Chunk chunk;
        chunk.batch = b;
        chunk.firstIndex = batch.firstIndex;
        for (std::uint32_t i = batch.firstIndex; i < batch.firstIndex + batch.indexCount; i += 3) {
            const Box triangle = triangleBox(recording, i);
            Box grown = chunk.box;
            grown.add(triangle);
            const std::uint32_t triangles = chunk.indexCount / 3;
            if (triangles >= limits.maxTriangles ||
                (triangles >= limits.minTriangles && grown.extent() > limits.maxExtent)) {
                chunks.push_back(chunk);
                chunk.firstIndex = i;
                chunk.indexCount = 0;
                grown = triangle;
            }
            chunk.box = grown;
            chunk.indexCount += 3;
        }
        if (chunk.indexCount > 0) {
            chunks.push_back(chunk);
        }
    }
    return chunks;
}

bool chunkSelectionOn() {
    return selectionOn;
}

}  // namespace vgl

extern "C" __attribute__((used)) void vglSetChunkSelection(int on) {
    vgl::selectionOn = on != 0;
}
