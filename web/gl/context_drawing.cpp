// Drawing: recordings in batches, with the state every draw shares sent when it changes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "context.h"
#include "context_helpers.h"

namespace vgl {

namespace {
const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
}  // namespace

void Context::flush() {
    if (refusedInBegin()) {
        return;
    }
    drawImmediate(Matrix::identity());
}

void Context::drawImmediate(const Matrix& frame) {
    if (immediate_.empty()) {
        return;
    }
    vglUpdateStream(immediate_.vertices.data(), static_cast<int>(immediate_.vertices.size()),
                    immediate_.indices.data(), static_cast<int>(immediate_.indices.size()));
    drawRecording(immediate_, 0, frame);
    immediate_.clear();
}

void Context::drawRecording(const Recording& recording, int mesh, const Matrix& modelview) {
    if (recording.empty()) {
        return;
    }
    sendMaterials();
    sendRenderState();
    const Surface& current = state_.surface;
    DrawParameters parameters{};
    std::copy(modelview.m.begin(), modelview.m.end(), parameters.modelview);
    const std::array<float, 9> normals = normalMatrix(modelview);
    std::copy(normals.begin(), normals.end(), parameters.normalMatrix);
    packMaterial(current.material[0], parameters.material[0]);
    packMaterial(current.material[1], parameters.material[1]);
    parameters.flat = word(current.flat.value);
    parameters.textured = word(current.textured.value);
    for (const Batch& batch : recording.batches) {
        parameters.firstIndex = static_cast<std::int32_t>(batch.firstIndex);
        parameters.indexCount = static_cast<std::int32_t>(batch.indexCount);
        const GLuint texture = batch.texture.known ? batch.texture.value : current.texture.value;
        parameters.texture = batch.textured ? static_cast<std::int32_t>(texture) : 0;
        parameters.depthMask =
            word(batch.depthMask.known ? batch.depthMask.value : current.depthMask.value);
        parameters.clockwise = word(!batch.windingKnown && current.clockwise.value);
        vglDraw(mesh, &parameters);
    }
}

void Context::sendMaterials() {
    if (materials_.version() == sentMaterials_) {
        return;
    }
    const std::vector<FaceMaterial>& all = materials_.materials();
    std::vector<float> packed(all.size() * 20);
    for (std::size_t i = 0; i < all.size(); ++i) {
        packMaterial(all[i], &packed[i * 20]);
    }
    vglSetMaterials(packed.data(), static_cast<int>(all.size()));
    sentMaterials_ = materials_.version();
}

void Context::sendRenderState() {
    if (!renderStateDirty_) {
        return;
    }
    RenderState r{};
    const Matrix& projection = projection_.top();
    std::copy(projection.m.begin(), projection.m.end(), r.projection);
    r.lightMask = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        const Light& light = state_.lighting.lights[i];
        float* out = r.lights[i];
        copy4(out, light.ambient);
        copy4(out + 4, light.diffuse);
        copy4(out + 8, light.specular);
        copy4(out + 12, light.position);
        std::copy_n(light.spotDirection, 3, out + 16);
        out[19] = light.spotExponent;
        out[20] = light.spotCutoff == 180.0f
                      ? -2.0f
                      : static_cast<float>(std::cos(light.spotCutoff * kRadiansPerDegree));
        std::copy_n(light.attenuation, 3, out + 21);
        if (light.enabled) {
            r.lightMask |= 1 << i;
        }
    }
    copy4(r.sceneAmbient, state_.lighting.sceneAmbient);
    r.lighting = word(state_.lighting.enabled);
    r.twoSide = word(state_.lighting.twoSide);
    r.normalize = word(state_.transform.normalize);
    r.depthTest = word(state_.depth.test);
    r.blend = word(state_.colorBuffer.blend);
    r.blendSource = static_cast<std::int32_t>(state_.colorBuffer.blendSource);
    r.blendDestination = static_cast<std::int32_t>(state_.colorBuffer.blendDestination);
    r.textureReplace = word(state_.texture.envMode == GL_REPLACE);
    vglSetState(&r);
    renderStateDirty_ = false;
}

}  // namespace vgl
