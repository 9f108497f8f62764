#pragma once

#include <cstdint>
#include <vector>

#include "gl/backend.h"
#include "gl/recording.h"

// A renderer that draws nothing and keeps what the OpenGL layer sends it, so
// the layer's recording and batching can be checked without a browser.
struct FakeMesh {
    std::vector<vgl::Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<vgl::HomogeneousPart> parts;  // per vertex, or none
};

struct FakeDraw {
    int mesh;
    vgl::DrawParameters parameters;
    vgl::RenderState state;  // as last sent before the draw
    int viewport[4];
    // The vertices of the points, segments or triangles drawn (parameters.mode),
    // copied from the mesh in the order of the indices.
    std::vector<vgl::Vertex> vertices;
    std::vector<vgl::HomogeneousPart> parts;  // theirs, where the mesh has them
};

struct FakeRenderer {
    std::vector<FakeMesh> meshes{1};  // mesh 0 is the stream
    std::vector<FakeDraw> draws;
    std::vector<std::vector<float>> materials;  // as last sent, kMaterialWords floats each
    vgl::RenderState state{};
    std::vector<std::uint64_t> prepared;  // program keys, in the order asked
    int viewport[4] = {0, 0, 0, 0};
    int maxTextureSize = 4096;
    int stencilBits = 0;  // as the window asked
};

FakeRenderer& fakeRenderer();
