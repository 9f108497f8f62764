#include "fake_renderer.h"

#include <algorithm>
#include <cstring>

FakeRenderer& fakeRenderer() {
    static FakeRenderer renderer;
    return renderer;
}

namespace {
FakeMesh meshFrom(const void* vertices, int vertexCount, const void* indices, int indexCount,
                  const void* parts) {
    FakeMesh mesh;
    if (parts != nullptr) {
        const auto* p = static_cast<const vgl::HomogeneousPart*>(parts);
        mesh.parts.assign(p, p + vertexCount);
    }
    const auto* v = static_cast<const vgl::Vertex*>(vertices);
    const auto* i = static_cast<const std::uint32_t*>(indices);
    mesh.vertices.assign(v, v + vertexCount);
    mesh.indices.assign(i, i + indexCount);
    return mesh;
}
}  // namespace

extern "C" {

int vglCreateContext(int, int, int stencil) {
    fakeRenderer().stencilBits = stencil != 0 ? 8 : 0;
    return 1;
}
void vglContextLimits(vgl::ContextLimits* limits) {
    // An RGB window with a 24-bit depth buffer, as a desktop has.
    *limits = {{8, 8, 8, 0},
               24,
               fakeRenderer().stencilBits,
               8,
               {16384, 16384},
               fakeRenderer().maxTextureSize};
}

int vglCreateMesh(const void* vertices, int vertexCount, const void* indices, int indexCount,
                  const void* parts) {
    fakeRenderer().meshes.push_back(meshFrom(vertices, vertexCount, indices, indexCount, parts));
    return static_cast<int>(fakeRenderer().meshes.size() - 1);
}

void vglUpdateStream(const void* vertices, int vertexCount, const void* indices, int indexCount,
                     const void* parts) {
    fakeRenderer().meshes[0] = meshFrom(vertices, vertexCount, indices, indexCount, parts);
}

void vglDeleteMesh(int mesh) {
    fakeRenderer().meshes[mesh] = FakeMesh();
}

void vglSetMaterials(const float* materials, int count) {
    auto& all = fakeRenderer().materials;
    all.clear();
    const float* end = materials + count * vgl::kMaterialWords;
    for (const float* m = materials; m != end; m += vgl::kMaterialWords) {
        all.emplace_back(m, m + vgl::kMaterialWords);
    }
}

void vglPrepareProgram(unsigned keyLow, unsigned keyHigh) {
    fakeRenderer().prepared.push_back(keyLow | (std::uint64_t{keyHigh} << 32));
}

void vglSetState(const vgl::RenderState* state) {
    fakeRenderer().state = *state;
}

void vglLineStipple(const float*, int) {}

void vglDraw(int mesh, const vgl::DrawParameters* parameters) {
    const FakeMesh& source = fakeRenderer().meshes[mesh];
    FakeRenderer& fake = fakeRenderer();
    FakeDraw draw{mesh, *parameters, fake.state, {}, {}, {}};
    std::copy_n(fake.viewport, 4, draw.viewport);
    for (int i = 0; i < parameters->indexCount; ++i) {
        const std::uint32_t index = source.indices[parameters->firstIndex + i];
        draw.vertices.push_back(source.vertices[index]);
        if (parameters->homogeneous != 0) {
            draw.parts.push_back(source.parts[index]);
        }
    }
    fakeRenderer().draws.push_back(draw);
}

void vglClear(unsigned, const float*, float, int, int) {}
void vglViewport(int x, int y, int width, int height) {
    const int viewport[4] = {x, y, width, height};
    std::copy_n(viewport, 4, fakeRenderer().viewport);
}
void vglTexImage(unsigned, int, int, int, const void*) {}
void vglTexSubImage(unsigned, int, int, int, int, int, const void*) {}
void vglTexParameter(unsigned, unsigned, int) {}
void vglDeleteTexture(unsigned) {}
void vglReadPixels(int, int, int width, int height, void* rgba) {
    std::memset(rgba, 0, static_cast<std::size_t>(width) * height * 4);
}

}  // extern "C"
