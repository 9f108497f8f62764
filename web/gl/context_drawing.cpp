// Drawing: recordings in chunks culled against the view and lit by the lights that reach
// them, with the state every draw shares sent when it changes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "context.h"
#include "context_helpers.h"
#include "line_stipple.h"
#include "raster_size.h"
#include "texture_sampling.h"
#include "unfilled.h"

namespace vgl {

namespace {
const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
// The coordinates the shaders generate, s, t and q (r, for textures of three
// dimensions, draws nothing), by their numbers from GL_S.
constexpr int kGenerated[3] = {0, 1, 3};

// Whether the texture function of `mode` on a texture of `base` format is
// more than the fragment's colour times the texel, or the texel: the texel
// is kept so that modulating gives every base format's function, and
// replacing those of the formats that have both colour and alpha.
bool generalTextureFunction(GLenum mode, BaseFormat base) {
    const bool whole = base == BaseFormat::Rgba || base == BaseFormat::LuminanceAlpha ||
                       base == BaseFormat::Intensity;
    return mode != GL_MODULATE && (mode != GL_REPLACE || !whole);
}

void updateStream(const Recording& recording) {
    vglUpdateStream(recording.vertices.data(), static_cast<int>(recording.vertices.size()),
                    recording.indices.data(), static_cast<int>(recording.indices.size()),
                    recording.parts());
}
}  // namespace

void Context::flush() {
    if (refusedInBeginNow()) {
        return;
    }
    drawImmediate(Matrix::identity());
}

void Context::drawImmediate(const Matrix& frame) {
    if (immediate_.empty()) {
        return;
    }
    updateStream(immediate_);
    drawRecording(immediate_, chunksOf(immediate_), 0, frame);
    immediate_.clear();
}

void Context::drawRecording(const Recording& recording, const std::vector<Chunk>& chunks, int mesh,
                            const Matrix& modelview) {
    if (recording.empty()) {
        return;
    }
    const PolygonGroup& polygon = state_.polygon;
    if (!unfilled(polygon.mode)) {
        drawBatches(recording, chunks, mesh, modelview);
        return;
    }
    // Polygons drawn as points or lines are made so here, as they face in
    // the window, and drawn from the stream.
    PolygonRaster raster{projection_.top() * modelview,
                         {},
                         {},
                         {polygon.mode[0], polygon.mode[1]},
                         polygon.cull ? polygon.cullFace : 0,
                         state_.surface.clockwise.value,
                         state_.surface.flat.value,
                         polygon.offsetFactor,
                         polygon.offsetUnits,
                         polygon.offsetLine,
                         polygon.offsetPoint};
    std::copy_n(state_.viewport.rect, 4, raster.viewport);
    std::copy_n(state_.viewport.depthRange, 2, raster.depthRange);
    const Recording drawn = unfilledDrawing(recording, raster);
    updateStream(drawn);
    drawBatches(drawn, chunksOf(drawn), 0, modelview);
}

void Context::drawBatches(const Recording& recording, const std::vector<Chunk>& chunks, int mesh,
                          const Matrix& modelview) {
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
    // Where GL_TEXTURE_2D is off, GL_TEXTURE_1D textures what takes texturing
    // from the state.
    const bool line = !current.textured.value && state_.texture.line;
    parameters.textured = word(current.textured.value || line);
    if (state_.line.stipple && std::any_of(recording.batches.begin(), recording.batches.end(),
                                           [](const Batch& b) { return b.mode == GL_LINES; })) {
        float viewport[4];
        std::copy_n(state_.viewport.rect, 4, viewport);
        const std::vector<float> counts =
            stippleCounts(recording, projection_.top() * modelview, viewport, state_.line.smooth);
        vglLineStipple(counts.data(), static_cast<int>(counts.size()));
    }
    const auto draw = [&](const Batch& batch, std::uint32_t first, std::uint32_t count,
                          ProgramKey key) {
        parameters.mode = static_cast<std::int32_t>(batch.mode);
        if (batch.mode == GL_POINTS) {
            key |= kKeyPoints | (state_.point.smooth ? kKeySmooth : 0);
        }
        // Smooth lines of any width are quads with their coverage.
        if (batch.mode == GL_LINES && (wideLines(state_.line.width) || state_.line.smooth)) {
            key |= kKeyWideLines | (state_.line.smooth ? kKeySmooth : 0);
        }
        if (batch.mode == GL_LINES && state_.line.stipple) {
            key |= kKeyWideLines | kKeyLineStipple;
        }
        if (batch.mode == GL_TRIANGLES && state_.polygon.stipple) {
            key |= kKeyPolygonStipple;
        }
        if (batch.offset) {
            key |= kKeyDepthOffset;
        }
        parameters.firstIndex = static_cast<std::int32_t>(first);
        parameters.firstVertex =
            batch.mode == GL_LINES ? static_cast<std::int32_t>(recording.indices[first]) : 0;
        parameters.indexCount = static_cast<std::int32_t>(count);
        const GLuint texture = batch.texture.known ? batch.texture.value
                               : line              ? boundTexture(GL_TEXTURE_1D)
                                                   : current.texture.value;
        parameters.texture = batch.textured ? static_cast<std::int32_t>(texture) : 0;
        const Texture* object = batch.textured ? textures_.find(texture) : nullptr;
        const TextureFormat* format = object != nullptr ? object->format() : nullptr;
        parameters.textureBase =
            format != nullptr ? static_cast<std::int32_t>(baseEnumerant(format->base)) : 0;
        if (format != nullptr && generalTextureFunction(state_.texture.envMode, format->base)) {
            key |= kKeyTextureFunction;
        }
        if (format != nullptr) {
            key |= textureSampling(
                *object, texture == kLineDefault || object->target == GL_TEXTURE_1D, parameters);
        }
        parameters.depthMask =
            word(batch.depthMask.known ? batch.depthMask.value : current.depthMask.value);
        parameters.clockwise = word(!batch.windingKnown && current.clockwise.value);
        parameters.programKey[0] = static_cast<std::uint32_t>(key);
        parameters.programKey[1] = static_cast<std::uint32_t>(key >> 32);
        parameters.homogeneous = word(batch.homogeneous);
        vglDraw(mesh, &parameters);
    };
    // Vertices with w other than 1 have no box in the recording's frame:
    // theirs are drawn whole.
    if (!chunkSelectionOn() || !recording.homogeneous.empty()) {
        for (const Batch& batch : recording.batches) {
            draw(batch, batch.firstIndex, batch.indexCount, lightSelection_.everyLight());
        }
        return;
    }
    // Chunks outside the view are left out; the others are lit by the lights
    // that reach them, neighbours lit alike drawn together.
    lightSelection_.prepareAll();
    const Matrix clip = projection_.top() * modelview;
    const Chunk* run = nullptr;
    std::uint32_t runCount = 0;
    ProgramKey runKey = 0;
    for (const Chunk& chunk : chunks) {
        if (outsideView(chunk.box, clip)) {
            continue;
        }
        const Sphere sphere = carriedSphere(boundingSphere(chunk.box), modelview);
        const ProgramKey key = lightSelection_.reaching(lightSelection_.conesReaching(sphere));
        if (run != nullptr && run->batch == chunk.batch && runKey == key &&
            run->firstIndex + runCount == chunk.firstIndex) {
            runCount += chunk.indexCount;
            continue;
        }
        if (run != nullptr) {
            draw(recording.batches[run->batch], run->firstIndex, runCount, runKey);
        }
        run = &chunk;
        runCount = chunk.indexCount;
        runKey = key;
    }
    if (run != nullptr) {
        draw(recording.batches[run->batch], run->firstIndex, runCount, runKey);
    }
}

Surface Context::drawnSurface() const {
    Surface drawn = state_.surface;
    if (!drawn.textured.value && state_.texture.line) {
        drawn.textured.set(true);
        drawn.texture.set(boundTexture(GL_TEXTURE_1D));
    }
    return drawn;
}

void Context::sendMaterials() {
    if (materials_.version() == sentMaterials_) {
        return;
    }
    const std::vector<FaceMaterial>& all = materials_.materials();
    std::vector<float> packed(all.size() * kMaterialWords);
    for (std::size_t i = 0; i < all.size(); ++i) {
        packMaterial(all[i], &packed[i * kMaterialWords]);
    }
    vglSetMaterials(packed.data(), static_cast<int>(all.size()));
    sentMaterials_ = materials_.version();
}

void Context::packSharedState(RenderState& r) const {
    r.depthFunc = static_cast<std::int32_t>(state_.depth.func);
    std::copy_n(state_.viewport.depthRange, 2, r.depthRange);
    for (int i = 0; i < 4; ++i) {
        r.colorMask[i] = word(state_.colorBuffer.writeMask[i]);
    }
    r.dither = word(state_.colorBuffer.dither);
    r.scissorTest = word(state_.scissor.test);
    std::copy_n(state_.scissor.box, 4, r.scissor);
    r.pointSize = drawnPointSize(state_.point.size, state_.point.smooth);
    r.lineWidth = drawnLineWidth(state_.line.width, state_.line.smooth);
    r.cullFace = state_.polygon.cull ? static_cast<std::int32_t>(state_.polygon.cullFace) : 0;
    if (state_.polygon.offsetFill) {
        r.polygonOffset[0] = state_.polygon.offsetFactor;
        r.polygonOffset[1] = state_.polygon.offsetUnits;
    }
    std::copy_n(state_.polygonStipple.rows, 32, r.polygonStipple);
    r.lineStipple[0] = state_.line.pattern;
    r.lineStipple[1] = state_.line.repeat;
    r.alphaFunc = static_cast<std::int32_t>(state_.colorBuffer.alphaFunc);
    r.alphaRef = state_.colorBuffer.alphaRef;
    r.fogDensity = state_.fog.density;
    r.fogStart = state_.fog.start;
    r.fogEnd = state_.fog.end;
    copy4(r.fogColor, state_.fog.color);
    const StencilGroup& stencil = state_.stencil;
    r.stencilTest = word(stencil.test);
    r.stencilFunc = static_cast<std::int32_t>(stencil.func);
    r.stencilRef = stencil.ref;
    r.stencilValueMask = stencil.valueMask;
    r.stencilFail = static_cast<std::int32_t>(stencil.fail);
    r.stencilDepthFail = static_cast<std::int32_t>(stencil.depthFail);
    r.stencilDepthPass = static_cast<std::int32_t>(stencil.depthPass);
    r.stencilWriteMask = stencil.writeMask;
}

ProgramKey Context::sharedKey() const {
    ProgramKey key = 0;
    if (state_.lighting.enabled && state_.lighting.localViewer) {
        key |= kKeyLocalViewer;
    }
    if (state_.colorBuffer.alphaTest && state_.colorBuffer.alphaFunc != GL_ALWAYS) {
        key |= kKeyAlphaTest;
    }
    if (!texture_.top().isIdentity()) {
        key |= kKeyTextureMatrix;
    }
    // s, t and q generated, each by its mode; a generated q divides as the
    // texture matrix's does.
    for (int i = 0; i < 3; ++i) {
        const TexGenCoordinate& generated = state_.texGen.coordinates[kGenerated[i]];
        if (!generated.enabled) {
            continue;
        }
        const ProgramKey mode = generated.mode == GL_OBJECT_LINEAR ? kKeyTexGenObject
                                : generated.mode == GL_EYE_LINEAR  ? kKeyTexGenEye
                                                                   : kKeyTexGenSphere;
        key |= mode << (kKeyTexGenShift + 2 * i);
        if (i == 2) {
            key |= kKeyTextureMatrix;
        }
    }
    for (int i = 0; i < kMaxClipPlanes; ++i) {
        if (state_.transform.clipping[i]) {
            key |= ProgramKey{1} << (kKeyClipShift + i);
        }
    }
    const LightingGroup& lighting = state_.lighting;
    if (lighting.enabled && lighting.colorMaterial) {
        const GLenum parameters[] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION,
                                     GL_AMBIENT_AND_DIFFUSE};
        const auto parameter =
            static_cast<ProgramKey>(std::find(std::begin(parameters), std::end(parameters),
                                              lighting.colorMaterialParameter) -
                                    std::begin(parameters) + 1);
        const GLenum face = lighting.colorMaterialFace;
        const ProgramKey faces = face == GL_FRONT ? 1 : face == GL_BACK ? 2 : 3;
        key |= (parameter | faces << 3) << kKeyColorMaterialShift;
    }
    if (state_.fog.enabled) {
        const GLenum mode = state_.fog.mode;
        const ProgramKey fog = mode == GL_LINEAR ? kKeyFogLinear
                               : mode == GL_EXP  ? kKeyFogExp
                                                 : kKeyFogExp2;
        key |= fog << kKeyFogShift;
    }
    return key;
}

void Context::sendRenderState() {
    if (!renderStateDirty_) {
        return;
    }
    RenderState r{};
    const Matrix& projection = projection_.top();
    std::copy(projection.m.begin(), projection.m.end(), r.projection);
    unsigned enabled = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        const Light& light = state_.lighting.lights[i];
        PackedLight& out = r.lights[i];
        copy4(out.ambient, light.ambient);
        copy4(out.diffuse, light.diffuse);
        copy4(out.specular, light.specular);
        copy4(out.position, light.position);
        std::copy_n(light.spotDirection, 3, out.spotDirection);
        out.spotExponent = light.spotExponent;
        out.spotCosCutoff =
            light.spotCutoff == 180.0f
                ? -2.0f
                : static_cast<float>(std::cos(light.spotCutoff * kRadiansPerDegree));
        std::copy_n(light.attenuation, 3, out.attenuation);
        r.lightOn[i] = light.enabled ? 1.0f : 0.0f;
        if (light.enabled) {
            enabled |= 1u << i;
        }
    }
    copy4(r.sceneAmbient, state_.lighting.sceneAmbient);
    r.normalize = word(state_.transform.normalize);
    r.depthTest = word(state_.depth.test);
    r.blend = word(state_.colorBuffer.blend);
    r.blendSource = static_cast<std::int32_t>(state_.colorBuffer.blendSource);
    r.blendDestination = static_cast<std::int32_t>(state_.colorBuffer.blendDestination);
    r.textureReplace = word(state_.texture.envMode == GL_REPLACE);
    r.textureEnvMode = static_cast<std::int32_t>(state_.texture.envMode);
    copy4(r.textureEnvColor, state_.texture.envColor);
    std::copy(texture_.top().m.begin(), texture_.top().m.end(), r.textureMatrix);
    for (int i = 0; i < 3; ++i) {
        const TexGenCoordinate& generated = state_.texGen.coordinates[kGenerated[i]];
        copy4(r.texGenPlanes[i],
              generated.mode == GL_OBJECT_LINEAR ? generated.objectPlane : generated.eyePlane);
    }
    for (int i = 0; i < kMaxClipPlanes; ++i) {
        std::copy_n(state_.transform.clipPlanes[i], 4, r.clipPlanes[i]);
    }
    packSharedState(r);
    lightSelection_.update(r, enabled, state_.lighting.enabled, state_.lighting.twoSide,
                           sharedKey());
    vglSetState(&r);
    renderStateDirty_ = false;
}

}  // namespace vgl
