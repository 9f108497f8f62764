#pragma once

#include <GL/gl.h>

#include <cstddef>

namespace vgl {

// The calls the layer rejects on purpose: what OpenGL 1.1 takes but WebGL 2,
// or geometry recorded once into static meshes, cannot do. Each is ignored
// with its error and said once on standard error:
//   vellmoor: <what> is not supported on WebGL; ignored
enum class Refused {
    VolumeTextures,
    TextureBorders,
    ColourIndexImages,
    DepthAndStencilReads,
    ListCallingItself,
    EndListInPrimitive,
    CallListWithVerticesInPrimitive,
    CallUnknownListInPrimitive,
    CallListSelectingProjection,
    LogicOperations,
    OtherBuffers,
    RasterPositions,
    RenderModes,
    Evaluators,
    Accumulation,  // the last
};

struct Refusal {
    Refused which;
    const char* calls;  // the entry points that refuse it, separated by spaces
    const char* what;
    GLenum error;
};

// Every refusal, in the order of Refused.
extern const Refusal kRefusals[];
extern const std::size_t kRefusalCount;

inline const Refusal& refusal(Refused which) {
    return kRefusals[static_cast<std::size_t>(which)];
}

}  // namespace vgl
