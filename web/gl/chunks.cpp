#include "chunks.h"

namespace vgl {

namespace {

bool selectionOn = true;

// The box of the point, segment or triangle whose `count` indices start at `first`.
Box elementBox(const Recording& recording, std::uint32_t first, std::uint32_t count) {
    Box box;
    for (std::uint32_t i = first; i < first + count; ++i) {
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
        const std::uint32_t per = indicesPer(batch.mode);
        for (std::uint32_t i = batch.firstIndex; i < batch.firstIndex + batch.indexCount;
             i += per) {
            const Box element = elementBox(recording, i, per);
            Box grown = chunk.box;
            grown.add(element);
            const std::uint32_t elements = chunk.indexCount / per;
            if (elements >= limits.maxElements ||
                (elements >= limits.minElements && grown.extent() > limits.maxExtent)) {
                chunks.push_back(chunk);
                chunk.firstIndex = i;
                chunk.indexCount = 0;
                grown = element;
            }
            chunk.box = grown;
            chunk.indexCount += per;
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
