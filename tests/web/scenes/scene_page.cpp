// The scenes drawn through the web build's OpenGL layer, in a page of its own:
// scenesInPage() and scenePixels(n), which draws scene n and answers where its
// RGBA pixels are, rows from the bottom.
#include <GL/glut.h>
#include <emscripten.h>

#include <vector>

#include "scenes.h"

extern "C" EMSCRIPTEN_KEEPALIVE int scenesInPage(void) {
    return sceneCount();
}

extern "C" EMSCRIPTEN_KEEPALIVE const unsigned char* scenePixels(int index) {
    static std::vector<unsigned char> rgba(static_cast<std::size_t>(kSceneSize) * kSceneSize * 4);
    drawScene(index, false);
    glReadPixels(0, 0, kSceneSize, kSceneSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba.data();
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(kSceneSize, kSceneSize);
    glutCreateWindow("Vellmoor scenes");
    return 0;
}
