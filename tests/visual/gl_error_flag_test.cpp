// OpenGL's error flag stays clear through the start-up and through frames drawn
// the way the program draws them: after a reshape, with the lamps switching,
// from every viewpoint.
#include "visual/gl_error_flag.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "app/display.h"
#include "app/window.h"
#include "light/lamp_animation.h"
#include "light/material.h"
#include "view/camera.h"
#include "viewpoints.h"

GLenum errorAfterStartUp = GL_NO_ERROR;

namespace {

std::string errorName(GLenum error) {
    const auto* text = reinterpret_cast<const char*>(gluErrorString(error));
    return text != nullptr ? text : std::to_string(error);
}

TEST(GlErrorFlag, IsClearAfterStartUp) {
    EXPECT_EQ(errorAfterStartUp, static_cast<GLenum>(GL_NO_ERROR))
        << "initScene left " << errorName(errorAfterStartUp);
}

// The state the frames below change, put back afterwards so that the other
// tests see the lamps as the start-up left them.
struct AnimationState {
    Camera camera = ::camera;
    float angle = mirrorBallAngle;
    Material lenses[3] = {redLensMaterial, greenLensMaterial, blueLensMaterial};
    GLboolean lights[8];

    AnimationState() {
        for (int i = 0; i < 8; ++i) {
            lights[i] = glIsEnabled(GL_LIGHT0 + i);
        }
    }
    ~AnimationState() {
        ::camera = camera;
        mirrorBallAngle = angle;
        redLensMaterial = lenses[0];
        greenLensMaterial = lenses[1];
        blueLensMaterial = lenses[2];
        for (int i = 0; i < 8; ++i) {
            lights[i] ? glEnable(GL_LIGHT0 + i) : glDisable(GL_LIGHT0 + i);
        }
    }
};

TEST(GlErrorFlag, IsClearAfterFramesFromEveryViewpoint) {
    const AnimationState saved;
    // Whatever an earlier test left is not this test's concern.
    while (glGetError() != GL_NO_ERROR) {
    }
    reshape(windowWidth, windowHeight);
    for (const Viewpoint& viewpoint : viewpoints()) {
        camera = cameraFor(viewpoint);
        // Enough steps to draw the lamps in several of their states.
        for (int step = 0; step < 4; ++step) {
            idle();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            drawFrame();
            const GLenum error = glGetError();
            EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR))
                << viewpoint.name << ", step " << step << ": " << errorName(error);
        }
    }
}

}  // namespace
