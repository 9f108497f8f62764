#pragma once

#include <cstdint>
#include <vector>

#include "bounds.h"
#include "recording.h"

namespace vgl {

// A run of a batch's elements that lie close together, with the box that
// holds them in the recording's own frame: what is culled against the view
// and lit by the lights that reach it. The runs keep the recorded order.
struct Chunk {
    std::uint32_t batch = 0;  // in Recording::batches
    std::uint32_t firstIndex = 0;
    std::uint32_t indexCount = 0;
    Box box;
};

struct ChunkLimits {
    std::uint32_t maxElements = 1000;
    // A run stops growing where its box would get longer than this, once it
    // holds minElements.
    float maxExtent = 4.0f;
    std::uint32_t minElements = 16;
};

// Every batch's points, segments or triangles cut into chunks, in order.
std::vector<Chunk> chunksOf(const Recording& recording, const ChunkLimits& limits = {});

// Whether chunks are culled and lit by the lights that reach them (on at
// start); off, every batch is drawn whole with every light that is on.
bool chunkSelectionOn();

}  // namespace vgl

extern "C" {
// The page's switch for chunk selection, for comparing with it off.
void vglSetChunkSelection(int on);
}
