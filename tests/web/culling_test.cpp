// What the web layer leaves out of a frame without changing a pixel: the
// chunks a recording is cut into, a box against the view volume, and a box
// against a spot light's cone.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "gl/bounds.h"
#include "gl/chunks.h"
#include "gl/light_selection.h"

namespace {

using vgl::Box;

Box box(float x0, float y0, float z0, float x1, float y1, float z1) {
    Box b;
    const float low[3] = {x0, y0, z0};
    const float high[3] = {x1, y1, z1};
    b.add(low);
    b.add(high);
    return b;
}

vgl::Sphere ball(float x0, float y0, float z0, float x1, float y1, float z1) {
    return vgl::boundingSphere(box(x0, y0, z0, x1, y1, z1));
}

// A row of `count` small triangles along x from `x`, one unit apart.
void addRow(vgl::Recording& recording, float x, float z, int count) {
    for (int t = 0; t < count; ++t) {
        const auto first = static_cast<std::uint32_t>(recording.vertices.size());
        for (int corner = 0; corner < 3; ++corner) {
            vgl::Vertex v{};
            v.position[0] = x + static_cast<float>(t) + (corner == 1 ? 0.5f : 0.0f);
            v.position[1] = corner == 2 ? 0.5f : 0.0f;
            v.position[2] = z;
            recording.vertices.push_back(v);
            recording.indices.push_back(first + static_cast<std::uint32_t>(corner));
        }
    }
}

TEST(Chunks, EveryTriangleIsInOneChunkInsideItsBox) {
    // Two batches; the first has two rows far apart, the second a long row.
    vgl::Recording recording;
    addRow(recording, 0.0f, 0.0f, 40);
    addRow(recording, 0.0f, -100.0f, 40);
    recording.batches.push_back({0, static_cast<std::uint32_t>(recording.indices.size())});
    const auto second = static_cast<std::uint32_t>(recording.indices.size());
    addRow(recording, 0.0f, 50.0f, 300);
    recording.batches.push_back(
        {second, static_cast<std::uint32_t>(recording.indices.size()) - second});

    const vgl::ChunkLimits limits{100, 8.0f, 32};
    const std::vector<vgl::Chunk> chunks = vgl::chunksOf(recording, limits);
    std::vector<int> seen(recording.indices.size() / 3, 0);
    std::uint32_t next = 0;  // chunks follow each other in the recorded order
    for (const vgl::Chunk& chunk : chunks) {
        const vgl::Batch& batch = recording.batches.at(chunk.batch);
        EXPECT_EQ(chunk.firstIndex, next);
        EXPECT_GE(chunk.firstIndex, batch.firstIndex);
        EXPECT_LE(chunk.firstIndex + chunk.indexCount, batch.firstIndex + batch.indexCount);
        EXPECT_LE(chunk.indexCount / 3, limits.maxElements);
        // Far-apart triangles share no chunk once it holds enough.
        EXPECT_TRUE(chunk.box.extent() <= limits.maxExtent + 1.0f ||
                    chunk.indexCount / 3 <= limits.minElements);
        next = chunk.firstIndex + chunk.indexCount;
        for (std::uint32_t i = chunk.firstIndex; i < next; ++i) {
            const float* p = recording.vertices[recording.indices[i]].position;
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_GE(p[axis], chunk.box.min[axis]);
                EXPECT_LE(p[axis], chunk.box.max[axis]);
            }
            if (i % 3 == 0) {
                ++seen[i / 3];
            }
        }
    }
    for (std::size_t t = 0; t < seen.size(); ++t) {
        EXPECT_EQ(seen[t], 1) << "triangle " << t;
    }
}

// gluPerspective's matrix: 90 degrees high, square, near 1, far 100.
vgl::Matrix perspective() {
    const double n = 1.0;
    const double f = 100.0;
    const double m[16] = {
        1, 0, 0, 0, 0, 1, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
    return vgl::fromDoubles(m);
}

TEST(Culling, OnlyBoxesWhollyOutsideTheViewAreLeftOut) {
    const vgl::Matrix clip = perspective();
    EXPECT_FALSE(vgl::outsideView(box(-1, -1, -11, 1, 1, -9), clip)) << "ahead";
    EXPECT_TRUE(vgl::outsideView(box(20, -1, -11, 22, 1, -9), clip)) << "to the right";
    EXPECT_FALSE(vgl::outsideView(box(5, -1, -11, 15, 1, -9), clip)) << "across the right edge";
    EXPECT_TRUE(vgl::outsideView(box(-1, -1, 5, 1, 1, 9), clip)) << "behind the eye";
    EXPECT_FALSE(vgl::outsideView(box(-1, -1, -1, 1, 1, 1), clip)) << "around the eye";
    EXPECT_TRUE(vgl::outsideView(box(-1, -1, -300, 1, 1, -200), clip)) << "beyond the far plane";
    // Carried by a turn to face the other way, the box behind is ahead.
    const vgl::Matrix turned = clip * vgl::rotation(180.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_FALSE(vgl::outsideView(box(-1, -1, 5, 1, 1, 9), turned));
    EXPECT_FALSE(vgl::outsideView(
        vgl::carriedBox(box(-1, -1, 5, 1, 1, 9), vgl::rotation(180.0f, 0.0f, 1.0f, 0.0f)), clip));
}

// A spot light at the origin, eye coordinates, shining along -z.
vgl::PackedLight spotLight(float cutoffDegrees) {
    vgl::PackedLight light{};
    light.position[3] = 1.0f;
    light.spotDirection[2] = -2.0f;  // need not be of unit length
    light.spotCosCutoff =
        cutoffDegrees == 180.0f ? -2.0f : std::cos(cutoffDegrees * 3.14159265f / 180.0f);
    light.attenuation[0] = 1.0f;
    return light;
}

TEST(LightReach, ASpotReachesOnlyBoxesItsConeTouches) {
    const vgl::PackedLight spot = spotLight(15.0f);
    EXPECT_TRUE(vgl::lightReaches(spot, ball(-0.5f, -0.5f, -10.5f, 0.5f, 0.5f, -9.5f))) << "inside";
    EXPECT_FALSE(vgl::lightReaches(spot, ball(4.5f, -0.5f, -10.5f, 5.5f, 0.5f, -9.5f))) << "beside";
    EXPECT_FALSE(vgl::lightReaches(spot, ball(-0.5f, -0.5f, 9.5f, 0.5f, 0.5f, 10.5f))) << "behind";
    // tan 15 degrees at 10 is 2.68: a box from 2 to 5 across the cone's edge.
    EXPECT_TRUE(vgl::lightReaches(spot, ball(2.0f, -0.5f, -10.5f, 5.0f, 0.5f, -9.5f))) << "edge";
    EXPECT_TRUE(vgl::lightReaches(spot, ball(-1, -1, -1, 1, 1, 1))) << "around the light";
    // A light without a cutoff, or a directional spot, reaches everything.
    EXPECT_TRUE(vgl::lightReaches(spotLight(180.0f), ball(-0.5f, -0.5f, 9.5f, 0.5f, 0.5f, 10.5f)));
    vgl::PackedLight directional = spot;
    directional.position[3] = 0.0f;
    EXPECT_TRUE(vgl::lightReaches(directional, ball(-0.5f, -0.5f, 9.5f, 0.5f, 0.5f, 10.5f)));
}

TEST(LightReach, TheKeyLeavesOutOnlyTheSpotsThatMissTheBox) {
    vgl::RenderState state{};
    state.lights[0] = spotLight(180.0f);
    state.lights[1] = spotLight(15.0f);
    state.lights[2] = spotLight(15.0f);
    state.lights[2].spotDirection[2] = 2.0f;  // shining the other way
    vgl::LightSelection selection;
    selection.update(state, 0x7, true, true);
    const vgl::Sphere ahead = ball(-0.5f, -0.5f, -10.5f, 0.5f, 0.5f, -9.5f);
    EXPECT_EQ(selection.reaching(selection.conesReaching(ahead)),
              vgl::programKey(true, true, state.lights, 0x3));
    EXPECT_EQ(selection.everyLight(), vgl::programKey(true, true, state.lights, 0x7));
    // A spot that is off stays in where it reaches (the shader scales it by
    // 0), so switching it needs no other program; a light without one goes.
    selection.update(state, 0x4, true, true);
    EXPECT_EQ(selection.reaching(selection.conesReaching(ahead)),
              vgl::programKey(true, true, state.lights, 0x2));
    // Where two cones reach, the program with every cone serves.
    state.lights[2].spotDirection[2] = -2.0f;
    selection.update(state, 0x7, true, true);
    EXPECT_EQ(selection.reaching(selection.conesReaching(ahead)),
              vgl::programKey(true, true, state.lights, 0x7));
}

TEST(LightReach, UnlitDrawsAskForOneProgramWhateverTheLights) {
    vgl::RenderState state{};
    state.lights[0] = spotLight(180.0f);
    state.lights[1] = spotLight(15.0f);
    const vgl::Sphere ahead = ball(-0.5f, -0.5f, -10.5f, 0.5f, 0.5f, -9.5f);
    vgl::LightSelection selection;
    std::set<vgl::ProgramKey> keys;
    for (unsigned enabled : {0x0u, 0x1u, 0x3u}) {
        for (bool twoSide : {false, true}) {
            selection.update(state, enabled, false, twoSide);
            keys.insert(selection.everyLight());
            keys.insert(selection.reaching(selection.conesReaching(ahead)));
        }
    }
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(*keys.begin() & vgl::kKeyLighting, 0u);
}

}  // namespace
