// The renderer's boundary test (boundary_test.cjs) asks this for a draw's
// parameters and the shared state, filled with a different value in every
// field, as the bytes the layer hands over, with those values named.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gl/backend.h"
#include "gl/light_selection.h"

namespace {

template <typename T>
std::string hex(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    std::string out;
    char pair[3];
    for (unsigned char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        out += pair;
    }
    return out;
}

template <std::size_t N>
std::string list(const float (&values)[N]) {
    std::string out = "[";
    for (std::size_t i = 0; i < N; ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(values[i]);
    }
    return out + "]";
}

}  // namespace

int main() {
    vgl::RenderState state{};
    for (int i = 0; i < 16; ++i) {
        state.projection[i] = 300.0f + static_cast<float>(i);
    }
    vgl::PackedLight& spot = state.lights[2];
    spot.position[3] = 1.0f;
    spot.spotDirection[2] = -1.0f;
    spot.spotCosCutoff = 0.9f;
    spot.attenuation[0] = 1.0f;
    const float ambient[4] = {0.125f, 0.25f, 0.375f, 0.5f};
    std::memcpy(state.sceneAmbient, ambient, sizeof ambient);
    state.normalize = 1;
    state.depthTest = 1;
    state.blend = 0;
    state.blendSource = GL_SRC_ALPHA;
    state.blendDestination = GL_ONE_MINUS_SRC_ALPHA;
    state.textureReplace = 1;

    vgl::DrawParameters draw{};
    for (int i = 0; i < 16; ++i) {
        draw.modelview[i] = 1.0f + static_cast<float>(i);
    }
    for (int i = 0; i < 9; ++i) {
        draw.normalMatrix[i] = 100.0f + static_cast<float>(i);
    }
    draw.material[1][0] = 7.0f;
    draw.firstIndex = 6;
    draw.indexCount = 9;
    draw.texture = 0;
    draw.depthMask = 0;
    draw.clockwise = 1;
    draw.flat = 1;
    draw.textured = 0;
    const vgl::ProgramKey key = vgl::programKey(true, true, state.lights, 1u << 2);
    draw.programKey[0] = static_cast<std::uint32_t>(key);
    draw.programKey[1] = static_cast<std::uint32_t>(key >> 32);

    std::printf("{\"state\": \"%s\", \"draw\": \"%s\",\n", hex(state).c_str(), hex(draw).c_str());
    std::printf(
        " \"expected\": {\"projection\": %s, \"sceneAmbient\": %s, \"normalize\": %d, "
        "\"depthTest\": %d, \"blend\": %d, \"blendFunc\": [%d, %d], \"textureReplace\": %d,\n",
        list(state.projection).c_str(), list(state.sceneAmbient).c_str(), state.normalize,
        state.depthTest, state.blend, state.blendSource, state.blendDestination,
        state.textureReplace);
    std::printf(
        "  \"modelview\": %s, \"normalMatrix\": %s, \"backAmbientRed\": %g, "
        "\"firstIndex\": %d, \"indexCount\": %d, \"depthMask\": %d, \"clockwise\": %d, "
        "\"flat\": %d, \"textured\": %d, \"spotLight\": 2}}\n",
        list(draw.modelview).c_str(), list(draw.normalMatrix).c_str(),
        static_cast<double>(draw.material[1][0]), draw.firstIndex, draw.indexCount, draw.depthMask,
        draw.clockwise, draw.flat, draw.textured);
    return 0;
}
