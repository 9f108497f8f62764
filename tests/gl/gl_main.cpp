// Runner for the OpenGL tests: opens one GLUT window, which makes a real
// context current, then runs every test in it. The tests read back only the
// back buffer, so the window lies off the screen: it never covers the windows
// of tests running alongside or takes their pointer, and these tests need no
// turn on the X display.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "app/window.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases (CTest's test discovery) needs no window or display.
    if (testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    glutInit(&argc, argv);
    WindowRequest window;
    window.title = "vellmoor gl tests";
    window.x = 20000;
    window.y = 20000;
    openWindow(window);
    reshape(windowWidth, windowHeight);
    return RUN_ALL_TESTS();
}
