// Runner for the OpenGL tests: opens one GLUT window, which makes a real
// context current, then runs every test in it.
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
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("vellmoor gl tests");
    reshape(windowWidth, windowHeight);
    return RUN_ALL_TESTS();
}
