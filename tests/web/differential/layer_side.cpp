#include "layer_side.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "fake_renderer.h"
#include "gl/context.h"
#include "gl/window.h"

namespace differential {

namespace {

// The file, this process's own, removed when it ends as it should.
const std::string& saidFile() {
    static const std::string name = [] {
        std::string file = "differential-layer-stderr-" + std::to_string(getpid()) + ".txt";
        static const std::string removed = file;
        std::atexit([] { std::remove(removed.c_str()); });
        return file;
    }();
    return name;
}

// What the layer writes on standard error while `body` runs. It goes to a
// file in the working folder, where a sanitizer's report stays if the run
// ends in one.
template <typename Body>
std::string said(Body body) {
    std::fflush(stderr);
    std::FILE* capture = std::fopen(saidFile().c_str(), "w+");
    if (capture == nullptr) {
        throw std::runtime_error("cannot write " + saidFile());
    }
    const int saved = dup(2);
    dup2(fileno(capture), 2);
    body();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text;
    std::rewind(capture);
    for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) {
        text += static_cast<char>(c);
    }
    std::fclose(capture);
    return text;
}

// A drawn vertex in window coordinates, as OpenGL's feedback gives it; false
// where OpenGL would clip it.
bool toWindow(const FakeDraw& draw, std::size_t vertex, Corner& corner) {
    const float* position = draw.vertices[vertex].position;
    vgl::Matrix modelview{};
    vgl::Matrix projection{};
    std::copy_n(draw.parameters.modelview, 16, modelview.m.begin());
    std::copy_n(draw.state.projection, 16, projection.m.begin());
    const float point[4] = {position[0], position[1], position[2],
                            draw.parts.empty() ? 1.0f : draw.parts[vertex].w};
    const auto eye = vgl::transformVector4(modelview, point);
    const auto clip = vgl::transformVector4(projection, eye.data());
    const double w = clip[3];
    for (int i = 0; i < 3; ++i) {
        if (!(w > 0.0) || std::fabs(clip[i]) > w * (1.0 - 1e-6)) {
            return false;
        }
    }
    const int* viewport = draw.viewport;
    const float* range = draw.state.depthRange;
    corner = {viewport[0] + (clip[0] / w + 1.0) * viewport[2] / 2.0,
              viewport[1] + (clip[1] / w + 1.0) * viewport[3] / 2.0,
              range[0] + (clip[2] / w + 1.0) / 2.0 * (range[1] - range[0])};
    return true;
}

// Whether WebGL culls the triangle: its winding in the window against the
// faces culled, counter-clockwise being front unless the draw says otherwise.
bool culled(const FakeDraw& draw, const Polygon& triangle) {
    if (triangle.size() != 3 || draw.state.cullFace == 0) {
        return false;
    }
    const double twice = (triangle[1][0] - triangle[0][0]) * (triangle[2][1] - triangle[0][1]) -
                         (triangle[2][0] - triangle[0][0]) * (triangle[1][1] - triangle[0][1]);
    const bool front = (twice > 0.0) != (draw.parameters.clockwise != 0);
    return draw.state.cullFace == GL_FRONT_AND_BACK ||
           draw.state.cullFace == (front ? GL_FRONT : GL_BACK);
}

Picture drawn() {
    std::vector<Polygon> elements;
    for (const FakeDraw& draw : fakeRenderer().draws) {
        const std::uint32_t per = vgl::indicesPer(static_cast<unsigned>(draw.parameters.mode));
        for (std::size_t first = 0; first + per <= draw.vertices.size(); first += per) {
            Polygon element(per);
            for (std::uint32_t i = 0; i < per; ++i) {
                if (!toWindow(draw, first + i, element[i])) {
                    Picture clipped;
                    clipped.comparable = false;
                    clipped.why = "some of it lies outside the view, where OpenGL cuts it";
                    return clipped;
                }
            }
            if (!culled(draw, element)) {
                elements.push_back(element);
            }
        }
    }
    return pictureOf(elements);
}

}  // namespace

LayerRun runOnLayer(const Sequence& sequence, int maxTextureSize, bool quiet) {
    LayerRun result;
    const auto body = [&] {
        vgl::context() = vgl::Context();
        fakeRenderer() = FakeRenderer();
        fakeRenderer().maxTextureSize = maxTextureSize;
        vglCreateWindow(kWindowWidth, kWindowHeight, 1);
        vglViewport(0, 0, kWindowWidth, kWindowHeight);
        Hooks hooks;
        hooks.instead = [](std::size_t, const Call&, Outcome&) {
            vgl::context().takeRefusal();
            return false;
        };
        hooks.after = [&](std::size_t i, const Call&, Outcome&) {
            if (const vgl::Refusal* refused = vgl::context().takeRefusal()) {
                result.refusals.emplace_back(i, refused);
            }
        };
        result.outcomes = run(sequence, hooks);
    };
    if (quiet) {
        result.said = said(body);
    } else {
        body();
    }
    if (endsInPrimitive(sequence)) {
        result.picture.comparable = false;
        result.picture.why = "it ends inside glBegin/glEnd";
    } else if (loopSetsAttributeAfterVertex(sequence)) {
        result.picture.comparable = false;
        result.picture.why =
            "a line loop sets an attribute after one of its vertices, or has none (Mesa "
            "can leave that vertex out, or draw one)";
    } else if (enablesClipPlane(sequence)) {
        // Mesa's feedback gives polygons cut at the plane; the layer cuts
        // each fragment (the scenes compare the pictures).
        result.picture.comparable = false;
        result.picture.why = "it turns a clip plane on, which Mesa's feedback cuts polygons at";
    } else if (unfilledStripsWithoutEdges(sequence)) {
        // OpenGL draws every edge of a strip or fan; Mesa none where the
        // current edge flag is off (the scenes hold the layer to OpenGL).
        result.picture.comparable = false;
        result.picture.why =
            "it draws a strip or fan as lines or points with the edge flag off, which Mesa "
            "leaves out";
    } else if (drawsQuads(sequence)) {
        // A quad is cut on either diagonal: Mesa's feedback cuts it on one, its
        // pictures and the layer's smooth quads on the other. A quad seen edge
        // on, or not convex (which OpenGL leaves undefined), differs.
        result.picture.comparable = false;
        result.picture.why = "it draws quads, which Mesa's feedback cuts on another diagonal";
    } else {
        result.picture = drawn();
    }
    return result;
}

}  // namespace differential
