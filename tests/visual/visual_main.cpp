// Runner for the visual regression tests: opens a GLUT window of the program's
// size and builds the whole scene in it, textures included, the way the
// screenshot tool does, notes OpenGL's error flag, then runs every test.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "app/init_scene.h"
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
    openWindow(window);
    initScene();
    errorAfterStartUp = glGetError();
    glEnable(GL_NORMALIZE);
    reshape(windowWidth, windowHeight);
    return RUN_ALL_TESTS();
}
