// Runner for the visual regression tests: starts the scene in a GLUT window of
// the program's size as the program does, textures included, notes OpenGL's
// error flag, then runs every test.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "app/start_scene.h"
#include "app/window.h"
#include "visual/gl_error_flag.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases (CTest's test discovery) needs no window or display.
    if (testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    glutInit(&argc, argv);
    // The textures are read from the working directory.
    if (chdir(VELLMOOR_ASSETS_DIR) != 0) {
        std::perror(VELLMOOR_ASSETS_DIR);
        return 1;
    }
    WindowRequest window;
    window.title = "vellmoor visual tests";
    startScene(window, FrameCallbacks::None);
    errorAfterStartUp = glGetError();
    reshape(windowWidth, windowHeight);
    return RUN_ALL_TESTS();
}
